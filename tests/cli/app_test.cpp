// Whole designs through the tool, as --json prints them: each worked example
// must come out to the character, and as the window itself gives it.
#include "cli_runner.h"
#include "json_reader.h"

#include "calc/calculation_stop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rampwall {
namespace {

using ::testing::ElementsAreArray;
using testing_support::computeInWindow;
using testing_support::JsonReader;
using testing_support::JsonValue;
using testing_support::runCli;
using testing_support::splitLines;
using testing_support::WindowInputs;

struct WorkedExample {
    std::string name;
    std::vector<std::string> args;
    WindowInputs window; // the same design typed into the window
    int status;
    std::vector<std::string> messages;                      // texts, in order
    std::vector<std::pair<std::string, std::string>> boxes; // the first boxes written, in order
    std::size_t boxesWritten;                               // all of them, the sheet included
    std::size_t sheetLines;                                 // 0: no sheet written
    std::map<std::size_t, std::string> sheetLineEnds;       // line number from 1 -> how it ends
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const WorkedExample& row, std::ostream* out) { *out << row.name; }

const std::string kMomentMessage(kMomentTooLargeMessage);
const std::string kBarMessage(kNoBarMessage);
const std::string kElevation(kElevationMessage);

std::vector<WorkedExample> workedExamples() {
    return {
        {"StartUp",
         {},
         {},
         0,
         {},
         {{"Text6", "144.166"},
          {"Text7", "3260.572"},
          {"Text19", "22"},
          {"Text9", "4154.756"},
          {"Text11", "0.202"},
          {"Text18", "23"}},
         7,
         37,
         {{3, " a=h3-h4=-1.0- -4.5=3.5(m)"},
          {17, "MB =η * MBk=1.2*144.166=172.999 (kNm)"},
          {22, "=7.2*1000*300*0.317/210=3260.572(mm2)"},
          {24, "：22@ 100  (mm)"},
          {30, "(1.9*50+0.08*23/0.024)=0.202(mm)"},
          {32, "：23@ 100  (mm)"}}},
        {"C30_HRB335",
         {"--concrete", "C30", "--steel", "Ⅱ级(HRB335)"},
         {{}, {{Control::Combo1, 3}, {Control::Combo2, 1}}},
         0,
         {},
         {{"Text6", "144.166"}, {"Text7", "2059.2"}, {"Text19", "18"}},
         7,
         37,
         {{20, ")=0.134"}, {21, ")^0.5=0.144"}, {24, "：18@ 100  (mm)"}}},
        {"h5_150",
         {"--h5", "150"},
         {{{Control::Text4, "150"}}, {}},
         3,
         {kMomentMessage},
         {{"Text6", "144.166"}, {"Text7", "3428.571"}, {"Text19", "22"}},
         7,
         37,
         {{21, ")^0.5=1"}}},
        {"spacing_200",
         {"--spacing=200"},
         {{{Control::Text10, "200"}}, {}},
         1,
         {kBarMessage},
         {{"Text6", "144.166"}, {"Text7", "3260.572"}, {"Text19", "太大了"}},
         3,
         0,
         {}},
        {"CaseB_h3_minus5_C25_HRB335",
         {"--case", "B", "--h3", "-5.0", "--concrete", "C25", "--steel", "HRB335"},
         {{{Control::Text3, "-5.0"}}, {{Control::Combo3, 1}, {Control::Combo1, 2}, {Control::Combo2, 1}}},
         0,
         {},
         {{"Text6", "136"},
          {"Text7", "1975.4"},
          {"Text19", "16"},
          {"Text9", "3463.606"},
          {"Text11", "0.202"},
          {"Text18", "21"}},
         7,
         29,
         {{3, "=0.5*18*(-0.5- -4.5)=36(kN/m)"}}},
        // The start-up elevations put the water above the base, which Case B refuses.
        {"CaseB_startup_elevations", {"--case=情况B"}, {{}, {{Control::Combo3, 1}}}, 1, {kElevation}, {}, 0, 0, {}},
        {"no_load_case", {"--case", "-1"}, {{}, {{Control::Combo3, -1}}}, 1, {}, {}, 0, 0, {}},
    };
}

class worked_example : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(worked_example, JsonGivesTheExampleExactly) {
    const WorkedExample& example = GetParam();
    std::vector<std::string> args = example.args;
    args.insert(args.begin(), "--json");
    const auto run = runCli(args);
    EXPECT_EQ(run.status, example.status);
    EXPECT_EQ(run.err, "");

