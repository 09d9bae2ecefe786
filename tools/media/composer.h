// Algorithmic composer of calm pieces: a chord progression in eight-bar phrases, an
// arpeggiated accompaniment, a sustained string pad with bass, and a melody that moves by
// step between chord tones, closing on a held tonic chord. Deterministic for a given seed.
#pragma once

#include "midiwriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace media {

struct PieceDesign
{
    std::string title;
    int tonic = 60; // MIDI key of the tonic, any octave
    bool minor = false;
    double bpm = 72;
    int beatsPerBar = 4;   // quarter-note beats: 3 or 4
    int phrases = 2;       // eight-bar phrases before the closing bar
    int melodyProgram = 0; // General MIDI programs, 0-based
    int arpProgram = 46;
    int padProgram = 48;
    int bassProgram = 43;
    int arpStyle = 0; // 0 rising and falling, 1 broken chord
    std::uint64_t seed = 1;
};

struct Composition
{
    std::vector<MidiTrack> tracks;
    int ticksPerQuarter = 480;
};

Composition compose(const PieceDesign &design);

} // namespace media
