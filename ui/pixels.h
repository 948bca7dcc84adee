// The control table's twips as the window's pixels.
#pragma once

#include "control_table.h"

#include <QRect>
#include <QSize>

namespace rampwall {

// 15 twips make one pixel at 96 dots per inch; Qt scales device-independent
// pixels on denser screens, so the window stays in proportion there.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
QRect pixelRect(const TwipRect& twips);
QSize clientSizePixels();

} // namespace rampwall
