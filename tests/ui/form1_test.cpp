// The window Form1: its controls as the user meets them at start-up, the
// Compute, Help and Exit commands, and the window operations the calculation
// runs against. Expected values come from the worked designs and the control
// layout, written out here, not from the window's own table.
#include "calc/compute.h"
#include "calc/control_table.h"
#include "calc/headless_window.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/media/background_music.h"
#include "ui/translations.h"

#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

using namespace rampwall;

namespace {

struct Shown {
    QString text;
    QString title;
    bool operator==(const Shown&) const = default;
};

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const char* const kReportHint = "您可以在此处看到计算的全过程";
const char* const kNotice = "友情提示:";

QByteArray readGolden(const char* file) {
    QFile golden(QStringLiteral(RAMPWALL_TEST_DATA "/") + QLatin1String(file));
    if (!golden.open(QIODevice::ReadOnly)) {
        return {};
    }
    return golden.readAll();
}

// "Text3=-5.0;Text4=350": box edits of one table row.
std::vector<std::pair<Control, QString>> parseEdits(const QString& edits) {
    std::vector<std::pair<Control, QString>> parsed;
    for (const QString& edit : edits.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = edit.indexOf(QLatin1Char('='));
        const std::optional<Control> box = controlByName(edit.left(equals).toStdString());
        if (box) {
            parsed.emplace_back(*box, edit.mid(equals + 1));
        }
    }
    return parsed;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form;
    std::vector<Shown> m_shown;

    template <typename Widget>
    Widget* find(const char* name) const {
        return m_form->findChild<Widget*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    QComboBox* list(const char* name) const { return find<QComboBox>(name); }
    QPlainTextEdit* report() const { return find<QPlainTextEdit>("Text12"); }
    void click(const char* button) {
        QPushButton* target = find<QPushButton>(button);
        QVERIFY2(target != nullptr, button);
        QTest::mouseClick(target, Qt::LeftButton);
    }
    // The boxes a run writes, as the window shows them.
    QStringList outputs() const {
        QStringList texts;
        for (Control output : kWrittenBoxes) {
            texts << q(m_form->readText(output));
        }
        return texts;
    }
    bool computeHasRun() const {
        const DesignState& state = m_form->document().state();
        return state.Fc.has_value() || !state.h1.empty();
    }

    // The same inputs on the window, as the user enters them, and on the
    // headless window.
    void enterInputs(HeadlessWindow& headless, int concrete, int steel, int loadCase, const QString& edits) {
        list("Combo1")->setCurrentIndex(concrete);
        list("Combo2")->setCurrentIndex(steel);
        list("Combo3")->setCurrentIndex(loadCase);
        headless.setSelectedIndex(Control::Combo1, concrete);
        headless.setSelectedIndex(Control::Combo2, steel);
        headless.setSelectedIndex(Control::Combo3, loadCase);
        for (const auto& [control, text] : parseEdits(edits)) {
            box(controlName(control).data())->setText(text);
            headless.setText(control, text.toStdString());
        }
    }

private slots:
    void initTestCase() {
        applyLook(*qApp);
        // The tune is tested with the media; here it would only start a sound
        // pipeline for every window.
        BackgroundMusic::setSwitchedOff(true);
        // Without Qt's translation file its English stays. The test runs in
        // the C locale: Chinese is loaded whatever the system's language.
        const QTemporaryDir empty;
        QVERIFY(!installQtTranslations(*qApp, empty.path()));
        QCOMPARE(QMessageBox(QMessageBox::NoIcon, "", "", QMessageBox::Ok).button(QMessageBox::Ok)->text(), "OK");
        QVERIFY(installQtTranslations(*qApp));
    }

    void init() {
        m_shown.clear();
        m_form = std::make_unique<Form1>();
        m_form->setMessagePresenter([this](QWidget*, const QString& text, const QString& title) {
            m_shown.push_back({text, title});
        });
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() { m_form.reset(); }

    // ---- Start-up ----

    void listsAreFilledInOrderWithTheFirstEntrySelected_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Combo1 concrete grades")
            << "Combo1"
            << QStringList{"C15", "C20", "C25", "C30", "C35", "C40", "C45",
                           "C50", "C55", "C60", "C65", "C70", "C75", "C80"};
        // The Roman numerals are the single characters U+2160 to U+2163.
        QTest::newRow("Combo2 steel grades")
            << "Combo2"
            << QStringList{QString(QChar(0x2160)) + "级(HPB235)", QString(QChar(0x2161)) + "级(HRB335)",
                           QString(QChar(0x2162)) + "级(HRB400)", QString(QChar(0x2163)) + "级(RRB400)"};
        QTest::newRow("Combo3 load cases") << "Combo3" << QStringList{"情况A", "情况B"};
        // clang-format on
    }
    void listsAreFilledInOrderWithTheFirstEntrySelected() {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QComboBox* combo = list(name.toLatin1().constData());
        QVERIFY(combo != nullptr);
        QStringList actual;
        for (int i = 0; i < combo->count(); ++i) {
            actual << combo->itemText(i);
        }
        QCOMPARE(actual, entries);
        QCOMPARE(combo->currentText(), entries.first());
        QCOMPARE(m_form->selectedIndex(*controlByName(name.toStdString())), 0);
        QVERIFY(combo->isEditable());
    }

    void boxesHoldTheirStartUpTexts_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Text1 h1") << "Text1" << "0";
        QTest::newRow("Text2 h2") << "Text2" << "-0.5";
        QTest::newRow("Text3 h3") << "Text3" << "-1.0";
        QTest::newRow("Text16 h4") << "Text16" << "-4.5";
        QTest::newRow("Text4 wall thickness") << "Text4" << "350";
        QTest::newRow("Text13 cover") << "Text13" << "50";
        QTest::newRow("Text14 soil weight") << "Text14" << "18";
        QTest::newRow("Text15 surcharge") << "Text15" << "10";
        QTest::newRow("Text5 load factor") << "Text5" << "1.2";
        QTest::newRow("Text10 spacing") << "Text10" << "100";
        QTest::newRow("Text8 crack limit") << "Text8" << "0.2";
        QTest::newRow("Text6 MBk") << "Text6" << "";
        QTest::newRow("Text7 strength area") << "Text7" << "";
        QTest::newRow("Text19 strength bar") << "Text19" << "";
        QTest::newRow("Text9 crack area") << "Text9" << "";
        QTest::newRow("Text18 crack bar") << "Text18" << "";
        QTest::newRow("Text11 crack width") << "Text11" << "";
        QTest::newRow("Text12 report hint") << "Text12" << kReportHint;
        // clang-format on
    }
    void boxesHoldTheirStartUpTexts() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(q(m_form->readText(*controlByName(name.toStdString()))), text);
        QVERIFY(!computeHasRun());
        QVERIFY(m_shown.empty());
    }

