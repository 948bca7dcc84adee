// Sweep mode: one numeric input stepped over a range, the other inputs fixed.
#pragma once

#include "inputs.h"
#include "rows.h"
#include "sweep_range.h"

namespace rampwall::cli {

// Writes the header (the swept input, then each input given in `fixed`, in
// the order of kInputOptions) and one row per value. Returns the exit status.
int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer);

} // namespace rampwall::cli
