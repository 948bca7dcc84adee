// The CSV that batch and sweep runs print: the input columns as given, then
// the six results as the window would show them, the status and the messages.
#pragma once

#include "control_table.h"
#include "design_run.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall::cli {

class BookWriter;

// The six result boxes (kResultBoxes) in their order, then the status and
// the messages.
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

    // Whether the designs of the rows must compose their sheets.
    // A book is made from the sheet, so the PDFs need it too.
    bool writesSheets() const { return m_sheets.has_value() || m_books != nullptr; }

    // What runDesign must be shown for the row's book; empty without PDFs.
    RunObserver observer() const;

    void header(const std::vector<std::string_view>& inputColumns);

    // Row `number` counts the data rows from 1. False when its sheet could
    // not be written (said on the error stream); the record is written anyway.
    bool row(std::size_t number, const std::vector<std::string_view>& inputFields, const DesignResult& result);

    // Writes out what has been collected so far.
    void flush();

private:
    bool writeSheet(std::size_t number, const DesignResult& result);
    bool writePdf(std::size_t number, const DesignResult& result);

    std::ostream& m_out;
    std::ostream& m_err;
    std::optional<std::filesystem::path> m_sheets;
    std::optional<std::filesystem::path> m_pdfs;
    BookWriter* m_books;
    std::string m_buffer;
    std::vector<std::string_view> m_fields;
    std::string m_messages;
};

// The result fields of one design, appended to the input fields given.
void appendResultFields(std::vector<std::string_view>& fields, const DesignResult& result, std::string& messages);

} // namespace rampwall::cli
