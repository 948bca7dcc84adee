// One calculation as the window runs it, and the crack loop at its longest
// ordinary case.
#include "calc/compute.h"
#include "calc/crack.h"
#include "calc/design_state.h"
#include "calc/headless_window.h"
#include "calc/input_reader.h"
#include "calc/number_text.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace rampwall;

// The window keeps one state for its whole life and each click computes over
// it again; so does this loop. The recorded events are dropped each time, as
// a real window keeps none.
void computeStartUp(benchmark::State& run, ComputeOptions options) {
    HeadlessWindow window;
    DesignState state;
    for (auto _ : run) {
        window.clearEvents();
        const RunOutcome outcome = COMPUTE(state, window, options);
        benchmark::DoNotOptimize(outcome);
    }
    if (window.text(Control::Text18) != "23") {
        run.SkipWithError("the start-up design did not end at the 23 mm bar");
    }
}

void BM_COMPUTE_StartUpWithSheet(benchmark::State& run) { computeStartUp(run, {.composeSheet = true}); }
BENCHMARK(BM_COMPUTE_StartUpWithSheet);

void BM_COMPUTE_StartUpWithoutSheet(benchmark::State& run) { computeStartUp(run, {.composeSheet = false}); }
BENCHMARK(BM_COMPUTE_StartUpWithoutSheet);

// Opening a window costs more than a design; a batch pays it per row.
void BM_HeadlessWindow_Open(benchmark::State& run) {
    for (auto _ : run) {
        HeadlessWindow window;
        benchmark::DoNotOptimize(window);
    }
}
BENCHMARK(BM_HeadlessWindow_Open);

// Aas 2118.2, h5 350, h0 300, c 50, MBk 144.166, Ftk 1.78, bar 18 at 100 and
// a limit of 0.05: 22 passes, ending at the 39 mm bar.
void BM_CrackLoop_22Passes(benchmark::State& run) {
    DesignState state;
    state.h5 = "350";
    state.h0 = 300.0;
    state.c = 50.0f;
    state.MBk = 144.166f;
    state.Ftk = 1.78;
    state.ss = "100";
    state.Wmax = "0.05";
    HeadlessWindow window;
    for (auto _ : run) {
        state.Aas = 2118.2f;
        state.deq = 18;
        InputReader inputs(state);
        window.clearEvents();
        controlCrackWidth(state, inputs, window);
        benchmark::DoNotOptimize(state.W);
    }
    if (state.deq != BarDiameter(39)) {
        run.SkipWithError("the crack loop did not end at the 39 mm bar");
    }
}
BENCHMARK(BM_CrackLoop_22Passes);

// The eleven start-up texts, then what else a box may hold: many digits, an
// exponent, full-width forms and blanks, and a text that is no number.
constexpr std::array<std::string_view, 16> kTypedTexts = {
    "0",  "-0.5", "-1.0", "350",      "1.2",  "0.2",    "100",      "50",
    "18", "10",   "-4.5", "50.09999", "2e-1", "  350 ", "－０．５", "0.30000000000000004"};

void BM_parseDouble_TypedTexts(benchmark::State& run) {
    double sum = 0;
    for (auto _ : run) {
        for (std::string_view text : kTypedTexts) {
            sum += parseDouble(text).value_or(0);
        }
    }
    benchmark::DoNotOptimize(sum);
    run.SetItemsProcessed(run.iterations() * static_cast<long>(kTypedTexts.size()));
}
BENCHMARK(BM_parseDouble_TypedTexts);

// Values the sheet and the boxes show: short decimals, and the 15-digit
// values a cover such as 50.1 brings into h0 and the products after it.
constexpr std::array<double, 8> kSheetDoubles = {
    3.5, -4.5, 172.999, 0.267, 7.2 * 1000, 299.900001525879, 350 - 50.099998474121094, 1.27 / 3.0};
constexpr std::array<float, 6> kSheetSingles = {144.166f, 3260.572f, 0.024f, 132.946f, 0.841f, 1.5e-5f};

void BM_appendNumbers_SheetValues(benchmark::State& run) {
    std::string out;
    for (auto _ : run) {
        out.clear();
        for (double value : kSheetDoubles) {
            appendDouble(out, value);
        }
        for (float value : kSheetSingles) {
            appendSingle(out, value);
        }
        benchmark::DoNotOptimize(out.data());
    }
    run.SetItemsProcessed(run.iterations() * static_cast<long>(kSheetDoubles.size() + kSheetSingles.size()));
}
BENCHMARK(BM_appendNumbers_SheetValues);

} // namespace
