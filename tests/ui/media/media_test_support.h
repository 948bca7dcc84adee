// Helpers for the picture tests, which ask "are there lines of this colour
// here?". Lines are antialiased, so a pixel of a thin line is a blend of the
// line's colour and what lies beneath; the helpers recognise such blends.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRectF>

namespace rampwall::test {

inline int colourDistance(QRgb a, QColor b) {
    const int dr = qRed(a) - b.red();
    const int dg = qGreen(a) - b.green();
    const int db = qBlue(a) - b.blue();
    return dr * dr + dg * dg + db * db;
}

// For a picture on a transparent ground: index in palette of the colour
// nearest to pixel, or -1 for a pixel that is mostly transparent.
inline int nearestColour(QRgb pixel, const QList<QColor>& palette) {
    if (qAlpha(pixel) < 128)
        return -1;
    // Compare what is seen: a half-covered pixel of a transparent picture is
    // its colour at half alpha, premultiplied or not.
    const QRgb seen = qUnpremultiply(pixel);
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < palette.size(); ++i) {
        const int d = colourDistance(seen, palette[i]);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// Pixels in area (in pixels) whose nearest palette colour is palette[index].
inline int countNearest(const QImage& image, const QRect& area, const QList<QColor>& palette, int index) {
    int n = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            n += nearestColour(image.pixel(x, y), palette) == index ? 1 : 0;
    return n;
}

// For a picture on an opaque ground: whether pixel is colour laid over
// background with at least 40 % cover. Blends of two other colours, which
// nearest-colour matching would mistake for a third, are told apart by how far
// the pixel lies off the straight line from background to colour.
inline bool carries(QRgb pixel, const QColor& colour, const QColor& background) {
    const double d[3] = {double(colour.red() - background.red()), double(colour.green() - background.green()),
                         double(colour.blue() - background.blue())};
    const double p[3] = {double(qRed(pixel) - background.red()), double(qGreen(pixel) - background.green()),
                         double(qBlue(pixel) - background.blue())};
    const double cover = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    double off = 0;
    for (int i = 0; i < 3; ++i)
        off += (p[i] - cover * d[i]) * (p[i] - cover * d[i]);
    return cover >= 0.4 && cover <= 1.1 && off <= 20.0 * 20.0;
}

inline int countCarrying(const QImage& image, const QRect& area, const QColor& colour, const QColor& background) {
    int n = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            n += carries(image.pixel(x, y), colour, background) ? 1 : 0;
    return n;
}

// The pixel rectangle of a region given as fractions of the image's size.
inline QRect fractionRect(const QImage& image, const QRectF& fractions) {
    return QRectF(fractions.x() * image.width(), fractions.y() * image.height(), fractions.width() * image.width(),
                  fractions.height() * image.height())
        .toAlignedRect();
}

} // namespace rampwall::test
