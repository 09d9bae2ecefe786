// The media files of the program folder as the program and the desktop meet them: every
// picture decodes at its size, the sounds and the music are whole files that play, the
// program's own SoundFont plays its music as the General MIDI one does, and each generator
// makes the same bytes again. Read back with Qt's image readers, FluidSynth, this test's
// WAVE reader and the program's MIDI reader.
#ifndef Q_MOC_RUN // moc cannot read the C++20 library headers they bring
#include "fluidrender.h"
#include "mediafiles.h"
#include "midiscan.h"
#endif

#include <fluidsynth.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace {

QString programFile(const QString &relative)
{
    return QDir(QStringLiteral(ORBELLE_PROGRAM_DIR)).filePath(relative);
}

// WCAG relative luminance of a picture's mean colour (smooth scaling averages the pixels).
double meanLuminance(const QImage &img)
{
    const QRgb mean = img.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0);
    auto lin = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(qRed(mean)) + 0.7152 * lin(qGreen(mean)) + 0.0722 * lin(qBlue(mean));
}

struct Wave
{
    int format = 0, channels = 0, sampleRate = 0, bits = 0;
    QList<qint16> samples;
};

// A WAVE file's format and, for 16 bits, its samples; nothing when it is no RIFF WAVE file
// or its data runs past the end.
std::optional<Wave> readWave(const QString &path)
{
    QFile f(path);
    const QByteArray b = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const qsizetype fmt = b.indexOf("fmt "), data = b.indexOf("data");
    if (!b.startsWith("RIFF") || b.mid(8, 4) != "WAVE" || fmt < 12 || data < 12 || fmt + 24 > b.size())
        return std::nullopt;
    const char *h = b.constData() + fmt + 8;
    Wave w{qFromLittleEndian<quint16>(h),
           qFromLittleEndian<quint16>(h + 2),
           int(qFromLittleEndian<quint32>(h + 4)),
           qFromLittleEndian<quint16>(h + 14),
           {}};
    const quint32 len = qFromLittleEndian<quint32>(b.constData() + data + 4);
    if (data + 8 + qsizetype(len) > b.size())
        return std::nullopt;
    for (quint32 i = 0; w.bits == 16 && i + 1 < len; i += 2)
        w.samples << qFromLittleEndian<qint16>(b.constData() + data + 8 + i);
    return w;
}

// The intro and the pieces of the music folder.
QStringList musicFiles()
{
    QStringList files{QStringLiteral("corvin.mid")};
    const QDir folder(programFile(QStringLiteral("Klang/Ostrel")));
    for (const QString &name : folder.entryList({QStringLiteral("*.mid")}, QDir::Files, QDir::Name))
        files << QStringLiteral("Klang/Ostrel/") + name;
    if (files.size() < 5)
        qFatal("the music folder lacks its pieces");
    return files;
}

// The presets a SoundFont offers, as FluidSynth reads them: "bank:program".
QStringList fluidPresets(const QString &soundFont)
{
    QStringList out;
    fluid_settings_t *settings = new_fluid_settings();
    fluid_synth_t *synth = new_fluid_synth(settings);
    const int id = fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 0);
    if (fluid_sfont_t *font = id == FLUID_FAILED ? nullptr : fluid_synth_get_sfont_by_id(synth, id)) {
        fluid_sfont_iteration_start(font);
        while (fluid_preset_t *p = fluid_sfont_iteration_next(font))
            out << QStringLiteral("%1:%2").arg(fluid_preset_get_banknum(p)).arg(fluid_preset_get_num(p));
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    out.sort();
    return out;
}

const QString kAppId = QStringLiteral(ORBELLE_APP_ID);
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// Every file below `root`, by relative path, with its bytes.
std::map<QString, QByteArray> snapshot(const QString &root)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            files[QDir(root).relativeFilePath(f.fileName())] = f.readAll();
    }
    return files;
}

} // namespace

