// The calculation book as HTML for the web page: the content the desktop
// lays out on its pages, the figures as SVG from the same display lists, and
// the print rules that put it on A4 pages with the running title, the
// project, the design file and 第N页 共M页 in the margins. Any book made as
// BookContent is written by the same function.
#pragma once

#include "book/book_content.h"
#include "book/figure.h"
#include "book/ramp_book_content.h"

#include <string>

namespace rampwall::book {

// A <style> for the printed pages and the book as an <article>.
std::string bookHtml(const BookContent& content);

// The ramp's book: its own pages, the elevation, then each arrangement's
// section, under the print rules of its front pages.
std::string rampBookHtml(const RampBookContent& content, const ramp::Schedule& schedule);

// One figure as an <svg> element, in millimetres.
std::string figureSvg(const Figure& figure);

} // namespace rampwall::book
