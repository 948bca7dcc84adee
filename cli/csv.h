// Comma-separated values as RFC 4180 writes them: fields that hold a comma,
// a quote or a line break are quoted, quotes inside are doubled.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall::cli {

struct CsvRecord {
    std::size_t line = 0; // the line the record starts on, from 1
    std::vector<std::string> fields;
    std::optional<std::string> error; // why the record could not be read
};

// Reads records from a stream one at a time, taking from it only what it
// already holds or waiting for the next piece, so that memory stays bounded
// by the longest record and a pipe's records are read as they arrive. Takes
// CR LF, LF or a lone CR as line ends and a leading UTF-8 byte order mark.
// An empty line is no record (write a single empty field as ""), so a blank
// line at the end is not a row.
class CsvReader {
public:
    // A record is a design's inputs, a few hundred bytes; one larger than
    // this is not a batch row, and a stream without line ends (/dev/zero)
    // must not take all memory.
    static constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

    explicit CsvReader(std::istream& in);

    // Called before the reader waits for input that has not arrived: a batch
    // writes out the rows it has finished, so that the other end of a pipe
    // sees each row's result before it sends the next.
    void setBeforeWait(std::function<void()> beforeWait) { m_beforeWait = std::move(beforeWait); }

    // The next record, or false at the end of the input (or when it could
    // not be read). A record with a quote error carries the error and is
    // skipped up to the end of its line. A record longer than
    // kMaxRecordBytes carries an error too, and is the last one read.
    bool next(CsvRecord& record);

    // The stream failed, rather than ended.
    bool readFailed() const { return m_in.bad(); }
    // Reading stopped at a record longer than kMaxRecordBytes.
    bool stoppedAtLongRecord() const { return m_tooLong; }

private:
    static constexpr int kEnd = -1;

    int peek() { return m_pos < m_end || fill() ? static_cast<unsigned char>(m_buffer[m_pos]) : kEnd; }
    int get() {
        const int ch = peek();
        m_pos += ch != kEnd ? 1 : 0;
        return ch;
    }
    bool fill();
    void skipByteOrderMark();
    // Appends the bytes up to the next one that `stops` (or the end) to
    // field, as far as the record may grow.
    template <typename Stops>
    void take(std::string& field, Stops stops);
    bool count();
    bool tooLong(CsvRecord& record);
    void endLine();
    bool fail(CsvRecord& record, std::string message);

    std::istream& m_in;
    std::function<void()> m_beforeWait;
    std::vector<char> m_buffer; // m_buffer[m_pos, m_end) is read from the stream, not yet parsed
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::size_t m_line = 1;
    std::size_t m_recordBytes = 0; // taken into the fields of the record being read
    bool m_tooLong = false;
    bool m_started = false;
    bool m_lineFeedEndsLine = false; // the last line ended in CR: a LF right after belongs to it
};

// Appends the field, quoted when it has to be.
void appendCsvField(std::string& out, std::string_view field);

// Appends the fields separated by commas and ended by CR LF. A record of one
// empty field is written "" so that it is not read back as an empty line.
void appendCsvRecord(std::string& out, const std::vector<std::string_view>& fields);

} // namespace rampwall::cli
