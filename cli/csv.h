// Comma-separated values as RFC 4180 writes them: fields that hold a comma,
// a quote or a line break are quoted, quotes inside are doubled.
#pragma once

#include <cstddef>
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

// Reads records from text held whole in memory. Takes CR LF or LF line ends
// and a leading UTF-8 byte order mark. An empty line is no record (write a
// single empty field as ""), so a blank line at the end is not a row.
class CsvReader {
public:
    explicit CsvReader(std::string_view text);

    // The next record, or false at the end of the text. A record with a quote
    // error carries the error and is skipped up to the end of its line.
    bool next(CsvRecord& record);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
};

// Appends the field, quoted when it has to be.
void appendCsvField(std::string& out, std::string_view field);

// Appends the fields separated by commas and ended by CR LF. A record of one
// empty field is written "" so that it is not read back as an empty line.
void appendCsvRecord(std::string& out, const std::vector<std::string_view>& fields);

} // namespace rampwall::cli
