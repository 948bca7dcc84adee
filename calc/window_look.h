// The window's colours and fonts as plain data, so that the desktop window
// and the web page are drawn from the same values.
#pragma once

#include "calc/control_table.h"

#include <string_view>

namespace rampwall {

// 15 twips make one pixel at 96 dots per inch; the desktop and the browser
// both scale such pixels on denser screens, so the window keeps its
// proportions there.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr Rgb kDialogFaceColour = {236, 233, 216};    // standard dialog face
inline constexpr Rgb kCaptionTextColour = {192, 64, 0};      // labels, frame captions, boxes, lists
inline constexpr Rgb kBoxBackgroundColour = {216, 228, 248}; // inactive caption text
inline constexpr Rgb kCreditTextColour = {212, 208, 200};    // inactive border
inline constexpr Rgb kSketchBackgroundColour = {202, 219, 232};
// The text of a result box or the sheet that no longer belongs to the inputs
// (DesignDocument::staleBoxes), in the window and the page alike.
inline constexpr Rgb kStaleTextColour = {140, 140, 140};

// The face and size each role was laid out with. These Windows faces are
// missing on most other systems: stand-ins carrying Chinese glyphs take
// their place, the desktop's first.
struct FontFace {
    std::string_view family;
    double points;
    std::string_view standIn; // the Debian face mapped onto it
};

constexpr FontFace fontFace(FontRole role) {
    switch (role) {
    case FontRole::Report: return {"Microsoft Sans Serif", 9.75, "WenQuanYi Micro Hei"};
    case FontRole::Credit: return {"华文行楷", 12, "AR PL UKai CN"};
    case FontRole::Standard: break;
    }
    return {"MS Sans Serif", 8.25, "WenQuanYi Micro Hei"};
}

} // namespace rampwall
