#include "ui/media/background_music.h"

#include "music_url.h"
#include "ui/media/media_resources.h"

#include <QAudioOutput>
#include <QEvent>
#include <QMediaPlayer>
#include <QWidget>

#include <atomic>
#include <mutex>
#include <string_view>

namespace rampwall {

namespace {

std::atomic<bool> g_switchedOff{false};

// A play that has stopped moving is restarted after this many checks, one a
// second. See checkProgress().
constexpr int kStillChecksBeforeRestart = 3;

QtMessageHandler g_nextHandler = nullptr;

// On a machine without a sound server or device, Qt's sound system says so on
// the terminal, once when it looks for devices and again when the player's
// sink fails. The music is decoration and carries on silently, so those
// warnings are not passed on; every other message is.
void withoutSoundWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const std::string_view category = context.category != nullptr ? context.category : "";
    const bool fromSound =
        category.starts_with("qt.multimedia") || message.startsWith(QLatin1String("PulseAudioService:"));
    if (type == QtWarningMsg && fromSound) {
        return;
    }
    if (g_nextHandler != nullptr) {
        g_nextHandler(type, context, message);
    }
}

void installQuietSound() {
    static std::once_flag once;
    std::call_once(once, [] { g_nextHandler = qInstallMessageHandler(withoutSoundWarnings); });
}

} // namespace

BackgroundMusic::BackgroundMusic(const QUrl& source, QObject* parent) : QObject(parent), m_source(source) {
    setObjectName(QStringLiteral("WindowsMediaPlayer1"));
    if (m_source.isEmpty()) {
        return;
    }

    installQuietSound(); // before the first look for a sound device
    m_audio = new QAudioOutput(this);
    m_audio->setVolume(kVolume);
    m_audio->setMuted(false);

    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_audio);
    m_player->setPlaybackRate(kPlaybackRate);
    m_player->setLoops(kPlayCount);

    // Errors are deliberately not shown; the player just gives up.
    connect(m_player, &QMediaPlayer::errorOccurred, this, &BackgroundMusic::stop);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) { // all plays done
            m_progressCheck.stop();
        }
    });
    connect(m_player, &QMediaPlayer::positionChanged, this, &BackgroundMusic::onPositionChanged);
    m_progressCheck.setInterval(1000);
    connect(&m_progressCheck, &QTimer::timeout, this, &BackgroundMusic::checkProgress);

    if (auto* window = qobject_cast<QWidget*>(parent)) {
        window->installEventFilter(this);
    }

    m_player->setSource(m_source);
    m_player->play();
    m_progressCheck.start();
}

BackgroundMusic::~BackgroundMusic() { stop(); }

QUrl BackgroundMusic::tuneSource() {
    initMediaResources();
    return QUrl(QStringLiteral("qrc") + QString::fromLatin1(kTuneResource));
}

QUrl BackgroundMusic::builtInSource() {
    const QUrl configured = resolveSource(QString::fromUtf8(build::kMusicUrl), false);
    return configured.isEmpty() ? tuneSource() : configured;
}

QUrl BackgroundMusic::startupSource() { return isSwitchedOff() ? QUrl() : builtInSource(); }

QString BackgroundMusic::noMusicSwitch() { return QStringLiteral("--no-music"); }

bool BackgroundMusic::applyCommandLine(const QStringList& arguments) {
    // arguments[0] is the program itself; after "--" come file names only.
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    if (!arguments.mid(1, end < 0 ? -1 : end - 1).contains(noMusicSwitch())) {
        return false;
    }
    setSwitchedOff(true);
    return true;
}

void BackgroundMusic::setSwitchedOff(bool off) { g_switchedOff = off; }

bool BackgroundMusic::isSwitchedOff() { return g_switchedOff; }

QUrl BackgroundMusic::resolveSource(QStringView configured, bool switchedOff) {
    const QString text = configured.trimmed().toString();
    if (switchedOff || text.isEmpty()) {
        return {};
    }
    // Takes a full address as it is, and makes a local path a file address.
    return QUrl::fromUserInput(text, QString(), QUrl::AssumeLocalFile);
}

void BackgroundMusic::stop() {
    m_stopped = true;
    m_progressCheck.stop();
    if (!m_player) {
        return;
    }
    m_player->stop();
    // A stopped player keeps its file open, ready for the next play, and may
    // fetch the start of it again; letting go of the source ends all traffic.
    m_player->setSource(QUrl());
}

bool BackgroundMusic::eventFilter(QObject* watched, QEvent* event) {
    // A closed window is hidden by Qt before it is destroyed; the sound ends
    // right there. A window minimised by the user gets a spontaneous hide
    // event and keeps its music.
    if (watched == parent() && event->type() == QEvent::Hide && !event->spontaneous()) {
        stop();
    }
    return QObject::eventFilter(watched, event);
}

void BackgroundMusic::onPositionChanged(qint64 position) {
    // The position only goes back when a play has ended and the next begins.
    if (position < m_lastPosition) {
        ++m_completedPlays;
    }
    m_lastPosition = position;
}

// Qt 6.4's GStreamer back end repeats a file by seeking back to its start and
// playing up to the duration it knows. Over HTTP it does not know the duration
// of an MP3 file without a length header (no Xing or Info frame), so the second
// play stops at once at position 0 and hangs there in the playing state. A
// play that sits still like that after at least one complete play is started
// afresh for the plays that are left.
void BackgroundMusic::checkProgress() {
    if (m_stopped || !m_player) {
        return;
    }
    const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
    const auto status = m_player->mediaStatus();
    const bool loaded = status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia;
    const qint64 position = m_player->position();
    if (playing && loaded && m_completedPlays > 0 && position == m_checkedPosition) {
        ++m_stillChecks;
    } else {
        m_stillChecks = 0;
    }
    m_checkedPosition = position;
    if (m_stillChecks >= kStillChecksBeforeRestart) {
        restart();
    }
}

void BackgroundMusic::restart() {
    m_stillChecks = 0;
    m_checkedPosition = -1;
    m_lastPosition = 0;
    const int left = kPlayCount - m_completedPlays;
    if (left <= 0) {
        stop();
        return;
    }
    // Setting the same address again would be ignored; clearing it first
    // makes the player open the file anew.
    m_player->setSource(QUrl());
    m_player->setLoops(left);
    m_player->setSource(m_source);
    m_player->play();
}

} // namespace rampwall
