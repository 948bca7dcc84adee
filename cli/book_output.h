// The calculation book on the command line: present only in builds with the
// book (RAMPWALL_BOOK), which need Qt Gui.
#pragma once

#include "calc/ramp/ramp_design.h"
#include "design/design_document.h"
#include "design/design_file.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace rampwall::cli {

// Makes Qt's application object on first use and keeps Qt's own chatter off
// the tool's error stream.
class BookWriter {
public:
    BookWriter();
    ~BookWriter();
    BookWriter(const BookWriter&) = delete;
    BookWriter& operator=(const BookWriter&) = delete;

    // Writes the run's book; nullopt, or a Chinese message. A run that did
    // not complete with its report has no book.
    [[nodiscard]] std::optional<std::string> write(const std::filesystem::path& path, const design::DesignRun& run,
                                                   const design::ProjectInfo& project,
                                                   const std::string& designFileName) const;

    // Writes a ramp's book: its schedule and drawing, and each arrangement's
    // governing section in full.
    [[nodiscard]] std::optional<std::string> writeRamp(const std::filesystem::path& path,
                                                       const ramp::Schedule& schedule, const ramp::RampInput& ramp,
                                                       const design::ProjectInfo& project,
                                                       const std::string& designFileName) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace rampwall::cli
