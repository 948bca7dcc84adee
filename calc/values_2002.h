// The named values of a 2002-edition run, taken from the state as each stage
// ends: the stored (rounded 32-bit) values, widened exactly.
#pragma once

#include "calc/design_state.h"
#include "calc/materials.h"

namespace rampwall {

void noteLoads2002(DesignState& state, LoadCase loadCase);
// Aas still holds the strength area here; the crack loop raises it later.
void noteStrength2002(DesignState& state);
void noteCrackCheck2002(DesignState& state);

} // namespace rampwall
