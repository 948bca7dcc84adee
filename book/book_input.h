// What a calculation book is made from: a completed run of 计算 with its
// report, the project it belongs to, the design file's name and the program
// that computed it. Plain C++: the desktop's book and the page's are both
// made from this.
#pragma once

#include "design/design_document.h"
#include "design/design_file.h"

#include <string>
#include <string_view>

namespace rampwall::book {

struct ProgramInfo {
    std::string name;
    std::string version;
};

// This build of rampwall.
ProgramInfo thisProgram();

// Everything one book shows. A run that did not complete, or was not asked
// for its report, has no book.
struct BookInput {
    design::DesignRun run;
    design::ProjectInfo project = {};
    // The design file's name for the footer; empty for a design never saved.
    std::string designFileName = {};
    ProgramInfo program = thisProgram();
};

// The name a saved or printed book is offered under, without a suffix: the
// member's (构件名称或编号), else the design file's, else the fallback.
// Characters no file name may hold on any desktop become underscores.
std::string bookFileStem(const design::ProjectInfo& project, std::string_view designFileName,
                         std::string_view fallback = "计算书");

// Whether the run can make a book: it completed, wrote its sheet and was
// asked for its report.
inline bool hasBook(const design::DesignRun& run) {
    return run.edition != nullptr && run.result.completed() && !run.result.profile.empty() &&
           run.result.written(Control::Text12) != nullptr;
}

} // namespace rampwall::book
