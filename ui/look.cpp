#include "look.h"

#include <QApplication>
#include <QStyleFactory>

namespace rampwall {

void installFontSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("WenQuanYi Micro Hei"));
        QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("WenQuanYi Micro Hei"));
        QFont::insertSubstitution(QStringLiteral("华文行楷"), QStringLiteral("AR PL UKai CN"));
        return true;
    }();
    (void)installed;
}

QFont controlFont(FontRole role) {
    QFont font;
    switch (role) {
    case FontRole::Standard:
        font.setFamily(QStringLiteral("MS Sans Serif"));
        font.setPointSizeF(8.25);
        break;
    case FontRole::Report:
        font.setFamily(QStringLiteral("Microsoft Sans Serif"));
        font.setPointSizeF(9.75);
        break;
    case FontRole::Credit:
        font.setFamily(QStringLiteral("华文行楷"));
        font.setPointSizeF(12);
        break;
    }
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QPalette windowPalette() {
    const QColor face(kDialogFace);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    QPalette palette(black, face, face.lighter(120), face.darker(160), face.darker(120), black, white, white, face);
    palette.setColor(QPalette::ButtonText, black);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::Highlight, QColor(49, 106, 197));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(172, 168, 153));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(172, 168, 153));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(172, 168, 153));
    return palette;
}

void applyLook(QApplication& app) {
    installFontSubstitutes();
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        app.setStyle(fusion); // the application takes ownership
    }
    app.setPalette(windowPalette());
}

} // namespace rampwall
