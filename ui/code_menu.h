// 规范: the code edition 计算 follows, GB 50010-2002 or GB 50010-2010(2015年
// 版), and the 2010 edition's load factors. The choice is remembered for the
// next start; a design file that names an edition switches to it.
#pragma once

#include <QObject>

class QAction;
class QMenuBar;

namespace rampwall {

class Form1;
class Settings;

// Puts the remembered edition and factors into the window; before the design
// document takes the start-up design from it.
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
    QAction* m_edition2002 = nullptr;
    QAction* m_edition2010 = nullptr;
};

} // namespace rampwall
