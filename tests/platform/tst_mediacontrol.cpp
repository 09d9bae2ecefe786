// The media control without a sound system: the recording device, the silent device's
// timing, notification, the SoundFont choice, and the failures that must stay silent.

#include "mediacontrol.h"
#include "mediafiles.h"
#include "mediafixtures.h"
#include "testenv.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QFileInfo>
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
        MediaControl::setOwnSoundFont(QString());
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
        // Neither SoundFont can be loaded: the sequencer gives way to the silent device at
        // once, even where there is an audio output.
        MediaControl::setSoundFont(m_dir.filePath(QStringLiteral("missing.sf2")));
        MediaControl::setOwnSoundFont(m_dir.filePath(QStringLiteral("gone.sf2")));
        if (type == QLatin1String("waveaudio") && MediaControl::audioAvailable())
            QSKIP("this machine has an audio output; the silent device is not used");
        Timer::setTimeScale(0.25);
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(type);
        mc.setFileName(m_dir.filePath(file));
        mc.setCommand(QStringLiteral("open"));
        QCOMPARE(mc.backend(), QStringLiteral("silent"));
        // Each SoundFont that cannot be used is named once.
        const bool midi = type == QLatin1String("sequencer");
        QVERIFY2(g_warnings.size() == (midi ? 2 : 0) &&
                     g_warnings.filter(QStringLiteral("gone.sf2")).isEmpty() != midi &&
                     g_warnings.filter(QStringLiteral("missing.sf2")).isEmpty() != midi,
                 qPrintable(g_warnings.join(QLatin1Char('\n'))));
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

    // The presets a file sounds with, as a General MIDI synthesiser would pick them.
    void presetsComeFromTheFilesEvents_data()
    {
        using Fixtures::event;
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("presets"); // "bank:program", sorted
        const QByteArray note = event(0, "\x90\x3c\x50") + event(480, QByteArray("\x80\x3c\x00", 3));
        const QByteArray drum = event(0, "\x99\x24\x50") + event(480, QByteArray("\x89\x24\x00", 3));
        QTest::newRow("a note without a program change")
            << Fixtures::midiFile({note}) << QStringLiteral("0:0");
        QTest::newRow("program change")
            << Fixtures::midiFile({event(0, "\xc0\x2e") + note}) << QStringLiteral("0:46");
        // The bank takes effect at the next program change, not at once.
        QTest::newRow("bank select") << Fixtures::midiFile({event(0, QByteArray("\xb0\x00\x08", 3)) + note +
                                                            event(0, "\xc0\x05") + note})
                                     << QStringLiteral("0:0 8:5");
        // Channel 10 plays the drum bank and ignores bank selects.
        QTest::newRow("drum channel") << Fixtures::midiFile({drum + event(0, QByteArray("\xb9\x00\x05", 3)) +
                                                             event(0, "\xc9\x10") + drum})
                                      << QStringLiteral("128:0 128:16");
        // Tracks sound together: a program change in a later track at tick 0 comes
        // before a note of an earlier track at tick 480.
        QTest::newRow("across tracks")
            << Fixtures::midiFile({event(480, "\x91\x3c\x50") + event(480, QByteArray("\x81\x3c\x00", 3)),
                                   event(0, "\xc1\x30")})
            << QStringLiteral("0:48");
        // Running status carries the note on; velocity 0 is a release, not a note.
        QTest::newRow("running status")
            << Fixtures::midiFile({event(0, "\xc2\x2b") + event(0, "\x92\x3c\x50") + event(0, "\x3e\x50") +
                                   event(480, QByteArray("\x3c\x00", 2)) + event(0, "\xc2\x07") +
                                   event(0, QByteArray("\x92\x3c\x00", 3))})
            << QStringLiteral("0:7 0:43");
    }
    void presetsComeFromTheFilesEvents()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, presets);
        const QString path = Fixtures::write(m_dir.filePath(QStringLiteral("presets.mid")), file);
        std::set<MidiScan::Preset> found;
        QVERIFY(MediaFiles::midiPresets(path, &found));
        QStringList names;
        for (const MidiScan::Preset &p : found)
            names << QStringLiteral("%1:%2").arg(p.bank).arg(p.program);
        QCOMPARE(names.join(QLatin1Char(' ')), presets);
    }

    // The program's own SoundFont plays a file only when it has every preset the file
    // uses; whatever cannot be read goes to the General MIDI one.
    void eachFilePlaysOnASoundFontThatHasItsPresets_data()
    {
        using Fixtures::event;
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("own");
        const QByteArray note = event(0, "\x90\x3c\x50") + event(480, QByteArray("\x80\x3c\x00", 3));
        QByteArray intro;
        QFile corvin(QStringLiteral(ORBELLE_PROGRAM_DIR "/corvin.mid"));
        if (corvin.open(QIODevice::ReadOnly))
            intro = corvin.readAll();
        QTest::newRow("the intro music") << intro << true;
        QTest::newRow("piano and harp")
            << Fixtures::midiFile({event(0, QByteArray("\xc0\x00", 2)) + note, event(0, "\xc1\x2e")}) << true;
        QTest::newRow("an instrument the own music never plays")
            << Fixtures::midiFile({event(0, QByteArray("\xc0\x00", 2)) + note, event(0, "\xc1\x1e")})
            << false;
        QTest::newRow("drums") << Fixtures::midiFile({event(0, "\x99\x24\x50")}) << false;
        QTest::newRow("another bank") << Fixtures::midiFile({event(0, QByteArray("\xb0\x00\x08", 3)) +
                                                             event(0, QByteArray("\xc0\x00", 2)) + note})
                                      << false;
        QTest::newRow("not a MIDI file") << QByteArray("MThd\0\0\0\x06garbage", 15) << false;
        QTest::newRow("cut short") << Fixtures::midi(4, 120).chopped(9) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void eachFilePlaysOnASoundFontThatHasItsPresets()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, own);
        QVERIFY2(QFileInfo(MediaControl::ownSoundFont()).isFile(), "the build makes orbelle.sf2");
        const QString path = Fixtures::write(m_dir.filePath(QStringLiteral("piece.mid")), file);
        QCOMPARE(MediaControl::soundFontFor(path),
                 own ? MediaControl::ownSoundFont() : MediaControl::soundFont());
        QVERIFY(g_warnings.isEmpty());
    }

    // The choice reads the SoundFont, not its name: a missing or broken own SoundFont
    // sends everything to the General MIDI one, and says so once.
    void aMissingOrBrokenOwnSoundFontGivesWay_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<bool>("usable");
        QFile own(QStringLiteral(ORBELLE_PROGRAM_DIR "/orbelle.sf2"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray whole = own.readAll();
        QTest::newRow("a copy elsewhere") << whole << true;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("cut short") << whole.left(whole.size() - 100) << false;
        QTest::newRow("not a SoundFont") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << false;
    }
    void aMissingOrBrokenOwnSoundFontGivesWay()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, usable);
        static int n = 0;
        const QString font = m_dir.filePath(QStringLiteral("own%1.sf2").arg(++n));
        if (!bytes.isEmpty())
            Fixtures::write(font, bytes);
        MediaControl::setOwnSoundFont(font);
        const QString piece = QStringLiteral(ORBELLE_PROGRAM_DIR "/corvin.mid");
        for (int i = 0; i < 2; ++i)
            QCOMPARE(MediaControl::soundFontFor(piece), usable ? font : MediaControl::soundFont());
        QCOMPARE(g_warnings.filter(QFileInfo(font).fileName()).size(), usable ? 0 : 1);
    }
};

ORBELLE_TEST_MAIN(tst_MediaControl)
#include "tst_mediacontrol.moc"
