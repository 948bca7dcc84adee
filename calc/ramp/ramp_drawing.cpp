#include "calc/ramp/ramp_drawing.h"

#include "calc/decimal_text.h"
#include "calc/number_text.h"
#include "calc/text_bytes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace rampwall::ramp {

namespace {

constexpr std::size_t kLabelRows = 4;
constexpr double kRowHeight = 1.35; // font sizes
constexpr double kLabelGap = 0.6;

std::optional<double> number(std::string_view text) {
    const std::optional<double> value = parseDouble(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// The model's stations and elevations onto the drawing.
struct Frame {
    double left, right, top, bottom; // the drawing's area for the wall
    double length, high, low;        // the model's range

    double x(double station) const { return left + station / length * (right - left); }
    double y(double elevation) const { return top + (high - elevation) / (high - low) * (bottom - top); }
};

double floorAt(const RampPlan& plan, double station) {
    return plan.h4Start + (plan.h4End - plan.h4Start) * station / plan.length;
}

} // namespace

InkStyle inkStyle(Ink ink) {
    switch (ink) {
    case Ink::Wall: return {"#000000", 0.08, false};
    case Ink::Floor: return {"#000000", 0.16, false};
    case Ink::Ground: return {"#8b5a2b", 0.12, false};
    case Ink::Water: return {"#1f5fbf", 0.1, true};
    case Ink::Boundary: return {"#9a9a9a", 0.05, false};
    case Ink::Change: return {"#c00000", 0.1, false};
    case Ink::Dimension: return {"#404040", 0.06, false};
    case Ink::Fail: return {"#c00000", 0.06, false};
    case Ink::Quiet: return {"#5a5a5a", 0.06, false};
    case Ink::Text: break;
    }
    return {"#000000", 0.06, false};
}

double textWidth(std::string_view text) {
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            width += byte == ' ' ? 0.3 : 0.58;
        } else if ((byte & 0xC0) == 0xC0) {
            width += 1.0; // the lead byte of a wide character; continuation bytes add nothing
        }
    }
    return width;
}

