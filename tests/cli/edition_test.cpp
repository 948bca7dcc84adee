#include "cli_runner.h"
#include "json_reader.h"
#include "support/editions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rampwall::cli {
namespace {

using ::testing::HasSubstr;
using testing_support::JsonReader;
using testing_support::JsonValue;
using testing_support::runCli;
using testing_support::splitLines;

struct Example2010 {
    std::string name;
    std::vector<std::string> args;                          // after --json --edition 2010
    std::vector<std::pair<std::string, std::string>> boxes; // none when the run stops
    std::string message;                                    // a part of the one message, or empty
};

void PrintTo(const Example2010& row, std::ostream* out) { *out << row.name; }

class example_2010 : public ::testing::TestWithParam<Example2010> {};

TEST_P(example_2010, GivesTheWorkedExample) {
    const Example2010& row = GetParam();
    std::vector<std::string> args = {"--json", "--edition", "2010"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto run = runCli(args);
    const JsonValue json = JsonReader::parse(run.out);
    EXPECT_EQ(run.status, row.boxes.empty() ? 1 : 0);
    for (const auto& [box, text] : row.boxes) {
        EXPECT_EQ(json.at("boxes").at(box).string(), text) << box;
    }
    ASSERT_EQ(json.at("messages").array().size(), row.message.empty() ? 0u : 1u);
    if (!row.message.empty()) {
        EXPECT_THAT(json.at("messages").array()[0].at("text").string(), HasSubstr(row.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    cli, example_2010,
    ::testing::ValuesIn(std::vector<Example2010>{
        {"StartUp",
         {"--concrete", "C30", "--steel", "hrb400"},
         {{"Text7", "2471.66"}, {"Text19", "18"}, {"Text18", "22"}, {"Text9", "3801.327"}, {"Text11", "0.199"}},
         ""},
        {"CaseB", {"--case", "B", "--h3", "-5.0"}, {{"Text19", "16"}, {"Text18", "18/20"}, {"Text9", "2843.141"}}, ""},
        {"XiBeyondXiB",
         {"--h2", "0", "--h3", "-3", "--h4", "-8", "--h5", "500", "--concrete", "C35", "--spacing", "150"},
         {},
         "ξ=0.5933大于界限相对受压区高度ξb=0.5176"},
    }),
    [](const auto& info) { return info.param.name; });

TEST(cli_edition, OptionsThatDoNotFitAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--edition", "2010", "--load-factor", "1.2"}, "--gamma-0, --gamma-g, --gamma-q, --gamma-l and --psi-q"},
        {{"--edition", "2010", "--sweep", "load-factor=1:2:1"}, "--load-factor"},
        {{"--gamma-g", "1.35"}, "--gamma-g is a load factor of GB 50010-2010"},
        {{"--edition", "2010", "--gamma-q", "0"}, "--gamma-q: “可变荷载分项系数γQ”必须大于0且不大于10"},
        {{"--edition", "2010", "--psi-q", "1.01"}, "--psi-q: “准永久值系数ψq”必须在0到1之间"},
        {{"--edition", "2010", "--steel", "HPB235"}, "\"HPB235\" is not in the steel list of GB 50010-2010"},
    };
    for (const auto& [args, message] : cases) {
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_THAT(run.err, HasSubstr(message)) << args[1];
    }
}

TEST(cli_edition, JsonValuesAreTheRunsOwnDoubles) {
    EXPECT_EQ(JsonReader::parse(runCli({"--json"}).out).at("values").at("MB42").number(), 40); // 2002 too
    const JsonValue values =
        JsonReader::parse(runCli({"--json", "--edition", "2010", "--concrete", "3", "--steel", "2"}).out).at("values");
    EXPECT_NEAR(values.at("M").number(), 231.248, 5e-4);
    EXPECT_EQ(values.at("bar").string(), "22");
    HeadlessWindow window(testing_support::edition2010());
    window.setSelectedIndex(Control::Combo1, 3);
    window.setSelectedIndex(Control::Combo2, 2);
    DesignState state;
    COMPUTE(state, window, {.edition = &testing_support::edition2010(), .namedValues = true});
    ASSERT_EQ(values.object().size(), state.values.size() + 2); // and the two bar texts
    for (const NamedValue& named : state.values) {
        EXPECT_EQ(values.at(named.name).number(), named.value) << named.name;
    }
    const JsonValue factored =
        JsonReader::parse(runCli({"--json", "--edition", "2010", "--gamma-0", "1.1", "--gamma-g", "1.35"}).out)
            .at("values");
    EXPECT_DOUBLE_EQ(factored.at("M").number(),
                     1.1 * (1.35 * factored.at("MG").number() + 1.5 * factored.at("MQ").number()));
    // The earth at rest scales the earth and surcharge moments, not the water's.
    const JsonValue active =
        JsonReader::parse(runCli({"--json", "--edition", "2010", "--k0", "0.25"}).out).at("values");
    EXPECT_DOUBLE_EQ(active.at("MQ").number(), values.at("MQ").number() / 2);
    EXPECT_EQ(active.at("MB31").number(), values.at("MB31").number());
}

TEST(cli_edition, BatchTakesTheEditionAndFactorsPerRow) {
    const auto run = runCli({"--batch", "-"}, "edition,concrete,steel,gamma-g,load-factor\n"
                                              "2010,C30,HRB400,,\n"
                                              ",C30,HRB335,,1.2\n"
                                              "2002,C30,HRB400,1.35,\n"
                                              "2010,C30,HRB400,,1.2\n");
    EXPECT_EQ(run.status, 1);
    const auto lines = splitLines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 4u); // the header, two rows and the end
    EXPECT_EQ(lines[1], "2010,C30,HRB400,,,171.729,2471.66,18,3801.327,22,0.199,ok,");
    // An empty edition cell is the 2002 edition, with the 2002 results.
    const auto alone = runCli({"--batch", "-"}, "concrete,steel,load-factor\nC30,HRB335,1.2\n");
    EXPECT_EQ(lines[2], ",C30,HRB335,," + splitLines(alone.out, "\r\n")[1].substr(std::string("C30,HRB335,").size()));
    EXPECT_THAT(run.err, HasSubstr("line 4: --gamma-g is a load factor of GB 50010-2010"));
    EXPECT_THAT(run.err, HasSubstr("line 5: --load-factor is the single factor of GB 50010-2002"));
}

} // namespace
} // namespace rampwall::cli
