#include "cli/csv.h"
#include "cli_runner.h"

#include "calc/calculation_stop.h"
#include "calc/control_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace rampwall {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing_support::computeInWindow;
using testing_support::runCli;
using testing_support::WindowInputs;
using Fields = std::vector<std::string>;

const std::vector<std::string> kResultHeader = {"MBk",       "As_strength", "bar_strength", "As_crack",
                                                "bar_crack", "crack_width", "status",       "message"};

std::vector<std::vector<std::string>> readCsv(const std::string& text) {
    std::istringstream in(text);
    cli::CsvReader reader(in);
    cli::CsvRecord record;
    std::vector<std::vector<std::string>> records;
    while (reader.next(record)) {
        EXPECT_FALSE(record.error) << "line " << record.line << ": " << *record.error;
        records.push_back(record.fields);
    }
    return records;
}

// The result columns the window gives for a design typed into a fresh window.
std::vector<std::string> windowResults(const WindowInputs& inputs) {
    const auto run = computeInWindow(inputs, ComputeOptions{.composeSheet = false});
    std::vector<std::string> fields;
    for (const Control box : kResultBoxes) {
        std::string text;
        for (const WindowEvent& event : run.events) {
            if (event.kind == WindowEvent::Kind::Write && event.box == box) {
                text = event.text;
            }
        }
        fields.push_back(text);
    }
    std::string messages;
    bool momentTooLarge = false;
    for (const WindowEvent& event : run.events) {
        if (event.kind == WindowEvent::Kind::Message) {
            messages += (messages.empty() ? "" : " | ") + event.text;
            momentTooLarge = momentTooLarge || event.text == kMomentTooLargeMessage;
        }
    }
    // A run that went on past the moment message has a section too small:
    // its book says 不满足, and so does its row.
    const char* status = run.outcome != RunOutcome::Completed ? "stopped" : momentTooLarge ? "fails" : "ok";
    fields.emplace_back(status);
    fields.push_back(messages);
    return fields;
}

struct BatchRow {
    std::string name;
    std::vector<std::string> fields; // case,h3,concrete,steel,spacing,h5
    WindowInputs window;             // the same design typed into the window
};

const std::vector<BatchRow> kRows = {
    {"start_up", {"A", "-1.0", "C15", "Ⅰ级(HPB235)", "100", "350"}, {}},
    {"case_B_example",
     {"B", "-5.0", "C25", "HRB335", "100", "350"},
     {{{Control::Text3, "-5.0"}}, {{Control::Combo3, 1}, {Control::Combo1, 2}, {Control::Combo2, 1}}}},
    {"water_above_soil", {"A", "-0.2", "C15", "0", "100", "350"}, {{{Control::Text3, "-0.2"}}, {}}},
    {"no_bar_large_enough", {"A", "-1.0", "C15", "0", "200", "350"}, {{{Control::Text10, "200"}}, {}}},
    {"thickness_not_a_number", {"A", "-1.0", "C15", "0", "100", "thick"}, {{{Control::Text4, "thick"}}, {}}},
    {"moment_too_large_quoted_steel",
     {"情况A", "-1.0", "C30", "Ⅱ级(HRB335)", "100", "150"},
     {{{Control::Text4, "150"}}, {{Control::Combo1, 3}, {Control::Combo2, 1}}}},
    {"no_load_case", {"-1", "-1.0", "C15", "0", "100", "350"}, {{}, {{Control::Combo3, -1}}}},
    {"no_concrete_grade", {"A", "-1.0", "-1", "0", "100", "350"}, {{}, {{Control::Combo1, -1}}}},
};

std::string batchFile() {
    std::string text = "case,h3,concrete,steel,spacing,h5\r\n";
    for (const BatchRow& row : kRows) {
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            text += (i > 0 ? "," : "");
            // Quote the steel entries even where not needed, as spreadsheets do.
            text += i == 3 ? "\"" + row.fields[i] + "\"" : row.fields[i];
        }
        text += "\r\n";
    }
    return text;
}

