#include "book_input.h"

#include "control_table.h"

#ifndef RAMPWALL_VERSION
#define RAMPWALL_VERSION "unknown"
#endif

namespace rampwall::book {

CodeEdition edition2002() {
    return {
        "《混凝土结构设计规范》GB 50010-2002",
        {
            "设计弯矩 MB = η·MBk，η 为输入的荷载分项系数",
            "受弯承载力：αs = MB·10^6/(fc·b·h0²)，ζ = 1-(1-2αs)^0.5，As = fc·b·h0·ζ/fy，b = 1000 mm",
            "最大裂缝宽度：Wmax = 2.1·ψ·σsk/Es·(1.9c+0.08·deq/ρte)，Es = 2×10^5 N/mm²，ρte ≥ 0.01，0.2 ≤ ψ ≤ 1.0",
            "裂缝宽度允许误差 5%：计算值不超过限值的 1.05 倍即满足",
        },
        1.05,
    };
}

ProgramInfo thisProgram() { return {"rampwall", RAMPWALL_VERSION}; }

std::optional<CompletedRun> CompletedRun::capture(RunOutcome outcome, const DesignState& state, WindowOps& window) {
    if (outcome != RunOutcome::Completed) {
        return std::nullopt;
    }
    const std::optional<LoadCase> loadCase = loadCaseAt(window.selectedIndex(Control::Combo3));
    if (!loadCase) {
        return std::nullopt;
    }
    CompletedRun run(state, *loadCase);
    for (Control control : kAllControls) {
        run.m_texts[static_cast<std::size_t>(control)] = window.readText(control);
    }
    // A run told not to compose its sheet leaves the box as it was.
    const std::string& sheet = run.text(Control::Text12);
    if (sheet.empty() || sheet == initialText(Control::Text12)) {
        return std::nullopt;
    }
    return run;
}

} // namespace rampwall::book
