#include "ui/message_box.h"

#include <QMessageBox>

namespace rampwall {

void showModalMessage(QWidget* parent, const QString& text, const QString& title) {
    // The texts use CR LF between lines; a label breaks on LF alone and would
    // draw the CR.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, title, shown, QMessageBox::Ok, parent);
    // Plain text: a message may hold "<" and must never be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace rampwall
