#include "rows.h"

#include "control_table.h"
#include "csv.h"

#ifdef RAMPWALL_BOOK
#include "book_output.h"
#endif

#include <fstream>
#include <system_error>

namespace rampwall::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

// Written beside its final name and then renamed over it, so that a sheet is
// either the old one or the whole new one, never half written.
bool replaceFile(const std::filesystem::path& path, std::string_view text) {
    std::filesystem::path partial = path;
    partial += ".part";
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    std::error_code failure;
    if (file) {
        std::filesystem::rename(partial, path, failure);
        if (!failure) {
            return true;
        }
    }
    std::filesystem::remove(partial, failure);
    return false;
}

// A row without a sheet or book leaves no file, not even one from an earlier run.
bool removeOld(const std::filesystem::path& path, std::size_t number, std::ostream& err) {
    std::error_code failure;
    std::filesystem::remove(path, failure);
    if (failure) {
        err << "rampwall-cli: row " << number << ": cannot remove the old " << path.string() << "\n";
        return false;
    }
    return true;
}

} // namespace

void appendResultFields(std::vector<std::string_view>& fields, const DesignResult& result, std::string& messages) {
    for (Control box : kResultBoxes) {
        const std::string* text = result.boxText(box);
        fields.emplace_back(text != nullptr ? std::string_view(*text) : std::string_view());
    }
    fields.emplace_back(result.completed() ? "ok" : "stopped");
    messages.clear();
    for (const ShownMessage& message : result.messages) {
        if (!messages.empty()) {
            messages.append(" | ");
        }
        messages.append(message.text);
    }
    fields.push_back(messages);
}

RowWriter::RowWriter(std::ostream& out, std::ostream& err, std::optional<std::filesystem::path> sheets,
                     std::optional<std::filesystem::path> pdfs, BookWriter* books)
    : m_out(out), m_err(err), m_sheets(std::move(sheets)), m_pdfs(std::move(pdfs)), m_books(m_pdfs ? books : nullptr) {
    m_buffer.reserve(2 * kFlushSize);
}

RowWriter::~RowWriter() { flush(); }

void RowWriter::header(const std::vector<std::string_view>& inputColumns) {
    m_fields = inputColumns;
    m_fields.insert(m_fields.end(), kResultColumns.begin(), kResultColumns.end());
    appendCsvRecord(m_buffer, m_fields);
}

bool RowWriter::row(std::size_t number, const std::vector<std::string_view>& inputFields, const DesignResult& result) {
    m_fields = inputFields;
    appendResultFields(m_fields, result, m_messages);
    appendCsvRecord(m_buffer, m_fields);
    m_fields.clear(); // its views point into this row's result
    if (m_buffer.size() >= kFlushSize) {
        flush();
    }
    const bool sheetWritten = !m_sheets || writeSheet(number, result);
    const bool pdfWritten = m_books == nullptr || writePdf(number, result);
    return sheetWritten && pdfWritten;
}

RunObserver RowWriter::observer() const {
#ifdef RAMPWALL_BOOK
    if (m_books != nullptr) {
        return m_books->observer();
    }
#endif
    return {};
}

bool RowWriter::writePdf(std::size_t number, const DesignResult& result) {
    const std::filesystem::path path = *m_pdfs / ("row-" + std::to_string(number) + ".pdf");
#ifdef RAMPWALL_BOOK
    if (result.completed() && m_books->hasBook()) {
        if (const auto failure = m_books->write(path, design::startupDesign("").project, "")) {
            m_err << "rampwall-cli: row " << number << ": " << *failure << "\n";
            return false;
        }
        return true;
    }
#else
    static_cast<void>(result);
#endif
    return removeOld(path, number, m_err);
}

bool RowWriter::writeSheet(std::size_t number, const DesignResult& result) {
    const std::filesystem::path path = *m_sheets / ("row-" + std::to_string(number) + ".txt");
    const std::string* sheet = result.boxText(Control::Text12);
    if (!result.completed() || sheet == nullptr) {
        return removeOld(path, number, m_err);
    }
    if (!replaceFile(path, *sheet)) {
        m_err << "rampwall-cli: row " << number << ": cannot write " << path.string() << "\n";
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
