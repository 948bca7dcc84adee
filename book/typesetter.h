// Text on the book's pages: the Chinese face chosen by file, sizes in points,
// every position and width in millimetres of the page.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <string>

class QPainter;

namespace rampwall::book {

// Loads the book's faces once per process. The face is taken from its font
// file, not from whatever the system's font configuration would pick, so
// every book looks the same and embeds the same face. Returns the family, or
// nullopt with `error` set when no Chinese face is installed. Needs a
// QGuiApplication.
std::optional<QString> bookFamily(std::string* error);

class Typesetter {
public:
    explicit Typesetter(QString family) : m_family(std::move(family)) {}

    double width(const QString& text, double points) const;
    double ascent(double points) const;
    double lineHeight(double points) const; // baseline to baseline, mm

    // `text` broken into lines no wider than `widthMm`, at word boundaries
    // where it can and anywhere where it must. At most `maxLines` lines; the
    // last one then ends in an ellipsis.
    QStringList wrap(const QString& text, double points, double widthMm, int maxLines = 1 << 20) const;
    // One line, shortened with an ellipsis in the middle if it is too wide.
    QString elide(const QString& text, double points, double widthMm) const;

    // Draws with the left end of its baseline at `baseline`.
    void draw(QPainter& painter, QPointF baseline, const QString& text, double points,
              const QColor& color = Qt::black) const;
    // Draws inside the box from `left` to `left + widthMm`, top at `top`:
    // alignment is Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    void drawInBox(QPainter& painter, double left, double top, double widthMm, const QString& text, double points,
                   Qt::Alignment alignment, const QColor& color = Qt::black) const;

private:
    const QFont& font(double points) const;

    QString m_family;
    mutable std::map<int, QFont> m_fonts; // by size in 0.01 mm
};

} // namespace rampwall::book
