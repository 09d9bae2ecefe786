// Fuzz target for the MIDI scanner. Whatever the bytes, the walk, the preset scan and the
// duration return; every event the walk hands over lies inside the bytes (the sanitizers
// check each byte is read), and a file whose walk succeeds has a duration unless it counts
// SMPTE frames.

#include "midiscan.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MidiScan::Header header;
    volatile unsigned sum = 0;
    const bool ok = MidiScan::walk(data, size, &header, [&](const MidiScan::Event &e) {
        if (e.data < data || e.data + e.size > data + size)
            std::abort();
        for (std::size_t i = 0; i < e.size; ++i)
            sum = sum + e.data[i];
    });
    std::set<MidiScan::Preset> presets;
    if (MidiScan::presetsUsed(data, size, &presets) != ok)
        std::abort();
    const bool timed = ok && header.division != 0 && !(header.division & 0x8000);
    if ((MidiScan::durationMs(data, size) >= 0) != timed)
        std::abort();
    return 0;
}
