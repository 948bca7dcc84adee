// The calculation sheet of a 2010-edition run: every formula with its numbers
// filled in, in the manner of the 2002 sheet, each value to at least five
// significant digits so that a hand check with the printed figures agrees
// with the results. Lines joined by CR LF, no break after the last line.
#pragma once

#include "design_state.h"
#include "materials.h"

#include <string>

namespace rampwall {

// Composed from a completed run's state.
std::string composeReport2010(const DesignState& state, LoadCase loadCase);

// The sheet's warning for concrete below C25 with the run's grades, or an
// empty text; the run itself goes on.
std::string concreteGradeWarning2010(const State2010& gb2010);

} // namespace rampwall
