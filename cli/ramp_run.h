// Ramp mode: the wall along a whole ramp, segment by segment, printed as a
// CSV schedule, and on request as a workbook and a calculation book.
#pragma once

#include "calc/ramp/ramp_design.h"
#include "cli/inputs.h"
#include "cli/options.h"
#include "design/design_file.h"

#include <ostream>
#include <string>

namespace rampwall::cli {

// The ramp of a design file (or the start-up ramp) with the options typed over it.
ramp::RampInput rampOf(const Options& options, const std::optional<ramp::RampInput>& fromFile);

// Designs the ramp over the inputs and writes the schedule to `out`, the
// total to `err`, and the workbook and book the options ask for. Returns
// the exit status: completed when every segment is ok or none, else not
// completed when a segment stopped, else a failed check.
int runRamp(const Options& options, const DesignInputs& inputs, const ramp::RampInput& input,
            const design::DesignFile& base, std::ostream& out, std::ostream& err);

} // namespace rampwall::cli
