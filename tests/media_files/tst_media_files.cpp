// The media files of the program folder, read back with independent readers (Qt's image
// decoders, FluidSynth, and this test's own WAVE and MIDI parsers).
#include "mediafixtures.h"

#include <fluidsynth.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace {

QString programFile(const QString &relative)
{
    return QDir(QStringLiteral(ORBELLE_PROGRAM_DIR)).filePath(relative);
}

struct Mean
{
    double r = 0, g = 0, b = 0;
    double luminance() const { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }
};

Mean meanColour(const QImage &img, const QRect &area)
{
    Mean m;
    const QRect a = area.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) {
            const QRgb px = img.pixel(x, y);
            m.r += qRed(px);
            m.g += qGreen(px);
            m.b += qBlue(px);
        }
    const double n = static_cast<double>(a.width()) * a.height();
    m.r /= n;
    m.g /= n;
    m.b /= n;
    return m;
}

// WCAG relative luminance of an sRGB colour given in 0…255.
double relativeLuminance(double r, double g, double b)
{
    auto lin = [](double c) {
        c /= 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}

struct Wave
{
    int format = 0, channels = 0, sampleRate = 0, bits = 0;
    QList<qint16> samples;
};

std::optional<Wave> readWave(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wave w;
    bool haveFormat = false, haveData = false;
    qsizetype pos = 12;
    while (pos + 8 <= b.size()) {
        const QByteArray id = b.mid(pos, 4);
        const quint32 len = qFromLittleEndian<quint32>(b.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (body + qsizetype(len) > b.size())
            return std::nullopt;
        if (id == "fmt ") {
            w.format = qFromLittleEndian<quint16>(b.constData() + body);
            w.channels = qFromLittleEndian<quint16>(b.constData() + body + 2);
            w.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(b.constData() + body + 4));
            w.bits = qFromLittleEndian<quint16>(b.constData() + body + 14);
            haveFormat = true;
        } else if (id == "data" && w.bits == 16) {
            for (quint32 i = 0; i + 1 < len; i += 2)
                w.samples << qFromLittleEndian<qint16>(b.constData() + body + i);
            haveData = true;
        }
        pos = body + len + (len % 2);
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return w;
}

struct MidiEvent
{
    quint64 tick = 0;
    quint8 status = 0; // 0xff for meta events
    quint8 metaType = 0;
    QByteArray data; // channel data bytes, or the meta payload
};

struct Midi
{
    int format = -1;
    int division = 0;
    QList<QList<MidiEvent>> tracks;
};

// Parses the whole file; any structural fault yields an error message.
std::optional<Midi> readMidi(const QString &path, QString *error)
{
    const auto fail = [error](const QString &why) {
        *error = why;
        return std::optional<Midi>();
    };
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open"));
    const QByteArray b = f.readAll();
    auto u16 = [&b](qsizetype at) { return qFromBigEndian<quint16>(b.constData() + at); };
    auto u32 = [&b](qsizetype at) { return qFromBigEndian<quint32>(b.constData() + at); };
    if (b.size() < 14 || !b.startsWith("MThd") || u32(4) != 6)
        return fail(QStringLiteral("bad header chunk"));
    Midi m;
    m.format = u16(8);
    const int declaredTracks = u16(10);
    m.division = u16(12);
    if ((m.division & 0x8000) || m.division == 0)
        return fail(QStringLiteral("division is not ticks per quarter note"));
    qsizetype pos = 14;
    while (pos < b.size()) {
        if (pos + 8 > b.size() || b.mid(pos, 4) != "MTrk")
            return fail(QStringLiteral("chunk at %1 is not a track").arg(pos));
        const qsizetype end = pos + 8 + u32(pos + 4);
        if (end > b.size())
            return fail(QStringLiteral("track runs past the end of the file"));
        QList<MidiEvent> events;
        qsizetype i = pos + 8;
        quint64 tick = 0;
        quint8 running = 0;
        bool ended = false;
        auto varLen = [&b, &i, end]() -> std::optional<quint32> {
            quint32 v = 0;
            for (int n = 0; n < 4 && i < end; ++n) {
                const auto c = static_cast<quint8>(b.at(i++));
                v = (v << 7) | (c & 0x7f);
                if (!(c & 0x80))
                    return v;
            }
            return std::nullopt;
        };
        while (i < end) {
            if (ended)
                return fail(QStringLiteral("events after end of track"));
            const auto delta = varLen();
            if (!delta || i >= end)
                return fail(QStringLiteral("truncated event"));
            tick += *delta;
            MidiEvent e;
            e.tick = tick;
            auto s = static_cast<quint8>(b.at(i));
            if (s == 0xff || s == 0xf0 || s == 0xf7) {
                e.status = s;
                if (s == 0xff)
                    e.metaType = static_cast<quint8>(b.at(++i));
                ++i;
                const auto len = varLen();
                if (!len || i + *len > end)
                    return fail(QStringLiteral("truncated meta event or sysex"));
                if (s == 0xff)
                    e.data = b.mid(i, *len);
                i += *len;
                ended = s == 0xff && e.metaType == 0x2f;
            } else {
                if (s & 0x80) {
                    running = s;
                    ++i;
                } else if (!running) {
                    return fail(QStringLiteral("data byte without status"));
                }
                e.status = running;
                const int n = ((running & 0xf0) == 0xc0 || (running & 0xf0) == 0xd0) ? 1 : 2;
                if (i + n > end)
                    return fail(QStringLiteral("truncated channel event"));
                e.data = b.mid(i, n);
                i += n;
            }
            events << e;
        }
        if (!ended)
            return fail(QStringLiteral("track without end-of-track"));
        m.tracks << events;
        pos = end;
    }
    if (m.tracks.size() != declaredTracks || (m.format == 0 && declaredTracks != 1) || m.format > 1)
        return fail(QStringLiteral("format %1 with %2 declared and %3 present tracks")
                        .arg(m.format)
                        .arg(declaredTracks)
                        .arg(m.tracks.size()));
    return m;
}

quint32 tempoOf(const MidiEvent &e)
{
    return (quint32(quint8(e.data[0])) << 16) | (quint32(quint8(e.data[1])) << 8) | quint8(e.data[2]);
}

// Seconds from the start to `tick`, following every tempo change of every track.
double secondsAt(const Midi &m, quint64 tick)
{
    std::map<quint64, quint32> tempi = {{0, 500000}};
    for (const auto &track : m.tracks)
        for (const MidiEvent &e : track)
            if (e.status == 0xff && e.metaType == 0x51 && e.data.size() == 3)
                tempi[e.tick] = tempoOf(e);
    double seconds = 0;
    for (auto it = tempi.begin(); it != tempi.end() && it->first < tick; ++it) {
        const auto next = std::next(it);
        const quint64 until = (next == tempi.end() || next->first > tick) ? tick : next->first;
        seconds += double(until - it->first) * it->second / 1e6 / m.division;
    }
    return seconds;
}

quint64 lastTick(const Midi &m)
{
    quint64 t = 0;
    for (const auto &track : m.tracks)
        if (!track.isEmpty())
            t = std::max(t, track.last().tick);
    return t;
}

// The music folder's pieces; musicFiles() adds the intro.
QStringList folderPieces()
{
    QStringList files;
    const QDir folder(programFile(QStringLiteral("Klang/Ostrel")));
    for (const QString &name : folder.entryList({QStringLiteral("*.mid")}, QDir::Files, QDir::Name))
        files << QStringLiteral("Klang/Ostrel/") + name;
    return files;
}

QStringList musicFiles()
{
    return QStringList{QStringLiteral("corvin.mid")} + folderPieces();
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

// The number of sample headers of a SoundFont (without the terminal one), -1 when its
// pdta list cannot be found.
int sampleHeaders(const QString &soundFont)
{
    QFile f(soundFont);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray b = f.readAll();
    const int pdta = b.lastIndexOf("pdta");
    for (int pos = pdta + 4; pdta >= 0 && pos + 8 <= b.size();) {
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + pos + 4);
        if (b.mid(pos, 4) == "shdr")
            return size % 46 == 0 ? int(size / 46) - 1 : -1;
        pos += 8 + int(size);
    }
    return -1;
}

void quietLog(int, const char *, void *) {}

// The piece played through FluidSynth into memory (left and right interleaved), set up as
// the program's MIDI device sets it up; `voices` 0 keeps the default polyphony.
std::vector<float> render(const QString &soundFont, const QString &midi, int voices = 0)
{
    // A SoundFont without drums makes FluidSynth warn about channel 10 at every start.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, quietLog, nullptr);
    std::vector<float> out;
    fluid_settings_t *settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.gain", 0.6);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(settings, "synth.sample-rate", 44100);
    if (voices > 0)
        fluid_settings_setint(settings, "synth.polyphony", voices);
    fluid_synth_t *synth = new_fluid_synth(settings);
    fluid_player_t *player = nullptr;
    if (synth && fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
        if (player && fluid_player_add(player, QFile::encodeName(midi).constData()) == FLUID_OK &&
            fluid_player_play(player) == FLUID_OK) {
            float block[2 * 512];
            while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && out.size() < 180 * 44100 * 2) {
                fluid_synth_write_float(synth, 512, block, 0, 2, block, 1, 2);
                out.insert(out.end(), block, block + 2 * 512);
            }
        }
    }
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    if (synth)
        delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

// Mean square of a render, or of the difference of two (the shorter is silent past its end).
double energy(const std::vector<float> &a, const std::vector<float> &b = {})
{
    const std::size_t n = std::max(a.size(), b.size());
    const auto at = [](const std::vector<float> &v, std::size_t i) {
        return i < v.size() ? double(v[i]) : 0.0;
    };
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += (at(a, i) - at(b, i)) * (at(a, i) - at(b, i));
    return n ? sum / double(n) : 0;
}

const QString kAppId = QStringLiteral(ORBELLE_APP_ID);
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The desktop icons, relative to the build's icon folder.
QStringList iconFiles()
{
    QStringList files{QStringLiteral("hicolor/scalable/apps/%1.svg").arg(kAppId)};
    for (int n : kIconSizes)
        files << QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(n).arg(kAppId);
    return files;
}

// Every file below `root`, by relative path, with its bytes.
std::map<QString, QByteArray> snapshot(const QString &root)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files[QDir(root).relativeFilePath(path)] = f.readAll();
    }
    return files;
}

} // namespace

