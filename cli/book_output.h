// The calculation book on the command line: present only in builds with the
// book (RAMPWALL_BOOK), which need Qt Gui.
#pragma once

#include "design_file.h"
#include "design_run.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace rampwall::cli {

// Makes Qt's application object on first use and keeps Qt's own chatter off
// the tool's error stream. Holds the last run it was shown.
class BookWriter {
public:
    BookWriter();
    ~BookWriter();
    BookWriter(const BookWriter&) = delete;
    BookWriter& operator=(const BookWriter&) = delete;

    // Hands runDesign the hook that keeps the run for the book.
    RunObserver observer();

    // Whether the last run completed with its sheet, so it has a book.
    bool hasBook() const;

    // Writes the last run's book; nullopt, or a Chinese message.
    [[nodiscard]] std::optional<std::string> write(const std::filesystem::path& path,
                                                   const design::ProjectInfo& project,
                                                   const std::string& designFileName) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace rampwall::cli
