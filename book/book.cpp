#include "book/book.h"

#include "book/book_content.h"
#include "book/book_layout.h"
#include "book/book_style.h"
#include "book/book_text.h"
#include "book/figures.h"
#include "book/page_flow.h"
#include "book/typesetter.h"
#include "design/file_io.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace rampwall::book {

namespace {

// A table cell shows at most this many lines of a typed text; the sheet
// shows the whole of it.
constexpr int kCellLines = 6;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor qColour(Colour colour) { return {colour.red, colour.green, colour.blue}; }
QColor toneColour(Tone tone) { return qColour(colourOf(tone)); }

// Lays the book's content out as blocks of a fixed height for the pages.
class Composer {
public:
    Composer(const Typesetter& type, const BookContent& content) : m_type(type), m_content(content) {}

    std::vector<Block> compose();

private:
    void text(const QString& line, double points, double indent = 0, const QColor& color = Qt::black,
              double spaceBefore = 0);
    void title(const QString& text);
    void heading(const QString& title);
    void table(const std::vector<double>& widths, const std::vector<Row>& rows);
    void gap(double height);
    void sheet(const std::vector<std::string>& lines);

    const Typesetter& m_type;
    const BookContent& m_content;
    std::vector<Block> m_blocks;
};

void Composer::text(const QString& line, double points, double indent, const QColor& color, double spaceBefore) {
    const QStringList lines = m_type.wrap(line, points, kContent.width() - indent);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Block block;
        block.height = m_type.lineHeight(points);
        block.spaceBefore = i == 0 ? spaceBefore : 0;
        block.draw = [this, text = lines[i], points, indent, color](QPainter& painter, QPointF topLeft) {
            m_type.drawInBox(painter, topLeft.x() + indent, topLeft.y(), kContent.width() - indent, text, points,
                             Qt::AlignLeft, color);
        };
        m_blocks.push_back(std::move(block));
    }
}

void Composer::title(const QString& text) {
    Block block;
    block.height = 16;
    block.draw = [this, text](QPainter& painter, QPointF o) {
        m_type.drawInBox(painter, o.x(), o.y() + 2, kContent.width(), text, kTitlePoints, Qt::AlignHCenter);
    };
    m_blocks.push_back(std::move(block));
}

void Composer::heading(const QString& title) {
    Block block;
    block.height = m_type.lineHeight(kHeadingPoints) + 1;
    block.spaceBefore = 5;
    block.keepWithNext = true;
    block.draw = [this, title](QPainter& painter, QPointF topLeft) {
        m_type.drawInBox(painter, topLeft.x(), topLeft.y(), kContent.width(), title, kHeadingPoints, Qt::AlignLeft);
    };
    m_blocks.push_back(std::move(block));
}

void Composer::gap(double height) {
    Block block;
    block.height = height;
    block.draw = [](QPainter&, QPointF) {};
    m_blocks.push_back(std::move(block));
}

// One block a row: a table that fits on a page is kept on one, a longer one
// breaks between rows.
void Composer::table(const std::vector<double>& widths, const std::vector<Row>& rows) {
    const double padX = 1.5;
    const double padY = 1.0;
    const double lineHeight = m_type.lineHeight(kTablePoints);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        struct Laid {
            QStringList lines;
            double left, width;
            bool shaded;
            Qt::Alignment align;
            QColor color;
        };
        std::vector<Laid> cells;
        double x = 0;
        std::size_t column = 0;
        int mostLines = 1;
        for (const Cell& cell : rows[r]) {
            double width = 0;
            for (int s = 0; s < cell.span && column < widths.size(); ++s, ++column) {
                width += widths[column];
            }
            QStringList lines = m_type.wrap(qs(cell.text), kTablePoints, width - 2 * padX, kCellLines);
            mostLines = std::max(mostLines, static_cast<int>(lines.size()));
            cells.push_back({std::move(lines), x, width, cell.shaded, cell.centred ? Qt::AlignHCenter : Qt::AlignLeft,
                             toneColour(cell.tone)});
            x += width;
        }
        Block block;
        block.height = mostLines * lineHeight + 2 * padY;
        block.keepWithNext = r + 1 < rows.size();
        block.draw = [this, cells = std::move(cells), height = block.height, lineHeight, padX, padY](QPainter& painter,
                                                                                                     QPointF o) {
            painter.setPen(QPen(qColour(kRule), 0.2));
            for (const Laid& laid : cells) {
                const QRectF rect(o.x() + laid.left, o.y(), laid.width, height);
                painter.setBrush(laid.shaded ? QBrush(qColour(kShade)) : QBrush(Qt::NoBrush));
                painter.drawRect(rect);
                for (qsizetype i = 0; i < laid.lines.size(); ++i) {
                    m_type.drawInBox(painter, rect.left() + padX,
                                     rect.top() + padY + lineHeight * (static_cast<double>(i) + 0.12),
                                     laid.width - 2 * padX, laid.lines[i], kTablePoints, laid.align, laid.color);
                }
                painter.setPen(QPen(qColour(kRule), 0.2));
            }
        };
        m_blocks.push_back(std::move(block));
    }
}

