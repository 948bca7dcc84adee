// The calculation sketch: what the elevations h1 to h4 and the thickness h5
// mean, how the two groundwater cases differ, and the load and moment model of
// the cantilever wall. The window shows it as the control OLE1. It is a fixed
// picture; no input changes it.
#pragma once

#include "calc/window_look.h"

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QWidget>

class QPainter;
class QSvgRenderer;

namespace rampwall {

class SketchView : public QWidget {
    Q_OBJECT
public:
    explicit SketchView(QWidget* parent = nullptr);

    // The sketch's own flat background, which also fills the margins left
    // where the area's proportions differ from the picture's.
    static QColor backgroundColor() {
        return QColor(kSketchBackgroundColour.red, kSketchBackgroundColour.green, kSketchBackgroundColour.blue);
    }
    // The dotted frame drawn while the sketch has the keyboard focus.
    static QColor focusMarkColor() { return QColor(Qt::black); }
    // Width over height of the drawing (111.13 mm by 77.79 mm).
    static double aspectRatio();

    // Where the picture lands in the widget: as large as fits, the picture's
    // proportions kept, centred, its corner on a whole pixel.
    QRectF pictureRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawFocusMark(QPainter& painter) const;

    QSvgRenderer* m_renderer;
};

} // namespace rampwall
