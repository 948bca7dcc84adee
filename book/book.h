// The calculation book (计算书) of a completed design: A4 portrait pages,
// vector throughout, laid out once for the PDF file, the printer and the
// print preview alike.
#pragma once

#include "book/book_input.h"

#include <optional>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QString;

namespace rampwall::book {

// Paints every page through `painter`, which must be active on `device`,
// calling device.newPage() between pages. A device whose paper is not A4
// gets the A4 page scaled to fit and centred. Needs a QGuiApplication.
// Nullopt once painted; otherwise the message for the user (no Chinese face
// installed), and nothing was painted.
[[nodiscard]] std::optional<std::string> paintBook(QPainter& painter, QPagedPaintDevice& device, const BookInput& book);

// Writes the book as a PDF file at `path`. The file appears, or replaces the
// old one, only once it is complete: nothing is left behind on failure, and
// only a regular file or a new name is written, as a design file is.
// Nullopt on success; otherwise a Chinese message naming the file and what
// went wrong (no such folder, no permission, a folder of that name, a device
// or pipe of that name, a read-only disk, the disk full). Needs a
// QGuiApplication.
[[nodiscard]] std::optional<std::string> writeBookPdf(const BookInput& book, const QString& path);

} // namespace rampwall::book
