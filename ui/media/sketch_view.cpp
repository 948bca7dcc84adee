#include "ui/media/sketch_view.h"

#include "ui/media/media_resources.h"

#include <QPainter>
#include <QPen>
#include <QSvgRenderer>

#include <cmath>

namespace rampwall {

namespace {
// The drawing's extent in units of 0.01 mm.
constexpr double kDrawingWidth = 11113.0;
constexpr double kDrawingHeight = 7779.0;
} // namespace

SketchView::SketchView(QWidget* parent) : QWidget(parent) {
    initMediaResources();
    m_renderer = new QSvgRenderer(QString::fromLatin1(kSketchResource), this);
    // Every pixel is painted, the margins included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The sketch area has its place in the window's tab order, as the
    // embedded object had; it does nothing with keys or clicks.
    setFocusPolicy(Qt::TabFocus);
}

double SketchView::aspectRatio() { return kDrawingWidth / kDrawingHeight; }

QRectF SketchView::pictureRect() const {
    const QRectF area = rect();
    if (area.isEmpty()) {
        return {};
    }
    QSizeF size(area.width(), area.width() / aspectRatio());
    if (size.height() > area.height()) {
        size = QSizeF(area.height() * aspectRatio(), area.height());
    }
    QRectF picture(QPointF(), size);
    picture.moveCenter(area.center());
    // On whole pixels, so that the drawing's own pixel grid (see sketch.svg)
    // lies on the screen's and its lines are not smeared over two pixels.
    picture.moveTopLeft(QPointF(std::round(picture.left()), std::round(picture.top())));
    return picture;
}

QSize SketchView::sizeHint() const {
    // The window's area for the sketch: 6255 x 4215 twips at 15 twips a pixel.
    return {417, 281};
}

QSize SketchView::minimumSizeHint() const { return {143, 100}; }

void SketchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
    if (m_renderer->isValid()) {
        m_renderer->render(&painter, pictureRect());
    }
    if (hasFocus()) {
        drawFocusMark(painter);
    }
}

void SketchView::drawFocusMark(QPainter& painter) const {
    // A dotted frame just inside the area, as a classic dialog marks the
    // control that has the focus. Dots and gaps of one pixel, on pixel
    // centres, so it stays sharp at twice the size too.
    QPen pen(focusMarkColor(), 1);
    pen.setDashPattern({1, 1});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace rampwall
