// Qt's own texts in Chinese: the button of every message box (确定) and the
// entries of the text boxes' context menu (撤消, 复制, 粘贴, 全选 ...). The
// window is Chinese throughout, so they are loaded whatever the system's
// language; without the translation file Qt's English texts stay.
#pragma once

#include <QString>

class QCoreApplication;

namespace rampwall {

// Where Qt keeps its translation files on this system.
QString qtTranslationsDirectory();

// Installs Qt's Simplified Chinese texts (qtbase_zh_CN) from directory.
// Returns false, changing nothing, when they cannot be loaded.
bool installQtTranslations(QCoreApplication& app, const QString& directory = qtTranslationsDirectory());

} // namespace rampwall
