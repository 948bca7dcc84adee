// The window on a real X server, where the clipboard belongs to whichever
// program last copied something, or to nobody: a paste from an empty
// clipboard, from one whose owner has quit, or from one that holds an image
// or a file list leaves every box as it was, by keys, by the context menu and
// by the middle button; and the seeded monkey runs with copy, cut, paste and
// select all in its hands.

// Mouse clicks go through the window system, as a real click does, so that
// the right button opens the context menu.
#define QTEST_QPA_MOUSE_HANDLING
#include "monkey.h"
#include "ui/look.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

using namespace rampwall;

namespace {

const char* const kHoldVariable = "RAMPWALL_TEST_HOLD_CLIPBOARD";

// "<image>", "<files>", any other text as itself; empty for nothing at all.
QMimeData* clipboardContent(const QByteArray& held) {
    if (held.isEmpty()) {
        return nullptr;
    }
    auto* data = new QMimeData;
    if (held == "<image>") {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        data->setImageData(image);
    } else if (held == "<files>") {
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/walls.csv"))});
    } else {
        data->setText(QString::fromUtf8(held));
    }
    return data;
}

// Another program that copies `held` and keeps the clipboard and the X
// selection until it is killed. Each change of hands is waited for, as the
// window has seen it before a user's next click.
struct ClipboardOwner {
    QProcess process;

    explicit ClipboardOwner(const QByteArray& held) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kHoldVariable), QString::fromUtf8(held));
        process.setProcessEnvironment(environment);
        handOver([this] {
            process.start(QCoreApplication::applicationFilePath(), {});
            process.waitForReadyRead(10000);
        });
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;
    ~ClipboardOwner() { quit(); }

    void quit() {
        if (process.state() != QProcess::NotRunning) {
            handOver([this] {
                process.kill();
                process.waitForFinished();
            });
        }
    }

    template <typename Change>
    static void handOver(Change change) {
        QSignalSpy clipboard(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        QSignalSpy selection(QGuiApplication::clipboard(), &QClipboard::selectionChanged);
        change();
        (void)QTest::qWaitFor([&] { return !clipboard.isEmpty() && !selection.isEmpty(); }, 5000);
    }
};

// A box as the user reaches it: a list takes the keys itself, the sheet
// takes the mouse on its viewport.
struct Box {
    QWidget* keys = nullptr;
    QLineEdit* line = nullptr;
    QPlainTextEdit* sheet = nullptr;

    QWidget* mouse() const { return line != nullptr ? static_cast<QWidget*>(line) : sheet->viewport(); }
    QString text() const { return line != nullptr ? line->text() : sheet->toPlainText(); }
    void setText(const QString& text) const { line != nullptr ? line->setText(text) : sheet->setPlainText(text); }
    void selectAll() const { line != nullptr ? line->selectAll() : sheet->selectAll(); }
};

Box boxIn(const Form1& form, Control control) {
    const QString name = q(controlName(control));
    if (auto* list = form.findChild<QComboBox*>(name)) {
        return {list, list->lineEdit(), nullptr};
    }
    if (auto* line = form.findChild<QLineEdit*>(name)) {
        return {line, line, nullptr};
    }
    auto* sheet = form.findChild<QPlainTextEdit*>(name);
    return {sheet, nullptr, sheet};
}

QMenu* openMenu(const Box& box) {
    QTest::mouseClick(box.mouse(), Qt::RightButton);
    const bool open = QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; });
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return open && menu != nullptr && QTest::qWaitForWindowExposed(menu) ? menu : nullptr;
}

// Clicks the menu's entry, found by its text as Qt words it, or closes the
// menu with Escape when the entry cannot be chosen.
void choose(QMenu* menu, const Box& box, const char* entry) {
    QVERIFY(menu != nullptr);
    const QString text = QCoreApplication::translate(box.line != nullptr ? "QLineEdit" : "QWidgetTextControl", entry);
    const QList<QAction*> actions = menu->actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&text](const QAction* action) {
        return action->text().section(QLatin1Char('\t'), 0, 0) == text;
    });
    QVERIFY2(found != actions.end(), entry);
    if ((*found)->isEnabled()) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*found).center());
    } else {
        QTest::keyClick(menu, Qt::Key_Escape);
    }
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
}

struct Command {
    const char* entry; // the context menu's
    std::array<QKeyCombination, 2> keys;
};
constexpr Command kCopy{"&Copy", {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}};
constexpr Command kCut{"Cu&t", {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}};
constexpr Command kPaste{"&Paste", {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}};

void press(const Box& box, QKeyCombination key) { QTest::keyClick(box.keys, key.key(), key.keyboardModifiers()); }

} // namespace

