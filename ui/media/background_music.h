// The background music: a hidden player that starts when the window is
// created and plays one sound 100 times in a row, at half volume, at normal
// speed: the program's own tune, compiled in, or the file at an address the
// build names. It shows nothing, not even an error: a sound that cannot be
// fetched or played, or a machine without a sound device, goes unnoticed.
// The user has no control over it, apart from starting the program with
// --no-music.
#pragma once

#include <QObject>
#include <QStringList>
#include <QStringView>
#include <QTimer>
#include <QUrl>

class QAudioOutput;
class QMediaPlayer;

namespace rampwall {

class BackgroundMusic : public QObject {
    Q_OBJECT
public:
    static constexpr int kPlayCount = 100;
    static constexpr float kVolume = 0.5f; // 50 on a scale of 0 to 100
    static constexpr double kPlaybackRate = 1.0;

    // Starts playing source at once. An empty source makes no player at all,
    // so nothing touches the network. When parent is a widget (the window),
    // the music stops as soon as that widget is closed.
    explicit BackgroundMusic(const QUrl& source, QObject* parent = nullptr);
    // Stops the sound at once.
    ~BackgroundMusic() override;

    // The program's own tune, a resource inside the program.
    static QUrl tuneSource();
    // The address built in with the CMake variable RAMPWALL_MUSIC_URL, or the
    // tune when the build names none.
    static QUrl builtInSource();
    // What the window plays: the built-in source, unless switched off.
    static QUrl startupSource();

    // The command-line switch that turns the music off, "--no-music".
    static QString noMusicSwitch();
    // Switches the music off for windows created later when arguments holds
    // the switch; returns whether it did.
    static bool applyCommandLine(const QStringList& arguments);
    static void setSwitchedOff(bool off);
    static bool isSwitchedOff();

    // The address that configured text names, or an empty one when the text
    // is blank or the music is switched off.
    static QUrl resolveSource(QStringView configured, bool switchedOff);

    QUrl source() const { return m_source; }
    // Null when there is no source.
    QMediaPlayer* player() const { return m_player; }
    QAudioOutput* audioOutput() const { return m_audio; }
    // How many times the file has been played to its end so far.
    int completedPlays() const { return m_completedPlays; }

    // Stops for good; nothing starts it again.
    void stop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPositionChanged(qint64 position);
    void checkProgress();
    void restart();

    QUrl m_source;
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_audio = nullptr;
    QTimer m_progressCheck;
    qint64 m_lastPosition = 0;
    qint64 m_checkedPosition = -1;
    int m_stillChecks = 0;
    int m_completedPlays = 0;
    bool m_stopped = false;
};

} // namespace rampwall
