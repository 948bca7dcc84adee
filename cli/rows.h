// The CSV that batch and sweep runs print: the input columns as given, then
// the six results as the window would show them, the status and the messages.
#pragma once

#include "calc/control_table.h"
#include "cli/design_run.h"
#include "cli/workbook.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall::cli {

class BookWriter;

// The six result boxes (kResultBoxes) in their order, then the status (ok,
// fails or stopped) and the messages.
inline constexpr std::array<std::string_view, kResultBoxes.size() + 2> kResultColumns = {
    "MBk", "As_strength", "bar_strength", "As_crack", "bar_crack", "crack_width", "status", "message",
};

// Writes the records of a batch or a sweep, and with a sheets folder each
// completed row's sheet. Output is collected and written in large pieces,
// which matters at a few hundred thousand rows a second.
class RowWriter {
public:
    // With a sheets folder every completed row's sheet goes to
    // folder/row-N.txt; without one the rows need no sheets at all.
    // With a PDF folder and a book writer each completed row's book goes to
    // folder/row-N.pdf as well.
    RowWriter(std::ostream& out, std::ostream& err, std::optional<std::filesystem::path> sheets,
              std::optional<std::filesystem::path> pdfs = {}, BookWriter* books = nullptr);
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;
    ~RowWriter();

    // What the designs of the rows must produce: their sheets for the sheet
    // files, and a book's report as well for the PDFs.
    RunDetail detail() const {
        return {.sheet = m_sheets.has_value() || m_books != nullptr, .values = false, .report = m_books != nullptr};
    }

    void header(const std::vector<std::string_view>& inputColumns);

    // Row `number` counts the data rows from 1. False when its sheet could
    // not be written (said on the error stream); the record is written anyway.
    bool row(std::size_t number, const std::vector<std::string_view>& inputFields, const design::DesignRun& run);

    // Writes out what has been collected so far.
    void flush();

    // The rows go to a workbook at `path` as well, from the header on.
    void setWorkbook(std::filesystem::path path) { m_workbookPath = std::move(path); }
    // Finishes the workbook; nullopt when there is none or it was written,
    // else why it was not.
    std::optional<std::string> finishWorkbook();

private:
    bool writeSheet(std::size_t number, const RunResult& result);
    bool writePdf(std::size_t number, const design::DesignRun& run);

    std::ostream& m_out;
    std::ostream& m_err;
    std::optional<std::filesystem::path> m_sheets;
    std::optional<std::filesystem::path> m_pdfs;
    BookWriter* m_books;
    std::string m_buffer;
    std::vector<std::string_view> m_fields;
    std::string m_messages;
    std::optional<std::filesystem::path> m_workbookPath;
    std::unique_ptr<workbook::Workbook> m_workbook;
    std::string m_workbookError;
};

// A batch or sweep column in a workbook: its Chinese header with the unit,
// and whether it holds numbers.
workbook::Column workbookColumn(std::string_view key);

// The result fields of one design, appended to the input fields given.
void appendResultFields(std::vector<std::string_view>& fields, const RunResult& result, std::string& messages);

} // namespace rampwall::cli
