#include "figures.h"

#include "label_spread.h"
#include "number_text.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace rampwall::book {

namespace {

// Black outlines and text print well on any printer; the light fills tell
// soil, water and loads apart in colour and stay faint in grey.
const QColor kOutline(0, 0, 0);
const QColor kSoilFill(239, 233, 220);
const QColor kWaterFill(222, 233, 232); // soil under water
const QColor kWaterLine(47, 111, 176);
const QColor kConcreteFill(225, 225, 225);
const QColor kLoadLine(51, 102, 102);
const QColor kLoadFill(217, 236, 236);
const QColor kMomentLine(139, 26, 26);
const QColor kMomentFill(243, 224, 224);
const QColor kGuide(150, 150, 150);

constexpr double kLabelPoints = 8;
constexpr double kSmallPoints = 7;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Box texts are single lines; anything that would break one is shown as a blank.
QString typed(const CompletedRun& run, Control box) {
    QString text = qs(run.text(box));
    for (QChar& ch : text) {
        if (ch.category() == QChar::Other_Control) {
            ch = QLatin1Char(' ');
        }
    }
    return text;
}

QPen pen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen result(color, width, style, Qt::FlatCap, Qt::MiterJoin);
    return result;
}

// The smallest of the usual drawing-scale steps (1, 1.5, 2, 2.5, 3, 4, 5, 6
// and 8 times a power of ten) that is at least `minimum`: the scale 1:N.
double roundDenominator(double minimum) {
    const double power = std::pow(10.0, std::floor(std::log10(minimum)));
    for (double step : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (step * power >= minimum * (1 - 1e-9)) {
            return step * power;
        }
    }
    return 10 * power;
}

QString scaleText(double denominator) {
    if (denominator >= 1) {
        return QStringLiteral("比例 1:") + qs(formatDouble(denominator));
    }
    return QStringLiteral("比例 ") + qs(formatDouble(std::round(1 / denominator))) + QStringLiteral(":1");
}

// A label beside a point it names: where its centre ended up after
// spreading, and the point a leader runs to when it had to move.
struct Label {
    QString text;
    double anchorX, anchorY; // the point named
    double wantedY;          // centre when nothing is in the way
    double y = 0;            // centre after spreading
};

void spreadLabels(std::vector<Label>& labels, double height, double low, double high) {
    std::vector<Span> spans;
    spans.reserve(labels.size());
    for (const Label& label : labels) {
        spans.push_back({label.wantedY, height});
    }
    const std::vector<double> centres = spread(spans, 0.6, low, high);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i].y = centres[i];
    }
}

// Writes each label with its left end at `x` (or its right end, for
// `rightAligned`), and a leader to its point when it sits away from it.
void drawLabels(QPainter& painter, const Typesetter& type, QPointF origin, const std::vector<Label>& labels, double x,
                double width, bool rightAligned) {
    const double height = type.lineHeight(kLabelPoints);
    for (const Label& label : labels) {
        const QString text = type.elide(label.text, kLabelPoints, width);
        const double textWidth = type.width(text, kLabelPoints);
        const double left = rightAligned ? x - textWidth : x;
        const double top = label.y - height / 2;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(origin.x() + left - 0.3, origin.y() + top + 0.3, textWidth + 0.6, height - 0.6));
        type.drawInBox(painter, origin.x() + left, origin.y() + top + height * 0.12, textWidth, text, kLabelPoints,
                       Qt::AlignLeft);
        // A leader when the label had to move, or stands well away from its point.
        const double leaderX = rightAligned ? x + 0.6 : x - 0.6;
        if (std::abs(label.y - label.wantedY) > 0.3 || std::abs(leaderX - label.anchorX) > 2) {
            painter.setPen(pen(kGuide, 0.15));
            painter.drawLine(origin + QPointF(leaderX, label.y), origin + QPointF(label.anchorX, label.anchorY));
        }
    }
}

// An elevation mark: a small triangle pointing down with its tip on the level.
void drawLevelMark(QPainter& painter, QPointF tip, const QColor& color) {
    painter.setPen(pen(color, 0.2));
    painter.setBrush(Qt::NoBrush);
    const QPolygonF triangle{tip, tip + QPointF(-1.2, -1.8), tip + QPointF(1.2, -1.8), tip};
    painter.drawPolyline(triangle);
    painter.drawLine(tip + QPointF(-2.2, 0), tip + QPointF(2.2, 0));
}

