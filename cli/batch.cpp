#include "cli/batch.h"

#include "cli/csv.h"
#include "cli/design_run.h"
#include "cli/exit_status.h"
#include "cli/inputs.h"
#include "design/design_file.h"

#include <algorithm>
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

// A record too long to be a row ends the batch: nothing after it can be
// told apart from the rest of it.
void reportLongRecord(const CsvRecord& record, std::ostream& err) {
    err << "rampwall-cli: 第 " << record.line << " 行：" << *record.error << "；批量计算到此为止\n";
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
        if (reader.stoppedAtLongRecord()) {
            reportLongRecord(record, err);
            return kExitNotCompleted;
        }
        err << "rampwall-cli: line " << record.line << ": " << *record.error << "\n";
        return kExitNotCompleted;
    }

    // Column names may carry blanks around them ("h1, h2"); the values may not,
    // since a value is a box text exactly as typed. A column that names no
    // input, or one named before, is an error of the header: it is reported,
    // passed through as given and used for nothing, and the rows still run.
    std::size_t failed = 0;
    // A column is an input or a setting; neither for one that is not used.
    struct Column {
        std::optional<std::size_t> input;
        std::optional<Setting> setting;
    };
    std::vector<Column> columns;
    std::vector<std::string_view> seen;
    for (const std::string& name : record.fields) {
        const std::string_view key = trimmed(name);
        Column column{inputByKey(key), settingByName(key)};
        if (!column.input && !column.setting) {
            err << "rampwall-cli: line " << record.line << ": unknown column \"" << design::shortened(name)
                << "\"; its values are not used\n";
            ++failed;
        } else if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
            err << "rampwall-cli: line " << record.line << ": column \"" << design::shortened(name)
                << "\" appears twice; the first one is used\n";
            ++failed;
            column = {};
        } else {
            seen.push_back(key);
        }
        columns.push_back(column);
    }
    const std::vector<std::string> headerNames = record.fields;
    writer.header({headerNames.begin(), headerNames.end()});

    const RunDetail detail = writer.detail();
    std::vector<std::string_view> fields;
    for (std::size_t number = 1; reader.next(record); ++number) {
        if (record.error && reader.stoppedAtLongRecord()) {
            reportLongRecord(record, err);
            ++failed;
            break;
        }
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
        // The edition first: the factors and the steel grade are checked against it.
        for (int pass = 0; pass < 2; ++pass) {
            for (std::size_t i = 0; i < columns.size() && usable; ++i) {
                const Column& column = columns[i];
                const bool editionColumn = column.setting && column.setting->factor == nullptr;
                if ((pass == 0) != editionColumn) {
                    continue;
                }
                if (column.setting) {
                    if (std::optional<std::string> problem =
                            inputs.setSetting(*column.setting, record.fields[i], true)) {
                        err << "rampwall-cli: line " << record.line << ": " << *problem << "\n";
                        usable = false;
                    }
                } else if (column.input && !inputs.set(*column.input, record.fields[i])) {
                    err << "rampwall-cli: line " << record.line << ": \"" << design::shortened(record.fields[i])
                        << "\" is not an entry of the " << kInputs[*column.input].key << " list\n";
                    usable = false;
                }
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
        if (!writer.row(number, fields, runDesign(inputs, detail))) {
            ++failed;
        }
    }
    if (reader.readFailed()) {
        return cannotRead();
    }
    return failed > 0 ? kExitNotCompleted : kExitCompleted;
}

} // namespace rampwall::cli
