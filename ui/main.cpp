#include "ui/form1.h"
#include "ui/look.h"
#include "ui/main_menu.h"
#include "ui/media/background_music.h"
#include "ui/translations.h"

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
    rampwall::mainMenuOf(window)->openFromCommandLine(rampwall::argumentsOf(argc, argv));
    return QApplication::exec();
}
