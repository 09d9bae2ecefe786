// The media control as the windows drive it, without a sound system: the recording
// device for tests, the silent device's timing, notification, and the failures that must
// stay silent.

#include "mediacontrol.h"
#include "mediafiles.h"
#include "mediafixtures.h"
#include "testenv.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
QStringList g_warnings;
QtMessageHandler g_previous = nullptr;
void catchWarnings(QtMsgType type, const QMessageLogContext &ctx, const QString &msg)
{
    if (type == QtWarningMsg && msg.startsWith(QStringLiteral("orbelle: sound:")))
        g_warnings << msg;
    else if (g_previous)
        g_previous(type, ctx, msg);
}
} // namespace

class tst_MediaControl : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_snap, m_tone, m_song, m_tempoSong;

private slots:
    void initTestCase()
    {
        g_previous = qInstallMessageHandler(catchWarnings);
        m_snap = Fixtures::write(m_dir.filePath(QStringLiteral("zvuk.wav")), Fixtures::wave(100));
        m_tone = Fixtures::write(m_dir.filePath(QStringLiteral("tone.wav")), Fixtures::wave(400));
        // 4 quarters at 120 bpm = 2 s.
        m_song = Fixtures::write(m_dir.filePath(QStringLiteral("song.mid")), Fixtures::midi(4, 120));
        // 2 quarters at 60 bpm (2 s), then 2 at 240 bpm (0.5 s).
        m_tempoSong =
            Fixtures::write(m_dir.filePath(QStringLiteral("tempo.mid")), Fixtures::midi(2, 60, 240));
    }

    void init()
    {
        g_warnings.clear();
        MediaControl::stopRecording();
        MediaControl::setSoundFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
        Timer::setTimeScale(1.0);
    }

    void durationsComeFromTheFiles()
    {
        QCOMPARE(MediaFiles::waveDurationMs(m_tone), 400);
        QCOMPARE(MediaFiles::midiDurationMs(m_song), 2000);
        QCOMPARE(MediaFiles::midiDurationMs(m_tempoSong), 2500);
        QCOMPARE(MediaFiles::durationMs(m_song), 2000);
        QCOMPARE(MediaFiles::waveDurationMs(m_song), -1);
        QCOMPARE(MediaFiles::midiDurationMs(m_tone), -1);
        QCOMPARE(MediaFiles::durationMs(m_dir.filePath(QStringLiteral("nothing.wav"))), -1);
        // A file cut short is not trusted.
        const QByteArray whole = Fixtures::midi(4, 120);
        const QString cut =
            Fixtures::write(m_dir.filePath(QStringLiteral("cut.mid")), whole.left(whole.size() - 9));
        QCOMPARE(MediaFiles::midiDurationMs(cut), -1);
    }

    void commandsReachTheRecorderInOrder()
    {
        MediaControl::startRecording();
        MediaControl deal, draw;
        deal.setDeviceType(QStringLiteral("waveaudio"));
        deal.setFileName(m_snap);
        deal.setCommand(QStringLiteral("open"));
        for (int i = 0; i < 3; ++i)
            deal.setCommand(QStringLiteral("play"));
        deal.setCommand(QStringLiteral("stop"));
        draw.setDeviceType(QStringLiteral("waveaudio"));
        draw.setFileName(m_dir.filePath(QStringLiteral("backarte.wav")));
        draw.setCommand(QStringLiteral("Open"));
        draw.setCommand(QStringLiteral("PLAY"));
        draw.setCommand(QStringLiteral("Close"));
        QCOMPARE(MediaControl::recordedCommands(),
                 (QStringList{QStringLiteral("open zvuk.wav"), QStringLiteral("play zvuk.wav"),
                              QStringLiteral("play zvuk.wav"), QStringLiteral("play zvuk.wav"),
                              QStringLiteral("stop"), QStringLiteral("open backarte.wav"),
                              QStringLiteral("play backarte.wav"), QStringLiteral("close")}));
        QCOMPARE(MediaControl::recorded().at(5).deviceType, QStringLiteral("waveaudio"));
        QCOMPARE(deal.backend(), QStringLiteral("recording"));
        QCOMPARE(draw.mode(), MediaControl::NotOpen);
    }

    void silentDeviceEndsAfterTheFilesDuration_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("ms");
        QTest::newRow("wave") << QStringLiteral("waveaudio") << QStringLiteral("tone.wav") << 400;
        QTest::newRow("midi") << QStringLiteral("sequencer") << QStringLiteral("song.mid") << 2000;
    }
    void silentDeviceEndsAfterTheFilesDuration()
    {
        QFETCH(QString, type);
        QFETCH(QString, file);
        QFETCH(int, ms);
        if (MediaControl::audioAvailable())
            QSKIP("this machine has an audio output; the silent device is not used");
        // Without a sound server FluidSynth cannot start either; make sure of it.
        MediaControl::setSoundFont(m_dir.filePath(QStringLiteral("missing.sf2")));
        Timer::setTimeScale(0.25);
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(type);
        mc.setFileName(m_dir.filePath(file));
        mc.setCommand(QStringLiteral("open"));
        QCOMPARE(mc.backend(), QStringLiteral("silent"));
        QElapsedTimer clock;
        clock.start();
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(clock.elapsed() < ms * 0.25); // play returns at once
        QVERIFY(mc.isPlaying());
        QVERIFY(ended.wait(ms * 5));
        QVERIFY2(clock.elapsed() >= ms * 0.25 - 5, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!mc.isPlaying());
        // Played again from the start after the end.
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(ended.wait(ms * 5));
        QCOMPARE(ended.count(), 2);
    }

    void stopHoldsThePlaceAndCloseEndsIt()
    {
        MediaControl::startRecording();
        Timer::setTimeScale(0.5);
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(QStringLiteral("sequencer"));
        mc.setFileName(m_song);
        mc.setCommand(QStringLiteral("open"));
        mc.setCommand(QStringLiteral("play"));
        QTest::qWait(300);
        mc.setCommand(QStringLiteral("stop"));
        QVERIFY(!mc.isPlaying());
        QTest::qWait(1200); // longer than the rest of the song
        QCOMPARE(ended.count(), 0);
        QElapsedTimer clock;
        clock.start();
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(ended.wait(3000));
        QVERIFY2(clock.elapsed() < 900, "resumed from the start instead of where it stopped");
        mc.setCommand(QStringLiteral("play"));
        mc.setCommand(QStringLiteral("close"));
        QTest::qWait(1200);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(mc.mode(), MediaControl::NotOpen);
    }

    void notificationAppliesToTheNextCommandOnly()
    {
        MediaControl::startRecording();
        Timer::setTimeScale(0.1);
        MediaControl mc;
        QSignalSpy done(&mc, &MediaControl::done);
        mc.setDeviceType(QStringLiteral("waveaudio"));
        mc.setFileName(m_tone);
        mc.setNotify(true);
        mc.setWait(true);
        mc.setCommand(QStringLiteral("open"));
        QVERIFY(!mc.notify());
        QVERIFY(!mc.wait());
        QVERIFY(done.wait(1000));
        QCOMPARE(done.takeFirst().at(0).toInt(), int(MediaControl::Successful));

        mc.setCommand(QStringLiteral("play")); // not notified
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        QVERIFY(ended.wait(2000));
        QTest::qWait(20);
        QCOMPARE(done.count(), 0);

        mc.setNotify(true);
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(done.wait(2000));
        QCOMPARE(done.takeFirst().at(0).toInt(), int(MediaControl::Successful));

        mc.setNotify(true);
        mc.setCommand(QStringLiteral("play"));
        mc.setCommand(QStringLiteral("stop"));
        QCOMPARE(done.count(), 1);
        QCOMPARE(done.takeFirst().at(0).toInt(), int(MediaControl::Aborted));
    }

    void failuresStaySilentAndAreLoggedOnce()
    {
        MediaControl mc;
        mc.setDeviceType(QStringLiteral("waveaudio"));
        mc.setFileName(m_dir.filePath(QStringLiteral("nowhere.wav")));
        mc.setCommand(QStringLiteral("open"));
        mc.setCommand(QStringLiteral("open"));
        mc.setCommand(QStringLiteral("play"));
        mc.setCommand(QStringLiteral("stop"));
        mc.setCommand(QStringLiteral("close"));
        QCOMPARE(mc.mode(), MediaControl::NotOpen);
        QCOMPARE(g_warnings.filter(QStringLiteral("nowhere.wav")).size(), 1);
        QCOMPARE(g_warnings.filter(QStringLiteral("play without")).size(), 1);

        // The wrong kind of file for the device: a MIDI file on the wave player.
        g_warnings.clear();
        mc.setFileName(m_song);
        mc.setCommand(QStringLiteral("open"));
        QCOMPARE(mc.mode(), MediaControl::NotOpen);
        QCOMPARE(g_warnings.size(), 1);

        // No audio CD drive here.
        g_warnings.clear();
        MediaControl cd;
        cd.setDeviceType(QStringLiteral("CDAudio"));
        cd.setFileName(QStringLiteral("Track01.cda"));
        cd.setCommand(QStringLiteral("open"));
        cd.setCommand(QStringLiteral("play"));
        QCOMPARE(cd.mode(), MediaControl::NotOpen);
        QCOMPARE(g_warnings.filter(QStringLiteral("CD")).size(), 1);
    }

    void missingSoundFontStillKeepsTime()
    {
        Timer::setTimeScale(0.1);
        MediaControl::setSoundFont(m_dir.filePath(QStringLiteral("missing.sf2")));
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(QStringLiteral("sequencer"));
        mc.setFileName(m_song);
        mc.setCommand(QStringLiteral("open"));
        QCOMPARE(mc.backend(), QStringLiteral("silent"));
        QCOMPARE(g_warnings.filter(QStringLiteral("missing.sf2")).size(), 1);
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(ended.wait(2000));
    }
};

ORBELLE_TEST_MAIN(tst_MediaControl)
#include "tst_mediacontrol.moc"
