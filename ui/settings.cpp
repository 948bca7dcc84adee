#include "ui/settings.h"

#include "calc/editions/registry.h"
#include "design/file_io.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>

namespace rampwall {

namespace {

const QString kRecentFiles = QStringLiteral("recent/files");
const QString kMusicOn = QStringLiteral("options/music");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kWindowPosition = QStringLiteral("window/position");
const QString kEdition = QStringLiteral("code/edition");

QString factorKey(const FactorDefinition& factor) {
    return QStringLiteral("code/") + QString::fromUtf8(factor.key.data(), static_cast<qsizetype>(factor.key.size()));
}

} // namespace

Settings::Settings() : Settings(userFileName()) {}

Settings::Settings(const QString& fileName) {
    // The settings reader would open a named pipe and wait for a writer
    // forever, and the writer would put a file in a device's place: the file
    // a link leads to is looked at before either touches it.
    const std::filesystem::path path = design::resolveWriteTarget(QFile::encodeName(fileName).toStdString()).path;
    std::error_code unknown;
    const std::filesystem::file_status found = std::filesystem::status(path, unknown);
    if (std::filesystem::exists(found) && !std::filesystem::is_regular_file(found)) {
        std::fprintf(stderr, "rampwall: 设置文件“%s”不是普通文件（而是文件夹、设备或管道），本次不读取，也不保存设置\n",
                     path.c_str());
        return;
    }
    m_settings = std::make_unique<QSettings>(QFile::decodeName(path.c_str()), QSettings::IniFormat);
    dropIfDamaged();
}

Settings::~Settings() = default;

QString Settings::userFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/rampwall/rampwall.ini");
}

// A file the settings reader could not follow may hold anything; start from
// nothing rather than from what could be read of it. The next change writes
// a clean file.
void Settings::dropIfDamaged() {
    if (m_settings->status() == QSettings::FormatError) {
        std::fprintf(stderr, "rampwall: 设置文件“%s”已损坏，已略过；下次保存设置时重写\n",
                     QFile::encodeName(m_settings->fileName()).constData());
        m_settings->clear();
    }
}

QVariant Settings::value(const QString& key) const {
    return m_settings ? m_settings->value(key) : m_thisRunOnly.value(key);
}

void Settings::setValue(const QString& key, const QVariant& value) {
    if (m_settings) {
        m_settings->setValue(key, value);
    } else {
        m_thisRunOnly.insert(key, value);
    }
}

QStringList Settings::recentFiles() const {
    const QVariant stored = value(kRecentFiles);
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

void Settings::setRecentFiles(const QStringList& files) { setValue(kRecentFiles, files.mid(0, kMaxRecentFiles)); }

QStringList Settings::withRecentFile(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    return files.mid(0, kMaxRecentFiles);
}

bool Settings::musicOn() const {
    // Only a clear "false" switches it off; anything else is the default.
    const QVariant stored = value(kMusicOn);
    return stored.typeId() == QMetaType::Bool ? stored.toBool() : stored.toString() != QLatin1String("false");
}

void Settings::setMusicOn(bool on) { setValue(kMusicOn, on); }

QString Settings::lastFolder() const {
    const QString folder = value(kLastFolder).toString();
    return QDir::isAbsolutePath(folder) ? folder : QString();
}

void Settings::setLastFolder(const QString& folder) { setValue(kLastFolder, folder); }

const CodeEdition& Settings::edition() const {
    const CodeEdition* chosen = editionByKey(value(kEdition).toString().toStdString());
    return chosen != nullptr ? *chosen : defaultEdition();
}

void Settings::setEdition(const CodeEdition& edition) {
    const std::string_view key = edition.key();
    setValue(kEdition, QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
}

FactorValues Settings::factors() const {
    FactorValues factors;
    for (const CodeEdition* owner : editions()) {
        for (const FactorDefinition& factor : owner->factors()) {
            bool read = false;
            // QString reads decimals without the locale.
            const double stored = value(factorKey(factor)).toString().toDouble(&read);
            if (read && !factorProblem(factor, stored)) {
                factors.set(factor, stored);
            }
        }
    }
    return factors;
}

void Settings::setFactors(const FactorValues& factors) {
    for (const CodeEdition* owner : editions()) {
        for (const FactorDefinition& factor : owner->factors()) {
            setValue(factorKey(factor), QString::number(factors.value(factor), 'g', QLocale::FloatingPointShortest));
        }
    }
}

std::optional<QPoint> Settings::windowPosition() const {
    const QVariant stored = value(kWindowPosition);
    if (stored.typeId() != QMetaType::QPoint) {
        return std::nullopt;
    }
    return stored.toPoint();
}

void Settings::setWindowPosition(QPoint position) { setValue(kWindowPosition, position); }

} // namespace rampwall
