#include "mediafiles.h"

#include "midiscan.h"

#include <QFile>
#include <QtEndian>

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

qint64 waveDurationMs(const QByteArray &b)
{
    const auto *d = reinterpret_cast<const uchar *>(b.constData());
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    // 64-bit positions: a chunk size near 2^32 moves past the end instead of wrapping
    // round to the same chunk.
    qint64 pos = 12;
    while (pos + 8 <= b.size()) {
        const QByteArray id = b.mid(pos, 4);
        const qint64 size = qFromLittleEndian<quint32>(d + pos + 4);
        if (id == "fmt " && size >= 16 && pos + 8 + 16 <= b.size())
            byteRate = qFromLittleEndian<quint32>(d + pos + 8 + 8);
        if (id == "data") {
            if (byteRate == 0)
                return -1;
            return qMin(size, b.size() - pos - 8) * 1000 / byteRate;
        }
        pos += 8 + size + (size & 1);
    }
    return -1;
}

qint64 waveDurationMs(const QString &path)
{
    return waveDurationMs(readAll(path));
}

qint64 midiDurationMs(const QString &path)
{
    const QByteArray b = readAll(path);
    return MidiScan::durationMs(reinterpret_cast<const uchar *>(b.constData()), size_t(b.size()));
}

bool midiPresets(const QString &path, std::set<MidiScan::Preset> *presets)
{
    const QByteArray b = readAll(path);
    return MidiScan::presetsUsed(reinterpret_cast<const uchar *>(b.constData()), size_t(b.size()), presets);
}

qint64 durationMs(const QString &path)
{
    const qint64 wave = waveDurationMs(path);
    return wave >= 0 ? wave : midiDurationMs(path);
}

} // namespace MediaFiles
