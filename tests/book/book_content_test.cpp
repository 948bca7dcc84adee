// Every edition's book is complete by construction: whatever the edition,
// each value the run reports stands in the book where the book says it does,
// and no line shows a caption or a unit with its value missing. The editions
// include one only this test knows, registered here.
#include "book/book.h"
#include "book/book_content.h"
#include "book/book_text.h"
#include "book_run.h"
#include "calc/number_text.h"
#include "support/test_edition.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <regex>

using namespace rampwall;
using namespace rampwall::book;

namespace {

struct Design {
    const char* name;
    std::vector<std::pair<Control, std::string>> typed; // a list by its index
};

// The designs every edition's book is tried with: the start-up design, the
// water below the base, a thick wall whose minimum steel governs, and one
// that stops.
const std::vector<Design> kDesigns = {
    {"start_up", {}},
    {"case_b", {{Control::Combo3, "1"}, {Control::Text3, "-5.0"}}},
    {"minimum_steel", {{Control::Text16, "-2.0"}, {Control::Text4, "500"}}},
    {"stopped", {{Control::Text2, "x"}}},
};

std::optional<design::DesignRun> run(const CodeEdition& edition, const Design& design) {
    return testing_support::runForBook(design.typed, edition);
}

std::vector<std::string> textsOf(const BookContent& content) {
    std::vector<std::string> texts{content.header, content.footer};
    for (const BookBlock& block : content.blocks) {
        texts.push_back(block.text);
        for (const Row& row : block.rows) {
            for (const Cell& cell : row) {
                texts.push_back(cell.text);
            }
        }
        texts.insert(texts.end(), block.lines.begin(), block.lines.end());
    }
    return texts;
}

// A row of a table that holds these texts, in this order.
bool hasRow(const BookContent& content, const std::vector<std::string>& pieces) {
    for (const BookBlock& block : content.blocks) {
        for (const Row& row : block.rows) {
            std::string line;
            for (const Cell& cell : row) {
                line += cell.text + "\x1f";
            }
            std::size_t at = 0;
            bool all = true;
            for (const std::string& piece : pieces) {
                at = line.find(piece, at);
                if (at == std::string::npos) {
                    all = false;
                    break;
                }
                at += piece.size();
            }
            if (all) {
                return true;
            }
        }
    }
    return false;
}

class every_edition : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { testing_support::TestEdition::registered(); }
    const CodeEdition& edition() const { return *editionByKey(GetParam()); }
};

TEST_P(every_edition, BookShowsEveryValueItsRunReports) {
    for (const Design& design : kDesigns) {
        SCOPED_TRACE(design.name);
        const std::optional<design::DesignRun> made = run(edition(), design);
        if (std::string_view(design.name) == "stopped") {
            EXPECT_FALSE(made) << "a stopped run has no book";
            continue;
        }
        ASSERT_TRUE(made);
        const RunResult& result = made->result;
        const BookContent content = composeBook({.run = *made});

        // No caption or unit without its value, no unfilled blank.
        static const std::regex empty(R"(=\s*(\(|（)?(kN|mm|N/mm|kN·m|m²|mm²|%|，|；|$))");
        for (const std::string& text : textsOf(content)) {
            EXPECT_FALSE(std::regex_search(text, empty)) << text;
        }
        ASSERT_FALSE(result.checks.empty());
        for (const Check& check : result.checks) {
            EXPECT_FALSE(check.value.empty()) << check.name;
            EXPECT_TRUE(hasRow(
                content, {check.value, check.requirement, std::string(check.satisfied ? kSatisfied : kNotSatisfied)}))
                << check.name;
        }
        for (const PressureLayer& layer : result.profile.layers) {
            EXPECT_TRUE(hasRow(content, {layer.name, layer.ordinate, layer.moment})) << layer.name;
        }
        for (const ReportRow& row : result.report.forces) {
            EXPECT_TRUE(hasRow(content, {row.caption, row.text})) << row.caption;
        }
        for (const ReportRow& row : result.report.results) {
            EXPECT_TRUE(hasRow(content, {row.caption, row.text})) << row.caption;
        }
        for (const FactorDefinition& factor : edition().factors()) {
            EXPECT_TRUE(hasRow(content, {std::string(factor.caption), formatDouble(factor.defaultValue)}))
                << factor.key;
        }
        for (const Control input : {Control::Text5, Control::Text14}) {
            EXPECT_EQ(hasRow(content, {std::string(captionOf(input)) + "\x1f"}), usesInput(edition(), input))
                << controlName(input);
        }
        EXPECT_FALSE(result.report.conclusion.empty());
        const std::vector<std::string> texts = textsOf(content);
        EXPECT_NE(std::find(texts.begin(), texts.end(), result.report.conclusion), texts.end());
    }
}

// The painter prints what the content holds: every table cell and every
// sheet line of the start-up book, read back from the PDF.
TEST_P(every_edition, PdfPrintsTheContent) {
    const std::optional<design::DesignRun> made = run(edition(), kDesigns.front());
    ASSERT_TRUE(made);
    const BookInput input{.run = *made, .project = {"工程", "WQ-1", "甲", "乙", "丙", "2026-12-08"}};
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
    ASSERT_EQ(writeBookPdf(input, pdf), std::nullopt);
    QProcess process;
    process.start(QStringLiteral(PDFTOTEXT), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QRegularExpression blanks(QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption);
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).remove(blanks);
    for (const std::string& piece : textsOf(composeBook(input))) {
        // Words of a wrapped cell may be read back in another order; each
        // blank-separated run of a text must be there.
        for (const QString& word : QString::fromStdString(piece).split(blanks, Qt::SkipEmptyParts)) {
            EXPECT_TRUE(text.contains(word)) << word.toStdString() << " of " << piece;
        }
    }
}

// The current edition's start-up book shows what its checker looks for.
TEST(book_2010, StartUpBookShowsTheDrySoilTheShearTheCandidatesAndTheBars) {
    const std::optional<design::DesignRun> made = run(*editionByKey("2010"), kDesigns.front());
    ASSERT_TRUE(made);
    std::string all;
    for (const std::string& text : textsOf(composeBook({.run = *made}))) {
        all += text + "\n";
    }
    for (const char* piece : {"MB12", "斜截面受剪承载力", "逐项试算：18@100：wmax=0.3245>0.2", "22@100", "满足",
                              "GB 55008-2021", "静止土压力"}) {
        EXPECT_NE(all.find(piece), std::string::npos) << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(book, every_edition,
                         ::testing::Values(std::string("2002"), std::string("2010"),
                                           std::string(testing_support::TestEdition::kKey)),
                         [](const auto& info) { return info.param; });

} // namespace