TEST(batch, EveryRowGivesWhatTheWindowGives) {
    const auto run = runCli({"--batch", "-"}, batchFile());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const auto records = readCsv(run.out);
    ASSERT_EQ(records.size(), kRows.size() + 1);

    std::vector<std::string> header = {"case", "h3", "concrete", "steel", "spacing", "h5"};
    header.insert(header.end(), kResultHeader.begin(), kResultHeader.end());
    EXPECT_THAT(records[0], ElementsAreArray(header));

    for (std::size_t i = 0; i < kRows.size(); ++i) {
        SCOPED_TRACE(kRows[i].name);
        std::vector<std::string> expected = kRows[i].fields;
        const std::vector<std::string> results = windowResults(kRows[i].window);
        expected.insert(expected.end(), results.begin(), results.end());
        EXPECT_THAT(records[i + 1], ElementsAreArray(expected));
    }
}

TEST(batch, RowsShowTheWorkedExamples) {
    const auto records = readCsv(runCli({"--batch", "-"}, batchFile()).out);
    ASSERT_EQ(records.size(), kRows.size() + 1);
    auto results = [&](std::size_t row) { return std::vector(records[row].begin() + 6, records[row].end()); };

    EXPECT_THAT(results(1), ElementsAreArray(Fields{"144.166", "3260.572", "22", "4154.756", "23", "0.202", "ok", ""}));
    EXPECT_THAT(results(2), ElementsAreArray(Fields{"136", "1975.4", "16", "3463.606", "21", "0.202", "ok", ""}));
    // Nothing of the row before carries over into a row that stops early.
    EXPECT_THAT(results(3),
                ElementsAreArray(Fields{"", "", "", "", "", "", "stopped", std::string(kElevationMessage)}));
    EXPECT_THAT(results(4), ElementsAreArray(Fields{"144.166", "3260.572", "太大了", "", "", "", "stopped",
                                                    std::string(kNoBarMessage)}));
    EXPECT_EQ(results(5)[6], "stopped");
    EXPECT_THAT(results(5)[7], HasSubstr("墙厚度h5(mm)"));
    EXPECT_EQ(results(6)[6], "fails");
    EXPECT_THAT(results(7), ElementsAreArray(Fields{"", "", "", "", "", "", "stopped", ""}));
}

TEST(batch, MessagesOfOneRowAreJoined) {
    // h5 150 with a spacing of 300: the moment message, then the bar message.
    const std::string csv = "h5,spacing\n150,300\n";
    const auto records = readCsv(runCli({"--batch", "-"}, csv).out);
    ASSERT_EQ(records.size(), 2u);
    const auto window = windowResults({{{Control::Text4, "150"}, {Control::Text10, "300"}}, {}});
    EXPECT_EQ(records[1].back(), std::string(kMomentTooLargeMessage) + " | " + std::string(kNoBarMessage));
    EXPECT_EQ(records[1].back(), window.back());
}

TEST(batch, ColumnsLeftOutKeepTheStartUpValues) {
    const auto run = runCli({"--batch", "-"}, "h5\n350\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "h5,MBk,As_strength,bar_strength,As_crack,bar_crack,crack_width,status,message\r\n"
                       "350,144.166,3260.572,22,4154.756,23,0.202,ok,\r\n");
}

TEST(batch, ByteOrderMarkAndCrLfAreRead) {
    const auto run = runCli({"--batch", "-"}, "\xEF\xBB\xBF"
                                              "concrete,steel\r\nC30,HRB335\r\n\r\n");
    EXPECT_EQ(run.status, 0);
    const auto records = readCsv(run.out);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0][0], "concrete");
    EXPECT_EQ(std::vector(records[1].begin() + 2, records[1].begin() + 5),
              (std::vector<std::string>{"144.166", "2059.2", "18"}));
}

TEST(batch, MalformedRowsAreReportedAndTheOthersStillRun) {
    const std::string csv = "h5,concrete\n"  // line 1
                            "350,C15\n"      // line 2
                            "350\n"          // line 3: one field short
                            "\"350\"x,C15\n" // line 4: text after a closing quote
                            "350,C99\n"      // line 5: no such grade
                            "350,C30,1\n"    // line 6: one field too many
                            "\"350\",C30\n"; // line 7
    const auto run = runCli({"--batch", "-"}, csv);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("line 3: expected 2 fields as in the header, found 1"));
    EXPECT_THAT(run.err, HasSubstr("line 4: text after the closing quote"));
    EXPECT_THAT(run.err, HasSubstr("line 5: \"C99\" is not an entry of the concrete list"));
    EXPECT_THAT(run.err, HasSubstr("line 6: expected 2 fields as in the header, found 3"));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("line 2")));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("line 7")));

    const auto records = readCsv(run.out);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1][1], "C15");
    EXPECT_EQ(records[1][2], "144.166");
    EXPECT_EQ(records[2][1], "C30");
    EXPECT_EQ(std::vector(records[2].begin() + 2, records[2].end()), windowResults({{}, {{Control::Combo1, 3}}}));
}

