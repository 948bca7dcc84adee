// A figure of the book as a list of things to draw, in millimetres from its
// top left corner and in drawing order: the desktop paints the list with Qt,
// the web page writes it as SVG, so the two books' drawings are the same.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace rampwall::book {

struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

enum class LineStyle {
    Solid,
    Dash, // dashes four pen widths long, two apart
    Dot,  // dots a pen width long, two apart
};

// Lines of this width and colour, square-ended and mitred.
struct Stroke {
    Colour colour;
    double width = 0;
    LineStyle style = LineStyle::Solid;
};

struct Point {
    double x = 0, y = 0;
};

// A line through the points; a closed one may be filled.
struct Path {
    std::vector<Point> points;
    std::optional<Stroke> stroke;
    std::optional<Colour> fill;
    bool closed = false;
};

// Which end of a text stands at its x.
enum class Anchor { Start, Middle, End };

// One line of text; `top` is the top of its line (text_measure.h: kAscentEm).
struct Text {
    std::string text;
    double x = 0, top = 0;
    Anchor anchor = Anchor::Start;
    double points = 8;
    Colour colour = kBlack;
};

using FigureItem = std::variant<Path, Text>;

struct Figure {
    double width = 0, height = 0;
    std::vector<FigureItem> items;
};

} // namespace rampwall::book
