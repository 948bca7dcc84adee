// The code edition in the window: the 规范 menu, the steel list and the
// load-factor box it switches, 计算 in the 2010 edition, the factors dialog,
// design files, the edition remembered for the next start, and an edition
// the window has never heard of offered as the others are.
#include "calc/editions/registry.h"
#include "calc/window_texts.h"
#include "ui/code_menu.h"
#include "ui/document_commands.h"
#include "ui/form1.h"
#include "ui/load_factors_dialog.h"
#include "ui/main_menu.h"
#include "ui/settings.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <initializer_list>
#include <memory>
#include <utility>

using namespace rampwall;

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// An edition of the test's own, registered after the program's: the window
// must offer it, its steel, its factor and the box it leaves out without
// being told of it.
class TrialEdition final : public CodeEdition {
public:
    std::string_view key() const override { return "trial"; }
    std::string_view title() const override { return "试算规范"; }
    std::span<const SteelChoice> steelGrades() const override { return kSteel; }
    std::span<const FactorDefinition> factors() const override { return kFactors; }
    std::string_view factorNote() const override { return "M = k·MBk"; }
    std::span<const UnusedInput> unusedInputs() const override { return kUnused; }
    EditionBook book() const override { return {}; }
    RunResult design(const RunRequest& request, DesignState& memory) const override {
        return defaultEdition().design(request, memory);
    }

private:
    static constexpr std::array<SteelChoice, 2> kSteel{{{"T300", "HPB300", true}, {"T400", "HRB400", false}}};
    static constexpr std::array<FactorDefinition, 1> kFactors{
        {{"trial-k", "k", "试算系数k", "试算条文", 1.0, 0, false, 5}}};
    static constexpr std::array<UnusedInput, 1> kUnused{{{Control::Text8, "试算规范不用裂缝限值"}}};
};

const TrialEdition kTrial{};

const CodeEdition& edition2010() { return *editionByKey("2010"); }

const FactorDefinition& factor(std::string_view key) { return *factorOf(*editionOfFactor(key), key); }

FactorValues factorValues(std::initializer_list<std::pair<std::string_view, double>> values) {
    FactorValues factors;
    for (const auto& [key, value] : values) {
        factors.set(factor(key), value);
    }
    return factors;
}

} // namespace

class CodeMenuTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_form;
    QStringList m_shown;

    void openWindow() {
        m_form.reset(); // its settings are written before the next window reads them
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
    }
    QComboBox* steel() { return m_form->findChild<QComboBox*>("Combo2"); }
    QLineEdit* factorBox() { return m_form->findChild<QLineEdit*>("Text5"); }
    QString credit() { return m_form->findChild<QLabel*>("Label15")->text(); }
    void choose(const char* action) { m_form->findChild<QAction*>(QLatin1String(action))->trigger(); }
    QStringList steelEntries() {
        QStringList entries;
        for (int i = 0; i < steel()->count(); ++i) {
            entries << steel()->itemText(i);
        }
        return entries;
    }

