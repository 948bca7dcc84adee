// Design files and calculation books through the tool: what is read, what is
// written, and that a fault leaves no file behind.
#include "cli/design_run.h"
#include "cli_runner.h"
#include "design/design_file.h"
#include "support/write_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace rampwall {
namespace {

namespace fs = std::filesystem;
using testing_support::runCli;

class DesignBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("rampwall-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }

    fs::path m_dir;
};

TEST_F(DesignBookTest, DesignFileGivesTheSameRunAsItsOptionsAndOptionsOverrideIt) {
    // The 2010 design also carries its edition, its steel list and its factors.
    const std::vector<std::vector<std::string>> designs{
        {"--surcharge", "15", "--steel", "HRB335", "--concrete", "C30"},
        {"--edition", "2010", "--steel", "HRB400", "--concrete", "C30", "--gamma-g", "1.35", "--psi-q", "0.5"},
    };
    for (const std::vector<std::string>& typed : designs) {
        SCOPED_TRACE(typed[1]);
        std::vector<std::string> save = typed;
        save.insert(save.end(), {"--json", "--save-design", path("d.rampwall")});
        const auto saved = runCli(save);
        ASSERT_EQ(saved.status, 0) << saved.err;

        const auto opened = runCli({"--json", "--design", path("d.rampwall")});
        EXPECT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(opened.out, saved.out);

        std::vector<std::string> overridden = typed;
        overridden.insert(overridden.end(), {"--json", "--h5", "400"});
        const auto withOverride = runCli({"--json", "--design", path("d.rampwall"), "--h5", "400"});
        EXPECT_EQ(withOverride.out, runCli(overridden).out);
        EXPECT_NE(withOverride.out, saved.out);

        // Saving what was opened gives the same file back.
        ASSERT_EQ(runCli({"--design", path("d.rampwall"), "--save-design", path("e.rampwall")}).status, 0);
        std::ifstream first(path("d.rampwall")), second(path("e.rampwall"));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}),
                  std::string(std::istreambuf_iterator<char>(second), {}));
    }
}

TEST_F(DesignBookTest, BadDesignFilesStopWithOneMessageNamingTheFile) {
    const std::string head = R"({"format": "rampwall-design", "version": 1, )";
    struct Row {
        std::string name;
        std::string text; // empty: written as a folder
        std::string fault;
    };
    const std::vector<Row> rows = {
        {"not-json.rampwall", "h5=350", "JSON"},
        {"other.rampwall", R"({"format": "something-else"})", "rampwall-design"},
        {"type.rampwall", head + R"("inputs": {"h5": 350}})", "h5"},
        {"entry.rampwall", head + R"("inputs": {"concrete": "C99"}})", "C99"},
        {"big.rampwall", std::string(5 * 1024 * 1024, ' '), "上限"},
        {"folder.rampwall", "", ""},
    };
    for (const Row& row : rows) {
        if (row.text.empty()) {
            fs::create_directories(m_dir / row.name);
        } else {
            write(row.name, row.text);
        }
        const auto run = runCli({"--design", path(row.name), "--h5", "300"});
        EXPECT_EQ(run.status, 2) << row.name;
        EXPECT_TRUE(run.out.empty()) << row.name;
        EXPECT_NE(run.err.find(row.name), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(row.fault), std::string::npos) << run.err;
    }
    // A later version's unknown key is a note; the design still runs.
    write("later.rampwall", R"({"format": "rampwall-design", "version": 7, "colour": "red"})");
    const auto later = runCli({"--design", path("later.rampwall")});
    EXPECT_EQ(later.status, 0);
    EXPECT_NE(later.err.find("colour"), std::string::npos) << later.err;
}

// A design read in and saved again may grow (the file's own layout is
// compact, the saved one indented); one that would grow past what the tool
// reads is refused, naming the text to shorten, and nothing is written.
TEST_F(DesignBookTest, WhatTheToolSavesItCanOpenAgain) {
    const std::string head = R"({"format":"rampwall-design","version":1,"inputs":{"h5":")";
    const std::string tail = R"("}})";
    write("full.rampwall", head + std::string(design::kMaxFileBytes - head.size() - tail.size(), '3') + tail);
    ASSERT_EQ(fs::file_size(m_dir / "full.rampwall"), design::kMaxFileBytes);
    ASSERT_EQ(runCli({"--design", path("full.rampwall")}).status, 1) << "the file opens; its wall is too thick";

    const auto saved = runCli({"--design", path("full.rampwall"), "--save-design", path("again.rampwall")});
    EXPECT_EQ(saved.status, 1);
    EXPECT_NE(saved.err.find("“inputs”中的“h5”"), std::string::npos) << saved.err;
    EXPECT_FALSE(fs::exists(m_dir / "again.rampwall"));
}

using testing_support::AsOrdinaryUser;
using testing_support::WriteTarget;
using testing_support::WriteTargetCase;

// Every file the tool writes, sent where a write must not go: the place is
// left as it was, the run fails, and the message says why in its own words.
class cli_write_target : public ::testing::TestWithParam<WriteTargetCase> {
protected:
    // Runs the tool in-process, as an ordinary user where a permission is
    // what keeps the write out.
    std::optional<testing_support::CliRun> run(const WriteTarget& target, const std::vector<std::string>& args) {
        std::optional<AsOrdinaryUser> user;
        if (target.needsOrdinaryUser() && !user.emplace().skipReason().empty()) {
            m_skipReason = user->skipReason();
            return std::nullopt;
        }
        return runCli(args);
    }
    std::string m_skipReason;
};

