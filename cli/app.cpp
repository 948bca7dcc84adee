#include "cli/app.h"

#include "calc/version.h"
#include "cli/batch.h"
#include "cli/design_io.h"
#include "cli/design_run.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/ramp_run.h"
#include "cli/rows.h"
#include "cli/sweep.h"
#include "design/file_io.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

#ifdef RAMPWALL_BOOK
#include "cli/book_output.h"
#endif

namespace rampwall::cli {

namespace {

int runSingle(const Options& options, std::ostream& out, std::ostream& err) {
    DesignInputs inputs = options.inputs;
    design::DesignFile base = design::startupDesign(today());
    if (options.designFile && !loadDesign(*options.designFile, inputs, base, err)) {
        return kExitUsage;
    }
    // A design file that keeps a ramp runs as that ramp.
    const bool ramp = options.mode == Mode::Ramp || base.ramp.has_value();
    if (ramp) {
        base.ramp = rampOf(options, base.ramp);
        if (options.json) {
            err << "rampwall-cli: --json is for a single design; " << *options.designFile
                << " keeps a ramp, which prints its schedule as CSV\n";
            return kExitUsage;
        }
    } else if (options.anyRampDetail() || options.xlsxFile) {
        err << "rampwall-cli: " << *options.designFile
            << " keeps no ramp: --h4-start, --segment, --segments, --spacings and --xlsx need --ramp\n";
        return kExitUsage;
    }
    if (options.saveDesign) {
        const design::DesignFile described = describeDesign(inputs, base);
        const std::string text = design::serialize(described);
        // What the tool writes it must be able to read again.
        std::string failure = design::saveFault(described, text);
        if (failure.empty()) {
            failure = design::writeFileAtomically(*options.saveDesign, text);
        }
        if (!failure.empty()) {
            err << design::saveFailureMessage(*options.saveDesign, failure) << "\n";
            return kExitNotCompleted;
        }
    }
    if (ramp) {
        return runRamp(options, inputs, *base.ramp, base, out, err);
    }
    // Only the JSON reports the named numbers, and only a book needs the
    // report; recording them costs time.
    const design::DesignRun run =
        runDesign(inputs, {.sheet = true, .values = options.json, .report = options.pdfFile.has_value()});
    const RunResult& result = run.result;
    if (options.json) {
        printJson(out, result);
    } else {
        printForPerson(out, result);
        if (result.outcome == RunOutcome::NoLoadCase) {
            err << "rampwall-cli: no load case is selected, so nothing was computed\n";
        }
    }
#ifdef RAMPWALL_BOOK
    // Qt is started only for a book: a plain run stays as light as before.
    if (options.pdfFile) {
        const std::string fileName =
            options.designFile ? std::filesystem::path(*options.designFile).filename().string() : std::string();
        if (const auto failure = BookWriter().write(*options.pdfFile, run, base.project, fileName)) {
            err << "rampwall-cli: " << *failure << "\n";
            return kExitNotCompleted;
        }
    }
#endif
    if (!result.completed()) {
        return kExitNotCompleted;
    }
    return result.passes() ? kExitCompleted : kExitChecksFail;
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
    case Mode::Design:
    case Mode::Ramp: return runSingle(options, out, err);
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
    if (options.xlsxFile) {
        writer.setWorkbook(*options.xlsxFile);
    }
    // The workbook is finished after the last row, and its failure is the run's.
    const auto finish = [&](int status) {
        writer.flush();
        if (const std::optional<std::string> failure = writer.finishWorkbook()) {
            err << "rampwall-cli: " << *failure << "\n";
            return status == kExitUsage ? status : kExitNotCompleted;
        }
        return status;
    };
    if (options.mode == Mode::Sweep) {
        return finish(runSweep(options.sweep, options.inputs, writer));
    }
    if (options.batchFile == "-") {
        return finish(runBatch(in, options.batchFile, writer, err));
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
    return finish(runBatch(file, options.batchFile, writer, err));
}

} // namespace

int runCli(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
    int status = kExitNotCompleted;
    try {
        status = runMode(args, in, out, err);
    } catch (const std::bad_alloc&) {
        // Every reader has a limit, but the machine may have less memory
        // than the limits allow for; the run then ends with a word, not an
        // abort.
        err << "rampwall-cli: 内存不足，运行停止\n";
        out.flush();
        return kExitNotCompleted;
    }
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
