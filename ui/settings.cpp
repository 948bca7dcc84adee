#include "settings.h"

#include <QDir>
#include <QSettings>

namespace rampwall {

namespace {

const QString kRecentFiles = QStringLiteral("recent/files");
const QString kMusicOn = QStringLiteral("options/music");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kWindowPosition = QStringLiteral("window/position");

} // namespace

Settings::Settings()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("rampwall"),
                                             QStringLiteral("rampwall"))) {
    dropIfDamaged();
}

Settings::Settings(const QString& fileName) : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {
    dropIfDamaged();
}

Settings::~Settings() = default;

// A file the settings reader could not follow may hold anything; start from
// nothing rather than from what could be read of it. The next change writes
// a clean file.
void Settings::dropIfDamaged() {
    if (m_settings->status() == QSettings::FormatError) {
        m_settings->clear();
    }
}

QStringList Settings::recentFiles() const {
    const QVariant stored = m_settings->value(kRecentFiles);
    QStringList files;
    if (stored.typeId() != QMetaType::QStringList && stored.typeId() != QMetaType::QString) {
        return files;
    }
    for (const QString& file : stored.toStringList()) {
        if (QDir::isAbsolutePath(file) && !files.contains(file) && files.size() < kMaxRecentFiles) {
            files << file;
        }
    }
    return files;
}

void Settings::setRecentFiles(const QStringList& files) {
    m_settings->setValue(kRecentFiles, files.mid(0, kMaxRecentFiles));
}

QStringList Settings::withRecentFile(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    return files.mid(0, kMaxRecentFiles);
}

bool Settings::musicOn() const {
    // Only a clear "false" switches it off; anything else is the default.
    const QVariant stored = m_settings->value(kMusicOn);
    return stored.typeId() == QMetaType::Bool ? stored.toBool() : stored.toString() != QLatin1String("false");
}

void Settings::setMusicOn(bool on) { m_settings->setValue(kMusicOn, on); }

QString Settings::lastFolder() const {
    const QString folder = m_settings->value(kLastFolder).toString();
    return QDir::isAbsolutePath(folder) ? folder : QString();
}

void Settings::setLastFolder(const QString& folder) { m_settings->setValue(kLastFolder, folder); }

std::optional<QPoint> Settings::windowPosition() const {
    const QVariant stored = m_settings->value(kWindowPosition);
    if (stored.typeId() != QMetaType::QPoint) {
        return std::nullopt;
    }
    return stored.toPoint();
}

void Settings::setWindowPosition(QPoint position) { m_settings->setValue(kWindowPosition, position); }

} // namespace rampwall
