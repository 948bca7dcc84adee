#include "book_input.h"

#include "control_table.h"
#include "number_text.h"

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

CodeEdition edition2010(const LoadFactors& factors) {
    CodeEdition code;
    code.name = "《混凝土结构设计规范》" + std::string(editionTitle(Edition::GB50010_2010));
    std::string factorLine;
    for (const LoadFactorField& field : kLoadFactorFields) {
        factorLine += (factorLine.empty() ? "" : "，") + std::string(field.caption) + " = " +
                      formatDouble(factors.*field.member) + "（" + std::string(field.clause) + "）";
    }
    code.lines = {
        "设计弯矩 M = γ0·(γG·MG + γQ·γL·MQ)，准永久弯矩 Mq = MG + ψq·MQ；MG 为土压力与水压力弯矩，MQ 为地面超载弯矩",
        factorLine,
        "受弯承载力：αs = M·10^6/(α1·fc·b·h0²)，ξ = 1-(1-2αs)^0.5 ≤ ξb，As = α1·fc·b·h0·ξ/fy ≥ As,min，b = 1000 mm",
        "最大裂缝宽度：wmax = 1.9·ψ·σsq/Es·(1.9cs+0.08·deq/ρte)，ρte ≥ 0.01，0.2 ≤ ψ ≤ 1.0，20 ≤ cs ≤ 65 mm",
        "裂缝宽度不超过限值即满足，不计允许误差",
    };
    code.crackAllowance = 1.0;
    return code;
}

CodeEdition codeEditionFor(Edition edition, const LoadFactors& factors) {
    return edition == Edition::GB50010_2010 ? edition2010(factors) : edition2002();
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
