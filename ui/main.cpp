#include "background_music.h"
#include "form1.h"
#include "look.h"
#include "main_menu.h"
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
    // `rampwall FILE` opens a design, as a double-click on one does.
    rampwall::mainMenuOf(window)->openFromCommandLine(QApplication::arguments());
    return QApplication::exec();
}
