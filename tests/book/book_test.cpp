// The calculation book as a user's PDF tools read it back: pdftotext for the
// words and where they stand, pdfinfo for the pages, pdffonts for the fonts.
#include "book/book.h"
#include "book/book_text.h"
#include "book_run.h"
#include "calc/control_table.h"
#include "support/editions.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace rampwall;
using namespace rampwall::book;

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

struct Typed {
    Control control;
    std::string text;
};

// A window just opened, the inputs typed in (a list by its index), one 计算.
std::optional<design::DesignRun> runDesign(const std::vector<Typed>& inputs, bool sheet = true) {
    testing_support::Typed typed;
    for (const Typed& input : inputs) {
        typed.emplace_back(input.control, input.text);
    }
    return testing_support::runForBook(typed, defaultEdition(), sheet);
}

// A box as the run left it: its result, or the input as typed.
std::string_view textOf(const design::DesignRun& run, Control control) {
    const std::string* written = run.result.written(control);
    return written != nullptr ? std::string_view(*written) : std::string_view(run.inputs.text(control));
}

QString tool(const char* program, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), 0) << program;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString withoutBlanks(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

struct Word {
    int page;
    QRectF box; // points, from the page's top left
    QString text;
};

std::vector<Word> wordsOf(const QString& pdf) {
    const QString html = tool(PDFTOTEXT, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.push_back({page, QRectF(from, to), m.captured(5)});
    }
    return words;
}

class StartUpBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        s_run = runDesign({});
        ASSERT_TRUE(s_run);
        s_pdf = s_dir->filePath(QStringLiteral("start-up.pdf"));
        BookInput book{.run = *s_run};
        book.project = {"某地下车库工程", "WQ-1 坡道外墙", "设计人", "校对人", "审核人", "2025-03-01"};
        book.designFileName = "wq-1.rampwall";
        ASSERT_EQ(writeBookPdf(book, s_pdf), std::nullopt);
        s_layout = tool(PDFTOTEXT, {QStringLiteral("-layout"), s_pdf, QStringLiteral("-")});
    }
    static void TearDownTestSuite() { delete s_dir; }

    // A line of the laid-out text that holds all the pieces, in this order.
    static bool lineWith(const QStringList& pieces) {
        for (const QString& line : s_layout.split(QLatin1Char('\n'))) {
            qsizetype at = 0;
            bool all = true;
            for (const QString& piece : pieces) {
                at = line.indexOf(piece, at);
                if (at < 0) {
                    all = false;
                    break;
                }
                at += piece.size();
            }
            if (all) {
                return true;
            }
        }
        return false;
    }
    static QString box(Control control) { return q(textOf(*s_run, control)); }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline std::optional<design::DesignRun> s_run;
    static inline QString s_pdf;
    static inline QString s_layout;
};

TEST_F(StartUpBook, holds_every_input_with_its_caption) {
    for (Control input : {Control::Combo3, Control::Text1, Control::Text2, Control::Text3, Control::Text16,
                          Control::Text4, Control::Text13, Control::Combo1, Control::Combo2, Control::Text14,
                          Control::Text15, Control::Text5, Control::Text10, Control::Text8}) {
        EXPECT_TRUE(lineWith({q(captionOf(input)), box(input)})) << controlName(input);
    }
    // The materials with their design values, and the project's title block.
    EXPECT_TRUE(lineWith({QStringLiteral("fc = 7.2"), QStringLiteral("ft = 0.91"), QStringLiteral("ftk = 1.27")}));
    EXPECT_TRUE(lineWith({QStringLiteral("fy = 210")}));
    EXPECT_TRUE(lineWith({QStringLiteral("工程名称"), QStringLiteral("某地下车库工程")}));
    EXPECT_TRUE(lineWith(
        {QStringLiteral("审核"), QStringLiteral("审核人"), QStringLiteral("日期"), QStringLiteral("2025-03-01")}));
}

TEST_F(StartUpBook, holds_every_line_of_the_sheet) {
    const QString text = withoutBlanks(tool(PDFTOTEXT, {s_pdf, QStringLiteral("-")}));
    const QStringList lines = box(Control::Text12).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 30);
    for (const QString& line : lines) {
        EXPECT_TRUE(text.contains(withoutBlanks(line))) << line.toStdString();
    }
}