Drawing drawRamp(const Schedule& schedule, double width, double height, double fontSize) {
    Drawing drawing{width, height, fontSize, {}, {}};
    const RampPlan& plan = schedule.plan;
    const double f = fontSize;
    const std::optional<double> h1 = number(schedule.form.text(Control::Text1));
    const std::optional<double> h2 = number(schedule.form.text(Control::Text2));
    const std::optional<double> h3 = number(schedule.form.text(Control::Text3));
    if (schedule.segments.empty() || !(plan.length > 0) || !h1) {
        return drawing;
    }
    const double top1 = *h1;
    double high = std::max({top1, plan.h4Start, plan.h4End, h2.value_or(top1)});
    double low = std::min(plan.h4Start, plan.h4End);
    const bool waterShown = h3 && *h3 <= high && *h3 >= low - 0.15 * (high - low);
    if (waterShown) {
        low = std::min(low, *h3);
    }
    if (!(high > low)) {
        high = low + 1; // a level floor and nothing above it
    }
    const double pad = 0.04 * (high - low);
    high += pad;
    low -= pad;
    if (!std::isfinite(high - low)) {
        return drawing; // h1 or h3 too far from the floor to scale onto a page
    }

    // The stretches' labels first: how many rows they take sets the top margin.
    const std::vector<Stretch> stretches = schedule.stretches();
    const double left = 6.2 * f;
    const double right = width - 1.2 * f;
    Frame frame{left, right, 0, 0, plan.length, high, low};
    struct Label {
        std::size_t row;
        double centre;
        std::string text;
        Ink ink;
        double x0, x1;
    };
    std::vector<Label> labels;
    std::array<double, kLabelRows> rowEnd{};
    rowEnd.fill(-1e300);
    std::size_t rowsUsed = 1;
    for (const Stretch& stretch : stretches) {
        const SegmentDesign& first = schedule.segments[stretch.first];
        const double x0 = frame.x(first.section.from);
        const double x1 = frame.x(schedule.segments[stretch.last].section.to);
        std::string text =
            stretch.arrangement.empty() ? std::string(statusCaption(stretch.status)) : stretch.arrangement;
        const double half = textWidth(text) * f / 2;
        // Kept inside the frame; a label wider than the frame starts at its left.
        const double centre = std::max(left + half, std::min((x0 + x1) / 2, right - half));
        std::size_t row = kLabelRows;
        for (std::size_t r = 0; r < kLabelRows; ++r) {
            if (rowEnd[r] + kLabelGap * f <= centre - half) {
                row = r;
                break;
            }
        }
        if (row == kLabelRows) {
            // No room in any row: the row that frees first, overlapping least.
            row = static_cast<std::size_t>(std::min_element(rowEnd.begin(), rowEnd.end()) - rowEnd.begin());
        }
        rowEnd[row] = centre + half;
        rowsUsed = std::max(rowsUsed, row + 1);
        const Ink ink = stretch.status == SegmentStatus::Ok     ? Ink::Text
                        : stretch.status == SegmentStatus::None ? Ink::Quiet
                                                                : Ink::Fail;
        labels.push_back({row, centre, std::move(text), ink, x0, x1});
    }
    const double bracket = (0.9 + kRowHeight * static_cast<double>(rowsUsed)) * f;
    frame.top = bracket + 0.9 * f;
    frame.bottom = height - 3.2 * f;
    if (frame.bottom <= frame.top || right <= left) {
        return drawing;
    }

    // The wall between its top and the floor, and the floor itself.
    const double x0 = frame.x(0);
    const double xL = frame.x(plan.length);
    drawing.lines.push_back({Ink::Wall,
                             {{x0, frame.y(top1)},
                              {xL, frame.y(top1)},
                              {xL, frame.y(plan.h4End)},
                              {x0, frame.y(plan.h4Start)},
                              {x0, frame.y(top1)}},
                             true});
    if (h2) {
        drawing.lines.push_back({Ink::Ground, {{x0, frame.y(*h2)}, {xL, frame.y(*h2)}}, false});
    }
    if (waterShown) {
        drawing.lines.push_back({Ink::Water, {{x0, frame.y(*h3)}, {xL, frame.y(*h3)}}, false});
    }
    drawing.lines.push_back({Ink::Floor, {{x0, frame.y(plan.h4Start)}, {xL, frame.y(plan.h4End)}}, false});

    // Segment boundaries; where the bars change, in the change's ink.
    std::vector<bool> change(schedule.segments.size(), false);
    for (const Stretch& stretch : stretches) {
        change[stretch.first] = stretch.first > 0;
    }
    for (std::size_t i = 1; i < schedule.segments.size(); ++i) {
        const double at = schedule.segments[i].section.from;
        const double x = frame.x(at);
        drawing.lines.push_back(
            {change[i] ? Ink::Change : Ink::Boundary, {{x, frame.y(top1)}, {x, frame.y(floorAt(plan, at))}}, false});
    }

    // Each stretch's bars over a bracket above the wall.
    for (const Label& label : labels) {
        const double tick = 0.35 * f;
        drawing.lines.push_back({Ink::Dimension,
                                 {{label.x0, bracket - tick},
                                  {label.x0, bracket + tick},
                                  {label.x0, bracket},
                                  {label.x1, bracket},
                                  {label.x1, bracket - tick},
                                  {label.x1, bracket + tick}},
                                 false});
        const double baseline = bracket - 0.45 * f - kRowHeight * f * static_cast<double>(label.row);
        if (label.row > 0) {
            const double mid = (label.x0 + label.x1) / 2;
            drawing.lines.push_back({Ink::Dimension, {{label.centre, baseline + 0.25 * f}, {mid, bracket}}, false});
        }
        drawing.texts.push_back({label.ink, {label.centre, baseline}, label.text, Anchor::Middle});
    }

    // Segment numbers inside the wall where there is room for them.
    for (const SegmentDesign& segment : schedule.segments) {
        const std::string number = formatInteger(static_cast<long long>(segment.section.number));
        const double xa = frame.x(segment.section.from);
        const double xb = frame.x(segment.section.to);
        const double mid = (segment.section.from + segment.section.to) / 2;
        const double yTop = frame.y(top1);
        const double yFloor = frame.y(floorAt(plan, mid));
        double baseline = yTop + 1.1 * f;
        // Below the ground line where it would run through the number.
        if (h2 && frame.y(*h2) > baseline - 1.0 * f && frame.y(*h2) < baseline + 0.3 * f) {
            baseline = frame.y(*h2) + 1.1 * f;
        }
        if (xb - xa >= (textWidth(number) + 0.3) * f && baseline + 0.2 * f <= yFloor) {
            drawing.texts.push_back({Ink::Quiet, {(xa + xb) / 2, baseline}, number, Anchor::Middle});
        }
    }

    // The levels at the left, spread so they never overlap.
    struct Level {
        std::string text;
        double y;
        Ink ink;
    };
    std::vector<Level> levels{{"h1 " + schedule.form.text(Control::Text1), frame.y(top1), Ink::Text}};
    if (h2) {
        levels.push_back({"h2 " + schedule.form.text(Control::Text2), frame.y(*h2), Ink::Ground});
    }
    if (waterShown) {
        levels.push_back({"h3 " + schedule.form.text(Control::Text3), frame.y(*h3), Ink::Water});
    }
    levels.push_back({"h4 " + decimalText(plan.h4End, 3), frame.y(plan.h4End), Ink::Text});
    std::stable_sort(levels.begin(), levels.end(), [](const Level& a, const Level& b) { return a.y < b.y; });
    double previous = -1e300;
    for (Level& level : levels) {
        const double baseline = std::max(level.y + 0.35 * f, previous + 1.1 * f);
        previous = baseline;
        drawing.texts.push_back({level.ink, {left - 0.4 * f, baseline}, level.text, Anchor::End});
    }
    if (h3 && !waterShown) {
        drawing.texts.push_back({Ink::Water,
                                 {left, height - 0.3 * f},
                                 "地下水位 h3 " + schedule.form.text(Control::Text3) + " 不在图示范围内",
                                 Anchor::Start});
    }

    // Stations where the bars change, and the ends.
    double stationEnd = -1e300;
    const double stationY = frame.bottom + 1.5 * f;
    std::vector<double> stations{0};
    for (const Stretch& stretch : stretches) {
        if (stretch.first > 0) {
            stations.push_back(schedule.segments[stretch.first].section.from);
        }
    }
    stations.push_back(plan.length);
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const bool last = i + 1 == stations.size();
        const std::string text = decimalText(stations[i], 3) + (last ? " m" : "");
        const double w = textWidth(text) * f;
        const double x = frame.x(stations[i]);
        const Anchor anchor = i == 0 ? Anchor::Start : last ? Anchor::End : Anchor::Middle;
        const double start = anchor == Anchor::Start ? x : anchor == Anchor::End ? x - w : x - w / 2;
        drawing.lines.push_back({Ink::Dimension, {{x, frame.bottom + 0.2 * f}, {x, frame.bottom + 0.5 * f}}, false});
        if (start >= stationEnd + 0.5 * f || last) {
            drawing.texts.push_back({Ink::Text, {x, stationY}, text, anchor});
            stationEnd = start + w;
        }
    }
    drawing.texts.push_back({Ink::Quiet, {right, height - 0.3 * f}, "桩号自坡道上端起算；竖向比例已放大", Anchor::End});
    return drawing;
}

