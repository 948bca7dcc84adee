// The bar arrangements the 2010 edition designs with, and one candidate's
// flexure (GB 50010-2010 6.2.10, 6.2.7), crack width (7.1.2) and the shear
// of a slab without stirrups (6.3.3). Each candidate has its own h0: the
// cover is measured to the bar's outer edge (8.2.1), so h0 = h5 − c − dmax/2.
#pragma once

#include <string>
#include <vector>

namespace rampwall::gb2010 {

// One bar size, or two neighbouring sizes alternating at the spacing.
struct Bars {
    int small = 0;
    int large = 0; // equal to small for one size

    bool pair() const { return small != large; }
    bool operator==(const Bars&) const = default;
};

// The sizes on sale, smallest first.
inline constexpr int kBarSizes[] = {12, 14, 16, 18, 20, 22, 25, 28, 32};

// "22", or "18/20" for a pair.
std::string barsText(const Bars& bars);
// "22@100", or "18/20@100（即 18@200+20@200）" when explained.
std::string barsAt(const Bars& bars, const std::string& spacing, bool explained);

// Every size and every pair of neighbouring sizes, in order of area: 12,
// 12/14, 14, …, 28/32, 32.
std::vector<Bars> candidates();

// Area per metre at spacing s (mm²/m): a pair is the mean of its two bars'.
double areaOf(const Bars& bars, double spacing);

// What the section gives every candidate alike.
struct Section {
    double fc = 0, ft = 0, ftk = 0;
    double alpha1 = 0, beta1 = 0, epsilonCu = 0;
    double fy = 0, Es = 0, nu = 0;
    double h5 = 0, c = 0, spacing = 0;
    double xiB = 0;           // β1 / (1 + fy/(Es·εcu))
    double rhoMinPercent = 0; // max(0.20, 45·ft/fy), per cent
    double AsMin = 0;         // mm²/m
    double cs = 0;            // c kept within 20 … 65 mm
};

// One candidate as the design tried it.
struct Trial {
    Bars bars;
    double area = 0; // provided, mm²/m
    double h0 = 0;   // mm
    double alphaS = 0;
    bool alphaSBeyond = false; // 1 − 2αs ≤ 0: no ξ exists
    double xi = 0;
    double As = 0;       // by the strength formula, mm²/m
    double AsNeeded = 0; // max(As, As,min)
    bool carries = false;
    // The crack width, once the candidate was checked for it.
    bool crackChecked = false;
    double rhoTeFormula = 0, rhoTe = 0;
    double sigmaSq = 0;
    double psiFormula = 0, psi = 0;
    double deq = 0;
    double wmax = 0;
};

// Flexure of a candidate under the design moment M (kN·m/m): h0, αs, ξ, As
// and whether its area carries max(As, As,min). Stops on a non-finite
// value; αs ≥ 0.5 and ξ > ξb are for the caller to stop on.
Trial flexure(const Section& section, const Bars& bars, double M);

// The crack width of the candidate under the quasi-permanent moment Mq.
void checkCrackWidth(const Section& section, double Mq, Trial& trial);

// The shear a slab without stirrups carries at effective depth h0, kN/m.
struct Shear {
    double h0 = 0;     // of the design's arrangement
    double h0Used = 0; // within 800 … 2000 mm for βh
    double betaH = 0;
    double Vc = 0;
};
Shear shearCapacity(const Section& section, double h0);

} // namespace rampwall::gb2010