class TestMediaFiles : public QObject
{
    Q_OBJECT

private slots:
    void deckHasSeventyEightDistinctCards();
    void cardFieldsShowArcanumAndSuit_data();
    void cardFieldsShowArcanumAndSuit();
    void backLooksTheSameTurnedRound();
    void backgroundsCarryYellowCaptions();
    void titleAndIcon();
    void desktopIcons_data();
    void desktopIcons();
    void scalableIconDrawsLikeTheBitmaps();
    void sounds_data();
    void sounds();
    void music_data();
    void music();
    void musicFolderPiecesDiffer();
    void ownSoundFontHoldsWhatTheMusicPlays();
    void ownSoundFontSoundsLikeTheGeneralMidiOne();
    void soundFontToolStopsOnAMissingPreset();
    void generatorsAreDeterministic_data();
    void generatorsAreDeterministic();
};

void TestMediaFiles::deckHasSeventyEightDistinctCards()
{
    QSet<QByteArray> seen;
    QList<QImage> thumbs; // decoded at display size, as the gallery does it
    for (int n = 1; n <= 78; ++n) {
        const QString path = programFile(QStringLiteral("Imagenes/%1.jpg").arg(n));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
        QCOMPARE(img.size(), QSize(700, 1240));
        // The rounded corners leave the dark surround showing.
        QVERIFY2(meanColour(img, QRect(0, 0, 6, 6)).luminance() < 40, qPrintable(path));
        QVERIFY2(meanColour(img, QRect(694, 1234, 6, 6)).luminance() < 40, qPrintable(path));
        const QByteArray hash = QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char *>(img.constBits()), img.sizeInBytes()),
            QCryptographicHash::Sha1);
        QVERIFY2(!seen.contains(hash), qPrintable(path + QStringLiteral(" repeats another card")));
        seen.insert(hash);
        QImageReader small(path);
        small.setScaledSize(QSize(49, 89));
        thumbs << small.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!thumbs.last().isNull());
    }
    QVERIFY(!QFile::exists(programFile(QStringLiteral("Imagenes/0.jpg"))));
    QVERIFY(!QFile::exists(programFile(QStringLiteral("Imagenes/79.jpg"))));

    // The nearest pair of thumbnails still differs visibly in the picture, not just in the
    // unreadable names: one slim sword more changes the mean by about 1.5 levels.
    double nearest = 1e9;
    QString pair;
    for (int a = 0; a < thumbs.size(); ++a)
        for (int b = a + 1; b < thumbs.size(); ++b) {
            double sum = 0;
            // The picture field only: the name band is too small to read at this size.
            for (int y = 14; y < 75; ++y)
                for (int x = 4; x < 45; ++x) {
                    const QRgb p = thumbs[a].pixel(x, y), q = thumbs[b].pixel(x, y);
                    sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                           std::abs(qBlue(p) - qBlue(q));
                }
            const double mean = sum / (61 * 41 * 3);
            if (mean < nearest) {
                nearest = mean;
                pair = QStringLiteral("%1 and %2").arg(a + 1).arg(b + 1);
            }
        }
    QVERIFY2(nearest > 1.0, qPrintable(QStringLiteral("cards %1 differ by %2").arg(pair).arg(nearest)));
}

