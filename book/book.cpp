#include "book.h"

#include "book_text.h"
#include "calculation_stop.h"
#include "control_table.h"
#include "figures.h"
#include "number_text.h"
#include "page_flow.h"
#include "typesetter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

namespace rampwall::book {

namespace {

constexpr double kBodyPoints = 9.5;
constexpr double kTablePoints = 9;
constexpr double kHeadingPoints = 13;
constexpr double kTitlePoints = 22;
constexpr double kMarginPoints = 8; // header and footer
constexpr double kSheetPoints = 9;
constexpr double kSmallestSheetPoints = 7.5;
// A table cell shows at most this many lines of a typed text; the sheet
// shows the whole of it.
constexpr int kCellLines = 6;

const QColor kShade(236, 236, 236);
const QColor kRule(0, 0, 0);
const QColor kGrey(90, 90, 90);
const QColor kPass(0, 110, 40);
const QColor kFail(190, 0, 0);

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Box texts are single lines; anything that would break one is shown as a blank.
QString oneLine(std::string_view text) {
    QString line = qs(text);
    for (QChar& ch : line) {
        if (ch.category() == QChar::Other_Control) {
            ch = QLatin1Char(' ');
        }
    }
    return line;
}

struct Cell {
    QString text;
    int span = 1;
    bool shaded = false;
    Qt::Alignment align = Qt::AlignLeft;
    QColor color = Qt::black;
};

using Row = std::vector<Cell>;

class Composer {
public:
    Composer(const Typesetter& type, const BookInput& book) : m_type(type), m_book(book) {}

    std::vector<Block> compose();

private:
    const CompletedRun& run() const { return m_book.run; }
    QString box(Control control) const { return oneLine(run().text(control)); }

    void text(const QString& line, double points, double indent = 0, const QColor& color = Qt::black,
              double spaceBefore = 0);
    void heading(const QString& title);
    void table(const std::vector<double>& widths, const std::vector<Row>& rows);
    void gap(double height);

    void titleBlock();
    void designData();
    void loadsAndMoments();
    void sheet();
    void conclusions();

    QString barText(Control diameterBox) const;

    const Typesetter& m_type;
    const BookInput& m_book;
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
            Cell cell;
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
            QStringList lines = m_type.wrap(cell.text, kTablePoints, width - 2 * padX, kCellLines);
            mostLines = std::max(mostLines, static_cast<int>(lines.size()));
            cells.push_back({std::move(lines), x, width, cell});
            x += width;
        }
        Block block;
        block.height = mostLines * lineHeight + 2 * padY;
        block.keepWithNext = r + 1 < rows.size();
        block.draw = [this, cells = std::move(cells), height = block.height, lineHeight, padX, padY](QPainter& painter,
                                                                                                     QPointF o) {
            painter.setPen(QPen(kRule, 0.2));
            for (const Laid& laid : cells) {
                const QRectF rect(o.x() + laid.left, o.y(), laid.width, height);
                painter.setBrush(laid.cell.shaded ? QBrush(kShade) : QBrush(Qt::NoBrush));
                painter.drawRect(rect);
                for (qsizetype i = 0; i < laid.lines.size(); ++i) {
                    m_type.drawInBox(
                        painter, rect.left() + padX, rect.top() + padY + lineHeight * (static_cast<double>(i) + 0.12),
                        laid.width - 2 * padX, laid.lines[i], kTablePoints, laid.cell.align, laid.cell.color);
                }
                painter.setPen(QPen(kRule, 0.2));
            }
        };
        m_blocks.push_back(std::move(block));
    }
}

QString Composer::barText(Control diameterBox) const {
    // "23@100": the spacing as a number, whatever blanks or digits it was typed with.
    const std::optional<double> spacing = parseDouble(run().state().ss);
    return box(diameterBox) + QLatin1Char('@') + (spacing ? qs(formatDouble(*spacing)) : oneLine(run().state().ss));
}