TEST_F(StartUpBook, states_the_results_and_the_verdict) {
    const QString pass = q(kSatisfied);
    const QString spacing = QStringLiteral("@") + box(Control::Text10);
    EXPECT_TRUE(lineWith({QStringLiteral("MBk"), box(Control::Text6)}));
    EXPECT_TRUE(lineWith({QStringLiteral("MB"), QStringLiteral("172.999")}));
    EXPECT_TRUE(lineWith({box(Control::Text7), box(Control::Text19) + spacing, QStringLiteral("0.267"), pass}));
    EXPECT_TRUE(lineWith({box(Control::Text9), box(Control::Text18) + spacing}));
    EXPECT_TRUE(lineWith({box(Control::Text11), QStringLiteral("0.21"), pass}));
    EXPECT_FALSE(s_layout.contains(q(kNotSatisfied)));
}

TEST_F(StartUpBook, is_a4_with_embedded_fonts_and_numbered_pages) {
    const QString info = tool(PDFINFO, {s_pdf});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch());
    const int count = pages.captured(1).toInt();
    EXPECT_GE(count, 2);
    for (int page = 1; page <= count; ++page) {
        // pdftotext may join the digits to the characters around them.
        const QString number = QStringLiteral("第\\s*%1\\s*页\\s*共\\s*%2\\s*页").arg(page).arg(count);
        EXPECT_TRUE(s_layout.contains(QRegularExpression(number))) << page;
    }
    EXPECT_EQ(s_layout.count(QStringLiteral("wq-1.rampwall")), count);

    // One line a font below the header and its rule of dashes, whose fourth
    // run of dashes marks the "emb" column.
    const QStringList lines = tool(PDFFONTS, {s_pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    const QRegularExpressionMatch emb = QRegularExpression(QStringLiteral("^(?:-+ +){3}(-+)")).match(lines[1]);
    ASSERT_TRUE(emb.hasMatch());
    for (const QString& font : lines.mid(2)) {
        EXPECT_EQ(font.mid(emb.capturedStart(1), emb.capturedLength(1)).trimmed(), QStringLiteral("yes"))
            << font.toStdString();
    }
}

TEST(book_test, stopped_design_has_no_book) {
    // The elevation message (Case B with water above the base), no load case,
    // and a run that did not write its sheet.
    EXPECT_FALSE(runDesign({{Control::Combo3, "1"}}));
    EXPECT_FALSE(runDesign({{Control::Combo3, "-1"}}));
    EXPECT_FALSE(runDesign({{Control::Text10, "200"}})); // no bar large enough
    EXPECT_FALSE(runDesign({}, false));
}

TEST(book_test, unwritable_path_gives_message_and_leaves_no_file) {
    QTemporaryDir dir;
    const std::optional<design::DesignRun> run = runDesign({});
    ASSERT_TRUE(run);
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    struct Case {
        QString path;
        const char* reason;
    };
    std::vector<Case> cases{
        {dir.filePath(QStringLiteral("missing/book.pdf")), "不存在"},
        {dir.filePath(QStringLiteral("locked")), "文件夹"},
        {QString(), "没有给出"},
    };
    // The superuser may write anywhere.
    if (geteuid() != 0) {
        cases.push_back({dir.filePath(QStringLiteral("locked/book.pdf")), "权限"});
    }
    for (const Case& c : cases) {
        const std::optional<std::string> message = writeBookPdf(BookInput{.run = *run}, c.path);
        ASSERT_TRUE(message) << c.path.toStdString();
        EXPECT_EQ(message->rfind("计算书无法保存", 0), 0u) << *message;
        EXPECT_NE(message->find(c.reason), std::string::npos) << *message;
    }
    // Nothing was left behind: no book, no half-written temporary file.
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("locked")});
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("locked"))).isEmpty());
}