void TestMediaFiles::cardFieldsShowArcanumAndSuit_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("look");
    QTest::newRow("major arcana and the Fool") << 1 << 22 << QStringLiteral("night");
    QTest::newRow("Bastos") << 23 << 36 << QStringLiteral("warm");
    QTest::newRow("Copas") << 37 << 50 << QStringLiteral("blue");
    QTest::newRow("Espadas") << 51 << 64 << QStringLiteral("violet");
    QTest::newRow("Oros") << 65 << 78 << QStringLiteral("green");
}

void TestMediaFiles::cardFieldsShowArcanumAndSuit()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, look);
#ifdef ORBELLE_SVG_DECK
    QSKIP("the scenic deck shows each card's scene, not a field tinted by arcanum and suit");
#endif
    for (int n = first; n <= last; ++n) {
        const QImage img(programFile(QStringLiteral("Imagenes/%1.jpg").arg(n)));
        QVERIFY(!img.isNull());
        // Clear of emblems and pips: the top left corner of a major's field, a strip along
        // the left edge of a minor's.
        const Mean m = look == QLatin1String("night") ? meanColour(img, QRect(68, 184, 24, 20))
                                                      : meanColour(img, QRect(72, 220, 30, 800));
        const QString where = QStringLiteral("card %1: mean %2/%3/%4").arg(n).arg(m.r).arg(m.g).arg(m.b);
        if (look == QLatin1String("night")) {
            QVERIFY2(m.luminance() < 80 && m.b > m.r, qPrintable(where));
            continue;
        }
        QVERIFY2(m.luminance() > 140, qPrintable(where));
        if (look == QLatin1String("warm"))
            QVERIFY2(m.r > m.b + 40 && m.r > m.g, qPrintable(where));
        else if (look == QLatin1String("blue"))
            QVERIFY2(m.b > m.r + 40 && m.b > m.g, qPrintable(where));
        else if (look == QLatin1String("violet"))
            QVERIFY2(m.b > m.g + 10 && m.r > m.g && std::abs(m.r - m.b) < 40, qPrintable(where));
        else
            QVERIFY2(m.g > m.b + 40 && m.g > m.r, qPrintable(where));
    }
}