// The sheet in one size for all its lines: the largest, down to a floor, at
// which its longest line fits; a line longer still is broken.
void Composer::sheet(const std::vector<std::string>& sheetLines) {
    QStringList lines;
    for (const std::string& line : sheetLines) {
        lines << qs(line);
    }
    double widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, m_type.width(line, kSheetPoints));
    }
    const double points =
        widest <= kContent.width()
            ? kSheetPoints
            : std::max(kSmallestSheetPoints, std::floor(kSheetPoints * kContent.width() / widest * 10) / 10);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) {
            gap(m_type.lineHeight(points) / 2);
        } else {
            text(lines[i], points);
        }
        // The heading is not left alone at the foot of a page.
        m_blocks.back().keepWithNext = i < 2;
    }
}

std::vector<Block> Composer::compose() {
    for (std::size_t i = 0; i < m_content.blocks.size(); ++i) {
        const BookBlock& block = m_content.blocks[i];
        switch (block.kind) {
        case BookBlock::Kind::Title: title(qs(block.text)); break;
        case BookBlock::Kind::Heading: heading(qs(block.text)); break;
        case BookBlock::Kind::Text:
            text(qs(block.text), kBodyPoints, 0, toneColour(block.tone), block.spaceBefore);
            break;
        case BookBlock::Kind::Note:
            text(qs(block.text), kNotePoints, kNoteIndentMm, toneColour(block.tone), block.spaceBefore);
            break;
        case BookBlock::Kind::Table:
            table(block.widths, block.rows);
            // The conclusion's sentence stays with its table.
            if (i + 1 == m_content.blocks.size() - 1) {
                m_blocks.back().keepWithNext = true;
            }
            break;
        case BookBlock::Kind::WallFigure:
        case BookBlock::Kind::LoadFigure: m_blocks.push_back(figureBlock(m_type, block.figure)); break;
        case BookBlock::Kind::Sheet: sheet(block.lines); break;
        }
    }
    return std::move(m_blocks);
}

void paintFrame(QPainter& painter, const Typesetter& type, const BookContent& content, int page, int pages) {
    const double left = kContent.left();
    const double width = kContent.width();
    const QString project = qs(content.header);
    type.drawInBox(painter, left, 11, width / 2, qs(kBookTitle), kMarginPoints, Qt::AlignLeft, qColour(kGrey));
    type.drawInBox(painter, left + width / 2, 11, width / 2, type.elide(project, kMarginPoints, width / 2 - 2),
                   kMarginPoints, Qt::AlignRight, qColour(kGrey));
    painter.setPen(QPen(qColour(kGrey), 0.2));
    painter.drawLine(QPointF(left, 15.5), QPointF(left + width, 15.5));

    const double footer = kContent.bottom() + 4;
    painter.drawLine(QPointF(left, footer), QPointF(left + width, footer));
    type.drawInBox(painter, left, footer + 1.5, width * 0.7, type.elide(qs(content.footer), kMarginPoints, width * 0.7),
                   kMarginPoints, Qt::AlignLeft, qColour(kGrey));
    type.drawInBox(painter, left + width * 0.7, footer + 1.5, width * 0.3,
                   qs(kPageNumber[0]) + QString::number(page) + qs(kPageNumber[1]) + QString::number(pages) +
                       qs(kPageNumber[2]),
                   kMarginPoints, Qt::AlignRight, qColour(kGrey));
}

