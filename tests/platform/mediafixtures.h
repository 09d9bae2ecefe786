#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>

// Small sound and music files written by the tests themselves.
namespace Fixtures {

template <typename T>
void putLe(QByteArray &b, T v)
{
    char c[sizeof(T)];
    qToLittleEndian(v, c);
    b.append(c, sizeof(T));
}

// A quiet 440 Hz tone, 16-bit mono.
inline QByteArray wave(int ms, int rate = 44100)
{
    QByteArray data;
    for (int i = 0; i < rate * ms / 1000; ++i)
        putLe(data, qint16(3000 * std::sin(2 * M_PI * 440 * i / rate)));
    QByteArray b("RIFF");
    putLe(b, quint32(36 + data.size()));
    b += "WAVEfmt ";
    for (quint32 v : {16u, 0x10001u, quint32(rate), quint32(rate * 2), 0x100002u})
        putLe(b, v); // size; PCM, mono; rate; bytes a second; block 2, 16 bits
    b += "data";
    putLe(b, quint32(data.size()));
    return b + data;
}

inline QByteArray varLen(quint32 v)
{
    QByteArray out(1, char(v & 0x7f));
    while (v >>= 7)
        out.prepend(char(0x80 | (v & 0x7f)));
    return out;
}

// One event of a track: its delta time and its bytes.
inline QByteArray event(quint32 delta, const QByteArray &bytes)
{
    return varLen(delta) + bytes;
}

// A file of 480 ticks a quarter of the given track bodies (events without the end of the
// track).
inline QByteArray midiFile(const QList<QByteArray> &tracks, int format = 1)
{
    QByteArray b("MThd\0\0\0\x06\0", 9);
    b += char(format);
    b += char(tracks.size() >> 8);
    b += char(tracks.size());
    b += QByteArray("\x01\xe0", 2);
    for (const QByteArray &body : tracks) {
        const QByteArray t = body + event(0, QByteArray("\xff\x2f\x00", 3));
        char len[4];
        qToBigEndian(quint32(t.size()), len);
        b += "MTrk" + QByteArray(len, 4) + t;
    }
    return b;
}

// A format 0 file: notes of one quarter each at `bpm`, then, when `secondBpm` is given, as
// many again at that tempo.
inline QByteArray midi(int notes, int bpm, int secondBpm = 0)
{
    QByteArray t;
    for (int b : {bpm, secondBpm}) {
        if (!b)
            continue;
        const quint32 us = quint32(60000000 / b);
        t += event(0, QByteArray("\xff\x51\x03", 3)) + char(us >> 16) + char(us >> 8) + char(us);
        if (t.size() == 7) // the first tempo: the instrument follows it
            t += event(0, QByteArray("\xc0\x00", 2));
        for (int i = 0; i < notes; ++i)
            t += event(0, "\x90\x3c\x50") + event(480, QByteArray("\x80\x3c\x00", 3));
    }
    return midiFile({t}, 0);
}

inline QString write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

} // namespace Fixtures
