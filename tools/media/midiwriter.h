// A small Standard MIDI File writer (format 1, ticks per quarter note).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media {

class MidiTrack
{
public:
    void trackName(const std::string &name);
    void tempo(std::uint32_t tick, double bpm);
    void timeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    // sharps > 0, flats < 0
    void keySignature(std::uint32_t tick, int sharps, bool minor);
    void program(std::uint32_t tick, int channel, int program);
    void controller(std::uint32_t tick, int channel, int number, int value);
    void note(std::uint32_t tick, std::uint32_t duration, int channel, int key, int velocity);
    // Closes the track at `tick` (or at its last event, whichever is later).
    void end(std::uint32_t tick);

    // Track chunk body, events in time order with running deltas.
    std::vector<std::uint8_t> encode() const;

private:
    struct Event
    {
        std::uint32_t tick;
        int rank; // order among events at the same tick: meta, setup, note off, note on
        std::size_t seq;
        std::vector<std::uint8_t> bytes;
    };
    struct Note
    {
        std::uint32_t tick, duration;
        int channel, key, velocity;
    };
    void add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes);

    std::vector<Event> events_;
    std::vector<Note> notes_;
    std::uint32_t endTick_ = 0;
};

// Writes a format 1 file. Returns false when the file cannot be written.
bool writeMidi(const std::string &path, int ticksPerQuarter, const std::vector<MidiTrack> &tracks);

} // namespace media