    ASSERT_TRUE(run.out.ends_with("}\n"));
    const JsonValue json = JsonReader::parse(run.out);
    // A design whose check fails (3) completed all the same.
    EXPECT_EQ(json.at("completed").boolean(), example.status == 0 || example.status == 3);

    std::vector<std::string> messages;
    for (const JsonValue& message : json.at("messages").array()) {
        EXPECT_EQ(message.at("title").string(), kNoticeTitle);
        messages.push_back(message.at("text").string());
    }
    EXPECT_THAT(messages, ElementsAreArray(example.messages));

    const auto& written = json.at("boxes").object();
    ASSERT_EQ(written.size(), example.boxesWritten);
    std::vector<std::pair<std::string, std::string>> boxes;
    for (std::size_t i = 0; i < example.boxes.size(); ++i) {
        boxes.emplace_back(written[i].first, written[i].second.string());
    }
    EXPECT_THAT(boxes, ElementsAreArray(example.boxes));

    if (example.sheetLines == 0) {
        for (const auto& box : written) {
            EXPECT_NE(box.first, "Text12");
        }
        return;
    }
    // The sheet is written last.
    ASSERT_EQ(written.back().first, "Text12");
    const std::string& sheet = written.back().second.string();
    const std::vector<std::string> lines = splitLines(sheet, "\r\n");
    ASSERT_EQ(lines.size(), example.sheetLines);
    for (const auto& [number, end] : example.sheetLineEnds) {
        EXPECT_TRUE(lines[number - 1].ends_with(end)) << "line " << number << ": " << lines[number - 1];
    }
    // The sheet's line breaks are CR LF and escaped as such, never raw.
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_NE(run.out.find("\\r\\n"), std::string::npos);
}

TEST_P(worked_example, JsonReproducesTheWindow) {
    const WorkedExample& example = GetParam();
    std::vector<std::string> args = example.args;
    args.insert(args.begin(), "--json");
    const JsonValue json = JsonReader::parse(runCli(args).out);

    const auto window = computeInWindow(example.window);
    EXPECT_EQ(json.at("completed").boolean(), window.outcome == RunOutcome::Completed);
    std::vector<std::pair<std::string, std::string>> expectedBoxes;
    std::vector<std::pair<std::string, std::string>> expectedMessages;
    for (const WindowEvent& event : window.events) {
        if (event.kind == WindowEvent::Kind::Write) {
            expectedBoxes.emplace_back(controlName(event.box), event.text);
        } else {
            expectedMessages.emplace_back(event.title, event.text);
        }
    }
    std::vector<std::pair<std::string, std::string>> boxes;
    for (const auto& [name, text] : json.at("boxes").object()) {
        boxes.emplace_back(name, text.string());
    }
    std::vector<std::pair<std::string, std::string>> messages;
    for (const JsonValue& message : json.at("messages").array()) {
        messages.emplace_back(message.at("title").string(), message.at("text").string());
    }
    EXPECT_EQ(boxes, expectedBoxes);
    EXPECT_EQ(messages, expectedMessages);
}

INSTANTIATE_TEST_SUITE_P(cli, worked_example, ::testing::ValuesIn(workedExamples()),
                         [](const auto& info) { return info.param.name; });

TEST(cli_json, NonNumericInputStopsWithTheWindowsMessage) {
    const auto run = runCli({"--json", "--h3", "abc"});
    EXPECT_EQ(run.status, 1);
    const auto window = computeInWindow({{{Control::Text3, "abc"}}, {}});
    ASSERT_EQ(window.events.size(), 1u);
    const JsonValue json = JsonReader::parse(run.out);
    EXPECT_FALSE(json.at("completed").boolean());
    ASSERT_EQ(json.at("messages").array().size(), 1u);
    EXPECT_EQ(json.at("messages").array()[0].at("text").string(), window.events[0].text);
    EXPECT_TRUE(json.at("boxes").object().empty());
}

TEST(cli_json, TypedTextReachesTheSheetEscaped) {
    // The sheet repeats γ as typed; blanks around a number are allowed, and
    // the tab must come out as \t.
    const auto run = runCli({"--json", "--soil-weight", "\t18 "});
    ASSERT_EQ(run.status, 0);
    const JsonValue json = JsonReader::parse(run.out);
    EXPECT_NE(json.at("boxes").at("Text12").string().find("0.5 * \t18 *0.5"), std::string::npos);
    EXPECT_NE(run.out.find("\\t18 "), std::string::npos);
}

TEST(cli_exit, UsageErrorsExitWithTwoAndSayHow) {
    const auto run = runCli({"--bogus"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("rampwall-cli: unknown option --bogus\nusage: rampwall-cli"));
}

struct WriteFailureCase {
    std::string name;
    std::vector<std::string> args;
    std::string input;
};

void PrintTo(const WriteFailureCase& row, std::ostream* out) { *out << row.name; }

class cli_write_failure : public ::testing::TestWithParam<WriteFailureCase> {};

// Standard output that takes nothing, as on a full disk: no run may then
// claim success, however well the design itself went.
TEST_P(cli_write_failure, IsNeverASuccess) {
    const WriteFailureCase& row = GetParam();
    const std::vector<std::string_view> args(row.args.begin(), row.args.end());
    std::istringstream in(row.input);
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(cli::runCli(args, in, out, err), 1);
    EXPECT_THAT(err.str(), ::testing::HasSubstr("rampwall-cli: cannot write the output"));
}

INSTANTIATE_TEST_SUITE_P(cli, cli_write_failure,
                         ::testing::ValuesIn(std::vector<WriteFailureCase>{
                             {"design", {}, ""},
                             {"json", {"--json"}, ""},
                             {"help", {"--help"}, ""},
                             {"batch", {"--batch", "-"}, "h5\n350\n"},
                             {"sweep", {"--sweep", "h5=300:400:50"}, ""},
                         }),
                         [](const auto& info) { return info.param.name; });

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// The program itself under a limit on its memory: whatever the input, it
// ends with a message and a status, never an abort.
struct MemoryCase {
    std::string name;
    std::string args;
    int megabytes; // the limit on the program's data
    std::string error;
};

void PrintTo(const MemoryCase& row, std::ostream* out) { *out << row.name; }

class cli_memory : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(cli_memory, EndsWithAMessageAndAStatus) {
    if (kAddressSanitizer) {
        GTEST_SKIP() << "AddressSanitizer needs more address space than a limit on the data allows";
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("rampwall-memory-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        // A design file within the size limit whose document needs far more
        // memory than its bytes: two million numbers.
        std::ofstream design(dir / "numbers.rampwall", std::ios::binary);
        design << "{\"format\": \"rampwall-design\", \"version\": 1, \"x\": [0";
        for (int i = 1; i < 2'000'000; ++i) {
            design << ",0";
        }
        design << "]}";
    }
    const std::string command = "cd " + dir.string() +
                                " && prlimit --data=" + std::to_string(GetParam().megabytes << 20) +
                                " " RAMPWALL_CLI " " + GetParam().args + " >/dev/null 2>err.txt";
    const int status = std::system(command.c_str());
    std::ifstream errFile(dir / "err.txt");
    const std::string err{std::istreambuf_iterator<char>(errFile), {}};
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << ": " << err;
    EXPECT_EQ(WEXITSTATUS(status), 1) << err;
    EXPECT_THAT(err, ::testing::HasSubstr(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(cli, cli_memory,
                         ::testing::ValuesIn(std::vector<MemoryCase>{
                             {"batch_without_line_ends", "--batch /dev/zero", 256,
                              "第 1 行：这一行超过了 1048576 字节"},
                             {"design_larger_than_memory", "--design numbers.rampwall", 16, "内存不足"},
                         }),
                         [](const auto& info) { return info.param.name; });

TEST(cli_help, DocumentsEveryOptionWithItsUnit) {
    const auto run = runCli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const std::string option :
         {"--h1 VALUE", "--h2 VALUE", "--h3 VALUE", "--h4 VALUE", "--h5 VALUE", "--cover VALUE", "--soil-weight VALUE",
          "--surcharge VALUE", "--load-factor VALUE", "--spacing VALUE", "--crack-limit VALUE", "--concrete ENTRY",
          "--steel ENTRY", "--case ENTRY", "--json", "--batch FILE", "--sweep NAME=START:STOP:STEP", "--sheets DIR",
          "--version"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
    for (const std::string unit : {"(m)", "(mm)", "(kN/m3)", "(kN/m2)", "(no unit)"}) {
        EXPECT_NE(run.out.find(unit), std::string::npos) << unit;
    }
}

TEST(cli_version, PrintsTheProgramAndItsVersion) {
    const auto run = runCli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, ::testing::MatchesRegex("rampwall-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"));
}

} // namespace
} // namespace rampwall
