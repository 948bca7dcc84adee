// The ramp's calculation book on A4 pages: its own pages with the elevation
// drawn to the text column's width, then each arrangement's section book,
// all under one frame and one page count.
#pragma once

#include "book/ramp_book_content.h"

#include <optional>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QString;

namespace rampwall::book {

// As paintBook, for a ramp; needs a QGuiApplication.
[[nodiscard]] std::optional<std::string> paintRampBook(QPainter& painter, QPagedPaintDevice& device,
                                                       const RampBookInput& input);

// As writeBookPdf, for a ramp.
[[nodiscard]] std::optional<std::string> writeRampBookPdf(const RampBookInput& input, const QString& path);

} // namespace rampwall::book
