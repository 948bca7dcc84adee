#include "calc/number_text.h"
#include "cli/sweep.h"
#include "cli_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace rampwall::cli {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing_support::runCli;
using testing_support::splitLines;

struct RangeCase {
    std::string name;
    std::string sweepText;
    std::string input;
    std::vector<std::string> values; // every value, as the input column shows it
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const RangeCase& row, std::ostream* out) { *out << row.name; }

class sweep_range : public ::testing::TestWithParam<RangeCase> {};

TEST_P(sweep_range, GivesEveryValueOnTheGrid) {
    const RangeCase& row = GetParam();
    const auto parsed = parseSweep(row.sweepText);
    ASSERT_TRUE(std::holds_alternative<SweepRange>(parsed)) << std::get<UsageError>(parsed).message;
    const SweepRange& range = std::get<SweepRange>(parsed);
    EXPECT_EQ(kInputs[range.input].key, row.input);
    std::vector<std::string> values;
    for (std::size_t i = 0; i < range.count; ++i) {
        values.push_back(formatDouble(range.value(i)));
    }
    EXPECT_THAT(values, ElementsAreArray(row.values));
}

INSTANTIATE_TEST_SUITE_P(
    cli, sweep_range,
    ::testing::ValuesIn(std::vector<RangeCase>{
        {"h4_down_by_halves",
         "h4=-1:-6:-0.5",
         "h4",
         {"-1", "-1.5", "-2", "-2.5", "-3", "-3.5", "-4", "-4.5", "-5", "-5.5", "-6"}},
        {"h5_up", "h5=300:400:50", "h5", {"300", "350", "400"}},
        {"stop_off_the_grid", "h5=300:420:50", "h5", {"300", "350", "400"}},
        // 0.1 * 3 is 0.30000000000000004: the end still counts, and no error
        // builds up from one value to the next.
        {"tenths_end_included", "crack-limit=0.1:0.3:0.1", "crack-limit", {"0.1", "0.2", "0.3"}},
        {"tenths_long", "h1=0:1:0.1", "h1", {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"through_zero", "h1=0.3:-0.3:-0.1", "h1", {"0.3", "0.2", "0.1", "0", "-0.1", "-0.2", "-0.3"}},
        {"single_value", "cover=50:50:5", "cover", {"50"}},
        {"single_value_any_sign", "cover=50:50:-5", "cover", {"50"}},
        {"step_past_the_end", "spacing=100:150:100", "spacing", {"100"}},
        {"exponent_form", "load-factor=1e0:1.2:0.1", "load-factor", {"1", "1.1", "1.2"}},
        {"soil_weight", "soil-weight=16:20:2", "soil-weight", {"16", "18", "20"}},
        {"surcharge", "surcharge=0:10:10", "surcharge", {"0", "10"}},
        {"h3_down", "h3=-1:-1.2:-0.1", "h3", {"-1", "-1.1", "-1.2"}},
        {"h2", "h2=-0.5:-0.5:1", "h2", {"-0.5"}},
        // A small start is a value of its own, not a rounding left over.
        {"small_start_kept", "surcharge=0.000001:2000:1000", "surcharge", {"1E-06", "1000.000001", "2000.000001"}},
        {"tiny_start_kept", "h1=1e-12:2:1", "h1", {"1E-12", "1.000000000001", "2.000000000001"}},
    }),
    [](const auto& info) { return info.param.name; });

struct BadRangeCase {
    std::string name;
    std::string sweepText;
    std::string reason;
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const BadRangeCase& row, std::ostream* out) { *out << row.name; }

class sweep_bad_range : public ::testing::TestWithParam<BadRangeCase> {};

TEST_P(sweep_bad_range, IsRefused) {
    const auto parsed = parseSweep(GetParam().sweepText);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    EXPECT_THAT(std::get<UsageError>(parsed).message, HasSubstr(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(cli, sweep_bad_range,
                         ::testing::ValuesIn(std::vector<BadRangeCase>{
                             {"step_zero", "h4=-1:-6:0", "cannot be zero"},
                             {"wrong_sign", "h4=-1:-6:0.5", "goes away from its end"},
                             {"wrong_sign_up", "h5=300:400:-50", "goes away from its end"},
                             {"too_many_rows", "h5=0:1e9:1", "more than 10000000 rows"},
                             {"step_too_small", "h5=0:1:1e-320", "too many rows"},
                             {"no_equals", "h4", "NAME=START:STOP:STEP"},
                             {"two_numbers", "h4=-1:-6", "NAME=START:STOP:STEP"},
                             {"four_numbers", "h4=-1:-6:-1:0", "NAME=START:STOP:STEP"},
                             {"not_a_number", "h4=-1:x:-1", "\"x\" is not a number"},
                             {"empty_start", "h4=:-6:-1", "\"\" is not a number"},
                             {"infinite", "h4=0:1e400:1", "is not a number"},
                             {"unknown_name", "h6=1:2:1", "cannot sweep \"h6\""},
                             {"list_name", "steel=0:3:1", "cannot sweep \"steel\""},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST(sweep, GivesTheSameRowsAsTheEquivalentBatch) {
    const auto sweep = runCli({"--concrete", "C30", "--sweep", "h4=-1:-6:-0.5", "--case", "A"});
    const auto batch = runCli({"--batch", "-"}, "h4,concrete,case\n"
                                                "-1,C30,A\n-1.5,C30,A\n-2,C30,A\n-2.5,C30,A\n-3,C30,A\n"
                                                "-3.5,C30,A\n-4,C30,A\n-4.5,C30,A\n-5,C30,A\n-5.5,C30,A\n-6,C30,A\n");
    EXPECT_EQ(sweep.status, 0);
    EXPECT_EQ(batch.status, 0);
    EXPECT_EQ(sweep.out, batch.out);
    EXPECT_EQ(splitLines(sweep.out, "\r\n").size(), 13u); // header, 11 rows, and the empty piece after the last CR LF
}

TEST(sweep, SweptColumnComesFirstThenTheGivenInputsInOptionOrder) {
    const auto run = runCli({"--steel", "HRB335", "--h5", "300", "--sweep", "spacing=100:200:100"});
    EXPECT_EQ(run.status, 0);
    const auto lines = splitLines(run.out, "\r\n");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "spacing,h5,steel,MBk,As_strength,bar_strength,As_crack,bar_crack,crack_width,status,message");
    EXPECT_TRUE(lines[1].starts_with("100,300,HRB335,144.166,"));
    EXPECT_TRUE(lines[2].starts_with("200,300,HRB335,144.166,"));
}

TEST(sweep, StoppedRowsDoNotFailTheSweep) {
    // A base above the water table (h3 -1.0) fails the elevation checks; that
    // row says so and the sweep still succeeds.
    const auto run = runCli({"--sweep", "h4=0:-2:-1"});
    EXPECT_EQ(run.status, 0);
    const auto lines = splitLines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "0,,,,,,,stopped,输入标高与实际情况不符，请重新输入");
    EXPECT_TRUE(lines[2].starts_with("-1,")) << lines[2];
    EXPECT_TRUE(lines[3].starts_with("-2,")) << lines[3];
    EXPECT_TRUE(lines[3].ends_with(",ok,")) << lines[3];
}

TEST(sweep, WritesTheSheetsOfCompletedRows) {
    const auto dir = std::filesystem::path(::testing::TempDir()) / "rampwall_sweep_sheets";
    std::filesystem::remove_all(dir);
    const auto run = runCli({"--sweep", "spacing=100:200:100", "--sheets", dir.string()});
    EXPECT_EQ(run.status, 0);
    // Spacing 100 is the start-up design; at 200 no bar is large enough and there is no sheet.
    const auto window = testing_support::computeInWindow({});
    std::ifstream in(dir / "row-1.txt", std::ios::binary);
    std::ostringstream sheet;
    sheet << in.rdbuf();
    EXPECT_EQ(sheet.str(), window.events.back().text);
    EXPECT_FALSE(std::filesystem::exists(dir / "row-2.txt"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace rampwall::cli
