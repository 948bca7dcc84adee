// How wide the figures' texts are, from a fixed table instead of a font: the
// desktop's painter and the page's SVG then place, spread and shorten the
// labels alike, whatever face a computer draws them in. The table is at
// least as wide as the common sans faces' glyphs (the book's WenQuanYi Micro
// Hei, DejaVu Sans, and narrower ones such as Arial and Microsoft YaHei), so
// a label measured by it never runs into its neighbour.
#pragma once

#include <string>
#include <string_view>

namespace rampwall::book {

inline constexpr double kMillimetresPerPoint = 25.4 / 72;

// The top of a line to its baseline, in ems.
inline constexpr double kAscentEm = 0.94;

inline constexpr double pointsToMm(double points) { return points * kMillimetresPerPoint; }

// Baseline to baseline, mm.
inline constexpr double lineHeight(double points) { return pointsToMm(points) * 1.45; }

// The width of a UTF-8 text in mm at a size in points.
double textWidth(std::string_view text, double points);

// The text shortened with "…" in its middle until it is no wider than
// `widthMm`; the text itself when it fits.
std::string elideMiddle(std::string_view text, double points, double widthMm);

} // namespace rampwall::book
