// The media control without a sound system: durations read from the files, the silent
// device's timing, the SoundFont choice, and the failures that must stay silent: damaged
// files are refused with one message, never a crash or a hang.

#include "mediacontrol.h"
#include "mediafiles.h"
#include "mediafixtures.h"
#include "testenv.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

using Fixtures::event;

namespace {
QByteArray seed(const QString &name) // a damaged file of the fuzzers' seeds
{
    QFile f(QFINDTESTDATA(QStringLiteral("../fuzz/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
const QByteArray kNote = event(0, "\x90\x3c\x50") + event(480, QByteArray("\x80\x3c\x00", 3));
} // namespace

class tst_MediaControl : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_song;

    // Neither SoundFont can be loaded: MIDI goes to the silent device at once.
    void withoutSoundFonts()
    {
        MediaControl::setSoundFont(m_dir.filePath(QStringLiteral("missing.sf2")));
        MediaControl::setOwnSoundFont(m_dir.filePath(QStringLiteral("gone.sf2")));
    }

private slots:
    void initTestCase()
    {
        m_song = Fixtures::write(m_dir.filePath(QStringLiteral("song.mid")), Fixtures::midi(4, 120)); // 2 s
    }

    void init()
    {
        MediaControl::stopRecording();
        MediaControl::setSoundFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
        MediaControl::setOwnSoundFont(QString());
        Timer::setTimeScale(1.0);
    }

    void durationsComeFromTheFiles_data()
    {
        using Fixtures::event;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("waveMs"); // -1: refused
        QTest::addColumn<qint64>("midiMs");
        QTest::newRow("wave") << Fixtures::wave(400) << 400ll << -1ll;
        QTest::newRow("midi") << Fixtures::midi(4, 120) << -1ll << 2000ll;
        // 2 quarters at 60 bpm (2 s), then 2 at 240 bpm (0.5 s).
        QTest::newRow("tempo change") << Fixtures::midi(2, 60, 240) << -1ll << 2500ll;
        QTest::newRow("midi cut short") << Fixtures::midi(4, 120).chopped(9) << -1ll << -1ll;
        QTest::newRow("missing") << QByteArray() << -1ll << -1ll;
        // A chunk size of 0xfffffff8 once wrapped round to the same chunk, for ever.
        QTest::newRow("wave chunk size wraps")
            << seed(QStringLiteral("corpus_wave/size-wraps.wav")) << -1ll << -1ll;
        QTest::newRow("track size wraps")
            << seed(QStringLiteral("corpus_midi/track-size-wraps.mid")) << -1ll << -1ll;
        // Ten events 2^28 - 1 ticks apart at a millisecond a tick: a month, more than 32
        // bits of milliseconds hold.
        QByteArray longTrack = event(0, QByteArray("\xff\x51\x03\x07\x53\x00", 6));
        for (int i = 0; i < 10; ++i)
            longTrack += event(0x0fffffff, "\x90\x3c\x50");
        QTest::newRow("a month of music") << Fixtures::midiFile({longTrack}, 0) << -1ll << 10ll * 0x0fffffff;
    }
    void durationsComeFromTheFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, waveMs);
        QFETCH(qint64, midiMs);
        const QString path = m_dir.filePath(QStringLiteral("piece"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            Fixtures::write(path, bytes);
        QCOMPARE(MediaFiles::waveDurationMs(path), waveMs);
        QCOMPARE(MediaFiles::midiDurationMs(path), midiMs);
        QCOMPARE(MediaFiles::durationMs(path), qMax(waveMs, midiMs));
        // The silent device plays what has a duration, however long. What has none it
        // refuses, says why once, and tells the player when asked to play it.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("piece")));
        if (midiMs < 0)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("piece")));
        withoutSoundFonts();
        MediaControl mc;
        QSignalSpy failed(&mc, &MediaControl::playbackFailed);
        mc.setDeviceType(QStringLiteral("sequencer"));
        mc.setFileName(path);
        for (const char *c : {"open", "open", "play"})
            mc.setCommand(QLatin1String(c));
        QCOMPARE(mc.isPlaying(), midiMs >= 0);
        if (midiMs < 0)
            QVERIFY(failed.wait(1000));
    }

    // Without a sound system the end of a file still comes after the file's own length,
    // once per play, never while stopped nor after a close.
    void silentDeviceKeepsTheFilesTime()
    {
        withoutSoundFonts();
        Timer::setTimeScale(0.25);
        MediaControl mc;
        QSignalSpy ended(&mc, &MediaControl::playbackFinished);
        mc.setDeviceType(QStringLiteral("sequencer"));
        mc.setFileName(m_song);
        mc.setCommand(QStringLiteral("Open"));
        QCOMPARE(mc.backend(), QStringLiteral("silent"));
        QElapsedTimer clock;
        clock.start();
        mc.setCommand(QStringLiteral("PLAY"));
        QVERIFY(mc.isPlaying());
        QVERIFY(ended.wait(10000));
        QVERIFY2(clock.elapsed() >= 2000 * 0.25 - 5, "the end came before the file's end");
        QVERIFY(!mc.isPlaying());
        mc.setCommand(QStringLiteral("play")); // again from the start
        QTest::qWait(100);
        mc.setCommand(QStringLiteral("stop"));
        QTest::qWait(600); // longer than the rest of the song
        mc.setCommand(QStringLiteral("play"));
        QVERIFY(ended.wait(10000));
        mc.setCommand(QStringLiteral("play"));
        mc.setCommand(QStringLiteral("close"));
        QTest::qWait(600);
        QCOMPARE(ended.count(), 2);
        QCOMPARE(mc.mode(), MediaControl::NotOpen);
    }

    // The presets a file sounds with, as a General MIDI synthesiser picks them, and the
    // SoundFont it plays on: the program's own only when that has every one of them.
    void eachFilePlaysOnASoundFontThatHasItsPresets_data()
    {
        using Fixtures::event;
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("presets"); // "bank:program", sorted; empty: unreadable
        QTest::addColumn<bool>("own");
        const QByteArray drum = event(0, "\x99\x24\x50") + event(480, QByteArray("\x89\x24\x00", 3));
        QFile corvin(QStringLiteral(ORBELLE_PROGRAM_DIR "/corvin.mid"));
        QVERIFY(corvin.open(QIODevice::ReadOnly));
        QTest::newRow("the intro music") << corvin.readAll() << QString() << true;
        QTest::newRow("a note without a program change") << Fixtures::midiFile({kNote}) << "0:0" << true;
        QTest::newRow("piano and harp")
            << Fixtures::midiFile({event(0, QByteArray("\xc0\x00", 2)) + kNote, event(0, "\xc1\x2e")})
            << "0:0 0:46" << true;
        QTest::newRow("an instrument the own music never plays")
            << Fixtures::midiFile({event(0, "\xc1\x1e") + event(0, "\x91\x3c\x50")}) << "0:30" << false;
        // The bank takes effect at the next program change, not at once.
        QTest::newRow("bank select") << Fixtures::midiFile({event(0, QByteArray("\xb0\x00\x08", 3)) + kNote +
                                                            event(0, "\xc0\x05") + kNote})
                                     << "0:0 8:5" << false;
        // Channel 10 plays the drum bank and ignores bank selects.
        QTest::newRow("drum channel") << Fixtures::midiFile({drum + event(0, QByteArray("\xb9\x00\x05", 3)) +
                                                             event(0, "\xc9\x10") + drum})
                                      << "128:0 128:16" << false;
        // Tracks sound together: a program change in a later track at tick 0 comes
        // before a note of an earlier track at tick 480.
        QTest::newRow("across tracks")
            << Fixtures::midiFile({event(480, "\x91\x3c\x50") + event(480, QByteArray("\x81\x3c\x00", 3)),
                                   event(0, "\xc1\x2e")})
            << "0:46" << true;
        // Running status carries the note on; velocity 0 is a release, not a note.
        QTest::newRow("running status")
            << Fixtures::midiFile({event(0, "\xc2\x2b") + event(0, "\x92\x3c\x50") + event(0, "\x3e\x50") +
                                   event(480, QByteArray("\x3c\x00", 2)) + event(0, "\xc2\x07") +
                                   event(0, QByteArray("\x92\x3c\x00", 3))})
            << "0:7 0:43" << false;
        QTest::newRow("not a MIDI file") << QByteArray("MThd\0\0\0\x06garbage", 15) << QString() << false;
    }
    void eachFilePlaysOnASoundFontThatHasItsPresets()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, presets);
        QFETCH(bool, own);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("orbelle: sound")));
        const QString path = Fixtures::write(m_dir.filePath(QStringLiteral("piece.mid")), file);
        if (!presets.isEmpty()) {
            std::set<MidiScan::Preset> found;
            QVERIFY(MediaFiles::midiPresets(path, &found));
            QStringList names;
            for (const MidiScan::Preset &p : found)
                names << QStringLiteral("%1:%2").arg(p.bank).arg(p.program);
            QCOMPARE(names.join(QLatin1Char(' ')), presets);
        }
        QCOMPARE(MediaControl::soundFontFor(path),
                 own ? MediaControl::ownSoundFont() : MediaControl::soundFont());
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
        // The preset list named as another list: read as it was, its empty list once
        // brought the program down at every start.
        QTest::newRow("a list named twice") << seed(QStringLiteral("corpus_sf2/list-twice.sf2")) << false;
        QTest::newRow("a list size that wraps")
            << seed(QStringLiteral("corpus_sf2/list-size-wraps.sf2")) << false;
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
        const QRegularExpression named(QRegularExpression::escape(QFileInfo(font).fileName()));
        if (!usable)
            QTest::ignoreMessage(QtWarningMsg, named); // once, and not twice
        QTest::failOnWarning(named);
        const QString piece = QStringLiteral(ORBELLE_PROGRAM_DIR "/corvin.mid");
        for (int i = 0; i < 2; ++i)
            QCOMPARE(MediaControl::soundFontFor(piece), usable ? font : MediaControl::soundFont());
    }
};

ORBELLE_TEST_MAIN(tst_MediaControl)
#include "tst_mediacontrol.moc"
