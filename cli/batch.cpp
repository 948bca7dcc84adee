#include "batch.h"

#include "csv.h"
#include "design_run.h"
#include "exit_status.h"
#include "inputs.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace rampwall::cli {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

} // namespace

int runBatch(std::istream& in, std::string_view source, RowWriter& writer, std::ostream& err) {
    CsvReader reader(in);
    reader.setBeforeWait([&writer] { writer.flush(); });
    const auto cannotRead = [&] {
        err << "rampwall-cli: cannot read " << source << "\n";
        return kExitUsage;
    };
    CsvRecord record;
    if (!reader.next(record)) {
        if (reader.readFailed()) {
            return cannotRead();
        }
        err << "rampwall-cli: the batch file has no header row\n";
        return kExitNotCompleted;
    }
    if (record.error) {
        err << "rampwall-cli: line " << record.line << ": " << *record.error << "\n";
        return kExitNotCompleted;
    }

    // Column names may carry blanks around them ("h1, h2"); the values may not,
    // since a value is a box text exactly as typed. A column that names no
    // input, or one named before, is an error of the header: it is reported,
    // passed through as given and used for nothing, and the rows still run.
    std::size_t failed = 0;
    std::vector<std::optional<std::size_t>> columns;
    // A column is an input, or a setting numbered on after the inputs.
    std::vector<bool> seen(kInputOptions.size() + kSettingCount);
    for (const std::string& name : record.fields) {
        std::optional<std::size_t> input = inputByName(trimmed(name));
        if (const std::optional<std::size_t> setting = settingByName(trimmed(name))) {
            input = kInputOptions.size() + *setting;
        }
        if (!input) {
            err << "rampwall-cli: line " << record.line << ": unknown column \"" << name
                << "\"; its values are not used\n";
            ++failed;
        } else if (seen[*input]) {
            err << "rampwall-cli: line " << record.line << ": column \"" << name
                << "\" appears twice; the first one is used\n";
            ++failed;
            input.reset();
        } else {
            seen[*input] = true;
        }
        columns.push_back(input);
    }
    const std::vector<std::string> headerNames = record.fields;
    writer.header({headerNames.begin(), headerNames.end()});

    const ComputeOptions options{.composeSheet = writer.writesSheets()};
    std::vector<std::string_view> fields;
    for (std::size_t number = 1; reader.next(record); ++number) {
        if (record.error) {
            err << "rampwall-cli: line " << record.line << ": " << *record.error << "\n";
            ++failed;
            continue;
        }
        if (record.fields.size() != columns.size()) {
            err << "rampwall-cli: line " << record.line << ": expected " << columns.size()
                << " fields as in the header, found " << record.fields.size() << "\n";
            ++failed;
            continue;
        }
        DesignInputs inputs;
        bool usable = true;
        for (std::size_t i = 0; i < columns.size() && usable; ++i) {
            if (columns[i] && *columns[i] >= kInputOptions.size()) {
                if (std::optional<std::string> problem =
                        inputs.setSetting(*columns[i] - kInputOptions.size(), record.fields[i], true)) {
                    err << "rampwall-cli: line " << record.line << ": " << *problem << "\n";
                    usable = false;
                }
            } else if (columns[i] && !inputs.set(*columns[i], record.fields[i])) {
                err << "rampwall-cli: line " << record.line << ": \"" << record.fields[i]
                    << "\" is not an entry of the " << kInputOptions[*columns[i]].name << " list\n";
                usable = false;
            }
        }
        if (std::optional<std::string> conflict = usable ? inputs.conflict(false) : std::nullopt) {
            err << "rampwall-cli: line " << record.line << ": " << *conflict << "\n";
            usable = false;
        }
        if (!usable) {
            ++failed;
            continue;
        }
        fields.assign(record.fields.begin(), record.fields.end());
        if (!writer.row(number, fields, runDesign(inputs, options, writer.observer()))) {
            ++failed;
        }
    }
    if (reader.readFailed()) {
        return cannotRead();
    }
    return failed > 0 ? kExitNotCompleted : kExitCompleted;
}

} // namespace rampwall::cli
