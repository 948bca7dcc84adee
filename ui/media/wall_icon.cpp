#include "ui/media/wall_icon.h"

#include "ui/media/media_resources.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace rampwall {

QImage renderWallIcon(int size) {
    initMediaResources();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // The 32-pixel picture scaled to 16 would blur; that size has its own.
    QSvgRenderer renderer(QString::fromLatin1(size == 16 ? kSmallIconResource : kIconResource));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QIcon wallIcon() {
    // Rendered here rather than left to Qt's SVG icon engine, which is a
    // plug-in that a stripped-down installation may lack.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(renderWallIcon(size)));
    }
    return icon;
}

} // namespace rampwall
