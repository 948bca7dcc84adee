// Design files in the window: saving and opening, the question about unsaved
// changes, bad files, failed saves, the remembered settings, the menu bar's
// commands and files dropped on the window or named on the command line.
#include "background_music.h"
#include "calculation_stop.h"
#include "control_table.h"
#include "design_document.h"
#include "form1.h"
#include "look.h"
#include "main_menu.h"
#include "settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using namespace rampwall;

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Awkward texts for the eleven boxes, in the file's order: blanks, full-width
// digits and exponents, all of which still compute.
const QStringList kTyped{" 0 ", "－０．５", "-1e0", "-4.5e+0", "３５０", " 50", "18 ", "1E1", "1.2", "100", "0.2"};

// Every box and list as the window shows it, the project and the results.
struct Snapshot {
    QStringList texts;
    QList<int> selections;
    design::ProjectInfo project;
    QString title;
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;     // message texts
    QStringList m_questions; // save questions asked
    DesignDocument::SaveAnswer m_answer = DesignDocument::SaveAnswer::Cancel;
    QString m_chosen; // what the file dialog returns
    QList<DesignDocument::FileDialog> m_dialogs;

    DesignDocument& document() { return mainMenuOf(*m_form)->document(); }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    void type(Control box, const QString& text) { m_form->findChild<QLineEdit*>(q(controlName(box)))->setText(text); }
    QComboBox* list(Control control) { return m_form->findChild<QComboBox*>(q(controlName(control))); }
    // The lists hold entries, or free text typed over them.
    static void typeDesign(Form1& form, bool freeText) {
        for (qsizetype i = 0; i < kTyped.size(); ++i) {
            form.findChild<QLineEdit*>(q(controlName(design::kDesignInputs[i].control)))->setText(kTyped[i]);
        }
        form.findChild<QComboBox*>("Combo1")->setCurrentIndex(3);
        form.findChild<QComboBox*>("Combo2")->setCurrentIndex(1);
        if (freeText) {
            form.findChild<QComboBox*>("Combo2")->setEditText("HRB335");
            // Typed over 情况A: the text of an entry, yet no entry is selected.
            form.findChild<QComboBox*>("Combo3")->setEditText("情况B");
        }
    }
    Snapshot snapshot() {
        Snapshot shot{{}, {}, document().projectInfo(), m_form->windowTitle()};
        for (Control control : kAllControls) {
            shot.texts << q(m_form->readText(control));
            shot.selections << (isList(control) ? m_form->selectedIndex(control) : 0);
        }
        return shot;
    }
    QString write(const char* name, const QByteArray& bytes) {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QAction* action(const char* name) { return m_form->findChild<QAction*>(QLatin1String(name)); }

private slots:
    void initTestCase() {
        applyLook(*qApp);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("config"));
    }

    void init() {
        QFile::remove(m_dir.filePath("config/rampwall/rampwall.ini"));
        m_shown.clear();
        m_questions.clear();
        m_dialogs.clear();
        m_answer = DesignDocument::SaveAnswer::Cancel;
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        document().setSaveQuestion([this](QWidget*, const QString& question) {
            m_questions << question;
            return m_answer;
        });
        document().setFileChooser([this](QWidget*, DesignDocument::FileDialog dialog, const QString&) {
            m_dialogs << dialog;
            return m_chosen;
        });
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup() { m_form.reset(); }

    void saveThenOpenGivesBackEveryBoxAndList() {
        typeDesign(*m_form, true);
        document().setProjectInfo({"地下车库", "WQ-1", "张三", "", "", "2024-05-06"});
        QVERIFY(document().saveTo(path("wall.rampwall")));
        const Snapshot saved = snapshot();
        QCOMPARE(saved.title, QString("坡道外墙配筋计算 - wall.rampwall"));
        QCOMPARE(saved.selections.mid(kAllControls.size() - 3), (QList<int>{3, -1, -1}));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);

        QVERIFY(document().newDesign());
        QCOMPARE(m_form->readText(Control::Text4), std::string("350"));
        QVERIFY(document().openFile(path("wall.rampwall")));
        QCOMPARE(snapshot(), saved); // results and sheet cleared as well
        QVERIFY(m_questions.isEmpty());
    }