void TestMediaFiles::backLooksTheSameTurnedRound()
{
    const QString path = programFile(QStringLiteral("dorso.png"));
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!back.isNull(), qPrintable(path));
    const double ratio = double(back.height()) / back.width();
    QVERIFY2(ratio > 1.6 && ratio < 1.85, qPrintable(QString::number(ratio)));
    QCOMPARE(back.mirrored(true, true), back);

    // The laying windows draw their backs as two plain shapes in these colours.
    auto near = [](QRgb px, QRgb want) {
        return std::abs(qRed(px) - qRed(want)) <= 2 && std::abs(qGreen(px) - qGreen(want)) <= 2 &&
               std::abs(qBlue(px) - qBlue(want)) <= 2;
    };
    const QRgb frame = back.pixel(11, back.height() / 2);
    QVERIFY2(near(frame, qRgb(0x1b, 0x2a, 0x5c)), qPrintable(QString::number(frame, 16)));
    // A point of the panel halfway between hatch lines, away from the ornaments.
    const QRgb panel = back.pixel(back.width() / 2 + 9, back.height() / 2 - 270);
    QVERIFY2(near(panel, qRgb(0x6b, 0x1e, 0x2e)), qPrintable(QString::number(panel, 16)));
}

void TestMediaFiles::backgroundsCarryYellowCaptions()
{
    const QImage night(programFile(QStringLiteral("Imagenes/nebo3.jpg")));
    const QImage twilight(programFile(QStringLiteral("Imagenes/nebo2.jpg")));
    QVERIFY(!night.isNull());
    QVERIFY(!twilight.isNull());
    // Large enough to fill the biggest window that shows them without visible stretching.
    for (const QImage *img : {&night, &twilight}) {
        QVERIFY(img->width() >= 1000 && img->height() >= 700);
        QVERIFY(img->width() > img->height());
    }
    const Mean n = meanColour(night, night.rect());
    const Mean t = meanColour(twilight, twilight.rect());
    QVERIFY2(n.luminance() + 25 < t.luminance(),
             qPrintable(QStringLiteral("%1 vs %2").arg(n.luminance()).arg(t.luminance())));

    // Yellow captions keep at least the contrast asked of body text on both.
    const double yellow = relativeLuminance(255, 255, 0);
    for (const Mean &m : {n, t}) {
        const double contrast = (yellow + 0.05) / (relativeLuminance(m.r, m.g, m.b) + 0.05);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    }

    // The night sky has stars: a sprinkling of bright points, not a flat gradient.
    int bright = 0;
    for (int y = 0; y < night.height(); y += 2)
        for (int x = 0; x < night.width(); x += 2)
            if (qGray(night.pixel(x, y)) > 160)
                ++bright;
    QVERIFY2(bright > 50, qPrintable(QString::number(bright)));
}

void TestMediaFiles::titleAndIcon()
{
    const QImage title(programFile(QStringLiteral("titulo.png")));
    QVERIFY(!title.isNull());
    QVERIFY(title.hasAlphaChannel());
    QVERIFY(title.width() > title.height());
    // Transparent ground around lettering that is opaque somewhere.
    QCOMPARE(qAlpha(title.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(title.pixel(title.width() - 1, title.height() - 1)), 0);
    int opaque = 0;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x)
            if (qAlpha(title.pixel(x, y)) == 255)
                ++opaque;
    QVERIFY2(opaque > title.width() * title.height() / 50, qPrintable(QString::number(opaque)));

    const QImage icon(programFile(QStringLiteral("orbelle.png")));
    QCOMPARE(icon.size(), QSize(256, 256));
}

