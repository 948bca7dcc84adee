#include "design/file_io.h"

#include "design/design_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace rampwall::design {

namespace {

// The reason for a failed system call, in the words a user understands.
std::string systemFault(int error, std::string_view action) {
    switch (error) {
    case EACCES:
    case EPERM: return std::string("没有") + std::string(action) + "的权限";
    case ENOENT: return "文件或文件夹不存在";
    case EISDIR: return "这是一个文件夹，不是文件";
    case ENOTDIR: return "路径中有一段不是文件夹";
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "磁盘配额已用完";
    case EFBIG: return "文件超出了允许的大小";
    case EROFS: return "磁盘是只读的（只读文件系统），不能写入";
    case ENAMETOOLONG: return "文件名太长";
    case ELOOP: return "链接层层相指，找不到真正的文件";
    case ENOMEM: return "内存不足";
    default: break;
    }
    return std::string(action) + "失败（" + std::strerror(error) + "）";
}

constexpr std::string_view kNotRegularFault = "这不是普通文件（而是设备、管道或套接字），写入会毁掉它，所以没有写入";

// A folder on a read-only file system may refuse a new file as a matter of
// permission; the user must hear that the disk is read-only.
int withReadOnlyDisk(int error, const std::filesystem::path& folder) {
    struct statvfs disk {};
    if ((error == EACCES || error == EPERM) && ::statvfs(folder.c_str(), &disk) == 0 &&
        (disk.f_flag & ST_RDONLY) != 0) {
        return EROFS;
    }
    return error;
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now, reporting the error a delayed write may only show here.
    int close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

FileText readDesignText(const std::filesystem::path& path) {
    // O_NONBLOCK: a named pipe must not hang the program; it is refused below.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return {{}, systemFault(errno, "读取这个文件")};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return {{}, systemFault(errno, "读取这个文件")};
    }
    if (S_ISDIR(info.st_mode)) {
        return {{}, "这是一个文件夹，不是设计文件"};
    }
    if (!S_ISREG(info.st_mode)) {
        return {{}, "这不是一个普通文件"};
    }
    const auto tooLarge = [](std::uintmax_t size) { return FileText{{}, tooLargeFault(size)}; };
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes) {
        return tooLarge(static_cast<std::uintmax_t>(info.st_size));
    }
    // One byte past what fstat saw, to notice a file that grew since.
    std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == text.size()) {
            if (filled > kMaxFileBytes) {
                return tooLarge(filled);
            }
            text.resize(std::min(2 * filled, kMaxFileBytes + 1));
        }
        const ssize_t got = ::read(file.get(), text.data() + filled, text.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {{}, systemFault(errno, "读取这个文件")};
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    text.resize(filled);
    return {std::move(text), {}};
}

WriteTarget resolveWriteTarget(const std::filesystem::path& path) {
    // Follows a chain of links to the name at its end, which may not exist
    // yet: the file is then made there, and the link keeps pointing at it.
    std::filesystem::path target = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                return {target, {}};
            }
            return {target, systemFault(errno, "写入这个文件")};
        }
        if (S_ISREG(info.st_mode)) {
            // Root may write any file; anyone else only what its mode allows.
            if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
                return {target, systemFault(errno, "写入这个文件")};
            }
            return {target, {}};
        }
        if (S_ISDIR(info.st_mode)) {
            return {target, "这是一个文件夹，不是文件"};
        }
        if (!S_ISLNK(info.st_mode)) {
            return {target, std::string(kNotRegularFault)};
        }
        if (links == 40) {
            return {target, systemFault(ELOOP, "写入这个文件")};
        }
        std::array<char, 4096> named{};
        const ssize_t length = ::readlink(target.c_str(), named.data(), named.size());
        if (length < 0 || static_cast<std::size_t>(length) == named.size()) {
            return {target, systemFault(length < 0 ? errno : ENAMETOOLONG, "写入这个文件")};
        }
        const std::filesystem::path next(std::string(named.data(), static_cast<std::size_t>(length)));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const WriteTarget resolved = resolveWriteTarget(path);
    if (!resolved.fault.empty()) {
        return resolved.fault;
    }
    const std::filesystem::path& target = resolved.path;
    const std::filesystem::path folder = folderOf(target);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                                   std::to_string(attempt) + ".tmp");
        // 0666 less the umask, as for any new file.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return systemFault(withReadOnlyDisk(errno, folder), "在这个文件夹中写入");
        }
    }
    if (fd < 0) {
        return systemFault(EEXIST, "在这个文件夹中写入");
    }
    FileDescriptor file(fd);
    const auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        return systemFault(error, "写入这个文件");
    };
    if (replacing && ::fchmod(file.get(), old.st_mode & 07777) != 0) {
        return fail(errno);
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        const int error = errno;
        file.close();
        return fail(error);
    }
    if (file.close() != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // The rename itself reaches the disk with the folder's entry.
    const FileDescriptor folderEntry(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderEntry.get() >= 0) {
        ::fsync(folderEntry.get());
    }
    return {};
}

} // namespace rampwall::design
