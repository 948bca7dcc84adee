#include "book/headless_gui.h"

#include <QGuiApplication>

namespace rampwall::book {

namespace {
// QGuiApplication keeps references to these for its whole life. The
// -platform argument wins over a QT_QPA_PLATFORM meant for the desktop.
int argumentCount = 3;
char programName[] = "rampwall";
char platformOption[] = "-platform";
char platformName[] = "offscreen";
char* arguments[] = {programName, platformOption, platformName, nullptr};
} // namespace

HeadlessGui::HeadlessGui() {
    if (QCoreApplication::instance() == nullptr) {
        m_app = std::make_unique<QGuiApplication>(argumentCount, arguments);
    }
}

HeadlessGui::~HeadlessGui() = default;

} // namespace rampwall::book