// A disk that fills up part way through the file: the limit on the size of
// the files this process may write fails the writes as a full disk does.
TEST(book_test, full_disk_gives_message_and_keeps_the_old_file) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old book");
    old.close();
    const std::optional<design::DesignRun> run = runDesign({});
    ASSERT_TRUE(run);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit unlimited = limit;
    limit.rlim_cur = rlim_t{16} * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::optional<std::string> message = writeBookPdf(BookInput{.run = *run}, path);
    setrlimit(RLIMIT_FSIZE, &unlimited);

    ASSERT_TRUE(message);
    EXPECT_NE(message->find("超出了允许的大小"), std::string::npos) << *message;
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old book"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("book.pdf")});
}

// Extreme but valid designs: every word of the book on the page inside its
// margins, and no two words on top of one another, however crowded the
// drawings' labels.
TEST(book_test, extreme_designs_keep_every_label_apart_and_on_the_page) {
    struct Design {
        const char* name;
        std::vector<Typed> inputs;
    };
    const Design designs[] = {
        {"start-up", {}},
        {"Case B", {{Control::Combo3, "1"}, {Control::Text3, "-5.0"}, {Control::Combo1, "2"}, {Control::Combo2, "1"}}},
        {"30 m wall, water at the base",
         {{Control::Text2, "-0.5"},
          {Control::Text3, "-29.9"},
          {Control::Text16, "-30"},
          {Control::Text14, "1"},
          {Control::Text15, "0"},
          {Control::Text4, "2000"},
          {Control::Combo1, "3"},
          {Control::Combo2, "1"}}},
        {"30 m wall, Case B",
         {{Control::Combo3, "1"},
          {Control::Text2, "0"},
          {Control::Text3, "-31"},
          {Control::Text16, "-30"},
          {Control::Text14, "1"},
          {Control::Text15, "0"},
          {Control::Text4, "2000"},
          {Control::Combo1, "3"},
          {Control::Combo2, "1"}}},
        {"0.1 m wall", {{Control::Text2, "0"}, {Control::Text3, "-0.05"}, {Control::Text16, "-0.1"}}},
        {"Case B, water at the base", {{Control::Combo3, "1"}, {Control::Text3, "-4.5"}}},
        {"huge loads",
         {{Control::Text14, "12345.678"},
          {Control::Text15, "98765.4321"},
          {Control::Text3, "-0.6"},
          {Control::Text16, "-0.7"},
          {Control::Text4, "3000"},
          {Control::Text10, "50"},
          {Control::Combo1, "13"}}},
        {"tiny loads, soil lighter than water", {{Control::Text14, "0.001"}, {Control::Text15, "0.001"}}},
        {"long typed texts", {{Control::Text1, "0.000000000000000000000"}, {Control::Text4, "+350.0000000000000000"}}},
    };
    QTemporaryDir dir;
    // The content area with a millimetre to spare, in points.
    const double mm = 72 / 25.4;
    const QRectF allowed(24 * mm, 10 * mm, 167 * mm, 282 * mm);
    for (const Design& design : designs) {
        SCOPED_TRACE(design.name);
        const std::optional<design::DesignRun> run = runDesign(design.inputs);
        ASSERT_TRUE(run);
        const QString pdf = dir.filePath(QStringLiteral("book.pdf"));
        BookInput book{.run = *run};
        // Long names in the header, the title block and the footer too.
        const std::string name(40, 'W');
        book.project = {name + "工程", name + "构件", name, name, name, name};
        book.designFileName = "/" + name;
        book.designFileName += "/" + name + ".rampwall";
        ASSERT_EQ(writeBookPdf(book, pdf), std::nullopt);
        const std::vector<Word> words = wordsOf(pdf);
        ASSERT_GT(words.size(), 200u);
        for (std::size_t i = 0; i < words.size(); ++i) {
            EXPECT_TRUE(allowed.contains(words[i].box)) << words[i].text.toStdString();
            for (std::size_t j = i + 1; j < words.size() && words[j].page == words[i].page; ++j) {
                const QRectF both = words[i].box.intersected(words[j].box);
                EXPECT_FALSE(both.width() > 0.5 && both.height() > 0.5)
                    << words[i].text.toStdString() << " / " << words[j].text.toStdString();
            }
        }
    }
}

} // namespace
