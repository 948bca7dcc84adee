// The settings file: read without waiting on it and written only where a
// regular file is or may be made, whatever the name leads to.
#include "support/write_targets.h"
#include "ui/form1.h"
#include "ui/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace rampwall;
using testing_support::TargetKind;
using testing_support::WriteTarget;

namespace {

// What the program writes on standard error while one of these lives.
class StandardError {
public:
    StandardError() : m_file(std::tmpfile()) {
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(::fileno(m_file), 2);
    }
    ~StandardError() {
        restore();
        std::fclose(m_file);
    }
    StandardError(const StandardError&) = delete;
    StandardError& operator=(const StandardError&) = delete;

    QString text() {
        restore();
        std::rewind(m_file);
        QByteArray bytes;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;) {
            bytes.append(buffer, static_cast<qsizetype>(n));
        }
        return QString::fromUtf8(bytes);
    }

private:
    void restore() {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, 2);
            ::close(m_saved);
            m_saved = -1;
        }
    }

    std::FILE* m_file;
    int m_saved = -1;
};

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A settings file that is no regular file: nothing waits on it, nothing
    // replaces it, the settings last for the run, and a note says so.
    void noRegularFileIsReadOrWritten_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("named pipe") << static_cast<int>(TargetKind::NamedPipe);
        QTest::newRow("device node") << static_cast<int>(TargetKind::DeviceNode);
        QTest::newRow("link to a device node") << static_cast<int>(TargetKind::LinkToDevice);
    }
    void noRegularFileIsReadOrWritten() {
        QFETCH(int, kind);
        const WriteTarget target(static_cast<TargetKind>(kind), "rampwall.ini");
        if (!target.skipReason().empty()) {
            QSKIP(target.skipReason().c_str());
        }
        StandardError err;
        {
            Settings settings(QFile::decodeName(target.path().c_str()));
            QVERIFY(settings.musicOn());
            settings.setMusicOn(false);
            settings.setRecentFiles({QStringLiteral("/walls/WQ-1.rampwall")});
            QVERIFY(!settings.musicOn());
            QCOMPARE(settings.recentFiles(), QStringList{"/walls/WQ-1.rampwall"});
        }
        QVERIFY2(err.text().contains("不是普通文件"), qPrintable(err.text()));
        QCOMPARE(QString::fromStdString(target.changed()), QString());
    }

    void aFolderIsNeitherReadNorWritten() {
        QVERIFY(QDir(m_dir.path()).mkpath("folder.ini"));
        StandardError err;
        {
            Settings settings(m_dir.filePath("folder.ini"));
            settings.setMusicOn(false);
        }
        QVERIFY2(err.text().contains("不是普通文件"), qPrintable(err.text()));
        QVERIFY(QFileInfo(m_dir.filePath("folder.ini")).isDir());
    }

    // A link to a regular file reads and replaces that file; the link stays.
    void aLinkIsFollowedToItsFile() {
        QFile file(m_dir.filePath("real.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[options]\nmusic=false\n");
        file.close();
        QVERIFY(QFile::link(m_dir.filePath("real.ini"), m_dir.filePath("link.ini")));
        {
            Settings settings(m_dir.filePath("link.ini"));
            QVERIFY(!settings.musicOn());
            settings.setMusicOn(true);
        }
        QVERIFY(QFileInfo(m_dir.filePath("link.ini")).isSymLink());
        QVERIFY(Settings(m_dir.filePath("real.ini")).musicOn());
    }

    // The window's own settings file a named pipe: the window still starts
    // and closes, and leaves the pipe as it was.
    void theWindowStartsWhateverItsSettingsFileIs() {
        const QByteArray config = QFile::encodeName(m_dir.filePath("config"));
        qputenv("XDG_CONFIG_HOME", config);
        QVERIFY(QDir(m_dir.path()).mkpath("config/rampwall"));
        QVERIFY(::mkfifo((config + "/rampwall/rampwall.ini").constData(), 0600) == 0);
        QCOMPARE(Settings::userFileName(), m_dir.filePath("config/rampwall/rampwall.ini"));
        StandardError err;
        {
            Form1 window;
            window.setMessagePresenter([](QWidget*, const QString&, const QString&) {});
            window.show();
            QVERIFY(window.close());
        }
        QVERIFY2(err.text().contains("不是普通文件"), qPrintable(err.text()));
        struct stat info {};
        QVERIFY(::lstat((config + "/rampwall/rampwall.ini").constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