struct HeaderCase {
    std::string name;
    std::string csv;
    std::string error;
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const HeaderCase& row, std::ostream* out) { *out << row.name; }

class batch_header : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(batch_header, FailsTheWholeFile) {
    const auto run = runCli({"--batch", "-"}, GetParam().csv);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(cli, batch_header,
                         ::testing::ValuesIn(std::vector<HeaderCase>{
                             {"empty_file", "", "no header row"},
                             {"only_blank_lines", "\r\n\r\n", "no header row"},
                             {"broken_quote_in_header", "\"h5\nrest",
                              "line 1: the quoted field opened on line 1 is never closed"},
                         }),
                         [](const auto& info) { return info.param.name; });

// A column the header cannot use is reported with its line; the rows still
// run, with the column passed through and its values used for nothing.
struct ColumnCase {
    std::string name;
    std::string csv;
    std::string error;
    WindowInputs window; // what the single row amounts to in the window
};

void PrintTo(const ColumnCase& row, std::ostream* out) { *out << row.name; }

class batch_header_column : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(batch_header_column, IsReportedAndTheRowsStillRun) {
    const ColumnCase& c = GetParam();
    const auto run = runCli({"--batch", "-"}, c.csv);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr(c.error));
    const auto records = readCsv(run.out);
    ASSERT_EQ(records.size(), 2u);
    const auto header = readCsv(c.csv).front();
    ASSERT_GE(records[1].size(), header.size() + 2);
    EXPECT_EQ(std::vector<std::string>(records[0].begin(), records[0].begin() + static_cast<long>(header.size())),
              header);
    // As_strength is the second result column.
    const std::string& strengthArea = records[1][header.size() + 1];
    const auto window = computeInWindow(c.window);
    std::string expected;
    for (const WindowEvent& event : window.events) {
        if (event.kind == WindowEvent::Kind::Write && event.box == Control::Text7) {
            expected = event.text;
        }
    }
    EXPECT_EQ(strengthArea, expected);
}

INSTANTIATE_TEST_SUITE_P(cli, batch_header_column,
                         ::testing::ValuesIn(std::vector<ColumnCase>{
                             {"unknown_column",
                              "h5,thickness\n150,1\n",
                              "line 1: unknown column \"thickness\"",
                              {{{Control::Text4, "150"}}, {}}},
                             {"window_name_is_not_a_column",
                              "Text4,h5\n150,200\n",
                              "line 1: unknown column \"Text4\"",
                              {{{Control::Text4, "200"}}, {}}},
                             {"column_twice_takes_the_first",
                              "h5,h5\n150,350\n",
                              "line 1: column \"h5\" appears twice",
                              {{{Control::Text4, "150"}}, {}}},
                         }),
                         [](const auto& info) { return info.param.name; });

// Inputs that are no batch: a line too long for a row stops the batch at its
// line, after the rows before it ran, and a long name or value is quoted
// briefly; nothing is read or echoed whole.
struct LongInputCase {
    std::string name;
    std::string csv;
    std::size_t records; // in the output, the header included
    std::string error;
};

void PrintTo(const LongInputCase& row, std::ostream* out) { *out << row.name; }

class batch_long_input : public ::testing::TestWithParam<LongInputCase> {};

TEST_P(batch_long_input, StopsOrIsQuotedBriefly) {
    const auto run = runCli({"--batch", "-"}, GetParam().csv);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readCsv(run.out).size(), GetParam().records);
    EXPECT_THAT(run.err, HasSubstr(GetParam().error));
    EXPECT_LT(run.err.size(), 1000U) << run.err.substr(0, 1000);
}

const std::string kOverARecord((std::size_t{2} << 20) + 1, '9');
const std::string kOverARecordOfQuotes((std::size_t{2} << 20) + 2, '"');

