#include "cli/output.h"
#include "cli_runner.h"
#include "json_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rampwall::cli {
namespace {

using ::testing::HasSubstr;
using testing_support::computeInWindow;
using testing_support::JsonReader;
using testing_support::runCli;
using testing_support::splitLines;

struct JsonStringCase {
    std::string name;
    std::string text;
    std::string expected;
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const JsonStringCase& row, std::ostream* out) { *out << row.name; }

class json_string : public ::testing::TestWithParam<JsonStringCase> {};

TEST_P(json_string, IsEscapedAndReadsBack) {
    const JsonStringCase& row = GetParam();
    RunResult result;
    result.events.push_back({WindowEvent::Kind::Message, Control::Text12, row.text, "title"});
    std::ostringstream out;
    printJson(out, result);
    EXPECT_EQ(out.str(), "{\"completed\": false, \"messages\": [{\"title\": \"title\", \"text\": " + row.expected +
                             "}], \"boxes\": {}, \"values\": {}}\n");
    // Whatever went in, a strict reader accepts what came out.
    EXPECT_NO_THROW(JsonReader::parse(out.str()));
}

INSTANTIATE_TEST_SUITE_P(cli, json_string,
                         ::testing::ValuesIn(std::vector<JsonStringCase>{
                             {"plain", "144.166", "\"144.166\""},
                             {"empty", "", "\"\""},
                             {"crlf", "a\r\nb", "\"a\\r\\nb\""},
                             {"quote_and_backslash", "\"\\", "\"\\\"\\\\\""},
                             {"tab_and_controls", "\t\b\f\x01\x1f", "\"\\t\\b\\f\\u0001\\u001f\""},
                             {"chinese_unescaped", "太大了", "\"太大了\""},
                             {"full_width_and_greek", "ρte（mm）：", "\"ρte（mm）：\""},
                             {"four_byte", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
                             {"stray_continuation_byte", "a\x80z", "\"a\xEF\xBF\xBDz\""},
                             {"truncated_sequence", "\xE5\xA4", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                             {"overlong_slash", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
                             {"surrogate_half", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
                             {"beyond_unicode", "\xF4\x90\x80\x80",
                              "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
                             {"delete_passes", "\x7f", "\"\x7f\""},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST(person_output, ShowsResultsUnderTheWindowsCaptionsAndTheSheetWithLineFeeds) {
    const auto run = runCli({});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("配筋计算结果：\n"
                                   "  MBk（kN.m）：144.166\n"
                                   "  As（mm2）：3260.572\n"
                                   "  选用钢筋（mm）：22\n"
                                   "裂缝控制：\n"
                                   "  As（mm2）：4154.756\n"
                                   "  选用钢筋（mm）：23\n"
                                   "  Wmax（mm）：0.202\n"));
    EXPECT_EQ(run.out.find('\r'), std::string::npos);

    // The sheet follows, line for line, with the terminal's line ends.
    const auto window = computeInWindow({});
    const std::string& sheet = window.events.back().text;
    std::string expected;
    for (const std::string& line : splitLines(sheet, "\r\n")) {
        expected += line + "\n";
    }
    EXPECT_TRUE(run.out.ends_with("\n\n" + expected));
}

TEST(person_output, ShowsMessagesFirstWithTheirTitle) {
    const auto run = runCli({"--spacing", "200"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.starts_with("友情提示: 算不出来，请增加外墙厚度，或采取其他措施\n\n配筋计算结果：\n"));
    // Boxes the run did not reach stay empty, as in a window just opened, and no sheet.
    EXPECT_TRUE(
        run.out.ends_with("  选用钢筋（mm）：太大了\n裂缝控制：\n  As（mm2）：\n  选用钢筋（mm）：\n  Wmax（mm）：\n"));
}

TEST(person_output, SaysWhenNoLoadCaseIsSelected) {
    const auto run = runCli({"--case", "2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("no load case"));
}

} // namespace
} // namespace rampwall::cli
