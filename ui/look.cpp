#include "ui/look.h"

#include "ui/button_face.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

void installFontSubstitutes() {
    static const bool installed = [] {
        for (const FontRole role : {FontRole::Standard, FontRole::Report, FontRole::Credit}) {
            const FontFace face = fontFace(role);
            QFont::insertSubstitution(qText(face.family), qText(face.standIn));
        }
        return true;
    }();
    (void)installed;
}

QFont controlFont(FontRole role) {
    const FontFace face = fontFace(role);
    QFont font;
    font.setFamily(qText(face.family));
    font.setPointSizeF(face.points);
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

namespace {

// Some desktop themes put pictures on dialog buttons (a tick on OK); the
// message boxes stay plain, with a bare OK button, on every desktop. Button
// faces are flat, not Fusion's gradient.
class PlainButtonsStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand && option != nullptr && painter != nullptr) {
            drawFlatButtonPanel(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

QStyle* windowStyle(QStyle* base) { return new PlainButtonsStyle(base); }

// Qt's setters are static, as there is one application; taking it here
// makes sure that it exists.
void applyLook(QApplication& /*app*/) {
    installFontSubstitutes();
    // The application takes ownership of the style, and the style of Fusion.
    // The analyser reads Qt's headers as system headers, whose functions it
    // takes to keep no pointer they are given.
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    QApplication::setStyle(windowStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QApplication::setPalette(windowPalette());
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
}

} // namespace rampwall
