#include "book/figure_geometry.h"

#include "book/book_text.h"
#include "book/label_spread.h"
#include "book/text_measure.h"
#include "calc/materials.h"
#include "calc/number_text.h"
#include "calc/text_bytes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace rampwall::book {

namespace {

// Black outlines and text print well on any printer; the light fills tell
// soil, water and loads apart in colour and stay faint in grey.
constexpr Colour kOutline = kBlack;
constexpr Colour kSoilFill{239, 233, 220};
constexpr Colour kWaterFill{222, 233, 232}; // soil under water
constexpr Colour kWaterLine{47, 111, 176};
constexpr Colour kConcreteFill{225, 225, 225};
constexpr Colour kLoadLine{51, 102, 102};
constexpr Colour kLoadFill{217, 236, 236};
constexpr Colour kMomentLine{139, 26, 26};
constexpr Colour kMomentFill{243, 224, 224};
constexpr Colour kGuide{150, 150, 150};
constexpr Colour kGuideText{75, 75, 75};

constexpr double kLabelPoints = 8;
constexpr double kSmallPoints = 7;

Stroke pen(Colour colour, double width, LineStyle style = LineStyle::Solid) { return {colour, width, style}; }

// Items in drawing order, each at its place in the figure.
class Drawing {
public:
    void line(Point from, Point to, const Stroke& stroke) { m_items.emplace_back(Path{{from, to}, stroke, {}, false}); }
    void polyline(std::vector<Point> points, const Stroke& stroke) {
        m_items.emplace_back(Path{std::move(points), stroke, {}, false});
    }
    void polygon(std::vector<Point> points, std::optional<Stroke> stroke, std::optional<Colour> fill) {
        m_items.emplace_back(Path{std::move(points), stroke, fill, true});
    }
    // The rectangle between two corners.
    void rect(Point a, Point b, std::optional<Stroke> stroke, std::optional<Colour> fill) {
        polygon({a, {b.x, a.y}, b, {a.x, b.y}}, stroke, fill);
    }
    void text(std::string text, double x, double top, Anchor anchor, double points, Colour colour = kBlack) {
        m_items.emplace_back(Text{std::move(text), x, top, anchor, points, colour});
    }
    Figure take(double height) { return {kFigureWidth, height, std::move(m_items)}; }

private:
    std::vector<FigureItem> m_items;
};

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

std::string scaleText(double denominator) {
    if (denominator >= 1) {
        return "比例 1:" + formatDouble(denominator);
    }
    return "比例 " + formatDouble(std::round(1 / denominator)) + ":1";
}

// A label beside a point it names: where its centre ended up after
// spreading, and the point a leader runs to when it had to move.
struct Label {
    std::string text;
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

// Writes each label on a white ground with its left end at `x` (or its
// right end, for `rightAligned`), and a leader to its point when it sits
// away from it.
void drawLabels(Drawing& d, const std::vector<Label>& labels, double x, double width, bool rightAligned) {
    const double height = lineHeight(kLabelPoints);
    for (const Label& label : labels) {
        std::string text = elideMiddle(label.text, kLabelPoints, width);
        const double labelWidth = book::textWidth(text, kLabelPoints);
        const double left = rightAligned ? x - labelWidth : x;
        const double top = label.y - height / 2;
        d.rect({left - 0.3, top + 0.3}, {left + labelWidth + 0.3, top + height - 0.3}, std::nullopt, kWhite);
        d.text(std::move(text), x, top + height * 0.12, rightAligned ? Anchor::End : Anchor::Start, kLabelPoints);
        // A leader when the label had to move, or stands well away from its point.
        const double leaderX = rightAligned ? x + 0.6 : x - 0.6;
        if (std::abs(label.y - label.wantedY) > 0.3 || std::abs(leaderX - label.anchorX) > 2) {
            d.line({leaderX, label.y}, {label.anchorX, label.anchorY}, pen(kGuide, 0.15));
        }
    }
}

Point plus(Point p, double dx, double dy) { return {p.x + dx, p.y + dy}; }

// An elevation mark: a small triangle pointing down with its tip on the level.
void drawLevelMark(Drawing& d, Point tip, Colour colour) {
    const Stroke stroke = pen(colour, 0.2);
    d.polyline({tip, plus(tip, -1.2, -1.8), plus(tip, 1.2, -1.8), tip}, stroke);
    d.line(plus(tip, -2.2, 0), plus(tip, 2.2, 0), stroke);
}

void drawWaterMark(Drawing& d, Point tip) {
    drawLevelMark(d, tip, kWaterLine);
    const Stroke stroke = pen(kWaterLine, 0.2);
    d.line(plus(tip, -1.6, 0.8), plus(tip, 1.6, 0.8), stroke);
    d.line(plus(tip, -1.1, 1.5), plus(tip, 1.1, 1.5), stroke);
    d.line(plus(tip, -0.6, 2.2), plus(tip, 0.6, 2.2), stroke);
}

// A figure's own label: six significant digits are plenty on a drawing,
// and the tables beside it give every value in full.
std::string shortNumber(double value) {
    if (!std::isfinite(value) || value == 0) {
        return formatDouble(value);
    }
    // Powers of ten up to 1e22 are exact doubles, so the division is
    // rounded once, to the double nearest the six-digit decimal.
    const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    const int shift = 5 - exponent;
    if (shift >= 0 && shift <= 22) {
        const double scale = std::pow(10.0, shift);
        return formatDouble(std::round(value * scale) / scale);
    }
    if (shift < 0) {
        // A double's exponent keeps the shift above -309; a scale beyond 1e22
        // is not exact, but the value is then far beyond any wall's.
        const double scale = std::pow(10.0, -shift);
        return formatDouble(std::round(value / scale) * scale);
    }
    return formatDouble(value);
}

std::string levelText(const design::DesignRun& run, const char* name, Control box) {
    return std::string(name) + "=" + oneLine(run.inputs.text(box));
}

Figure noDrawing() {
    Drawing d;
    d.text("（标高不能按比例绘制，见设计资料）", 0, 0, Anchor::Start, 9);
    return d.take(8);
}

bool isCaseB(const design::DesignRun& run) { return run.result.loadCase == LoadCase::CaseB; }

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

WallGeometry wallGeometry(const design::DesignRun& run, const Levels& lv) {
    WallGeometry g;
    const bool caseB = isCaseB(run);
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

Figure drawWall(const design::DesignRun& run, const Levels& lv, const WallGeometry& g) {
    Drawing d;
    const bool caseB = isCaseB(run);
    const double soilLeft = 34;
    const double slabLeft = g.wallLeft - 3;
    const double rampEnd = g.wallRight + 24;
    const double slabBottom = g.y4 + 4;
    const double labelLow = 10;
    const double labelHigh = g.height - 6;

    // Case and scale.
    const std::string caseText =
        caseB ? std::string(kLoadCaseEntries[1]) + "：地下水位位于墙底或以下，墙后土压力作用于 h2 至 h4"
              : std::string(kLoadCaseEntries[0]) + "：地下水位位于墙高范围内，h3 以下为水下土压力和水压力";
    d.text(caseText, 0, 0, Anchor::Start, 9);
    std::string scale = scaleText(g.denominator) + "，标高单位 m，墙厚单位 mm";
    if (g.thicknessEnlarged) {
        scale += "，墙厚放大绘制";
    }
    if (!g.waterToScale) {
        scale += "，h3 未按比例";
    }
    d.text(scale, 0, 5, Anchor::Start, kSmallPoints, kGuideText);

    // Soil behind the wall, and below the water table the submerged part,
    // up to the wall's face; the slab drawn next covers its own corner.
    d.rect({soilLeft, g.y2}, {g.wallLeft, slabBottom}, std::nullopt, kSoilFill);
    if (!caseB && g.y3 < slabBottom) {
        d.rect({soilLeft, g.y3}, {g.wallLeft, slabBottom}, std::nullopt, kWaterFill);
    }
    // Ground line with its hatching.
    d.line({soilLeft, g.y2}, {g.wallLeft, g.y2}, pen(kOutline, 0.3));
    for (int i = 0; soilLeft + 2 + 5 * i + 2 < g.wallLeft; ++i) {
        const double x = soilLeft + 2 + 5 * i;
        d.line({x, g.y2}, {x - 1.4, g.y2 + 1.4}, pen(kOutline, 0.15));
    }

    // Wall and base slab; the slab runs on into the ramp, cut by a break line.
    d.polygon({{g.wallLeft, g.y1},
               {g.wallRight, g.y1},
               {g.wallRight, g.y4},
               {rampEnd, g.y4},
               {rampEnd, slabBottom},
               {slabLeft, slabBottom},
               {slabLeft, g.y4},
               {g.wallLeft, g.y4}},
              pen(kOutline, 0.35), kConcreteFill);
    const double midSlab = (g.y4 + slabBottom) / 2;
    d.polyline({{rampEnd, g.y4 - 2.5},
                {rampEnd, midSlab - 1},
                {rampEnd + 1, midSlab - 0.3},
                {rampEnd - 1, midSlab + 0.3},
                {rampEnd, midSlab + 1},
                {rampEnd, slabBottom + 2.5}},
               pen(kOutline, 0.2));

    // Water table.
    const double waterRight = caseB ? slabLeft : g.wallLeft;
    d.line({soilLeft, g.y3}, {waterRight, g.y3}, pen(kWaterLine, 0.25, LineStyle::Dash));
    drawWaterMark(d, {40, g.y3});
    drawLevelMark(d, {40, g.y2}, kOutline);
    drawLevelMark(d, {g.wallRight + 3, g.y1}, kOutline);
    drawLevelMark(d, {g.wallRight + 13, g.y4}, kOutline);

    // Wall thickness, across the wall at three fifths of its height.
    const double yDim = g.y1 + 0.6 * (g.y4 - g.y1);
    d.line({g.wallLeft - 3, yDim}, {g.wallRight + 3, yDim}, pen(kOutline, 0.2));
    for (double x : {g.wallLeft, g.wallRight}) {
        d.line({x - 0.8, yDim + 0.8}, {x + 0.8, yDim - 0.8}, pen(kOutline, 0.2));
    }

    const double labelHeight = lineHeight(kLabelPoints);
    // Soil-side levels beside their marks; the others right of the ramp.
    std::vector<Label> soilSide{
        {levelText(run, "h2", Control::Text2), 41.5, g.y2 - 0.9, g.y2 - labelHeight / 2 - 0.2},
        {levelText(run, "h3", Control::Text3), 41.5, g.y3 - 0.9, g.y3 - labelHeight / 2 - 0.2},
    };
    spreadLabels(soilSide, labelHeight, labelLow, labelHigh);
    drawLabels(d, soilSide, 43, slabLeft - 44, false);

    std::vector<Label> rampSide{
        {levelText(run, "h1", Control::Text1), g.wallRight + 5.2, g.y1, g.y1},
        {"h5=" + oneLine(run.inputs.text(Control::Text4)), g.wallRight + 3, yDim, yDim},
        {levelText(run, "h4", Control::Text16), g.wallRight + 15.2, g.y4, g.y4},
    };
    spreadLabels(rampSide, labelHeight, labelLow, labelHigh);
    drawLabels(d, rampSide, rampEnd + 4, kFigureWidth - rampEnd - 4, false);

    // Heights between the levels, as a chain on the left.
    struct Segment {
        double upper, lower; // drawing y
        std::string text;
    };
    std::vector<Segment> segments;
    if (lv.h1 > lv.h2) {
        segments.push_back({g.y1, g.y2, shortNumber(lv.h1 - lv.h2)});
    }
    if (caseB) {
        segments.push_back({g.y2, g.y4, "H=" + shortNumber(lv.h2 - lv.h4)});
        if (g.waterToScale && lv.h4 > lv.h3) {
            segments.push_back({g.y4, g.y3, shortNumber(lv.h4 - lv.h3)});
        }
    } else {
        const LoadProfile& profile = run.result.profile;
        const double b = profile.waterDepth.value_or(0);
        const double a = profile.height - b;
        if (b > 0) {
            segments.push_back({g.y2, g.y3, "b=" + shortNumber(b)});
        }
        if (a > 0) {
            segments.push_back({g.y3, g.y4, "a=" + shortNumber(a)});
        }
    }
    const double chainX = 29;
    const Stroke chain = pen(kOutline, 0.15);
    std::vector<Label> chainLabels;
    for (const Segment& segment : segments) {
        d.line({chainX, segment.upper}, {chainX, segment.lower}, chain);
        for (double yTick : {segment.upper, segment.lower}) {
            d.line({chainX - 0.7, yTick + 0.7}, {chainX + 0.7, yTick - 0.7}, chain);
            d.line({chainX - 1, yTick}, {soilLeft - 0.5, yTick}, chain);
        }
        const double middle = (segment.upper + segment.lower) / 2;
        chainLabels.push_back({segment.text, chainX - 0.5, middle, middle});
    }
    spreadLabels(chainLabels, labelHeight, labelLow, labelHigh);
    drawLabels(d, chainLabels, chainX - 1.5, chainX - 2, true);

    // Which face is which.
    const double captionTop = g.height - 4.5;
    d.text(caseB ? "迎土面" : "迎水面", (soilLeft + slabLeft) / 2, captionTop, Anchor::Middle, kLabelPoints);
    d.text("坡道内部", (g.wallRight + rampEnd) / 2, captionTop, Anchor::Middle, kLabelPoints);
    return d.take(g.height);
}

// ---- 三、荷载与内力 ----

constexpr double kLoadFigureHeight = 90;

struct Diagram {
    std::string title, unit, labelName, labelValue;
    // Outline points as (depth below h2 in m, value), closed along the axis.
    std::vector<std::pair<double, double>> outline;
    double labelDepth = 0; // the kink the value is written at
    double value = 0;
    bool moment = false;
};

// The moment or shear along the wall, from the surface to the base.
Diagram forceDiagram(std::string title, std::string unit, std::string name, std::string text, double H,
                     const std::vector<ProfilePoint>& points, double ProfilePoint::*member) {
    Diagram d{std::move(title),
              std::move(unit),
              std::move(name),
              std::move(text),
              {},
              H,
              points.empty() ? 0 : points.back().*member,
              true};
    d.outline.emplace_back(0, 0);
    for (const ProfilePoint& point : points) {
        d.outline.emplace_back(point.depth, point.*member);
    }
    d.outline.emplace_back(H, 0);
    return d;
}

std::vector<Diagram> diagramsOf(const design::DesignRun& run, const Levels& lv) {
    const LoadProfile& profile = run.result.profile;
    const double H = std::max(lv.h2 - lv.h4, 0.0); // the depths' range; never inverted
    std::vector<Diagram> diagrams;
    for (const PressureLayer& layer : profile.layers) {
        Diagram d;
        d.title = layer.name;
        d.unit = "kN/m";
        d.labelName = layer.labelName;
        d.labelValue = layer.labelText;
        d.labelDepth = std::clamp(layer.labelDepth, 0.0, H);
        for (const PressureSegment& segment : layer.segments) {
            const double top = std::clamp(segment.d0, 0.0, H);
            const double bottom = std::clamp(segment.d1, 0.0, H);
            d.outline.emplace_back(top, 0);
            d.outline.emplace_back(top, segment.p0);
            d.outline.emplace_back(bottom, segment.p1);
            d.outline.emplace_back(bottom, 0);
            if (layer.labelDepth >= segment.d0 && layer.labelDepth <= segment.d1) {
                d.value = segment.p1;
            }
        }
        diagrams.push_back(std::move(d));
    }
    diagrams.push_back(forceDiagram("弯矩图", "kN·m/m", profile.momentName, profile.momentText, H, profile.points,
                                    &ProfilePoint::moment));
    if (!profile.shearName.empty()) {
        diagrams.push_back(forceDiagram("剪力图", "kN/m", profile.shearName, profile.shearText, H, profile.points,
                                        &ProfilePoint::shear));
    }
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
void drawValueLabel(Drawing& d, const Diagram& diagram, double panelLeft, double panelWidth, double axisX,
                    double kinkY) {
    const double inner = panelWidth - 1;
    const std::string whole = diagram.labelName + "=" + diagram.labelValue;
    std::vector<std::string> lines;
    double points = kLabelPoints;
    if (textWidth(whole, points) <= inner) {
        lines.push_back(whole);
    } else {
        points = kSmallPoints;
        lines.push_back(diagram.labelName + "=");
        lines.push_back(elideMiddle(diagram.labelValue, points, inner));
    }
    double widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, textWidth(line, points));
    }
    const double height = lineHeight(points) * static_cast<double>(lines.size());
    // Positive values lie left of the axis, so their label ends at the axis.
    const bool towardsLeft = diagram.value >= 0;
    double left = towardsLeft ? axisX - 0.8 - widest : axisX + 0.8;
    // Inside the panel; a label wider than the panel starts at its left edge.
    left = std::max(panelLeft + 0.5, std::min(left, panelLeft + panelWidth - 0.5 - widest));
    const double top = kinkY + 0.8;
    d.rect({left - 0.3, top}, {left + widest + 0.3, top + height}, std::nullopt, kWhite);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        d.text(std::move(lines[i]), towardsLeft ? left + widest : left,
               top + lineHeight(points) * static_cast<double>(i), towardsLeft ? Anchor::End : Anchor::Start, points);
    }
}

// Arrows of the pressure towards the wall, every few millimetres down the diagram.
void drawArrows(Drawing& d, const std::vector<Point>& shape, double axisX, double top, double bottom) {
    const Stroke stroke = pen(kLoadLine, 0.15);
    for (int row = 0; top + 2.5 + 3.5 * row < bottom - 0.5; ++row) {
        const double y = top + 2.5 + 3.5 * row;
        // Where the outline crosses this height: the diagram's outer edge.
        double edge = axisX;
        for (std::size_t i = 0; i + 1 < shape.size(); ++i) {
            const Point p = shape[i];
            const Point q = shape[i + 1];
            if ((p.y - y) * (q.y - y) <= 0 && p.y != q.y) {
                const double x = p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y);
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
        d.line({edge, y}, {tip, y}, stroke);
        d.line({tip, y}, {tip + head, y - 0.45}, stroke);
        d.line({tip, y}, {tip + head, y + 0.45}, stroke);
    }
}

// A panel's title in the lines its width takes: whole when it fits, else
// broken before its bracket or at its middle character, each line shortened
// if it still does not fit.
std::vector<std::string> titleLines(const std::string& title, double width) {
    if (textWidth(title, kLabelPoints) <= width) {
        return {title};
    }
    std::size_t cut = title.find("（");
    if (cut == std::string::npos || cut == 0) {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < title.size();) {
            starts.push_back(i);
            const std::size_t length = utf8SequenceLength(title, i);
            i += length == 0 ? 1 : length;
        }
        cut = starts[starts.size() / 2];
    }
    return {elideMiddle(title.substr(0, cut), kLabelPoints, width),
            elideMiddle(title.substr(cut), kLabelPoints, width)};
}

Figure drawLoads(const design::DesignRun& run, const Levels& lv) {
    Drawing d;
    const std::vector<Diagram> diagrams = diagramsOf(run, lv);
    const double H = std::max(lv.h2 - lv.h4, 0.0); // the depths' range; never inverted
    const double labelHeight = lineHeight(kLabelPoints);

    // One scale for all pressures so that they compare, unless one of them
    // would shrink to a hairline beside the largest: then each has its own.
    // The moment always has its own.
    std::vector<Extent> extents(diagrams.size());
    Extent pressures;
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        for (const auto& [depth, value] : diagrams[i].outline) {
            extents[i].take(value);
            if (!diagrams[i].moment) {
                pressures.take(value);
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
    // The moment and shear panels each get their own width; the pressures share the rest.
    std::size_t forcePanels = 0;
    for (const Diagram& diagram : diagrams) {
        forcePanels += diagram.moment ? 1 : 0;
    }
    const double pressurePanels = static_cast<double>(diagrams.size() - forcePanels);
    const double momentWidth = (pressurePanels > 2 ? 37 : 55) * (forcePanels > 1 ? 0.8 : 1.0);
    const double pressureWidth =
        (kFigureWidth - axisColumn - momentWidth * static_cast<double>(forcePanels)) / pressurePanels;
    // Titles too wide for a narrow panel take a second line, and every
    // panel's unit and drawing move down with it.
    std::vector<std::vector<std::string>> titles;
    std::size_t titleRows = 1;
    for (const Diagram& diagram : diagrams) {
        titles.push_back(titleLines(diagram.title, (diagram.moment ? momentWidth : pressureWidth) - 1));
        titleRows = std::max(titleRows, titles.back().size());
    }
    const double top = 12 + labelHeight * static_cast<double>(titleRows - 1);
    const double bottom = 72;
    auto yAt = [&](double depth) { return top + (bottom - top) * (H > 0 ? std::clamp(depth / H, 0.0, 1.0) : 0.0); };

    // Levels: a faint line across every panel, named in the left column.
    std::vector<std::pair<double, std::string>> levels{{0, levelText(run, "h2", Control::Text2)}};
    if (run.result.profile.waterDepth) {
        levels.emplace_back(*run.result.profile.waterDepth, levelText(run, "h3", Control::Text3));
    }
    levels.emplace_back(H, levelText(run, "h4", Control::Text16));
    std::vector<Label> labels;
    for (const auto& [depth, text] : levels) {
        const double y = yAt(depth);
        d.line({axisColumn - 1, y}, {kFigureWidth, y}, pen(kGuide, 0.12, LineStyle::Dot));
        labels.push_back({text, axisColumn - 1, y, y});
    }
    spreadLabels(labels, labelHeight, top - 4, bottom + 8);
    drawLabels(d, labels, axisColumn - 2, axisColumn - 2, true);

    if (ownScales) {
        d.text("注：各荷载相差悬殊，各图按各自比例绘制，数值见标注", axisColumn, bottom + 10, Anchor::Start,
               kSmallPoints, kGuideText);
    }

    double left = axisColumn;
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const Diagram& diagram = diagrams[i];
        const double width = diagram.moment ? momentWidth : pressureWidth;
        const Extent& extent = extents[i];
        // Room at both ends; on the right also for the fixed base's hatching.
        const double usable = width - (diagram.moment ? 4.5 : 3);
        const double span = extent.positive + extent.negative;
        const double perUnit = span > 0 ? usable / span : 0;
        const double axisX = left + 1.5 + extent.positive * perUnit;

        for (std::size_t row = 0; row < titles[i].size(); ++row) {
            d.text(titles[i][row], left + width / 2, labelHeight * static_cast<double>(row), Anchor::Middle,
                   kLabelPoints);
        }
        d.text(diagram.unit, left + width / 2, labelHeight * static_cast<double>(titleRows), Anchor::Middle,
               kSmallPoints, kGuideText);

        // Values grow to the left: the soil side of the wall, where the
        // moment puts the bars in tension.
        std::vector<Point> shape;
        for (const auto& [depth, value] : diagram.outline) {
            const double x = std::isfinite(value) ? axisX - value * perUnit : axisX;
            shape.push_back({x, yAt(depth)});
        }
        d.polygon(shape, pen(diagram.moment ? kMomentLine : kLoadLine, 0.25), diagram.moment ? kMomentFill : kLoadFill);
        if (!diagram.moment) {
            drawArrows(d, shape, axisX, top, bottom);
        }
        d.line({axisX, top}, {axisX, bottom}, pen(kOutline, 0.35));
        if (diagram.moment) {
            // The wall is fixed at its base.
            d.line({axisX - 3, bottom}, {axisX + 3, bottom}, pen(kOutline, 0.2));
            for (int k = 0; k < 5; ++k) {
                const double x = axisX - 2.5 + 1.2 * k;
                d.line({x, bottom}, {x - 0.8, bottom + 0.8}, pen(kOutline, 0.2));
            }
        }
        drawValueLabel(d, diagram, left, width, axisX, yAt(diagram.labelDepth) + (diagram.moment ? 1 : 0));
        left += width;
    }
    return d.take(kLoadFigureHeight);
}

} // namespace

std::optional<Levels> levelsOf(const design::DesignRun& run) {
    const auto h1 = parseDouble(run.inputs.text(Control::Text1));
    const auto h2 = parseDouble(run.inputs.text(Control::Text2));
    const auto h3 = parseDouble(run.inputs.text(Control::Text3));
    const auto h4 = parseDouble(run.inputs.text(Control::Text16));
    const auto h5 = parseDouble(run.inputs.text(Control::Text4));
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

Figure wallFigure(const design::DesignRun& run) {
    const std::optional<Levels> levels = levelsOf(run);
    return levels ? drawWall(run, *levels, wallGeometry(run, *levels)) : noDrawing();
}

Figure loadFigure(const design::DesignRun& run) {
    const std::optional<Levels> levels = levelsOf(run);
    return levels ? drawLoads(run, *levels) : noDrawing();
}

} // namespace rampwall::book
