// 规范: the code edition 计算 follows, one entry for each edition the program
// offers, and the factors the editions set beside the form. The choice is
// remembered for the next start; a design file that names an edition
// switches to it.
#pragma once

#include <QObject>

#include <utility>
#include <vector>

class QAction;
class QMenuBar;

namespace rampwall {

class CodeEdition;
class Form1;
class Settings;

// Opens the window on the start-up design of the remembered edition, with
// the remembered factors, as its saved design.
void restoreCode(Form1& form, const Settings& settings);

class CodeMenu final : public QObject {
    Q_OBJECT

public:
    // Inserts the menu into bar before `place`.
    CodeMenu(Form1& form, Settings& settings, QMenuBar* bar, QAction* place);

    // Shows the factors dialog and takes what it accepts; for the menu and tests.
    bool editLoadFactors();

private:
    void showChoice();

    Form1& m_form;
    Settings& m_settings;
    std::vector<std::pair<const CodeEdition*, QAction*>> m_editions;
};

} // namespace rampwall
