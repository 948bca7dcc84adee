// The window's menu bar, 文件 / 规范 / 选项 / 工具 / 帮助, above the unchanged client
// area, and what hangs on it: the document's commands, the remembered settings, the
// music switch, the question before the window closes and the design files
// dropped on the window.
#pragma once

#include "ui/settings.h"

#include <QByteArrayList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace rampwall {

class DocumentCommands;
class Form1;

class MainMenu final : public QObject {
    Q_OBJECT

public:
    // Puts the menu bar above clientArea, which keeps its size; the window
    // grows by the bar's height.
    MainMenu(Form1& form, QWidget* clientArea);
    ~MainMenu() override;

    DocumentCommands& commands() { return *m_commands; }
    QMenuBar* menuBar() const { return m_bar; }

    // Where the next commands go: the calculation book's export and print
    // are inserted before bookCommandsPlace() in 文件, and the code edition's
    // menu before codeMenuPlace() on the bar.
    QAction* bookCommandsPlace() const { return m_bookCommandsPlace; }
    QAction* codeMenuPlace() const { return m_codeMenuPlace; }

    // `rampwall [--no-music] [--] [FILE]`, as the system gives the arguments
    // (file names in bytes, not always UTF-8): opens the first argument that
    // is no option. Another argument that starts with '-' is reported, and
    // "--" ends the options; a name Qt cannot hold is reported as such.
    void openFromCommandLine(const QByteArrayList& arguments);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFileMenu();
    void buildOptionsMenu();
    void buildToolsMenu();
    void buildHelpMenu();
    void fillRecentMenu();
    void showAbout();
    void restorePosition();
    void watchDropsOn(QWidget* widget);

    Form1& m_form;
    Settings m_settings;
    DocumentCommands* m_commands = nullptr;
    QMenuBar* m_bar = nullptr;
    QMenu* m_recent = nullptr;
    QAction* m_bookCommandsPlace = nullptr;
    QAction* m_codeMenuPlace = nullptr;
};

// The menu of a window, or null; for main and the tests.
MainMenu* mainMenuOf(Form1& form);

// The arguments main was given, as bytes, once QApplication has taken its own.
QByteArrayList argumentsOf(int argc, char** argv);

} // namespace rampwall
