// Places a write may be sent to and must leave as they are, made for the
// tests of every part that writes files (design files, books, sheets,
// settings): a device node, a link to one, a named pipe, a file and a folder
// the user may not write, a read-only disk and a full one. Each is made in a
// folder of its own; a place this machine cannot make gives a reason to skip.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace rampwall::testing_support {

enum class TargetKind { DeviceNode, LinkToDevice, NamedPipe, ReadOnlyFile, ReadOnlyFolder, ReadOnlyDisk, FullDisk };

struct WriteTargetCase {
    const char* name;
    TargetKind kind;
    const char* fault; // what the message must say, in its own words for the cause
};

// Names the row in a test's report.
inline void PrintTo(const WriteTargetCase& row, std::ostream* out) { *out << row.name; }

// Every kind, for tests that take them as a table.
inline std::vector<WriteTargetCase> writeTargetCases() {
    return {
        {"device_node", TargetKind::DeviceNode, "不是普通文件"},
        {"link_to_a_device_node", TargetKind::LinkToDevice, "不是普通文件"},
        {"named_pipe", TargetKind::NamedPipe, "不是普通文件"},
        {"read_only_file", TargetKind::ReadOnlyFile, "没有写入这个文件的权限"},
        {"read_only_folder", TargetKind::ReadOnlyFolder, "没有在这个文件夹中写入的权限"},
        {"read_only_disk", TargetKind::ReadOnlyDisk, "只读"},
        {"full_disk", TargetKind::FullDisk, "磁盘已满"},
    };
}

