// Batch throughput: CSV in memory to CSV in memory, one design per row.
#include "cli/batch.h"
#include "cli/design_run.h"
#include "cli/rows.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

using namespace rampwall;
using namespace rampwall::cli;

// A spread of ordinary walls: base, thickness, spacing, limit, grades and
// both load cases vary from row to row. About one row in twenty ends in the
// bar message (no bar large enough), as a real batch of trial designs does.
std::string generatedRows(std::size_t count) {
    static constexpr const char* kBases[] = {"-3.5", "-4", "-4.5", "-5"};
    std::string csv = "h3,h4,h5,spacing,crack-limit,concrete,steel,case\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        const bool caseB = i % 4 == 3;
        csv += caseB ? "-7.0," : "-1.0,";
        csv += kBases[(i / 4) % 4];
        csv += ",";
        csv += std::to_string(250 + 10 * (i % 31)) + ",";
        csv += std::to_string(100 + 25 * (i % 3)) + ",";
        csv += i % 2 == 0 ? "0.2," : "0.3,";
        csv += "C" + std::to_string(15 + 5 * (i % 14)) + ",";
        csv += std::to_string(i % 4) + ",";
        csv += caseB ? "B\r\n" : "A\r\n";
    }
    return csv;
}

std::size_t countStopped(const std::string& csv) {
    std::size_t count = 0;
    for (std::size_t at = 0; (at = csv.find(",stopped,", at)) != std::string::npos; ++at) {
        ++count;
    }
    return count;
}

void BM_Batch_100000Rows(benchmark::State& run) {
    const std::size_t rows = 100000;
    const std::string csv = generatedRows(rows);
    std::ostringstream errors;
    std::size_t outputSize = 0;
    std::size_t stoppedRows = 0;
    for (auto _ : run) {
        std::ostringstream out;
        std::istringstream in(csv);
        {
            RowWriter writer(out, errors, std::nullopt);
            const int status = runBatch(in, "-", writer, errors);
            benchmark::DoNotOptimize(status);
        }
        outputSize = out.str().size();
        stoppedRows = countStopped(out.str());
    }
    run.SetItemsProcessed(static_cast<std::int64_t>(run.iterations() * rows));
    run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations() * (csv.size() + outputSize)));
    if (!errors.str().empty()) {
        run.SkipWithError("a generated row was refused");
    }
    run.counters["stopped_rows"] = static_cast<double>(stoppedRows);
}
BENCHMARK(BM_Batch_100000Rows)->Unit(benchmark::kMillisecond);

// One batch row without the CSV around it: a fresh window, the inputs typed
// in, one run without the sheet, and the results collected.
void BM_RunDesign_Row(benchmark::State& run) {
    DesignInputs inputs;
    static_cast<void>(inputs.set(*inputByKey("h5"), "350"));
    for (auto _ : run) {
        const design::DesignRun result = runDesign(inputs, {.sheet = false});
        benchmark::DoNotOptimize(result.result.events.data());
    }
}
BENCHMARK(BM_RunDesign_Row);

} // namespace
