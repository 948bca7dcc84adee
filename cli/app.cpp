#include "app.h"

#include "batch.h"
#include "design_io.h"
#include "design_run.h"
#include "exit_status.h"
#include "file_io.h"
#include "options.h"
#include "output.h"
#include "rows.h"
#include "sweep.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#ifdef RAMPWALL_BOOK
#include "book_output.h"
#endif

#ifndef RAMPWALL_VERSION
#define RAMPWALL_VERSION "unknown"
#endif

namespace rampwall::cli {

namespace {

int runSingle(const Options& options, std::ostream& out, std::ostream& err) {
    DesignInputs inputs = options.inputs;
    design::DesignFile base = design::startupDesign(today());
    if (options.designFile && !loadDesign(*options.designFile, inputs, base, err)) {
        return kExitUsage;
    }
    if (options.saveDesign) {
        const std::string failure =
            design::writeFileAtomically(*options.saveDesign, design::serialize(describeDesign(inputs, base)));
        if (!failure.empty()) {
            err << design::saveFailureMessage(*options.saveDesign, failure) << "\n";
            return kExitNotCompleted;
        }
    }
    // Only the JSON reports the named numbers; recording them costs time.
#ifdef RAMPWALL_BOOK
    // Qt is started only for a book: a plain run stays as light as before.
    std::unique_ptr<BookWriter> books;
    if (options.pdfFile) {
        books = std::make_unique<BookWriter>();
    }
    const DesignResult result =
        runDesign(inputs, ComputeOptions{.namedValues = options.json}, books ? books->observer() : RunObserver());
#else
    const DesignResult result = runDesign(inputs, ComputeOptions{.namedValues = options.json});
#endif
    if (options.json) {
        printJson(out, result);
    } else {
        printForPerson(out, result);
        if (result.outcome == RunOutcome::NoLoadCase) {
            err << "rampwall-cli: no load case is selected, so nothing was computed\n";
        }
    }
#ifdef RAMPWALL_BOOK
    if (books) {
        const std::string fileName =
            options.designFile ? std::filesystem::path(*options.designFile).filename().string() : std::string();
        if (const auto failure = books->write(*options.pdfFile, base.project, fileName)) {
            err << "rampwall-cli: " << *failure << "\n";
            return kExitNotCompleted;
        }
    }
#endif
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
    std::optional<std::filesystem::path> pdfs;
    if (options.pdfsDir) {
        pdfs = *options.pdfsDir;
        std::error_code failure;
        std::filesystem::create_directories(*pdfs, failure);
        if (failure || !std::filesystem::is_directory(*pdfs)) {
            err << "rampwall-cli: 无法建立存放计算书的文件夹 " << *options.pdfsDir << "\n";
            return kExitUsage;
        }
    }
#ifdef RAMPWALL_BOOK
    std::unique_ptr<BookWriter> books;
    if (pdfs) {
        books = std::make_unique<BookWriter>();
    }
    RowWriter writer(out, err, sheets, pdfs, books.get());
#else
    RowWriter writer(out, err, sheets);
#endif
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
