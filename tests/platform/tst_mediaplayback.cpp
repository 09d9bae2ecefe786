// Playback through a PulseAudio null sink started for this test alone; skipped where no
// sound server can be started.

#include "mediacontrol.h"
#include "mediafixtures.h"
#include "testenv.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <memory>

namespace {
QTemporaryDir *g_runtime = nullptr;
QString g_whyNoServer;
QProcess *g_server = nullptr;

// Before Qt looks for audio devices, as a child of the test so that it ends with it.
void startSoundServer()
{
    const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulse.isEmpty()) {
        g_whyNoServer = QStringLiteral("pulseaudio is not installed");
        return;
    }
    g_runtime = new QTemporaryDir;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(g_runtime->path()));
    qputenv("PULSE_RUNTIME_PATH", QFile::encodeName(g_runtime->path() + QStringLiteral("/pulse")));
    qunsetenv("PULSE_SERVER");
    g_server = new QProcess;
    g_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    g_server->start(pulse, QStringLiteral("--daemonize=no --exit-idle-time=-1 -n --log-level=0 "
                                          "--load=module-native-protocol-unix")
                                   .split(QLatin1Char(' '))
                               << QStringLiteral("--load=module-null-sink sink_name=nullsink"));
    // The server is up once its socket exists.
    const QString socket = g_runtime->path() + QStringLiteral("/pulse/native");
    for (int i = 0; i < 200 && !QFile::exists(socket) && g_server->waitForStarted(10000); ++i)
        QThread::msleep(50);
    if (!QFile::exists(socket))
        g_whyNoServer = QStringLiteral("pulseaudio did not start or offers no socket");
}

void stopSoundServer()
{
    if (g_server) {
        g_server->terminate();
        if (!g_server->waitForFinished(5000))
            g_server->kill();
    }
    delete std::exchange(g_server, nullptr); // waits for the end
    delete std::exchange(g_runtime, nullptr);
}
} // namespace

class tst_MediaPlayback : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    std::unique_ptr<MediaControl> playing(const QString &type, const QString &file)
    {
        auto mc = std::make_unique<MediaControl>();
        mc->setDeviceType(type);
        mc->setFileName(file);
        mc->setCommand(QStringLiteral("open"));
        mc->setCommand(QStringLiteral("play"));
        return mc;
    }

private slots:
    void initTestCase()
    {
        if (!g_whyNoServer.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no sound server for this test: ") + g_whyNoServer));
        Timer::setTimeScale(1.0);
    }
    void cleanupTestCase() { stopSoundServer(); }

    void playsToTheEndAndSaysSoOnce_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("ms");
        QTest::newRow("wave") << QStringLiteral("waveaudio") << Fixtures::wave(700) << 700;
        QTest::newRow("midi") << QStringLiteral("sequencer") << Fixtures::midi(3, 120) << 1500;
    }
    void playsToTheEndAndSaysSoOnce()
    {
        QFETCH(QString, type);
        QFETCH(QByteArray, bytes);
        QFETCH(int, ms);
        QElapsedTimer clock;
        clock.start();
        auto mc = playing(type, Fixtures::write(m_dir.filePath(QStringLiteral("f_") + type), bytes));
        QSignalSpy ended(mc.get(), &MediaControl::playbackFinished);
        QCOMPARE(mc->backend(), type); // a real device, not the silent stand-in
        QVERIFY(ended.wait(ms + 10000));
        // A sound server starts a stream with some delay, never early.
        QVERIFY2(clock.elapsed() >= ms - 50, "the end came before the music's end");
        QTest::qWait(500);
        QCOMPARE(ended.count(), 1);
        // Ended, the file still open: no stream to the sound server is left open (an open
        // one keeps the server and the program awake), and the file plays again.
        QTRY_COMPARE(MediaControl::openOutputs(), 0);
        mc->setCommand(QStringLiteral("play"));
        QTRY_COMPARE(MediaControl::openOutputs(), 1);
        QVERIFY(ended.wait(ms + 10000));
        QTRY_COMPARE(MediaControl::openOutputs(), 0);
    }

    // Last: the server does not come back from the second row. What a reading does when
    // the server has stopped answering (stop and close its sounds, open and play the next
    // ones, unload) must not wait for it: a command that waited would hang the program's
    // windows, and this test with them.
    void aSoundServerThatStopsHoldsNothingUp_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("frozen") << int(SIGSTOP);
        QTest::newRow("ended") << int(SIGKILL);
    }
    void aSoundServerThatStopsHoldsNothingUp()
    {
        QFETCH(int, signal);
        const QString tone =
            Fixtures::write(m_dir.filePath(QStringLiteral("long.wav")), Fixtures::wave(20000));
        auto music =
            playing(QStringLiteral("sequencer"),
                    Fixtures::write(m_dir.filePath(QStringLiteral("long.mid")), Fixtures::midi(60, 120)));
        auto sound = playing(QStringLiteral("waveaudio"), tone);
        QTRY_VERIFY(music->isPlaying() && sound->isPlaying());
        QTest::qWait(300);
        QVERIFY(::kill(pid_t(g_server->processId()), signal) == 0);
        QTest::qWait(200);
        for (MediaControl *mc : {music.get(), sound.get()}) {
            mc->setCommand(QStringLiteral("stop"));
            mc->setCommand(QStringLiteral("close"));
        }
        music->setFileName(
            Fixtures::write(m_dir.filePath(QStringLiteral("next.mid")), Fixtures::midi(2, 240)));
        for (MediaControl *mc : {music.get(), sound.get()}) {
            mc->setCommand(QStringLiteral("open"));
            mc->setCommand(QStringLiteral("play"));
        }
        QTest::qWait(500);
        music.reset();
        sound.reset();
        if (signal == SIGSTOP)
            ::kill(pid_t(g_server->processId()), SIGCONT);
    }
};

int main(int argc, char *argv[])
{
    TestEnv::prepare();
    startSoundServer();
    QApplication app(argc, argv);
    TestEnv::setUp();
    tst_MediaPlayback tc;
    const int rc = QTest::qExec(&tc, argc, argv);
    stopSoundServer();
    return rc;
}
#include "tst_mediaplayback.moc"
