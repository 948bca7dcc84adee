// The window's menu bar, 文件 / 选项 / 帮助, above the unchanged client area,
// and what hangs on it: the design document, the remembered settings, the
// music switch, the question before the window closes and the design files
// dropped on the window.
#pragma once

#include "settings.h"

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace rampwall {

class DesignDocument;
class Form1;

class MainMenu final : public QObject {
    Q_OBJECT

public:
    // Puts the menu bar above clientArea, which keeps its size; the window
    // grows by the bar's height.
    MainMenu(Form1& form, QWidget* clientArea);
    ~MainMenu() override;

    DesignDocument& document() { return *m_document; }
    QMenuBar* menuBar() const { return m_bar; }

    // Where the next commands go: the calculation book's export and print
    // are inserted before bookCommandsPlace() in 文件, and the code edition's
    // menu before codeMenuPlace() on the bar.
    QAction* bookCommandsPlace() const { return m_bookCommandsPlace; }
    QAction* codeMenuPlace() const { return m_codeMenuPlace; }

    // `rampwall FILE`: opens the first argument that is not a switch.
    void openFromCommandLine(const QStringList& arguments);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFileMenu();
    void buildOptionsMenu();
    void buildHelpMenu();
    void fillRecentMenu();
    void showAbout();
    void restorePosition();
    void watchDropsOn(QWidget* widget);

    Form1& m_form;
    Settings m_settings;
    DesignDocument* m_document = nullptr;
    QMenuBar* m_bar = nullptr;
    QMenu* m_recent = nullptr;
    QAction* m_bookCommandsPlace = nullptr;
    QAction* m_codeMenuPlace = nullptr;
};

// The menu of a window, or null; for main and the tests.
MainMenu* mainMenuOf(Form1& form);

} // namespace rampwall
