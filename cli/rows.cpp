#include "rows.h"

#include "control_table.h"
#include "csv.h"

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

RowWriter::RowWriter(std::ostream& out, std::ostream& err, std::optional<std::filesystem::path> sheets)
    : m_out(out), m_err(err), m_sheets(std::move(sheets)) {
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
    return !m_sheets || writeSheet(number, result);
}

bool RowWriter::writeSheet(std::size_t number, const DesignResult& result) {
    const std::filesystem::path path = *m_sheets / ("row-" + std::to_string(number) + ".txt");
    const std::string* sheet = result.boxText(Control::Text12);
    if (!result.completed() || sheet == nullptr) {
        // A row without a sheet leaves no file, not even one from an earlier run.
        std::error_code failure;
        std::filesystem::remove(path, failure);
        if (failure) {
            m_err << "rampwall-cli: row " << number << ": cannot remove the old " << path.string() << "\n";
            return false;
        }
        return true;
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