class TestMediaFiles : public QObject
{
    Q_OBJECT

private slots:
    // Every card 1 … 78 is a JPEG of 700 × 1240, no two alike, with its name lettered in
    // gold onto the dark bottom band.
    void deckHasSeventyEightLetteredCards()
    {
        QSet<QByteArray> seen;
        for (int n = 1; n <= 78; ++n) {
            const QString path = programFile(QStringLiteral("Imagenes/%1.jpg").arg(n));
            QImageReader reader(path);
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            const QImage img = reader.read().convertToFormat(QImage::Format_RGB32);
            QVERIFY2(!img.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
            QCOMPARE(img.size(), QSize(700, 1240));
            const QByteArray hash = QCryptographicHash::hash(
                QByteArrayView(img.constBits(), img.sizeInBytes()), QCryptographicHash::Sha1);
            QVERIFY2(!seen.contains(hash), qPrintable(path + QStringLiteral(" repeats another card")));
            seen.insert(hash);
            int lettered = 0;
            for (int y = 1122; y < 1202; ++y)
                for (int x = 80; x < 620; ++x) {
                    const QRgb px = img.pixel(x, y);
                    lettered += qRed(px) > 170 && qGreen(px) > 130 && qBlue(px) < 150;
                }
            QVERIFY2(lettered > 400, qPrintable(QStringLiteral("card %1: %2").arg(n).arg(lettered)));
        }
    }

    // The back looks the same on a card laid upside down; the backgrounds fill the largest
    // window that shows them and keep the yellow captions readable; the title stands on
    // a transparent ground.
    void windowPictures()
    {
        const QImage back =
            QImage(programFile(QStringLiteral("dorso.png"))).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!back.isNull());
        QCOMPARE(back.mirrored(true, true), back);

        const double yellow = 0.2126 + 0.7152; // relative luminance of #ffff00
        for (const char *name : {"Imagenes/nebo2.jpg", "Imagenes/nebo3.jpg"}) {
            const QImage sky(programFile(QLatin1String(name)));
            QVERIFY2(sky.width() >= 1000 && sky.height() >= 700 && sky.width() > sky.height(), name);
            const double contrast = (yellow + 0.05) / (meanLuminance(sky) + 0.05);
            QVERIFY2(contrast >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name)).arg(contrast)));
        }

        const QImage title(programFile(QStringLiteral("titulo.png")));
        QVERIFY(title.hasAlphaChannel() && title.width() > title.height());
        QCOMPARE(qAlpha(title.pixel(0, 0)), 0);
        QCOMPARE(QImage(programFile(QStringLiteral("orbelle.png"))).size(), QSize(256, 256));
    }

    // The desktop's icon theme gets a square tile with clear corners at every size, and a
    // drawing that scales.
    void desktopIcons()
    {
        for (int size : kIconSizes) {
            const QString path =
                programFile(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId));
            const QImage icon(path);
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY2(icon.hasAlphaChannel() && qAlpha(icon.pixel(0, 0)) == 0, qPrintable(path));
            QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        }
        QSvgRenderer svg(programFile(QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(kAppId)));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), QSize(256, 256));
    }

    // Plain 16-bit PCM every sound system plays, of its length (the deal snap, the card
    // turn), audible but not clipped, and without a click at either end.
    void sounds()
    {
        const std::tuple<const char *, int, int> sounds[] = {{"zvuk.wav", 30, 119},
                                                             {"backarte.wav", 240, 360}};
        for (const auto &[file, minMs, maxMs] : sounds) {
            const auto wave = readWave(programFile(QLatin1String(file)));
            QVERIFY2(wave && wave->format == 1 && wave->bits == 16 && wave->sampleRate == 44100 &&
                         wave->channels == 1,
                     file);
            const double ms = 1000.0 * wave->samples.size() / wave->sampleRate;
            QVERIFY2(ms >= minMs && ms <= maxMs,
                     qPrintable(QStringLiteral("%1: %2 ms").arg(QLatin1String(file)).arg(ms)));
            int peak = 0;
            for (qint16 s : wave->samples)
                peak = std::max(peak, std::abs(int(s)));
            QVERIFY2(peak < 32000 && peak > 6000,
                     qPrintable(QStringLiteral("%1: peak %2").arg(QLatin1String(file)).arg(peak)));
            const int head = wave->sampleRate / 4000, tail = wave->sampleRate / 500;
            for (int i = 0; i < head; ++i)
                QVERIFY2(std::abs(int(wave->samples.at(i))) < 330, file);
            for (int i = 0; i < tail; ++i)
                QVERIFY2(std::abs(int(wave->samples.at(wave->samples.size() - 1 - i))) < 330, file);
        }
    }

    void music_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        for (const QString &f : musicFiles()) // the intro, then the background pieces
            QTest::newRow(qPrintable(f)) << f << (f.contains(QLatin1Char('/')) ? 30.0 : 20.0)
                                         << (f.contains(QLatin1Char('/')) ? 90.0 : 40.0);
    }
    // A whole Standard MIDI File of the expected length: every track closed, no drums,
    // every note released.
    void music()
    {
        QFETCH(QString, file);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        QFile f(programFile(file));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        MidiScan::Header header;
        std::map<int, MidiScan::Event> lastOfTrack;
        std::map<std::pair<int, int>, int> held;
        int struck = 0;
        QStringList faults;
        const bool whole =
            MidiScan::walk(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                           std::size_t(bytes.size()), &header, [&](const MidiScan::Event &e) {
                               lastOfTrack[e.track] = e;
                               const int kind = e.status & 0xf0, ch = e.status & 0x0f;
                               if (e.status >= 0xf0 || (kind != 0x80 && kind != 0x90))
                                   return;
                               if (ch == MidiScan::kDrumChannel)
                                   faults << QStringLiteral("drums");
                               int &h = held[{ch, e.data[0]}];
                               if (kind == 0x90 && e.data[1] > 0) {
                                   ++h, ++struck;
                               } else if (h-- == 0) {
                                   faults << QStringLiteral("release without note at %1").arg(e.tick);
                               }
                           });
        QVERIFY2(whole, qPrintable(file));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(int(lastOfTrack.size()), header.tracks);
        for (const auto &[track, e] : lastOfTrack)
            QVERIFY2(e.status == 0xff && e.metaType == 0x2f,
                     qPrintable(QStringLiteral("track %1 open").arg(track)));
        QVERIFY2(struck > 50, qPrintable(QString::number(struck)));
        for (const auto &[key, count] : held)
            QVERIFY2(count == 0, qPrintable(QStringLiteral("key %1 left sounding").arg(key.second)));

        const double seconds = MediaFiles::midiDurationMs(programFile(file)) / 1000.0;
        QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
    }

    // orbelle.sf2 offers exactly the presets the program's own pieces play, so each of
    // them plays on it and nothing else is carried.
    void ownSoundFontHoldsWhatTheMusicPlays()
    {
        QSet<QString> played;
        for (const QString &file : musicFiles()) {
            std::set<MidiScan::Preset> presets;
            QVERIFY2(MediaFiles::midiPresets(programFile(file), &presets), qPrintable(file));
            for (const MidiScan::Preset &p : presets)
                played << QStringLiteral("%1:%2").arg(p.bank).arg(p.program);
        }
        QStringList expected(played.begin(), played.end());
        expected.sort();
        QVERIFY(expected.size() >= 4);
        QCOMPARE(fluidPresets(programFile(QStringLiteral("orbelle.sf2"))), expected);
    }

    // Same presets, same samples: the intro renders alike on both SoundFonts. A sample copied
    // from the wrong place, cut short or with shifted loop points changes the sound.
    void ownSoundFontSoundsLikeTheGeneralMidiOne()
    {
        const QString piece = programFile(QStringLiteral("corvin.mid"));
        const auto file = [](const QString &path) { return QFile::encodeName(path).toStdString(); };
        const FluidRender::Result gm = FluidRender::render(file(QStringLiteral(ORBELLE_GM_SOUNDFONT)), file(piece));
        const FluidRender::Result own = FluidRender::render(file(programFile(QStringLiteral("orbelle.sf2"))), file(piece), 96);
        QVERIFY(gm.ok && own.ok);
        const double gmEnergy = FluidRender::energy(gm), ownEnergy = FluidRender::energy(own),
                     difference = FluidRender::difference(gm, own).energy;
        qInfo("corvin.mid: energy %.4g (General MIDI) and %.4g (own), difference %.3g", gmEnergy, ownEnergy,
              difference);
        QVERIFY2(gmEnergy > 1e-4, "the General MIDI render is silent");
        QVERIFY(std::abs(ownEnergy - gmEnergy) < 0.01 * gmEnergy);
        QVERIFY(difference < 1e-4 * gmEnergy);
    }

    void generatorsAreDeterministic_data()
    {
        QTest::addColumn<QString>("generator");
        QTest::addColumn<QStringList>("expected");
        // Arguments after the output folder, and where the build put the same files.
        QTest::addColumn<QStringList>("extraArgs");
        QTest::addColumn<QString>("builtIn");
        const auto split = [](const char *list) { return QString::fromLatin1(list).split(QLatin1Char(' ')); };
        QStringList deck, pieces{QStringLiteral(ORBELLE_GM_SOUNDFONT)},
            icons{QStringLiteral("hicolor/scalable/apps/%1.svg").arg(kAppId)};
        for (int n = 1; n <= 78; ++n)
            deck << QStringLiteral("Imagenes/%1.jpg").arg(n);
        for (const QString &f : musicFiles())
            pieces << programFile(f);
        for (int n : kIconSizes)
            icons << QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(n).arg(kAppId);
        QTest::newRow("deck") << MEDIA_SVGDECK_EXE << deck << QStringList{ORBELLE_CARD_SOURCES_DIR}
                              << QString();
        QTest::newRow("pictures")
            << MEDIA_ART_EXE
            << split("dorso.png Imagenes/nebo2.jpg Imagenes/nebo3.jpg titulo.png orbelle.png")
            << QStringList() << QString();
        QTest::newRow("sounds") << MEDIA_SOUNDS_EXE << split("zvuk.wav backarte.wav") << QStringList()
                                << QString();
        QTest::newRow("music") << MEDIA_MUSIC_EXE << musicFiles() << QStringList() << QString();
        QTest::newRow("soundfont") << MEDIA_SOUNDFONT_EXE << split("orbelle.sf2") << pieces << QString();
        QTest::newRow("desktop icons")
            << MEDIA_ICONS_EXE << icons << QStringList{kAppId} << QStringLiteral("icons/");
    }
    // Two runs give the same bytes, and what the build put in the program folder is what
    // the generator makes now.
    void generatorsAreDeterministic()
    {
        QFETCH(QString, generator);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, extraArgs);
        QFETCH(QString, builtIn);
        std::map<QString, QByteArray> runs[2];
        for (auto &run : runs) {
            QTemporaryDir dir;
            QVERIFY(dir.isValid());
            QProcess p;
            p.start(generator, QStringList{dir.path()} + extraArgs);
            QVERIFY2(p.waitForFinished(120000), qPrintable(generator));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                     qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
            run = snapshot(dir.path());
        }
        QStringList produced;
        for (const auto &[name, bytes] : runs[0])
            produced << name;
        expected.sort();
        QCOMPARE(produced, expected);
        for (const auto &[name, bytes] : runs[0]) {
            QVERIFY2(runs[1][name] == bytes, qPrintable(name + QStringLiteral(" differs between runs")));
            QFile built(programFile(builtIn + name));
            QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(name));
            QVERIFY2(built.readAll() == bytes, qPrintable(name + QStringLiteral(" is stale")));
        }
    }
};

QTEST_GUILESS_MAIN(TestMediaFiles)
#include "tst_media_files.moc"