    void captionsAreExact_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1") << "Label1" << "砼强度等级：";
        QTest::newRow("Label2") << "Label2" << "钢筋种类：";
        QTest::newRow("Label3") << "Label3" << "情况选择：";
        QTest::newRow("Label4") << "Label4" << "h1(m)：";
        QTest::newRow("Label5") << "Label5" << "h2(m)：";
        QTest::newRow("Label6") << "Label6" << "h3(m)：";
        QTest::newRow("Label19") << "Label19" << "h4(m)：";
        QTest::newRow("Label7") << "Label7" << "墙厚度h5(mm)：";
        QTest::newRow("Label16") << "Label16" << "迎水面保护层厚度c(mm)：";
        QTest::newRow("Label17") << "Label17" << "土容重(kN/m3)：";
        QTest::newRow("Label18") << "Label18" << "附加荷载(kN/m2)：";
        QTest::newRow("Label8") << "Label8" << "荷载分项系数：";
        QTest::newRow("Label13") << "Label13" << "钢筋间距(mm)：";
        QTest::newRow("Label11") << "Label11" << "裂缝限值(mm)：";
        QTest::newRow("Label9") << "Label9" << "MBk（kN.m）：";
        QTest::newRow("Label10") << "Label10" << "As（mm2）：";
        QTest::newRow("Label22") << "Label22" << "选用钢筋（mm）：";
        QTest::newRow("Label12") << "Label12" << "As（mm2）：";
        QTest::newRow("Label21") << "Label21" << "选用钢筋（mm）：";
        QTest::newRow("Label14") << "Label14" << "Wmax（mm）：";
        QTest::newRow("Frame1") << "Frame1" << "标高：";
        QTest::newRow("Frame2") << "Frame2" << "配筋计算结果：";
        QTest::newRow("Frame3") << "Frame3" << "裂缝控制：";
        QTest::newRow("Command1") << "Command1" << "计算";
        QTest::newRow("Command2") << "Command2" << "帮助";
        QTest::newRow("Command3") << "Command3" << "退出";
        // clang-format on
    }
    void captionsAreExact() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        const QByteArray key = name.toLatin1();
        QString actual;
        if (auto* label = find<QLabel>(key.constData())) {
            actual = label->text();
        } else if (auto* frame = find<QGroupBox>(key.constData())) {
            actual = frame->title();
        } else if (auto* button = find<QPushButton>(key.constData())) {
            actual = button->text();
        } else {
            QFAIL("no such control");
        }
        QCOMPARE(actual, caption);
    }

    void creditLineAndTitleNameNoPerson() {
        auto* credit = find<QLabel>("Label15");
        QVERIFY(credit != nullptr);
        QVERIFY(credit->text().contains("GB 50010-2002"));
        QVERIFY(credit->alignment() & Qt::AlignHCenter);
        QCOMPARE(m_form->windowTitle(), QString("坡道外墙配筋计算"));
    }

    // ---- Layout ----

    void clientAreaIsFixed() {
        // 10290 x 9795 twips at 15 twips a pixel, under the menu bar; the
        // window is both together and cannot be resized.
        const QWidget* client = find<QWidget>("ClientArea");
        const QWidget* bar = find<QWidget>("MenuBar");
        QVERIFY(bar->height() > 0);
        QCOMPARE(client->geometry(), QRect(0, bar->height(), 686, 653));
        const QSize window(686, 653 + bar->height());
        QCOMPARE(m_form->size(), window);
        QCOMPARE(m_form->minimumSize(), window);
        QCOMPARE(m_form->maximumSize(), window);
        m_form->resize(900, 800);
        QCOMPARE(m_form->size(), window);
    }

    void controlsSitAtTheirTwipPositions_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");    // relative to the container
        QTest::addColumn<QPoint>("absolute"); // twips, in the window
        QTest::newRow("Label15") << "Label15" << "Form1" << QRect(120, 120, 9675, 255) << QPoint(120, 120);
        QTest::newRow("Combo1") << "Combo1" << "Form1" << QRect(1560, 600, 1455, 315) << QPoint(1560, 600);
        QTest::newRow("Combo3") << "Combo3" << "Form1" << QRect(1560, 1560, 1455, 315) << QPoint(1560, 1560);
        QTest::newRow("Frame1") << "Frame1" << "Form1" << QRect(240, 2040, 3255, 1215) << QPoint(240, 2040);
        QTest::newRow("Text1") << "Text1" << "Frame1" << QRect(840, 240, 735, 285) << QPoint(1080, 2280);
        QTest::newRow("Text16") << "Text16" << "Frame1" << QRect(2400, 720, 735, 300) << QPoint(2640, 2760);
        QTest::newRow("Label16") << "Label16" << "Form1" << QRect(240, 3720, 2415, 255) << QPoint(240, 3720);
        QTest::newRow("Text5") << "Text5" << "Form1" << QRect(2040, 4800, 855, 285) << QPoint(2040, 4800);
        QTest::newRow("Text6") << "Text6" << "Frame2" << QRect(1800, 360, 735, 285) << QPoint(2040, 6240);
        QTest::newRow("Label22") << "Label22" << "Frame2" << QRect(120, 1080, 1575, 255) << QPoint(360, 6960);
        QTest::newRow("Text11") << "Text11" << "Frame3" << QRect(1800, 1080, 735, 285) << QPoint(2040, 8520);
        QTest::newRow("Command3") << "Command3" << "Form1" << QRect(2160, 9120, 855, 495) << QPoint(2160, 9120);
        QTest::newRow("OLE1") << "OLE1" << "Form1" << QRect(3840, 480, 6255, 4215) << QPoint(3840, 480);
        QTest::newRow("Text12") << "Text12" << "Form1" << QRect(3120, 4920, 6975, 4695) << QPoint(3120, 4920);
        // clang-format on
    }
    void controlsSitAtTheirTwipPositions() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QPoint, absolute);
        QWidget* widget = find<QWidget>(name.toLatin1().constData());
        QVERIFY(widget != nullptr);
        // The window's own controls sit on its client area, below the menu bar.
        QWidget* client = find<QWidget>("ClientArea");
        QCOMPARE(widget->parentWidget()->objectName(), container == "Form1" ? client->objectName() : container);
        QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(widget->mapTo(client, QPoint(0, 0)), absolute / 15);
    }

    void tabVisitsTheControlsInOrderFromCombo1() {
        const QStringList expected{"Combo1",   "Combo2",   "Combo3",   "Text1",  "Text2",  "Text3",  "Text4",
                                   "Command1", "Text5",    "Text6",    "Text7",  "Text9",  "Text11", "Text12",
                                   "Text13",   "Text14",   "Text15",   "Text10", "Text18", "Text8",  "Text19",
                                   "OLE1",     "Command2", "Command3", "Text16", "Combo1"};
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        // A control's focus may sit on an inner part (a list's edit field):
        // name the control that holds it.
        const auto focusedControl = [this] {
            for (QWidget* w = QApplication::focusWidget(); w != nullptr && w != m_form.get(); w = w->parentWidget()) {
                if (findControlRow(w->objectName().toStdString()) != nullptr) {
                    return w->objectName();
                }
            }
            return QString("(none)");
        };
        QStringList visited{focusedControl()};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focusedControl();
        }
        QCOMPARE(visited, expected);
    }

    void noButtonIsDefault_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::newRow("Command1") << "Command1";
        QTest::newRow("Command2") << "Command2";
        QTest::newRow("Command3") << "Command3";
        // clang-format on
    }
    void noButtonIsDefault() {
        QFETCH(QString, name);
        auto* button = find<QPushButton>(name.toLatin1().constData());
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QVERIFY(button->shortcut().isEmpty()); // no access key
    }

    // ---- Look ----

    void fontsAreTheLayoutsFonts_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("installedFace");
        QTest::newRow("Label1") << "Label1" << "MS Sans Serif" << 8.25 << "WenQuanYi Micro Hei";
        QTest::newRow("Text4") << "Text4" << "MS Sans Serif" << 8.25 << "WenQuanYi Micro Hei";
        QTest::newRow("Combo2") << "Combo2" << "MS Sans Serif" << 8.25 << "WenQuanYi Micro Hei";
        QTest::newRow("Frame3") << "Frame3" << "MS Sans Serif" << 8.25 << "WenQuanYi Micro Hei";
        QTest::newRow("Command1") << "Command1" << "MS Sans Serif" << 8.25 << "WenQuanYi Micro Hei";
        QTest::newRow("Text12") << "Text12" << "Microsoft Sans Serif" << 9.75 << "WenQuanYi Micro Hei";
        QTest::newRow("Label15") << "Label15" << "华文行楷" << 12.0 << "AR PL UKai CN";
        // clang-format on
    }
    void fontsAreTheLayoutsFonts() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(QString, installedFace);
        const QFont font = find<QWidget>(name.toLatin1().constData())->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.weight(), QFont::Normal);
        // The Windows face is drawn with a Chinese face that is installed.
        QCOMPARE(QFontInfo(font).family(), installedFace);
    }

    void coloursAreFixed_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("colour");
        const QColor brown(192, 64, 0);
        const QColor paleBlue(216, 228, 248);
        QTest::newRow("Form1 face") << "Form1" << int(QPalette::Window) << QColor(236, 233, 216);
        QTest::newRow("Label7 text") << "Label7" << int(QPalette::WindowText) << brown;
        QTest::newRow("Label15 credit text") << "Label15" << int(QPalette::WindowText) << QColor(212, 208, 200);
        QTest::newRow("Frame2 caption") << "Frame2" << int(QPalette::WindowText) << brown;
        QTest::newRow("Text13 text") << "Text13" << int(QPalette::Text) << brown;
        QTest::newRow("Text13 background") << "Text13" << int(QPalette::Base) << paleBlue;
        QTest::newRow("Text12 background") << "Text12" << int(QPalette::Base) << paleBlue;
        QTest::newRow("Combo1 text") << "Combo1" << int(QPalette::Text) << brown;
        QTest::newRow("Combo1 background") << "Combo1" << int(QPalette::Base) << paleBlue;
        // clang-format on
    }
    void coloursAreFixed() {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QColor, colour);
        QWidget* widget = name == "Form1" ? m_form.get() : find<QWidget>(name.toLatin1().constData());
        QCOMPARE(widget->palette().color(static_cast<QPalette::ColorRole>(role)), colour);
    }

    void textKeepsAClassicMarginAndShowsWhole() {
        // The columns of lettering inside Text9's frame, for each text.
        const auto inked = [this](const char* text) {
            m_form->replaceText(Control::Text9, text);
            const QImage image = box("Text9")->grab().toImage();
            QList<int> columns;
            for (int x = 1; x < image.width() - 1; ++x)
                for (int y = 2; y < image.height() - 2; ++y)
                    if (qAbs(QColor(image.pixel(x, y)).blue() - 248) > 60 && !columns.contains(x))
                        columns << x;
            return columns;
        };
        QCOMPARE(inked("0.202").first(), 3); // after a two-pixel border and a one-pixel gap
        // A seven-digit area is shown whole, a gap to the frame on either side.
        const QList<int> wide = inked("4154.756");
        QCOMPARE(wide.last() - wide.first() + 1, box("Text9")->fontMetrics().horizontalAdvance("4154.756"));
        QVERIFY(wide.first() >= 2 && wide.last() <= box("Text9")->width() - 3);
    }

    void buttonFaceIsFlat() {
        const QImage image = find<QPushButton>("Command1")->grab().toImage();
        // Between the raised border and the caption, every pixel is the face.
        for (int y = 3; y < 8; ++y)
            for (int x = 3; x < image.width() - 3; ++x)
                QCOMPARE(QColor(image.pixel(x, y)), QColor(236, 233, 216));
    }

    void emptyOutputBoxIsPaintedPaleBlue() {
        const QImage image = box("Text6")->grab().toImage();
        QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(216, 228, 248));
    }

    // ---- Compute ----

    void computeWritesTheTypicalDesign() {
        click("Command1");
        QVERIFY(m_shown.empty());
        // MBk, the strength area and bar, then the crack-control area, width and bar.
        const QStringList expected{"144.166", "3260.572", "22", "4154.756", "0.202", "23"};
        QCOMPARE(outputs().mid(0, 6), expected);
        // Each result is shown from its first digit, not scrolled to its end.
        for (const Control result : kResultBoxes) {
            QCOMPARE(box(controlName(result).data())->cursorPosition(), 0);
        }
        const QByteArray golden = readGolden("sheet_case_a_startup.txt");
        QVERIFY(!golden.isEmpty());
        QCOMPARE(QByteArray::fromStdString(m_form->readText(Control::Text12)), golden);
        // The box shows the lines, not the carriage returns between them.
        QCOMPARE(report()->document()->blockCount(), 37);
        QVERIFY(!report()->toPlainText().contains(QLatin1Char('\r')));
    }

    void computeWritesTheCaseBDesign() {
        // C25, the 300 N/mm² steel, Case B with the water table below the base.
        list("Combo1")->setCurrentIndex(2);
        list("Combo2")->setCurrentIndex(1);
        list("Combo3")->setCurrentIndex(1);
        box("Text3")->setText("-5.0");
        click("Command1");
        QVERIFY(m_shown.empty());
        const QStringList expected{"136", "1975.4", "16", "3463.606", "0.202", "21"};
        QCOMPARE(outputs().mid(0, 6), expected);
        const QByteArray golden = readGolden("sheet_case_b_example.txt");
        QVERIFY(!golden.isEmpty());
        QCOMPARE(QByteArray::fromStdString(m_form->readText(Control::Text12)), golden);
    }

    void computeMatchesTheHeadlessWindow_data() {
        // clang-format off
        QTest::addColumn<int>("concrete");
        QTest::addColumn<int>("steel");
        QTest::addColumn<int>("loadCase");
        QTest::addColumn<QString>("edits");
        QTest::addColumn<QString>("firstMessage"); // empty: the run shows none
        QTest::newRow("start-up design") << 0 << 0 << 0 << "" << "";
        QTest::newRow("C65 RRB400 case A") << 10 << 3 << 0 << "Text4=400;Text13=50.1" << "";
        QTest::newRow("case B, C25 HRB335") << 2 << 1 << 1 << "Text3=-5.0" << "";
        QTest::newRow("h3 above h2") << 0 << 0 << 0 << "Text2=-2" << "输入标高与实际情况不符，请重新输入";
        QTest::newRow("case B with the water inside the wall")
            << 0 << 0 << 1 << "" << "输入标高与实际情况不符，请重新输入";
        QTest::newRow("spacing 200, no bar large enough") << 0 << 0 << 0 << "Text10=200"
                                                          << "算不出来，请增加外墙厚度，或采取其他措施";
        QTest::newRow("wall 150 thick, moment too large") << 0 << 0 << 0 << "Text4=150"
                                                          << "所受弯矩过大，请增加外墙厚度";
        // clang-format on
    }
    void computeMatchesTheHeadlessWindow() {
        QFETCH(int, concrete);
        QFETCH(int, steel);
        QFETCH(int, loadCase);
        QFETCH(QString, edits);
        QFETCH(QString, firstMessage);
        HeadlessWindow headless;
        enterInputs(headless, concrete, steel, loadCase, edits);
        DesignState headlessState;
        COMPUTE(headlessState, headless);
        click("Command1");

        for (Control output : kWrittenBoxes) {
            QCOMPARE(m_form->readText(output), headless.text(output));
        }
        std::vector<Shown> headlessShown;
        for (const WindowEvent& message : headless.messages()) {
            headlessShown.push_back({q(message.text), q(message.title)});
        }
        QCOMPARE(m_shown, headlessShown);
        if (firstMessage.isEmpty()) {
            QVERIFY(m_shown.empty());
        } else {
            QVERIFY(!m_shown.empty());
            QCOMPARE(m_shown.front(), (Shown{firstMessage, kNotice}));
        }
    }

    void computeTwiceGivesTheSameResult() {
        click("Command1");
        const QStringList first = outputs();
        box("Text6")->setText("typed over");
        click("Command1");
        QCOMPARE(outputs(), first);
        QVERIFY(m_shown.empty());
    }

    void stoppedRunKeepsThePreviousResults_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("h3 above h2") << "Text2" << "-2";
        QTest::newRow("h2 above h1") << "Text1" << "-0.6";
        QTest::newRow("h4 above h3") << "Text16" << "-0.8";
        QTest::newRow("cover not a number") << "Text13" << "abc";
        QTest::newRow("empty surcharge") << "Text15" << "";
        QTest::newRow("spacing not a number") << "Text10" << "1oo";
        // clang-format on
    }
    void stoppedRunKeepsThePreviousResults() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        click("Command1");
        const QStringList before = outputs();
        QVERIFY(m_shown.empty());
        box(name.toLatin1().constData())->setText(text);
        click("Command1");
        QCOMPARE(m_shown.size(), std::size_t{1});
        QCOMPARE(m_shown.front().title, QString(kNotice));
        QVERIFY(!m_shown.front().text.isEmpty());
        if (name == "Text10") {
            // The spacing is first needed after MBk and the strength area are shown.
            QCOMPARE(outputs().mid(2), before.mid(2));
        } else {
            QCOMPARE(outputs(), before);
        }
        QVERIFY(m_form->isVisible());
        QVERIFY(find<QPushButton>("Command1")->isEnabled());
    }

    // The result boxes and the sheet greyed where they do not hold the
    // results of the inputs as they stand, the texts as they are.
    QStringList greyed() const {
        QStringList names;
        for (Control output : kWrittenBoxes) {
            const QWidget* widget = find<QWidget>(controlName(output).data());
            if (widget->palette().color(QPalette::Text) == QColor(kStaleText)) {
                names << q(controlName(output));
            }
        }
        return names;
    }
    void staleResultsAreGreyedUntilComputedAgain() {
        QCOMPARE(greyed(), QStringList());
        click("Command1");
        QCOMPARE(greyed(), QStringList());
        const QStringList results = outputs();
        box("Text4")->setText("360");
        QCOMPARE(greyed(), (QStringList{"Text6", "Text7", "Text19", "Text9", "Text11", "Text18", "Text12"}));
        QCOMPARE(outputs(), results);
        box("Text4")->setText("350"); // back to the inputs of the run
        QCOMPARE(greyed(), QStringList());
        // A run stopped after the strength results: the rest is an older run's.
        box("Text10")->setText("200");
        click("Command1");
        QCOMPARE(greyed(), (QStringList{"Text9", "Text11", "Text18", "Text12"}));
        box("Text10")->setText("100");
        click("Command1");
        QCOMPARE(greyed(), QStringList());
    }

    void freeTextInAListSelectsNothing() {
        // C30 first, then free text over it: the run keeps C30's strengths.
        list("Combo1")->setCurrentIndex(3);
        click("Command1");
        QCOMPARE(*m_form->document().state().Fc, 14.3);
        QComboBox* concrete = list("Combo1");
        concrete->lineEdit()->selectAll();
        QTest::keyClicks(concrete->lineEdit(), "C33");
        QCOMPARE(m_form->selectedIndex(Control::Combo1), -1);
        click("Command1");
        QCOMPARE(m_form->selectedIndex(Control::Combo1), -1);
        QCOMPARE(*m_form->document().state().Fc, 14.3);
        QCOMPARE(*m_form->document().state().Ftk, 2.01);

        HeadlessWindow c30;
        c30.setSelectedIndex(Control::Combo1, 3);
        DesignState c30State;
        COMPUTE(c30State, c30);
        QCOMPARE(m_form->readText(Control::Text7), c30.text(Control::Text7));
        QVERIFY(m_form->readText(Control::Text7) != "3260.572"); // C15's area: the grade did matter
    }

    // Text typed over a list selects the entry it is exactly, any other text
    // none; the run then keeps the grade it last read, as the page and the
    // tool do.
    void typedListTextsSelectAsThePageAndTheToolDo_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("computedAs"); // the entry whose strengths the run uses
        QTest::newRow("an entry exactly") << "C30" << 3 << 3;
        QTest::newRow("an entry with a blank added") << "C30 " << -1 << 0;
        QTest::newRow("another list's entry") << "HRB335" << -1 << 0;
        QTest::newRow("full-width letters") << "Ｃ３０" << -1 << 0;
    }
    void typedListTextsSelectAsThePageAndTheToolDo() {
        QFETCH(QString, typed);
        QFETCH(int, selected);
        QFETCH(int, computedAs);
        click("Command1"); // in C15: the grade a run keeps when none is selected
        QComboBox* concrete = list("Combo1");
        concrete->lineEdit()->selectAll();
        // As an input method commits it: full-width text has no key to click.
        concrete->lineEdit()->insert(typed);
        QTest::keyClick(concrete->lineEdit(), Qt::Key_Tab);
        QCOMPARE(m_form->selectedIndex(Control::Combo1), selected);
        QCOMPARE(m_form->document().form().inputs().selectedIndex(Control::Combo1), selected);
        click("Command1");
        HeadlessWindow expected;
        expected.setSelectedIndex(Control::Combo1, computedAs);
        DesignState state;
        COMPUTE(state, expected);
        QCOMPARE(m_form->readText(Control::Text7), expected.text(Control::Text7));
    }

    void noLoadCaseWritesNothing() {
        QComboBox* cases = list("Combo3");
        cases->lineEdit()->selectAll();
        QTest::keyClicks(cases->lineEdit(), "Case C");
        click("Command1");
        QVERIFY(m_shown.empty());
        QCOMPARE(outputs(), (QStringList{"", "", "", "", "", "", kReportHint}));
        QCOMPARE(*m_form->document().state().h0, 300.0); // the inputs were read all the same
    }

    void choosingAnEntryComputesNothing() {
        list("Combo1")->setCurrentIndex(5);
        list("Combo3")->setCurrentIndex(1);
        box("Text4")->setText("500");
        QVERIFY(!computeHasRun());
        QCOMPARE(outputs(), (QStringList{"", "", "", "", "", "", kReportHint}));
    }

    void reportScrollsInsteadOfWrapping() {
        click("Command1");
        QPlainTextEdit* sheet = report();
        QCOMPARE(sheet->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(sheet->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(sheet->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // The longest sheet line is wider than the box and 37 lines are taller.
        QVERIFY(sheet->horizontalScrollBar()->maximum() > 0);
        QVERIFY(sheet->verticalScrollBar()->maximum() > 0);
    }

    // ---- Help ----

    void helpShowsFourLinesAndChangesNothing() {
        click("Command1");
        const QStringList before = outputs();
        click("Command2");
        QCOMPARE(m_shown.size(), std::size_t{1});
        QCOMPARE(m_shown.front().title, QString("友情帮助:"));
        const QStringList lines = m_shown.front().text.split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("    如果坡道有顶，请使用本人的地下室外墙程序计算。"));
        QCOMPARE(lines[1], QString("    外墙的计算厚度h0为墙厚减掉保护层厚，未考虑钢筋直径，如要求精确，"));
        QCOMPARE(lines[2], QString(" 可在输入保护层厚度时加上已算出钢筋直径的一半重新计算。"));
        QVERIFY(lines[3].startsWith(QLatin1Char(' ')) && !lines[3].startsWith("  "));
        QVERIFY(lines[3].size() > 1);
        QVERIFY(!m_shown.front().text.endsWith('\n'));
        QCOMPARE(outputs(), before);
    }

    void contextMenusAreInChinese() {
        const std::unique_ptr<QMenu> boxMenu(box("Text1")->createStandardContextMenu());
        const std::unique_ptr<QMenu> reportMenu(find<QPlainTextEdit>("Text12")->createStandardContextMenu());
        for (const QMenu* menu : {boxMenu.get(), reportMenu.get()}) {
            QStringList entries; // without their shortcuts
            for (const QAction* action : menu->actions())
                entries << action->text().section(QLatin1Char('\t'), 0, 0);
            QCOMPARE(entries.filter(QRegularExpression("^(撤消\\(&U\\)|复制\\(&C\\)|粘贴\\(&P\\)|删除|全选)$")).size(),
                     5);
        }
    }

    void realHelpBoxIsModalWithOneOkButtonAndNoIcon() {
        m_form->setMessagePresenter(showModalMessage);
        QString title;
        QString text;
        int buttons = -1;
        int icon = -1;
        bool modal = false;
        QString ok;
        // Poll until the box is up, note what it shows, then press OK.
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                QTimer::singleShot(20, answer);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            buttons = static_cast<int>(box->buttons().size());
            icon = box->icon();
            modal = box->isModal();
            ok = box->button(QMessageBox::Ok)->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        };
        QTimer::singleShot(0, answer);
        click("Command2");
        QCOMPARE(title, QString("友情帮助:"));
        QCOMPARE(text.count(QLatin1Char('\n')), 3);
        QVERIFY(!text.contains(QLatin1Char('\r')));
        QVERIFY(text.startsWith("    如果坡道有顶"));
        QCOMPARE(buttons, 1);
        QCOMPARE(icon, int(QMessageBox::NoIcon));
        QCOMPARE(ok, QString("确定"));
        QVERIFY(modal);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(m_form->isVisible());
    }

    void messageBoxButtonsCarryNoPicture() {
        // A desktop theme that wants pictures on dialog buttons, as some do.
        class PicturesOnButtons : public QProxyStyle {
        public:
            using QProxyStyle::QProxyStyle;
            int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const override {
                return hint == SH_DialogButtonBox_ButtonsHaveIcons
                           ? 1
                           : QProxyStyle::styleHint(hint, option, widget, returnData);
            }
        };
        const auto okHasPicture = [](QStyle* style) {
            QApplication::setStyle(style); // the application owns it from here
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("友情提示:"), QStringLiteral("x"), QMessageBox::Ok);
            return !box.button(QMessageBox::Ok)->icon().isNull();
        };
        // Left to the theme, OK would carry a tick; the window's style keeps it bare.
        QVERIFY(okHasPicture(new PicturesOnButtons(QStyleFactory::create(QStringLiteral("Fusion")))));
        QVERIFY(!okHasPicture(windowStyle(new PicturesOnButtons(QStyleFactory::create(QStringLiteral("Fusion"))))));
        applyLook(*qApp);
    }

    // ---- Keys ----

    void enterAndEscapeStartNothing_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::newRow("Combo1") << "Combo1";
        QTest::newRow("Text1") << "Text1";
        QTest::newRow("Text8") << "Text8";
        QTest::newRow("Text6") << "Text6";
        QTest::newRow("Command1") << "Command1";
        QTest::newRow("Command2") << "Command2";
        QTest::newRow("Command3") << "Command3";
        QTest::newRow("OLE1") << "OLE1";
        // clang-format on
    }
    void enterAndEscapeStartNothing() {
        QFETCH(QString, name);
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QWidget* target = find<QWidget>(name.toLatin1().constData());
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QVERIFY(!computeHasRun());
        QVERIFY(m_shown.empty());
        QVERIFY(m_form->isVisible());
        QCOMPARE(outputs(), (QStringList{"", "", "", "", "", "", kReportHint}));
    }

    // ---- Window operations ----

    void windowOperationsKeepTextsExactly_data() {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Text1 blanks kept") << "Text1" << "  -1.0 ";
        QTest::newRow("Text6 full-width digits") << "Text6" << "１２３．５";
        QTest::newRow("Text19 bar text") << "Text19" << "太大了";
        QTest::newRow("Text12 CR LF lines") << "Text12" << "1.荷载计算：\r\n\r\n (1)水上土压力： \r\nend";
        QTest::newRow("Text12 markup stays text") << "Text12" << "<b>α</b> & ρte";
        QTest::newRow("Combo2 free text") << "Combo2" << "HRB500";
        // clang-format on
    }
    void windowOperationsKeepTextsExactly() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const Control control = *controlByName(name.toStdString());
        m_form->replaceText(control, text.toStdString());
        QCOMPARE(q(m_form->readText(control)), text);
    }

    void listSelectionFollowsTheEditText() {
        m_form->selectEntry(Control::Combo2, 3);
        QCOMPARE(m_form->selectedIndex(Control::Combo2), 3);
        QCOMPARE(list("Combo2")->currentText(), QString(QChar(0x2163)) + "级(RRB400)");
        m_form->replaceText(Control::Combo2, "RRB400");
        QCOMPARE(m_form->selectedIndex(Control::Combo2), -1);
        // Text that is exactly an entry selects it, in the window and in the
        // design it shows alike.
        QComboBox* concrete = list("Combo1");
        concrete->lineEdit()->selectAll();
        QTest::keyClicks(concrete->lineEdit(), "C35");
        QCOMPARE(m_form->selectedIndex(Control::Combo1), 4);
        QCOMPARE(m_form->document().form().shownEntry(Control::Combo1), 4);
        QTest::keyClick(concrete->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(m_form->selectedIndex(Control::Combo1), -1);
        QCOMPARE(m_form->document().form().shownEntry(Control::Combo1), -1);
        m_form->appendEntry(Control::Combo3, "extra");
        QCOMPARE(list("Combo3")->itemText(2), QString("extra"));
    }

    // ---- Exit ---- (last: it closes the only window)

    void exitEndsTheProgramWithoutAsking() {
        click("Command1");
        // Run the program's event loop as main does; clicking Exit must end
        // it. A window that stays open after the click would leave the loop
        // running: that ends it at once with a status of its own, so the
        // verdict never waits on a clock.
        QTimer::singleShot(0, this, [this] {
            click("Command3");
            if (m_form->isVisible()) {
                QCoreApplication::exit(2);
            }
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_shown.empty());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
