// The monkey's model of the window and its seeded actions, shared by the
// offscreen monkey and the one on a real X server: typing realistic, odd and
// meaningless texts into the input boxes, the output boxes and the lists,
// choosing list entries, pressing Compute and Help. After every Compute the
// window must still be usable, no message may be the one for an unexpected
// failure, each output box must hold a well-formed number, the bar text
// "太大了", or what it held before, and the window must show what the
// headless window shows for the same inputs and the same design state.
#pragma once

#include "calc/calculation_stop.h"
#include "calc/compute.h"
#include "calc/control_table.h"
#include "calc/headless_window.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/main_menu.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <array>
#include <random>
#include <vector>

namespace rampwall {

inline QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

struct Shown {
    QString text;
    QString title;
    bool operator==(const Shown&) const = default;
};

constexpr std::array<Control, 11> kBoxes = {
    Control::Text1,  Control::Text2,  Control::Text3,  Control::Text16, Control::Text4,  Control::Text5,
    Control::Text13, Control::Text14, Control::Text15, Control::Text8,  Control::Text10,
};
constexpr std::array<Control, 3> kLists = {Control::Combo1, Control::Combo2, Control::Combo3};

// What a user might type into one box: values a designer uses, edge values
// and plain nonsense.
class TextSource {
public:
    explicit TextSource(unsigned seed) : m_random(seed) {}

    QString forBox(Control box) {
        const int kind = pick(0, 99);
        if (kind < 70) {
            return realistic(box);
        }
        if (kind < 90) {
            return edge();
        }
        return nonsense();
    }

    // A whole design a user might enter: the elevations in a consistent
    // order for the load case (Case A: water table between soil and base;
    // Case B: at or below the base), every other value in its usual range.
    std::array<QString, 11> design(bool caseA) {
        const double h1 = std::uniform_real_distribution<double>(-0.5, 1)(m_random);
        const double h2 = h1 - std::uniform_real_distribution<double>(0, 1)(m_random);
        const double h4 = h2 - std::uniform_real_distribution<double>(1.5, 7)(m_random);
        const double h3 = caseA ? std::uniform_real_distribution<double>(h4, h2)(m_random)
                                : h4 - std::uniform_real_distribution<double>(0, 2)(m_random);
        return {QString::number(h1, 'f', 2), QString::number(h2, 'f', 2), QString::number(h3, 'f', 2),
                QString::number(h4, 'f', 2), realistic(Control::Text4),   realistic(Control::Text5),
                realistic(Control::Text13),  realistic(Control::Text14),  realistic(Control::Text15),
                realistic(Control::Text8),   realistic(Control::Text10)};
    }

    QString nonsense() {
        static const QString alphabet = QStringLiteral("0123456789.-+eE ,abcxyz，。中文０１２．－\u3000");
        QString text;
        const int length = pick(0, 8);
        for (int i = 0; i < length; ++i) {
            text += alphabet.at(pick(0, static_cast<int>(alphabet.size()) - 1));
        }
        return text;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    template <std::size_t N>
    Control anyOf(const std::array<Control, N>& controls) {
        return controls[static_cast<std::size_t>(pick(0, static_cast<int>(N) - 1))];
    }

private:
    QString decimal(double low, double high, int decimals) {
        const double value = std::uniform_real_distribution<double>(low, high)(m_random);
        return QString::number(value, 'f', decimals);
    }

    QString realistic(Control box) {
        switch (box) {
        case Control::Text1: return decimal(-1, 2, pick(0, 2));
        case Control::Text2: return decimal(-2, 0.5, pick(0, 2));
        case Control::Text3: return decimal(-6, 0, pick(0, 2));
        case Control::Text16: return decimal(-10, -2, pick(0, 2));
        case Control::Text4: return decimal(150, 800, 0);
        case Control::Text5: return decimal(1, 1.5, 2);
        case Control::Text13: return decimal(15, 80, pick(0, 1));
        case Control::Text14: return decimal(15, 22, pick(0, 1));
        case Control::Text15: return decimal(0, 30, 0);
        case Control::Text8: return decimal(0.05, 0.4, 2);
        case Control::Text10: return decimal(80, 250, 0);
        default: return decimal(0, 1000, 3);
        }
    }

    QString edge() {
        static const QStringList texts = {
            "0",      "-0",       "1e308",    "1e-300", "1e400", "0.0001", "99999999", ".5",  "5.",   "+3", " 42 ",
            "３５０", "－０．５", "\u300018", "",       "-",     "1,000",  "inf",      "nan", "0x10", "1e", "１ａ",
        };
        return texts.at(pick(0, static_cast<int>(texts.size()) - 1));
    }

    std::mt19937 m_random;
};

// "-"? ("0" | [1-9][0-9]*) ("." [0-9]*[1-9])? ("E" [+-] [0-9]{2,})?, with at
// most seven significant digits: the text of a rounded Single.
inline bool isSingleText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?(E[+-][0-9]{2,})?$"));
    if (!form.match(text).hasMatch() || text == QStringLiteral("-0")) {
        return false;
    }
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("E.*$")));
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    while (digits.startsWith(QLatin1Char('0')) && digits.size() > 1) {
        digits.remove(0, 1);
    }
    return digits.size() <= 7;
}