    void openedDesignComputesAsTypingIt() {
        Form1 typed;
        typed.setMessagePresenter([](QWidget*, const QString&, const QString&) {});
        typeDesign(typed, false);
        QTest::mouseClick(typed.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        typeDesign(*m_form, false);
        QVERIFY(document().saveTo(path("typed.rampwall")));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        type(Control::Text4, "250");
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);

        m_answer = DesignDocument::SaveAnswer::Discard;
        QVERIFY(document().openFile(path("typed.rampwall")));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        for (Control control : kAllControls) {
            QCOMPARE(q(m_form->readText(control)), q(typed.readText(control)));
        }
        QVERIFY(m_form->readText(Control::Text12).starts_with("1."));
    }

    void unsavedChangesQuestionAppearsExactlyWhenItShould() {
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton); // results are no change
        QVERIFY(document().newDesign());
        type(Control::Text4, "400");
        type(Control::Text4, "350"); // typed back: nothing to save
        QVERIFY(document().newDesign());
        QVERIFY(m_questions.isEmpty());

        type(Control::Text15, "20");
        QVERIFY(m_form->windowTitle().endsWith('*'));
        QVERIFY(!document().newDesign()); // 取消 keeps the design
        QCOMPARE(m_form->readText(Control::Text15), std::string("20"));
        m_answer = DesignDocument::SaveAnswer::Save;
        m_chosen = path("surcharge"); // the dialog adds the suffix
        QVERIFY(document().newDesign());
        QCOMPARE(m_questions.size(), 2);
        QVERIFY(QFile::exists(path("surcharge.rampwall")));

