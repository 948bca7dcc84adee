#include "cli/options.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <climits>

#include <optional>

namespace rampwall::cli {
namespace {

using testing_support::runCli;

std::variant<Options, UsageError> parse(const std::vector<std::string>& args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    return parseOptions(views);
}

struct TextCase {
    std::string name;
    std::vector<std::string> args;
    Control box;
    std::string expected; // the box text after the options are applied
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const TextCase& row, std::ostream* out) { *out << row.name; }

class option_text : public ::testing::TestWithParam<TextCase> {};

TEST_P(option_text, TypesTheValueExactlyIntoItsBox) {
    const TextCase& row = GetParam();
    const auto parsed = parse(row.args);
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<UsageError>(parsed).message;
    const FormInputs form = std::get<Options>(parsed).inputs.formInputs();
    EXPECT_EQ(form.text(row.box), row.expected);
}

INSTANTIATE_TEST_SUITE_P(cli, option_text,
                         ::testing::ValuesIn(std::vector<TextCase>{
                             {"h3_equals_minus", {"--h3=-1.0"}, Control::Text3, "-1.0"},
                             {"h3_separate_minus", {"--h3", "-1.0"}, Control::Text3, "-1.0"},
                             {"h3_equals_empty", {"--h3="}, Control::Text3, ""},
                             {"h3_separate_empty", {"--h3", ""}, Control::Text3, ""},
                             {"h3_value_looks_like_option", {"--h3", "--h4"}, Control::Text3, "--h4"},
                             {"h3_value_with_equals", {"--h3==2"}, Control::Text3, "=2"},
                             {"h1", {"--h1", "0.5"}, Control::Text1, "0.5"},
                             {"h2", {"--h2", "-0.25"}, Control::Text2, "-0.25"},
                             {"h4_is_Text16", {"--h4", "-6"}, Control::Text16, "-6"},
                             {"h5_is_Text4", {"--h5", "400"}, Control::Text4, "400"},
                             {"cover_is_Text13", {"--cover", "50.1"}, Control::Text13, "50.1"},
                             {"soil_weight_is_Text14", {"--soil-weight", " 18.0 "}, Control::Text14, " 18.0 "},
                             {"surcharge_is_Text15", {"--surcharge", "20"}, Control::Text15, "20"},
                             {"load_factor_is_Text5", {"--load-factor", "1.35"}, Control::Text5, "1.35"},
                             {"spacing_is_Text10", {"--spacing", "150"}, Control::Text10, "150"},
                             {"crack_limit_is_Text8", {"--crack-limit", "0.3"}, Control::Text8, "0.3"},
                             {"unset_keeps_start_up", {"--h1", "1"}, Control::Text3, "-1.0"},
                             {"non_number_kept_as_typed", {"--h5", "abc"}, Control::Text4, "abc"},
                         }),
                         [](const auto& info) { return info.param.name; });

struct ListCase {
    std::string name;
    std::vector<std::string> args;
    Control list;
    int expected; // the selected index
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const ListCase& row, std::ostream* out) { *out << row.name; }

class option_list : public ::testing::TestWithParam<ListCase> {};

TEST_P(option_list, SelectsTheEntry) {
    const ListCase& row = GetParam();
    const auto parsed = parse(row.args);
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<UsageError>(parsed).message;
    const FormInputs form = std::get<Options>(parsed).inputs.formInputs();
    EXPECT_EQ(form.selectedIndex(row.list), row.expected);
}

INSTANTIATE_TEST_SUITE_P(cli, option_list,
                         ::testing::ValuesIn(std::vector<ListCase>{
                             {"concrete_C15", {"--concrete", "C15"}, Control::Combo1, 0},
                             {"concrete_C30", {"--concrete=C30"}, Control::Combo1, 3},
                             {"concrete_C80", {"--concrete", "C80"}, Control::Combo1, 13},
                             {"concrete_lower_c65", {"--concrete", "c65"}, Control::Combo1, 10},
                             {"concrete_index_5", {"--concrete", "5"}, Control::Combo1, 5},
                             {"concrete_index_minus_1", {"--concrete", "-1"}, Control::Combo1, -1},
                             {"concrete_index_out_of_range", {"--concrete", "14"}, Control::Combo1, 14},
                             {"concrete_index_plus_2", {"--concrete", "+2"}, Control::Combo1, 2},
                             {"steel_entry_II", {"--steel", "Ⅱ级(HRB335)"}, Control::Combo2, 1},
                             {"steel_entry_IV", {"--steel", "Ⅳ级(RRB400)"}, Control::Combo2, 3},
                             {"steel_code_HRB400", {"--steel", "HRB400"}, Control::Combo2, 2},
                             {"steel_code_hpb235", {"--steel", "hpb235"}, Control::Combo2, 0},
                             {"steel_index_3", {"--steel", "3"}, Control::Combo2, 3},
                             {"case_A", {"--case", "A"}, Control::Combo3, 0},
                             {"case_b", {"--case", "b"}, Control::Combo3, 1},
                             {"case_entry_B", {"--case", "情况B"}, Control::Combo3, 1},
                             {"case_index_7", {"--case", "7"}, Control::Combo3, 7},
                             {"case_unset_start_up", {"--concrete", "C20"}, Control::Combo3, 0},
                             // An empty list text is the window's list with nothing chosen.
                             {"case_empty", {"--case="}, Control::Combo3, -1},
                             {"concrete_empty", {"--concrete", ""}, Control::Combo1, -1},
                             // Beyond the int range: still a whole number outside the list.
                             {"steel_index_beyond_int", {"--steel", "99999999999"}, Control::Combo2, INT_MAX},
                             {"steel_index_below_int", {"--steel", "-99999999999"}, Control::Combo2, INT_MIN},
                         }),
                         [](const auto& info) { return info.param.name; });

struct UsageCase {
    std::string name;
    std::vector<std::string> args;
    std::string reason; // the start of the message after "rampwall-cli: "
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const UsageCase& row, std::ostream* out) { *out << row.name; }

class usage_error : public ::testing::TestWithParam<UsageCase> {};

TEST_P(usage_error, ExitsWithTwoAndNamesTheProblem) {
    const UsageCase& row = GetParam();
    const auto run = runCli(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("rampwall-cli: " + row.reason)) << run.err;
    EXPECT_NE(run.err.find("usage: rampwall-cli"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    cli, usage_error,
    ::testing::ValuesIn(std::vector<UsageCase>{
        {"unknown_option", {"--h6", "1"}, "unknown option --h6"},
        {"unknown_option_with_value", {"--thickness=350"}, "unknown option --thickness"},
        {"missing_value_last", {"--h5"}, "--h5 needs a value"},
        {"missing_value_batch", {"--batch"}, "--batch needs a value"},
        {"bad_concrete", {"--concrete", "C33"}, "\"C33\" is not an entry of the concrete list"},
        {"bad_steel", {"--steel", "Ⅱ级"}, "\"Ⅱ级\" is not an entry of the steel list"},
        {"bad_case", {"--case", "C"}, "\"C\" is not an entry of the case list"},
        {"given_twice", {"--h1", "0", "--h1=1"}, "--h1 is given twice"},
        {"flag_with_value", {"--json=yes"}, "--json takes no value"},
        {"positional", {"350"}, "unexpected argument \"350\""},
        {"single_dash", {"-json"}, "unexpected argument \"-json\""},
        {"bare_double_dash", {"--"}, "unexpected argument \"--\""},
        {"batch_and_sweep", {"--batch", "-", "--sweep", "h4=-1:-2:-1"}, "--batch and --sweep cannot be combined"},
        {"batch_with_input", {"--batch", "-", "--h5", "300"}, "a batch takes its inputs"},
        {"batch_with_json", {"--batch", "-", "--json"}, "--json is for a single design"},
        {"sweep_with_json", {"--json", "--sweep", "h4=-1:-2:-1"}, "--json is for a single design"},
        {"sweep_input_also_given", {"--h4", "-3", "--sweep", "h4=-1:-2:-1"}, "--h4 is also the swept input"},
        {"sheets_alone", {"--sheets", "out"}, "--sheets needs --batch or --sweep"},
        {"batch_empty_name", {"--batch="}, "--batch needs a file name"},
        {"sweep_step_zero", {"--sweep", "h4=-1:-6:0"}, "--sweep h4=-1:-6:0: the step of a sweep cannot be zero"},
        {"sweep_wrong_sign", {"--sweep=h4=-1:-6:0.5"}, "--sweep h4=-1:-6:0.5: the step of the sweep goes away"},
        {"sweep_of_list", {"--sweep", "concrete=0:3:1"}, "--sweep concrete=0:3:1: cannot sweep \"concrete\""},
    }),
    [](const auto& info) { return info.param.name; });

TEST(cli_options, HelpAndVersionWinOverEverythingAfterThem) {
    const auto help = parse({"--help", "--bogus"});
    ASSERT_TRUE(std::holds_alternative<Options>(help));
    EXPECT_EQ(std::get<Options>(help).mode, Mode::Help);
    const auto shortHelp = parse({"-h"});
    ASSERT_TRUE(std::holds_alternative<Options>(shortHelp));
    EXPECT_EQ(std::get<Options>(shortHelp).mode, Mode::Help);
    const auto version = parse({"--version"});
    ASSERT_TRUE(std::holds_alternative<Options>(version));
    EXPECT_EQ(std::get<Options>(version).mode, Mode::Version);
}

TEST(cli_options, ModesFollowTheirOptions) {
    const auto none = parse({});
    ASSERT_TRUE(std::holds_alternative<Options>(none));
    EXPECT_EQ(std::get<Options>(none).mode, Mode::Design);
    EXPECT_FALSE(std::get<Options>(none).json);

    const auto batch = parse({"--batch", "-", "--sheets", "dir"});
    ASSERT_TRUE(std::holds_alternative<Options>(batch));
    EXPECT_EQ(std::get<Options>(batch).mode, Mode::Batch);
    EXPECT_EQ(std::get<Options>(batch).batchFile, "-");
    EXPECT_EQ(std::get<Options>(batch).sheetsDir, "dir");

    const auto sweep = parse({"--concrete", "C30", "--sweep", "h5=300:400:50"});
    ASSERT_TRUE(std::holds_alternative<Options>(sweep));
    EXPECT_EQ(std::get<Options>(sweep).mode, Mode::Sweep);
    EXPECT_EQ(std::get<Options>(sweep).sweep.count, 3u);
    EXPECT_TRUE(std::get<Options>(sweep).inputs.isSet(*inputByKey("concrete")));
}

} // namespace
} // namespace rampwall::cli
