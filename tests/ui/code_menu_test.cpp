// The code edition in the window: the 规范 menu, the steel list and the
// load-factor box it switches, 计算 in the 2010 edition, the factors dialog,
// design files and the edition remembered for the next start.
#include "code_menu.h"
#include "design_document.h"
#include "form1.h"
#include "load_factors_dialog.h"
#include "main_menu.h"
#include "settings.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace rampwall;

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
    void initTestCase() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("config")); }

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
        QCOMPARE(m_form->edition(), Edition::GB50010_2010);
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
        QCOMPARE(m_form->readText(Control::Text19), std::string("16"));
        QCOMPARE(m_form->readText(Control::Text18), std::string("19"));
        QVERIFY(m_form->readText(Control::Text12).find("2010") != std::string::npos);
        QCOMPARE(m_form->readText(Control::Text9), std::string("2835.287"));
        QCOMPARE(m_form->readText(Control::Text11), std::string("0.197"));
    }

    void factorsDialogRefusesABadValueNamingIt() {
        LoadFactorsDialog dialog(LoadFactors{});
        dialog.setMessagePresenter([this](QWidget*, const QString& text, const QString&) { m_shown << text; });
        for (const auto& [key, text] : {std::pair{"psi-q", "1.5"}, std::pair{"gamma-g", "abc"}}) {
            m_shown.clear();
            LoadFactorsDialog bad(LoadFactors{});
            bad.setMessagePresenter([this](QWidget*, const QString& message, const QString&) { m_shown << message; });
            bad.findChild<QLineEdit*>(key)->setText(text);
            bad.accept();
            QCOMPARE(bad.result(), int(QDialog::Rejected));
            QCOMPARE(m_shown.size(), 1);
            const LoadFactorField& field =
                *std::find_if(kLoadFactorFields.begin(), kLoadFactorFields.end(),
                              [name = key](const LoadFactorField& f) { return f.key == name; });
            QVERIFY(m_shown.front().contains(QString::fromUtf8(field.caption.data(), field.caption.size())));
        }
        dialog.findChild<QLineEdit*>("gamma-0")->setText("1.1");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.factors().gamma0, 1.1);
    }

    void designFileKeepsTheEditionAndFactors() {
        DesignDocument& document = mainMenuOf(*m_form)->document();
        choose("actionEdition2010");
        steel()->setCurrentIndex(4); // HRB500: only in 2010
        const LoadFactors factors{1.1, 1.3, 1.5, 1.0, 0.5};
        m_form->setLoadFactors(factors);
        QVERIFY(document.isModified());
        const QString file = m_dir.filePath("wall.rampwall");
        QVERIFY(document.saveTo(file));
        choose("actionEdition2002");
        m_form->setLoadFactors({});
        QVERIFY(document.isModified());
        document.setSaveQuestion([](QWidget*, const QString&) { return DesignDocument::SaveAnswer::Discard; });
        QVERIFY(document.openFile(file));
        QCOMPARE(m_form->edition(), Edition::GB50010_2010);
        QCOMPARE(m_form->loadFactors(), factors);
        QCOMPARE(steel()->currentText(), QString("HRB500"));
        QVERIFY(m_form->findChild<QAction*>("actionEdition2010")->isChecked());
        QVERIFY(!document.isModified());
        QVERIFY(m_shown.isEmpty());
    }

    void editionIsRememberedForTheNextWindow() {
        QCOMPARE(m_form->edition(), Edition::GB50010_2002); // first start
        choose("actionEdition2010");
        m_form->setLoadFactors({1.0, 1.35, 1.5, 1.0, 0.6});
        openWindow();
        QCOMPARE(m_form->edition(), Edition::GB50010_2010);
        QCOMPARE(m_form->loadFactors().gammaG, 1.35);
        QVERIFY(!factorBox()->isEnabled());
        QVERIFY(!mainMenuOf(*m_form)->document().isModified());
        choose("actionEdition2002");
        openWindow();
        QCOMPARE(m_form->edition(), Edition::GB50010_2002);
    }
};

QTEST_MAIN(CodeMenuTest)
#include "code_menu_test.moc"
