#include "cli_runner.h"
#include "csv.h"
#include "json_reader.h"

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
    std::vector<std::string> args;  // beside --edition 2010 --concrete C30 --steel HRB400
    std::vector<std::string> boxes; // Text7, Text19, Text18; empty when the run stops
    std::string message;            // a part of the one message, or empty
};

void PrintTo(const Example2010& row, std::ostream* out) { *out << row.name; }

class example_2010 : public ::testing::TestWithParam<Example2010> {};

TEST_P(example_2010, GivesTheBarsOfTheWorkedExample) {
    const Example2010& row = GetParam();
    std::vector<std::string> args = {"--json", "--edition", "2010", "--concrete", "C30", "--steel", "HRB400"};
    for (std::size_t i = 0; i < row.args.size(); i += 2) {
        // A later list choice replaces the default one rather than repeat it.
        const auto same = std::find(args.begin(), args.end(), row.args[i]);
        if (same != args.end()) {
            *(same + 1) = row.args[i + 1];
        } else {
            args.insert(args.end(), {row.args[i], row.args[i + 1]});
        }
    }
    const auto run = runCli(args);
    const JsonValue json = JsonReader::parse(run.out);
    EXPECT_EQ(run.status, row.boxes.empty() ? 1 : 0);
    if (!row.boxes.empty()) {
        EXPECT_EQ(json.at("boxes").at("Text7").string(), row.boxes[0]);
        EXPECT_EQ(json.at("boxes").at("Text19").string(), row.boxes[1]);
        EXPECT_EQ(json.at("boxes").at("Text18").string(), row.boxes[2]);
    }
    if (row.message.empty()) {
        EXPECT_TRUE(json.at("messages").array().empty());
    } else {
        ASSERT_EQ(json.at("messages").array().size(), 1u);
        EXPECT_THAT(json.at("messages").array()[0].at("text").string(), HasSubstr(row.message));
    }
}

INSTANTIATE_TEST_SUITE_P(cli, example_2010,
                         ::testing::ValuesIn(std::vector<Example2010>{
                             {"StartUp", {}, {"1972.694", "16", "19"}, ""},
                             {"C15_HPB300", {"--concrete", "C15", "--steel", "HPB300"}, {"2960.24", "20", "22"}, ""},
                             {"CaseB", {"--case", "B", "--h3", "-5.0"}, {"1855.58", "16", "19"}, ""},
                             {"MinimumGoverns", {"--h4", "-2.0", "--h5", "500"}, {"1000", "12", "12"}, ""},
                             {"CoverClamped", {"--cover", "70", "--h5", "400"}, {"1763.553", "16", "19"}, ""},
                             {"XiBeyondXiB",
                              {"--concrete", "C15", "--steel", "HRB500", "--h4", "-5.0"},
                              {},
                              "ξ=0.6158大于界限相对受压区高度ξb=0.4822"},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST(cli_edition, StartUpDesignShowsTheCrackBoxes) {
    const auto run = runCli({"--json", "--edition=2010", "--concrete", "C30", "--steel", "hrb400"});
    const JsonValue boxes = JsonReader::parse(run.out).at("boxes");
    EXPECT_EQ(boxes.at("Text9").string(), "2835.287");
    EXPECT_EQ(boxes.at("Text11").string(), "0.197");
}

TEST(cli_edition, OptionsThatDoNotFitAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--edition", "2010", "--load-factor", "1.2"}, "--gamma-0, --gamma-g, --gamma-q, --gamma-l and --psi-q"},
        {{"--edition", "2010", "--sweep", "load-factor=1:2:1"}, "--load-factor"},
        {{"--gamma-g", "1.35"}, "--gamma-g is a load factor of GB 50010-2010"},
        {{"--edition", "2010", "--gamma-q", "0"}, "--gamma-q: “可变荷载分项系数γQ”必须大于0且不大于10"},
        {{"--edition", "2010", "--gamma-0", "10.5"}, "--gamma-0: “结构重要性系数γ0”必须大于0"},
        {{"--edition", "2010", "--psi-q", "1.01"}, "--psi-q: “准永久值系数ψq”必须在0到1之间"},
        {{"--edition", "2010", "--gamma-l", "1,1"}, "--gamma-l: “设计使用年限调整系数γL”必须是数字"},
        {{"--edition", "2011"}, "--edition: \"2011\" is no edition"},
        {{"--steel", "HRB500"}, "\"HRB500\" is not in the steel list of GB 50010-2002"},
        {{"--edition", "2010", "--steel", "HPB235"}, "\"HPB235\" is not in the steel list of GB 50010-2010"},
        {{"--edition", "2010", "--batch", "-"}, "a batch takes its inputs from the file's columns"},
    };
    for (const auto& [args, message] : cases) {
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_THAT(run.err, HasSubstr(message)) << args[1];
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(cli_edition, JsonValuesAreExactAndFollowTheFactors) {
    for (const std::string edition : {"2002", "2010"}) {
        const auto run = runCli({"--json", "--edition", edition});
        EXPECT_EQ(JsonReader::parse(run.out).at("values").at("MB42").number(), 40) << edition;
    }
    const auto run = runCli({"--json", "--edition", "2010", "--concrete", "C30", "--steel", "HRB400"});
    const JsonValue values = JsonReader::parse(run.out).at("values");
    EXPECT_NEAR(values.at("M").number(), 195.417, 5e-4);
    // Read back, the printed numbers are the run's own to the last bit.
    HeadlessWindow window(Edition::GB50010_2010);
    window.setSelectedIndex(Control::Combo1, 3);
    window.setSelectedIndex(Control::Combo2, 2);
    DesignState state;
    COMPUTE(state, window, {.edition = Edition::GB50010_2010, .namedValues = true});
    ASSERT_EQ(values.object().size(), state.values.size());
    for (const NamedValue& named : state.values) {
        EXPECT_EQ(values.at(named.name).number(), named.value) << named.name;
    }
    const auto factored = runCli({"--json", "--edition", "2010", "--gamma-0", "1.1", "--gamma-g", "1.35"});
    const JsonValue moments = JsonReader::parse(factored.out).at("values");
    EXPECT_DOUBLE_EQ(moments.at("M").number(),
                     1.1 * (1.35 * moments.at("MG").number() + 1.5 * moments.at("MQ").number()));
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
    EXPECT_EQ(lines[1], "2010,C30,HRB400,,,144.167,1972.694,16,2835.287,19,0.197,ok,");
    const auto alone = runCli({"--batch", "-"}, "concrete,steel,load-factor\nC30,HRB335,1.2\n");
    // An empty edition cell is the 2002 edition, with the 2002 results.
    EXPECT_EQ(lines[2], ",C30,HRB335,," + splitLines(alone.out, "\r\n")[1].substr(std::string("C30,HRB335,").size()));
    EXPECT_THAT(run.err, HasSubstr("line 4: --gamma-g is a load factor of GB 50010-2010"));
    EXPECT_THAT(run.err, HasSubstr("line 5: --load-factor is the single factor of GB 50010-2002"));
}

} // namespace
} // namespace rampwall::cli
