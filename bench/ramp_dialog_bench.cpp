// The ramp dialog after an edit of the ramp's length: the ramp designed
// again (60 m in 0.5 m segments, four spacings: 480 designs), the table and
// the total refilled and the whole dialog painted, which must fit in one
// frame (16.7 ms at 60 Hz). Painted into a pixmap with the offscreen
// platform, so it needs no screen.
#include "ui/form1.h"
#include "ui/ramp_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

using namespace rampwall;

void BM_RampDialog_EditAndPaint_60m(benchmark::State& state) {
    Form1 form;
    form.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("-3.0"));
    form.findChild<QLineEdit*>(QStringLiteral("Text16"))->setText(QStringLiteral("-6.5"));
    RampDialog dialog(form);
    auto* length = dialog.findChild<QLineEdit*>(QStringLiteral("RampLength"));
    dialog.findChild<QLineEdit*>(QStringLiteral("RampSegmentLength"))->setText(QStringLiteral("0.5"));
    dialog.findChild<QLineEdit*>(QStringLiteral("RampSpacings"))->setText(QStringLiteral("100,125,150,200"));
    QPixmap canvas(dialog.size());
    bool longer = true;
    for (auto _ : state) {
        // What typing does: the box's text, then its textEdited.
        length->setText(longer ? QStringLiteral("60") : QStringLiteral("59.5"));
        emit length->textEdited(length->text());
        dialog.render(&canvas);
        longer = !longer;
    }
    // 60 m is 120 segments, 59.5 m 119.
    if (dialog.schedule() == nullptr || dialog.schedule()->segments.size() < 119) {
        state.SkipWithError("the ramp was not designed in its segments");
    }
}
BENCHMARK(BM_RampDialog_EditAndPaint_60m)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
