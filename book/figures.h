// The two drawings of the book, to scale for the design at hand: the wall
// with its elevations (二、计算简图) and the pressure and moment diagrams
// (三、荷载与内力).
#pragma once

#include "book_input.h"
#include "page_flow.h"
#include "typesetter.h"

namespace rampwall::book {

// The elevations as numbers; nullopt when one is not a finite number or the
// retained height h2 - h4 is not positive (a completed run always has one).
struct Levels {
    double h1, h2, h3, h4;
    double h5; // wall thickness, mm
};
std::optional<Levels> levelsOf(const CompletedRun& run);

// Bending moment (kN·m/m) at depth z (m) below the soil surface h2, from the
// loads of the run as the calculation models them; at z = h2 - h4 it is MBk
// before rounding.
double momentAt(const CompletedRun& run, const Levels& levels, double z);

Block wallFigure(const Typesetter& type, const CompletedRun& run);
Block loadFigure(const Typesetter& type, const CompletedRun& run);

} // namespace rampwall::book
