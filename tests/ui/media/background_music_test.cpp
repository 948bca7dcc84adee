#include "range_http_server.h"
#include "ui/media/background_music.h"

#include <QApplication>
#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QPointer>
#include <QTcpServer>
#include <QWidget>
#include <QtTest>

#include <memory>

using rampwall::BackgroundMusic;
using rampwall::test::RangeHttpServer;

namespace {

// One second of a quiet 440 Hz tone, 22050 Hz mono at 32 kbit/s, encoded with
// GStreamer's lamemp3enc. tone.mp3 starts with a LAME Info frame that gives
// its length, as files from most encoders do; tone_without_length.mp3 is the
// same stream without it.
QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(RAMPWALL_MEDIA_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QWidget*> visibleTopLevels() {
    QList<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            shown.append(widget);
    return shown;
}

// A local port on which nobody listens.
quint16 closedPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 1;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// How long a state the player must reach is waited for. The waits end as soon
// as the state is there; the bound only ends a wait for one that never
// comes, and is long enough that a busy machine is not taken for that.
constexpr int kPatience = 60000;

bool isLoaded(const QMediaPlayer* player) {
    return player->mediaStatus() == QMediaPlayer::LoadedMedia || player->mediaStatus() == QMediaPlayer::BufferedMedia;
}

} // namespace

class BackgroundMusicTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void resolvesTheConfiguredAddress_data();
    void resolvesTheConfiguredAddress();
    void builtInSourceIsTheBuildSetting();
    void noMusicSwitch_data();
    void noMusicSwitch();
    void noAddressMeansNoPlayer();
    // First to make a player: the sound system looks for devices only once.
    void playsTheBuiltInTuneSilentlyWithoutASoundDevice();
    void startsByItselfWithTheStoredSettings();
    void playsTheFileAgainAndAgain_data();
    void playsTheFileAgainAndAgain();
    void failsUnnoticed_data();
    void failsUnnoticed();
    void closingTheWindowStopsAtOnce();
    void destroyingStopsAtOnce();
};

void BackgroundMusicTest::init() { BackgroundMusic::setSwitchedOff(false); }

void BackgroundMusicTest::resolvesTheConfiguredAddress_data() {
    QTest::addColumn<QString>("configured");
    QTest::addColumn<bool>("switchedOff");
    QTest::addColumn<QString>("expected");
    QTest::newRow("\"\"") << "" << false << "";
    QTest::newRow("\"  \" (blanks only)") << "  " << false << "";
    QTest::newRow("\"http://example.org/music.mp3\"")
        << "http://example.org/music.mp3" << false << "http://example.org/music.mp3";
    QTest::newRow("\" https://example.org/a b.mp3 \" (blanks around, blank inside)")
        << " https://example.org/a b.mp3 " << false << "https://example.org/a%20b.mp3";
    QTest::newRow("\"/srv/music/wall.mp3\" (a local path)")
        << "/srv/music/wall.mp3" << false << "file:///srv/music/wall.mp3";
    QTest::newRow("\"http://example.org/music.mp3\", switched off") << "http://example.org/music.mp3" << true << "";
}

void BackgroundMusicTest::resolvesTheConfiguredAddress() {
    QFETCH(QString, configured);
    QFETCH(bool, switchedOff);
    QFETCH(QString, expected);
    const QUrl url = BackgroundMusic::resolveSource(configured, switchedOff);
    QCOMPARE(url.toString(QUrl::FullyEncoded), expected);
    QCOMPARE(url.isEmpty(), expected.isEmpty());
}

void BackgroundMusicTest::builtInSourceIsTheBuildSetting() {
    QFile configured(QStringLiteral(RAMPWALL_MUSIC_URL_FILE));
    QVERIFY(configured.open(QIODevice::ReadOnly));
    QUrl expected = BackgroundMusic::resolveSource(QString::fromUtf8(configured.readAll()), false);
    // An address named by the build wins over the program's own tune.
    if (expected.isEmpty())
        expected = BackgroundMusic::tuneSource();
    QCOMPARE(BackgroundMusic::builtInSource(), expected);
    QCOMPARE(BackgroundMusic::startupSource(), expected);
    BackgroundMusic::setSwitchedOff(true);
    QCOMPARE(BackgroundMusic::startupSource(), QUrl());
}

void BackgroundMusicTest::noMusicSwitch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("off");
    QTest::newRow("rampwall") << QStringList{"rampwall"} << false;
    QTest::newRow("rampwall --no-music") << QStringList{"rampwall", "--no-music"} << true;
    QTest::newRow("rampwall -style fusion --no-music")
        << QStringList{"rampwall", "-style", "fusion", "--no-music"} << true;
    QTest::newRow("rampwall --music") << QStringList{"rampwall", "--music"} << false;
    QTest::newRow("rampwall --no-musics") << QStringList{"rampwall", "--no-musics"} << false;
    QTest::newRow("--no-music (the program's own name)") << QStringList{"--no-music"} << false;
    QTest::newRow("rampwall -- --no-music (a file's name)") << QStringList{"rampwall", "--", "--no-music"} << false;
}

