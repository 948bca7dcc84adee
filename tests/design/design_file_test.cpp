#include "cli/options.h"
#include "design/design_file.h"
#include "design/file_io.h"
#include "support/editions.h"
#include "support/write_targets.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rampwall::design {
namespace {

namespace fs = std::filesystem;

DesignFile defaults() { return startupDesign("2024-05-06"); }

// Every box and list with a text that is easy to spoil on the way through.
DesignFile awkwardDesign() {
    DesignFile design = defaults();
    const char* const texts[] = {" 0 ",  "－０．５", "-1e0", "",   "３５０", "1.2E+00",
                                 "5\t0", "\"18\"",   "a\\b", "十", "."};
    for (std::size_t i = 0; i < kBoxInputCount; ++i) {
        design.inputs[i].text = texts[i];
    }
    design.inputs[11] = {"C30", false};
    design.inputs[12] = {"Ⅰ级(HPB235)", true}; // typed, so nothing is selected
    design.inputs[13] = {"", true};
    design.project = {"地下车库", "坡道 WQ-1", "张 三", "", "\u0001", "下周"};
    return design;
}

std::string withHeader(const std::string& rest) { return R"({"format": "rampwall-design", "version": 1)" + rest + "}"; }

TEST(design_file, SaveThenOpenGivesBackEveryInputExactly) {
    const DesignFile design = awkwardDesign();
    const std::string text = serialize(design);
    const ParseResult read = parse(text, startupDesign("other day"));
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, design);
    EXPECT_TRUE(read.notes.empty());
    EXPECT_EQ(serialize(*read.design), text);
}

TEST(design_file, MissingKeysKeepTheStartUpValues) {
    ParseResult read = parse(withHeader(""), defaults());
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, defaults());

    read = parse(withHeader(R"(, "inputs": {"h5": "400", "case": "情况B"}, "project": {"checker": "李"})"), defaults());
    ASSERT_TRUE(read.design) << read.error;
    DesignFile expected = defaults();
    expected.inputs[4].text = "400";
    expected.inputs[13].text = "情况B";
    expected.project.checker = "李";
    EXPECT_EQ(*read.design, expected);
}

TEST(design_file, LaterVersionOpensWithItsKnownKeysAndANote) {
    const ParseResult read = parse(R"({"format": "rampwall-design", "version": 3, "colour": "red",
        "inputs": {"h1": "2", "h9": "1", "steel": {"text": "x", "font": 1}}, "code": "2010"})",
                                   defaults());
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(read.design->inputs[0].text, "2");
    EXPECT_EQ(read.design->inputs[12], (InputValue{"x", true}));
    EXPECT_EQ(read.design->codeEdition, "2010");
    ASSERT_EQ(read.notes.size(), 2U);
    EXPECT_NE(read.notes[0].find("版本是 3"), std::string::npos);
    for (const char* key : {"“colour”", "“inputs”中的“h9”", "“inputs.steel”中的“font”"}) {
        EXPECT_NE(read.notes[1].find(key), std::string::npos) << key;
    }
}

struct BadFile {
    const char* name;
    std::string text;
    const char* fault; // a part of the error that names what is wrong
};

void PrintTo(const BadFile& row, std::ostream* out) { *out << row.name; }

class bad_design_file : public ::testing::TestWithParam<BadFile> {};

TEST_P(bad_design_file, GivesNoDesignAndNamesTheFault) {
    const ParseResult read = parse(GetParam().text, defaults());
    EXPECT_FALSE(read.design);
    EXPECT_NE(read.error.find(GetParam().fault), std::string::npos) << read.error;
}

