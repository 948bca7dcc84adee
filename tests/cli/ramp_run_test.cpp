// rampwall-cli --ramp: the schedule on standard output and nothing else, the
// total on standard error, the exit status of the worst segment, the options
// that do not go with a ramp, and a ramp kept in a design file.
#include "cli_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace rampwall::cli {
namespace {

using ::testing::HasSubstr;
using testing_support::runCli;
using testing_support::splitLines;

// The CSV's records; the last line ends like the others.
std::vector<std::string> records(const std::string& out) {
    std::vector<std::string> lines = splitLines(out, "\r\n");
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

constexpr const char* kHeader = "segment,from,to,h4,case,spacing,MBk,As_strength,bar_strength,As_crack,bar_crack,"
                                "crack_width,steel_kg_per_m,steel_kg,status,message";

struct StatusCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> statuses; // of the rows, in order
};

TEST(ramp_cli, prints_the_schedule_and_exits_with_the_worst_row) {
    const StatusCase cases[] = {
        // 20 m of the start-up wall in 5 m: every section as shallow as the
        // start-up one or shallower.
        {"every row ok", {"--ramp", "20", "--segment", "5"}, 0, {"ok", "ok", "ok", "ok"}},
        // The floor from 0 to -1: at -0.5, the soil surface, the first
        // segment retains nothing.
        {"none is no fault", {"--ramp", "10", "--h4-start", "0", "--h4=-1", "--segment", "5"}, 0, {"none", "ok"}},
        // The 180 mm wall 5 m deep fails a check as the single design does
        // (exit 3 there too); the shallower half passes.
        {"a failing check", {"--ramp", "10", "--h5", "180", "--h4", "-5", "--segment", "5"}, 3, {"ok", "fails"}},
        // 6 m and 6.5 m deep with 350 mm: no bar can be found.
        {"a stopped row outweighs a failing one",
         {"--ramp", "60", "--h3=-3.0", "--h4=-6.5", "--segments", "12", "--spacings", "100,150"},
         1,
         {"ok", "ok", "ok", "ok", "ok", "ok", "ok", "ok", "ok", "ok", "stopped", "stopped"}},
    };
    for (const StatusCase& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
        const std::vector<std::string> lines = records(run.out);
        ASSERT_EQ(lines.size(), c.statuses.size() + 1) << c.name << "\n" << run.out;
        EXPECT_EQ(lines[0], kHeader);
        for (std::size_t i = 0; i < c.statuses.size(); ++i) {
            EXPECT_THAT(lines[i + 1], HasSubstr("," + c.statuses[i] + ",")) << c.name << ", row " << i + 1;
        }
        EXPECT_THAT(run.err, HasSubstr("钢筋合计")) << c.name;
        EXPECT_THAT(run.err, HasSubstr("不含搭接、锚固和内侧钢筋")) << c.name;
    }
}

TEST(ramp_cli, a_stopped_row_has_no_spacing_nor_results) {
    const auto run = runCli({"--ramp", "60", "--h4=-6.5", "--segments", "12"});
    const std::vector<std::string> lines = records(run.out);
    ASSERT_EQ(lines.size(), 13u);
    // segment 12 at -6.5: spacing and the eight result columns empty, then
    // the status and the first spacing's messages.
    EXPECT_THAT(lines[12], ::testing::StartsWith("12,55,60,-6.5,A,,,,,,,,,,stopped,"));
    EXPECT_THAT(run.err, HasSubstr("段未完成计算，未计入"));
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* says;
};

TEST(ramp_cli, options_that_do_not_go_with_a_ramp_are_usage_errors) {
    const UsageCase cases[] = {
        {"with a batch", {"--ramp", "20", "--batch", "-"}, "cannot be combined"},
        {"both cuttings", {"--ramp", "20", "--segment", "2", "--segments", "3"}, "cannot be combined"},
        {"a case", {"--ramp", "20", "--case", "A"}, "--case is chosen for each section"},
        {"json", {"--ramp", "20", "--json"}, "--json is for a single design"},
        {"ramp options alone", {"--spacings", "100,150"}, "need --ramp"},
        {"workbook alone", {"--xlsx", "a.xlsx"}, "--xlsx needs"},
        {"length not a number", {"--ramp", "三十"}, "坡道长度 L 应为正数"},
        {"spacing not a number", {"--ramp", "20", "--spacings", "100,x"}, "钢筋间距应为正数"},
        {"too many segments", {"--ramp", "2000", "--segment", "0.01"}, "超过 2000 段"},
    };
    for (const UsageCase& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_THAT(run.err, HasSubstr(c.says)) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
    }
}

TEST(ramp_cli, a_saved_ramp_runs_again_from_its_design_file) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "rampwall_ramp_cli_test";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "ramp.rampwall").string();
    const std::vector<std::string> ramp = {"--ramp", "30",         "--h4-start", "-0.8",     "--segment",
                                           "7",      "--spacings", "100,200",    "--h3=-2.0"};
    std::vector<std::string> saving = ramp;
    saving.insert(saving.end(), {"--save-design", file});
    const auto first = runCli(saving);
    ASSERT_EQ(first.status, 0) << first.err;

    std::ifstream saved(file);
    const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_THAT(text, HasSubstr("\"ramp\""));
    EXPECT_THAT(text, HasSubstr("\"spacings\": \"100,200\""));

    const auto again = runCli({"--design", file});
    EXPECT_EQ(again.status, first.status);
    EXPECT_EQ(again.out, first.out);
    // An option over the file's ramp changes that one input.
    const auto changed = runCli({"--design", file, "--segments", "2"});
    EXPECT_EQ(records(changed.out).size(), 3u);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace rampwall::cli
