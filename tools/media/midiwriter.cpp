#include "midiwriter.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace media {

namespace {

void putVarLen(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    std::uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7f;
    while ((v >>= 7) != 0)
        buf[n++] = static_cast<std::uint8_t>(0x80 | (v & 0x7f));
    while (n > 0)
        out.push_back(buf[--n]);
}

std::uint8_t data7(int v)
{
    return static_cast<std::uint8_t>(std::clamp(v, 0, 127));
}

enum Rank { Meta = 0, Setup = 1, NoteOff = 2, NoteOn = 3 };

} // namespace

void MidiTrack::add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes)
{
    events_.push_back({tick, rank, events_.size(), std::move(bytes)});
    endTick_ = std::max(endTick_, tick);
}

void MidiTrack::trackName(const std::string &name)
{
    std::vector<std::uint8_t> b = {0xff, 0x03};
    putVarLen(b, static_cast<std::uint32_t>(name.size()));
    b.insert(b.end(), name.begin(), name.end());
    add(0, Meta, std::move(b));
}

void MidiTrack::tempo(std::uint32_t tick, double bpm)
{
    const auto us = static_cast<std::uint32_t>(std::lround(60000000.0 / bpm));
    add(tick, Meta,
        {0xff, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>((us >> 8) & 0xff),
         static_cast<std::uint8_t>(us & 0xff)});
}

void MidiTrack::timeSignature(std::uint32_t tick, int numerator, int denominatorPower)
{
    add(tick, Meta,
        {0xff, 0x58, 0x04, static_cast<std::uint8_t>(numerator), static_cast<std::uint8_t>(denominatorPower),
         24, 8});
}

void MidiTrack::keySignature(std::uint32_t tick, int sharps, bool minor)
{
    add(tick, Meta,
        {0xff, 0x59, 0x02, static_cast<std::uint8_t>(static_cast<std::int8_t>(sharps)),
         static_cast<std::uint8_t>(minor ? 1 : 0)});
}

void MidiTrack::program(std::uint32_t tick, int channel, int program)
{
    add(tick, Setup, {static_cast<std::uint8_t>(0xc0 | channel), data7(program)});
}

void MidiTrack::controller(std::uint32_t tick, int channel, int number, int value)
{
    add(tick, Setup, {static_cast<std::uint8_t>(0xb0 | channel), data7(number), data7(value)});
}

void MidiTrack::note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity)
{
    notes_.push_back({tick, std::max<std::uint32_t>(duration, 1), channel, key, velocity});
    endTick_ = std::max(endTick_, tick + duration);
}

void MidiTrack::end(std::uint32_t tick)
{
    endTick_ = std::max(endTick_, tick);
}

std::vector<std::uint8_t> MidiTrack::encode() const
{
    std::vector<Event> sorted = events_;
    // One key on one channel can only sound once: a note still held when the same key is
    // struck again is released at that moment, otherwise its late release would silence
    // the new note.
    std::vector<Note> notes = notes_;
    std::stable_sort(notes.begin(), notes.end(), [](const Note &a, const Note &b) {
        if (a.channel != b.channel)
            return a.channel < b.channel;
        if (a.key != b.key)
            return a.key < b.key;
        return a.tick < b.tick;
    });
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Note n = notes[i];
        if (i + 1 < notes.size() && notes[i + 1].channel == n.channel && notes[i + 1].key == n.key &&
            n.tick + n.duration > notes[i + 1].tick)
            n.duration = std::max<std::uint32_t>(notes[i + 1].tick - n.tick, 1);
        const auto seq = events_.size() + i;
        sorted.push_back(
            {n.tick,
             NoteOn,
             seq,
             {static_cast<std::uint8_t>(0x90 | n.channel), data7(n.key), data7(std::max(1, n.velocity))}});
        sorted.push_back({n.tick + n.duration,
                          NoteOff,
                          seq,
                          {static_cast<std::uint8_t>(0x80 | n.channel), data7(n.key), 0x40}});
    }
    // A note that ends where the next one on the same key starts must release first, or the
    // synthesiser would cut the new note.
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event &a, const Event &b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.seq < b.seq;
    });
    std::vector<std::uint8_t> out;
    std::uint32_t now = 0;
    for (const Event &e : sorted) {
        putVarLen(out, e.tick - now);
        now = e.tick;
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(out, endTick_ - now);
    out.insert(out.end(), {0xff, 0x2f, 0x00});
    return out;
}

bool writeMidi(const std::string &path, int ticksPerQuarter, const std::vector<MidiTrack> &tracks)
{
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    file.push_back(static_cast<std::uint8_t>(tracks.size() >> 8));
    file.push_back(static_cast<std::uint8_t>(tracks.size() & 0xff));
    file.push_back(static_cast<std::uint8_t>(ticksPerQuarter >> 8));
    file.push_back(static_cast<std::uint8_t>(ticksPerQuarter & 0xff));
    for (const MidiTrack &t : tracks) {
        const std::vector<std::uint8_t> body = t.encode();
        const auto n = static_cast<std::uint32_t>(body.size());
        file.insert(file.end(),
                    {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24),
                     static_cast<std::uint8_t>((n >> 16) & 0xff), static_cast<std::uint8_t>((n >> 8) & 0xff),
                     static_cast<std::uint8_t>(n & 0xff)});
        file.insert(file.end(), body.begin(), body.end());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char *>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}

} // namespace media