void TestMediaFiles::desktopIcons_data()
{
    QTest::addColumn<int>("size");
    for (int n : kIconSizes)
        QTest::addRow("%d px", n) << n;
}

void TestMediaFiles::desktopIcons()
{
    QFETCH(int, size);
    const QImage icon(programFile(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId)));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // A rounded tile: clear corners, a solid middle that is not one flat colour.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
    QSet<QRgb> colours;
    for (int y = size / 4; y < size * 3 / 4; ++y)
        for (int x = size / 4; x < size * 3 / 4; ++x) {
            QCOMPARE(qAlpha(icon.pixel(x, y)), 255);
            colours.insert(icon.pixel(x, y));
        }
    QVERIFY2(colours.size() > 3, qPrintable(QString::number(colours.size())));
    // Every size is drawn afresh from the same figure as the windows' own icon.
    const QImage own = QImage(programFile(QStringLiteral("orbelle.png")))
                           .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const Mean a = meanColour(icon, icon.rect()), b = meanColour(own, own.rect());
    QVERIFY2(std::abs(a.luminance() - b.luminance()) < 8,
             qPrintable(QString::number(a.luminance() - b.luminance())));
}

void TestMediaFiles::scalableIconDrawsLikeTheBitmaps()
{
    QSvgRenderer svg(programFile(QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(kAppId)));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.defaultSize(), QSize(256, 256));
    const QImage png(programFile(QStringLiteral("icons/hicolor/128x128/apps/%1.png").arg(kAppId)));
    QImage drawn(128, 128, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter p(&drawn);
    svg.render(&p);
    p.end();
    // Compared in 8 × 8 blocks, so antialiasing differences between the renderers do not
    // count but a lost gradient, card or rim does.
    for (int by = 0; by < 128; by += 8)
        for (int bx = 0; bx < 128; bx += 8) {
            const QRect block(bx, by, 8, 8);
            const Mean a = meanColour(png.convertToFormat(QImage::Format_ARGB32), block);
            const Mean b = meanColour(drawn.convertToFormat(QImage::Format_ARGB32), block);
            QVERIFY2(std::abs(a.r - b.r) < 24 && std::abs(a.g - b.g) < 24 && std::abs(a.b - b.b) < 24,
                     qPrintable(QStringLiteral("block %1,%2").arg(bx).arg(by)));
        }
}

void TestMediaFiles::sounds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::addColumn<bool>("crisp");
    QTest::newRow("deal snap") << QStringLiteral("zvuk.wav") << 30 << 119 << true;
    QTest::newRow("card turn") << QStringLiteral("backarte.wav") << 240 << 360 << false;
}

