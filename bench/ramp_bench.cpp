// A whole ramp: 60 m in 0.5 m segments with four spacings to choose from,
// 480 designs, as `rampwall-cli --ramp 60 --segment 0.5 --spacings
// 100,125,150,200 --h3=-3.0 --h4=-6.5` runs it; and the elevation the dialog
// draws on each edit.
#include "calc/headless_window.h"
#include "calc/ramp/ramp_design.h"
#include "calc/ramp/ramp_drawing.h"
#include "cli/app.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace rampwall;

const std::vector<std::string_view> kArgs = {"--ramp",          "60",        "--segment", "0.5", "--spacings",
                                             "100,125,150,200", "--h3=-3.0", "--h4=-6.5"};

void BM_RampCli_60m_480Designs(benchmark::State& state) {
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::runCli(kArgs, in, out, err);
        // The deepest segments stop (no bar for 350 mm at 6 m): status 1.
        if (status != 1 || out.str().size() < 120 * 60) {
            state.SkipWithError("the ramp did not run as expected");
            break;
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_RampCli_60m_480Designs)->Unit(benchmark::kMillisecond);

ramp::Schedule schedule() {
    HeadlessWindow window;
    window.setText(Control::Text3, "-3.0");
    window.setText(Control::Text16, "-6.5");
    const FormInputs form = window.inputs();
    return ramp::designRamp(defaultEdition(), {}, form,
                            std::get<ramp::RampPlan>(ramp::planRamp({"60", "", "0.5", "", "100,125,150,200"}, form)));
}

void BM_DesignRamp_60m_480Designs(benchmark::State& state) {
    for (auto _ : state) {
        const ramp::Schedule designed = schedule();
        benchmark::DoNotOptimize(designed.totalKg);
    }
}
BENCHMARK(BM_DesignRamp_60m_480Designs)->Unit(benchmark::kMillisecond);

void BM_DrawRamp_60m(benchmark::State& state) {
    const ramp::Schedule designed = schedule();
    for (auto _ : state) {
        const ramp::Drawing drawing = ramp::drawRamp(designed, 980, 230, 12);
        benchmark::DoNotOptimize(drawing.lines.size());
    }
}
BENCHMARK(BM_DrawRamp_60m)->Unit(benchmark::kMicrosecond);

} // namespace
