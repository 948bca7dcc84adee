#include "app.h"

#include "batch.h"
#include "design_run.h"
#include "options.h"
#include "output.h"
#include "rows.h"
#include "sweep.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef RAMPWALL_VERSION
#define RAMPWALL_VERSION "unknown"
#endif

namespace rampwall::cli {

namespace {

int runSingle(const Options& options, std::ostream& out, std::ostream& err) {
    // Only the JSON reports the named numbers; recording them costs time.
    const DesignResult result = runDesign(options.inputs, ComputeOptions{.namedValues = options.json});
    if (options.json) {
        printJson(out, result);
    } else {
        printForPerson(out, result);
        if (result.outcome == RunOutcome::NoLoadCase) {
            err << "rampwall-cli: no load case is selected, so nothing was computed\n";
        }
    }
    return result.completed() ? kExitCompleted : kExitNotCompleted;
}

int runMode(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
    auto parsed = parseOptions(args);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "rampwall-cli: " << usage->message << "\n" << usageText();
        return kExitUsage;
    }
    const Options& options = std::get<Options>(parsed);

    switch (options.mode) {
    case Mode::Help: out << helpText(); return kExitCompleted;
    case Mode::Version: out << "rampwall-cli " RAMPWALL_VERSION "\n"; return kExitCompleted;
    case Mode::Design: return runSingle(options, out, err);
    case Mode::Batch:
    case Mode::Sweep: break;
    }

    std::optional<std::filesystem::path> sheets;
    if (options.sheetsDir) {
        sheets = *options.sheetsDir;
        std::error_code failure;
        std::filesystem::create_directories(*sheets, failure);
        if (failure || !std::filesystem::is_directory(*sheets)) {
            err << "rampwall-cli: cannot make the folder " << *options.sheetsDir << " for the sheets\n";
            return kExitUsage;
        }
    }
    RowWriter writer(out, err, sheets);
    if (options.mode == Mode::Sweep) {
        return runSweep(options.sweep, options.inputs, writer);
    }
    if (options.batchFile == "-") {
        return runBatch(in, options.batchFile, writer, err);
    }
    // A folder opens like a file here and then reads as nothing at all.
    std::error_code failure;
    std::ifstream file;
    if (!std::filesystem::is_directory(options.batchFile, failure)) {
        file.open(options.batchFile, std::ios::binary);
    }
    if (!file.is_open()) {
        err << "rampwall-cli: cannot read " << options.batchFile << "\n";
        return kExitUsage;
    }
    return runBatch(file, options.batchFile, writer, err);
}

} // namespace

int runCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
    const int status = runMode(args, in, out, err);
    // A full disk or a closed pipe must not pass for a finished run: a script
    // would take a cut-off table for the whole of it.
    out.flush();
    if (!out) {
        err << "rampwall-cli: cannot write the output\n";
        return status == kExitUsage ? kExitUsage : kExitNotCompleted;
    }
    return status;
}

} // namespace rampwall::cli
