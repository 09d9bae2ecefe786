#pragma once

#include <QString>

#include <atomic>
#include <functional>

// The wave sounds' side of Qt Multimedia, in a module of its own (orbelle_wave.so) that
// the program loads with its first wave sound: a program that plays none never maps Qt
// Multimedia and the sound libraries it brings (some 3 MB).
namespace WaveSystem {

// One player, on the audio thread; every call returns at once.
class Player
{
public:
    virtual ~Player() = default; // let go on the audio thread
    virtual void open(const QString &file) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
};

class Api
{
public:
    virtual ~Api() = default;
    // Whether the machine has an audio output.
    virtual bool audioAvailable() = 0;
    // `ended` is called on the audio thread, when the sound has played to its end or
    // cannot be played.
    virtual Player *makePlayer(std::function<void()> ended) = 0;
};

// The module's one exported function; `openOutputs` counts the players' open streams.
using Entry = Api *(*)(std::atomic<int> *openOutputs);
inline constexpr const char *kEntry = "orbelle_wave_api";

} // namespace WaveSystem
