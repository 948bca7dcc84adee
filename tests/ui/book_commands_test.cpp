// The window's calculation-book commands: offered only for the inputs of the
// last completed run, and an export that writes a whole PDF or says why not.
#include "book_commands.h"
#include "control_table.h"
#include "design_document.h"
#include "form1.h"
#include "look.h"
#include "main_menu.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace rampwall;

class BookCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;

    DesignDocument& document() { return mainMenuOf(*m_form)->document(); }
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
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("config"));
    }

    void init() {
        m_shown.clear();
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        document().setSaveQuestion([](QWidget*, const QString&) { return DesignDocument::SaveAnswer::Discard; });
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
        {
            // Unseen by the edit watch, so only the stop itself can grey them.
            const QSignalBlocker quiet(box("Text13"));
            box("Text13")->setText("abc");
        }
        compute();
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(!offered());
        box("Text13")->setText("50");
        compute();
        QVERIFY(offered());
        QVERIFY(document().saveTo(m_dir.filePath("wall.rampwall")));
        QVERIFY(offered()); // saving changes no input
        QVERIFY(document().newDesign());
        QVERIFY(!offered());
        compute();
        QVERIFY(document().openFile(m_dir.filePath("wall.rampwall")));
        QVERIFY(!offered());
    }

    void exportWritesTheBookOrSaysWhyNot() {
        auto& commands = *m_form->findChild<BookCommands*>("BookCommands");
        QString offeredPath;
        QString chosen;
        commands.setPdfChooser([&](QWidget*, const QString& start) {
            offeredPath = start;
            return chosen;
        });
        QCOMPARE(commands.defaultPdfName(), QString("计算书.pdf"));
        QVERIFY(document().saveTo(m_dir.filePath("坡道.rampwall")));
        QCOMPARE(commands.defaultPdfName(), QString("坡道.pdf"));
        design::ProjectInfo info = document().projectInfo();
        info.member = "WQ-1/2";
        document().setProjectInfo(info);
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
            QVERIFY(!commands.exportPdf());
            QCOMPARE(m_shown.size(), 1);
            QVERIFY(!QFileInfo(bad).isFile());
        }
    }
};

QTEST_MAIN(BookCommandsTest)
#include "book_commands_test.moc"
