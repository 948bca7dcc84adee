// Sweep mode: one numeric input stepped over a range, the other inputs fixed.
#pragma once

#include "inputs.h"
#include "rows.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace rampwall::cli {

// More rows than this is taken for a mistyped step.
inline constexpr std::size_t kMaxSweepRows = 10'000'000;

struct SweepRange {
    std::size_t input = 0; // a box input of kInputOptions
    double start = 0;
    double step = 0;
    std::size_t count = 0; // values start + i*step for i from 0 to count - 1

    // Computed from i, never by adding steps up, so no error builds up. Near
    // zero the last bit of start + i*step is all that is left (0.3 - 3*0.1 is
    // -5.55e-17), so a value within a billionth of a step of zero is zero.
    double value(std::size_t i) const {
        const double value = start + static_cast<double>(i) * step;
        return std::fabs(value) < std::fabs(step) * 1e-9 ? 0.0 : value;
    }
};

// Reads NAME=START:STOP:STEP. STOP is included when it lies on the grid (to
// within a billionth of a step). Returns the reason when the text is no
// usable range: an unknown or list input, a number that is not one, a step
// of zero or one that never reaches STOP, or more than kMaxSweepRows rows.
std::variant<SweepRange, std::string> parseSweep(std::string_view text);

// Writes the header (the swept input, then each input given in `fixed`, in
// the order of kInputOptions) and one row per value. Returns the exit status.
int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer);

} // namespace rampwall::cli
