#include "file_io.h"

#include "design_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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
    case ENOSPC:
    case EDQUOT: return "磁盘已满";
    case EFBIG: return "文件超出了允许的大小";
    case EROFS: return "磁盘是只读的";
    case ENAMETOOLONG: return "文件名太长";
    default: break;
    }
    return std::string(action) + "失败（" + std::strerror(error) + "）";
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
    // Read one byte past the limit, in case the file grew after fstat.
    std::string text(kMaxFileBytes + 1, '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
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
    if (filled > kMaxFileBytes) {
        return tooLarge(filled);
    }
    text.resize(filled);
    return {std::move(text), {}};
}

std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ignored;
    // Replace the file a link points to, not the link.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ignored)) {
        target = std::filesystem::weakly_canonical(path, ignored);
        if (ignored) {
            target = path;
        }
    }
    if (std::filesystem::is_directory(target, ignored)) {
        return "这是一个文件夹，不是文件";
    }
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
            return systemFault(errno, "在这个文件夹中写入");
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
    const FileDescriptor folder(
        ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return {};
}

} // namespace rampwall::design
