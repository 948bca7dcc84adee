#include "cli/sweep.h"

#include "calc/number_text.h"
#include "cli/design_run.h"
#include "cli/exit_status.h"

#include <string>
#include <vector>

namespace rampwall::cli {

int runSweep(const SweepRange& range, const DesignInputs& fixed, RowWriter& writer) {
    std::vector<std::string_view> columns{kInputs[range.input].key};
    std::vector<std::size_t> given;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (i != range.input && fixed.isSet(i)) {
            columns.push_back(kInputs[i].key);
            given.push_back(i);
        }
    }
    std::vector<std::string> settingTexts;
    for (const Setting& setting : settings()) {
        if (fixed.isSettingSet(setting.name)) {
            columns.push_back(setting.name);
            settingTexts.push_back(fixed.settingText(setting.name));
        }
    }
    writer.header(columns);

    int status = kExitCompleted;
    const RunDetail detail = writer.detail();
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
        for (const std::string& text : settingTexts) {
            fields.push_back(text);
        }
        if (!writer.row(i + 1, fields, runDesign(inputs, detail))) {
            status = kExitNotCompleted;
        }
    }
    return status;
}

} // namespace rampwall::cli
