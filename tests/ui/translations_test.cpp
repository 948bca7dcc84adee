// Qt's own texts in the window, Chinese whatever the system's language, and
// English still when the translation file is missing.
#include "message_box.h"
#include "translations.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace rampwall;

namespace {

// The button of the window's real message box, read while it is up.
QString messageBoxButton() {
    QString text;
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(20, answer);
            return;
        }
        text = box->buttons().value(0)->text();
        box->accept();
    };
    QTimer::singleShot(0, answer);
    showModalMessage(nullptr, QStringLiteral("x"), QStringLiteral("友情提示:"));
    return text;
}

// A context menu's entries without their access keys and shortcuts:
// "复制(&C)\tCtrl+C" is "复制", "&Copy\tCtrl+C" is "Copy".
QStringList entries(QMenu* menu) {
    const std::unique_ptr<QMenu> owned(menu);
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QString text = action->text().section(QLatin1Char('\t'), 0, 0);
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))).remove(QLatin1Char('&'));
        texts.append(text);
    }
    return texts;
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    // In this order: the missing file first, before anything is installed.
    void missingFileLeavesQtsEnglish();
    void qtTextsAreChineseWhateverTheLocale();
};

void TranslationsTest::missingFileLeavesQtsEnglish() {
    QTemporaryDir empty;
    QVERIFY(!installQtTranslations(*qApp, empty.path()));
    QCOMPARE(messageBoxButton(), QStringLiteral("OK"));
    QLineEdit box(QStringLiteral("3260.572"));
    QVERIFY(entries(box.createStandardContextMenu()).contains(QStringLiteral("Select All")));
}

void TranslationsTest::qtTextsAreChineseWhateverTheLocale() {
    QCOMPARE(QLocale().language(), QLocale::English); // the test's environment
    QVERIFY(installQtTranslations(*qApp));
    QCOMPARE(messageBoxButton(), QStringLiteral("确定"));
    const QStringList expected{"撤消", "重做", "剪切", "复制", "粘贴", "删除", "全选"};
    QLineEdit box(QStringLiteral("3260.572"));
    QCOMPARE(entries(box.createStandardContextMenu()), expected);
    QPlainTextEdit report(QStringLiteral("1.荷载计算:"));
    QCOMPARE(entries(report.createStandardContextMenu()), expected);
}

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