void drawWaterMark(QPainter& painter, QPointF tip) {
    drawLevelMark(painter, tip, kWaterLine);
    painter.drawLine(tip + QPointF(-1.6, 0.8), tip + QPointF(1.6, 0.8));
    painter.drawLine(tip + QPointF(-1.1, 1.5), tip + QPointF(1.1, 1.5));
    painter.drawLine(tip + QPointF(-0.6, 2.2), tip + QPointF(0.6, 2.2));
}

// A figure's own label: six significant digits are plenty on a drawing,
// and the tables beside it give every value in full.
QString shortNumber(double value) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6);
    double rounded = value;
    if (written.ec == std::errc()) {
        std::from_chars(digits, written.ptr, rounded);
    }
    return qs(formatDouble(rounded));
}

QString levelText(const CompletedRun& run, const char* name, Control box) {
    return QString::fromLatin1(name) + QLatin1Char('=') + typed(run, box);
}

// ---- 二、计算简图 ----

struct WallGeometry {
    double height = 0;      // of the whole figure, mm
    double scale = 0;       // mm of drawing per m
    double denominator = 0; // 1:N
    bool thicknessEnlarged = false;
    bool waterToScale = true; // Case B: the water table below the base at its true depth
    double y1 = 0, y2 = 0, y3 = 0, y4 = 0;
    double wallLeft = 72, wallRight = 72;
};

} // namespace

std::optional<Levels> levelsOf(const CompletedRun& run) {
    const DesignState& st = run.state();
    const auto h1 = parseDouble(st.h1);
    const auto h2 = parseDouble(st.h2);
    const auto h3 = parseDouble(st.h3);
    const auto h4 = parseDouble(st.h4);
    const auto h5 = parseDouble(st.h5);
    if (!h1 || !h2 || !h3 || !h4 || !h5) {
        return std::nullopt;
    }
    const Levels levels{*h1, *h2, *h3, *h4, *h5};
    for (double value : {levels.h1, levels.h2, levels.h3, levels.h4, levels.h5, levels.h1 - levels.h4}) {
        if (!std::isfinite(value)) {
            return std::nullopt;
        }
    }
    if (!(levels.h2 - levels.h4 > 0) || !(levels.h5 > 0)) {
        return std::nullopt;
    }
    return levels;
}

double momentAt(const CompletedRun& run, const Levels& levels, double z) {
    const DesignState& st = run.state();
    if (run.loadCase() == LoadCase::CaseB) {
        const double H = levels.h2 - levels.h4;
        return widen(st.q11) * z * z * z / (6 * H) + widen(st.q22) * z * z / 2;
    }
    const double a = widen(st.a);
    const double b = widen(st.b);
    double moment = widen(st.q42) * z * z / 2;
    // The soil above the water table acts as a triangle over b only.
    if (b > 0) {
        moment += z <= b ? widen(st.q11) * z * z * z / (6 * b) : 0.5 * widen(st.q11) * b * (z - 2 * b / 3);
    }
    if (a > 0 && z > b) {
        const double s = z - b;
        moment += (widen(st.q21) + widen(st.q31)) * s * s * s / (6 * a);
    }
    return moment;
}

