// Paints the ramp's elevation (a display list from calc/ramp) with QPainter,
// in whatever units the painter is set to: pixels in the dialog,
// millimetres in the book.
#pragma once

#include "calc/ramp/ramp_drawing.h"

#include <QPointF>
#include <QString>

#include <functional>

class QColor;
class QPainter;

namespace rampwall::book {

// Draws a text with the anchor's end of its baseline at `at`.
using DrawRampText = std::function<void(QPainter&, QPointF at, const QString& text, ramp::Anchor, const QColor&)>;

void paintRampDrawing(QPainter& painter, const ramp::Drawing& drawing, QPointF origin, const DrawRampText& drawText);

} // namespace rampwall::book
