#include "ui/menu_texts.h"

#include "calc/window_texts.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace rampwall {

namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

QString commandCaption(std::string_view command) {
    const CommandText& text = commandText(command);
    return qText(menuCaption(text.caption, text.mnemonic, text.asksMore, true));
}

QAction* commandAction(std::string_view command, QObject* parent) {
    const CommandText& text = commandText(command);
    auto* action = new QAction(commandCaption(command), parent);
    action->setObjectName(qText(text.name));
    // Written as QKeySequence reads it, so Ctrl is Cmd on a Mac.
    action->setShortcut(QKeySequence(qText(text.shortcut)));
    return action;
}

QMenu* newMenu(std::string_view menu, QWidget* parent) {
    const auto* found =
        std::find_if(kMenus.begin(), kMenus.end(), [menu](const MenuText& m) { return m.name == menu; });
    // The first menu for a name that is none, as commandText does.
    const MenuText* text = found != kMenus.end() ? found : kMenus.begin();
    auto* created = new QMenu(qText(menuCaption(text->caption, text->mnemonic, false, true)), parent);
    created->setObjectName(qText(text->name));
    return created;
}

} // namespace rampwall