void Composer::titleBlock() {
    Block title;
    title.height = 16;
    title.draw = [this](QPainter& painter, QPointF o) {
        m_type.drawInBox(painter, o.x(), o.y() + 2, kContent.width(), qs(kBookTitle), kTitlePoints, Qt::AlignHCenter);
    };
    m_blocks.push_back(std::move(title));

    const ProjectInfo& p = m_book.project;
    auto label = [](const char* text) { return Cell{QString::fromUtf8(text), 1, true}; };
    auto value = [](const std::string& text, int span = 1) { return Cell{oneLine(text), span}; };
    table({30, 52.5, 30, 52.5}, {
                                    {label("工程名称"), value(p.projectName, 3)},
                                    {label("构件名称或编号"), value(p.component, 3)},
                                    {label("设计"), value(p.designer), label("校对"), value(p.checker)},
                                    {label("审核"), value(p.reviewer), label("日期"), value(p.date)},
                                });

    text(QStringLiteral("设计规范：") + oneLine(m_book.code.name), kBodyPoints, 0, Qt::black, 4);
    for (const std::string& line : m_book.code.lines) {
        text(oneLine(line), 8.5, 6, kGrey);
    }
    text(QStringLiteral("计算程序：") + oneLine(m_book.program.name) + QLatin1Char(' ') +
             oneLine(m_book.program.version),
         kBodyPoints, 0, Qt::black, 1.5);
}

void Composer::designData() {
    heading(QStringLiteral("一、设计资料"));
    const DesignState& st = run().state();
    const bool caseA = run().loadCase() == LoadCase::CaseA;
    auto row = [this](Control control, QString note) {
        return Row{{qs(captionOf(control))}, {box(control)}, {std::move(note)}};
    };
    table(
        {44, 34, 87},
        {
            {{QStringLiteral("项目"), 1, true}, {QStringLiteral("输入值"), 1, true}, {QStringLiteral("说明"), 1, true}},
            row(Control::Combo3, caseA ? QStringLiteral("地下水位位于墙高范围内（h1 ≥ h2 ≥ h3 ≥ h4）")
                                       : QStringLiteral("地下水位位于墙底或以下（h3 ≤ h4 < h2 ≤ h1）")),
            row(Control::Text1, QStringLiteral("墙顶标高")),
            row(Control::Text2, QStringLiteral("墙后土面标高")),
            row(Control::Text3, QStringLiteral("地下水位标高")),
            row(Control::Text16, QStringLiteral("墙底标高，计算截面")),
            row(Control::Text4,
                QStringLiteral("截面有效高度 h0 = h5 - c = ") + qs(textOf(st.h0)) + QStringLiteral(" mm")),
            row(Control::Text13, QString()),
            row(Control::Combo1, QStringLiteral("fc = ") + qs(textOf(st.Fc)) + QStringLiteral("，ft = ") +
                                     qs(textOf(st.Ft)) + QStringLiteral("，ftk = ") + qs(textOf(st.Ftk)) +
                                     QStringLiteral("（N/mm²）")),
            row(Control::Combo2, QStringLiteral("fy = ") + qs(textOf(st.Fy)) + QStringLiteral(" N/mm²")),
            row(Control::Text14, caseA ? QStringLiteral("γ，水下土取 γ-10") : QStringLiteral("γ")),
            row(Control::Text15, QStringLiteral("地面附加荷载 Qfj，侧压力系数 0.5")),
            row(Control::Text5, QStringLiteral("η，MB = η·MBk")),
            row(Control::Text10, QStringLiteral("竖向受力钢筋间距")),
            row(Control::Text8, QStringLiteral("允许最大裂缝宽度")),
        });
}

void Composer::loadsAndMoments() {
    heading(QStringLiteral("二、计算简图"));
    m_blocks.push_back(wallFigure(m_type, run()));

    heading(QStringLiteral("三、荷载与内力"));
    m_blocks.push_back(loadFigure(m_type, run()));
    const DesignState& st = run().state();
    auto value = [](const char* name, const auto& field, const char* where = "") {
        return Cell{QString::fromUtf8(name) + QStringLiteral(" = ") + qs(textOf(field)) + QString::fromUtf8(where)};
    };
    auto header = [](const char* text) { return Cell{QString::fromUtf8(text), 1, true}; };
    std::vector<Row> rows{{header("荷载"), header("侧压力 (kN/m)"), header("对墙底弯矩 (kN·m/m)")}};
    if (run().loadCase() == LoadCase::CaseA) {
        rows.push_back({{QStringLiteral("水上土压力")}, value("q11", st.q11, "（水位处）"), value("MB11", st.MB11)});
        rows.push_back({{QStringLiteral("水下土压力")}, value("q21", st.q21, "（墙底）"), value("MB21", st.MB21)});
        rows.push_back({{QStringLiteral("水压力")}, value("q31", st.q31, "（墙底）"), value("MB31", st.MB31)});
        rows.push_back({{QStringLiteral("附加荷载")}, value("q42", st.q42, "（均布）"), value("MB42", st.MB42)});
    } else {
        rows.push_back({{QStringLiteral("土压力")}, value("q11", st.q11, "（墙底）"), value("MB11", st.MB11)});
        rows.push_back({{QStringLiteral("附加荷载")}, value("q22", st.q22, "（均布）"), value("MB22", st.MB22)});
    }
    rows.push_back({{QStringLiteral("弯矩标准值")}, {}, {QStringLiteral("MBk = ") + box(Control::Text6)}});
    rows.push_back({{QStringLiteral("弯矩设计值")}, {}, value("MB = η·MBk", st.MB)});
    table({45, 60, 60}, rows);
}