namespace {

// Coordinates to a hundredth of the unit: finer than any screen shows.
std::string coordinate(double value) { return decimalText(value, 2); }

} // namespace

std::string drawingSvg(const Drawing& drawing, std::string_view unit) {
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + coordinate(drawing.width) + " " +
                      coordinate(drawing.height) + "\" width=\"" + coordinate(drawing.width) + std::string(unit) +
                      "\" height=\"" + coordinate(drawing.height) + std::string(unit) + "\" font-size=\"" +
                      coordinate(drawing.fontSize) + "\">";
    for (const DrawLine& line : drawing.lines) {
        const InkStyle style = inkStyle(line.ink);
        svg +=
            line.filled ? "<polygon fill=\"" + std::string(kWallFill) + "\"" : std::string("<polyline fill=\"none\"");
        svg += " stroke=\"" + std::string(style.colour) + "\" stroke-width=\"" +
               coordinate(style.width * drawing.fontSize) + "\"";
        if (style.dashed) {
            svg += " stroke-dasharray=\"" + coordinate(drawing.fontSize * 0.5) + " " +
                   coordinate(drawing.fontSize * 0.3) + "\"";
        }
        svg += " points=\"";
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            svg += (i == 0 ? "" : " ") + coordinate(line.points[i].x) + "," + coordinate(line.points[i].y);
        }
        svg += "\"/>";
    }
    for (const DrawText& text : drawing.texts) {
        const char* anchor = text.anchor == Anchor::Start ? "start" : text.anchor == Anchor::Middle ? "middle" : "end";
        svg += "<text x=\"" + coordinate(text.at.x) + "\" y=\"" + coordinate(text.at.y) + "\" text-anchor=\"" + anchor +
               "\" fill=\"" + std::string(inkStyle(text.ink).colour) + "\">";
        appendEscapedMarkup(svg, text.text);
        svg += "</text>";
    }
    svg += "</svg>";
    return svg;
}

} // namespace rampwall::ramp