inline bool isWholeNumber(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]*$"));
    return form.match(text).hasMatch();
}

// What the user has typed and chosen, kept apart from the window, and the
// actions that change it. Lives no longer than the window it drives.
class WindowMonkey {
public:
    explicit WindowMonkey(Form1& form) : m_form(form) {
        m_form.setMessagePresenter([this](QWidget*, const QString& text, const QString& title) {
            m_shown.push_back({text, title});
        });
        for (Control box : kAllControls) {
            if (!isList(box)) {
                m_typed[slot(box)] = q(initialText(box));
            }
        }
    }
    WindowMonkey(const WindowMonkey&) = delete;
    WindowMonkey& operator=(const WindowMonkey&) = delete;

    // One seeded action: typing, choosing, Compute or Help.
    void act(TextSource& source, int step) {
        const int action = source.pick(0, 99);
        if (action < 8) {
            const bool caseA = source.pick(0, 1) == 0;
            const std::array<QString, 11> texts = source.design(caseA);
            for (std::size_t i = 0; i < kBoxes.size(); ++i) {
                typeIntoBox(kBoxes[i], texts[i]);
            }
            chooseEntry(Control::Combo1, source.pick(0, list(Control::Combo1)->count() - 1));
            chooseEntry(Control::Combo2, source.pick(0, list(Control::Combo2)->count() - 1));
            chooseEntry(Control::Combo3, caseA ? 0 : 1);
        } else if (action < 43) {
            const Control box = source.anyOf(kBoxes);
            typeIntoBox(box, source.forBox(box));
        } else if (action < 51) {
            // Output boxes take typing too; Compute overwrites what it reaches.
            const Control box = source.anyOf(kResultBoxes);
            typeInto(edit(box), source.nonsense());
        } else if (action < 56) {
            const Control control = source.anyOf(kLists);
            typeIntoList(control, source.nonsense());
        } else if (action < 68) {
            const Control control = source.anyOf(kLists);
            chooseEntry(control, source.pick(0, list(control)->count() - 1));
        } else if (action < 97) {
            computeAndCheck(step);
            ++m_computes;
        } else {
            help(step);
        }
    }

    // An input box now holds this text, however it got there.
    void boxNowHolds(Control box, const QString& text) { m_typed[slot(box)] = text; }

    // A list showing exactly an entry's text has that entry selected, any
    // other text none.
    void listNowShows(Control control, const QString& text) {
        const QComboBox* combo = list(control);
        int& selected = m_selected[slot(control)];
        if (selected < 0 || combo->itemText(selected) != text) {
            selected = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        }
    }

    // The run's summary and its last checks.
    void finish() {
        qInfo("%d computes: %d completed, %d stopped, %d without a load case", m_computes, m_outcomes[0], m_outcomes[1],
              m_outcomes[2]);
        // Enough runs get through to the sheet for the comparison to mean something.
        QVERIFY(m_outcomes[0] > m_computes / 10);

        // The window still closes with Exit at the end of it all, once the
        // user has declined to save what was typed.
        int asked = 0;
        mainMenuOf(m_form)->commands().setSaveQuestion([&asked](QWidget*, const QString&) {
            ++asked;
            return DocumentCommands::SaveAnswer::Discard;
        });
        QTest::mouseClick(button("Command3"), Qt::LeftButton);
        QVERIFY(!m_form.isVisible());
        QCOMPARE(asked, 1);
    }

private:
    Form1& m_form;
    std::vector<Shown> m_shown;
    std::array<QString, kAllControls.size()> m_typed;
    std::array<int, kAllControls.size()> m_selected{};
    std::array<int, 3> m_outcomes{}; // completed, stopped, no load case

    static std::size_t slot(Control control) { return static_cast<std::size_t>(control); }
    QLineEdit* edit(Control box) const { return m_form.findChild<QLineEdit*>(q(controlName(box))); }
    QComboBox* list(Control control) const { return m_form.findChild<QComboBox*>(q(controlName(control))); }
    QPushButton* button(const char* name) const { return m_form.findChild<QPushButton*>(QLatin1String(name)); }

