#include "book/book_input.h"

#include "calc/version.h"

namespace rampwall::book {

ProgramInfo thisProgram() { return {"rampwall", std::string(kVersion)}; }

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string bookFileStem(const design::ProjectInfo& project, std::string_view designFileName,
                         std::string_view fallback) {
    std::string stem(trimmed(project.member));
    for (char& c : stem) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view(R"(\/:*?"<>|)").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    if (stem.empty()) {
        const std::string_view file = designFileName.substr(designFileName.find_last_of("/\\") + 1);
        stem = file.substr(0, file.rfind('.'));
    }
    return stem.empty() ? std::string(fallback) : stem;
}

} // namespace rampwall::book
