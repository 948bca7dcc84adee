// The quantities of a design in the 2010 edition. All are doubles, formed
// without intermediate rounding; only the boxes and the sheet round them.
#pragma once

#include "edition.h"
#include "materials_2010.h"

#include <optional>
#include <vector>

namespace rampwall {

// One pass of the crack check with bar d at the spacing.
struct CrackPass2010 {
    int d = 0;
    double As = 0;           // area of bar d at the spacing (mm²/m)
    double rhoTeFormula = 0; // As / (0.5·b·h5)
    double rhoTe = 0;        // ρte, at least 0.01
    double sigmaSq = 0;      // σsq under the quasi-permanent moment (N/mm²)
    double psiFormula = 0;   // 1.1 − 0.65·ftk / (ρte·σsq)
    double psi = 0;          // ψ, kept within 0.2 … 1.0
    double deq = 0;          // d / ν (mm)
    double wmax = 0;         // maximum crack width (mm)
};

struct State2010 {
    // Materials: kept from one run to the next, like the 2002 ones, when a
    // list has nothing selected.
    std::optional<int> fcuk;             // cube strength of the selected concrete
    std::optional<SteelGrade2010> steel; // selected from the 2010 list
    ConcreteFactors2010 concrete{};      // α1, β1, εcu of fcuk

    LoadFactors factors; // as this run used them

    // Moments (kN·m per metre of wall).
    double MB11 = 0, MB21 = 0, MB31 = 0, MB42 = 0, MB22 = 0;
    double MG = 0; // permanent: soil and water
    double MQ = 0; // variable: surcharge
    double Mk = 0, M = 0, Mq = 0;

    // Strength.
    double alphaS = 0, xi = 0, xiB = 0;
    double As = 0;            // by the strength formula, before the minimum
    double rhoMinPercent = 0; // max(0.20, 45·ft/fy), in per cent
    double AsMin = 0;         // the minimum area (mm²/m)
    double AsGoverning = 0;   // max(As, AsMin)
    int d = 0;                // the strength bar
    double AsBar = 0;         // its area at the spacing

    // Crack check: every pass in order; the last one is the result.
    double cs = 0; // cover in the crack formula, c kept within 20 … 65 mm
    std::vector<CrackPass2010> passes;
};

} // namespace rampwall
