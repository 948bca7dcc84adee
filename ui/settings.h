// What the window remembers from one run to the next: the recent designs,
// the music switch, the code edition and its factors, the folder of the last design and where the window was.
// A settings file that cannot be read is ignored and written afresh.
#pragma once

#include "edition.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace rampwall {

class Settings {
public:
    static constexpr int kMaxRecentFiles = 8;

    // The user's own settings file.
    Settings();
    // A given file, for tests.
    explicit Settings(const QString& fileName);
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

    // The code edition of the last run: 2002 unless 2010 was chosen.
    Edition edition() const;
    void setEdition(Edition edition);
    // The 2010 edition's factors; a factor not remembered, or not sound,
    // keeps its default.
    LoadFactors loadFactors() const;
    void setLoadFactors(const LoadFactors& factors);

    std::optional<QPoint> windowPosition() const;
    void setWindowPosition(QPoint position);

private:
    void dropIfDamaged();

    std::unique_ptr<QSettings> m_settings;
};

} // namespace rampwall
