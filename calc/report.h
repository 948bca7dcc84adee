// The calculation sheet: every formula of the run with its numbers filled in,
// lines joined by CR LF, no break after the last line.
#pragma once

#include "design_state.h"
#include "materials.h"

#include <string>
#include <string_view>

namespace rampwall {

// strengthArea and crackArea are the texts of Text7 and Text9 as this run
// wrote them: by now Aas holds only the crack-control area.
std::string composeReport(const DesignState& state, LoadCase loadCase, std::string_view strengthArea,
                          std::string_view crackArea);

} // namespace rampwall
