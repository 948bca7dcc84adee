// The lateral loads on one metre of wall and their moments about the base,
// for the two load cases: MBk and MB, or the elevation message.
#pragma once

#include "calc/design_state.h"
#include "calc/input_reader.h"

namespace rampwall {

// The elevation checks of the two cases, shared by both editions; a failed
// one stops the run with the elevation message.
void checkCaseAElevations(InputReader& inputs);
void checkCaseBElevations(InputReader& inputs);

// Case A: groundwater inside the wall height. Checks h1 ≥ h2 ≥ h3 ≥ h4, then
// earth above and submerged earth below the water table, water and surcharge.
void caseALoads(DesignState& state, InputReader& inputs);

// Case B: groundwater at or below the base. Earth and surcharge over the
// retained height h2 - h4, which must be greater than zero.
void caseBLoads(DesignState& state, InputReader& inputs);

} // namespace rampwall
