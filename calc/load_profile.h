// Shear and moment along the wall from the pressure layers of a run: the
// characteristic internal forces the book's diagrams show.
#pragma once

#include "calc/run_result.h"

namespace rampwall {

// A layer of one linear stretch, with its ordinate and moment already
// written as the edition writes numbers: "q11" and its text, "MB11" and its.
PressureLayer pressureLayer(std::string name, const std::string& symbol, const std::string& ordinate, std::string where,
                            const std::string& momentSymbol, const std::string& moment, PressureSegment segment);

// Shear and moment at depth z below the soil surface from the layers, each
// segment integrated exactly.
ProfilePoint forcesAt(const std::vector<PressureLayer>& layers, double z);

// Fills profile.points from the surface to the base: evenly spaced, with every
// segment's ends among them so that no kink is cut off.
void tracePoints(LoadProfile& profile);

} // namespace rampwall
