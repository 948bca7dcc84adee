// The inputs that make a single wall section a whole ramp: its length, the
// floor at its upper end, how it is cut into segments and the spacings to
// choose from. Kept as typed, like the form's boxes, so that a saved ramp
// reopens exactly; read into numbers by planRamp.
#pragma once

#include "calc/form_inputs.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rampwall::ramp {

struct RampInput {
    std::string length;        // L (m)
    std::string h4Start;       // the floor at the upper end (m); blank: h2, where the ramp meets the soil
    std::string segmentLength; // m; used when segmentCount is blank
    std::string segmentCount;  // a whole number of segments; wins over segmentLength when not blank
    std::string spacings;      // "100,125,150"; blank: the form's spacing alone

    bool operator==(const RampInput&) const = default;
};

// What the dialog and the command line start from.
RampInput startupRamp();

inline constexpr double kDefaultSegmentLength = 5;
// Bounds that keep a typing slip from asking for a million designs.
inline constexpr std::size_t kMostSegments = 2000;
inline constexpr std::size_t kMostSpacings = 12;
inline constexpr double kLongestRamp = 2000; // m
// Levels of the floor at the ends, either side of the datum: beyond this a
// level is a slip, and the interpolated levels between the ends stay numbers.
inline constexpr double kFarthestLevel = 100000; // m

// One spacing to try: its text as it goes into the spacing box, and its value.
struct Spacing {
    std::string text;
    double value = 0;
};

// The ramp read into numbers.
struct RampPlan {
    double length = 0;
    double h4Start = 0;
    double h4End = 0;
    double segmentLength = 0;
    std::size_t segments = 0;
    std::vector<Spacing> spacings;
};

// The ramp over the form (whose h2, h4 and spacing it reads), or a Chinese
// sentence saying which ramp input is wrong and why.
std::variant<RampPlan, std::string> planRamp(const RampInput& ramp, const FormInputs& form);

// n = ⌈L / len − 10⁻⁹⌉: the allowance keeps 21 m in 0.7 m segments at 30,
// where the quotient comes out a hair above 30.
std::size_t segmentCount(double length, double segmentLength);

// The spacings of a list typed with commas (ASCII or full-width), 、, ；
// or blanks between them; empty texts are dropped.
std::vector<std::string> splitSpacings(std::string_view text);

} // namespace rampwall::ramp
