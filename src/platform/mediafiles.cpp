#include "mediafiles.h"

#include "midiscan.h"

#include <QFile>
#include <QtEndian>

#include <map>

namespace {

QByteArray readAll(const QString &path, qint64 limit = 64 * 1024 * 1024)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > limit)
        return {};
    return f.readAll();
}

} // namespace

namespace MediaFiles {

int waveDurationMs(const QString &path)
{
    const QByteArray b = readAll(path);
    const auto *d = reinterpret_cast<const uchar *>(b.constData());
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qint64 pos = 12;
    while (pos + 8 <= b.size()) {
        const QByteArray id = b.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(d + pos + 4);
        if (id == "fmt " && size >= 16 && pos + 8 + 16 <= b.size())
            byteRate = qFromLittleEndian<quint32>(d + pos + 8 + 8);
        if (id == "data") {
            if (byteRate == 0)
                return -1;
            const qint64 bytes = qMin<qint64>(size, b.size() - pos - 8);
            return int(bytes * 1000 / byteRate);
        }
        pos += 8 + size + (size & 1);
    }
    return -1;
}

int midiDurationMs(const QString &path)
{
    const QByteArray b = readAll(path);
    // Tempo changes from every track, and the tick of the last event of any track.
    std::map<quint64, quint32> tempo{{0, 500000}};
    quint64 lastTick = 0;
    MidiScan::Header header;
    const bool ok = MidiScan::walk(reinterpret_cast<const uchar *>(b.constData()), size_t(b.size()), &header,
                                   [&](const MidiScan::Event &e) {
                                       if (e.status == 0xff && e.metaType == 0x2f)
                                           return;
                                       if (e.status == 0xff && e.metaType == 0x51 && e.size == 3)
                                           tempo[e.tick] = (quint32(e.data[0]) << 16) |
                                                           (quint32(e.data[1]) << 8) | e.data[2];
                                       lastTick = qMax(lastTick, quint64(e.tick));
                                   });
    const int division = header.division;
    if (!ok || division & 0x8000 || division == 0)
        return -1; // SMPTE time is not used by any file this program plays

    double us = 0;
    quint64 at = 0;
    quint32 current = 500000;
    for (const auto &[tick, value] : tempo) {
        if (tick >= lastTick)
            break;
        us += double(tick - at) * current / division;
        at = tick;
        current = value;
    }
    us += double(lastTick - at) * current / division;
    return int(us / 1000.0 + 0.5);
}

bool midiPresets(const QString &path, std::set<MidiScan::Preset> *presets)
{
    const QByteArray b = readAll(path);
    return MidiScan::presetsUsed(reinterpret_cast<const uchar *>(b.constData()), size_t(b.size()), presets);
}

int durationMs(const QString &path)
{
    const int wave = waveDurationMs(path);
    return wave >= 0 ? wave : midiDurationMs(path);
}

} // namespace MediaFiles
