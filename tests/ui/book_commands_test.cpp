// The window's calculation-book commands: offered only for the inputs of the
// last completed run, and an export that writes a whole PDF or says why not.
#include "calc/control_table.h"
#include "calc/editions/registry.h"
#include "support/write_targets.h"
#include "ui/book_commands.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/main_menu.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace rampwall;
using testing_support::AsOrdinaryUser;
using testing_support::TargetKind;
using testing_support::WriteTarget;

class BookCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;

    DocumentCommands& commands() { return mainMenuOf(*m_form)->commands(); }
    QLineEdit* box(const char* name) { return m_form->findChild<QLineEdit*>(QLatin1String(name)); }
    void compute() { QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
    // Whether all three commands are enabled; they must never differ.
    bool offered() {
        QList<bool> enabled;
        for (const char* name : {"actionExportBook", "actionPrintBook", "actionPrintPreview"}) {
            enabled << m_form->findChild<QAction*>(QLatin1String(name))->isEnabled();
        }
        [&] { QCOMPARE(enabled.count(enabled.front()), enabled.size()); }();
        return enabled.front();
    }

private slots:
    void initTestCase() {
        applyLook(*qApp);
        // The settings file of every window here is under the test's own folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }

    void init() {
        m_shown.clear();
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        commands().setSaveQuestion([](QWidget*, const QString&) { return DocumentCommands::SaveAnswer::Discard; });
    }

    void cleanup() { m_form.reset(); }

    void offeredOnlyWhileTheLastCompletedRunsInputsStand() {
        QVERIFY(!offered());
        compute();
        QVERIFY(offered());
        box("Text4")->setText("360");
        QVERIFY(!offered());
        compute();
        auto* concrete = m_form->findChild<QComboBox*>("Combo1");
        concrete->setCurrentIndex(concrete->currentIndex() == 0 ? 1 : 0);
        QVERIFY(!offered());
        compute();
        QVERIFY(offered());
        box("Text13")->setText("abc");
        QVERIFY(!offered());
        compute();
        QCOMPARE(m_shown.size(), 1);
        // The inputs are the completed run's again, but a run that stopped
        // came after it.
        box("Text13")->setText("50");
        QVERIFY(!offered());
        compute();
        QVERIFY(offered());
        QVERIFY(commands().saveTo(m_dir.filePath("wall.rampwall")));
        QVERIFY(offered()); // saving changes no input
        QVERIFY(commands().newDesign());
        QVERIFY(!offered());
        compute();
        QVERIFY(commands().openFile(m_dir.filePath("wall.rampwall")));
        QVERIFY(!offered());
        // Other factors, or another edition, and the results are another design's.
        const CodeEdition& edition2010 = *editionByKey("2010");
        compute();
        QVERIFY(offered());
        FactorValues factors;
        factors.set(*factorOf(edition2010, "gamma-0"), 1.1);
        m_form->setFactors(factors);
        QVERIFY(!offered());
        compute();
        QVERIFY(offered());
        m_form->setEdition(edition2010);
        QVERIFY(!offered());
        compute();
        QVERIFY(offered());
    }

    // 打印 to a file makes the exported book, through the same whole-or-nothing
    // write: a file that reads as a PDF, and on a full disk the old file.
    void printToAFileWritesTheExportedBook() {
        auto& commands = *m_form->findChild<BookCommands*>("BookCommands");
        QString target;
        commands.setPrintDialog([&](QWidget*, QPrinter& printer) {
            printer.setOutputFileName(target);
            return true;
        });
        compute();
        target = m_dir.filePath("printed.pdf");
        m_form->findChild<QAction*>("actionPrintBook")->trigger();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n')));
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {target});
        QVERIFY(pdfinfo.waitForFinished());
        QCOMPARE(pdfinfo.exitCode(), 0);
        QFile printed(target);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.readAll().startsWith("%PDF-"));
    }

    // Exported or printed to a file where a file must not be written: the
    // place is left as it was, and the message says why in its own words.
    void bookToAPlaceThatMustNotBeWritten_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("print");
        for (const bool print : {false, true}) {
            for (const testing_support::WriteTargetCase& row : testing_support::writeTargetCases()) {
                QTest::addRow("%s, %s", print ? "打印" : "导出计算书", row.name)
                    << static_cast<int>(row.kind) << QString::fromUtf8(row.fault) << print;
            }
        }
    }
    void bookToAPlaceThatMustNotBeWritten() {
        QFETCH(int, kind);
        QFETCH(QString, fault);
        QFETCH(bool, print);
        const WriteTarget target(static_cast<TargetKind>(kind), "book.pdf");
        if (!target.skipReason().empty()) {
            QSKIP(target.skipReason().c_str());
        }
        auto& commands = *m_form->findChild<BookCommands*>("BookCommands");
        const QString path = QFile::decodeName(target.path().c_str());
        commands.setPdfChooser([&](QWidget*, const QString&) { return path; });
        commands.setPrintDialog([&](QWidget*, QPrinter& printer) {
            printer.setOutputFileName(path);
            return true;
        });
        compute();
        {
            std::optional<AsOrdinaryUser> user;
            if (target.needsOrdinaryUser() && !user.emplace().skipReason().empty()) {
                QSKIP(user->skipReason().c_str());
            }
            m_form->findChild<QAction*>(print ? "actionPrintBook" : "actionExportBook")->trigger();
        }
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains("计算书无法保存") && m_shown[0].contains(fault), qPrintable(m_shown[0]));
        QCOMPARE(QString::fromStdString(target.changed()), QString());
    }

    void exportWritesTheBookOrSaysWhyNot() {
        auto& book = *m_form->findChild<BookCommands*>("BookCommands");
        QString offeredPath;
        QString chosen;
        book.setPdfChooser([&](QWidget*, const QString& start) {
            offeredPath = start;
            return chosen;
        });
        QCOMPARE(book.defaultPdfName(), QString("计算书.pdf"));
        QVERIFY(commands().saveTo(m_dir.filePath("坡道.rampwall")));
        QCOMPARE(book.defaultPdfName(), QString("坡道.pdf"));
        design::ProjectInfo info = m_form->document().project();
        info.member = "WQ-1/2";
        m_form->setProject(info);
        compute();

        chosen = m_dir.filePath("book"); // the suffix is added
        m_form->findChild<QAction*>("actionExportBook")->trigger();
        QCOMPARE(offeredPath, m_dir.filePath("WQ-1_2.pdf"));
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n')));
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {m_dir.filePath("book.pdf")});
        QVERIFY(pdfinfo.waitForFinished());
        const QString report = QString::fromUtf8(pdfinfo.readAllStandardOutput());
        QVERIFY2(QRegularExpression(R"(Pages:\s+[1-9])").match(report).hasMatch(), qPrintable(report));

        QVERIFY(QDir(m_dir.path()).mkdir("folder.pdf"));
        for (const QString& bad : {m_dir.filePath("missing/b.pdf"), m_dir.filePath("folder.pdf")}) {
            m_shown.clear();
            chosen = bad;
            QVERIFY(!book.exportPdf());
            QCOMPARE(m_shown.size(), 1);
            QVERIFY(!QFileInfo(bad).isFile());
        }
    }
};

QTEST_MAIN(BookCommandsTest)
#include "book_commands_test.moc"