namespace {

WallGeometry wallGeometry(const CompletedRun& run, const Levels& lv) {
    WallGeometry g;
    const bool caseB = run.loadCase() == LoadCase::CaseB;
    const double wallHeight = lv.h1 - lv.h4;
    double bottom = lv.h4;
    if (caseB) {
        // Water far below the base would squash the wall; it is then drawn
        // just below the slab, marked as not to scale.
        g.waterToScale = lv.h4 - lv.h3 <= 0.25 * wallHeight;
        if (g.waterToScale) {
            bottom = lv.h3;
        }
    }
    const double range = lv.h1 - bottom;
    constexpr double kDrawingHeight = 66; // mm available for the elevations
    constexpr double kWidestWall = 30;
    const double largest = std::min(kDrawingHeight / range, kWidestWall / (lv.h5 / 1000));
    g.denominator = roundDenominator(1000 / largest);
    g.scale = 1000 / g.denominator;

    constexpr double kTop = 15;
    auto y = [&](double h) { return kTop + (lv.h1 - h) * g.scale; };
    g.y1 = y(lv.h1);
    g.y2 = y(lv.h2);
    g.y4 = y(lv.h4);
    g.y3 = caseB && !g.waterToScale ? g.y4 + 9 : y(lv.h3);
    // Below the lowest line: the slab, the water mark, the face captions; and
    // room enough for three labels however short the wall.
    const double lowest = std::max({g.y4 + 4, g.y3 + 3, g.y1 + 16});
    g.height = lowest + 8;

    double thickness = lv.h5 / 1000 * g.scale;
    if (thickness < 1.2) {
        thickness = 1.2;
        g.thicknessEnlarged = true;
    }
    g.wallRight = g.wallLeft + std::min(thickness, kWidestWall);
    return g;
}

void paintWall(QPainter& painter, const Typesetter& type, QPointF o, const CompletedRun& run, const Levels& lv,
               const WallGeometry& g) {
    const bool caseB = run.loadCase() == LoadCase::CaseB;
    const double soilLeft = 34;
    const double slabLeft = g.wallLeft - 3;
    const double rampEnd = g.wallRight + 24;
    const double slabBottom = g.y4 + 4;
    const double labelLow = 10;
    const double labelHigh = g.height - 6;

    // Case and scale.
    const QString caseText =
        caseB ? qs(kLoadCaseEntries[1]) + QStringLiteral("：地下水位位于墙底或以下，墙后土压力作用于 h2 至 h4")
              : qs(kLoadCaseEntries[0]) + QStringLiteral("：地下水位位于墙高范围内，h3 以下为水下土压力和水压力");
    type.drawInBox(painter, o.x(), o.y(), kContent.width(), caseText, 9, Qt::AlignLeft);
    QString scale = scaleText(g.denominator) + QStringLiteral("，标高单位 m，墙厚单位 mm");
    if (g.thicknessEnlarged) {
        scale += QStringLiteral("，墙厚放大绘制");
    }
    if (!g.waterToScale) {
        scale += QStringLiteral("，h3 未按比例");
    }
    type.drawInBox(painter, o.x(), o.y() + 5, kContent.width(), scale, kSmallPoints, Qt::AlignLeft, kGuide.darker());

    // Soil behind the wall, and below the water table the submerged part.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSoilFill);
    // Up to the wall's face; the slab drawn next covers its own corner.
    painter.drawRect(QRectF(o + QPointF(soilLeft, g.y2), o + QPointF(g.wallLeft, slabBottom)));
    if (!caseB && g.y3 < slabBottom) {
        painter.setBrush(kWaterFill);
        painter.drawRect(QRectF(o + QPointF(soilLeft, g.y3), o + QPointF(g.wallLeft, slabBottom)));
    }
    // Ground line with its hatching.
    painter.setPen(pen(kOutline, 0.3));
    painter.drawLine(o + QPointF(soilLeft, g.y2), o + QPointF(g.wallLeft, g.y2));
    painter.setPen(pen(kOutline, 0.15));
    for (int i = 0; soilLeft + 2 + 5 * i + 2 < g.wallLeft; ++i) {
        const double x = soilLeft + 2 + 5 * i;
        painter.drawLine(o + QPointF(x, g.y2), o + QPointF(x - 1.4, g.y2 + 1.4));
    }

    // Wall and base slab; the slab runs on into the ramp, cut by a break line.
    painter.setPen(pen(kOutline, 0.35));
    painter.setBrush(kConcreteFill);
    QPainterPath concrete;
    concrete.moveTo(o + QPointF(g.wallLeft, g.y1));
    concrete.lineTo(o + QPointF(g.wallRight, g.y1));
    concrete.lineTo(o + QPointF(g.wallRight, g.y4));
    concrete.lineTo(o + QPointF(rampEnd, g.y4));
    concrete.lineTo(o + QPointF(rampEnd, slabBottom));
    concrete.lineTo(o + QPointF(slabLeft, slabBottom));
    concrete.lineTo(o + QPointF(slabLeft, g.y4));
    concrete.lineTo(o + QPointF(g.wallLeft, g.y4));
    concrete.closeSubpath();
    painter.drawPath(concrete);
    painter.setPen(pen(kOutline, 0.2));
    const double midSlab = (g.y4 + slabBottom) / 2;
    painter.drawPolyline(QPolygonF{o + QPointF(rampEnd, g.y4 - 2.5), o + QPointF(rampEnd, midSlab - 1),
                                   o + QPointF(rampEnd + 1, midSlab - 0.3), o + QPointF(rampEnd - 1, midSlab + 0.3),
                                   o + QPointF(rampEnd, midSlab + 1), o + QPointF(rampEnd, slabBottom + 2.5)});

    // Water table.
    painter.setPen(pen(kWaterLine, 0.25, Qt::DashLine));
    const double waterRight = caseB ? slabLeft : g.wallLeft;
    painter.drawLine(o + QPointF(soilLeft, g.y3), o + QPointF(waterRight, g.y3));
    drawWaterMark(painter, o + QPointF(40, g.y3));
    drawLevelMark(painter, o + QPointF(40, g.y2), kOutline);
    drawLevelMark(painter, o + QPointF(g.wallRight + 3, g.y1), kOutline);
    drawLevelMark(painter, o + QPointF(g.wallRight + 13, g.y4), kOutline);

    // Wall thickness, across the wall at three fifths of its height.
    const double yDim = g.y1 + 0.6 * (g.y4 - g.y1);
    painter.setPen(pen(kOutline, 0.2));
    painter.drawLine(o + QPointF(g.wallLeft - 3, yDim), o + QPointF(g.wallRight + 3, yDim));
    for (double x : {g.wallLeft, g.wallRight}) {
        painter.drawLine(o + QPointF(x - 0.8, yDim + 0.8), o + QPointF(x + 0.8, yDim - 0.8));
    }

    const double labelHeight = type.lineHeight(kLabelPoints);
    // Soil-side levels beside their marks; the others right of the ramp.
    std::vector<Label> soilSide{
        {levelText(run, "h2", Control::Text2), 41.5, g.y2 - 0.9, g.y2 - labelHeight / 2 - 0.2},
        {levelText(run, "h3", Control::Text3), 41.5, g.y3 - 0.9, g.y3 - labelHeight / 2 - 0.2},
    };
    spreadLabels(soilSide, labelHeight, labelLow, labelHigh);
    drawLabels(painter, type, o, soilSide, 43, slabLeft - 44, false);

    std::vector<Label> rampSide{
        {levelText(run, "h1", Control::Text1), g.wallRight + 5.2, g.y1, g.y1},
        {QStringLiteral("h5=") + typed(run, Control::Text4), g.wallRight + 3, yDim, yDim},
        {levelText(run, "h4", Control::Text16), g.wallRight + 15.2, g.y4, g.y4},
    };
    spreadLabels(rampSide, labelHeight, labelLow, labelHigh);
    drawLabels(painter, type, o, rampSide, rampEnd + 4, kContent.width() - rampEnd - 4, false);

    // Heights between the levels, as a chain on the left.
    struct Segment {
        double upper, lower; // drawing y
        QString text;
    };
    std::vector<Segment> segments;
    if (lv.h1 > lv.h2) {
        segments.push_back({g.y1, g.y2, shortNumber(lv.h1 - lv.h2)});
    }
    if (caseB) {
        segments.push_back({g.y2, g.y4, QStringLiteral("H=") + shortNumber(lv.h2 - lv.h4)});
        if (g.waterToScale && lv.h4 > lv.h3) {
            segments.push_back({g.y4, g.y3, shortNumber(lv.h4 - lv.h3)});
        }
    } else {
        if (widen(run.state().b) > 0) {
            segments.push_back({g.y2, g.y3, QStringLiteral("b=") + shortNumber(widen(run.state().b))});
        }
        if (widen(run.state().a) > 0) {
            segments.push_back({g.y3, g.y4, QStringLiteral("a=") + shortNumber(widen(run.state().a))});
        }
    }
    const double chainX = 29;
    painter.setPen(pen(kOutline, 0.15));
    std::vector<Label> chainLabels;
    for (const Segment& segment : segments) {
        painter.drawLine(o + QPointF(chainX, segment.upper), o + QPointF(chainX, segment.lower));
        for (double yTick : {segment.upper, segment.lower}) {
            painter.drawLine(o + QPointF(chainX - 0.7, yTick + 0.7), o + QPointF(chainX + 0.7, yTick - 0.7));
            painter.drawLine(o + QPointF(chainX - 1, yTick), o + QPointF(soilLeft - 0.5, yTick));
        }
        const double middle = (segment.upper + segment.lower) / 2;
        chainLabels.push_back({segment.text, chainX - 0.5, middle, middle});
    }
    spreadLabels(chainLabels, labelHeight, labelLow, labelHigh);
    drawLabels(painter, type, o, chainLabels, chainX - 1.5, chainX - 2, true);

    // Which face is which.
    const double captionTop = g.height - 4.5;
    type.drawInBox(painter, o.x() + soilLeft, o.y() + captionTop, slabLeft - soilLeft, QStringLiteral("迎水面"),
                   kLabelPoints, Qt::AlignHCenter);
    type.drawInBox(painter, o.x() + g.wallRight, o.y() + captionTop, rampEnd - g.wallRight, QStringLiteral("坡道内部"),
                   kLabelPoints, Qt::AlignHCenter);
}

void paintNoDrawing(QPainter& painter, const Typesetter& type, QPointF o) {
    type.drawInBox(painter, o.x(), o.y(), kContent.width(), QStringLiteral("（标高不能按比例绘制，见设计资料）"), 9,
                   Qt::AlignLeft);
}

// ---- 三、荷载与内力 ----

constexpr double kLoadFigureHeight = 90;

struct Diagram {
    QString title, unit, labelName, labelValue;
    // Outline points as (depth below h2 in m, value), closed along the axis.
    std::vector<QPointF> outline;
    double labelDepth = 0; // the kink the value is written at
    double value = 0;
    bool moment = false;
};

std::vector<Diagram> diagramsOf(const CompletedRun& run, const Levels& lv) {
    const DesignState& st = run.state();
    const double H = lv.h2 - lv.h4;
    auto value = [](const DoubleField& field) { return shortNumber(widen(field)); };
    std::vector<Diagram> diagrams;
    auto triangle = [&](QString title, QString name, const DoubleField& q, double from) {
        Diagram d{std::move(title), QStringLiteral("kN/m"), std::move(name), value(q), {}, H, widen(q), false};
        d.outline = {{from, 0}, {H, widen(q)}, {H, 0}};
        return d;
    };
    auto uniform = [&](const DoubleField& q, QString name) {
        Diagram d{
            QStringLiteral("附加荷载"), QStringLiteral("kN/m"), std::move(name), value(q), {}, H, widen(q), false};
        d.outline = {{0, 0}, {0, widen(q)}, {H, widen(q)}, {H, 0}};
        return d;
    };
    if (run.loadCase() == LoadCase::CaseA) {
        const double b = std::clamp(widen(st.b), 0.0, H);
        Diagram above{QStringLiteral("水上土压力"),
                      QStringLiteral("kN/m"),
                      QStringLiteral("q11"),
                      value(st.q11),
                      {},
                      b,
                      widen(st.q11),
                      false};
        above.outline = {{0, 0}, {b, widen(st.q11)}, {b, 0}};
        diagrams.push_back(std::move(above));
        diagrams.push_back(triangle(QStringLiteral("水下土压力"), QStringLiteral("q21"), st.q21, b));
        diagrams.push_back(triangle(QStringLiteral("水压力"), QStringLiteral("q31"), st.q31, b));
        diagrams.push_back(uniform(st.q42, QStringLiteral("q42")));
    } else {
        diagrams.push_back(triangle(QStringLiteral("土压力"), QStringLiteral("q11"), st.q11, 0));
        diagrams.push_back(uniform(st.q22, QStringLiteral("q22")));
    }
    Diagram moment{QStringLiteral("弯矩图"),
                   QStringLiteral("kN·m/m"),
                   QStringLiteral("MBk"),
                   qs(run.text(Control::Text6)),
                   {},
                   H,
                   widen(st.MBk),
                   true};
    constexpr int kSteps = 48;
    moment.outline.emplace_back(0, 0);
    for (int i = 1; i <= kSteps; ++i) {
        const double z = H * i / kSteps;
        moment.outline.emplace_back(z, momentAt(run, lv, z));
    }
    moment.outline.emplace_back(H, 0);
    diagrams.push_back(std::move(moment));
    return diagrams;
}

struct Extent {
    double positive = 0, negative = 0;
    void take(double value) {
        if (std::isfinite(value)) {
            positive = std::max(positive, value);
            negative = std::max(negative, -value);
        }
    }
};

// The value under its kink, written towards the axis and kept inside the panel.
void drawValueLabel(QPainter& painter, const Typesetter& type, const Diagram& d, double panelLeft, double panelWidth,
                    double axisX, double kinkY) {
    const double inner = panelWidth - 1;
    QString oneLine = d.labelName + QLatin1Char('=') + d.labelValue;
    QStringList lines;
    double points = kLabelPoints;
    if (type.width(oneLine, points) <= inner) {
        lines << oneLine;
    } else {
        points = kSmallPoints;
        lines << d.labelName + QLatin1Char('=') << type.elide(d.labelValue, points, inner);
    }
    double widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, type.width(line, points));
    }
    const double height = type.lineHeight(points) * static_cast<double>(lines.size());
    // Positive values lie left of the axis, so their label ends at the axis.
    double left = d.value >= 0 ? axisX - 0.8 - widest : axisX + 0.8;
    left = std::clamp(left, panelLeft + 0.5, panelLeft + panelWidth - 0.5 - widest);
    const double top = kinkY + 0.8;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(left - 0.3, top, widest + 0.6, height));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        type.drawInBox(painter, left, top + type.lineHeight(points) * static_cast<double>(i), widest, lines[i], points,
                       d.value >= 0 ? Qt::AlignRight : Qt::AlignLeft);
    }
}

