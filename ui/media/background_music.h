// The background music: a hidden player that fetches one MP3 file from a web
// server when the window is created and plays it 100 times in a row, at half
// volume, at normal speed. It shows nothing, not even an error: a file that
// cannot be fetched or played goes unnoticed. The user has no control over it,
// apart from starting the program with --no-music.
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

    // The address built in with the CMake variable RAMPWALL_MUSIC_URL.
    static QUrl builtInSource();
    // What the window plays: the built-in address, unless switched off.
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