    // Replaces the field's text key by key: select all, then type, or erase.
    static void typeInto(QLineEdit* field, const QString& text) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Backspace);
            return;
        }
        // QTest::keyClicks narrows to Latin-1; a Chinese input method delivers
        // whole characters as key text, and so does this.
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(field, &press);
            QApplication::sendEvent(field, &release);
        }
    }

    void typeIntoBox(Control box, const QString& text) {
        typeInto(edit(box), text);
        m_typed[slot(box)] = text;
    }

    void typeIntoList(Control control, const QString& text) {
        typeInto(list(control)->lineEdit(), text);
        listNowShows(control, text);
    }

    void chooseEntry(Control control, int index) {
        list(control)->setCurrentIndex(index);
        m_selected[slot(control)] = index;
    }

    // The window reads back exactly what the user typed and chose, and the
    // design it shows holds the same.
    void verifyInputsAsEntered() {
        const design::DesignDocument& document = m_form.document();
        for (Control box : kBoxes) {
            QCOMPARE(q(m_form.readText(box)), m_typed[slot(box)]);
            QCOMPARE(q(document.text(box)), m_typed[slot(box)]);
        }
        for (Control control : kLists) {
            QCOMPARE(m_form.selectedIndex(control), m_selected[slot(control)]);
            QCOMPARE(document.form().shownEntry(control), m_selected[slot(control)]);
            QCOMPARE(q(document.text(control)), q(m_form.readText(control)));
        }
    }

    void computeAndCheck(int step) {
        verifyInputsAsEntered();
        if (QTest::currentTestFailed()) {
            return;
        }

        // The same run on the headless window, from the same state and texts.
        DesignState mirrorState = m_form.document().state();
        HeadlessWindow mirror;
        for (Control box : kBoxes) {
            mirror.setText(box, m_typed[slot(box)].toStdString());
        }
        for (Control control : kLists) {
            mirror.setSelectedIndex(control, m_selected[slot(control)]);
        }
        std::array<QString, kAllControls.size()> before;
        for (Control box : kResultBoxes) {
            before[slot(box)] = q(m_form.readText(box));
            mirror.setText(box, before[slot(box)].toStdString());
        }
        before[slot(Control::Text12)] = q(m_form.readText(Control::Text12));
        mirror.clearEvents();
        const RunOutcome outcome = COMPUTE(mirrorState, mirror);
        ++m_outcomes[static_cast<std::size_t>(outcome)];

        m_shown.clear();
        QTest::mouseClick(button("Command1"), Qt::LeftButton);

        const QByteArray where = "after Compute at step " + QByteArray::number(step);
        QVERIFY2(m_form.isVisible() && m_form.isEnabled() && button("Command1")->isEnabled(), where);
        QVERIFY2(QApplication::activeModalWidget() == nullptr, where);
        QVERIFY2(m_shown.size() <= 2, where);
        for (const Shown& shown : m_shown) {
            QCOMPARE(shown.title, q(kNoticeTitle));
            QVERIFY2(shown.text != q(kUnexpectedFailureMessage), where);
        }
        if (outcome == RunOutcome::Stopped) {
            QVERIFY2(!m_shown.empty(), where + " (a stop without a message)");
        }

        for (Control box : kResultBoxes) {
            const QString text = q(m_form.readText(box));
            const bool bar = box == Control::Text19 || box == Control::Text18;
            const bool wellFormed =
                bar ? isWholeNumber(text) || (box == Control::Text19 && text == q(kTooLargeText)) : isSingleText(text);
            QVERIFY2(wellFormed || text == before[slot(box)],
                     where + ": " + controlName(box).data() + " shows " + text.toUtf8());
        }
        const QString sheet = q(m_form.readText(Control::Text12));
        if (sheet != before[slot(Control::Text12)]) {
            QVERIFY2(sheet.startsWith(QStringLiteral("1.荷载计算：")), where);
            QVERIFY2(!sheet.contains(QStringLiteral("nan"), Qt::CaseInsensitive) &&
                         !sheet.contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                     where);
        }

        // The window shows what the headless window shows.
        for (Control box : kResultBoxes) {
            QCOMPARE(q(m_form.readText(box)), q(mirror.text(box)));
        }
        if (outcome == RunOutcome::Completed) {
            QCOMPARE(sheet, q(mirror.text(Control::Text12)));
        }
        std::vector<Shown> expected;
        for (const WindowEvent& message : mirror.messages()) {
            expected.push_back({q(message.text), q(message.title)});
        }
        QVERIFY2(m_shown == expected, where + " (messages differ from the headless run)");
    }

    void help(int step) {
        m_shown.clear();
        QTest::mouseClick(button("Command2"), Qt::LeftButton);
        QVERIFY2(m_shown.size() == 1, "help at step " + QByteArray::number(step));
        QCOMPARE(m_shown.front().title, q(kHelpTitle));
        QCOMPARE(m_shown.front().text, q(kHelpText));
    }

    int m_computes = 0;
};

} // namespace rampwall
