#include "sweep.h"

#include "design_run.h"
#include "exit_status.h"
#include "number_text.h"

#include <string>
#include <vector>

namespace rampwall::cli {

int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer) {
    std::vector<std::string_view> columns{kInputOptions[range.input].name};
    std::vector<std::size_t> given;
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (i != range.input && fixed.isSet(i)) {
            columns.push_back(kInputOptions[i].name);
            given.push_back(i);
        }
    }
    std::vector<std::size_t> settings;
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        if (fixed.isSettingSet(i)) {
            columns.push_back(settingName(i));
            settings.push_back(i);
        }
    }
    writer.header(columns);

    int status = kExitCompleted;
    const ComputeOptions options{.composeSheet = writer.writesSheets()};
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < range.count; ++i) {
        const std::string value = formatDouble(range.value(i));
        DesignInputs inputs = fixed;
        // A box input always takes its text.
        static_cast<void>(inputs.set(range.input, value));
        fields.assign({value});
        for (std::size_t input : given) {
            fields.push_back(fixed.text(input));
        }
        for (std::size_t setting : settings) {
            fields.push_back(fixed.settingText(setting));
        }
        if (!writer.row(i + 1, fields, runDesign(inputs, options, writer.observer()))) {
            status = kExitNotCompleted;
        }
    }
    return status;
}

} // namespace rampwall::cli