// Permission bits do not stop root, which CI runs as: while one of these
// lives, the process acts as the ordinary user nobody when it was root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (::geteuid() == 0) {
            m_dropped = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
            if (!m_dropped) {
                m_skipReason = std::string("cannot act as an ordinary user: ") + std::strerror(errno);
            }
        }
    }
    ~AsOrdinaryUser() {
        if (m_dropped) {
            static_cast<void>(::seteuid(0));
            static_cast<void>(::setegid(0));
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    const std::string& skipReason() const { return m_skipReason; }

private:
    bool m_dropped = false;
    std::string m_skipReason;
};

// What runs a command as an ordinary user: nothing when the tests are not
// root, setpriv when they are.
inline std::string ordinaryUserPrefix() {
    return ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}

class WriteTarget {
public:
    // Makes the place, named fileName, with an old file's bytes where a file
    // is there to be kept.
    WriteTarget(TargetKind kind, std::string_view fileName) : m_kind(kind) {
        std::string folder = (std::filesystem::temp_directory_path() / "rampwall-target-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr) {
            m_skipReason = "cannot make a folder";
            return;
        }
        m_folder = folder;
        // An ordinary user must reach the places inside, and may write in
        // the folder itself: a file it may not write is then the only bar.
        ::chmod(m_folder.c_str(), 0777);
        make(fileName);
        if (m_skipReason.empty()) {
            m_before = listing();
        }
    }
    ~WriteTarget() {
        if (m_mounted) {
            ::umount2(m_mountPoint.c_str(), MNT_DETACH);
        }
        std::error_code ignored;
        std::filesystem::permissions(m_folder / "locked", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }
    WriteTarget(const WriteTarget&) = delete;
    WriteTarget& operator=(const WriteTarget&) = delete;

    // Not empty when this machine cannot make the place.
    const std::string& skipReason() const { return m_skipReason; }
    const std::filesystem::path& path() const { return m_path; }
    // Whether a permission keeps the write out, so that it must be tried
    // as an ordinary user.
    bool needsOrdinaryUser() const {
        return m_kind == TargetKind::ReadOnlyFile || m_kind == TargetKind::ReadOnlyFolder;
    }

    // Why the place is no longer as it was made, or empty: the same kind of
    // file with the same bytes, a link to the same node, and nothing added
    // beside it.
    std::string changed() const {
        struct stat now {};
        if (m_kind == TargetKind::ReadOnlyFolder) {
            if (::lstat(m_path.c_str(), &now) == 0) {
                return "a file was made in the read-only folder";
            }
        } else if (::lstat(m_path.c_str(), &now) != 0) {
            return "the target is gone";
        } else if ((now.st_mode & S_IFMT) != m_mode) {
            return "the target is no longer the kind of file it was";
        }
        if (m_kind == TargetKind::LinkToDevice) {
            struct stat node {};
            if (::stat(m_path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode)) {
                return "the device node behind the link was replaced";
            }
        }
        if (!m_oldBytes.empty() && bytes(m_path) != m_oldBytes) {
            return "the old file's bytes changed";
        }
        if (listing() != m_before) {
            return "files were added or removed beside the target";
        }
        return {};
    }

private:
    static std::string bytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static bool write(const std::filesystem::path& file, std::string_view text) {
        std::ofstream out(file, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out.flush());
    }

    std::set<std::string> listing() const {
        std::set<std::string> names;
        std::error_code ignored;
        for (auto entry = std::filesystem::recursive_directory_iterator(m_folder, ignored);
             entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
            names.insert(entry->path().string());
        }
        return names;
    }

    // A copy of /dev/full: writing to it fails, so a program that writes
    // through instead of refusing is caught as well as one that replaces it.
    std::filesystem::path deviceNode(const std::filesystem::path& node) {
        if (::geteuid() != 0) {
            // An ordinary user cannot replace the real one either.
            return "/dev/full";
        }
        if (::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
            m_skipReason = std::string("cannot make a device node: ") + std::strerror(errno);
        }
        return node;
    }

    bool mountDisk(const char* options) {
        m_mountPoint = m_folder / "disk";
        std::filesystem::create_directory(m_mountPoint);
        if (::mount("tmpfs", m_mountPoint.c_str(), "tmpfs", 0, options) != 0) {
            m_skipReason = std::string("cannot mount a small disk here (root only): ") + std::strerror(errno);
            return false;
        }
        m_mounted = true;
        ::chmod(m_mountPoint.c_str(), 0777);
        return true;
    }

    void make(std::string_view fileName) {
        m_path = m_folder / fileName;
        m_oldBytes = "the old file";
        switch (m_kind) {
        case TargetKind::DeviceNode:
            m_oldBytes.clear();
            m_path = deviceNode(m_path);
            break;
        case TargetKind::LinkToDevice:
            m_oldBytes.clear();
            std::filesystem::create_symlink(deviceNode(m_folder / "full"), m_path);
            break;
        case TargetKind::NamedPipe:
            m_oldBytes.clear();
            if (::mkfifo(m_path.c_str(), 0666) != 0) {
                m_skipReason = std::string("cannot make a named pipe: ") + std::strerror(errno);
            }
            break;
        case TargetKind::ReadOnlyFile:
            write(m_path, m_oldBytes);
            ::chmod(m_path.c_str(), 0444);
            break;
        case TargetKind::ReadOnlyFolder:
            m_oldBytes.clear();
            std::filesystem::create_directory(m_folder / "locked");
            ::chmod((m_folder / "locked").c_str(), 0555);
            m_path = m_folder / "locked" / fileName;
            break;
        case TargetKind::ReadOnlyDisk:
            if (mountDisk("size=64k")) {
                m_path = m_mountPoint / fileName;
                write(m_path, m_oldBytes);
                if (::mount(nullptr, m_mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
                    m_skipReason = std::string("cannot make the disk read-only: ") + std::strerror(errno);
                }
            }
            break;
        case TargetKind::FullDisk:
            if (mountDisk("size=64k")) {
                m_path = m_mountPoint / fileName;
                write(m_path, m_oldBytes);
                // Filled to the last byte: the next block written fails.
                std::FILE* filler = std::fopen((m_mountPoint / "filler").c_str(), "wb");
                const std::string block(4096, 'x');
                while (filler != nullptr && std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
                       std::fflush(filler) == 0) {
                }
                if (filler != nullptr) {
                    std::fclose(filler);
                }
            }
            break;
        }
        struct stat made {};
        if (m_skipReason.empty() && m_kind != TargetKind::ReadOnlyFolder && ::lstat(m_path.c_str(), &made) == 0) {
            m_mode = made.st_mode & S_IFMT;
        }
    }

    TargetKind m_kind;
    std::filesystem::path m_folder;
    std::filesystem::path m_path;
    std::filesystem::path m_mountPoint;
    bool m_mounted = false;
    mode_t m_mode = 0;
    std::string m_oldBytes;
    std::set<std::string> m_before;
    std::string m_skipReason;
};

} // namespace rampwall::testing_support
