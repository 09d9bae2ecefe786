#pragma once

// Reading Standard MIDI Files without a synthesiser: the events of every track, and the
// presets a file sounds with. Plain C++ so the build's SoundFont tool shares it with the
// program.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>

namespace MidiScan {

struct Header
{
    int format = 0;
    int tracks = 0;
    int division = 0; // ticks per quarter note; SMPTE divisions have the top bit set
};

struct Event
{
    std::uint64_t tick = 0; // from the start of its track
    int track = 0;
    std::uint8_t status = 0;   // 0xff meta, 0xf0 / 0xf7 system exclusive, else a channel message
    std::uint8_t metaType = 0; // meta events only
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
};

// Hands every event to `onEvent`, track by track in file order; a track ends at its
// end-of-track event, which is handed over too. False when the bytes are not a whole,
// well-formed file (events may have been handed over by then).
bool walk(const std::uint8_t *bytes, std::size_t size, Header *header,
          const std::function<void(const Event &)> &onEvent);

// How long the file plays, in milliseconds: the ticks up to the last event of any track,
// at the tempo changes of every track. -1 when the file cannot be read or counts SMPTE
// frames. Counted in 64 bits; a file too long for that saturates instead of wrapping.
std::int64_t durationMs(const std::uint8_t *bytes, std::size_t size);

// A preset as a General MIDI synthesiser addresses it. The drum channel (10, index 9)
// plays bank 128 and ignores bank selects; the other channels take the bank from
// controller 0.
struct Preset
{
    int bank = 0;
    int program = 0;
    auto operator<=>(const Preset &) const = default;
};
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;

// Every preset a program change of the file selects, and the preset in force at every
// note: a channel that plays without a program change sounds with program 0 of its
// bank. False when the file cannot be read.
bool presetsUsed(const std::uint8_t *bytes, std::size_t size, std::set<Preset> *presets);

} // namespace MidiScan
