// 工具 → 坡道分段配筋…: the dialog's schedule is the command line's for the
// same inputs, every edit designs again and is kept in the design, a ramp
// that cannot be designed says why, and the exports write whole files.
// With RAMPWALL_SCREENSHOT=FILE it also saves a picture of the dialog.
#include "calc/window_texts.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/main_menu.h"
#include "ui/ramp_dialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace rampwall;

namespace {

// The CSV's records split into fields; the tool quotes no field of these rows.
QList<QStringList> csvRows(const QByteArray& out) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        rows << line.split(QLatin1Char(','));
    }
    return rows;
}

// The dialog's 结论 for a status of the CSV.
QString verdictOf(const QString& status) {
    if (status == QLatin1String("ok")) {
        return QStringLiteral("满足");
    }
    if (status == QLatin1String("fails")) {
        return QStringLiteral("不满足");
    }
    return status == QLatin1String("none") ? QStringLiteral("无需计算") : QStringLiteral("未完成");
}

} // namespace

class RampDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;

    QLineEdit* formBox(const char* name) { return m_form->findChild<QLineEdit*>(QLatin1String(name)); }
    static QLineEdit* box(RampDialog& dialog, const char* name) {
        return dialog.findChild<QLineEdit*>(QLatin1String(name));
    }
    // As a person types: the keys of a Latin text, or a Chinese one as an
    // input method hands it over.
    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        bool latin = true;
        for (const QChar c : text) {
            latin = latin && c.unicode() < 0x80;
        }
        if (latin) {
            QTest::keyClicks(edit, text);
        } else {
            edit->insert(text);
        }
    }