INSTANTIATE_TEST_SUITE_P(
    cli, batch_long_input,
    ::testing::ValuesIn(std::vector<LongInputCase>{
        {"header", "h5," + kOverARecord + "\n350\n", 0, "第 1 行：这一行超过了 1048576 字节"},
        {"row", "h5\n350\n" + kOverARecord + "\n400\n", 2, "第 3 行：这一行超过了 1048576 字节"},
        {"quoted_field_never_closed", "h5\n350\n\"" + kOverARecord, 2, "第 3 行：这一行超过了"},
        {"doubled_quotes", "h5\n350\n\"" + kOverARecordOfQuotes + "\"\n", 2, "第 3 行：这一行超过了"},
        {"commas", "h5\n350\n" + std::string(std::size_t{2} << 20, ',') + "\n", 2, "第 3 行：这一行超过了"},
        {"text_after_a_quote", "h5\n350\n\"1\"" + kOverARecord + "\n", 2, "第 3 行：这一行超过了"},
        {"nul_bytes_without_a_line_end", "h5\n" + std::string(std::size_t{2} << 20, '\0'), 1, "第 2 行：这一行超过了"},
        {"unknown_column", "h5," + std::string(100'000, 'k') + "\n350,1\n", 2,
         "unknown column \"" + std::string(40, 'k') + "…\""},
        {"no_entry_of_a_list", "concrete\n" + std::string(100'000, 'C') + "\n", 1, "\"" + std::string(40, 'C') + "…\""},
    }),
    [](const auto& info) { return info.param.name; });

TEST(batch, HeaderOnlyPrintsTheHeader) {
    const auto run = runCli({"--batch", "-"}, "h1, h2\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "h1, h2,MBk,As_strength,bar_strength,As_crack,bar_crack,crack_width,status,message\r\n");
}

class batch_files : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::path(::testing::TempDir()) /
                ("rampwall_batch_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(batch_files, ReadsANamedFile) {
    const auto file = m_dir / "rows.csv";
    std::ofstream(file, std::ios::binary) << "spacing\n100\n200\n";
    const auto run = runCli({"--batch", file.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readCsv(run.out).size(), 3u);
}

TEST_F(batch_files, AMissingFileIsAUsageError) {
    const auto run = runCli({"--batch", (m_dir / "absent.csv").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("cannot read"));
}

TEST_F(batch_files, SheetsAreWrittenForCompletedRowsOnly) {
    const auto sheets = m_dir / "sheets";
    const auto run = runCli({"--batch", "-", "--sheets", sheets.string()}, "case,spacing\nA,100\nA,200\nB,100\n");
    EXPECT_EQ(run.status, 0);

    const auto window = computeInWindow({});
    ASSERT_EQ(window.events.back().box, Control::Text12);
    EXPECT_EQ(readFile(sheets / "row-1.txt"), window.events.back().text);
    EXPECT_FALSE(std::filesystem::exists(sheets / "row-2.txt")); // the bar message ended it
    EXPECT_FALSE(std::filesystem::exists(sheets / "row-3.txt")); // Case B refuses the start-up elevations
}

TEST_F(batch_files, ARowWithoutASheetLeavesNoOldSheetBehind) {
    const auto sheets = m_dir / "sheets";
    ASSERT_EQ(runCli({"--batch", "-", "--sheets", sheets.string()}, "case\nA\nA\n").status, 0);
    ASSERT_TRUE(std::filesystem::exists(sheets / "row-1.txt"));
    ASSERT_TRUE(std::filesystem::exists(sheets / "row-2.txt"));
    // Run again into the same folder: row 1 now stops at the elevations.
    EXPECT_EQ(runCli({"--batch", "-", "--sheets", sheets.string()}, "case\nB\nA\n").status, 0);
    EXPECT_FALSE(std::filesystem::exists(sheets / "row-1.txt"));
    EXPECT_TRUE(std::filesystem::exists(sheets / "row-2.txt"));
}

TEST_F(batch_files, AFolderIsNoBatchFile) {
    const auto run = runCli({"--batch", m_dir.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("cannot read"));
}

TEST_F(batch_files, SheetsFolderThatCannotBeMadeIsAUsageError) {
    const auto blocker = m_dir / "file";
    std::ofstream(blocker) << "x";
    const auto run = runCli({"--batch", "-", "--sheets", (blocker / "sub").string()}, "h5\n350\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace rampwall
