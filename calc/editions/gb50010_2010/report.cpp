#include "calc/editions/gb50010_2010/report.h"

#include "calc/decimal_text.h"
#include "calc/load_profile.h"
#include "calc/number_text.h"

namespace rampwall::gb2010 {

namespace {

// The sheet's form of a number: five significant digits, at least three decimals.
std::string shown(double value) { return significantText(value, 5, 3); }
// The boxes' form: three decimals.
std::string boxed(double value) { return decimalText(value, 3); }

// The trial whose h0, αs and ξ the values give: the design's, or for a run
// that stopped the last one tried.
const Trial* reportedTrial(const DesignRun& run) {
    if (run.design) {
        return &run.designTrial();
    }
    return run.trials.empty() ? nullptr : &run.trials.back();
}

} // namespace

void noteValues(const DesignRun& run, RunResult& result) {
    NamedValues& v = result.values;
    if (run.actionsFormed) {
        const Actions& x = run.actions;
        if (x.loadCase == LoadCase::CaseA) {
            v.insert(v.end(), {{"a", x.a}, {"b", x.b}});
        }
        v.insert(v.end(), {{"H", x.H}, {"q11", x.q11}, {"MB11", x.MB11}});
        if (x.loadCase == LoadCase::CaseA) {
            v.insert(v.end(), {{"MB12", x.MB12}, {"q21", x.q21}, {"MB21", x.MB21}, {"q31", x.q31}, {"MB31", x.MB31}});
        }
        v.insert(v.end(), {{"q42", x.q42},
                           {"MB42", x.MB42},
                           {"MG", x.MG},
                           {"MQ", x.MQ},
                           {"VG", x.VG},
                           {"VQ", x.VQ},
                           {"Mk", x.Mk},
                           {"M", x.M},
                           {"Mq", x.Mq},
                           {"V", x.V}});
    }
    if (run.sectionFormed) {
        const Section& s = run.section;
        v.insert(v.end(), {{"alpha_1", s.alpha1},
                           {"beta_1", s.beta1},
                           {"epsilon_cu", s.epsilonCu},
                           {"xi_b", s.xiB},
                           {"As_min", s.AsMin},
                           {"c_s", s.cs}});
    }
    if (const Trial* t = reportedTrial(run)) {
        v.insert(v.end(), {{"h0", t->h0}, {"alpha_s", t->alphaS}});
        if (!t->alphaSBeyond) {
            v.insert(v.end(), {{"xi", t->xi}, {"As_required", t->As}});
        }
    }
    if (run.strength) {
        v.push_back({"As_strength", run.trials.at(*run.strength).AsNeeded});
        result.texts.push_back({"strength_bar", barsText(run.trials.at(*run.strength).bars)});
    }
    if (run.design) {
        const Trial& d = run.designTrial();
        v.insert(v.end(), {{"As", d.area},
                           {"rho_te", d.rhoTe},
                           {"sigma_sq", d.sigmaSq},
                           {"psi", d.psi},
                           {"d_eq", d.deq},
                           {"w_max", d.wmax}});
        result.texts.push_back({"bar", barsText(d.bars)});
    }
    if (run.shear) {
        v.insert(v.end(), {{"beta_h", run.shear->betaH}, {"V_c", run.shear->Vc}});
    }
}

void addChecks(const DesignRun& run, bool texts, std::vector<Check>& checks) {
    const Trial& d = run.designTrial();
    const Section& s = run.section;
    const double limit = parseDouble(run.limit).value_or(0);
    Check strength{"受弯承载力", "GB 50010-2010 第6.2.10条、第6.2.7条", {}, {}, d.xi <= s.xiB && d.area >= d.As};
    Check minimum{"最小配筋率", "GB 50010-2010 第8.5.1条", {}, {}, d.area >= s.AsMin};
    Check crack{"最大裂缝宽度", "GB 50010-2010 第7.1.2条", {}, {}, d.wmax <= limit};
    Check shear{"斜截面受剪承载力", "GB 50010-2010 第6.3.3条", {}, {}, run.actions.V <= run.shear->Vc};
    if (texts) {
        strength.value = "ξ = " + shown(d.xi);
        strength.requirement = "≤ ξb = " + shown(s.xiB);
        minimum.value = "As = " + boxed(d.area) + " mm²/m";
        minimum.requirement = "≥ As,min = " + boxed(s.AsMin) + " mm²/m";
        crack.value = "wmax = " + boxed(d.wmax) + " mm";
        crack.requirement = "≤ " + run.limit + " mm";
        shear.value = "V = " + boxed(run.actions.V) + " kN/m";
        shear.requirement = "≤ Vc = " + boxed(run.shear->Vc) + " kN/m";
    }
    checks.reserve(checks.size() + 4);
    checks.push_back(std::move(strength));
    checks.push_back(std::move(minimum));
    checks.push_back(std::move(crack));
    checks.push_back(std::move(shear));
}

namespace {

PressureLayer layer(std::string name, const std::string& symbol, double q, std::string where,
                    const std::string& momentSymbol, double moment, const PressureSegment& segment) {
    return pressureLayer(std::move(name), symbol, shown(q), std::move(where), momentSymbol, shown(moment), segment);
}

} // namespace

void addProfile(const DesignRun& run, LoadProfile& profile) {
    const Actions& x = run.actions;
    profile.height = x.H;
    if (x.loadCase == LoadCase::CaseA) {
        const double a = x.a;
        const double b = x.b;
        profile.waterDepth = b;
        profile.layers.push_back(layer("水上土压力", "q11", x.q11, "（水位处）", "MB11", x.MB11, {0, b, 0, x.q11}));
        profile.layers.push_back(
            layer("水上土重（水下段）", "q11", x.q11, "（均布）", "MB12", x.MB12, {b, b + a, x.q11, x.q11}));
        profile.layers.push_back(layer("水下土压力", "q21", x.q21, "（墙底）", "MB21", x.MB21, {b, b + a, 0, x.q21}));
        profile.layers.push_back(layer("水压力", "q31", x.q31, "（墙底）", "MB31", x.MB31, {b, b + a, 0, x.q31}));
        profile.layers.push_back(layer("附加荷载", "q42", x.q42, "（均布）", "MB42", x.MB42, {0, x.H, x.q42, x.q42}));
    } else {
        profile.layers.push_back(layer("土压力", "q11", x.q11, "（墙底）", "MB11", x.MB11, {0, x.H, 0, x.q11}));
        profile.layers.push_back(layer("附加荷载", "q42", x.q42, "（均布）", "MB42", x.MB42, {0, x.H, x.q42, x.q42}));
    }
    profile.momentName = "Mk";
    profile.momentText = boxed(x.Mk);
    profile.shearName = "Vk";
    profile.shearText = boxed(x.VG + x.VQ);
    tracePoints(profile);
}

void addReport(const DesignRun& run, std::span<const FactorDefinition> factors, const FactorValues& values,
               const RunResult& result, RunReport& report) {
    const Actions& x = run.actions;
    const Section& s = run.section;
    const Trial& strength = run.trials.at(*run.strength);
    const Trial& d = run.designTrial();
    const bool caseA = x.loadCase == LoadCase::CaseA;
    report.inputNotes = {
        {Control::Text4, "h0 = h5 - c - d/2 = " + shown(d.h0) + " mm（" + barsText(d.bars) + "，d 取较大直径）"},
        {Control::Text13, "算至竖向受力钢筋外边缘，cs = " + shown(s.cs) + " mm"},
        {Control::Combo1, "fc = " + formatDouble(s.fc) + "，ft = " + formatDouble(s.ft) + "，ftk = " +
                              formatDouble(s.ftk) + "（N/mm²），α1 = " + shown(s.alpha1) + "，β1 = " + shown(s.beta1)},
        {Control::Combo2,
         "fy = " + formatDouble(s.fy) + " N/mm²，Es = " + formatDouble(s.Es) + " N/mm²，ν = " + formatDouble(s.nu)},
        {Control::Text14, caseA ? "γ，水下土取 γ-10，γw = 10 kN/m³" : "γ"},
        {Control::Text15, "地面附加荷载 q，侧压力 K0·q"},
    };
    report.forces = {
        {"永久作用弯矩", "MG = " + shown(x.MG)},
        {"可变作用弯矩", "MQ = " + shown(x.MQ)},
        {"弯矩设计值（基本组合）", "M = γ0·(γG·MG + γQ·γL·MQ) = " + shown(x.M)},
        {"准永久弯矩（准永久组合）", "Mq = MG + ψq·MQ = " + shown(x.Mq)},
        {"墙底剪力设计值（基本组合）", "V = γ0·(γG·VG + γQ·γL·VQ) = " + shown(x.V) + " kN/m"},
    };
    report.results = {
        {"弯矩标准值 Mk", boxed(x.Mk) + " kN·m/m"},
        {"弯矩设计值 M", boxed(x.M) + " kN·m/m"},
        {"强度控制配筋",
         "As = " + boxed(strength.AsNeeded) + " mm²/m，" + barsAt(strength.bars, formatDouble(s.spacing), false), 0},
        {"裂缝控制配筋（实配）", barsAt(d.bars, formatDouble(s.spacing), true) + "，As = " + boxed(d.area) +
                                     " mm²/m，h0 = " + shown(d.h0) + " mm"},
    };
    for (const FactorDefinition& factor : factors) {
        report.factors.emplace_back(&factor, values.value(factor));
    }
    std::string failed;
    for (const Check& check : result.checks) {
        if (!check.satisfied) {
            failed += (failed.empty() ? "" : "、") + std::string(check.name);
        }
    }
    report.conclusion = std::string("结论：墙底") + (caseA ? "迎水面" : "迎土面") + "竖向受力钢筋取 " +
                        barsAt(d.bars, formatDouble(s.spacing), true) + "（As = " + boxed(d.area) + " mm²/m），" +
                        (failed.empty() ? std::string("各项验算均满足要求。")
                                        : "不满足" + failed + "的要求，请增加外墙厚度或提高混凝土强度等级。");
    report.warnings = run.warnings;
}

} // namespace rampwall::gb2010
