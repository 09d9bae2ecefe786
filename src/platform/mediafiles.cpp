#include "mediafiles.h"

#include <QFile>
#include <QtEndian>

#include <map>
#include <vector>

namespace {

QByteArray readAll(const QString &path, qint64 limit = 64 * 1024 * 1024)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > limit)
        return {};
    return f.readAll();
}

quint32 be32(const uchar *p)
{
    return qFromBigEndian<quint32>(p);
}
quint16 be16(const uchar *p)
{
    return qFromBigEndian<quint16>(p);
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
    const auto *d = reinterpret_cast<const uchar *>(b.constData());
    if (b.size() < 14 || b.left(4) != "MThd" || be32(d + 4) < 6)
        return -1;
    const int tracks = be16(d + 10);
    const quint16 division = be16(d + 12);
    if (division & 0x8000 || division == 0)
        return -1; // SMPTE time is not used by any file this program plays

    // Tempo changes from every track, and the tick of the last event of any track.
    std::map<quint64, quint32> tempo{{0, 500000}};
    quint64 lastTick = 0;
    qint64 pos = 8 + be32(d + 4);
    for (int t = 0; t < tracks; ++t) {
        if (pos + 8 > b.size() || b.mid(pos, 4) != "MTrk")
            return -1;
        const qint64 end = pos + 8 + be32(d + pos + 4);
        if (end > b.size())
            return -1;
        qint64 p = pos + 8;
        quint64 tick = 0;
        uchar running = 0;
        const auto varLen = [&](quint32 &v) {
            v = 0;
            for (int i = 0; i < 4; ++i) {
                if (p >= end)
                    return false;
                const uchar c = d[p++];
                v = (v << 7) | (c & 0x7f);
                if (!(c & 0x80))
                    return true;
            }
            return false;
        };
        while (p < end) {
            quint32 delta = 0;
            if (!varLen(delta))
                return -1;
            tick += delta;
            if (p >= end)
                return -1;
            uchar status = d[p];
            if (status & 0x80) {
                ++p;
                if (status < 0xf0)
                    running = status;
            } else if (running) {
                status = running;
            } else {
                return -1;
            }
            if (status == 0xff) {
                if (p >= end)
                    return -1;
                const uchar type = d[p++];
                quint32 len = 0;
                if (!varLen(len) || p + len > end)
                    return -1;
                if (type == 0x51 && len == 3)
                    tempo[tick] = (quint32(d[p]) << 16) | (quint32(d[p + 1]) << 8) | d[p + 2];
                p += len;
                if (type == 0x2f)
                    break;
            } else if (status == 0xf0 || status == 0xf7) {
                quint32 len = 0;
                if (!varLen(len) || p + len > end)
                    return -1;
                p += len;
            } else {
                const uchar kind = status & 0xf0;
                p += (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
            }
            lastTick = qMax(lastTick, tick);
        }
        pos = end;
    }

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

int durationMs(const QString &path)
{
    const int wave = waveDurationMs(path);
    return wave >= 0 ? wave : midiDurationMs(path);
}

} // namespace MediaFiles
