// A design to GB 50010-2010 (2015 revision), from the inputs read to the six
// result boxes: loads and moments without intermediate rounding, the design
// and quasi-permanent moments from the load factors, steel by strength with
// the balanced-section limit and the minimum steel, and the crack check of
// clause 7.1.2 with the bar raised 1 mm at a time until the width fits.
#pragma once

#include "compute.h"
#include "design_state.h"
#include "input_reader.h"
#include "materials.h"
#include "window_ops.h"

#include <array>

namespace rampwall {

// The bars the strength design chooses from, smallest first.
inline constexpr std::array<int, 7> kStrengthBars2010 = {12, 14, 16, 18, 20, 22, 25};

// Area per metre of bars of diameter d at spacing ss, from the exact
// cross-section π·d²/4 (mm²/m).
double barArea2010(int d, double ss);

// Runs after the inputs and materials are read, with the options' factors.
// Writes Text6, Text7 and Text19, then Text9, Text11 and Text18, fills
// state.gb2010 and, when the options ask, appends the run's named values; a
// stop is thrown as CalculationStop.
void design2010(DesignState& state, InputReader& inputs, WindowOps& window, LoadCase loadCase,
                const ComputeOptions& options);

} // namespace rampwall
