// Design files and calculation books through the tool: what is read, what is
// written, and that a fault leaves no file behind.
#include "cli_runner.h"
#include "design_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        {"big.rampwall", std::string(2 * 1024 * 1024, ' '), ""},
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
    const cli::DesignResult startUp = cli::runDesign({});
    const std::string* sheet = startUp.boxText(Control::Text12);
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