// Millimetres of the A4 page onto the device: the painter's origin is the
// corner of the device's printable area, which may lie inside its paper.
void mapPage(QPainter& painter, QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const QRectF full = layout.fullRectPoints();
    const QRectF paint = layout.paintRectPoints();
    const double pxPerMmX = device.logicalDpiX() / 25.4;
    const double pxPerMmY = device.logicalDpiY() / 25.4;
    const double paperWidth = full.width() * 25.4 / 72;
    const double paperHeight = full.height() * 25.4 / 72;
    const double fit = std::min({1.0, paperWidth / kPageWidth, paperHeight / kPageHeight});
    painter.resetTransform();
    painter.translate(-(paint.left() - full.left()) * 25.4 / 72 * pxPerMmX,
                      -(paint.top() - full.top()) * 25.4 / 72 * pxPerMmY);
    painter.scale(pxPerMmX, pxPerMmY);
    painter.translate((paperWidth - kPageWidth * fit) / 2, (paperHeight - kPageHeight * fit) / 2);
    painter.scale(fit, fit);
}

} // namespace

struct ContentLayout::Parts {
    Composer composer;
    std::vector<Block> blocks;
};

ContentLayout::ContentLayout(const Typesetter& type, const BookContent& content)
    : m_parts(std::make_unique<Parts>(Parts{Composer(type, content), {}})) {
    m_parts->blocks = m_parts->composer.compose();
}

ContentLayout::~ContentLayout() = default;

std::vector<Block>& ContentLayout::blocks() { return m_parts->blocks; }

void paintFlowed(QPainter& painter, QPagedPaintDevice& device, const Typesetter& type, const BookContent& content,
                 const std::vector<Block>& blocks) {
    const std::vector<Page> pages = flow(blocks);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            device.newPage();
        }
        mapPage(painter, device);
        paintFrame(painter, type, content, i + 1, count);
        for (const PlacedBlock& placed : pages[static_cast<std::size_t>(i)]) {
            placed.block->draw(painter, QPointF(kContent.left(), placed.top));
        }
    }
    painter.restore();
}

std::optional<std::string> paintBook(QPainter& painter, QPagedPaintDevice& device, const BookInput& book) {
    std::string error;
    const std::optional<QString> family = bookFamily(&error);
    if (!family) {
        return error;
    }
    const Typesetter type(*family);
    const BookContent content = composeBook(book);
    ContentLayout layout(type, content);
    paintFlowed(painter, device, type, content, layout.blocks());
    return std::nullopt;
}

namespace {

std::string quotedPath(const QString& path) { return "“" + path.toStdString() + "”"; }

} // namespace

std::optional<std::string> writePdf(const QString& path, const QString& title, std::string_view version,
                                    const PaintPages& paint) {
    std::string error;
    if (!bookFamily(&error)) {
        return error;
    }
    if (path.isEmpty()) {
        return "计算书无法保存：没有给出文件名";
    }
    const std::string fileName = QFile::encodeName(path).toStdString();
    // Refused before the book is made, which takes a while.
    if (const design::WriteTarget target = design::resolveWriteTarget(fileName); !target.fault.empty()) {
        return "计算书无法保存到" + quotedPath(path) + "：" + target.fault;
    }
    // The PDF is made in memory first: Qt's PDF engine does not look at what
    // a write returns, and a full disk takes only part of a large write
    // without reporting an error, so the file would be committed cut short.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("rampwall ") + qs(version));
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) {
            return "计算书无法保存到" + quotedPath(path) + "：无法生成 PDF";
        }
        if (auto failed = paint(painter, writer)) {
            painter.end();
            return failed;
        }
        painter.end();
    }
    const QByteArray& bytes = pdf.data();
    const std::string failure = design::writeFileAtomically(
        fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!failure.empty()) {
        return "计算书无法保存到" + quotedPath(path) + "：" + failure;
    }
    return std::nullopt;
}

std::optional<std::string> writeBookPdf(const BookInput& book, const QString& path) {
    return writePdf(path, qs(composeBook(book).pdfTitle), book.program.version,
                    [&book](QPainter& painter, QPagedPaintDevice& device) { return paintBook(painter, device, book); });
}

} // namespace rampwall::book