        list(Control::Combo3)->setCurrentIndex(1);
        m_answer = DesignDocument::SaveAnswer::Cancel;
        QVERIFY(!m_form->close()); // closing asks too, and 取消 keeps it open
        m_answer = DesignDocument::SaveAnswer::Discard;
        document().setProjectInfo({"另一个工程", "", "", "", "", ""});
        QVERIFY(m_form->close());
        QCOMPARE(m_questions.size(), 4);
    }

    void badFileLeavesTheWindowUnchanged_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        QTest::newRow("not JSON") << write("a.rampwall", "坡道外墙") << "不是 JSON 格式";
        QTest::newRow("not a design") << write("b.rampwall", "{\"type\": \"FeatureCollection\"}") << "缺少格式名";
        QTest::newRow("wrong type") << write("c.rampwall",
                                             R"({"format": "rampwall-design", "version": 1, "inputs": {"h5": 350}})")
                                    << "“inputs”中的“h5”应为带引号的文字";
        QTest::newRow("unknown entry")
            << write("d.rampwall", R"({"format": "rampwall-design", "version": 1, "inputs": {"steel": "HRB500"}})")
            << "没有“HRB500”这一项";
        QTest::newRow("several MB") << write("e.rampwall", QByteArray(3 << 20, ' ')) << "太大了";
        QTest::newRow("folder") << m_dir.path() << "这是一个文件夹";
        QTest::newRow("missing") << path("none.rampwall") << "不存在";
        const QString locked = write("f.rampwall", "{}");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        QTest::newRow("no read permission") << locked << "没有读取这个文件的权限";
    }
    void badFileLeavesTheWindowUnchanged() {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        if (fault.contains("权限") && ::geteuid() == 0) {
            QSKIP("root reads any file; the design library's test covers this as an ordinary user");
        }
        type(Control::Text4, "400");
        const Snapshot before = snapshot();
        QVERIFY(!document().openFile(file));
        QCOMPARE(snapshot(), before);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains(file) && m_shown[0].contains(fault), qPrintable(m_shown[0]));
        QVERIFY(m_questions.isEmpty()); // refused before asking about the typed change
    }

    void failedSaveKeepsTheOldFile() {
        QVERIFY(document().saveTo(path("old.rampwall")));
        QFile old(path("old.rampwall"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        type(Control::Text4, "500");
        // A disk that fills up: writes beyond 16 bytes fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit saved = limit;
        limit.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = document().save();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains("无法保存设计文件") && m_shown[0].contains(path("old.rampwall")),
                 qPrintable(m_shown[0]));
        old.seek(0);
        QCOMPARE(old.readAll(), before);
        QVERIFY(m_form->windowTitle().endsWith('*'));
        QCOMPARE(QDir(m_dir.path()).entryList({"*old*"}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void settingsAreRememberedAndDamageIsIgnored() {
        for (int i = 0; i < 10; ++i) {
            QVERIFY(document().saveTo(path("w%1.rampwall").arg(i)));
        }
        action("actionMusic")->setChecked(false);
        QVERIFY(m_form->findChild<QObject*>("WindowsMediaPlayer1") == nullptr);
        m_form->move(40, 30);
        QVERIFY(m_form->close());
        {
            const Settings settings;
            QCOMPARE(settings.recentFiles().size(), Settings::kMaxRecentFiles);
            QCOMPARE(settings.recentFiles().front(), path("w9.rampwall"));
            QCOMPARE(settings.lastFolder(), m_dir.path());
            QVERIFY(!settings.musicOn());
            QCOMPARE(settings.windowPosition(), std::optional<QPoint>(m_form->pos()));
        }
        QFile::remove(path("w9.rampwall"));
        Form1 again;
        again.setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        QVERIFY(!again.findChild<QAction*>("actionMusic")->isChecked());
        QVERIFY(!mainMenuOf(again)->document().openRecent(path("w9.rampwall")));
        QVERIFY(m_shown.size() == 1 && m_shown[0].contains("已不存在"));
        QCOMPARE(Settings().recentFiles().front(), path("w8.rampwall"));
        again.findChild<QAction*>("actionMusic")->setChecked(true);
        QVERIFY(again.findChild<QObject*>("WindowsMediaPlayer1") != nullptr);
        // --no-music wins over the remembered switch, for this run only.
        BackgroundMusic::setSwitchedOff(true);
        const Form1 quiet;
        BackgroundMusic::setSwitchedOff(false);
        QVERIFY(!quiet.findChild<QAction*>("actionMusic")->isChecked());
        QVERIFY(quiet.findChild<BackgroundMusic*>()->source().isEmpty());
        QVERIFY(Settings().musicOn());

        // A damaged file: the defaults, and a clean file written over it.
        const QString file = m_dir.filePath("config/rampwall/rampwall.ini");
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("[options\nmusic=\"false\n\xff\xfe[window]\nposition=@Point(1\n");
        damaged.close();
        Settings settings;
        QVERIFY(settings.musicOn() && !settings.windowPosition() && settings.recentFiles().isEmpty());
    }

    void menuCommandsShortcutsDropsAndCommandLineReachTheDocument() {
        // Ctrl+O, Ctrl+S and Ctrl+Shift+S ask for a file; cancelled, nothing changes.
        m_chosen.clear();
        QTest::keyClick(m_form.get(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        using Dialog = DesignDocument::FileDialog;
        QCOMPARE(m_dialogs, (QList<Dialog>{Dialog::Open, Dialog::Save, Dialog::Save}));

        // 工程信息: a field typed in the dialog reaches the design; the date
        // starts as today.
        QTimer::singleShot(0, this, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("checker")->setText("李四");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(document().editProjectInfo());
        QCOMPARE(document().projectInfo().checker, std::string("李四"));
        QCOMPARE(q(document().projectInfo().date), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(m_form->windowTitle().endsWith('*'));
        QVERIFY(document().saveTo(path("info.rampwall")));

        action("actionHelp")->trigger();
        action("actionAbout")->trigger();
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[0], q(kHelpText));
        for (const QString& part : {QString(RAMPWALL_VERSION), QString("MIT"), QString(qVersion())}) {
            QVERIFY2(m_shown[1].contains(part), qPrintable(part));
        }

        // A design dropped on a box opens; the box does not take the path as text.
        type(Control::Text4, "420");
        QVERIFY(document().saveTo(path("dropped.rampwall")));
        QVERIFY(document().newDesign());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path("dropped.rampwall"))});
        data.setText(path("dropped.rampwall"));
        QWidget* target = m_form->findChild<QLineEdit*>("Text4");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QTRY_COMPARE(m_form->readText(Control::Text4), std::string("420"));

        QVERIFY(document().newDesign());
        mainMenuOf(*m_form)->openFromCommandLine({"rampwall", "--no-music", path("dropped.rampwall")});
        QCOMPARE(document().filePath(), path("dropped.rampwall"));
        QCOMPARE(m_form->readText(Control::Text4), std::string("420"));
    }
};

QTEST_MAIN(DesignDocumentTest)
#include "design_document_test.moc"
