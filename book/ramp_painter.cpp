#include "book/ramp_painter.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace rampwall::book {

namespace {

QColor colourOf(std::string_view hex) {
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

} // namespace

void paintRampDrawing(QPainter& painter, const ramp::Drawing& drawing, QPointF origin, const DrawRampText& drawText) {
    painter.save();
    painter.translate(origin);
    for (const ramp::DrawLine& line : drawing.lines) {
        const ramp::InkStyle style = ramp::inkStyle(line.ink);
        QPen pen(colourOf(style.colour), style.width * drawing.fontSize, style.dashed ? Qt::DashLine : Qt::SolidLine,
                 Qt::FlatCap, Qt::MiterJoin);
        painter.setPen(pen);
        QPolygonF points;
        for (const ramp::DrawPoint& point : line.points) {
            points << QPointF(point.x, point.y);
        }
        if (line.filled) {
            painter.setBrush(colourOf(ramp::kWallFill));
            painter.drawPolygon(points);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawPolyline(points);
        }
    }
    for (const ramp::DrawText& text : drawing.texts) {
        drawText(painter, QPointF(text.at.x, text.at.y), QString::fromStdString(text.text), text.anchor,
                 colourOf(ramp::inkStyle(text.ink).colour));
    }
    painter.restore();
}

} // namespace rampwall::book
