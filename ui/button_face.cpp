#include "ui/button_face.h"

#include <QPainter>
#include <QPen>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace rampwall {

void drawFlatButtonPanel(const QStyleOption& option, QPainter& painter) {
    QRect face = option.rect;
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
    // The button Enter would press (OK in a message box) has a dark frame
    // around it, as on a classic dialog.
    if (button != nullptr && button->features.testFlag(QStyleOptionButton::DefaultButton)) {
        painter.setPen(option.palette.color(QPalette::Shadow));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const QBrush fill = option.palette.brush(QPalette::Button);
    qDrawWinButton(&painter, face, option.palette, pressed, &fill);
    if (option.state & QStyle::State_HasFocus) {
        // A dotted frame inside the border: one-pixel dots and gaps on pixel
        // centres.
        QPen pen(option.palette.color(QPalette::ButtonText), 1);
        pen.setDashPattern({1, 1});
        painter.save();
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(face).adjusted(3.5, 3.5, -3.5, -3.5));
        painter.restore();
    }
}

} // namespace rampwall
