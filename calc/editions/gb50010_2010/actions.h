// The actions on one metre of wall in the 2010 edition: the earth at rest,
// the water and the surcharge, their moments and shears at the base, and
// the basic and quasi-permanent combinations. Doubles, never rounded.
#pragma once

#include "calc/input_reader.h"
#include "calc/materials.h"

namespace rampwall::gb2010 {

// The factors of the edition, as the run uses them.
struct Factors {
    double K0 = 0.5;     // earth pressure at rest
    double gamma0 = 1.0; // structural importance
    double gammaG = 1.3; // permanent actions: earth and water
    double gammaQ = 1.5; // variable actions: the surcharge
    double gammaL = 1.0; // design working life of 50 years
    double psiQ = 0.6;   // quasi-permanent part of the surcharge
};

// The unit weight of water, kN/m³.
inline constexpr double kWaterWeight = 10;

struct Actions {
    LoadCase loadCase = LoadCase::CaseA;
    double a = 0, b = 0; // Case A: heights below and above the water table (m)
    double H = 0;        // the retained height h2 − h4 (m)
    // Line loads at their deepest points (kN/m) and moments about the base (kN·m/m).
    double q11 = 0, q21 = 0, q31 = 0, q42 = 0;
    double MB11 = 0, MB12 = 0, MB21 = 0, MB31 = 0, MB42 = 0;
    double MG = 0, MQ = 0; // permanent (earth and water) and variable (surcharge) moments
    double VG = 0, VQ = 0; // and shears, kN/m
    double Mk = 0;         // MG + MQ
    double M = 0, V = 0;   // the basic combination
    double Mq = 0;         // the quasi-permanent combination
};

// Checks the elevations of the case (the elevation message stops the run),
// then forms the loads, moments, shears and combinations; a value that is
// not finite stops the run with the quantity named.
Actions actionsOf(InputReader& inputs, LoadCase loadCase, const Factors& factors);

} // namespace rampwall::gb2010
