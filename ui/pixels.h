// The control table's twips as the window's pixels.
#pragma once

#include "calc/control_table.h"
#include "calc/window_look.h"

#include <QRect>
#include <QSize>

namespace rampwall {

QRect pixelRect(const TwipRect& twips);
QSize clientSizePixels();

} // namespace rampwall
