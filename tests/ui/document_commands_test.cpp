// Design files in the window: saving and opening, the question about unsaved
// changes, bad files, failed saves, the remembered settings, the menu bar's
// commands and files dropped on the window or named on the command line.
#include "calc/calculation_stop.h"
#include "calc/control_table.h"
#include "calc/version.h"
#include "support/write_targets.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/main_menu.h"
#include "ui/media/background_music.h"
#include "ui/settings.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace rampwall;
using testing_support::AsOrdinaryUser;
using testing_support::TargetKind;
using testing_support::WriteTarget;

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

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;     // message texts
    QStringList m_questions; // save questions asked
    DocumentCommands::SaveAnswer m_answer = DocumentCommands::SaveAnswer::Cancel;
    QString m_chosen; // what the file dialog returns
    QList<DocumentCommands::FileDialog> m_dialogs;

    DocumentCommands& commands() { return mainMenuOf(*m_form)->commands(); }
    const design::DesignDocument& document() const { return m_form->document(); }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    void type(Control box, const QString& text) { m_form->findChild<QLineEdit*>(q(controlName(box)))->setText(text); }
    QComboBox* list(Control control) { return m_form->findChild<QComboBox*>(q(controlName(control))); }
    // The lists hold entries, or free text typed over them; typed text that
    // is an entry's selects it.
    static void typeDesign(Form1& form, bool freeText) {
        for (qsizetype i = 0; i < kTyped.size(); ++i) {
            form.findChild<QLineEdit*>(q(controlName(kInputs[static_cast<std::size_t>(i)].control)))
                ->setText(kTyped[i]);
        }
        form.findChild<QComboBox*>("Combo1")->setCurrentIndex(3);
        form.findChild<QComboBox*>("Combo2")->setCurrentIndex(1);
        if (freeText) {
            form.findChild<QComboBox*>("Combo2")->setEditText("HRB335");
            // Typed over 情况A: the text of an entry, which selects it.
            form.findChild<QComboBox*>("Combo3")->setEditText("情况B");
        }
    }
    Snapshot snapshot() {
        Snapshot shot{{}, {}, document().project(), m_form->windowTitle()};
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
        // The settings file of every window here is under the test's own folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
    }

    void init() {
        QFile::remove(m_dir.filePath("config/rampwall/rampwall.ini"));
        m_shown.clear();
        m_questions.clear();
        m_dialogs.clear();
        m_answer = DocumentCommands::SaveAnswer::Cancel;
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        commands().setSaveQuestion([this](QWidget*, const QString& question) {
            m_questions << question;
            return m_answer;
        });
        commands().setFileChooser([this](QWidget*, DocumentCommands::FileDialog dialog, const QString&) {
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
        m_form->setProject({"地下车库", "WQ-1", "张三", "", "", "2024-05-06"});
        QVERIFY(commands().saveTo(path("wall.rampwall")));
        const Snapshot saved = snapshot();
        QCOMPARE(saved.title, QString("坡道外墙配筋计算 - wall.rampwall"));
        QCOMPARE(saved.selections.mid(kAllControls.size() - 3), (QList<int>{3, -1, 1}));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);

        QVERIFY(commands().newDesign());
        QCOMPARE(m_form->readText(Control::Text4), std::string("350"));
        QVERIFY(commands().openFile(path("wall.rampwall")));
        QCOMPARE(snapshot(), saved); // results and sheet cleared as well
        QVERIFY(m_questions.isEmpty());
    }

    void freeTextThatReadsAsAnEntryStaysFreeText() {
        // Only a file can hold it: typing an entry's text selects the entry.
        const QString file = write(
            "free.rampwall", R"({"format": "rampwall-design", "version": 1, "inputs": {"case": {"text": "情况B"}}})");
        QVERIFY(commands().openFile(file));
        QCOMPARE(m_form->readText(Control::Combo3), std::string("情况B"));
        QCOMPARE(m_form->selectedIndex(Control::Combo3), -1);
        QCOMPARE(document().form().shownEntry(Control::Combo3), -1);
        QVERIFY(!document().isModified());
        // No load case chosen: the run writes nothing.
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(m_form->readText(Control::Text6), std::string());
        QVERIFY(m_shown.isEmpty());
        QVERIFY(commands().saveTo(path("again.rampwall")));
        QFile again(path("again.rampwall"));
        QVERIFY(again.open(QIODevice::ReadOnly));
        const design::ParseResult saved = design::parse(again.readAll().toStdString(), document().startupDesign());
        QVERIFY(saved.design);
        QCOMPARE(saved.design->inputs[*inputByKey("case")], (design::InputValue{"情况B", true}));

        // Choosing the entry it reads as selects it; the text stays the same.
        list(Control::Combo3)->setCurrentIndex(1);
        QCOMPARE(m_form->selectedIndex(Control::Combo3), 1);
        QCOMPARE(document().form().shownEntry(Control::Combo3), 1);
        QVERIFY(document().isModified());
    }

    void openedDesignComputesAsTypingIt() {
        Form1 typed;
        typed.setMessagePresenter([](QWidget*, const QString&, const QString&) {});
        typeDesign(typed, false);
        QTest::mouseClick(typed.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        typeDesign(*m_form, false);
        QVERIFY(commands().saveTo(path("typed.rampwall")));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        type(Control::Text4, "250");
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);

        m_answer = DocumentCommands::SaveAnswer::Discard;
        QVERIFY(commands().openFile(path("typed.rampwall")));
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        for (Control control : kAllControls) {
            QCOMPARE(q(m_form->readText(control)), q(typed.readText(control)));
        }
        QVERIFY(m_form->readText(Control::Text12).starts_with("1."));
    }

    void unsavedChangesQuestionAppearsExactlyWhenItShould() {
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command1"), Qt::LeftButton); // results are no change
        QVERIFY(commands().newDesign());
        type(Control::Text4, "400");
        type(Control::Text4, "350"); // typed back: nothing to save
        QVERIFY(commands().newDesign());
        QVERIFY(m_questions.isEmpty());

        type(Control::Text15, "20");
        QVERIFY(m_form->windowTitle().endsWith('*'));
        QVERIFY(!commands().newDesign()); // 取消 keeps the design
        QCOMPARE(m_form->readText(Control::Text15), std::string("20"));
        m_answer = DocumentCommands::SaveAnswer::Save;
        m_chosen = path("surcharge"); // the dialog adds the suffix
        QVERIFY(commands().newDesign());
        QCOMPARE(m_questions.size(), 2);
        QVERIFY(QFile::exists(path("surcharge.rampwall")));

        list(Control::Combo3)->setCurrentIndex(1);
        m_answer = DocumentCommands::SaveAnswer::Cancel;
        QVERIFY(!m_form->close()); // closing asks too, and 取消 keeps it open
        m_answer = DocumentCommands::SaveAnswer::Discard;
        m_form->setProject({"另一个工程", "", "", "", "", ""});
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
        QTest::newRow("several MB") << write("e.rampwall", QByteArray(5 << 20, ' ')) << "超出了设计文件的上限";
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
        QVERIFY(!commands().openFile(file));
        QCOMPARE(snapshot(), before);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains(file) && m_shown[0].contains(fault), qPrintable(m_shown[0]));
        QVERIFY(m_questions.isEmpty()); // refused before asking about the typed change
    }

    void failedSaveKeepsTheOldFile() {
        QVERIFY(commands().saveTo(path("old.rampwall")));
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
        const bool written = commands().save();
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
            QVERIFY(commands().saveTo(path("w%1.rampwall").arg(i)));
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
        QVERIFY(!mainMenuOf(again)->commands().openRecent(path("w9.rampwall")));
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
        using Dialog = DocumentCommands::FileDialog;
        QCOMPARE(m_dialogs, (QList<Dialog>{Dialog::Open, Dialog::Save, Dialog::Save}));

        // 工程信息: a field typed in the dialog reaches the design; the date
        // starts as today.
        QTimer::singleShot(0, this, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("checker")->setText("李四");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(commands().editProjectInfo());
        QCOMPARE(document().project().checker, std::string("李四"));
        QCOMPARE(q(document().project().date), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(m_form->windowTitle().endsWith('*'));
        QVERIFY(commands().saveTo(path("info.rampwall")));

        action("actionHelp")->trigger();
        action("actionAbout")->trigger();
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[0], q(kHelpText));
        for (const QString& part : {QString(RAMPWALL_VERSION), QString("MIT"), QString(qVersion())}) {
            QVERIFY2(m_shown[1].contains(part), qPrintable(part));
        }

        // A design dropped on a box opens; the box does not take the path as text.
        type(Control::Text4, "420");
        QVERIFY(commands().saveTo(path("dropped.rampwall")));
        QVERIFY(commands().newDesign());
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

        QVERIFY(commands().newDesign());
        mainMenuOf(*m_form)->openFromCommandLine(
            {"rampwall", "--no-music", QFile::encodeName(path("dropped.rampwall"))});
        QCOMPARE(commands().filePath(), path("dropped.rampwall"));
        QCOMPARE(m_form->readText(Control::Text4), std::string("420"));
    }

    // `rampwall ARGUMENTS`, run in the test's folder: the design it opens,
    // and the one message it shows.
    void commandLine_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("said");
        QTest::newRow("a file") << QByteArrayList{"a.rampwall"} << "a.rampwall"
                                << "";
        QTest::newRow("--no-music, then a file") << QByteArrayList{"--no-music", "a.rampwall"} << "a.rampwall"
                                                 << "";
        // The system gives names as bytes; Qt holds only UTF-8 ones.
        QTest::newRow("a name that is not UTF-8") << QByteArrayList{"\xB5\xC0.rampwall"} << ""
                                                  << "文件名不是 UTF-8 编码";
        QTest::newRow("-99.rampwall, not an option") << QByteArrayList{"-99.rampwall"} << ""
                                                     << "“-99.rampwall”不是本程序的选项";
        QTest::newRow("-- -99.rampwall") << QByteArrayList{"--", "-99.rampwall"} << "-99.rampwall"
                                         << "";
        QTest::newRow("not an option, then a file") << QByteArrayList{"-x", "a.rampwall"} << "a.rampwall"
                                                    << "“-x”不是本程序的选项";
    }
    void commandLine() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QString, opened);
        QFETCH(QString, said);
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        type(Control::Text4, "420");
        for (const QByteArray& name :
             {QByteArray("a.rampwall"), QByteArray("-99.rampwall"), QByteArray("\xB5\xC0.rampwall")}) {
            QVERIFY(commands().saveTo(path("saved.rampwall")));
            QVERIFY(::rename(QFile::encodeName(path("saved.rampwall")).constData(), name.constData()) == 0);
        }
        QVERIFY(commands().newDesign());
        mainMenuOf(*m_form)->openFromCommandLine(QByteArrayList{"rampwall"} + arguments);
        // Qt could not remove it with the folder: its name is not UTF-8.
        ::unlink("\xB5\xC0.rampwall");
        QDir::setCurrent(here);
        QCOMPARE(commands().filePath(), opened.isEmpty() ? QString() : path(qPrintable(opened)));
        QCOMPARE(m_form->readText(Control::Text4), std::string(opened.isEmpty() ? "350" : "420"));
        QCOMPARE(m_shown.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty()) {
            QVERIFY2(m_shown[0].contains(said) && !m_shown[0].contains("不存在"), qPrintable(m_shown[0]));
        }
    }

    // A paste into a box is cut at what the box holds (the sheet takes all of
    // it), and a window full to the last box and project field saves a file
    // that opens again as it was.
    void aFullWindowSavesADesignThatOpensAgain() {
        const QString huge(design::kMaxBoxCharacters + 1000, QChar(0x5899)); // 墙
        QGuiApplication::clipboard()->setText(huge);
        // Pasted into a box and a list (Qt takes a while over a paste this
        // long), put into the others.
        for (const InputRow& input : kInputs) {
            QWidget* box = m_form->findChild<QWidget*>(q(controlName(input.control)));
            if (input.control == Control::Text4 || input.control == Control::Combo2) {
                box->setFocus();
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            } else {
                m_form->replaceText(input.control, huge.toStdString());
            }
            QCOMPARE(q(m_form->readText(input.control)).size(), design::kMaxBoxCharacters);
        }
        auto* sheet = m_form->findChild<QPlainTextEdit*>("Text12");
        sheet->setFocus();
        QTest::keyClick(sheet, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(sheet, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(sheet->toPlainText(), huge);
        QTimer::singleShot(0, this, [huge] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
                field->setText(huge);
            }
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(commands().editProjectInfo());
        QCOMPARE(q(document().project().approver).size(), design::kMaxBoxCharacters);

        QVERIFY(commands().saveTo(path("full.rampwall")));
        const design::DesignFile saved = document().current();
        QVERIFY(commands().newDesign());
        QVERIFY(commands().openFile(path("full.rampwall")));
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n').left(300)));
        QVERIFY(document().current() == saved);
        QVERIFY(!document().isModified());
    }

    // Texts whose escapes take six bytes a character can make a design larger
    // than the window opens: it is not saved, the message names the text.
    void aDesignTooLargeToOpenAgainIsNotSaved() {
        const QString controls(design::kMaxBoxCharacters, QChar(1));
        for (std::size_t i = 0; i < kBoxInputCount; ++i) {
            type(kInputs[i].control, controls);
        }
        QVERIFY(!commands().saveTo(path("huge.rampwall")));
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains("“inputs”中的“h1”") && m_shown[0].contains("上限"), qPrintable(m_shown[0]));
        QVERIFY(!QFile::exists(path("huge.rampwall")));
    }

    // Saved where a file must not be written: the place is left as it was,
    // and the message says why in the words of its cause.
    void saveToAPlaceThatMustNotBeWritten_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fault");
        for (const testing_support::WriteTargetCase& row : testing_support::writeTargetCases()) {
            QTest::newRow(row.name) << static_cast<int>(row.kind) << QString::fromUtf8(row.fault);
        }
    }
    void saveToAPlaceThatMustNotBeWritten() {
        QFETCH(int, kind);
        QFETCH(QString, fault);
        const WriteTarget target(static_cast<TargetKind>(kind), "wall.rampwall");
        if (!target.skipReason().empty()) {
            QSKIP(target.skipReason().c_str());
        }
        type(Control::Text4, "400");
        bool saved = true;
        {
            std::optional<AsOrdinaryUser> user;
            if (target.needsOrdinaryUser() && !user.emplace().skipReason().empty()) {
                QSKIP(user->skipReason().c_str());
            }
            saved = commands().saveTo(QFile::decodeName(target.path().c_str()));
        }
        QVERIFY(!saved);
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].contains("无法保存设计文件") && m_shown[0].contains(fault), qPrintable(m_shown[0]));
        QCOMPARE(QString::fromStdString(target.changed()), QString());
        QVERIFY(m_form->windowTitle().endsWith('*'));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
