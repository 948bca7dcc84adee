#include "form1.h"
#include "look.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    rampwall::applyLook(app);
    rampwall::Form1 window;
    window.show();
    return QApplication::exec();
}
