// Reading a design file with its size limit, and replacing a file whole, for
// programs without Qt (the window saves through QSaveFile).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rampwall::design {

struct FileText {
    std::string text;
    std::string error; // empty when the text was read
};

// The whole file, or a Chinese sentence saying why it cannot be read: it is
// missing, a folder, not a plain file, not readable, or larger than a design
// file can be.
FileText readDesignText(const std::filesystem::path& path);

// Writes bytes to a new file beside path, flushes it to the disk and renames
// it over path, so that path holds either its old content or all of bytes,
// never part of them. A file that is replaced keeps its permissions. Only a
// regular file or a new name is written: a link is followed to the file it
// names, and a folder, device, pipe or socket there, or a file the user may
// not write, is left as it is. Returns an empty string, or a Chinese sentence
// saying what failed, in words of its own for each cause (no permission, a
// read-only disk, a full disk, not a regular file).
std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// What a write to path would meet before anything is written: the regular
// file or new name a link leads to, or the fault (as writeFileAtomically
// says it) that stops the write.
struct WriteTarget {
    std::filesystem::path path;
    std::string fault; // empty when path may be written
};
WriteTarget resolveWriteTarget(const std::filesystem::path& path);

} // namespace rampwall::design