INSTANTIATE_TEST_SUITE_P(
    cases, bad_design_file,
    ::testing::Values(
        BadFile{"empty", " \n", "文件是空的"},
        BadFile{"not_json", "{\"format\": \"rampwall-design\",\n  \"version\" 1}", "第 2 行第 13 列"},
        BadFile{"not_utf8", "{\"format\": \"\xC0\xAF\"}", "不是 UTF-8"}, BadFile{"an_array", "[1, 2]", "文件中是数组"},
        BadFile{"no_format", R"({"version": 1})", "缺少格式名"},
        BadFile{"other_format", R"({"format": "geojson", "version": 1})", "格式名是“geojson”"},
        BadFile{"no_version", R"({"format": "rampwall-design"})", "缺少格式版本"},
        BadFile{"version_zero", R"({"format": "rampwall-design", "version": 0})", "文件中是0"},
        BadFile{"version_text", R"({"format": "rampwall-design", "version": "1"})", "文件中是文字"},
        BadFile{"inputs_not_object", withHeader(R"(, "inputs": [])"), "“inputs”应为对象"},
        BadFile{"box_as_number", withHeader(R"(, "inputs": {"h5": 350})"), "“inputs”中的“h5”应为带引号的文字"},
        BadFile{"unknown_entry", withHeader(R"(, "inputs": {"concrete": "C90"})"), "没有“C90”这一项"},
        BadFile{"list_as_null", withHeader(R"(, "inputs": {"case": null})"), "文件中是空值"},
        BadFile{"free_text_number", withHeader(R"(, "inputs": {"case": {"text": 1}})"), "“text”应为"},
        BadFile{"project_number", withHeader(R"(, "project": {"date": 20240506})"), "“project”中的“date”"},
        BadFile{"code_as_bool", withHeader(R"(, "code": true)"), "“code”应为带引号的文字"},
        BadFile{"code_unknown", withHeader(R"(, "code": "2015")"), "“code”应为“2002”或“2010”"},
        BadFile{"steel_of_2010_in_2002", withHeader(R"(, "inputs": {"steel": "HRB500"})"), "没有“HRB500”这一项"},
        BadFile{"factor_out_of_range", withHeader(R"(, "load-factors": {"psi-q": 1.5})"), "准永久值系数ψq"},
        BadFile{"factor_as_text", withHeader(R"(, "load-factors": {"gamma-g": "1.3"})"), "“gamma-g”应为数字"},
        BadFile{"ramp_not_object", withHeader(R"(, "ramp": "60")"), "“ramp”应为对象"},
        BadFile{"ramp_length_number", withHeader(R"(, "ramp": {"length": 60})"), "“ramp”中的“length”应为带引号的文字"},
        BadFile{"too_deep", withHeader(R"(, "x": [[[[[[[[[[1]]]]]]]]]])"), "嵌套过深"},
        BadFile{"several_megabytes", withHeader(", \"x\": \"" + std::string(5'000'000, 'a') + "\""), "上限"},
        // Valid JSON, then what the library would take for the end of the text.
        BadFile{"nul_then_garbage", withHeader("") + std::string("\0garbage", 8), "空字符（第 1 行第 44 列）"},
        BadFile{"text_after_the_value", withHeader("") + "\n{}", "第 2 行第 1 列有误"},
        BadFile{"format_twice", R"({"format": "other", "format": "rampwall-design", "version": 1})",
                "“format”出现了两次"},
        BadFile{"box_twice", withHeader(R"(, "inputs": {"h5": "300", "h5": "350"})"), "“inputs”中的“h5”出现了两次"},
        BadFile{"free_text_twice", withHeader(R"(, "inputs": {"steel": {"text": "a", "text": "b"}})"),
                "“inputs.steel”中的“text”出现了两次"},
        BadFile{"number_beyond_a_double", R"({"format": "rampwall-design", "version": 1e999})",
                "数“1e999”超出了数的范围（第 1 行第 42 列）"},
        BadFile{"four_hundred_digits", withHeader(",\n\"x\": " + std::string(400, '9')),
                "超出了数的范围（第 2 行第 6 列）"},
        BadFile{"version_beyond_whole_numbers", R"({"format": "rampwall-design", "version": 99999999999999999999999})",
                "文件中是99999999999999999999999"},
        BadFile{"version_with_a_fraction", R"({"format": "rampwall-design", "version": 1.50})", "文件中是1.50"},
        BadFile{"one_byte_too_many", std::string(kMaxFileBytes + 1, ' '),
                "4,194,305 字节，超出了设计文件的上限 4,194,304 字节"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

// A ramp keeps its texts exactly; a file without one is a single section,
// whatever the defaults held, and a ramp key left out keeps the start-up one.
TEST(design_file, RampRoundTripsAndIsOptional) {
    DesignFile design = awkwardDesign();
    design.ramp = ramp::RampInput{" 60 ", "－０．５", "", "12", "100，150 200"};
    const ParseResult read = parse(serialize(design), defaults());
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, design);
    EXPECT_TRUE(read.notes.empty());

    DesignFile withRamp = defaults();
    withRamp.ramp = ramp::startupRamp();
    const ParseResult single = parse(withHeader(""), withRamp);
    ASSERT_TRUE(single.design) << single.error;
    EXPECT_FALSE(single.design->ramp);

    const ParseResult partial = parse(withHeader(R"(, "ramp": {"length": "45", "colour": 1})"), defaults());
    ASSERT_TRUE(partial.design) << partial.error;
    ramp::RampInput expected = ramp::startupRamp();
    expected.length = "45";
    EXPECT_EQ(partial.design->ramp, expected);
    ASSERT_EQ(partial.notes.size(), 1U);
    EXPECT_NE(partial.notes[0].find("“ramp”中的“colour”"), std::string::npos) << partial.notes[0];
}

// A 2010 design keeps its edition, its own steel grade and its factors; the
// default factors are not written, so a 2002 design reads as before.
TEST(design_file, EditionAndFactorsRoundTrip) {
    DesignFile design = startupDesign("2024-05-06");
    EXPECT_EQ(serialize(design).find("load-factors"), std::string::npos);
    design.codeEdition = "2010";
    design.inputs[12].text = "HRB500";
    design.factors = testing_support::factorsOf(
        {{"gamma-0", 1.1}, {"gamma-g", 1.35}, {"gamma-q", 1.5}, {"gamma-l", 1.0}, {"psi-q", 0.5}});
    const ParseResult read = parse(serialize(design), startupDesign(""));
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, design);
    EXPECT_EQ(&editionOf(*read.design), &testing_support::edition2010());
}

// A file that names no edition is a 2002 design, also when the window that
// opens it is in 2010; a key it leaves out takes the start-up value as the
// file's own edition lists it.
TEST(design_file, NoEditionIsTheOlderEditionWhateverTheDefaults) {
    DesignFile defaults2010 = startupDesign("");
    defaults2010.codeEdition = "2010";
    defaults2010.inputs[12].text = "HPB300";
    const struct {
        std::string_view file;
        std::string_view edition;
        std::string_view steel;
    } cases[] = {
        {R"({"format": "rampwall-design", "version": 1})", "2002", "Ⅰ级(HPB235)"},
        {R"({"format": "rampwall-design", "version": 1, "inputs": {"h1": "1"}})", "2002", "Ⅰ级(HPB235)"},
        {R"({"format": "rampwall-design", "version": 1, "code": "2010"})", "2010", "HPB300"},
    };
    for (const auto& c : cases) {
        const ParseResult read = parse(c.file, defaults2010);
        ASSERT_TRUE(read.design) << c.file << ": " << read.error;
        EXPECT_EQ(editionOf(*read.design).key(), c.edition) << c.file;
        EXPECT_EQ(read.design->inputs[12].text, c.steel) << c.file;
    }
    const ParseResult from2002 =
        parse(R"({"format": "rampwall-design", "version": 1, "code": "2010"})", startupDesign(""));
    ASSERT_TRUE(from2002.design);
    EXPECT_EQ(from2002.design->inputs[12].text, "HPB300");
}

// Every key a design file writes, inputs and factors alike, is an option of
// the command-line tool, so an option, a batch column and a design key name
// the same thing.
TEST(design_file, KeysAreTheCommandLineNames) {
    DesignFile design = startupDesign("");
    design.factors = testing_support::factorsOf({{"gamma-g", 1.35}});
    const std::string text = serialize(design);
    std::vector<std::string> keys;
    for (const std::string_view section : {"\"inputs\": {", "\"load-factors\": {"}) {
        const std::size_t start = text.find(section);
        ASSERT_NE(start, std::string::npos) << section;
        const std::size_t end = text.find('}', start);
        for (std::size_t at = text.find("\n    \"", start); at < end; at = text.find("\n    \"", at + 1)) {
            keys.push_back(text.substr(at + 6, text.find('"', at + 6) - at - 6));
        }
    }
    std::size_t factors = 0;
    for (const CodeEdition* edition : editions()) {
        factors += edition->factors().size();
    }
    EXPECT_EQ(keys.size(), kInputs.size() + factors);
    for (const std::string& key : keys) {
        const std::string option = "--" + key;
        const std::vector<std::string_view> args{option, key == "steel" ? "HRB400" : "1"};
        const auto parsed = cli::parseOptions(args);
        const auto* usage = std::get_if<cli::UsageError>(&parsed);
        EXPECT_TRUE(usage == nullptr || usage->message.find("unknown option") == std::string::npos)
            << key << ": " << usage->message;
    }
}

// A text of n characters, each `unit` (one character in UTF-8).
std::string repeated(std::string_view unit, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += unit;
    }
    return text;
}

