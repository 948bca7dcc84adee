#include "calc/ramp/ramp_table.h"

namespace rampwall::ramp {

namespace {

std::size_t columnOf(std::string_view key) {
    for (std::size_t k = 0; k < kScheduleColumns.size(); ++k) {
        if (kScheduleColumns[k].key == key) {
            return k;
        }
    }
    return 0;
}

// Quoted when it holds a comma, a quote or a line break; quotes doubled.
void appendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

} // namespace

std::array<std::string, 11> tableRow(const Schedule& schedule, std::size_t segment) {
    auto fields = scheduleFields(schedule, segment);
    const auto take = [&](std::string_view key) { return std::move(fields[columnOf(key)]); };
    std::string stations = take("from") + "～" + take("to");
    return {take("segment"),        std::move(stations), take("h4"),
            take("case"),           take("MBk"),         schedule.segments[segment].arrangement(),
            take("As_crack"),       take("crack_width"), std::string(statusCaption(schedule.segments[segment].status)),
            take("steel_kg_per_m"), take("steel_kg")};
}

std::string scheduleCsv(const Schedule& schedule) {
    std::string csv;
    const auto record = [&csv](const auto& fields) {
        bool first = true;
        for (const auto& field : fields) {
            if (!first) {
                csv += ',';
            }
            first = false;
            appendField(csv, field);
        }
        csv += "\r\n";
    };
    std::array<std::string_view, kScheduleColumns.size()> keys{};
    for (std::size_t k = 0; k < keys.size(); ++k) {
        keys[k] = kScheduleColumns[k].key;
    }
    record(keys);
    for (std::size_t i = 0; i < schedule.segments.size(); ++i) {
        record(scheduleFields(schedule, i));
    }
    return csv;
}

} // namespace rampwall::ramp
