// The ramp's calculation book read back with pdftotext: its elevation, its
// schedule with the total, and one full calculation for each distinct
// arrangement of bars, at the deepest segment that has it.
#include "book/ramp_book.h"
#include "calc/editions/registry.h"
#include "calc/headless_window.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace rampwall;
using namespace rampwall::book;

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString pdfText(const QString& pdf, const QStringList& options = {}) {
    QProcess process;
    process.start(QStringLiteral(PDFTOTEXT), options + QStringList{pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), 0);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString field(const ramp::Schedule& schedule, std::size_t segment, std::string_view key) {
    const auto fields = ramp::scheduleFields(schedule, segment);
    for (std::size_t i = 0; i < ramp::kScheduleColumns.size(); ++i) {
        if (ramp::kScheduleColumns[i].key == key) {
            return q(fields[i]);
        }
    }
    return {};
}

class RampBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The floor from -0.5 to -6 over 44 m in 4 m segments, the water at
        // -3.0, three spacings: several arrangements, both cases, and the
        // deepest segments stopping.
        HeadlessWindow window;
        window.setText(Control::Text3, "-3.0");
        window.setText(Control::Text16, "-6");
        const FormInputs form = window.inputs();
        const ramp::RampInput input{"44", "", "4", "", "100,150,200"};
        s_schedule = new ramp::Schedule(
            ramp::designRamp(defaultEdition(), {}, form, std::get<ramp::RampPlan>(ramp::planRamp(input, form))));
        s_dir = new QTemporaryDir;
        s_pdf = s_dir->filePath(QStringLiteral("ramp.pdf"));
        const RampBookInput book{.schedule = s_schedule, .ramp = input, .project = {"某车库", "WQ-2", "", "", "", ""}};
        const std::optional<std::string> failure = writeRampBookPdf(book, s_pdf);
        ASSERT_FALSE(failure) << *failure;
        s_text = new QString(pdfText(s_pdf));
    }
    static void TearDownTestSuite() {
        delete s_text;
        delete s_dir;
        delete s_schedule;
    }

    static inline ramp::Schedule* s_schedule = nullptr;
    static inline QTemporaryDir* s_dir = nullptr;
    static inline QString s_pdf;
    static inline QString* s_text = nullptr;
};

TEST_F(RampBook, HasTheElevationWithEveryStretchLabelled) {
    const qsizetype heading = s_text->indexOf(QStringLiteral("二、坡道立面简图"));
    const qsizetype schedule = s_text->indexOf(QStringLiteral("三、分段配筋表"));
    ASSERT_GE(heading, 0);
    ASSERT_GT(schedule, heading);
    const QString drawing = s_text->mid(heading, schedule - heading);
    EXPECT_TRUE(drawing.contains(QStringLiteral("桩号自坡道上端起算")));
    for (const ramp::Stretch& stretch : s_schedule->stretches()) {
        const QString label =
            stretch.arrangement.empty() ? q(ramp::statusCaption(stretch.status)) : q(stretch.arrangement);
        EXPECT_TRUE(drawing.contains(label)) << label.toStdString();
    }
}

TEST_F(RampBook, HasEverySegmentOfTheScheduleAndTheTotal) {
    const qsizetype from = s_text->indexOf(QStringLiteral("三、分段配筋表"));
    const qsizetype to = s_text->indexOf(QStringLiteral("四、配筋汇总"));
    ASSERT_GT(to, from);
    const QString table = s_text->mid(from, to - from);
    for (std::size_t i = 0; i < s_schedule->segments.size(); ++i) {
        for (const char* key : {"h4", "MBk", "As_crack", "steel_kg"}) {
            const QString text = field(*s_schedule, i, key);
            if (!text.isEmpty()) {
                EXPECT_TRUE(table.contains(text)) << "segment " << i + 1 << " " << key << " " << text.toStdString();
            }
        }
    }
    EXPECT_TRUE(table.contains(q(ramp::totalText(*s_schedule)).remove(QLatin1Char(' ')).left(8)) ||
                table.contains(q(ramp::totalText(*s_schedule))));
    EXPECT_TRUE(table.contains(QStringLiteral("不含搭接、锚固和内侧钢筋")));
}

TEST_F(RampBook, CalculatesEachDistinctArrangementOnceAtItsDeepestSegment) {
    // The arrangements and their deepest segments, from the schedule's rows.
    std::map<QString, std::size_t> deepest;
    for (std::size_t i = 0; i < s_schedule->segments.size(); ++i) {
        const QString bars = field(*s_schedule, i, "bar_crack");
        if (bars.isEmpty()) {
            continue;
        }
        const QString arrangement = bars + "@" + field(*s_schedule, i, "spacing");
        const auto known = deepest.find(arrangement);
        if (known == deepest.end() ||
            s_schedule->segments[i].section.h4 < s_schedule->segments[known->second].section.h4) {
            deepest[arrangement] = i;
        }
    }
    ASSERT_GE(deepest.size(), 3u);
    const qsizetype sections = s_text->indexOf(QStringLiteral("五、各配筋控制截面计算"));
    ASSERT_GE(sections, 0);
    const QString rest = s_text->mid(sections);
    // Each section book has its own 设计资料, its sheet (配筋计算) and its checks (结论).
    EXPECT_EQ(rest.count(QStringLiteral("设计资料")), static_cast<qsizetype>(deepest.size()));
    for (const char* part : {"配筋计算", "结论"}) {
        const QRegularExpression heading(QStringLiteral("5\\.\\d+\\.\\d+\\s*") + QString::fromUtf8(part) +
                                         QStringLiteral("\\n"));
        EXPECT_EQ(rest.count(heading), static_cast<qsizetype>(deepest.size())) << part;
    }
    for (const auto& [arrangement, segment] : deepest) {
        const QString heading = QStringLiteral("配筋 ") + arrangement + QStringLiteral("：第 ") +
                                QString::number(segment + 1) + QStringLiteral(" 段");
        const qsizetype at = rest.indexOf(heading);
        ASSERT_GE(at, 0) << heading.toStdString();
        // Its own sheet follows with that segment's moment.
        EXPECT_GT(rest.indexOf(field(*s_schedule, segment, "MBk"), at), at) << heading.toStdString();
    }
}

TEST_F(RampBook, NumbersEveryPage) {
    const QString pages = pdfText(s_pdf, {QStringLiteral("-layout")});
    const QRegularExpression footer(QStringLiteral("第 (\\d+) 页 共 (\\d+) 页"));
    int count = 0;
    int total = 0;
    for (auto it = footer.globalMatch(pages); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        ++count;
        EXPECT_EQ(m.captured(1).toInt(), count);
        total = m.captured(2).toInt();
    }
    EXPECT_GT(count, 3);
    EXPECT_EQ(count, total);
}

} // namespace
