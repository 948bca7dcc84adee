// The ramp's calculation book as plain data: its own pages (the project,
// the ramp's inputs, the elevation, the schedule and the totals), then for
// each distinct arrangement of bars the single-section book of the section
// that governs it. The desktop lays it out on A4; the page can follow.
#pragma once

#include "book/book_content.h"
#include "book/book_input.h"
#include "calc/ramp/ramp_design.h"

#include <string>
#include <vector>

namespace rampwall::book {

inline constexpr std::string_view kRampBookTitle = "坡道外墙分段配筋计算书";

struct RampBookInput {
    const ramp::Schedule* schedule = nullptr;
    ramp::RampInput ramp; // as typed, for 设计资料
    design::ProjectInfo project{};
    std::string designFileName{};
    ProgramInfo program = thisProgram();
};

// One arrangement's full calculation: its heading and the book of the
// section that governs it.
struct RampBookSection {
    std::string heading;
    std::size_t segment = 0; // index into the schedule
    BookInput input;
    BookContent content; // from 设计资料 on, its headings numbered under `heading`
};

struct RampBookContent {
    BookContent front; // up to the elevation's heading
    BookContent back;  // after the elevation: the schedule, the summary, the totals
    std::vector<RampBookSection> sections;
};

// The name the ramp's book and schedule are offered under, without a
// suffix: as a section's book is named, 坡道 when nothing names it, then
// -分段配筋.
inline std::string rampBookFileStem(const design::ProjectInfo& project, std::string_view designFileName) {
    return bookFileStem(project, designFileName, "坡道") + "-分段配筋";
}

// Runs each governing section again for its sheet and report.
RampBookContent composeRampBook(const RampBookInput& input);

} // namespace rampwall::book
