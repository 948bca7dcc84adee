#include "calc/editions/gb50010_2002.h"

#include "calc/calculation_stop.h"
#include "calc/crack.h"
#include "calc/editions/recording_window.h"
#include "calc/input_reader.h"
#include "calc/load_profile.h"
#include "calc/loads.h"
#include "calc/materials.h"
#include "calc/number_text.h"
#include "calc/report.h"
#include "calc/strength.h"
#include "calc/values_2002.h"

#include <array>

namespace rampwall {

namespace {

constexpr std::array<SteelChoice, kSteelGrades.size()> kSteelChoices = [] {
    std::array<SteelChoice, kSteelGrades.size()> choices{};
    for (std::size_t i = 0; i != choices.size(); ++i) {
        choices[i] = {kSteelGrades[i].entry, kSteelGrades[i].code, kSteelGrades[i].code.starts_with("HPB")};
    }
    return choices;
}();

constexpr std::array<std::string_view, 1> kBasis = {"《混凝土结构设计规范》GB 50010-2002"};
constexpr std::array<std::string_view, 4> kMethod = {
    "设计弯矩 MB = η·MBk，η 为输入的荷载分项系数",
    "受弯承载力：αs = MB·10^6/(fc·b·h0²)，ζ = 1-(1-2αs)^0.5，As = fc·b·h0·ζ/fy，b = 1000 mm",
    "最大裂缝宽度：Wmax = 2.1·ψ·σsk/Es·(1.9c+0.08·deq/ρte)，Es = 2×10^5 N/mm²，ρte ≥ 0.01，0.2 ≤ ψ ≤ 1.0",
    "裂缝宽度允许误差 5%：计算值不超过限值的 1.05 倍即满足",
};

// What a checker must know of this method before reading its numbers.
constexpr std::array<std::string_view, 6> kMethodNotes = {
    "计算方法说明：本计算书按GB 50010-2002的原计算方法计算，原方法的以下做法予以保留：",
    "1．地下水位以下只计水下土本身的三角形土压力，未计入水位以上土重在水下部分产生的土压力；",
    "2．截面有效高度取h0 = h5 - c，未减去钢筋直径的一半；",
    "3．RRB400钢筋按fy = 400 N/mm²取用；土压力、水压力和附加荷载采用同一个荷载分项系数η；",
    "4．裂缝宽度允许超过限值5%，并可选用非标准直径的钢筋。",
    "新设计建议采用GB 50010-2010(2015年版)计算（菜单“规范”中选择）。",
};

// The computed width may exceed the limit by 5 % and still be accepted.
constexpr double kCrackAllowance = 1.05;

// Materials, the eleven inputs, h0 and the load case, in the window's order.
std::optional<LoadCase> readInputs(DesignState& state, WindowOps& window) {
    if (const auto concrete = concreteAt(window.selectedIndex(Control::Combo1))) {
        state.Fc = concrete->Fc;
        state.Ft = concrete->Ft;
        state.Ftk = concrete->Ftk;
    }
    if (const auto steel = steelAt(window.selectedIndex(Control::Combo2))) {
        state.Fy = steel->Fy;
    }
    readBoxes(state, window);
    return loadCaseAt(window.selectedIndex(Control::Combo3));
}

// How far each stage of a run got.
struct Reached {
    std::optional<LoadCase> loadCase;
    float strengthArea = 0;
};

RunOutcome runStages(DesignState& state, WindowOps& window, const RunDetail& detail, Reached& reached) {
    reached.loadCase = readInputs(state, window);
    if (!reached.loadCase) {
        return RunOutcome::NoLoadCase;
    }
    InputReader inputs(state);
    if (*reached.loadCase == LoadCase::CaseA) {
        caseALoads(state, inputs);
    } else {
        caseBLoads(state, inputs);
    }
    if (detail.values) {
        noteLoads2002(state, *reached.loadCase);
    }
    // Zero or negative moments would give negative or no steel, and a
    // division by zero later on.
    if (!(widen(state.MBk) > 0) || !(widen(state.MB) > 0)) {
        stopMomentNotPositive();
    }
    try {
        reached.strengthArea = designForStrength(state, inputs, window);
    } catch (const CalculationStop&) {
        // A stopped run still lists what it formed before the stop.
        if (detail.values) {
            noteStrength2002(state);
        }
        throw;
    }
    if (detail.values) {
        noteStrength2002(state);
    }
    controlCrackWidth(state, inputs, window);
    if (detail.values) {
        noteCrackCheck2002(state);
    }
    if (detail.sheet) {
        window.replaceText(Control::Text12, composeReport(state, *reached.loadCase, reached.strengthArea));
    }
    return RunOutcome::Completed;
}

// "23@100": the spacing as a number, whatever blanks or digits it was typed with.
std::string barAt(const BarDiameter& bar, const std::string& spacing) {
    const std::optional<double> ss = parseDouble(spacing);
    return textOf(bar) + "@" + (ss ? formatDouble(*ss) : spacing);
}

void addChecks(const DesignState& state, bool texts, std::vector<Check>& checks) {
    Check strength{"受弯承载力", {}, {}, {}, widen(state.alfas) < 0.5};
    const std::optional<double> limit = parseDouble(state.Wmax);
    const double allowed = limit ? kCrackAllowance * *limit : 0;
    Check crack{"最大裂缝宽度", {}, {}, {}, limit && !(widen(state.W) - allowed > 0)};
    if (texts) {
        strength.value = "αs = " + textOf(state.alfas);
        // The moment message let the run go on with ζ = 1: the section is too small.
        strength.requirement = "< 0.5";
        crack.value = "Wmax = " + textOf(state.W) + " mm";
        crack.requirement =
            "≤ " + formatDouble(kCrackAllowance) + " × " + state.Wmax + " mm = " + formatDouble(allowed) + " mm";
    }
    checks.reserve(checks.size() + 2);
    checks.push_back(std::move(strength));
    checks.push_back(std::move(crack));
}

PressureLayer layer(std::string name, const std::string& symbol, const DoubleField& q, std::string where,
                    const std::string& momentSymbol, const SingleField& moment, const PressureSegment& segment) {
    return pressureLayer(std::move(name), symbol, textOf(q), std::move(where), momentSymbol, textOf(moment), segment);
}

void addProfile(const DesignState& state, LoadCase loadCase, LoadProfile& profile) {
    if (loadCase == LoadCase::CaseA) {
        const double a = widen(state.a);
        const double b = widen(state.b);
        profile.height = a + b;
        profile.waterDepth = b;
        // The soil above the water table presses as a triangle over b only.
        profile.layers.push_back(
            layer("水上土压力", "q11", state.q11, "（水位处）", "MB11", state.MB11, {0, b, 0, widen(state.q11)}));
        profile.layers.push_back(
            layer("水下土压力", "q21", state.q21, "（墙底）", "MB21", state.MB21, {b, a + b, 0, widen(state.q21)}));
        profile.layers.push_back(
            layer("水压力", "q31", state.q31, "（墙底）", "MB31", state.MB31, {b, a + b, 0, widen(state.q31)}));
        profile.layers.push_back(layer("附加荷载", "q42", state.q42, "（均布）", "MB42", state.MB42,
                                       {0, a + b, widen(state.q42), widen(state.q42)}));
    } else {
        const double H = parseDouble(state.h2).value_or(0) - parseDouble(state.h4).value_or(0);
        profile.height = H;
        profile.layers.push_back(
            layer("土压力", "q11", state.q11, "（墙底）", "MB11", state.MB11, {0, H, 0, widen(state.q11)}));
        profile.layers.push_back(layer("附加荷载", "q22", state.q22, "（均布）", "MB22", state.MB22,
                                       {0, H, widen(state.q22), widen(state.q22)}));
    }
    profile.momentName = "MBk";
    profile.momentText = textOf(state.MBk);
    tracePoints(profile);
}

void addReport(const DesignState& state, LoadCase loadCase, float strengthArea, const RunResult& result,
               RunReport& report) {
    const bool caseA = loadCase == LoadCase::CaseA;
    report.inputNotes = {
        {Control::Text4, "截面有效高度 h0 = h5 - c = " + textOf(state.h0) + " mm"},
        {Control::Combo1,
         "fc = " + textOf(state.Fc) + "，ft = " + textOf(state.Ft) + "，ftk = " + textOf(state.Ftk) + "（N/mm²）"},
        {Control::Combo2, "fy = " + textOf(state.Fy) + " N/mm²"},
        {Control::Text14, caseA ? "γ，水下土取 γ-10" : "γ"},
        {Control::Text15, "地面附加荷载 Qfj，侧压力系数 0.5"},
        {Control::Text5, "η，MB = η·MBk"},
    };
    report.forces = {
        {"弯矩标准值", "MBk = " + textOf(state.MBk)},
        {"弯矩设计值", "MB = η·MBk = " + textOf(state.MB)},
    };
    const std::string strengthBar = barAt(state.d, state.ss);
    const std::string crackBar = barAt(state.deq, state.ss);
    report.results = {
        {"弯矩标准值 MBk", textOf(state.MBk) + " kN·m/m"},
        {"弯矩设计值 MB", textOf(state.MB) + " kN·m/m"},
        {"强度控制配筋", "As = " + textOf(SingleField(strengthArea)) + " mm²/m，选用 " + strengthBar, 0},
        {"裂缝控制配筋", "As = " + textOf(state.Aas) + " mm²/m，选用 " + crackBar},
    };
    const bool strengthMet = !result.checks.empty() && result.checks[0].satisfied;
    const bool crackMet = result.checks.size() > 1 && result.checks[1].satisfied;
    std::string conclusion = std::string("结论：墙底") + (caseA ? "迎水面" : "迎土面") + "竖向受力钢筋取 " + crackBar +
                             "（As = " + textOf(state.Aas) + " mm²/m），";
    if (strengthMet && crackMet) {
        conclusion += "满足强度及裂缝宽度要求。";
    } else {
        if (!strengthMet) {
            conclusion += "不满足强度要求：" + std::string(kMomentTooLargeMessage) + "。";
        }
        if (!crackMet) {
            conclusion += "不满足裂缝宽度要求。";
        }
    }
    report.conclusion = std::move(conclusion);
}

} // namespace

std::span<const SteelChoice> Gb50010_2002::steelGrades() const { return kSteelChoices; }

EditionBook Gb50010_2002::book() const {
    return {"《混凝土结构设计规范》GB 50010-2002", kBasis, kMethod, kMethodNotes};
}

RunResult Gb50010_2002::design(const RunRequest& request, DesignState& state) const {
    RunResult result;
    result.events.reserve(9);
    RecordingWindow window(request.inputs, result.events);
    state.values.clear();
    Reached reached;
    result.outcome = runUntilStopped(window, [&] { return runStages(state, window, request.detail, reached); });
    result.loadCase = reached.loadCase;
    if (request.detail.values) {
        result.values = std::move(state.values);
        state.values.clear();
    }
    if (result.completed()) {
        addChecks(state, request.detail.report, result.checks);
        if (request.detail.report) {
            addProfile(state, *reached.loadCase, result.profile);
            addReport(state, *reached.loadCase, reached.strengthArea, result, result.report);
        }
    }
    return result;
}

} // namespace rampwall
