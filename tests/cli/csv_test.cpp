#include "cli/csv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace rampwall::cli {
namespace {

using ::testing::ElementsAreArray;

struct ReadRecord {
    std::size_t line;
    std::vector<std::string> fields;
    bool error = false;
};

std::vector<ReadRecord> readAll(std::string_view text) {
    std::istringstream in{std::string(text)};
    CsvReader reader(in);
    CsvRecord record;
    std::vector<ReadRecord> records;
    while (reader.next(record)) {
        records.push_back({record.line, record.fields, record.error.has_value()});
    }
    return records;
}

struct ReaderCase {
    std::string name;
    std::string text;
    std::vector<ReadRecord> expected;
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const ReaderCase& row, std::ostream* out) { *out << row.name; }

class csv_reader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(csv_reader, ReadsTheRecords) {
    const ReaderCase& row = GetParam();
    const std::vector<ReadRecord> records = readAll(row.text);
    ASSERT_EQ(records.size(), row.expected.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        EXPECT_EQ(records[i].line, row.expected[i].line);
        EXPECT_EQ(records[i].error, row.expected[i].error);
        if (!row.expected[i].error) {
            EXPECT_THAT(records[i].fields, ElementsAreArray(row.expected[i].fields));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    cli, csv_reader,
    ::testing::ValuesIn(std::vector<ReaderCase>{
        {"lf_lines", "a,b\n1,2\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"crlf_lines", "a,b\r\n1,2\r\n", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"no_final_line_end", "a,b\r\n1,2", {{1, {"a", "b"}}, {2, {"1", "2"}}}},
        {"byte_order_mark",
         "\xEF\xBB\xBF"
         "h1,h2\r\n0,1\r\n",
         {{1, {"h1", "h2"}}, {2, {"0", "1"}}}},
        {"blank_trailing_lines", "a\r\n1\r\n\r\n\n", {{1, {"a"}}, {2, {"1"}}}},
        {"blank_line_inside_is_skipped", "a\n\n1\n", {{1, {"a"}}, {3, {"1"}}}},
        {"empty_fields", ",,\n", {{1, {"", "", ""}}}},
        {"quoted_empty_single_field", "\"\"\n", {{1, {""}}}},
        {"quoted_comma", "\"Ⅱ级(HRB335), new\",x\n", {{1, {"Ⅱ级(HRB335), new", "x"}}}},
        {"doubled_quote", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{1, {"say \"hi\"", "\""}}}},
        {"quoted_crlf_inside",
         "\"two\r\nlines\",b\r\nnext,row\r\n",
         {{1, {"two\r\nlines", "b"}}, {3, {"next", "row"}}}},
        {"quoted_lf_inside", "\"x\ny\"\nz\n", {{1, {"x\ny"}}, {3, {"z"}}}},
        {"quoted_last_field_at_end", "a,\"b\"", {{1, {"a", "b"}}}},
        {"spaces_are_kept", " a , b \n", {{1, {" a ", " b "}}}},
        {"text_after_closing_quote", "\"a\"b,c\nnext\n", {{1, {}, true}, {2, {"next"}}}},
        // The faulty record ends at its own end, not inside a later quoted field.
        {"faulty_record_with_quoted_line_break", "\"a\"b,\"c\nd\"\nnext\n", {{1, {}, true}, {3, {"next"}}}},
        {"unterminated_quote", "ok\n\"never closed,\n1,2\n", {{1, {"ok"}}, {2, {}, true}}},
    }),
    [](const auto& info) { return info.param.name; });

// A record of exactly the limit is a record; one byte more, in a field, a
// separator or a doubled quote, stops the reader at that record.
TEST(csv_reader_limit, TakesARecordOfTheLimitAndStopsAtOneByteMore) {
    constexpr std::size_t limit = CsvReader::kMaxRecordBytes;
    const struct {
        const char* name;
        std::string text;
        bool tooLong;
    } cases[] = {
        {"one field of the limit", std::string(limit, 'x') + "\nnext\n", false},
        {"one field a byte over", std::string(limit + 1, 'x') + "\nnext\n", true},
        {"fields and commas of the limit", std::string(limit - 2, 'x') + ",y\nnext\n", false},
        {"fields and commas a byte over", std::string(limit - 1, 'x') + ",y\nnext\n", true},
        {"quoted field of the limit", "\"" + std::string(limit, 'x') + "\"\nnext\n", false},
        {"doubled quote a byte over", "\"" + std::string(limit, 'x') + "\"\"\"\nnext\n", true},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        CsvReader reader(in);
        CsvRecord record;
        ASSERT_TRUE(reader.next(record)) << c.name;
        EXPECT_EQ(record.error.has_value(), c.tooLong) << c.name;
        EXPECT_EQ(reader.stoppedAtLongRecord(), c.tooLong) << c.name;
        // Nothing after a record too long is read; otherwise the next one is.
        EXPECT_EQ(reader.next(record), !c.tooLong) << c.name;
    }
}

struct WriterCase {
    std::string name;
    std::vector<std::string> fields;
    std::string expected;
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const WriterCase& row, std::ostream* out) { *out << row.name; }

class csv_writer : public ::testing::TestWithParam<WriterCase> {};

TEST_P(csv_writer, QuotesOnlyWhatMustBeQuoted) {
    const WriterCase& row = GetParam();
    std::string out;
    appendCsvRecord(out, {row.fields.begin(), row.fields.end()});
    EXPECT_EQ(out, row.expected);
}

TEST_P(csv_writer, RoundTripsThroughTheReader) {
    const WriterCase& row = GetParam();
    std::string out;
    appendCsvRecord(out, {row.fields.begin(), row.fields.end()});
    appendCsvRecord(out, {row.fields.begin(), row.fields.end()});
    const std::vector<ReadRecord> records = readAll(out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].error);
    EXPECT_THAT(records[0].fields, ElementsAreArray(row.fields));
    EXPECT_THAT(records[1].fields, ElementsAreArray(row.fields));
}

INSTANTIATE_TEST_SUITE_P(cli, csv_writer,
                         ::testing::ValuesIn(std::vector<WriterCase>{
                             {"plain", {"h1", "-1.0", "C30"}, "h1,-1.0,C30\r\n"},
                             {"brackets_unquoted", {"Ⅱ级(HRB335)"}, "Ⅱ级(HRB335)\r\n"},
                             {"comma", {"算不出来，请增加外墙厚度, or", "x"}, "\"算不出来，请增加外墙厚度, or\",x\r\n"},
                             {"quote", {"“h3(m)” \"x\""}, "\"“h3(m)” \"\"x\"\"\"\r\n"},
                             {"crlf", {"a\r\nb"}, "\"a\r\nb\"\r\n"},
                             {"lone_lf", {"a\nb", ""}, "\"a\nb\",\r\n"},
                             {"empty_fields", {"", ""}, ",\r\n"},
                             {"single_empty_field", {""}, "\"\"\r\n"},
                             {"blanks_kept_unquoted", {" 18 "}, " 18 \r\n"},
                         }),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rampwall::cli
