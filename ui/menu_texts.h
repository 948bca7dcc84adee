// The desktop's menus and commands, captioned from the texts the window and
// the page share: "文件(&F)", "打开(&O)…" with Ctrl+O.
#pragma once

#include <QString>

#include <string_view>

class QAction;
class QMenu;
class QObject;
class QWidget;

namespace rampwall {

// The caption of a command of kCommands, its mnemonic marked for Alt.
QString commandCaption(std::string_view command);

// An action for a command of kCommands: its caption, objectName and shortcut.
QAction* commandAction(std::string_view command, QObject* parent);

// A menu of kMenus with its caption and objectName, for the bar to take.
QMenu* newMenu(std::string_view menu, QWidget* parent);

} // namespace rampwall
