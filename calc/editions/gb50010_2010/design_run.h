// Everything one 2010 run formed, in the order it formed it, for its boxes,
// sheet, named values, checks and book. A run that stopped holds what it
// reached.
#pragma once

#include "calc/editions/gb50010_2010/actions.h"
#include "calc/editions/gb50010_2010/arrangements.h"
#include "calc/editions/gb50010_2010/materials.h"

#include <optional>
#include <string>
#include <vector>

namespace rampwall::gb2010 {

struct DesignRun {
    // The inputs as typed, for the sheet.
    std::string h1, h2, h3, h4, h5, c, gamma, q, spacing, limit;
    Concrete concrete{};
    Steel steel{};
    StressBlock block{};
    Factors factors;

    bool actionsFormed = false;
    Actions actions;

    bool sectionFormed = false;
    Section section;
    std::vector<Trial> trials;
    std::optional<std::size_t> strength; // the first trial that carries the moment
    std::optional<std::size_t> design;   // the first from it on whose crack width fits
    std::optional<Shear> shear;          // of the design's arrangement
    std::vector<std::string> warnings;   // each naming its clause

    const Trial& designTrial() const { return trials.at(*design); }
};

// The warnings a design gets before any number: the grades against the
// minimums of GB 50010-2010 4.1.2 and GB 55008-2021 2.0.2, the factors
// against those of GB 55001-2021 3.1.12 and 3.1.13.
std::vector<std::string> gradeAndFactorWarnings(const Concrete& concrete, const Steel& steel, const Factors& factors);

// The warning of GB 50010-2010 8.2.1 when the cover is thinner than the larger bar.
std::optional<std::string> coverWarning(double cover, const Bars& bars);

} // namespace rampwall::gb2010
