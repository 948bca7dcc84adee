#include "design_file.h"
#include "file_io.h"
#include "inputs.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
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
        BadFile{"too_deep", withHeader(R"(, "x": [[[[[[[[[[1]]]]]]]]]])"), "嵌套过深"},
        BadFile{"several_megabytes", withHeader(", \"x\": \"" + std::string(3'000'000, 'a') + "\""), "太大"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

// A 2010 design keeps its edition, its own steel grade and its factors; the
// default factors are not written, so a 2002 design reads as before.
TEST(design_file, EditionAndFactorsRoundTrip) {
    DesignFile design = startupDesign("2024-05-06");
    EXPECT_EQ(serialize(design).find("load-factors"), std::string::npos);
    design.codeEdition = "2010";
    design.inputs[12].text = "HRB500";
    design.factors = {1.1, 1.35, 1.5, 1.0, 0.5};
    const ParseResult read = parse(serialize(design), startupDesign(""));
    ASSERT_TRUE(read.design) << read.error;
    EXPECT_EQ(*read.design, design);
    EXPECT_EQ(editionOf(*read.design), Edition::GB50010_2010);
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
        Edition edition;
        std::string_view steel;
    } cases[] = {
        {R"({"format": "rampwall-design", "version": 1})", Edition::GB50010_2002, "Ⅰ级(HPB235)"},
        {R"({"format": "rampwall-design", "version": 1, "inputs": {"h1": "1"}})", Edition::GB50010_2002, "Ⅰ级(HPB235)"},
        {R"({"format": "rampwall-design", "version": 1, "code": "2010"})", Edition::GB50010_2010, "HPB300"},
    };
    for (const auto& c : cases) {
        const ParseResult read = parse(c.file, defaults2010);
        ASSERT_TRUE(read.design) << c.file << ": " << read.error;
        EXPECT_EQ(editionOf(*read.design), c.edition) << c.file;
        EXPECT_EQ(read.design->inputs[12].text, c.steel) << c.file;
    }
    const ParseResult from2002 =
        parse(R"({"format": "rampwall-design", "version": 1, "code": "2010"})", startupDesign(""));
    ASSERT_TRUE(from2002.design);
    EXPECT_EQ(from2002.design->inputs[12].text, "HPB300");
}

// The file's keys are the command-line tool's option names, so a batch column,
// an option and a design key name an input alike.
TEST(design_file, KeysAreTheCommandLineNames) {
    for (std::size_t i = 0; i < kDesignInputs.size(); ++i) {
        EXPECT_EQ(kDesignInputs[i].key, cli::kInputOptions[i].name);
        EXPECT_EQ(kDesignInputs[i].control, cli::kInputOptions[i].control);
    }
}

// The size is written with whole numbers, so the page's module writes it as
// the desktop does; printf rounds the exact quotient half to even.
TEST(design_file, TooLargeFaultWritesTheSizeAsPrintfDoes) {
    for (const std::uintmax_t size : {kMaxFileBytes + 1, std::size_t{5} << 18, std::size_t{15} << 18,
                                      std::size_t{1'153'434}, std::size_t{1'258'291}, std::size_t{987'654'321}}) {
        char megabytes[32];
        std::snprintf(megabytes, sizeof megabytes, "文件有 %.1f MB，", static_cast<double>(size) / (1 << 20));
        EXPECT_TRUE(tooLargeFault(size).starts_with(megabytes)) << size << ": " << tooLargeFault(size);
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
    EXPECT_NE(readDesignText(m_dir / "big.rampwall").error.find("文件有 4.8 MB"), std::string::npos);
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

} // namespace
} // namespace rampwall::design
