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
// never part of them. A file that is replaced keeps its permissions. Returns
// an empty string, or a Chinese sentence saying what failed.
std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace rampwall::design