void BackgroundMusicTest::noMusicSwitch() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, off);
    QCOMPARE(BackgroundMusic::applyCommandLine(arguments), off);
    QCOMPARE(BackgroundMusic::isSwitchedOff(), off);
    QCOMPARE(BackgroundMusic::startupSource().isEmpty(), off);
    if (off) { // the window's player is not even made
        QWidget window;
        const BackgroundMusic music(BackgroundMusic::startupSource(), &window);
        QVERIFY(music.player() == nullptr && window.findChildren<QMediaPlayer*>().isEmpty());
    }
}

void BackgroundMusicTest::noAddressMeansNoPlayer() {
    QWidget window;
    BackgroundMusic music(QUrl(), &window);
    QCOMPARE(music.player(), nullptr);
    QCOMPARE(music.audioOutput(), nullptr);
    QVERIFY(window.findChildren<QMediaPlayer*>().isEmpty());
    music.stop(); // harmless without a player
}

void BackgroundMusicTest::playsTheBuiltInTuneSilentlyWithoutASoundDevice() {
    // The tune is a resource inside the program: no address, so no network.
    const QUrl tune = BackgroundMusic::tuneSource();
    QCOMPARE(tune.scheme(), QStringLiteral("qrc"));
    QFile file(QLatin1Char(':') + tune.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.size() <= 300 * 1024, qPrintable(QString::number(file.size())));
    // The machine has no sound server; the sound system must not say so.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));

    QWidget window;
    window.show();
    BackgroundMusic music(tune, &window);
    QMediaPlayer* player = music.player();
    QVERIFY(player);
    QCOMPARE(player->source(), tune);
    QCOMPARE(player->loops(), 100);
    QCOMPARE(music.audioOutput()->volume(), 0.5f);
    QVERIFY(!music.audioOutput()->isMuted());
    QTRY_VERIFY_WITH_TIMEOUT(player->position() > 200, kPatience);
    QCOMPARE(player->error(), QMediaPlayer::NoError);
    // Its end leads into the next play.
    QVERIFY(player->duration() > 5000);
    player->setPosition(player->duration() - 300);
    QTRY_COMPARE_WITH_TIMEOUT(music.completedPlays(), 1, kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(player->position() > 200, kPatience);
    QCOMPARE(player->playbackState(), QMediaPlayer::PlayingState);
    QCOMPARE(visibleTopLevels(), QList<QWidget*>{&window});
}

void BackgroundMusicTest::startsByItselfWithTheStoredSettings() {
    RangeHttpServer server;
    server.serve("/music.mp3", fixture("tone.mp3"), "audio/mpeg");
    QVERIFY(server.start());

    QWidget window;
    window.show();
    BackgroundMusic music(server.url("/music.mp3"), &window);
    QMediaPlayer* player = music.player();
    QVERIFY(player);
    QCOMPARE(window.findChild<BackgroundMusic*>(QStringLiteral("WindowsMediaPlayer1")), &music);

    // The stored settings.
    QCOMPARE(player->source(), server.url("/music.mp3"));
    QCOMPARE(player->loops(), 100);
    QCOMPARE(player->playbackRate(), 1.0);
    QCOMPARE(player->audioOutput(), music.audioOutput());
    QCOMPARE(music.audioOutput()->volume(), 0.5f);
    QVERIFY(!music.audioOutput()->isMuted());
    QCOMPARE(player->videoOutput(), nullptr);

    // Nothing more is asked of it: it fetches the file and plays.
    QTRY_VERIFY_WITH_TIMEOUT(server.count("/music.mp3", 200) + server.count("/music.mp3", 206) >= 1, kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(isLoaded(player), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(player->position() > 200, kPatience);
    QCOMPARE(player->error(), QMediaPlayer::NoError);
    QCOMPARE(visibleTopLevels(), QList<QWidget*>{&window});
}

void BackgroundMusicTest::playsTheFileAgainAndAgain_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("tone.mp3") << QByteArray("tone.mp3");
    QTest::newRow("tone_without_length.mp3") << QByteArray("tone_without_length.mp3");
}

void BackgroundMusicTest::playsTheFileAgainAndAgain() {
    QFETCH(QByteArray, file);
    RangeHttpServer server;
    server.serve("/music.mp3", fixture(file.constData()), "audio/mpeg");
    QVERIFY(server.start());

    BackgroundMusic music(server.url("/music.mp3"));
    // Each play of the one-second file is heard to its end, then the next
    // begins; a stalled repeat is started afresh within a few seconds.
    QTRY_VERIFY_WITH_TIMEOUT(music.completedPlays() >= 2, kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(music.player()->position() > 200, kPatience);
    QCOMPARE(music.player()->playbackState(), QMediaPlayer::PlayingState);
    QVERIFY(music.completedPlays() < BackgroundMusic::kPlayCount);
}

void BackgroundMusicTest::failsUnnoticed_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("serverUp");
    QTest::addColumn<int>("status"); // what the server answered, 0 when down
    QTest::newRow("server down") << QStringLiteral("/music.mp3") << false << 0;
    QTest::newRow("/missing.mp3 (404)") << QStringLiteral("/missing.mp3") << true << 404;
    QTest::newRow("/notes.mp3 (text, not an MP3)") << QStringLiteral("/notes.mp3") << true << 200;
}

void BackgroundMusicTest::failsUnnoticed() {
    QFETCH(QString, path);
    QFETCH(bool, serverUp);
    QFETCH(int, status);
    RangeHttpServer server;
    server.serve("/music.mp3", fixture("tone.mp3"), "audio/mpeg");
    server.serve("/notes.mp3", QByteArray("These are not the notes you are looking for.\n").repeated(200),
                 "audio/mpeg");
    QUrl url;
    if (serverUp) {
        QVERIFY(server.start());
        url = server.url(path.toLatin1());
    } else {
        url = QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(closedPort()).arg(path));
    }

    QWidget window;
    window.show();
    BackgroundMusic music(url, &window);
    QMediaPlayer* player = music.player();
    QVERIFY(player);
    QTRY_VERIFY_WITH_TIMEOUT(
        player->error() != QMediaPlayer::NoError || player->mediaStatus() == QMediaPlayer::InvalidMedia, kPatience);
    if (serverUp)
        QVERIFY(server.count(path.toLatin1(), status) >= 1);
    // It gives up quietly and for good: the player lets go of the address,
    // so nothing is fetched or shown after; no dialog, no other window, and
    // the window goes on.
    QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::StoppedState, kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(player->source(), QUrl(), kPatience);
    QCoreApplication::processEvents();
    QCOMPARE(visibleTopLevels(), QList<QWidget*>{&window});
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QVERIFY(window.isVisible() && window.isEnabled());
    QCOMPARE(music.completedPlays(), 0);
}

void BackgroundMusicTest::closingTheWindowStopsAtOnce() {
    RangeHttpServer server;
    server.serve("/music.mp3", fixture("tone.mp3"), "audio/mpeg");
    QVERIFY(server.start());

    QWidget window;
    window.show();
    BackgroundMusic music(server.url("/music.mp3"), &window);
    QMediaPlayer* player = music.player();
    QTRY_VERIFY_WITH_TIMEOUT(player->playbackState() == QMediaPlayer::PlayingState && player->position() > 200,
                             kPatience);

    QVERIFY(window.close());
    // At once, with no event loop, and for good: the player has let go of
    // the address, so there is nothing left for it to fetch or play. A
    // request it sent before may still reach the server; that is no sign of
    // playing, so the server's count decides nothing here.
    QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(player->source(), QUrl());
    QCOMPARE(player->mediaStatus(), QMediaPlayer::NoMedia);
    QCoreApplication::processEvents();
    QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(player->source(), QUrl());
}

void BackgroundMusicTest::destroyingStopsAtOnce() {
    RangeHttpServer server;
    server.serve("/music.mp3", fixture("tone.mp3"), "audio/mpeg");
    QVERIFY(server.start());

    auto music = std::make_unique<BackgroundMusic>(server.url("/music.mp3"));
    QPointer<QMediaPlayer> player = music->player();
    QTRY_VERIFY_WITH_TIMEOUT(player->playbackState() == QMediaPlayer::PlayingState && player->position() > 200,
                             kPatience);
    QSignalSpy states(player.data(), &QMediaPlayer::playbackStateChanged);

    music.reset();
    // The player went with the music, after saying it stopped: nothing is
    // left that could fetch or play.
    QVERIFY(player.isNull());
    QCOMPARE(states.size(), 1);
    QCOMPARE(states.at(0).at(0).value<QMediaPlayer::PlaybackState>(), QMediaPlayer::StoppedState);
}

int main(int argc, char** argv) {
    // Keep the tests silent on a desktop too: no sound server and no real
    // audio sink, so GStreamer plays into its fallback fake sink, exactly as
    // on a machine without a sound card.
    qputenv("PULSE_SERVER", "unix:/nonexistent/rampwall-test");
    qputenv("GST_PLUGIN_FEATURE_RANK",
            "pulsesink:NONE,alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,oss4sink:NONE,osssink:NONE,"
            "openalsink:NONE,pulsedeviceprovider:NONE,alsadeviceprovider:NONE,pipewiredeviceprovider:NONE");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Closing a test window must not end the application under test.
    QApplication::setQuitOnLastWindowClosed(false);
    BackgroundMusicTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "background_music_test.moc"
