// The book's drawings on the desktop's pages: a figure's display list
// (figure_geometry.h) painted with Qt.
#pragma once

#include "book/figure.h"
#include "book/page_flow.h"
#include "book/typesetter.h"

namespace rampwall::book {

// The block keeps a reference to the figure: it must outlive the block.
Block figureBlock(const Typesetter& type, const Figure& figure);

} // namespace rampwall::book
