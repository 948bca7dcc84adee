#include "calc/editions/gb50010_2010/arrangements.h"

#include "calc/calculation_stop.h"
#include "calc/number_text.h"
#include "calc/rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rampwall::gb2010 {

namespace {

// One bar's cross-section, mm².
double barArea(int d) { return std::numbers::pi * d * d / 4; }

} // namespace

std::string barsText(const Bars& bars) {
    return bars.pair() ? formatInteger(bars.small) + "/" + formatInteger(bars.large) : formatInteger(bars.small);
}

std::string barsAt(const Bars& bars, const std::string& spacing, bool explained) {
    std::string text = barsText(bars) + "@" + spacing;
    if (bars.pair() && explained) {
        // The two sizes alternate, each at twice the spacing.
        const std::optional<double> ss = parseDouble(spacing);
        const std::string twice = ss ? formatDouble(2 * *ss) : "2*" + spacing;
        text +=
            "（即 " + formatInteger(bars.small) + "@" + twice + "+" + formatInteger(bars.large) + "@" + twice + "）";
    }
    return text;
}

std::vector<Bars> candidates() {
    std::vector<Bars> all;
    for (std::size_t i = 0; i < std::size(kBarSizes); ++i) {
        if (i > 0) {
            all.push_back({kBarSizes[i - 1], kBarSizes[i]});
        }
        all.push_back({kBarSizes[i], kBarSizes[i]});
    }
    return all;
}

double areaOf(const Bars& bars, double spacing) {
    return finite((barArea(bars.small) + barArea(bars.large)) / 2 * 1000 / spacing, "As");
}

Trial flexure(const Section& s, const Bars& bars, double M) {
    Trial t;
    t.bars = bars;
    t.area = areaOf(bars, s.spacing);
    t.h0 = s.h5 - s.c - static_cast<double>(bars.large) / 2;
    if (!(t.h0 > 0)) {
        stopNoEffectiveDepth(bars.large);
    }
    t.alphaS = finite(divide(M * 1000000, s.alpha1 * s.fc * 1000 * (t.h0 * t.h0), "αs"), "αs");
    const double remainder = 1 - 2 * t.alphaS;
    if (!(remainder > 0)) {
        t.alphaSBeyond = true;
        return t;
    }
    t.xi = 1 - std::sqrt(remainder);
    t.As = finite(divide(s.alpha1 * s.fc * 1000 * t.h0 * t.xi, s.fy, "As"), "As");
    t.AsNeeded = std::max(t.As, s.AsMin);
    t.carries = t.area >= t.AsNeeded;
    return t;
}

void checkCrackWidth(const Section& s, double Mq, Trial& t) {
    t.crackChecked = true;
    t.rhoTeFormula = finite(divide(t.area, 0.5 * 1000 * s.h5, "ρte"), "ρte");
    t.rhoTe = std::max(t.rhoTeFormula, 0.01);
    t.sigmaSq = finite(divide(Mq * 1000000, 0.87 * t.h0 * t.area, "σsq"), "σsq");
    t.psiFormula = finite(1.1 - divide(0.65 * s.ftk, t.rhoTe * t.sigmaSq, "ψ"), "ψ");
    t.psi = std::clamp(t.psiFormula, 0.2, 1.0);
    // Σd²/Σ(ν·d) over the bars: one of each size of a pair.
    const auto d1 = static_cast<double>(t.bars.small);
    const auto d2 = static_cast<double>(t.bars.large);
    t.deq = t.bars.pair() ? divide(d1 * d1 + d2 * d2, s.nu * d1 + s.nu * d2, "deq") : divide(d1, s.nu, "deq");
    t.wmax = finite(
        divide(1.9 * t.psi * t.sigmaSq, s.Es, "wmax") * (1.9 * s.cs + divide(0.08 * t.deq, t.rhoTe, "wmax")), "wmax");
}

Shear shearCapacity(const Section& s, double h0) {
    Shear shear;
    shear.h0 = h0;
    shear.h0Used = std::clamp(h0, 800.0, 2000.0);
    shear.betaH = std::pow(800 / shear.h0Used, 0.25);
    shear.Vc = finite(0.7 * shear.betaH * s.ft * 1000 * h0 / 1000, "Vc");
    return shear;
}

} // namespace rampwall::gb2010
