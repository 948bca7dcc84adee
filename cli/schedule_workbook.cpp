#include "cli/schedule_workbook.h"

#include "cli/workbook.h"

namespace rampwall::workbook {

std::optional<std::string> writeSchedule(const ramp::Schedule& schedule, const std::string& path) {
    std::vector<Column> columns;
    columns.reserve(ramp::kScheduleColumns.size());
    for (const ramp::ScheduleColumn& column : ramp::kScheduleColumns) {
        columns.push_back({std::string(column.header), column.decimals < 0 ? CellKind::Text : CellKind::Number});
    }
    std::string error;
    const std::unique_ptr<Workbook> book = Workbook::create(path, std::move(columns), error);
    if (!book) {
        return error;
    }
    for (std::size_t i = 0; i < schedule.segments.size(); ++i) {
        const auto texts = ramp::scheduleFields(schedule, i);
        if (!book->row(std::span<const std::string>(texts))) {
            break;
        }
    }
    // The total and what the weights leave out, beside the schedule.
    book->addNotes("说明", {ramp::totalText(schedule), std::string(ramp::kWeightNote)});
    return book->close();
}

} // namespace rampwall::workbook
