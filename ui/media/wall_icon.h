// The window icon: the wall on its base slab, the ground, the groundwater mark
// and the earth pressure against the wall.
#pragma once

#include <QIcon>
#include <QImage>

namespace rampwall {

// The icon in the sizes a desktop asks for, drawn from a picture made for
// 32 x 32 pixels, and at 16 x 16 from one made for that size.
QIcon wallIcon();

// The picture at size x size pixels, transparent around the drawing.
QImage renderWallIcon(int size);

} // namespace rampwall
