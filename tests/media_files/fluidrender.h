#pragma once

// For the SoundFont check and its benchmark: plays a MIDI file through FluidSynth into memory, with the synthesiser
// set up as the program sets it up (gain, reverb, samples loaded on demand), as fast as it renders.

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace FluidRender {

struct Result
{
    bool ok = false;
    std::vector<float> left, right;
    int maxVoices = 0; // the most voices sounding at once
};

inline void quiet(int, const char *, void *) {}

// The settings the program's MIDI device gives FluidSynth; `voices` 0 keeps the default.
inline fluid_settings_t *programSettings(int voices)
{
    fluid_settings_t *settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.gain", 0.6);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(settings, "synth.sample-rate", 44100);
    if (voices > 0)
        fluid_settings_setint(settings, "synth.polyphony", voices);
    return settings;
}

// `voices` 0 keeps FluidSynth's default polyphony. Stops at the player's end or after
// `maxSeconds`.
inline Result render(const std::string &soundFont, const std::string &midi, int voices = 0,
                     double maxSeconds = 180)
{
    // A SoundFont without drums makes FluidSynth warn about channel 10 at every start.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, quiet, nullptr);
    Result r;
    fluid_settings_t *settings = programSettings(voices);
    fluid_synth_t *synth = new_fluid_synth(settings);
    fluid_player_t *player = nullptr;
    if (synth && fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
        if (player && fluid_player_add(player, midi.c_str()) == FLUID_OK &&
            fluid_player_play(player) == FLUID_OK) {
            constexpr int kBlock = 512;
            const auto limit = static_cast<std::size_t>(maxSeconds * 44100);
            float left[kBlock], right[kBlock];
            while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && r.left.size() < limit) {
                fluid_synth_write_float(synth, kBlock, left, 0, 1, right, 0, 1);
                r.left.insert(r.left.end(), left, left + kBlock);
                r.right.insert(r.right.end(), right, right + kBlock);
                r.maxVoices = std::max(r.maxVoices, fluid_synth_get_active_voice_count(synth));
            }
            r.ok = !r.left.empty();
        }
    }
    if (player) {
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    if (synth)
        delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return r;
}

// Mean square of both channels.
inline double energy(const Result &r)
{
    double sum = 0;
    for (std::size_t i = 0; i < r.left.size(); ++i)
        sum += double(r.left[i]) * r.left[i] + double(r.right[i]) * r.right[i];
    return r.left.empty() ? 0 : sum / (2.0 * double(r.left.size()));
}

// Mean square of the difference of two renders, over the longer one (the shorter counts
// as silence past its end), and the largest difference of one sample.
struct Difference
{
    double energy = 0;
    double largest = 0;
};
inline Difference difference(const Result &a, const Result &b)
{
    Difference d;
    const std::size_t n = std::max(a.left.size(), b.left.size());
    const auto at = [](const std::vector<float> &v, std::size_t i) {
        return i < v.size() ? double(v[i]) : 0.0;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const double l = at(a.left, i) - at(b.left, i), r = at(a.right, i) - at(b.right, i);
        d.energy += l * l + r * r;
        d.largest = std::max({d.largest, std::abs(l), std::abs(r)});
    }
    d.energy = n ? d.energy / (2.0 * double(n)) : 0;
    return d;
}

} // namespace FluidRender
