// What the program's own SoundFont saves against the General MIDI one: for each, in a
// process of its own, the time FluidSynth takes to load it and the heap and resident
// memory it holds once the intro music has played 5 s (offline, no sound server);
// then, on the own SoundFont, the most voices each own piece sounds at once and whether
// the piece renders the same with the own engine's smaller polyphony, and how far a
// whole render of the intro on it lies from the render on the General MIDI one.
//
//   soundfontbench --probe <SoundFont> [voices]   one probe in this process (for heaptrack)
//   soundfontbench [voices]   voices: the own engine's polyphony to check (default 96, as
//                             kOwnSoundFontVoices in src/platform/mediacontrol.cpp)
//
// Reads the build's program folder (orbelle.sf2, corvin.mid, Klang/Ostrel).

#include "fluidrender.h"

#include <fluidsynth.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const std::string kFolder = ORBELLE_PROGRAM_DIR;
const std::string kGm = ORBELLE_GM_SOUNDFONT;
const std::string kOwn = kFolder + "/orbelle.sf2";
const char *const kPieces[] = {"corvin.mid",
                               "Klang/Ostrel/alba.mid",
                               "Klang/Ostrel/bosque.mid",
                               "Klang/Ostrel/estrellas.mid",
                               "Klang/Ostrel/lago.mid",
                               "Klang/Ostrel/luna.mid"};

double heapMb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

double statusMb(const char *key)
{
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(std::string(key).size())) / 1024.0;
    return -1;
}

// One SoundFont, in this process: load it, play the intro's first 5 s.
void probe(const std::string &soundFont, int voices)
{
    const double heap0 = heapMb(), rss0 = statusMb("VmRSS:");
    fluid_settings_t *settings = FluidRender::programSettings(voices);
    fluid_synth_t *synth = new_fluid_synth(settings);
    const double heapSynth = heapMb();
    const auto t0 = std::chrono::steady_clock::now();
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        std::printf("%s: cannot be loaded\n", soundFont.c_str());
        return;
    }
    const double loadMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const double heapLoaded = heapMb();
    fluid_player_t *player = new_fluid_player(synth);
    fluid_player_add(player, (kFolder + "/corvin.mid").c_str());
    fluid_player_play(player);
    float l[512], r[512];
    for (int i = 0; i < 5 * 44100 / 512; ++i)
        fluid_synth_write_float(synth, 512, l, 0, 1, r, 0, 1);
    std::printf(
        "%-40s voices %3d  sfload %6.1f ms  heap: synth %5.2f MB, +sfload %6.2f MB, after 5 s %6.2f MB;"
        "  RSS +%6.2f MB, peak %6.2f MB\n",
        soundFont.c_str(), fluid_synth_get_polyphony(synth), loadMs, heapSynth - heap0,
        heapLoaded - heapSynth, heapMb() - heap0, statusMb("VmRSS:") - rss0, statusMb("VmHWM:"));
    std::fflush(stdout);
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

void inChild(const std::string &soundFont, int voices)
{
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        probe(soundFont, voices);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char **argv)
{
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, FluidRender::quiet, nullptr);
    if (argc > 2 && std::string(argv[1]) == "--probe") {
        probe(argv[2], argc > 3 ? std::atoi(argv[3]) : 0);
        return 0;
    }
    const int ownVoices = argc > 1 ? std::atoi(argv[1]) : 96;
    std::ifstream gm(kGm, std::ios::ate | std::ios::binary), own(kOwn, std::ios::ate | std::ios::binary);
    std::printf("size: %s %.1f KB, %s %.1f KB\n", kGm.c_str(), double(gm.tellg()) / 1024, kOwn.c_str(),
                double(own.tellg()) / 1024);
    inChild(kGm, 0);
    inChild(kOwn, 0);
    inChild(kOwn, ownVoices);

    for (const char *piece : kPieces) {
        const FluidRender::Result r = FluidRender::render(kOwn, kFolder + "/" + piece);
        const FluidRender::Result limited = FluidRender::render(kOwn, kFolder + "/" + piece, ownVoices);
        const FluidRender::Difference d = FluidRender::difference(r, limited);
        std::printf(
            "%-28s %5.1f s, at most %d voices at once; with %d voices: largest sample difference %.3g\n",
            piece, double(r.left.size()) / 44100, r.maxVoices, ownVoices, d.largest);
    }
    const FluidRender::Result a = FluidRender::render(kGm, kFolder + "/corvin.mid");
    const FluidRender::Result b = FluidRender::render(kOwn, kFolder + "/corvin.mid", ownVoices);
    const FluidRender::Difference d = FluidRender::difference(a, b);
    std::printf("corvin.mid, General MIDI against own (%d voices): %zu and %zu frames, energy %.3g and %.3g, "
                "difference energy %.3g, largest sample difference %.3g\n",
                ownVoices, a.left.size(), b.left.size(), FluidRender::energy(a), FluidRender::energy(b),
                d.energy, d.largest);
    return 0;
}
