#include "calc/editions/gb50010_2010.h"

#include "calc/calculation_stop.h"
#include "calc/control_table.h"
#include "calc/decimal_text.h"
#include "calc/editions/gb50010_2010/design_run.h"
#include "calc/editions/gb50010_2010/report.h"
#include "calc/editions/gb50010_2010/sheet.h"
#include "calc/editions/recording_window.h"
#include "calc/input_reader.h"
#include "calc/number_text.h"
#include "calc/rounding.h"

#include <array>

namespace rampwall {

namespace {

using gb2010::DesignRun;

constexpr std::array<SteelChoice, gb2010::kSteel.size()> kSteelChoices = [] {
    std::array<SteelChoice, gb2010::kSteel.size()> choices{};
    for (std::size_t i = 0; i != choices.size(); ++i) {
        const std::string_view name = gb2010::kSteel[i].entry;
        choices[i] = {name, name, name.starts_with("HPB")};
    }
    return choices;
}();

// Real γ factors lie near 1; ten times the load is no design situation.
constexpr double kLargestLoadFactor = 10;

constexpr std::array<FactorDefinition, 6> kFactors = {{
    // The wall is held by its base slab and cannot yield: the earth stays at rest.
    {"k0", "K0", "静止土压力系数K0", "计算假定：墙体不能位移，取静止土压力", 0.5, 0, false, 1},
    {"gamma-0", "γ0", "结构重要性系数γ0", "GB 55001-2021 第3.1.12条", 1.0, 0, false, kLargestLoadFactor},
    {"gamma-g", "γG", "永久荷载分项系数γG", "GB 55001-2021 第3.1.13条", 1.3, 0, false, kLargestLoadFactor},
    {"gamma-q", "γQ", "可变荷载分项系数γQ", "GB 55001-2021 第3.1.13条", 1.5, 0, false, kLargestLoadFactor},
    {"gamma-l", "γL", "设计使用年限调整系数γL", "GB 55001-2021 第3.1.16条", 1.0, 0, false, kLargestLoadFactor},
    // A quasi-permanent value is a part of the characteristic one.
    {"psi-q", "ψq", "准永久值系数ψq", "设计取值：车辆通行的地面附加荷载", 0.6, 0, true, 1},
}};
constexpr std::array<double gb2010::Factors::*, kFactors.size()> kFactorMembers = {
    &gb2010::Factors::K0,     &gb2010::Factors::gamma0, &gb2010::Factors::gammaG,
    &gb2010::Factors::gammaQ, &gb2010::Factors::gammaL, &gb2010::Factors::psiQ,
};

// The load-factor box is off in this edition; its tip says where the factors are.
constexpr std::array<UnusedInput, 1> kUnused = {{
    {Control::Text5, "GB 50010-2010(2015年版)不用这个系数：设计弯矩由“规范→荷载系数”中的γ0、γG、γQ、γL算出"},
}};

constexpr std::array<std::string_view, 5> kBasis = {
    "《混凝土结构设计规范》GB 50010-2010(2015年版)",
    "《建筑结构可靠性设计统一标准》GB 50068-2018",
    "《工程结构通用规范》GB 55001-2021",
    "《混凝土结构通用规范》GB 55008-2021",
    "《建筑结构荷载规范》GB 50009-2012",
};
constexpr std::array<std::string_view, 5> kMethod = {
    "作用：静止土压力 K0·γ·z，水下土取 γ-10，水压力 γw·z（γw = 10 kN/m³），地面附加荷载 "
    "K0·q；土压力与水压力为永久作用，附加荷载为可变作用",
    "基本组合 M = γ0·(γG·MG + γQ·γL·MQ)，V = γ0·(γG·VG + γQ·γL·VQ)；准永久组合 Mq = MG + ψq·MQ",
    "受弯承载力（第6.2.10条）：αs = M·10^6/(α1·fc·b·h0²)，ξ = 1-(1-2αs)^0.5 ≤ ξb（第6.2.7条），As = α1·fc·b·h0·ξ/fy ≥ "
    "As,min（第8.5.1条），b = 1000 mm，h0 = h5 - c - d/2（第8.2.1条）",
    "最大裂缝宽度（第7.1.2条）：wmax = 1.9·ψ·σsq/Es·(1.9cs+0.08·deq/ρte)，ρte ≥ 0.01，0.2 ≤ ψ ≤ 1.0，20 ≤ cs ≤ 65 "
    "mm，不计允许误差",
    "斜截面受剪承载力（第6.3.3条，不配置箍筋的板类构件）：V ≤ 0.7·βh·ft·b·h0，βh = (800/h0)^0.25，800 ≤ h0 ≤ 2000 mm",
};
constexpr std::array<std::string_view, 5> kAssumptions = {
    "计算假定：墙体由底板嵌固，按悬臂构件计算，墙体不能位移，土压力按静止土压力计算（K0）；",
    "水下土的重度取土的天然重度减去水的重度（γ-10），不取饱和重度；水的重度γw = 10 kN/m³；",
    "地下水位按设计水位取定，水压力按永久作用计（GB "
    "50009-2012第3.1."
    "1条未列出水压力，此为设计假定）：裂缝宽度验算取其全部为准永久值，偏于安全；地下水位变幅较大时应按可变作用复核承载"
    "力；",
    "竖向受力钢筋为最外层钢筋，保护层厚度c算至其外边缘，cs = c；准永久值系数ψq = 0.6为车辆通行的设计取值，非GB "
    "50009-2012的条文；",
    "未计入墙体自重、内侧（坡道侧）钢筋、水平分布钢筋、钢筋搭接与锚固；结构安全等级二级、设计使用年限50年（γ0 = "
    "1.0，γL = 1.0）。",
};

gb2010::Factors factorsOf(const FactorValues& values) {
    gb2010::Factors factors;
    for (std::size_t i = 0; i < kFactors.size(); ++i) {
        factors.*kFactorMembers[i] = values.value(kFactors[i]);
    }
    return factors;
}

// The spacing as the messages write it: its number, whatever blanks or digits it was typed with.
std::string spacingText(double spacing) { return formatDouble(spacing); }

RunOutcome runStages(const CodeEdition& edition, const RunRequest& request, WindowOps& window, DesignRun& run,
                     std::optional<LoadCase>& loadCase) {
    const std::optional<gb2010::Concrete> concrete = gb2010::concreteAt(window.selectedIndex(Control::Combo1));
    if (!concrete) {
        stopNothingSelected(Control::Combo1);
    }
    const std::optional<gb2010::Steel> steel = gb2010::steelAt(window.selectedIndex(Control::Combo2));
    if (!steel) {
        stopNothingSelected(Control::Combo2);
    }
    run.concrete = *concrete;
    run.steel = *steel;
    run.block = gb2010::stressBlock(concrete->fcuk);

    DesignState typed;
    readBoxes(typed, window);
    run.h1 = typed.h1;
    run.h2 = typed.h2;
    run.h3 = typed.h3;
    run.h4 = typed.h4;
    run.h5 = typed.h5;
    run.c = window.readText(Control::Text13);
    run.gamma = typed.TRZ;
    run.q = typed.FJHZ;
    run.spacing = typed.ss;
    run.limit = typed.Wmax;
    loadCase = loadCaseAt(window.selectedIndex(Control::Combo3));
    if (!loadCase) {
        return RunOutcome::NoLoadCase;
    }
    if (std::optional<std::string> problem = factorsProblem(edition, request.factors)) {
        throw CalculationStop(*problem);
    }
    run.factors = factorsOf(request.factors);
    run.warnings = gb2010::gradeAndFactorWarnings(run.concrete, run.steel, run.factors);

    InputReader inputs(typed);
    run.actions = gb2010::actionsOf(inputs, *loadCase, run.factors);
    run.actionsFormed = true;
    const gb2010::Actions& x = run.actions;
    // Zero or negative moments would give negative or no steel.
    if (!(x.Mk > 0) || !(x.M > 0) || !(x.Mq > 0)) {
        stopMomentNotPositive2010();
    }

    gb2010::Section& s = run.section;
    s.fc = concrete->fc;
    s.ft = concrete->ft;
    s.ftk = concrete->ftk;
    s.alpha1 = run.block.alpha1;
    s.beta1 = run.block.beta1;
    s.epsilonCu = run.block.epsilonCu;
    s.fy = steel->fy;
    s.Es = steel->Es;
    s.nu = steel->nu;
    s.h5 = inputs.h5();
    s.c = static_cast<double>(*typed.c);
    s.spacing = inputs.ss();
    if (!(s.spacing > 0)) {
        stopNotPositive(Control::Text10);
    }
    // Bars are written "22@100" with the spacing's number, however it was typed.
    run.spacing = formatDouble(s.spacing);
    s.xiB = finite(s.beta1 / (1 + s.fy / (s.Es * s.epsilonCu)), "ξb");
    s.rhoMinPercent = std::max(0.20, 45 * s.ft / s.fy);
    s.AsMin = finite(s.rhoMinPercent / 100 * 1000 * s.h5, "As,min");
    s.cs = std::clamp(s.c, 20.0, 65.0);
    run.sectionFormed = true;

    double limit = 0;
    for (const gb2010::Bars& bars : gb2010::candidates()) {
        run.trials.push_back(gb2010::flexure(s, bars, x.M));
        gb2010::Trial& t = run.trials.back();
        // A larger bar only lowers h0: once αs or ξ is beyond its limit no
        // later candidate can do better, so the run stops there.
        if (t.alphaSBeyond) {
            stopAlphaSTooLarge(t.alphaS);
        }
        if (t.xi > s.xiB) {
            stopXiBeyondBalanced(t.xi, s.xiB);
        }
        if (!t.carries) {
            continue;
        }
        if (!run.strength) {
            run.strength = run.trials.size() - 1;
            window.replaceText(Control::Text6, decimalText(x.Mk, 3));
            window.replaceText(Control::Text7, decimalText(t.AsNeeded, 3));
            window.replaceText(Control::Text19, gb2010::barsText(bars));
            limit = inputs.Wmax();
            if (!(limit > 0)) {
                stopNotPositive(Control::Text8);
            }
        }
        gb2010::checkCrackWidth(s, x.Mq, t);
        if (t.wmax <= limit) {
            run.design = run.trials.size() - 1;
            break;
        }
    }
    const int largest = gb2010::kBarSizes[std::size(gb2010::kBarSizes) - 1];
    if (!run.strength) {
        stopNoArrangementForStrength(largest, spacingText(s.spacing));
    }
    if (!run.design) {
        stopNoArrangementForCrackWidth(largest, spacingText(s.spacing), formatDouble(limit));
    }
    const gb2010::Trial& d = run.designTrial();
    window.replaceText(Control::Text9, decimalText(d.area, 3));
    window.replaceText(Control::Text11, decimalText(d.wmax, 3));
    window.replaceText(Control::Text18, gb2010::barsText(d.bars));
    run.shear = gb2010::shearCapacity(s, d.h0);
    if (std::optional<std::string> cover = gb2010::coverWarning(s.c, d.bars)) {
        run.warnings.push_back(std::move(*cover));
    }
    if (request.detail.sheet) {
        window.replaceText(Control::Text12, gb2010::composeSheet(run));
    }
    return RunOutcome::Completed;
}

} // namespace

std::span<const SteelChoice> Gb50010_2010::steelGrades() const { return kSteelChoices; }

std::span<const FactorDefinition> Gb50010_2010::factors() const { return kFactors; }

std::string_view Gb50010_2010::factorNote() const {
    return "侧压力 K0·γ·z、K0·q；M = γ0·(γG·MG + γQ·γL·MQ)，Mq = MG + ψq·MQ";
}

std::span<const UnusedInput> Gb50010_2010::unusedInputs() const { return kUnused; }

int Gb50010_2010::startupEntry(Control list) const {
    // C30 with HRB400: the grades a new wall is designed with today.
    switch (list) {
    case Control::Combo1: return 3;
    case Control::Combo2: return 2;
    default: return 0;
    }
}

EditionBook Gb50010_2010::book() const {
    return {"《混凝土结构设计规范》GB 50010-2010(2015年版)", kBasis, kMethod, kAssumptions};
}

RunResult Gb50010_2010::design(const RunRequest& request, DesignState&) const {
    RunResult result;
    result.events.reserve(9);
    RecordingWindow window(request.inputs, result.events);
    DesignRun run;
    std::optional<LoadCase> loadCase;
    result.outcome = runUntilStopped(window, [&] { return runStages(*this, request, window, run, loadCase); });
    result.loadCase = loadCase;
    if (request.detail.values) {
        gb2010::noteValues(run, result);
    }
    if (result.completed()) {
        gb2010::addChecks(run, request.detail.report, result.checks);
        if (request.detail.report) {
            gb2010::addProfile(run, result.profile);
            gb2010::addReport(run, kFactors, request.factors, result, result.report);
        }
    }
    return result;
}

} // namespace rampwall
