// The workbook writer: which texts become numbers, and a workbook that is
// written whole or not at all — a full sheet, a missing folder, an old file
// in the way. Its cells are read back with openpyxl by xlsx_matches_csv.py.
#include "cli/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace rampwall::workbook {
namespace {

namespace fs = std::filesystem;

TEST(workbook, plain_decimals_are_numbers_and_nothing_else) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"144.166", 3},
        {"-2", 0},
        {"0.2", 1},
        {"-4.500", 3},
        {"1e2", std::nullopt},
        {"３５０", std::nullopt},
        {"22/25", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1.", std::nullopt},
        {".5", std::nullopt},
        {" 1", std::nullopt},
    };
    for (const auto& [text, decimals] : cases) {
        EXPECT_EQ(plainDecimals(text), decimals) << text;
    }
    EXPECT_EQ(displayWidth("段号"), 4);
    EXPECT_EQ(displayWidth("h4(m)"), 5);
}

class workbook_file : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("rampwall_workbook_" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }
    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_folder;
    const std::vector<Column> m_columns{{"段号", CellKind::Number}, {"配筋", CellKind::Text}};
};

TEST_F(workbook_file, a_full_sheet_is_an_error_and_the_old_file_stays) {
    const fs::path path = m_folder / "schedule.xlsx";
    std::ofstream(path) << "old";
    std::string error;
    auto book = Workbook::create(path, m_columns, error, 2);
    ASSERT_TRUE(book) << error;
    const std::vector<std::string> row{"1", "22@100"};
    EXPECT_TRUE(book->row(std::span<const std::string>(row)));
    EXPECT_TRUE(book->row(std::span<const std::string>(row)));
    EXPECT_FALSE(book->row(std::span<const std::string>(row)));
    const std::optional<std::string> failure = book->close();
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("行数上限"), std::string::npos) << *failure;
    book.reset();
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(filesInFolder(), 1u); // nothing left beside it
}

TEST_F(workbook_file, a_complete_workbook_replaces_the_old_file) {
    const fs::path path = m_folder / "schedule.xlsx";
    std::ofstream(path) << "old";
    std::string error;
    auto book = Workbook::create(path, m_columns, error);
    ASSERT_TRUE(book) << error;
    const std::vector<std::string> row{"1", "22@100"};
    EXPECT_TRUE(book->row(std::span<const std::string>(row)));
    EXPECT_FALSE(book->close());
    EXPECT_EQ(contents(path).substr(0, 2), "PK");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(workbook_file, a_folder_that_is_not_there_or_a_folder_as_the_name_is_refused) {
    std::string error;
    EXPECT_FALSE(Workbook::create(m_folder / "missing" / "a.xlsx", m_columns, error));
    EXPECT_NE(error.find("无法在文件夹"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(Workbook::create(m_folder, m_columns, error));
    EXPECT_NE(error.find("请给出文件名"), std::string::npos) << error;
    EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(workbook_file, an_unfinished_workbook_leaves_nothing) {
    const fs::path path = m_folder / "schedule.xlsx";
    {
        std::string error;
        auto book = Workbook::create(path, m_columns, error);
        ASSERT_TRUE(book) << error;
        const std::vector<std::string> row{"1", "\xff bytes that are not UTF-8"};
        EXPECT_TRUE(book->row(std::span<const std::string>(row)));
    }
    EXPECT_EQ(filesInFolder(), 0u);
}

} // namespace
} // namespace rampwall::workbook
