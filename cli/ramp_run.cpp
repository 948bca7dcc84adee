#include "cli/ramp_run.h"

#include "calc/ramp/ramp_table.h"
#include "cli/design_io.h"
#include "cli/exit_status.h"
#include "cli/schedule_workbook.h"

#include <filesystem>
#include <variant>

#ifdef RAMPWALL_BOOK
#include "cli/book_output.h"
#endif

namespace rampwall::cli {

ramp::RampInput rampOf(const Options& options, const std::optional<ramp::RampInput>& fromFile) {
    ramp::RampInput ramp = fromFile.value_or(ramp::startupRamp());
    if (options.rampLength) {
        ramp.length = *options.rampLength;
    }
    if (options.h4Start) {
        ramp.h4Start = *options.h4Start;
    }
    // One way of cutting replaces the other, whatever the file held.
    if (options.segmentLength) {
        ramp.segmentLength = *options.segmentLength;
        ramp.segmentCount.clear();
    }
    if (options.segmentCount) {
        ramp.segmentCount = *options.segmentCount;
    }
    if (options.spacings) {
        ramp.spacings = *options.spacings;
    }
    return ramp;
}

int runRamp(const Options& options, const DesignInputs& inputs, const ramp::RampInput& input,
            const design::DesignFile& base, std::ostream& out, std::ostream& err) {
    const FormInputs form = inputs.formInputs();
    auto planned = ramp::planRamp(input, form);
    if (const auto* problem = std::get_if<std::string>(&planned)) {
        err << "rampwall-cli: " << *problem << "\n";
        return kExitUsage;
    }
    const ramp::Schedule schedule =
        ramp::designRamp(inputs.edition(), inputs.factors(), form, std::get<ramp::RampPlan>(planned));
    out << ramp::scheduleCsv(schedule);
    out.flush();
    err << ramp::totalText(schedule) << "；" << ramp::kWeightNote << "\n";

    int status = schedule.allPass() ? kExitCompleted : kExitChecksFail;
    if (schedule.stoppedCount > 0) {
        status = kExitNotCompleted;
    }
    if (options.xlsxFile) {
        if (const std::optional<std::string> failure = workbook::writeSchedule(schedule, *options.xlsxFile)) {
            err << "rampwall-cli: " << *failure << "\n";
            status = kExitNotCompleted;
        }
    }
#ifdef RAMPWALL_BOOK
    if (options.pdfFile) {
        const std::string fileName =
            options.designFile ? std::filesystem::path(*options.designFile).filename().string() : std::string();
        if (const auto failure = BookWriter().writeRamp(*options.pdfFile, schedule, input, base.project, fileName)) {
            err << "rampwall-cli: " << *failure << "\n";
            status = kExitNotCompleted;
        }
    }
#else
    static_cast<void>(base);
#endif
    return status;
}

} // namespace rampwall::cli