// The sheet in one size for all its lines: the largest, down to a floor, at
// which its longest line fits; a line longer still is broken.
void Composer::sheet() {
    heading(QStringLiteral("四、配筋计算"));
    const QStringList lines = qs(run().text(Control::Text12)).split(QStringLiteral("\r\n"));
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
            text(oneLine(lines[i].toStdString()), points);
        }
        // The heading is not left alone at the foot of a page.
        m_blocks.back().keepWithNext = i < 2;
    }
}

void Composer::conclusions() {
    heading(QStringLiteral("五、结论"));
    const DesignState& st = run().state();
    // The moment message let the run go on with ζ = 1: the section is too small.
    const bool strengthMet = widen(st.alfas) < 0.5;
    const std::optional<double> limit = parseDouble(st.Wmax);
    const double allowed = limit ? m_book.code.crackAllowance * *limit : 0;
    const bool crackMet = limit && !(widen(st.W) - allowed > 0);

    auto verdict = [](bool met) {
        return Cell{qs(met ? kSatisfied : kNotSatisfied), 1, false, Qt::AlignHCenter, met ? kPass : kFail};
    };
    auto header = [](const char* text) { return Cell{QString::fromUtf8(text), 1, true}; };
    const QString unitArea = QStringLiteral(" mm²/m，选用 ");
    QString crackRule = QStringLiteral("≤ ");
    if (m_book.code.crackAllowance != 1.0) {
        crackRule += qs(formatDouble(m_book.code.crackAllowance)) + QStringLiteral(" × ");
    }
    crackRule += oneLine(st.Wmax) + QStringLiteral(" mm");
    if (m_book.code.crackAllowance != 1.0) {
        crackRule += QStringLiteral(" = ") + qs(formatDouble(allowed)) + QStringLiteral(" mm");
    }
    table({38, 62, 45, 20},
          {
              {header("项目"), header("计算结果"), header("要求"), header("结论")},
              {{QStringLiteral("弯矩标准值 MBk")}, {box(Control::Text6) + QStringLiteral(" kN·m/m")}, {}, {}},
              {{QStringLiteral("弯矩设计值 MB")}, {qs(textOf(st.MB)) + QStringLiteral(" kN·m/m")}, {}, {}},
              {{QStringLiteral("强度控制配筋")},
               {QStringLiteral("As = ") + box(Control::Text7) + unitArea + barText(Control::Text19)},
               {QStringLiteral("αs = ") + qs(textOf(st.alfas)) +
                (strengthMet ? QStringLiteral(" < 0.5") : QStringLiteral(" ≥ 0.5"))},
               verdict(strengthMet)},
              {{QStringLiteral("裂缝控制配筋")},
               {QStringLiteral("As = ") + box(Control::Text9) + unitArea + barText(Control::Text18)},
               {},
               {}},
              {{QStringLiteral("最大裂缝宽度")},
               {QStringLiteral("Wmax = ") + box(Control::Text11) + QStringLiteral(" mm")},
               {crackRule},
               verdict(crackMet)},
          });

    m_blocks.back().keepWithNext = true;
    QString summary = QStringLiteral("结论：墙底迎水面竖向受力钢筋取 ") + barText(Control::Text18) +
                      QStringLiteral("（As = ") + box(Control::Text9) + QStringLiteral(" mm²/m），");
    if (strengthMet && crackMet) {
        summary += QStringLiteral("满足强度及裂缝宽度要求。");
    } else {
        summary += strengthMet ? QString()
                               : QStringLiteral("不满足强度要求：") + qs(kMomentTooLargeMessage) + QStringLiteral("。");
        summary += crackMet ? QString() : QStringLiteral("不满足裂缝宽度要求。");
    }
    text(summary, kBodyPoints, 0, strengthMet && crackMet ? Qt::black : kFail, 3);
}

std::vector<Block> Composer::compose() {
    titleBlock();
    designData();
    loadsAndMoments();
    sheet();
    conclusions();
    return std::move(m_blocks);
}

