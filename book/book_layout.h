// What a book of several parts (the ramp's) shares with the single-section
// book: a content laid out as blocks, the blocks flowed onto framed pages,
// and a PDF written whole or not at all.
#pragma once

#include "book/book_content.h"
#include "book/page_flow.h"
#include "book/typesetter.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QString;

namespace rampwall::book {

// A content's blocks, kept with what they draw from: the typesetter and the
// content must outlive it.
class ContentLayout {
public:
    ContentLayout(const Typesetter& type, const BookContent& content);
    ~ContentLayout();
    ContentLayout(const ContentLayout&) = delete;
    ContentLayout& operator=(const ContentLayout&) = delete;

    std::vector<Block>& blocks();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// Flows the blocks onto A4 pages of `device`, each framed with the content's
// header and footer and numbered 第N页 共M页.
void paintFlowed(QPainter& painter, QPagedPaintDevice& device, const Typesetter& type, const BookContent& content,
                 const std::vector<Block>& blocks);

// Paints every page; nullopt, or a message for the user.
using PaintPages = std::function<std::optional<std::string>(QPainter&, QPagedPaintDevice&)>;

// The PDF is made in memory and saved as a design file is: the file appears
// or is replaced only when complete, and only a regular file or a new name
// is written. Nullopt, or a Chinese message naming the file.
std::optional<std::string> writePdf(const QString& path, const QString& title, std::string_view version,
                                    const PaintPages& paint);

} // namespace rampwall::book