// Arrows of the pressure towards the wall, every few millimetres down the diagram.
void drawArrows(QPainter& painter, const QPolygonF& shape, double axisX, double top, double bottom) {
    painter.setPen(pen(kLoadLine, 0.15));
    for (int row = 0; top + 2.5 + 3.5 * row < bottom - 0.5; ++row) {
        const double y = top + 2.5 + 3.5 * row;
        // Where the outline crosses this height: the diagram's outer edge.
        double edge = axisX;
        for (qsizetype i = 0; i + 1 < shape.size(); ++i) {
            const QPointF p = shape[i];
            const QPointF q = shape[i + 1];
            if ((p.y() - y) * (q.y() - y) <= 0 && p.y() != q.y()) {
                const double x = p.x() + (q.x() - p.x()) * (y - p.y()) / (q.y() - p.y());
                if (std::abs(x - axisX) > std::abs(edge - axisX)) {
                    edge = x;
                }
            }
        }
        const double length = axisX - edge;
        if (std::abs(length) < 3) {
            continue;
        }
        const double tip = axisX - (length > 0 ? 0.2 : -0.2);
        const double head = length > 0 ? -0.9 : 0.9;
        painter.drawLine(QPointF(edge, y), QPointF(tip, y));
        painter.drawLine(QPointF(tip, y), QPointF(tip + head, y - 0.45));
        painter.drawLine(QPointF(tip, y), QPointF(tip + head, y + 0.45));
    }
}

