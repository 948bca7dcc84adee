// What a calculation book is made from: a completed run of 计算, the project
// it belongs to, the code edition it follows and the program that computed it.
#pragma once

#include "compute.h"
#include "controls.h"
#include "design_state.h"
#include "edition.h"
#include "materials.h"
#include "window_ops.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace rampwall::book {

// 工程信息 as the title block prints it. A field left empty prints as a blank
// to be filled in by hand.
struct ProjectInfo {
    std::string projectName; // 工程名称
    std::string component;   // 构件名称或编号
    std::string designer;    // 设计
    std::string checker;     // 校对
    std::string reviewer;    // 审核
    std::string date;        // 日期
};

// The design code the run followed, as the book states it.
struct CodeEdition {
    std::string name;               // printed in the title block
    std::vector<std::string> lines; // its factors and rules, one printed line each
    // The computed crack width is accepted up to this multiple of the limit.
    double crackAllowance = 1.05;
};

// GB 50010-2002, the program's own edition and the default.
CodeEdition edition2002();
// GB 50010-2010 (2015 revision) with the factors the run used; no allowance
// on the crack width.
CodeEdition edition2010(const LoadFactors& factors);
// The book's code for a run in `edition`; the factors serve 2010 only.
CodeEdition codeEditionFor(Edition edition, const LoadFactors& factors);

struct ProgramInfo {
    std::string name;
    std::string version;
};

// This build of rampwall.
ProgramInfo thisProgram();

// What a run of 计算 that reached its sheet left behind: the state, the load
// case, and every box's text (the inputs as typed, the list entries, the six
// results and the sheet). A run that stopped has none, so it has no book.
class CompletedRun {
public:
    // Nullopt unless the run completed and wrote its sheet into the window.
    // Read at once, so later typing in the window changes nothing here.
    static std::optional<CompletedRun> capture(RunOutcome outcome, const DesignState& state, WindowOps& window);

    const DesignState& state() const { return m_state; }
    LoadCase loadCase() const { return m_loadCase; }
    const std::string& text(Control control) const { return m_texts[static_cast<std::size_t>(control)]; }

private:
    CompletedRun(const DesignState& state, LoadCase loadCase) : m_state(state), m_loadCase(loadCase) {}

    DesignState m_state;
    LoadCase m_loadCase;
    std::array<std::string, kAllControls.size()> m_texts;
};

// Everything one book shows. There is no book without a CompletedRun.
struct BookInput {
    CompletedRun run;
    ProjectInfo project;
    CodeEdition code = edition2002();
    // The design file's name for the footer; empty for a design never saved.
    std::string designFileName;
    ProgramInfo program = thisProgram();
};

} // namespace rampwall::book
