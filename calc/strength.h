// Steel by strength on one metre of wall (rectangular section by αs and ζ)
// and the bar chosen for the spacing. Writes Text6, Text7 and Text19.
#pragma once

#include "calc/design_state.h"
#include "calc/input_reader.h"
#include "calc/window_ops.h"

namespace rampwall {

// The bar table: diameter (mm) and the area one bar of it carries (mm²),
// largest first. The areas are the cross-sections to one decimal, except 314.
struct BarSize {
    int diameter;
    double threshold;
};
inline constexpr BarSize kBarTable[] = {
    {25, 490.9}, {22, 380.1}, {20, 314}, {18, 254.5}, {16, 201.1}, {14, 153.9}, {12, 113.1},
};

// The smallest bar whose area is at least SAas, or TooLarge. SAas is
// compared widened to double, so a rounded-up 380.1 (380.1000061) is above
// the 22 mm threshold.
BarDiameter chooseBar(float SAas);

// Returns the steel area by strength, which the crack loop may raise later.
// Stops the run when no bar is large enough (stopNoBar).
float designForStrength(DesignState& state, InputReader& inputs, WindowOps& window);

} // namespace rampwall
