// Sweep mode: one numeric input stepped over a range, the other inputs fixed.
#pragma once

#include "cli/inputs.h"
#include "cli/rows.h"
#include "cli/sweep_range.h"

namespace rampwall::cli {

// Writes the header (the swept input, then each input given in `fixed`, in
// the order of kInputs) and one row per value. Returns the exit status.
int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer);

} // namespace rampwall::cli
