#include "settings.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

namespace rampwall {

namespace {

const QString kRecentFiles = QStringLiteral("recent/files");
const QString kMusicOn = QStringLiteral("options/music");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kWindowPosition = QStringLiteral("window/position");
const QString kEdition = QStringLiteral("code/edition");

QString factorKey(const LoadFactorField& field) {
    return QStringLiteral("code/") + QString::fromUtf8(field.key.data(), static_cast<qsizetype>(field.key.size()));
}

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

Edition Settings::edition() const {
    return editionByKey(m_settings->value(kEdition).toString().toStdString()).value_or(kDefaultEdition);
}

void Settings::setEdition(Edition edition) {
    const std::string_view key = editionKey(edition);
    m_settings->setValue(kEdition, QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
}

LoadFactors Settings::loadFactors() const {
    LoadFactors factors;
    for (const LoadFactorField& field : kLoadFactorFields) {
        bool read = false;
        // QString reads decimals without the locale.
        const double value = m_settings->value(factorKey(field)).toString().toDouble(&read);
        if (read && !loadFactorProblem(field, value)) {
            factors.*field.member = value;
        }
    }
    return factors;
}

void Settings::setLoadFactors(const LoadFactors& factors) {
    for (const LoadFactorField& field : kLoadFactorFields) {
        m_settings->setValue(factorKey(field),
                             QString::number(factors.*field.member, 'g', QLocale::FloatingPointShortest));
    }
}

std::optional<QPoint> Settings::windowPosition() const {
    const QVariant stored = m_settings->value(kWindowPosition);
    if (stored.typeId() != QMetaType::QPoint) {
        return std::nullopt;
    }
    return stored.toPoint();
}

void Settings::setWindowPosition(QPoint position) { m_settings->setValue(kWindowPosition, position); }

} // namespace rampwall