private slots:
    void initTestCase() {
        applyLook(*qApp);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("config"));
    }

    void init() {
        m_shown.clear();
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        mainMenuOf(*m_form)->commands().setSaveQuestion(
            [](QWidget*, const QString&) { return DocumentCommands::SaveAnswer::Discard; });
    }

    void cleanup() { m_form.reset(); }

    void theToolsMenuOpensTheDialog() {
        auto* action = m_form->findChild<QAction*>(QStringLiteral("actionRamp"));
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QStringLiteral("坡道分段配筋(&R)…"));
        auto* menu = m_form->findChild<QMenu*>(QStringLiteral("ToolsMenu"));
        QVERIFY(menu != nullptr && menu->actions().contains(action));
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            if (auto* dialog = qobject_cast<RampDialog*>(QApplication::activeModalWidget())) {
                opened = dialog->schedule() != nullptr;
                dialog->reject();
            }
        });
        action->trigger();
        QVERIFY(opened);
    }

    void theScheduleIsTheCommandLines() {
        formBox("Text3")->setText(QStringLiteral("-3.0"));
        formBox("Text16")->setText(QStringLiteral("-6.5"));
        RampDialog dialog(*m_form);
        retype(box(dialog, "RampLength"), QStringLiteral("60"));
        retype(box(dialog, "RampSegmentLength"), QStringLiteral("5"));
        retype(box(dialog, "RampSpacings"), QStringLiteral("100,125,150,200"));

        QProcess cli;
        cli.start(QStringLiteral(RAMPWALL_CLI),
                  {"--ramp", "60", "--segment", "5", "--spacings", "100,125,150,200", "--h3=-3.0", "--h4=-6.5"});
        QVERIFY(cli.waitForFinished(60000));
        const QList<QStringList> rows = csvRows(cli.readAllStandardOutput());
        QCOMPARE(rows.size(), 13);
        const QStringList keys = rows[0];
        const QAbstractItemModel* table = dialog.findChild<QTableView*>(QStringLiteral("RampSchedule"))->model();
        QCOMPARE(table->rowCount(), rows.size() - 1);
        for (int r = 1; r < rows.size(); ++r) {
            const auto csv = [&](const char* key) { return rows[r][keys.indexOf(QLatin1String(key))]; };
            const auto cell = [&](int column) { return table->index(r - 1, column).data().toString(); };
            const QString bars = csv("bar_crack").isEmpty() ? QString() : csv("bar_crack") + "@" + csv("spacing");
            const QStringList expected = {csv("segment"),
                                          csv("from") + "～" + csv("to"),
                                          csv("h4"),
                                          csv("case"),
                                          csv("MBk"),
                                          bars,
                                          csv("As_crack"),
                                          csv("crack_width"),
                                          verdictOf(csv("status")),
                                          csv("steel_kg_per_m"),
                                          csv("steel_kg")};
            for (int c = 0; c < expected.size(); ++c) {
                QCOMPARE(cell(c), expected[c]);
            }
        }
        const QString total = dialog.findChild<QLabel*>(QStringLiteral("RampTotal"))->text();
        QVERIFY2(total.contains(QString::fromUtf8(cli.readAllStandardError()).section(QStringLiteral("；"), 0, 0)),
                 qPrintable(total));

        if (const QByteArray picture = qgetenv("RAMPWALL_SCREENSHOT"); !picture.isEmpty()) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTest::qWait(200);
            QVERIFY(dialog.grab().save(QString::fromLocal8Bit(picture)));
        }
    }

    void everyEditDesignsAgainAndIsKeptInTheDesign() {
        RampDialog dialog(*m_form);
        const QAbstractItemModel* table = dialog.findChild<QTableView*>(QStringLiteral("RampSchedule"))->model();
        retype(box(dialog, "RampLength"), QStringLiteral("20"));
        retype(box(dialog, "RampSegmentLength"), QStringLiteral("4"));
        QCOMPARE(table->rowCount(), 5);
        retype(box(dialog, "RampSegmentCount"), QStringLiteral("8"));
        QCOMPARE(table->rowCount(), 8);
        // The design file keeps the ramp as typed: the window shows it changed.
        QVERIFY(m_form->document().ramp().has_value());
        QCOMPARE(m_form->document().ramp()->segmentCount, std::string("8"));
        QVERIFY(m_form->document().isModified());
        // Opened again, the dialog shows the ramp it left.
        RampDialog again(*m_form);
        QCOMPARE(box(again, "RampSegmentCount")->text(), QStringLiteral("8"));
        QCOMPARE(again.findChild<QTableView*>(QStringLiteral("RampSchedule"))->model()->rowCount(), 8);
    }

    void aRampThatCannotBeDesignedSaysWhy() {
        RampDialog dialog(*m_form);
        retype(box(dialog, "RampLength"), QStringLiteral("三十"));
        const QString fault = dialog.findChild<QLabel*>(QStringLiteral("RampFault"))->text();
        QVERIFY2(fault.contains(QStringLiteral("坡道长度")), qPrintable(fault));
        QCOMPARE(dialog.findChild<QTableView*>(QStringLiteral("RampSchedule"))->model()->rowCount(), 0);
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("RampExportBook"))->isEnabled());
        QVERIFY(m_shown.isEmpty()); // typing is not interrupted by a message box
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("RampCompute")), Qt::LeftButton);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(m_shown.front().contains(QStringLiteral("坡道长度")));
    }

    void exportsWriteWholeFilesOrSayWhy() {
        RampDialog dialog(*m_form);
        QString answer = m_dir.filePath(QStringLiteral("坡道"));
        dialog.setFileChooser([&](QWidget*, const QString&, const QString&, const QString&) { return answer; });
        QVERIFY(dialog.exportBook());
        QVERIFY(QFileInfo::exists(answer + ".pdf"));
        QVERIFY(dialog.exportTable());
        QFile table(answer + ".xlsx");
        QVERIFY(table.open(QIODevice::ReadOnly));
        QCOMPARE(table.read(2), QByteArray("PK")); // a zip container, as every .xlsx is
        QVERIFY(m_shown.isEmpty());
        // A folder that does not exist: a message, and no file.
        answer = m_dir.filePath(QStringLiteral("missing/坡道"));
        QVERIFY(!dialog.exportTable());
        QVERIFY(!dialog.exportBook());
        QCOMPARE(m_shown.size(), 2);
        QVERIFY(!QFileInfo::exists(answer + ".xlsx"));
    }
};

QTEST_MAIN(RampDialogTest)
#include "ramp_dialog_test.moc"