private slots:
    // The settings file of every window here is under the test's own folder.
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));
        QVERIFY(registerEdition(kTrial));
    }

    void init() {
        QFile::remove(m_dir.filePath("config/rampwall/rampwall.ini"));
        m_shown.clear();
        openWindow();
    }

    void cleanup() { m_form.reset(); }

    void switchingMapsTheSteelAndBackRestores2002() {
        const QStringList list2002 = steelEntries();
        const QString credit2002 = credit();
        QVERIFY(credit2002.endsWith("GB 50010-2002"));
        steel()->setCurrentIndex(0); // HPB235
        choose("actionEdition2010");
        QCOMPARE(&m_form->document().edition(), &edition2010());
        QCOMPARE(steelEntries(), (QStringList{"HPB300", "HRB335", "HRB400", "RRB400", "HRB500"}));
        QCOMPARE(steel()->currentText(), QString("HPB300"));
        QVERIFY(credit().endsWith("GB 50010-2010(2015年版)"));
        QVERIFY(!factorBox()->isEnabled());
        QVERIFY(factorBox()->toolTip().contains("荷载系数"));
        steel()->setCurrentIndex(2); // HRB400 is in both lists
        choose("actionEdition2002");
        QCOMPARE(steelEntries(), list2002);
        QVERIFY(steel()->currentText().endsWith("(HRB400)"));
        QCOMPARE(credit(), credit2002);
        QVERIFY(factorBox()->isEnabled());
        QVERIFY(factorBox()->toolTip().isEmpty());
    }

    void computesIn2010AsTheHeadlessRun() {
        choose("actionEdition2010");
        steel()->setCurrentIndex(2); // HRB400
        auto* concrete = m_form->findChild<QComboBox*>("Combo1");
        concrete->setCurrentIndex(concrete->findText("C30"));
        m_form->findChild<QPushButton*>("Command1")->click();
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.join('\n')));
        // The strength bar, then the bar the crack width settles on.
        QCOMPARE(m_form->readText(Control::Text19), std::string("18"));
        QCOMPARE(m_form->readText(Control::Text18), std::string("22"));
        QVERIFY(m_form->readText(Control::Text12).find("2010") != std::string::npos);
        QCOMPARE(m_form->readText(Control::Text9), std::string("3801.327"));
        QCOMPARE(m_form->readText(Control::Text11), std::string("0.199"));
    }

    void factorsDialogRefusesABadValueNamingIt() {
        LoadFactorsDialog dialog(FactorValues{});
        dialog.setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        for (const auto& [key, text] : {std::pair{"psi-q", "1.5"}, std::pair{"gamma-g", "abc"}}) {
            m_shown.clear();
            LoadFactorsDialog bad(FactorValues{});
            bad.setMessagePresenter([this](QWidget*, const QString& message, const QString&) { m_shown << message; });
            bad.findChild<QLineEdit*>(key)->setText(text);
            bad.accept();
            QCOMPARE(bad.result(), int(QDialog::Rejected));
            QCOMPARE(m_shown.size(), 1);
            QVERIFY(m_shown.front().contains(q(factor(key).caption)));
        }
        dialog.findChild<QLineEdit*>("gamma-0")->setText("1.1");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.factors().valueSet("gamma-0"), std::optional<double>(1.1));
    }

    void designFileKeepsTheEditionAndFactors() {
        DocumentCommands& commands = mainMenuOf(*m_form)->commands();
        const design::DesignDocument& document = m_form->document();
        choose("actionEdition2010");
        steel()->setCurrentIndex(4); // HRB500: only in 2010
        const FactorValues factors =
            factorValues({{"gamma-0", 1.1}, {"gamma-g", 1.3}, {"gamma-q", 1.5}, {"gamma-l", 1.0}, {"psi-q", 0.5}});
        m_form->setFactors(factors);
        QVERIFY(document.isModified());
        const QString file = m_dir.filePath("wall.rampwall");
        QVERIFY(commands.saveTo(file));
        choose("actionEdition2002");
        m_form->setFactors({});
        QVERIFY(document.isModified());
        commands.setSaveQuestion([](QWidget*, const QString&) { return DocumentCommands::SaveAnswer::Discard; });
        QVERIFY(commands.openFile(file));
        QCOMPARE(&document.edition(), &edition2010());
        QVERIFY(document.factors() == factors);
        QCOMPARE(steel()->currentText(), QString("HRB500"));
        QVERIFY(m_form->findChild<QAction*>("actionEdition2010")->isChecked());
        QVERIFY(!document.isModified());
        QVERIFY(m_shown.isEmpty());
    }

    void editionIsRememberedForTheNextWindow() {
        QCOMPARE(&m_form->document().edition(), &defaultEdition()); // first start
        choose("actionEdition2010");
        m_form->setFactors(
            factorValues({{"gamma-0", 1.0}, {"gamma-g", 1.35}, {"gamma-q", 1.5}, {"gamma-l", 1.0}, {"psi-q", 0.6}}));
        openWindow();
        QCOMPARE(&m_form->document().edition(), &edition2010());
        QCOMPARE(m_form->document().factors().value(factor("gamma-g")), 1.35);
        QVERIFY(!factorBox()->isEnabled());
        QVERIFY(!m_form->document().isModified());
        choose("actionEdition2002");
        openWindow();
        QCOMPARE(&m_form->document().edition(), &defaultEdition());
    }

    void anEditionTheWindowDoesNotKnowIsOfferedAsTheOthers() {
        steel()->setCurrentIndex(0); // the plain bar
        choose(editionActionName(kTrial.key()).c_str());
        const CodeEdition& trial = kTrial;
        QCOMPARE(&m_form->document().edition(), &trial);
        for (const CodeEdition* edition : editions()) {
            const auto* action = m_form->findChild<QAction*>(q(editionActionName(edition->key())));
            QVERIFY(action != nullptr);
            QCOMPARE(action->text(), q(edition->title()));
            QCOMPARE(action->isChecked(), edition == &trial);
        }
        QCOMPARE(steelEntries(), (QStringList{"T300", "T400"}));
        QCOMPARE(steel()->currentText(), QString("T300"));
        QVERIFY(credit().endsWith("试算规范"));
        // It reads the load factor and leaves the crack limit out.
        QVERIFY(factorBox()->isEnabled() && factorBox()->toolTip().isEmpty());
        const QLineEdit* crackLimit = m_form->findChild<QLineEdit*>("Text8");
        QVERIFY(!crackLimit->isEnabled());
        QCOMPARE(crackLimit->toolTip(), QString("试算规范不用裂缝限值"));

        // Its factor is set in the dialog beside the others', with what it is for.
        QStringList notes;
        bool othersThere = false;
        QTimer::singleShot(0, this, [&notes, &othersThere] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (const QLabel* label : dialog->findChildren<QLabel*>()) {
                notes << label->text();
            }
            othersThere = dialog->findChild<QLineEdit*>("gamma-g") != nullptr;
            dialog->findChild<QLineEdit*>("trial-k")->setText("2.5");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(m_form->findChild<CodeMenu*>()->editLoadFactors());
        QVERIFY(othersThere);
        QVERIFY(notes.contains(q(factorsNote(trial.title(), trial.factorNote()))));
        QVERIFY(notes.contains(q(factorsNote(edition2010().title(), edition2010().factorNote()))));
        QCOMPARE(m_form->document().factors().value(factor("trial-k")), 2.5);

        openWindow();
        QCOMPARE(&m_form->document().edition(), &trial);
        QCOMPARE(m_form->document().factors().value(factor("trial-k")), 2.5);
        QVERIFY(m_form->findChild<QAction*>(q(editionActionName(trial.key())))->isChecked());
        QVERIFY(!m_form->findChild<QLineEdit*>("Text8")->isEnabled());
    }
};

QTEST_MAIN(CodeMenuTest)
#include "code_menu_test.moc"
