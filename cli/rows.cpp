#include "cli/rows.h"

#include "calc/control_table.h"
#include "calc/ramp/ramp_design.h"
#include "cli/csv.h"
#include "cli/inputs.h"
#include "design/file_io.h"

#ifdef RAMPWALL_BOOK
#include "cli/book_output.h"
#endif

#include <system_error>

namespace rampwall::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

// A row without a sheet or book leaves no file, not even one from an earlier
// run; but only a file or a link is removed, never a device or pipe that
// happens to have the name.
bool removeOld(const std::filesystem::path& path, std::size_t number, std::ostream& err) {
    std::error_code failure;
    const std::filesystem::file_status found = std::filesystem::symlink_status(path, failure);
    if (std::filesystem::exists(found) && !std::filesystem::is_regular_file(found) &&
        !std::filesystem::is_symlink(found)) {
        err << "rampwall-cli: row " << number << ": " << path.string() << " 不是普通文件，没有删除\n";
        return false;
    }
    std::filesystem::remove(path, failure);
    if (failure) {
        err << "rampwall-cli: row " << number << ": cannot remove the old " << path.string() << "\n";
        return false;
    }
    return true;
}

} // namespace

void appendResultFields(std::vector<std::string_view>& fields, const RunResult& result, std::string& messages) {
    for (Control box : kResultBoxes) {
        const std::string* text = result.written(box);
        fields.emplace_back(text != nullptr ? std::string_view(*text) : std::string_view());
    }
    fields.emplace_back(statusOf(result));
    messages.clear();
    for (const WindowEvent& event : result.events) {
        if (event.kind != WindowEvent::Kind::Message) {
            continue;
        }
        if (!messages.empty()) {
            messages.append(" | ");
        }
        messages.append(event.text);
    }
    fields.push_back(messages);
}

RowWriter::RowWriter(std::ostream& out, std::ostream& err, std::optional<std::filesystem::path> sheets,
                     std::optional<std::filesystem::path> pdfs, BookWriter* books)
    : m_out(out), m_err(err), m_sheets(std::move(sheets)), m_pdfs(std::move(pdfs)), m_books(m_pdfs ? books : nullptr) {
    m_buffer.reserve(2 * kFlushSize);
}

RowWriter::~RowWriter() { flush(); }

workbook::Column workbookColumn(std::string_view key) {
    using workbook::CellKind;
    if (const std::optional<std::size_t> input = inputByKey(key)) {
        return {std::string(captionOf(kInputs[*input].control)),
                isListInput(*input) ? CellKind::Text : CellKind::Number};
    }
    if (const std::optional<Setting> setting = settingByName(key)) {
        return setting->factor != nullptr ? workbook::Column{std::string(setting->factor->caption), CellKind::Number}
                                          : workbook::Column{"规范", CellKind::Text};
    }
    // The results have the ramp schedule's columns of the same names.
    for (const ramp::ScheduleColumn& column : ramp::kScheduleColumns) {
        if (column.key == key) {
            return {std::string(column.header), column.decimals < 0 ? CellKind::Text : CellKind::Number};
        }
    }
    return {std::string(key), CellKind::Text};
}

void RowWriter::header(const std::vector<std::string_view>& inputColumns) {
    m_fields = inputColumns;
    m_fields.insert(m_fields.end(), kResultColumns.begin(), kResultColumns.end());
    appendCsvRecord(m_buffer, m_fields);
    if (m_workbookPath) {
        std::vector<workbook::Column> columns;
        for (const std::string_view key : m_fields) {
            columns.push_back(workbookColumn(key));
        }
        m_workbook = workbook::Workbook::create(*m_workbookPath, std::move(columns), m_workbookError);
    }
}

std::optional<std::string> RowWriter::finishWorkbook() {
    if (!m_workbookPath) {
        return std::nullopt;
    }
    if (!m_workbook) {
        return m_workbookError.empty() ? std::string("表格未写出：没有表头") : m_workbookError;
    }
    std::optional<std::string> failure = m_workbook->close();
    m_workbook.reset();
    return failure;
}

bool RowWriter::row(std::size_t number, const std::vector<std::string_view>& inputFields,
                    const design::DesignRun& run) {
    const RunResult& result = run.result;
    m_fields = inputFields;
    appendResultFields(m_fields, result, m_messages);
    appendCsvRecord(m_buffer, m_fields);
    if (m_workbook) {
        // A full sheet is said once, when the workbook is finished.
        static_cast<void>(m_workbook->row(std::span<const std::string_view>(m_fields)));
    }
    m_fields.clear(); // its views point into this row's result
    if (m_buffer.size() >= kFlushSize) {
        flush();
    }
    const bool sheetWritten = !m_sheets || writeSheet(number, result);
    const bool pdfWritten = m_books == nullptr || writePdf(number, run);
    return sheetWritten && pdfWritten;
}

bool RowWriter::writePdf(std::size_t number, const design::DesignRun& run) {
    const std::filesystem::path path = *m_pdfs / ("row-" + std::to_string(number) + ".pdf");
#ifdef RAMPWALL_BOOK
    if (run.result.completed()) {
        if (const auto failure = m_books->write(path, run, design::startupDesign("").project, "")) {
            m_err << "rampwall-cli: row " << number << ": " << *failure << "\n";
            return false;
        }
        return true;
    }
#else
    static_cast<void>(run);
#endif
    return removeOld(path, number, m_err);
}

bool RowWriter::writeSheet(std::size_t number, const RunResult& result) {
    const std::filesystem::path path = *m_sheets / ("row-" + std::to_string(number) + ".txt");
    const std::string* sheet = result.written(Control::Text12);
    if (!result.completed() || sheet == nullptr) {
        return removeOld(path, number, m_err);
    }
    // Either the old sheet or the whole new one, never half written.
    if (const std::string failure = design::writeFileAtomically(path, *sheet); !failure.empty()) {
        m_err << "rampwall-cli: row " << number << ": 无法写入 " << path.string() << "：" << failure << "\n";
        return false;
    }
    return true;
}

void RowWriter::flush() {
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_out.flush();
    m_buffer.clear();
}

} // namespace rampwall::cli