void TestMediaFiles::sounds()
{
    QFETCH(QString, file);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    QFETCH(bool, crisp);
    const auto wave = readWave(programFile(file));
    QVERIFY2(wave, qPrintable(file));
    QCOMPARE(wave->format, 1);
    QCOMPARE(wave->bits, 16);
    QCOMPARE(wave->sampleRate, 44100);
    QCOMPARE(wave->channels, 1);

    const double ms = 1000.0 * wave->samples.size() / wave->sampleRate;
    QVERIFY2(ms >= minMs && ms <= maxMs, qPrintable(QString::number(ms)));

    int peak = 0;
    for (qint16 s : wave->samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY2(peak < 32000, qPrintable(QStringLiteral("clipped: %1").arg(peak)));
    QVERIFY2(peak > 6000, qPrintable(QStringLiteral("nearly silent: %1").arg(peak)));

    // A snap spends nearly all its energy at once; a turn swells and settles.
    double total = 0, early = 0;
    const int earlyEnd = wave->sampleRate * 3 / 100;
    for (int i = 0; i < wave->samples.size(); ++i) {
        const double e = double(wave->samples.at(i)) * wave->samples.at(i);
        total += e;
        if (i < earlyEnd)
            early += e;
    }
    const double share = early / total;
    QVERIFY2(crisp ? share > 0.8 : share < 0.2, qPrintable(QString::number(share)));

    // No click at either end: the sound rises from silence (a snap may take only a couple of
    // milliseconds to do so, but never jumps) and dies away before the file ends.
    const int head = wave->sampleRate / 4000, tail = wave->sampleRate / 500;
    for (int i = 0; i < head; ++i)
        QVERIFY2(std::abs(int(wave->samples.at(i))) < 330, qPrintable(QString::number(i)));
    for (int i = 0; i < tail; ++i)
        QVERIFY2(std::abs(int(wave->samples.at(wave->samples.size() - 1 - i))) < 330,
                 qPrintable(QString::number(i)));
}

namespace {

struct Sounding
{
    quint64 start, end;
    int key;
};

// Notes of all tracks with their start and end, channel by channel.
QList<Sounding> notesOf(const Midi &m)
{
    QList<Sounding> notes;
    std::map<std::pair<int, int>, quint64> on;
    for (const auto &track : m.tracks)
        for (const MidiEvent &e : track) {
            const int kind = e.status & 0xf0;
            if (e.status == 0xff || (kind != 0x80 && kind != 0x90))
                continue;
            const std::pair<int, int> id{e.status & 0x0f, quint8(e.data[0])};
            if (kind == 0x90 && quint8(e.data[1]) > 0)
                on[id] = e.tick;
            else if (on.count(id))
                notes << Sounding{on[id], e.tick, id.second};
        }
    return notes;
}

// The pitch classes fit one major, minor or diminished triad.
bool withinOneTriad(const QSet<int> &pcs)
{
    for (int root : pcs)
        for (const auto &shape : {std::array<int, 2>{4, 7}, {3, 7}, {3, 6}}) {
            bool all = true;
            for (int pc : pcs) {
                const int iv = (pc - root + 12) % 12;
                all = all && (iv == 0 || iv == shape[0] || iv == shape[1]);
            }
            if (all)
                return true;
        }
    return false;
}

} // namespace

void TestMediaFiles::music_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    const QStringList files = musicFiles();
    QVERIFY(files.size() >= 5);
    for (const QString &f : files) {
        if (f == QLatin1String("corvin.mid"))
            QTest::newRow("intro") << f << 20.0 << 40.0;
        else
            QTest::newRow(qPrintable(f)) << f << 30.0 << 90.0;
    }
}

void TestMediaFiles::music()
{
    QFETCH(QString, file);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    QString error;
    const auto midi = readMidi(programFile(file), &error);
    QVERIFY2(midi, qPrintable(file + QStringLiteral(": ") + error));

    const double seconds = secondsAt(*midi, lastTick(*midi));
    QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));

    // Every note is released, and every channel that played gets "all notes off" after its
    // last release. Instruments are harp, strings and piano.
    std::map<int, quint64> lastRelease, allOff;
    std::map<std::pair<int, int>, int> held;
    int struck = 0;
    for (const auto &track : midi->tracks)
        for (const MidiEvent &e : track) {
            if (e.status == 0xff)
                continue;
            const int kind = e.status & 0xf0, ch = e.status & 0x0f;
            QVERIFY2(ch != 9, "percussion channel used");
            if (kind == 0x90 && quint8(e.data[1]) > 0) {
                ++held[{ch, quint8(e.data[0])}];
                ++struck;
            } else if (kind == 0x80 || kind == 0x90) {
                int &h = held[{ch, quint8(e.data[0])}];
                QVERIFY2(h > 0, qPrintable(QStringLiteral("release without note at %1").arg(e.tick)));
                --h;
                lastRelease[ch] = std::max(lastRelease[ch], e.tick);
            } else if (kind == 0xb0 && quint8(e.data[0]) == 123) {
                allOff[ch] = e.tick;
            } else if (kind == 0xc0) {
                const int program = quint8(e.data[0]);
                const bool piano = program <= 7, stringsOrHarp = program >= 40 && program <= 51;
                QVERIFY2(piano || stringsOrHarp, qPrintable(QString::number(program)));
            }
        }
    QVERIFY2(struck > 50, qPrintable(QString::number(struck)));
    for (const auto &[key, count] : held)
        QVERIFY2(count == 0, qPrintable(QStringLiteral("key %1 left sounding").arg(key.second)));
    for (const auto &[ch, tick] : lastRelease) {
        QVERIFY2(allOff.count(ch), qPrintable(QStringLiteral("channel %1 has no all-notes-off").arg(ch)));
        QVERIFY(allOff[ch] >= tick);
    }
    // The music does not stop abruptly: the final release comes within a second of the end.
    quint64 finalRelease = 0;
    for (const auto &[ch, tick] : lastRelease)
        finalRelease = std::max(finalRelease, tick);
    QVERIFY(seconds - secondsAt(*midi, finalRelease) < 1.0);

    // Harmony, read from the time and key signatures at the start.
    int beatsPerBar = 4, sharps = 0;
    bool minor = false;
    for (const MidiEvent &e : midi->tracks.first()) {
        if (e.status == 0xff && e.metaType == 0x58 && e.tick == 0)
            beatsPerBar = quint8(e.data[0]) * 4 / (1 << quint8(e.data[1]));
        if (e.status == 0xff && e.metaType == 0x59 && e.tick == 0) {
            sharps = qint8(e.data[0]);
            minor = e.data[1] != 0;
        }
    }
    const QList<Sounding> notes = notesOf(*midi);
    QVERIFY(!notes.isEmpty());

    // Whatever is struck on the first beat of a bar (melody, bass, chord) is one chord.
    const quint64 bar = quint64(beatsPerBar) * midi->division;
    std::map<quint64, QSet<int>> downbeats;
    quint64 lastStart = 0;
    for (const Sounding &n : notes) {
        lastStart = std::max(lastStart, n.start);
        if (n.start % bar == 0)
            downbeats[n.start].insert(n.key % 12);
    }
    QVERIFY(downbeats.size() > 8);
    for (const auto &[tick, pcs] : downbeats)
        QVERIFY2(withinOneTriad(pcs), qPrintable(QStringLiteral("bar %1").arg(tick / bar + 1)));

    // The piece closes on the tonic chord of its key signature, held to the end.
    const int majorTonic = ((sharps * 7) % 12 + 12) % 12;
    const int tonic = minor ? (majorTonic + 9) % 12 : majorTonic;
    const QSet<int> tonicTriad = {tonic, (tonic + (minor ? 3 : 4)) % 12, (tonic + 7) % 12};
    const quint64 finalBar = lastStart - lastStart % bar;
    QSet<int> closing;
    quint64 end = 0;
    for (const Sounding &n : notes)
        end = std::max(end, n.end);
    for (const Sounding &n : notes)
        if (n.start >= finalBar) {
            closing.insert(n.key % 12);
            QVERIFY2(n.end == end, "a note of the final chord stops early");
        }
    QCOMPARE(closing, tonicTriad);
}

