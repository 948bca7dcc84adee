#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace rampwall {

QString qtTranslationsDirectory() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool installQtTranslations(QCoreApplication& app, const QString& directory) {
    // By file name rather than by locale, so the system's language has no say.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), directory) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace rampwall