void paintFrame(QPainter& painter, const Typesetter& type, const BookInput& book, int page, int pages) {
    const double left = kContent.left();
    const double width = kContent.width();
    QString project = oneLine(book.project.projectName);
    if (!book.project.component.empty()) {
        project += (project.isEmpty() ? QString() : QStringLiteral("　")) + oneLine(book.project.component);
    }
    type.drawInBox(painter, left, 11, width / 2, qs(kBookTitle), kMarginPoints, Qt::AlignLeft, kGrey);
    type.drawInBox(painter, left + width / 2, 11, width / 2, type.elide(project, kMarginPoints, width / 2 - 2),
                   kMarginPoints, Qt::AlignRight, kGrey);
    painter.setPen(QPen(kGrey, 0.2));
    painter.drawLine(QPointF(left, 15.5), QPointF(left + width, 15.5));

    const double footer = kContent.bottom() + 4;
    painter.drawLine(QPointF(left, footer), QPointF(left + width, footer));
    const QString file =
        book.designFileName.empty() ? QStringLiteral("（未保存的设计）") : oneLine(book.designFileName);
    type.drawInBox(painter, left, footer + 1.5, width * 0.7,
                   type.elide(QStringLiteral("设计文件：") + file, kMarginPoints, width * 0.7), kMarginPoints,
                   Qt::AlignLeft, kGrey);
    type.drawInBox(painter, left + width * 0.7, footer + 1.5, width * 0.3,
                   QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages), kMarginPoints, Qt::AlignRight, kGrey);
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

std::optional<std::string> paintBook(QPainter& painter, QPagedPaintDevice& device, const BookInput& book) {
    std::string error;
    const std::optional<QString> family = bookFamily(&error);
    if (!family) {
        return error;
    }
    const Typesetter type(*family);
    Composer composer(type, book);
    const std::vector<Block> blocks = composer.compose();
    const std::vector<Page> pages = flow(blocks);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            device.newPage();
        }
        mapPage(painter, device);
        paintFrame(painter, type, book, i + 1, count);
        for (const PlacedBlock& placed : pages[static_cast<std::size_t>(i)]) {
            placed.block->draw(painter, QPointF(kContent.left(), placed.top));
        }
    }
    painter.restore();
    return std::nullopt;
}

namespace {

std::string quotedPath(const QString& path) { return "“" + path.toStdString() + "”"; }

// Why the file could not be opened for writing, as the user can act on it.
std::string openFailure(const QString& path, const QSaveFile& file) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    std::string reason;
    if (path.isEmpty()) {
        return "计算书无法保存：没有给出文件名";
    }
    if (info.isDir()) {
        reason = "这是一个文件夹，请给出文件名";
    } else if (!folder.exists()) {
        reason = "文件夹" + quotedPath(folder.filePath()) + "不存在";
    } else if (!folder.isDir()) {
        reason = quotedPath(folder.filePath()) + "不是文件夹";
    } else if (!folder.isWritable()) {
        reason = "没有在文件夹" + quotedPath(folder.filePath()) + "中写入的权限";
    } else {
        reason = "无法创建文件（" + file.errorString().toStdString() + "）";
    }
    return "计算书无法保存到" + quotedPath(path) + "：" + reason;
}

std::string writeFailure(const QString& path, const QSaveFile& file) {
    std::string detail;
    if (file.error() != QFileDevice::NoError) {
        detail = "（" + file.errorString().toStdString() + "）";
    }
    return "计算书无法保存到" + quotedPath(path) + "：写入失败，磁盘可能已满" + detail + "。原有文件保持不变";
}

} // namespace

std::optional<std::string> writeBookPdf(const BookInput& book, const QString& path) {
    std::string error;
    if (!bookFamily(&error)) {
        return error;
    }
    QSaveFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly)) {
        return openFailure(path, file);
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
        writer.setCreator(QStringLiteral("rampwall ") + qs(book.program.version));
        QString title = qs(kBookTitle);
        if (!book.project.component.empty()) {
            title += QStringLiteral(" - ") + oneLine(book.project.component);
        }
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return "计算书无法保存到" + quotedPath(path) + "：无法生成 PDF";
        }
        if (auto failed = paintBook(painter, writer, book)) {
            painter.end();
            file.cancelWriting();
            return failed;
        }
        painter.end();
    }
    const QByteArray& bytes = pdf.data();
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 part = file.write(bytes.constData() + written, bytes.size() - written);
        if (part <= 0) {
            break;
        }
        written += part;
    }
    if (written != bytes.size() || !file.flush()) {
        const std::string failure = writeFailure(path, file);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) {
        return writeFailure(path, file);
    }
    return std::nullopt;
}

} // namespace rampwall::book
