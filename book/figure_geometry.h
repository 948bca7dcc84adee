// The two drawings of the book, to scale for the design at hand: the wall
// with its elevations (二、计算简图) and the pressure and moment diagrams
// (三、荷载与内力). Every decision is made here, without a toolkit: scales,
// positions, lines, fills, labels and where crowded labels move to.
#pragma once

#include "book/figure.h"
#include "design/design_document.h"

#include <optional>

namespace rampwall::book {

// The book's text column, which the figures span.
inline constexpr double kFigureWidth = 165;

// The elevations as numbers; nullopt when one is not a finite number or the
// retained height h2 - h4 is not positive (a completed run always has one).
struct Levels {
    double h1, h2, h3, h4;
    double h5; // wall thickness, mm
};
std::optional<Levels> levelsOf(const design::DesignRun& run);

// A run without usable elevations gets a line saying so instead.
Figure wallFigure(const design::DesignRun& run);
Figure loadFigure(const design::DesignRun& run);

} // namespace rampwall::book
