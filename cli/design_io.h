// Design files on the command line: inputs read from one, options typed over
// them, and the design the options describe written to one.
#pragma once

#include "cli/inputs.h"
#include "design/design_file.h"

#include <ostream>
#include <string>

namespace rampwall::cli {

// Today's date as the window's project information gives it.
std::string today();

// Reads the design file and fills every input the options did not give. A
// note about what was passed over goes to err; false after the message for a
// file that cannot be used.
[[nodiscard]] bool loadDesign(const std::string& path, DesignInputs& inputs, design::DesignFile& loaded,
                              std::ostream& err);

// The design the inputs describe, on top of `base` (its project information
// and code edition are kept): each input as the window would show it.
design::DesignFile describeDesign(const DesignInputs& inputs, const design::DesignFile& base);

} // namespace rampwall::cli