// Every box and list full, as far as the window lets them be, and every
// project field too: the window can hold it, so the file must open again.
TEST(design_file, AFullWindowSavesADesignThatOpensAgain) {
    DesignFile design = defaults();
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        design.inputs[i] = {repeated("墙", kMaxBoxCharacters), isListInput(i)};
    }
    for (const ProjectField& field : kProjectFields) {
        design.project.*field.member = repeated("墙", kMaxBoxCharacters);
    }
    const std::string text = serialize(design);
    EXPECT_EQ(saveFault(design, text), "");
    const ParseResult read = parse(text, defaults());
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, design);
}

// Texts whose escapes take six bytes a character can still go past the
// limit; such a design is refused before it is written, naming the text to
// shorten, and anything that is not refused reads back.
TEST(design_file, ADesignTheReaderWouldRefuseIsNotWritten) {
    DesignFile design = defaults();
    for (std::size_t i = 0; i < kBoxInputCount; ++i) {
        design.inputs[i].text = repeated("\x01", 60'000);
    }
    design.project.checker = repeated("\x01", 61'000);
    design.project.approver = repeated("\x01", 60'000);
    const std::string text = serialize(design);
    ASSERT_GT(text.size(), kMaxFileBytes);
    const std::string fault = saveFault(design, text);
    EXPECT_NE(fault.find("“project”中的“checker”"), std::string::npos) << fault.substr(0, 400);
    EXPECT_NE(fault.find("上限 4,194,304 字节"), std::string::npos) << fault.substr(0, 400);

    design.project.approver.clear();
    design.project.checker.clear();
    design.inputs[0].text.clear();
    const std::string fits = serialize(design);
    ASSERT_LE(fits.size(), kMaxFileBytes);
    EXPECT_EQ(saveFault(design, fits), "");
    EXPECT_TRUE(parse(fits, defaults()).design);
}

// A name or text from the file is quoted whole while it is short, and cut
// with "…" when it would bury the message.
TEST(design_file, MessagesQuoteAReadableLengthOfTheFilesTexts) {
    const std::string huge(1'000'000, 'k');
    const std::string digits(300'000, '9');
    const struct {
        const char* name;
        std::string text;
        std::string cut;
    } files[] = {
        {"format name", R"({"format": ")" + huge + R"(", "version": 1})", std::string(40, 'k') + "…"},
        {"key given twice", withHeader(R"(, ")" + huge + R"(": 1, ")" + huge + R"(": 2)"), std::string(40, 'k') + "…"},
        {"entry", withHeader(R"(, "inputs": {"concrete": ")" + huge + R"("})"), std::string(40, 'k') + "…"},
        {"version", R"({"format": "rampwall-design", "version": 0.)" + digits + "}", "0." + std::string(38, '9') + "…"},
    };
    for (const auto& file : files) {
        const ParseResult read = parse(file.text, defaults());
        ASSERT_FALSE(read.design) << file.name;
        EXPECT_LT(read.error.size(), 300U) << file.name << ": " << read.error.substr(0, 400);
        EXPECT_NE(read.error.find(file.cut), std::string::npos) << file.name << ": " << read.error.substr(0, 400);
    }
    std::string manyKeys;
    for (int i = 0; i < 1000; ++i) {
        manyKeys += ", \"key" + std::to_string(i) + "\": 1";
    }
    const ParseResult many = parse(withHeader(manyKeys), defaults());
    ASSERT_TRUE(many.design) << many.error;
    ASSERT_EQ(many.notes.size(), 1U);
    EXPECT_TRUE(many.notes[0].ends_with("”等 1000 项")) << many.notes[0];
    std::size_t named = 0;
    for (std::size_t at = many.notes[0].find("“key"); at != std::string::npos;
         at = many.notes[0].find("“key", at + 1)) {
        ++named;
    }
    EXPECT_EQ(named, 10U) << many.notes[0];
    EXPECT_EQ(shortened("短文字"), "短文字");
    EXPECT_EQ(shortened("坡道外墙", 2), "坡道…");
}

// The size is written in whole bytes, so the page's module writes it as the
// desktop does, and a file just over the limit never reads like the limit.
TEST(design_file, TooLargeFaultWritesTheSizeInBytes) {
    for (const std::uintmax_t size : {kMaxFileBytes + 1, std::size_t{5} << 18, std::size_t{15} << 18,
                                      std::size_t{1'153'434}, std::size_t{1'258'291}, std::size_t{987'654'321}}) {
        std::string digits = std::to_string(size);
        for (std::size_t at = digits.size(); at > 3; at -= 3) {
            digits.insert(at - 3, ",");
        }
        EXPECT_TRUE(tooLargeFault(size).starts_with("文件有 " + digits + " 字节，"))
            << size << ": " << tooLargeFault(size);
        EXPECT_NE(tooLargeFault(size).find("上限 4,194,304 字节"), std::string::npos) << tooLargeFault(size);
    }
}

class design_file_io : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("rampwall-io-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    static void write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }
    static std::string read(const fs::path& file) { return readDesignText(file).text; }

    fs::path m_dir;
};

TEST_F(design_file_io, ReadingNamesWhyAFileCannotBeRead) {
    EXPECT_NE(readDesignText(m_dir / "missing.rampwall").error.find("不存在"), std::string::npos);
    EXPECT_NE(readDesignText(m_dir).error.find("文件夹"), std::string::npos);
    ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    EXPECT_NE(readDesignText(m_dir / "pipe").error.find("不是一个普通文件"), std::string::npos);
    write(m_dir / "big.rampwall", "");
    fs::resize_file(m_dir / "big.rampwall", 5'000'000);
    EXPECT_NE(readDesignText(m_dir / "big.rampwall").error.find("文件有 5,000,000 字节"), std::string::npos);
}

TEST_F(design_file_io, AFileWithoutReadPermissionIsRefused) {
    const fs::path file = m_dir / "secret.rampwall";
    write(file, "{}");
    fs::permissions(file, fs::perms::none);
    fs::permissions(m_dir, fs::perms::all);
    // root reads any file, so the check runs as an ordinary user.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0) {
            ::_exit(3);
        }
        ::_exit(readDesignText(file).error.find("没有读取这个文件的权限") == std::string::npos ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(design_file_io, ReplacingAFileIsAllOrNothing) {
    const fs::path file = m_dir / "wall.rampwall";
    write(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(writeFileAtomically(file, "new design"), "");
    EXPECT_EQ(read(file), "new design");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A disk that fills up half-way through the write.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string error = writeFileAtomically(file, "a design longer than four bytes");
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_NE(error.find("超出了允许的大小"), std::string::npos) << error;
    EXPECT_EQ(read(file), "new design");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1) << "a temporary file is left";

    EXPECT_NE(writeFileAtomically(m_dir, "x").find("文件夹"), std::string::npos);
    EXPECT_NE(writeFileAtomically(m_dir / "no" / "such.rampwall", "x").find("不存在"), std::string::npos);
}

TEST_F(design_file_io, ALinkIsFollowedToTheFileItNames) {
    write(m_dir / "wall.rampwall", "old");
    fs::create_symlink("wall.rampwall", m_dir / "link.rampwall");
    ASSERT_EQ(writeFileAtomically(m_dir / "link.rampwall", "new"), "");
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.rampwall"));
    EXPECT_EQ(read(m_dir / "wall.rampwall"), "new");
    // A link to a name not yet taken makes the file there.
    fs::create_symlink(m_dir / "later.rampwall", m_dir / "ahead.rampwall");
    ASSERT_EQ(writeFileAtomically(m_dir / "ahead.rampwall", "made"), "");
    EXPECT_TRUE(fs::is_symlink(m_dir / "ahead.rampwall"));
    EXPECT_EQ(read(m_dir / "later.rampwall"), "made");
}

using testing_support::AsOrdinaryUser;
using testing_support::WriteTarget;
using testing_support::WriteTargetCase;

class write_target : public ::testing::TestWithParam<WriteTargetCase> {};

TEST_P(write_target, IsLeftAsItWasAndTheMessageNamesTheCause) {
    const WriteTarget target(GetParam().kind, "wall.rampwall");
    if (!target.skipReason().empty()) {
        GTEST_SKIP() << target.skipReason();
    }
    std::string fault;
    {
        std::optional<AsOrdinaryUser> user;
        if (target.needsOrdinaryUser() && !user.emplace().skipReason().empty()) {
            GTEST_SKIP() << user->skipReason();
        }
        fault = writeFileAtomically(target.path(), serialize(defaults()));
    }
    EXPECT_NE(fault.find(GetParam().fault), std::string::npos) << fault;
    EXPECT_EQ(target.changed(), "");
}

INSTANTIATE_TEST_SUITE_P(design_file_io, write_target, ::testing::ValuesIn(testing_support::writeTargetCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace rampwall::design