void TestMediaFiles::musicFolderPiecesDiffer()
{
    QSet<QString> keys;
    QSet<quint32> tempi;
    int pieces = 0;
    for (const QString &file : folderPieces()) {
        ++pieces;
        QString error;
        const auto midi = readMidi(programFile(file), &error);
        QVERIFY2(midi, qPrintable(file + QStringLiteral(": ") + error));
        std::optional<QByteArray> key;
        std::optional<quint32> tempo;
        for (const auto &track : midi->tracks)
            for (const MidiEvent &e : track) {
                if (e.status != 0xff || e.tick != 0)
                    continue;
                if (e.metaType == 0x59)
                    key = e.data;
                if (e.metaType == 0x51)
                    tempo = tempoOf(e);
            }
        QVERIFY2(key && tempo, qPrintable(file));
        keys.insert(QString::fromLatin1(key->toHex()));
        tempi.insert(*tempo);
    }
    QVERIFY(pieces >= 4);
    QCOMPARE(keys.size(), pieces);
    QCOMPARE(tempi.size(), pieces);
}

// orbelle.sf2 offers exactly the presets the program's own pieces play (all of bank 0: the
// pieces use no bank select and no drums), and far fewer samples than its source.
void TestMediaFiles::ownSoundFontHoldsWhatTheMusicPlays()
{
    QSet<QString> played;
    for (const QString &file : musicFiles()) {
        QString error;
        const auto midi = readMidi(programFile(file), &error);
        QVERIFY2(midi, qPrintable(error));
        std::map<int, int> program; // by channel, once set
        for (const auto &track : midi->tracks)
            for (const MidiEvent &e : track) {
                const int kind = e.status & 0xf0, ch = e.status & 0x0f;
                if (e.status != 0xff && kind == 0xc0) {
                    program[ch] = quint8(e.data[0]);
                    played << QStringLiteral("0:%1").arg(program[ch]);
                } else if (e.status != 0xff && kind == 0x90 && quint8(e.data[1]) > 0 && !program.count(ch)) {
                    played << QStringLiteral("0:0");
                }
            }
    }
    QStringList expected(played.begin(), played.end());
    expected.sort();
    QVERIFY(expected.size() >= 4);
    const QString own = programFile(QStringLiteral("orbelle.sf2"));
    QCOMPARE(fluidPresets(own), expected);

    const int ownSamples = sampleHeaders(own),
              gmSamples = sampleHeaders(QStringLiteral(ORBELLE_GM_SOUNDFONT));
    qInfo("orbelle.sf2: %d of %d samples, %lld of %lld bytes", ownSamples, gmSamples, QFileInfo(own).size(),
          QFileInfo(QStringLiteral(ORBELLE_GM_SOUNDFONT)).size());
    QVERIFY(ownSamples > 0);
    QVERIFY(ownSamples < gmSamples / 4);
}

