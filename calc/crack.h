// Crack-width control: checks the maximum crack width at the wall base and,
// while it exceeds the limit by more than 5 %, raises the bar 1 mm at a time
// at the same spacing. Writes Text9, Text11 and Text18.
#pragma once

#include "calc/design_state.h"
#include "calc/input_reader.h"
#include "calc/window_ops.h"

namespace rampwall {

// π as the formula for the bar area writes it.
inline constexpr double kPi = 3.14159265;

// A bar this large has long left engineering sense; the loop gives up there
// rather than run on for limits that cannot be met.
inline constexpr int kLargestDiameter = 10000;

// One pass: ρte, σsk, ψ and W from the current Aas and deq.
void crackPass(DesignState& state, InputReader& inputs);

// The whole loop from the strength results, then the three boxes.
void controlCrackWidth(DesignState& state, InputReader& inputs, WindowOps& window);

} // namespace rampwall
