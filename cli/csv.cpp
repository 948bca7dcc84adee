#include "csv.h"

namespace rampwall::cli {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A plain loop: find_first_of makes one memchr pass per character sought,
// which dominated the cost of writing short fields.
bool needsQuotes(std::string_view field) {
    for (char ch : field) {
        if (ch == ',' || ch == '"' || ch == '\r' || ch == '\n') {
            return true;
        }
    }
    return false;
}

// The end of an unquoted field: the next comma or line end, or the end of the text.
std::size_t fieldEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] != ',' && text[pos] != '\r' && text[pos] != '\n') {
        ++pos;
    }
    return pos;
}
} // namespace

CsvReader::CsvReader(std::string_view text) : m_text(text) {
    if (m_text.starts_with(kByteOrderMark)) {
        m_text.remove_prefix(kByteOrderMark.size());
    }
}

bool CsvReader::next(CsvRecord& record) {
    const std::string_view text = m_text;
    std::size_t& pos = m_pos;

    // Empty lines are not records.
    while (pos < text.size() && (text[pos] == '\n' || text[pos] == '\r')) {
        // CR LF, LF, and a lone CR each end one line.
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            ++pos;
        }
        ++pos;
        ++m_line;
    }
    if (pos >= text.size()) {
        return false;
    }

    record.line = m_line;
    record.fields.clear();
    record.error.reset();

    auto atLineEnd = [&] { return pos >= text.size() || text[pos] == '\n' || text[pos] == '\r'; };
    auto consumeLineEnd = [&] {
        if (pos < text.size()) {
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
                ++pos;
            }
            ++pos;
            ++m_line;
        }
    };
    // The rest of a faulty record is skipped to its end, which is a line end
    // outside quotes: a quoted field further on may hold line breaks, and its
    // remains must not be read as records of their own.
    auto fail = [&](std::string message) {
        record.error = std::move(message);
        bool quoted = false;
        while (pos < text.size() && (quoted || !atLineEnd())) {
            quoted = text[pos] == '"' ? !quoted : quoted;
            m_line += text[pos] == '\n' ? 1 : 0;
            ++pos;
        }
        consumeLineEnd();
        return true;
    };

    for (;;) {
        std::string& field = record.fields.emplace_back();
        if (pos < text.size() && text[pos] == '"') {
            const std::size_t openLine = m_line;
            ++pos;
            for (;;) {
                const std::size_t quote = text.find('"', pos);
                if (quote == std::string_view::npos) {
                    for (; pos < text.size(); ++pos) {
                        m_line += text[pos] == '\n' ? 1 : 0;
                    }
                    record.error = "the quoted field opened on line " + std::to_string(openLine) + " is never closed";
                    return true;
                }
                for (std::size_t i = pos; i < quote; ++i) {
                    m_line += text[i] == '\n' ? 1 : 0;
                }
                field.append(text.substr(pos, quote - pos));
                pos = quote + 1;
                if (pos < text.size() && text[pos] == '"') {
                    field.push_back('"');
                    ++pos;
                    continue;
                }
                break;
            }
            if (!atLineEnd() && text[pos] != ',') {
                return fail("text after the closing quote of field " + std::to_string(record.fields.size()));
            }
        } else {
            const std::size_t stop = fieldEnd(text, pos);
            field.assign(text.substr(pos, stop - pos));
            pos = stop;
        }
        if (atLineEnd()) {
            consumeLineEnd();
            return true;
        }
        ++pos; // the comma
    }
}

void appendCsvField(std::string& out, std::string_view field) {
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char ch : field) {
        if (ch == '"') {
            out.push_back('"');
        }
        out.push_back(ch);
    }
    out.push_back('"');
}

void appendCsvRecord(std::string& out, const std::vector<std::string_view>& fields) {
    if (fields.size() == 1 && fields.front().empty()) {
        out.append("\"\"\r\n");
        return;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
        }
        appendCsvField(out, fields[i]);
    }
    out.append("\r\n");
}

} // namespace rampwall::cli
