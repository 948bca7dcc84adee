// The calculation sheet of a completed 2010 run: every formula with its
// numbers filled in, the clause it comes from, every bar arrangement tried,
// the shear check and the warnings; lines joined by CR LF.
#pragma once

#include "calc/editions/gb50010_2010/design_run.h"

#include <string>

namespace rampwall::gb2010 {

std::string composeSheet(const DesignRun& run);

} // namespace rampwall::gb2010
