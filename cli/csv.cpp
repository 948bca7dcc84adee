#include "cli/csv.h"

#include <algorithm>

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

constexpr std::size_t kChunkSize = 1 << 16;

} // namespace

CsvReader::CsvReader(std::istream& in) : m_in(in), m_buffer(kChunkSize) {}

// Keeps what is not parsed yet and adds what the stream holds, waiting only
// when it holds nothing. False at the end of the input.
bool CsvReader::fill() {
    std::copy(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_pos),
              m_buffer.begin() + static_cast<std::ptrdiff_t>(m_end), m_buffer.begin());
    m_end -= m_pos;
    m_pos = 0;
    if (m_end == m_buffer.size()) {
        // Only the byte order mark looks ahead, and by three bytes; this
        // keeps room for the next byte all the same.
        m_buffer.resize(2 * m_buffer.size());
    }
    char* free = m_buffer.data() + m_end;
    const auto room = static_cast<std::streamsize>(m_buffer.size() - m_end);
    std::streamsize got = m_in.good() ? m_in.readsome(free, room) : 0;
    if (got == 0 && m_in.good()) {
        if (m_beforeWait) {
            m_beforeWait();
        }
        // peek waits for the next byte; a stream that keeps no buffer then
        // hands over that one byte only.
        if (m_in.peek() != std::istream::traits_type::eof()) {
            got = m_in.readsome(free, room);
            if (got == 0) {
                *free = static_cast<char>(m_in.get());
                got = 1;
            }
        }
    }
    m_end += static_cast<std::size_t>(got);
    return got > 0;
}

template <typename Stops>
void CsvReader::take(std::string& field, Stops stops) {
    for (;;) {
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + std::min(m_end, m_pos + (kMaxRecordBytes - m_recordBytes));
        const char* stop = begin;
        while (stop != end && !stops(*stop)) {
            ++stop;
        }
        field.append(begin, stop);
        const auto taken = static_cast<std::size_t>(stop - begin);
        m_pos += taken;
        m_recordBytes += taken;
        if (m_recordBytes == kMaxRecordBytes) {
            // Full: the field ends here, or the record is too long.
            m_tooLong = peek() != kEnd && !stops(static_cast<char>(peek()));
            return;
        }
        if (stop != end || !fill()) {
            return;
        }
    }
}

// A byte the record holds besides its fields' text: a comma, or the second
// of two quotes. False when the record grows too long with it.
bool CsvReader::count() {
    m_tooLong = m_recordBytes == kMaxRecordBytes;
    m_recordBytes += m_tooLong ? 0 : 1;
    return !m_tooLong;
}

// The record's text is not kept: its fields could be read only in part, and
// what follows its end is not looked for.
bool CsvReader::tooLong(CsvRecord& record) {
    record.fields.clear();
    record.error = "这一行超过了 " + std::to_string(kMaxRecordBytes) + " 字节（1 MiB），不是批量计算的一行";
    return true;
}

void CsvReader::skipByteOrderMark() {
    while (m_end - m_pos < kByteOrderMark.size() && peek() == 0xEF && fill()) {
    }
    const std::string_view start(m_buffer.data() + m_pos, m_end - m_pos);
    if (start.starts_with(kByteOrderMark)) {
        m_pos += kByteOrderMark.size();
    }
}

// CR LF, LF, and a lone CR each end one line. The LF of a CR LF is taken with
// the next record, so that a record is handed over as soon as its CR is read.
void CsvReader::endLine() {
    const int ch = get();
    if (ch != kEnd) {
        ++m_line;
        m_lineFeedEndsLine = ch == '\r';
    }
}

// The rest of a faulty record is skipped to its end, which is a line end
// outside quotes: a quoted field further on may hold line breaks, and its
// remains must not be read as records of their own.
bool CsvReader::fail(CsvRecord& record, std::string message) {
    record.error = std::move(message);
    bool quoted = false;
    for (int ch = peek(); ch != kEnd && (quoted || (ch != '\n' && ch != '\r')); ch = peek()) {
        if (!count()) {
            return tooLong(record);
        }
        get();
        quoted = ch == '"' ? !quoted : quoted;
        m_line += ch == '\n' ? 1 : 0;
    }
    endLine();
    return true;
}

bool CsvReader::next(CsvRecord& record) {
    if (m_tooLong) {
        return false;
    }
    if (!m_started) {
        m_started = true;
        skipByteOrderMark();
    }
    if (m_lineFeedEndsLine) {
        m_lineFeedEndsLine = false;
        if (peek() == '\n') {
            get();
        }
    }
    // Empty lines are not records.
    for (int ch = peek(); ch == '\n' || ch == '\r'; ch = peek()) {
        get();
        if (ch == '\r' && peek() == '\n') {
            get();
        }
        ++m_line;
    }
    if (peek() == kEnd) {
        return false;
    }

    record.line = m_line;
    record.fields.clear();
    record.error.reset();
    m_recordBytes = 0;
    const auto atLineEnd = [this] {
        const int ch = peek();
        return ch == kEnd || ch == '\n' || ch == '\r';
    };
    for (;;) {
        std::string& field = record.fields.emplace_back();
        if (peek() == '"') {
            const std::size_t openLine = m_line;
            get();
            for (;;) {
                const std::size_t before = field.size();
                take(field, [](char ch) { return ch == '"'; });
                if (m_tooLong) {
                    return tooLong(record);
                }
                m_line += static_cast<std::size_t>(
                    std::count(field.begin() + static_cast<std::ptrdiff_t>(before), field.end(), '\n'));
                if (get() == kEnd) {
                    record.error = "the quoted field opened on line " + std::to_string(openLine) + " is never closed";
                    return true;
                }
                if (peek() != '"') {
                    break;
                }
                if (!count()) {
                    return tooLong(record);
                }
                field.push_back('"');
                get();
            }
            if (!atLineEnd() && peek() != ',') {
                return fail(record, "text after the closing quote of field " + std::to_string(record.fields.size()));
            }
        } else {
            take(field, [](char ch) { return ch == ',' || ch == '\r' || ch == '\n'; });
            if (m_tooLong) {
                return tooLong(record);
            }
        }
        if (atLineEnd()) {
            endLine();
            return true;
        }
        get(); // the comma
        if (!count()) {
            return tooLong(record);
        }
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