class X11WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<WindowMonkey> m_monkey;
    // The clipboard's text as the monkey put it there; empty while it holds
    // nothing a box can take.
    std::optional<QString> m_clip;

    // Select all, then copy, cut or paste, by keys or by the menu; or the
    // clipboard is emptied, or gets an image, a file list or text from elsewhere.
    void clipboardAction(TextSource& source) {
        const int kind = source.pick(0, 9);
        if (kind == 0) {
            const std::array<QByteArray, 4> held = {"", "<image>", "<files>", source.nonsense().toUtf8()};
            const std::size_t which = static_cast<std::size_t>(source.pick(0, 3));
            QGuiApplication::clipboard()->setMimeData(clipboardContent(held[which]));
            m_clip =
                which == 3 && !held[which].isEmpty() ? std::optional(QString::fromUtf8(held[which])) : std::nullopt;
            return;
        }
        const Control control = source.anyOf(kAllControls);
        const Box box = boxIn(*m_form, control);
        const bool byMenu = source.pick(0, 1) == 0;
        const Command& command = kind % 3 == 0 ? kCopy : kind % 3 == 1 ? kCut : kPaste;
        const QString before = box.text();
        if (byMenu) {
            choose(openMenu(box), box, "Select All");
            choose(openMenu(box), box, command.entry);
        } else {
            press(box, Qt::CTRL | Qt::Key_A);
            press(box, command.keys[static_cast<std::size_t>(source.pick(0, 1))]);
        }
        QString after = before;
        if (&command == &kPaste) {
            after = m_clip.value_or(before);
        } else if (!before.isEmpty()) {
            m_clip = before;
            after = &command == &kCut ? QString() : before;
        }
        QCOMPARE(box.text(), after);
        if (m_clip) {
            QCOMPARE(QGuiApplication::clipboard()->text(), *m_clip);
        }
        isList(control) ? m_monkey->listNowShows(control, after) : m_monkey->boxNowHolds(control, after);
    }

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        applyLook(*qApp);
    }

    void init() {
        QGuiApplication::clipboard()->clear();
        m_clip.reset();
        m_form = std::make_unique<Form1>();
        m_monkey = std::make_unique<WindowMonkey>(*m_form);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() {
        m_form.reset();
        m_monkey.reset();
    }

    void pastesFromEveryClipboard_data() {
        QTest::addColumn<QByteArray>("held");
        QTest::addColumn<bool>("ownerQuits"); // once the menu is open
        QTest::addColumn<QString>("pasted");
        QTest::newRow("nothing copied") << QByteArray() << false << QString();
        QTest::newRow("owner gone") << QByteArray("7.25") << true << QString();
        QTest::newRow("an image") << QByteArray("<image>") << false << QString();
        QTest::newRow("a file list") << QByteArray("<files>") << false << QString();
        QTest::newRow("text") << QByteArray("0.85") << false << QStringLiteral("0.85");
    }

    void pastesFromEveryClipboard() {
        QFETCH(QByteArray, held);
        QFETCH(bool, ownerQuits);
        QFETCH(QString, pasted);
        const QString typed = QStringLiteral("12.5");
        for (Control control : kAllControls) {
            const Box box = boxIn(*m_form, control);
            const auto check = [&](const char* how, const QString& expected) {
                QVERIFY2(box.text() == expected,
                         controlName(control).data() + QByteArray(" after ") + how + ": " + box.text().toUtf8());
            };
            // The X selection is this program's once it has selected text.
            QGuiApplication::clipboard()->clear(QClipboard::Selection);
            std::unique_ptr<ClipboardOwner> owner = held.isEmpty() ? nullptr : std::make_unique<ClipboardOwner>(held);
            box.setText(typed);
            box.selectAll();
            QMenu* menu = openMenu(box);
            if (ownerQuits) {
                owner->quit();
            }
            choose(menu, box, kPaste.entry);
            check("the menu's Paste", pasted.isEmpty() ? typed : pasted);
            // The middle button pastes the X selection where it clicks.
            box.setText(QString());
            QTest::mouseClick(box.mouse(), Qt::MiddleButton);
            check("the middle button", pasted);
            for (QKeyCombination key : kPaste.keys) {
                box.setText(typed);
                box.selectAll();
                press(box, key);
                check(qPrintable(QKeySequence(key).toString()), pasted.isEmpty() ? typed : pasted);
            }
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }

    void monkeyWithTheClipboard_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("seed 3") << 3U;
        QTest::newRow("seed 11") << 11U;
        QTest::newRow("seed 2718") << 2718U;
        QTest::newRow("seed 20240601") << 20240601U;
    }

    void monkeyWithTheClipboard() {
        QFETCH(unsigned, seed);
        // A fixed number of actions, not a time: the same seed makes the same
        // actions on any machine, however busy, so a failure replays.
        const int actions = 2500;
        TextSource source(seed);
        int step = 0;
        int withClipboard = 0;
        for (; step < actions; ++step) {
            if (source.pick(0, 99) < 30) {
                clipboardAction(source);
                ++withClipboard;
            } else {
                m_monkey->act(source, step);
            }
            if (QTest::currentTestFailed()) {
                qInfo("failed at action %d", step);
                return;
            }
        }
        qInfo("%d actions, %d of them with the clipboard", step, withClipboard);
        m_monkey->finish();
    }
};

// The test, or with kHoldVariable set the other program that holds the
// clipboard.
int main(int argc, char** argv) {
    const QByteArray held = qgetenv(kHoldVariable);
    if (!held.isEmpty()) {
        QGuiApplication app(argc, argv);
        QGuiApplication::clipboard()->setMimeData(clipboardContent(held), QClipboard::Clipboard);
        QGuiApplication::clipboard()->setMimeData(clipboardContent(held), QClipboard::Selection);
        std::puts("ready");
        std::fflush(stdout);
        return QGuiApplication::exec();
    }
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    X11WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "x11_window_test.moc"
