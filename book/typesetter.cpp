#include "book/typesetter.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace rampwall::book {

namespace {

// Text is set in hundredths of a millimetre: a font's pixel size is a whole
// number, and at that unit sizes and widths keep all the precision needed.
constexpr double kTextUnitsPerMm = 100;

int textUnits(double points) { return static_cast<int>(std::lround(points * 25.4 / 72 * kTextUnitsPerMm)); }

struct Face {
    const char* file;
    const char* family;
};

// The Debian packages of scripts/install-deps.sh; the first one found is used.
constexpr Face kFaces[] = {
    {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", "WenQuanYi Micro Hei"},
    {"/usr/share/fonts/truetype/arphic/ukai.ttc", "AR PL UKai CN"},
};

std::optional<QString> loadFamily() {
    for (const Face& face : kFaces) {
        if (!QFile::exists(QString::fromUtf8(face.file))) {
            continue;
        }
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(face.file));
        if (id < 0) {
            continue;
        }
        const QString family = QString::fromUtf8(face.family);
        if (QFontDatabase::applicationFontFamilies(id).contains(family)) {
            return family;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> bookFamily(std::string* error) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        if (error != nullptr) {
            *error = "生成计算书需要图形环境，程序未能启动它";
        }
        return std::nullopt;
    }
    static const std::optional<QString> family = loadFamily();
    if (!family && error != nullptr) {
        *error = "找不到计算书所需的中文字体（文泉驿微米黑或 AR PL UKai），请安装 fonts-wqy-microhei";
    }
    return family;
}

const QFont& Typesetter::font(double points) const {
    const int units = textUnits(points);
    auto found = m_fonts.find(units);
    if (found == m_fonts.end()) {
        QFont sized(m_family);
        sized.setPixelSize(units);
        // Outlines as designed: the same widths on the PDF, the printer and
        // the preview, whatever their resolution.
        sized.setHintingPreference(QFont::PreferNoHinting);
        found = m_fonts.emplace(units, sized).first;
    }
    return found->second;
}

double Typesetter::width(const QString& text, double points) const {
    return QFontMetricsF(font(points)).horizontalAdvance(text) / kTextUnitsPerMm;
}

double Typesetter::ascent(double points) const { return QFontMetricsF(font(points)).ascent() / kTextUnitsPerMm; }

double Typesetter::lineHeight(double points) const { return points * 25.4 / 72 * 1.45; }

QStringList Typesetter::wrap(const QString& text, double points, double widthMm, int maxLines) const {
    if (width(text, points) <= widthMm) {
        return {text};
    }
    QStringList lines;
    QTextLayout layout(text, font(points));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthMm * kTextUnitsPerMm);
        if (lines.size() == maxLines) {
            // The rest joins the last line, which is then cut short.
            lines.back() = elide(lines.back() + text.mid(line.textStart()), points, widthMm);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

QString Typesetter::elide(const QString& text, double points, double widthMm) const {
    return QFontMetricsF(font(points)).elidedText(text, Qt::ElideMiddle, widthMm * kTextUnitsPerMm);
}

void Typesetter::draw(QPainter& painter, QPointF baseline, const QString& text, double points,
                      const QColor& color) const {
    painter.save();
    painter.translate(baseline);
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    painter.setFont(font(points));
    painter.setPen(color);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

void Typesetter::drawInBox(QPainter& painter, double left, double top, double widthMm, const QString& text,
                           double points, Qt::Alignment alignment, const QColor& color) const {
    double x = left;
    if (alignment & (Qt::AlignRight | Qt::AlignHCenter)) {
        const double free = widthMm - width(text, points);
        x += (alignment & Qt::AlignRight) ? free : free / 2;
    }
    draw(painter, QPointF(x, top + ascent(points)), text, points, color);
}

} // namespace rampwall::book
