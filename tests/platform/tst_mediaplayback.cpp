// Playback through a PulseAudio null sink started for this test alone; skipped where no
// sound server can be started.

#include "mediacontrol.h"
#include "mediafixtures.h"
#include "testenv.h"
#include "timing.h"

#include <QDir>
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
    g_server->start(pulse, {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                            QStringLiteral("-n"), QStringLiteral("--log-level=0"),
                            QStringLiteral("--load=module-null-sink sink_name=nullsink"),
                            QStringLiteral("--load=module-native-protocol-unix")});
    if (!g_server->waitForStarted(10000)) {
        g_whyNoServer = QStringLiteral("pulseaudio did not start");
        return;
    }
    // The server is up once its socket exists.
    const QString socket = g_runtime->path() + QStringLiteral("/pulse/native");
    for (int i = 0; i < 200 && !QFile::exists(socket) && g_server->state() == QProcess::Running; ++i)
        QThread::msleep(50);
    if (!QFile::exists(socket))
        g_whyNoServer = QStringLiteral("pulseaudio started but offers no socket");
}

void stopSoundServer()
{
    if (g_server) {
        g_server->terminate();
        if (!g_server->waitForFinished(5000))
            g_server->kill();
        g_server->waitForFinished(2000);
        delete g_server;
        g_server = nullptr;
    }
    delete g_runtime;
    g_runtime = nullptr;
}
} // namespace

class tst_MediaPlayback : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

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
        const QString file = Fixtures::write(m_dir.filePath(QStringLiteral("f_") + type), bytes);
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(type);
        mc.setFileName(file);
        mc.setCommand(QStringLiteral("open"));
        QCOMPARE(mc.backend(), type); // a real device, not the silent stand-in
        QElapsedTimer clock;
        clock.start();
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(ended.wait(ms + 10000));
        const qint64 took = clock.elapsed();
        qInfo("%s of %d ms ended after %lld ms", qPrintable(type), ms, took);
        // A sound server starts a stream with some delay, never early.
        QVERIFY2(took >= ms - 50, "the end came before the music's end");
        QTest::qWait(500);
        QCOMPARE(ended.count(), 1);
    }

    // Last: the server does not come back from the second row.
    void aSoundServerThatStopsHoldsNothingUp_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("frozen") << int(SIGSTOP);
        QTest::newRow("ended") << int(SIGKILL);
    }
    void aSoundServerThatStopsHoldsNothingUp()
    {
        QFETCH(int, signal);
        const QString song =
            Fixtures::write(m_dir.filePath(QStringLiteral("long.mid")), Fixtures::midi(60, 120));
        const QString tone =
            Fixtures::write(m_dir.filePath(QStringLiteral("long.wav")), Fixtures::wave(20000));
        const QString next =
            Fixtures::write(m_dir.filePath(QStringLiteral("next.mid")), Fixtures::midi(2, 240));
        auto music = std::make_unique<MediaControl>();
        music->setDeviceType(QStringLiteral("sequencer"));
        music->setFileName(song);
        music->setCommand(QStringLiteral("open"));
        music->setCommand(QStringLiteral("play"));
        auto sound = std::make_unique<MediaControl>();
        sound->setDeviceType(QStringLiteral("waveaudio"));
        sound->setFileName(tone);
        sound->setCommand(QStringLiteral("open"));
        sound->setCommand(QStringLiteral("play"));
        QTRY_VERIFY(music->isPlaying() && sound->isPlaying());
        QTest::qWait(300);

        QVERIFY(::kill(pid_t(g_server->processId()), signal) == 0);
        QTest::qWait(200);
        // What a reading does next: stop and close its sounds, open and play the next
        // ones, unload. None of it may wait for the server; a hang here is a hang of the
        // program's windows.
        QElapsedTimer clock;
        clock.start();
        music->setCommand(QStringLiteral("stop"));
        sound->setCommand(QStringLiteral("stop"));
        sound->setCommand(QStringLiteral("close"));
        music->setCommand(QStringLiteral("close"));
        music->setFileName(next);
        music->setCommand(QStringLiteral("open"));
        music->setCommand(QStringLiteral("play"));
        sound->setFileName(tone);
        sound->setCommand(QStringLiteral("open"));
        sound->setCommand(QStringLiteral("play"));
        QTest::qWait(500);
        music.reset();
        sound.reset();
        const qint64 took = clock.elapsed() - 500;
        if (signal == SIGSTOP)
            ::kill(pid_t(g_server->processId()), SIGCONT);
        QVERIFY2(took < 3000, qPrintable(QStringLiteral("the commands took %1 ms").arg(took)));
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