// Same presets, same samples: the intro renders alike on both SoundFonts. A sample copied
// from the wrong place, cut short or with shifted loop points changes the sound.
void TestMediaFiles::ownSoundFontSoundsLikeTheGeneralMidiOne()
{
    const QString piece = programFile(QStringLiteral("corvin.mid"));
    const std::vector<float> gm = render(QStringLiteral(ORBELLE_GM_SOUNDFONT), piece);
    const std::vector<float> own = render(programFile(QStringLiteral("orbelle.sf2")), piece, 96);
    QVERIFY(!gm.empty() && !own.empty());
    const double gmEnergy = energy(gm), ownEnergy = energy(own), difference = energy(gm, own);
    qInfo("corvin.mid: energy %.4g (General MIDI) and %.4g (own), difference %.3g", gmEnergy, ownEnergy,
          difference);
    QVERIFY2(gmEnergy > 1e-4, "the General MIDI render is silent");
    QVERIFY(std::abs(ownEnergy - gmEnergy) < 0.01 * gmEnergy);
    QVERIFY(difference < 1e-4 * gmEnergy);
}

// A piece that plays a preset the source SoundFont does not have stops the tool, which
// says which one and writes nothing.
void TestMediaFiles::soundFontToolStopsOnAMissingPreset()
{
    QTemporaryDir dir;
    using Fixtures::event;
    const QString piece = Fixtures::write(
        dir.filePath(QStringLiteral("piece.mid")),
        Fixtures::midiFile({event(0, QByteArray("\xb0\x00\x05", 3)) + event(0, "\xc0\x03") +
                            event(0, "\x90\x3c\x50") + event(480, QByteArray("\x80\x3c\x00", 3))}));
    QProcess p;
    p.start(QStringLiteral(MEDIA_SOUNDFONT_EXE), {dir.path(), QStringLiteral(ORBELLE_GM_SOUNDFONT),
                                                  programFile(QStringLiteral("corvin.mid")), piece});
    QVERIFY(p.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY(p.exitCode() != 0);
    QVERIFY2(err.contains(QStringLiteral("bank 5 program 3")), qPrintable(err));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("orbelle.sf2"))));
}

void TestMediaFiles::generatorsAreDeterministic_data()
{
    QTest::addColumn<QString>("generator");
    QTest::addColumn<QStringList>("expected");
    // Arguments after the output folder, and where the build put the same files.
    QTest::addColumn<QStringList>("extraArgs");
    QTest::addColumn<QString>("builtIn");
    QStringList deck;
    for (int n = 1; n <= 78; ++n)
        deck << QStringLiteral("Imagenes/%1.jpg").arg(n);
#ifdef ORBELLE_SVG_DECK
    QTest::newRow("deck") << QStringLiteral(MEDIA_SVGDECK_EXE) << deck
                          << QStringList{QStringLiteral(ORBELLE_CARD_SOURCES_DIR)} << QString();
#else
    QTest::newRow("deck") << QStringLiteral(MEDIA_DECK_EXE) << deck << QStringList() << QString();
#endif
    QTest::newRow("pictures") << QStringLiteral(MEDIA_ART_EXE)
                              << QStringList{QStringLiteral("dorso.png"),
                                             QStringLiteral("Imagenes/nebo2.jpg"),
                                             QStringLiteral("Imagenes/nebo3.jpg"),
                                             QStringLiteral("titulo.png"), QStringLiteral("orbelle.png")}
                              << QStringList() << QString();
    QTest::newRow("sounds") << QStringLiteral(MEDIA_SOUNDS_EXE)
                            << QStringList{QStringLiteral("zvuk.wav"), QStringLiteral("backarte.wav")}
                            << QStringList() << QString();
    QTest::newRow("music") << QStringLiteral(MEDIA_MUSIC_EXE) << musicFiles() << QStringList() << QString();
    QStringList pieces;
    for (const QString &f : musicFiles())
        pieces << programFile(f);
    QTest::newRow("soundfont") << QStringLiteral(MEDIA_SOUNDFONT_EXE)
                               << QStringList{QStringLiteral("orbelle.sf2")}
                               << QStringList{QStringLiteral(ORBELLE_GM_SOUNDFONT)} + pieces << QString();
    QTest::newRow("desktop icons") << QStringLiteral(MEDIA_ICONS_EXE) << iconFiles() << QStringList{kAppId}
                                   << QStringLiteral("icons/");
}

void TestMediaFiles::generatorsAreDeterministic()
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
    produced.sort();
    QCOMPARE(produced, expected);
    for (const auto &[name, bytes] : runs[0]) {
        QVERIFY2(runs[1].count(name), qPrintable(name));
        QVERIFY2(runs[1][name] == bytes, qPrintable(name + QStringLiteral(" differs between runs")));
        // What the build installed in the program folder is what the generator makes now.
        QFile built(programFile(builtIn + name));
        QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(name));
        QVERIFY2(built.readAll() == bytes, qPrintable(name + QStringLiteral(" is stale")));
    }
}

QTEST_GUILESS_MAIN(TestMediaFiles)
#include "tst_media_files.moc"
