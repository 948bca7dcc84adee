#include "design_2010.h"

#include "calculation_stop.h"
#include "crack.h"
#include "decimal_text.h"
#include "loads.h"
#include "number_text.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rampwall {

namespace {

// The boxes show three decimals.
constexpr int kBoxDecimals = 3;

// Appends a named value when the run records them.
class Notes {
public:
    explicit Notes(NamedValues* values) : m_values(values) {}
    void operator()(std::string_view name, double value) const {
        if (m_values != nullptr) {
            m_values->push_back({name, value});
        }
    }

private:
    NamedValues* m_values;
};

void caseALoads2010(DesignState& state, InputReader& inputs, const Notes& note) {
    checkCaseAElevations(inputs);
    State2010& s = state.gb2010;
    const double a = finite(inputs.h3() - inputs.h4(), "a");
    const double b = finite(inputs.h2() - inputs.h3(), "b");
    state.a = a;
    state.b = b;
    note("a", a);
    note("b", b);

    // The formulas of the 2002 edition, each moment kept unrounded.
    const double q11 = finite(0.5 * b * inputs.TRZ(), "q11");
    s.MB11 = finite(0.5 * q11 * b * (a + b / 3), "MB11");
    const double q21 = finite(0.5 * (inputs.TRZ() - 10) * a, "q21");
    s.MB21 = finite(q21 * a * a / 6, "MB21");
    const double q31 = finite(10 * a, "q31");
    s.MB31 = finite((1.0 / 6) * q31 * a * a, "MB31");
    const double q42 = finite(0.5 * inputs.FJHZ(), "q42");
    s.MB42 = finite(0.5 * q42 * (a + b) * (a + b), "MB42");
    state.q11 = q11;
    state.q21 = q21;
    state.q31 = q31;
    state.q42 = q42;
    note("q11", q11);
    note("MB11", s.MB11);
    note("q21", q21);
    note("MB21", s.MB21);
    note("q31", q31);
    note("MB31", s.MB31);
    note("q42", q42);
    note("MB42", s.MB42);

    // Soil and water are permanent actions; the surcharge is the variable one.
    s.MG = finite(s.MB11 + s.MB21 + s.MB31, "MG");
    s.MQ = s.MB42;
}

void caseBLoads2010(DesignState& state, InputReader& inputs, const Notes& note) {
    checkCaseBElevations(inputs);
    State2010& s = state.gb2010;
    const double H = finite(inputs.h2() - inputs.h4(), "h2-h4");
    const double q11 = finite(0.5 * H * inputs.TRZ(), "q11");
    s.MB11 = finite(1.0 / 6 * q11 * H * H, "MB11");
    const double q22 = finite(0.5 * inputs.FJHZ(), "q22");
    s.MB22 = finite(0.5 * q22 * H * H, "MB22");
    state.q11 = q11;
    state.q22 = q22;
    note("q11", q11);
    note("MB11", s.MB11);
    note("q22", q22);
    note("MB22", s.MB22);

    s.MG = s.MB11;
    s.MQ = s.MB22;
}

void combineMoments(DesignState& state, const LoadFactors& factors, const Notes& note) {
    if (const std::optional<std::string> problem = loadFactorProblem(factors)) {
        throw CalculationStop(*problem);
    }
    State2010& s = state.gb2010;
    s.factors = factors;
    s.Mk = finite(s.MG + s.MQ, "Mk");
    s.M = finite(factors.gamma0 * (factors.gammaG * s.MG + factors.gammaQ * factors.gammaL * s.MQ), "M");
    s.Mq = finite(s.MG + factors.psiQ * s.MQ, "Mq");
    note("MG", s.MG);
    note("MQ", s.MQ);
    note("Mk", s.Mk);
    note("M", s.M);
    note("Mq", s.Mq);
    // Zero or negative moments would give negative or no steel, and a
    // division by zero later on.
    if (!(s.Mk > 0) || !(s.M > 0) || !(s.Mq > 0)) {
        stopMomentNotPositive2010();
    }
}

void designForStrength2010(DesignState& state, InputReader& inputs, WindowOps& window, const Notes& note) {
    State2010& s = state.gb2010;
    // A run that never had a grade selected has none of these: 0, as in the
    // 2002 edition, which the divisions below then stop at.
    s.concrete = state.gb2010.fcuk ? concreteFactors2010(*state.gb2010.fcuk) : ConcreteFactors2010{};
    const double alpha1 = s.concrete.alpha1;
    const double fy = s.steel ? s.steel->fy : 0;
    const double Es = s.steel ? s.steel->Es : 0;
    const double fc = widen(state.Fc);
    const double h0 = widen(state.h0);
    note("alpha_1", alpha1);
    note("beta_1", s.concrete.beta1);
    note("epsilon_cu", s.concrete.epsilonCu);

    s.alphaS = finite(divide(s.M * 1000000, alpha1 * fc * 1000 * (h0 * h0), "αs"), "αs");
    note("alpha_s", s.alphaS);
    const double remainder = 1 - 2 * s.alphaS;
    if (!(remainder > 0)) {
        stopAlphaSTooLarge(s.alphaS);
    }
    s.xi = 1 - std::sqrt(remainder);
    s.xiB = finite(divide(s.concrete.beta1, 1 + divide(fy, Es * s.concrete.epsilonCu, "ξb"), "ξb"), "ξb");
    note("xi", s.xi);
    note("xi_b", s.xiB);
    if (s.xi > s.xiB) {
        stopXiBeyondBalanced(s.xi, s.xiB);
    }

    const double h5 = inputs.h5();
    s.As = finite(divide(alpha1 * fc * 1000 * h0 * s.xi, fy, "As"), "As");
    s.rhoMinPercent = std::max(0.20, divide(45 * widen(state.Ft), fy, "As,min"));
    s.AsMin = finite(s.rhoMinPercent / 100 * 1000 * h5, "As,min");
    s.AsGoverning = std::max(s.As, s.AsMin);
    note("As_required", s.As);
    note("As_min", s.AsMin);
    note("As_strength", s.AsGoverning);
    window.replaceText(Control::Text6, decimalText(s.Mk, kBoxDecimals));
    window.replaceText(Control::Text7, decimalText(s.AsGoverning, kBoxDecimals));

    const double ss = inputs.ss();
    if (!(ss > 0)) {
        stopNotPositive(Control::Text10);
    }
    s.d = 0;
    for (int d : kStrengthBars2010) {
        const double area = barArea2010(d, ss);
        if (area >= s.AsGoverning) {
            s.d = d;
            s.AsBar = area;
            break;
        }
    }
    if (s.d == 0) {
        window.replaceText(Control::Text19, kTooLargeText);
        throw CalculationStop(std::string(kNoBarMessage));
    }
    note("d_strength", s.d);
    window.replaceText(Control::Text19, formatInteger(s.d));
}

CrackPass2010 crackPass2010(const DesignState& state, int d, double ss, double h5) {
    const State2010& s = state.gb2010;
    CrackPass2010 pass;
    pass.d = d;
    pass.As = barArea2010(d, ss);
    pass.rhoTeFormula = finite(divide(pass.As, 0.5 * 1000 * h5, "ρte"), "ρte");
    pass.rhoTe = std::max(pass.rhoTeFormula, 0.01);
    pass.sigmaSq = finite(divide(s.Mq * 1000000, 0.87 * widen(state.h0) * pass.As, "σsq"), "σsq");
    pass.psiFormula = finite(1.1 - divide(0.65 * widen(state.Ftk), pass.rhoTe * pass.sigmaSq, "ψ"), "ψ");
    pass.psi = std::clamp(pass.psiFormula, 0.2, 1.0);
    pass.deq = divide(d, s.steel ? s.steel->nu : 0, "deq");
    const double Es = s.steel ? s.steel->Es : 0;
    pass.wmax = finite(divide(1.9 * pass.psi * pass.sigmaSq, Es, "wmax") *
                           (1.9 * s.cs + divide(0.08 * pass.deq, pass.rhoTe, "wmax")),
                       "wmax");
    return pass;
}

void controlCrackWidth2010(DesignState& state, InputReader& inputs, WindowOps& window, const Notes& note) {
    State2010& s = state.gb2010;
    const double limit = inputs.Wmax();
    if (!(limit > 0)) {
        stopNotPositive(Control::Text8);
    }
    const double ss = inputs.ss();
    const double h5 = inputs.h5();
    s.cs = std::clamp(widen(state.c), 20.0, 65.0);
    s.passes.clear();

    // Every pass uses the area of its own bar; no allowance over the limit.
    for (int d = s.d;; ++d) {
        if (d > kLargestDiameter) {
            stopCrackLimitUnreachable(kLargestDiameter);
        }
        s.passes.push_back(crackPass2010(state, d, ss, h5));
        if (s.passes.back().wmax <= limit) {
            break;
        }
    }

    const CrackPass2010& last = s.passes.back();
    note("d", last.d);
    note("As", last.As);
    note("rho_te", last.rhoTe);
    note("sigma_sq", last.sigmaSq);
    note("psi", last.psi);
    note("c_s", s.cs);
    note("d_eq", last.deq);
    note("w_max", last.wmax);
    window.replaceText(Control::Text9, decimalText(last.As, kBoxDecimals));
    window.replaceText(Control::Text11, decimalText(last.wmax, kBoxDecimals));
    window.replaceText(Control::Text18, formatInteger(last.d));
}

} // namespace

double barArea2010(int d, double ss) { return finite(divide(std::numbers::pi * d * d / 4 * 1000, ss, "As"), "As"); }

void design2010(DesignState& state, InputReader& inputs, WindowOps& window, LoadCase loadCase,
                const ComputeOptions& options) {
    const Notes note(options.namedValues ? &state.values : nullptr);
    if (loadCase == LoadCase::CaseA) {
        caseALoads2010(state, inputs, note);
    } else {
        caseBLoads2010(state, inputs, note);
    }
    combineMoments(state, options.factors, note);
    designForStrength2010(state, inputs, window, note);
    controlCrackWidth2010(state, inputs, window, note);
}

} // namespace rampwall
