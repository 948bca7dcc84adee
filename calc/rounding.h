// Checked arithmetic for the formulas: every stored result passes through
// here, so a division by zero, a non-finite value or a value beyond the
// 32-bit range stops the run with a message instead of reaching a box.
#pragma once

#include <string_view>

namespace rampwall {

// numerator / denominator; stops the run when the denominator is zero.
double divide(double numerator, double denominator, std::string_view quantity);

// Stops the run unless value is finite.
double finite(double value, std::string_view quantity);

// The three steps that store a computed field: narrow to the nearest 32-bit
// value, round by SSWR, store. Stops the run for a value SSWR is not defined
// for (non-finite, or of magnitude 3.4028235e34 and beyond).
float roundStored(double value, std::string_view quantity);
float roundStored(float value, std::string_view quantity);

} // namespace rampwall
