// Blocks of a fixed height flowed down A4 pages, each page framed by its
// header and footer once the number of pages is known.
#pragma once

#include "book/book_style.h"

#include <QRectF>

#include <functional>
#include <vector>

class QPainter;

namespace rampwall::book {

// The A4 sheet and the area the content flows in, in millimetres.
inline constexpr double kPageWidth = kPageWidthMm;
inline constexpr double kPageHeight = kPageHeightMm;
inline constexpr QRectF kContent{kContentLeftMm, kContentTopMm, kContentWidthMm, kContentHeightMm};

struct Block {
    double height = 0;
    // Draws the block with its top left corner at `topLeft` (mm).
    std::function<void(QPainter&, QPointF topLeft)> draw;
    // Stays on the page of the block that follows it (a heading, a table
    // row), unless the blocks so kept together would not fit on any page.
    bool keepWithNext = false;
    // Space above the block, dropped at the top of a page.
    double spaceBefore = 0;
};

struct PlacedBlock {
    const Block* block;
    double top;
};

using Page = std::vector<PlacedBlock>;

// Fills pages from the top of the content area; a block that does not fit
// below the last one starts a new page. A block taller than a page is given a
// page of its own and clipped there.
std::vector<Page> flow(const std::vector<Block>& blocks);

} // namespace rampwall::book
