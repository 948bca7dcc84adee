// The elevation of the wall along the ramp as a display list: the wall
// between its top and the falling floor, the ground and water lines, the
// segment boundaries and each stretch's bars. Decided once here, without a
// toolkit, so that the dialog, the book and the page draw the same picture.
#pragma once

#include "calc/ramp/ramp_design.h"

#include <string>
#include <string_view>
#include <vector>

namespace rampwall::ramp {

enum class Ink {
    Wall,     // the wall's outline, over its light fill
    Floor,    // the ramp floor: the wall's base
    Ground,   // the soil surface h2
    Water,    // the groundwater table h3
    Boundary, // a segment boundary
    Change,   // a boundary where the bars change
    Dimension,
    Text,
    Fail,  // the bars of a stretch that does not pass
    Quiet, // secondary labels
};

struct InkStyle {
    std::string_view colour; // "#rrggbb"
    double width;            // in font sizes, so the picture scales as a whole
    bool dashed;
};
InkStyle inkStyle(Ink ink);
inline constexpr std::string_view kWallFill = "#e8e8e8";

struct DrawPoint {
    double x = 0, y = 0; // y grows downwards, as on a screen and a page
};

struct DrawLine {
    Ink ink = Ink::Wall;
    std::vector<DrawPoint> points;
    bool filled = false; // a closed shape in kWallFill
};

enum class Anchor { Start, Middle, End };

struct DrawText {
    Ink ink = Ink::Text;
    DrawPoint at; // the baseline's anchor point
    std::string text;
    Anchor anchor = Anchor::Start;
};

struct Drawing {
    double width = 0, height = 0, fontSize = 0;
    std::vector<DrawLine> lines;
    std::vector<DrawText> texts;
};

// The width of a text in font sizes as the drawing reckons it: a Chinese
// character one, a Latin letter or digit a little over half.
double textWidth(std::string_view text);

// The elevation filling width × height (any unit: pixels, millimetres) with
// labels of fontSize. The vertical scale is exaggerated to fill the height.
Drawing drawRamp(const Schedule& schedule, double width, double height, double fontSize);

// The drawing as an SVG element of its own size, for the page: in pixels,
// or in the CSS unit given ("mm" in a printed book).
std::string drawingSvg(const Drawing& drawing, std::string_view unit = {});

} // namespace rampwall::ramp
