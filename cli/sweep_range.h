// The range of a sweep: one numeric input stepped from a start to a stop.
#pragma once

#include "cli/usage_error.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>
#include <variant>

namespace rampwall::cli {

// More rows than this is taken for a mistyped step.
inline constexpr std::size_t kMaxSweepRows = 10'000'000;

struct SweepRange {
    std::size_t input = 0; // a box input of kInputs
    double start = 0;
    double step = 0;
    std::size_t count = 0; // values start + i*step for i from 0 to count - 1

    // Computed from i, never by adding steps up, so no error builds up. Where
    // start and i*step cancel, only their rounding is left (0.3 - 3*0.1 is
    // -5.55e-17): a sum within a few units in the last place of its larger
    // term is zero. The start itself is taken as given, however small.
    double value(std::size_t i) const {
        const double offset = static_cast<double>(i) * step;
        const double value = start + offset;
        const double larger = std::fmax(std::fabs(start), std::fabs(offset));
        constexpr double kCancellation = 64 * std::numeric_limits<double>::epsilon();
        return i > 0 && std::fabs(value) <= kCancellation * larger ? 0.0 : value;
    }
};

// Reads NAME=START:STOP:STEP. STOP is included when it lies on the grid (to
// within a billionth of a step). The error says why the text is no usable
// range: an unknown or list input, a number that is not one, a step of zero
// or one that never reaches STOP, or more than kMaxSweepRows rows.
std::variant<SweepRange, UsageError> parseSweep(std::string_view text);

} // namespace rampwall::cli
