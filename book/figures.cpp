#include "book/figures.h"

#include "book/text_measure.h"

#include <QPainter>
#include <QPolygonF>

#include <variant>

namespace rampwall::book {

namespace {

QColor qColour(Colour colour) { return {colour.red, colour.green, colour.blue}; }

QPen qPen(const Stroke& stroke) {
    const Qt::PenStyle style = stroke.style == LineStyle::Dash  ? Qt::DashLine
                               : stroke.style == LineStyle::Dot ? Qt::DotLine
                                                                : Qt::SolidLine;
    return QPen(qColour(stroke.colour), stroke.width, style, Qt::FlatCap, Qt::MiterJoin);
}

void paintPath(QPainter& painter, QPointF o, const Path& path) {
    painter.setPen(path.stroke ? qPen(*path.stroke) : QPen(Qt::NoPen));
    painter.setBrush(path.fill ? QBrush(qColour(*path.fill)) : QBrush(Qt::NoBrush));
    QPolygonF points;
    for (const Point& point : path.points) {
        points << o + QPointF(point.x, point.y);
    }
    if (path.closed) {
        painter.drawPolygon(points);
    } else if (points.size() == 2) {
        painter.drawLine(points[0], points[1]);
    } else {
        painter.drawPolyline(points);
    }
}

// The glyphs are the face's own; where the text stands is the figure's.
void paintText(QPainter& painter, const Typesetter& type, QPointF o, const Text& text) {
    const QString line = QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const double width = type.width(line, text.points);
    const double left = text.anchor == Anchor::End      ? text.x - width
                        : text.anchor == Anchor::Middle ? text.x - width / 2
                                                        : text.x;
    type.drawInBox(painter, o.x() + left, o.y() + text.top, width, line, text.points, Qt::AlignLeft,
                   qColour(text.colour));
}

} // namespace

Block figureBlock(const Typesetter& type, const Figure& figure) {
    Block block;
    block.height = figure.height;
    block.draw = [&type, &figure](QPainter& painter, QPointF o) {
        for (const FigureItem& item : figure.items) {
            if (const Path* path = std::get_if<Path>(&item)) {
                paintPath(painter, o, *path);
            } else {
                paintText(painter, type, o, std::get<Text>(item));
            }
        }
    };
    return block;
}

} // namespace rampwall::book
