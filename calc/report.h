// The calculation sheet: every formula of the run with its numbers filled in,
// lines joined by CR LF, no break after the last line.
#pragma once

#include "calc/design_state.h"
#include "calc/materials.h"

#include <string>
#include <string_view>

namespace rampwall {

// strengthArea is Aas as the strength stage found it (Text7): by now Aas
// holds the crack-control area (Text9).
std::string composeReport(const DesignState& state, LoadCase loadCase, float strengthArea);

} // namespace rampwall
