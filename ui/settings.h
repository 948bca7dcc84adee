// What the window remembers from one run to the next: the recent designs,
// the music switch, the code edition and its factors, the folder of the last design and where the window was.
// A settings file that cannot be read is ignored and written afresh. One
// that is no regular file (a device, a named pipe, a folder, or a link to
// one) is neither read nor written: the settings then last for this run only,
// and a note on standard error says so.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/editions/factor.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;

namespace rampwall {

class Settings {
public:
    static constexpr int kMaxRecentFiles = 8;

    // The user's own settings file, ~/.config/rampwall/rampwall.ini or its
    // place under $XDG_CONFIG_HOME.
    Settings();
    // A given file, for tests.
    explicit Settings(const QString& fileName);

    static QString userFileName();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Newest first, at most kMaxRecentFiles, each an absolute path.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);
    // files with path moved (or added) to the front, trimmed to the limit.
    static QStringList withRecentFile(QStringList files, const QString& path);

    bool musicOn() const; // on unless switched off in the menu
    void setMusicOn(bool on);

    QString lastFolder() const; // empty when none is remembered
    void setLastFolder(const QString& folder);

    // The code edition chosen last: the default one unless another was.
    const CodeEdition& edition() const;
    void setEdition(const CodeEdition& edition);
    // The factors of every edition, by key; a factor not remembered, or not
    // sound, keeps its default.
    FactorValues factors() const;
    void setFactors(const FactorValues& factors);

    std::optional<QPoint> windowPosition() const;
    void setWindowPosition(QPoint position);

private:
    void dropIfDamaged();
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> m_settings; // null when the file is no regular file
    QVariantMap m_thisRunOnly;
};

} // namespace rampwall