void paintLoads(QPainter& painter, const Typesetter& type, QPointF o, const CompletedRun& run, const Levels& lv) {
    const std::vector<Diagram> diagrams = diagramsOf(run, lv);
    const double H = lv.h2 - lv.h4;
    const double top = 12;
    const double bottom = 72;
    auto yAt = [&](double depth) { return top + (bottom - top) * std::clamp(depth / H, 0.0, 1.0); };

    // One scale for all pressures so that they compare, unless one of them
    // would shrink to a hairline beside the largest: then each has its own.
    // The moment always has its own.
    std::vector<Extent> extents(diagrams.size());
    Extent pressures;
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        for (const QPointF& p : diagrams[i].outline) {
            extents[i].take(p.y());
            if (!diagrams[i].moment) {
                pressures.take(p.y());
            }
        }
    }
    const double largest = pressures.positive + pressures.negative;
    bool ownScales = false;
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const double size = extents[i].positive + extents[i].negative;
        ownScales = ownScales || (!diagrams[i].moment && size > 0 && size < largest / 8);
    }
    if (!ownScales) {
        for (std::size_t i = 0; i < diagrams.size(); ++i) {
            if (!diagrams[i].moment) {
                extents[i] = pressures;
            }
        }
    }

    const double axisColumn = 24;
    const double pressureCount = static_cast<double>(diagrams.size() - 1);
    const double momentWidth = run.loadCase() == LoadCase::CaseA ? 37 : 55;
    const double pressureWidth = (kContent.width() - axisColumn - momentWidth) / pressureCount;

    // Levels: a faint line across every panel, named in the left column.
    std::vector<std::pair<double, QString>> levels{{0, levelText(run, "h2", Control::Text2)}};
    if (run.loadCase() == LoadCase::CaseA) {
        levels.emplace_back(widen(run.state().b), levelText(run, "h3", Control::Text3));
    }
    levels.emplace_back(H, levelText(run, "h4", Control::Text16));
    std::vector<Label> labels;
    painter.setPen(pen(kGuide, 0.12, Qt::DotLine));
    for (const auto& [depth, text] : levels) {
        const double y = yAt(depth);
        painter.drawLine(o + QPointF(axisColumn - 1, y), o + QPointF(kContent.width(), y));
        labels.push_back({text, axisColumn - 1, y, y});
    }
    const double labelHeight = type.lineHeight(kLabelPoints);
    spreadLabels(labels, labelHeight, top - 4, bottom + 8);
    drawLabels(painter, type, o, labels, axisColumn - 2, axisColumn - 2, true);

    if (ownScales) {
        type.drawInBox(painter, o.x() + axisColumn, o.y() + bottom + 10, kContent.width() - axisColumn,
                       QStringLiteral("注：各荷载相差悬殊，各图按各自比例绘制，数值见标注"), kSmallPoints,
                       Qt::AlignLeft, kGuide.darker());
    }

    double left = axisColumn;
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const Diagram& d = diagrams[i];
        const double width = d.moment ? momentWidth : pressureWidth;
        const Extent& extent = extents[i];
        const double usable = width - 3;
        const double span = extent.positive + extent.negative;
        const double perUnit = span > 0 ? usable / span : 0;
        const double axisX = left + 1.5 + extent.positive * perUnit;

        type.drawInBox(painter, o.x() + left, o.y(), width, d.title, kLabelPoints, Qt::AlignHCenter);
        type.drawInBox(painter, o.x() + left, o.y() + labelHeight, width, d.unit, kSmallPoints, Qt::AlignHCenter,
                       kGuide.darker());

        // Values grow to the left: the soil side of the wall, where the
        // moment puts the bars in tension.
        QPolygonF shape;
        for (const QPointF& p : d.outline) {
            const double x = std::isfinite(p.y()) ? axisX - p.y() * perUnit : axisX;
            shape << o + QPointF(x, yAt(p.x()));
        }
        painter.setPen(pen(d.moment ? kMomentLine : kLoadLine, 0.25));
        painter.setBrush(d.moment ? kMomentFill : kLoadFill);
        painter.drawPolygon(shape);
        if (!d.moment) {
            drawArrows(painter, shape, o.x() + axisX, o.y() + top, o.y() + bottom);
        }
        painter.setPen(pen(kOutline, 0.35));
        painter.drawLine(o + QPointF(axisX, top), o + QPointF(axisX, bottom));
        if (d.moment) {
            // The wall is fixed at its base.
            painter.setPen(pen(kOutline, 0.2));
            painter.drawLine(o + QPointF(axisX - 3, bottom), o + QPointF(axisX + 3, bottom));
            for (int i = 0; i < 5; ++i) {
                const double x = axisX - 2.5 + 1.2 * i;
                painter.drawLine(o + QPointF(x, bottom), o + QPointF(x - 0.8, bottom + 0.8));
            }
        }
        drawValueLabel(painter, type, d, o.x() + left, width, o.x() + axisX,
                       o.y() + yAt(d.labelDepth) + (d.moment ? 1 : 0));
        left += width;
    }
}

} // namespace

Block wallFigure(const Typesetter& type, const CompletedRun& run) {
    Block block;
    const std::optional<Levels> levels = levelsOf(run);
    if (!levels) {
        block.height = 8;
        block.draw = [&type](QPainter& painter, QPointF o) { paintNoDrawing(painter, type, o); };
        return block;
    }
    const WallGeometry geometry = wallGeometry(run, *levels);
    block.height = geometry.height;
    block.draw = [&type, &run, lv = *levels, geometry](QPainter& painter, QPointF o) {
        paintWall(painter, type, o, run, lv, geometry);
    };
    return block;
}

Block loadFigure(const Typesetter& type, const CompletedRun& run) {
    Block block;
    block.height = kLoadFigureHeight;
    const std::optional<Levels> levels = levelsOf(run);
    if (!levels) {
        block.height = 8;
        block.draw = [&type](QPainter& painter, QPointF o) { paintNoDrawing(painter, type, o); };
        return block;
    }
    block.draw = [&type, &run, lv = *levels](QPainter& painter, QPointF o) { paintLoads(painter, type, o, run, lv); };
    return block;
}

} // namespace rampwall::book
