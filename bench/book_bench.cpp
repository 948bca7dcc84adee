// The calculation book of a design, written as the tool and the window write
// it: the pages laid out and painted, the font subset embedded, the file
// saved through QSaveFile.
#include "book/book.h"
#include "book/headless_gui.h"
#include "calc/headless_window.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace rampwall;

std::optional<book::BookInput> bookOf(const std::vector<std::pair<Control, std::string>>& typed,
                                      const std::vector<std::pair<Control, int>>& chosen) {
    HeadlessWindow window;
    for (const auto& [box, text] : typed) {
        window.setText(box, text);
    }
    for (const auto& [list, index] : chosen) {
        window.setSelectedIndex(list, index);
    }
    DesignState state;
    const CodeEdition& edition = defaultEdition();
    design::DesignRun completed{window.inputs(), &edition, {}, {}};
    completed.result = edition.design({completed.inputs, {}, {.sheet = true, .values = true, .report = true}}, state);
    if (!book::hasBook(completed)) {
        return std::nullopt;
    }
    book::BookInput input{.run = completed};
    input.project = {"某地下车库工程", "WQ-1 坡道外墙", "设计人", "校对人", "审核人", "2025-03-01"};
    input.designFileName = "wq-1.rampwall";
    return input;
}

const std::vector<std::pair<Control, std::string>> kCaseBTyped{{Control::Text3, "-5.0"}};
const std::vector<std::pair<Control, int>> kCaseBChosen{
    {Control::Combo3, 1}, {Control::Combo1, 2}, {Control::Combo2, 1}};

// The whole of writeBookPdf, the file's commit included: QSaveFile flushes
// the file to the disk before it takes the place of the old one.
void writeBook(benchmark::State& run, const std::optional<book::BookInput>& input) {
    if (!input) {
        run.SkipWithError("the design did not complete");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.pdf"));
    for (auto _ : run) {
        if (const auto error = book::writeBookPdf(*input, path)) {
            run.SkipWithError(error->c_str());
            return;
        }
    }
    run.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_WriteBookPdf_StartUp(benchmark::State& run) { writeBook(run, bookOf({}, {})); }
BENCHMARK(BM_WriteBookPdf_StartUp)->Unit(benchmark::kMillisecond);

void BM_WriteBookPdf_CaseB(benchmark::State& run) { writeBook(run, bookOf(kCaseBTyped, kCaseBChosen)); }
BENCHMARK(BM_WriteBookPdf_CaseB)->Unit(benchmark::kMillisecond);

// The same book into memory: layout, painting and the PDF with its font
// subset, without the disk.
void BM_PaintBook_StartUpInMemory(benchmark::State& run) {
    const std::optional<book::BookInput> input = bookOf({}, {});
    if (!input) {
        run.SkipWithError("the design did not complete");
        return;
    }
    qint64 bytes = 0;
    for (auto _ : run) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        if (const auto error = book::paintBook(painter, writer, *input)) {
            run.SkipWithError(error->c_str());
            return;
        }
        painter.end();
        bytes = buffer.size();
    }
    run.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PaintBook_StartUpInMemory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const book::HeadlessGui gui;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
