#include "book/ramp_book.h"

#include "book/book_layout.h"
#include "book/book_style.h"
#include "book/ramp_painter.h"
#include "book/text_measure.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>

namespace rampwall::book {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The elevation across the text column, its labels set by the book's typesetter.
Block elevation(const Typesetter& type, const ramp::Schedule& schedule) {
    Block block;
    block.height = kRampDrawingHeightMm + 4;
    block.spaceBefore = 2;
    block.draw = [&type, &schedule](QPainter& painter, QPointF topLeft) {
        const double font = pointsToMm(kRampDrawingPoints);
        const ramp::Drawing drawing = ramp::drawRamp(schedule, kContent.width(), kRampDrawingHeightMm, font);
        paintRampDrawing(
            painter, drawing, topLeft,
            [&type](QPainter& p, QPointF at, const QString& text, ramp::Anchor anchor, const QColor& colour) {
                const double width = type.width(text, kRampDrawingPoints);
                const double shift = anchor == ramp::Anchor::Start    ? 0
                                     : anchor == ramp::Anchor::Middle ? width / 2
                                                                      : width;
                type.draw(p, QPointF(at.x() - shift, at.y()), text, kRampDrawingPoints, colour);
            });
    };
    return block;
}

} // namespace

std::optional<std::string> paintRampBook(QPainter& painter, QPagedPaintDevice& device, const RampBookInput& input) {
    std::string error;
    const std::optional<QString> family = bookFamily(&error);
    if (!family) {
        return error;
    }
    if (input.schedule == nullptr) {
        return std::string("坡道尚未计算，没有计算书");
    }
    const Typesetter type(*family);
    const RampBookContent content = composeRampBook(input);
    std::vector<std::unique_ptr<ContentLayout>> layouts;
    std::vector<Block> blocks;
    const auto append = [&](const BookContent& part) {
        layouts.push_back(std::make_unique<ContentLayout>(type, part));
        std::vector<Block>& laid = layouts.back()->blocks();
        blocks.insert(blocks.end(), laid.begin(), laid.end());
    };
    append(content.front);
    blocks.back().keepWithNext = true; // the heading stays with its drawing
    blocks.push_back(elevation(type, *input.schedule));
    append(content.back);
    for (const RampBookSection& section : content.sections) {
        append(section.content);
    }
    paintFlowed(painter, device, type, content.front, blocks);
    return std::nullopt;
}

std::optional<std::string> writeRampBookPdf(const RampBookInput& input, const QString& path) {
    const QString title =
        qs(kRampBookTitle) + (input.project.member.empty() ? QString() : " - " + qs(input.project.member));
    return writePdf(path, title, input.program.version, [&input](QPainter& painter, QPagedPaintDevice& device) {
        return paintRampBook(painter, device, input);
    });
}

} // namespace rampwall::book