TEST_P(cli_write_target, SaveDesign) {
    const WriteTarget target(GetParam().kind, "wall.rampwall");
    if (!target.skipReason().empty()) {
        GTEST_SKIP() << target.skipReason();
    }
    const auto saved = run(target, {"--surcharge", "15", "--save-design", target.path().string()});
    if (!saved) {
        GTEST_SKIP() << m_skipReason;
    }
    EXPECT_EQ(saved->status, 1);
    EXPECT_NE(saved->err.find("无法保存设计文件"), std::string::npos) << saved->err;
    EXPECT_NE(saved->err.find(GetParam().fault), std::string::npos) << saved->err;
    EXPECT_EQ(target.changed(), "");
}

TEST_P(cli_write_target, Sheets) {
    const WriteTarget target(GetParam().kind, "row-1.txt");
    if (!target.skipReason().empty() || target.path().filename() != "row-1.txt") {
        GTEST_SKIP() << (target.skipReason().empty() ? "no device node of that name here" : target.skipReason());
    }
    const auto swept = run(target, {"--sweep", "h5=350:350:1", "--sheets", target.path().parent_path().string()});
    if (!swept) {
        GTEST_SKIP() << m_skipReason;
    }
    EXPECT_EQ(swept->status, 1);
    EXPECT_NE(swept->err.find(GetParam().fault), std::string::npos) << swept->err;
    EXPECT_EQ(target.changed(), "");
}

// A row that did not complete removes an old sheet of its name, but never a
// device or pipe that has the name.
TEST(cli_old_sheet, OfAStoppedRowIsRemovedOnlyWhenItIsAFile) {
    for (const auto kind : {testing_support::TargetKind::NamedPipe, testing_support::TargetKind::DeviceNode}) {
        const WriteTarget target(kind, "row-1.txt");
        if (!target.skipReason().empty() || target.path().filename() != "row-1.txt") {
            continue; // no device node of that name can be made here
        }
        const auto swept = runCli({"--sweep", "spacing=200:200:1", "--sheets", target.path().parent_path().string()});
        EXPECT_EQ(swept.status, 1);
        EXPECT_NE(swept.err.find("不是普通文件"), std::string::npos) << swept.err;
        EXPECT_EQ(target.changed(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(cli, cli_write_target, ::testing::ValuesIn(testing_support::writeTargetCases()),
                         [](const auto& info) { return std::string(info.param.name); });

#ifdef RAMPWALL_BOOK

// Books need Qt's application object, made once per process: they are
// written by the program itself.
int runTool(const std::string& args) {
    const int status = std::system((std::string(RAMPWALL_CLI) + " " + args + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string pdfText(const fs::path& pdf) {
    std::string text;
    if (FILE* pipe = popen(("pdftotext '" + pdf.string() + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

TEST_F(DesignBookTest, PdfOnlyForACompletedDesignAndAWritablePath) {
    const design::DesignRun startUp = cli::runDesign({});
    const std::string* sheet = startUp.result.written(Control::Text12);
    ASSERT_NE(sheet, nullptr);
    const std::string firstLine = sheet->substr(0, sheet->find("\r\n"));

    write("p.rampwall", R"({"format": "rampwall-design", "version": 1, "project": {"name": "东湖地下车库"}})");
    EXPECT_EQ(runTool("--design " + path("p.rampwall") + " --pdf " + path("book.pdf")), 0);
    const std::string text = pdfText(m_dir / "book.pdf");
    EXPECT_NE(text.find(firstLine), std::string::npos) << firstLine;
    EXPECT_NE(text.find("东湖地下车库"), std::string::npos);

    EXPECT_EQ(runTool("--spacing 200 --pdf " + path("stopped.pdf")), 1);
    EXPECT_EQ(runTool("--pdf " + path("missing/book.pdf")), 1);
    fs::create_directories(m_dir / "folder.pdf");
    EXPECT_EQ(runTool("--pdf " + path("folder.pdf")), 1);
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(m_dir)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"book.pdf", "folder.pdf", "p.rampwall"}));
}

// --pdf through the program itself, as an ordinary user where a permission
// is what keeps the write out.
TEST_P(cli_write_target, Pdf) {
    const WriteTarget target(GetParam().kind, "book.pdf");
    if (!target.skipReason().empty()) {
        GTEST_SKIP() << target.skipReason();
    }
    const std::string errFile =
        (fs::temp_directory_path() / ("rampwall-pdf-err-" + std::to_string(::getpid()))).string();
    const std::string prefix = target.needsOrdinaryUser() ? testing_support::ordinaryUserPrefix() : "";
    const int status = std::system(
        (prefix + RAMPWALL_CLI + " --pdf '" + target.path().string() + "' >/dev/null 2>" + errFile).c_str());
    std::ifstream errStream(errFile);
    const std::string err{std::istreambuf_iterator<char>(errStream), {}};
    fs::remove(errFile);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status << ": " << err;
    EXPECT_NE(err.find("计算书无法保存"), std::string::npos) << err;
    EXPECT_NE(err.find(GetParam().fault), std::string::npos) << err;
    EXPECT_EQ(target.changed(), "");
}

TEST_F(DesignBookTest, BatchWritesPdfsForCompletedRowsAndRemovesAStoppedRowsOld) {
    write("rows.csv", "h5,spacing\n300,100\n300,200\n400,100\n");
    fs::create_directories(m_dir / "pdfs");
    write("pdfs/row-2.pdf", "old");
    EXPECT_EQ(runTool("--batch " + path("rows.csv") + " --pdfs " + path("pdfs")), 0);
    EXPECT_FALSE(fs::exists(m_dir / "pdfs/row-2.pdf"));
    for (const char* row : {"pdfs/row-1.pdf", "pdfs/row-3.pdf"}) {
        EXPECT_NE(pdfText(m_dir / row).find("坡道外墙配筋计算书"), std::string::npos) << row;
    }
}

#endif

} // namespace
} // namespace rampwall
