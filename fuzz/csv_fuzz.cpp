// A batch file as it arrives: whatever bytes come, the CSV reader must end,
// read the same records whether the bytes come all at once or one by one from
// a pipe that is never ahead, number its records' lines in order, and read a
// record back as written.
#include "cli/csv.h"
#include "fuzz/fuzz_check.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

using rampwall::cli::appendCsvRecord;
using rampwall::cli::CsvReader;
using rampwall::cli::CsvRecord;
using rampwall::fuzz::require;

// One byte at a time, with nothing ever waiting: the reader must then wait at
// every byte, as it does on a pipe whose writer is slow.
class Trickle final : public std::streambuf {
public:
    explicit Trickle(std::string_view bytes) : m_bytes(bytes) {}

protected:
    int_type underflow() override {
        if (m_next == m_bytes.size()) {
            return traits_type::eof();
        }
        m_byte = m_bytes[m_next++];
        setg(&m_byte, &m_byte, &m_byte + 1);
        return traits_type::to_int_type(m_byte);
    }
    std::streamsize showmanyc() override { return 0; }

private:
    std::string_view m_bytes;
    std::size_t m_next = 0;
    char m_byte = 0;
};

struct Read {
    std::size_t line;
    std::vector<std::string> fields;
    std::optional<std::string> error;
    bool operator==(const Read&) const = default;
};

std::vector<Read> readAll(std::istream& in, std::size_t* waits = nullptr) {
    CsvReader reader(in);
    if (waits != nullptr) {
        reader.setBeforeWait([waits] { ++*waits; });
    }
    CsvRecord record;
    std::vector<Read> records;
    while (reader.next(record)) {
        // A faulty record's fields are whatever was read before the fault.
        records.push_back({record.line, record.error ? std::vector<std::string>{} : record.fields, record.error});
    }
    require(!reader.readFailed(), "reading text in memory never fails");
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::istringstream whole{std::string(bytes)};
    const std::vector<Read> records = readAll(whole);

    Trickle trickle(bytes);
    std::istream piped(&trickle);
    std::size_t waits = 0;
    require(readAll(piped, &waits) == records, "a pipe gives the same records as the whole text");
    require(size == 0 || waits > 0, "the reader says when it waits");

    std::size_t line = 0;
    for (const Read& record : records) {
        require(record.line > line, "records start on later and later lines");
        line = record.line;
        if (record.error) {
            continue;
        }
        // After a first line, where a byte order mark is text like any other.
        std::string written = "x\r\n";
        appendCsvRecord(written, {record.fields.begin(), record.fields.end()});
        std::istringstream in(written);
        const std::vector<Read> back = readAll(in);
        require(back.size() == 2 && back[1].fields == record.fields && !back[1].error, "a record reads back as written",
                written);
    }
    return 0;
}
