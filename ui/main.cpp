#include "background_music.h"
#include "form1.h"
#include "look.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    rampwall::installQtTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rampwall.Rampwall"));
    rampwall::BackgroundMusic::applyCommandLine(QApplication::arguments());
    rampwall::applyLook(app);
    rampwall::Form1 window;
    window.show();
    return QApplication::exec();
}
