#include "ui/pixels.h"

namespace rampwall {

QRect pixelRect(const TwipRect& twips) {
    return {twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
            twipsToPixels(twips.height)};
}

QSize clientSizePixels() { return {twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips)}; }

} // namespace rampwall
