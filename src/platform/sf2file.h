#pragma once

// The structure of a SoundFont 2 file: its INFO list, where its sample data lies, and the
// preset, instrument and sample lists ("hydra") of its pdta list, each with its terminal
// record. Sample data is never read here. Plain C++ so the build's SoundFont tool shares
// it with the program.

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace Sf2 {

struct PresetHeader
{
    std::array<char, 20> name{};
    std::uint16_t preset = 0, bank = 0, bag = 0;
    std::uint32_t library = 0, genre = 0, morphology = 0;
};
struct Bag
{
    std::uint16_t gen = 0, mod = 0;
};
using Modulator = std::array<std::uint8_t, 10>; // no indices in it: copied as it is
struct Generator
{
    std::uint16_t oper = 0, amount = 0;
};
struct Instrument
{
    std::array<char, 20> name{};
    std::uint16_t bag = 0;
};
struct SampleHeader
{
    std::array<char, 20> name{};
    std::uint32_t start = 0, end = 0, startLoop = 0, endLoop = 0, sampleRate = 0;
    std::uint8_t originalPitch = 0;
    std::int8_t pitchCorrection = 0;
    std::uint16_t link = 0, type = 0;
};

constexpr std::uint16_t kGenInstrument = 41;
constexpr std::uint16_t kGenSampleId = 53;
constexpr std::uint16_t kSampleRom = 0x8000;

struct Font
{
    // The INFO list's sub-chunks in file order: four-letter id and contents.
    std::vector<std::pair<std::string, std::string>> info;
    // Where the 16-bit sample data (smpl) and the optional low bytes of 24-bit samples
    // (sm24) lie in the file; sizes in bytes.
    std::uint64_t smplOffset = 0, smplSize = 0, sm24Offset = 0, sm24Size = 0;
    std::vector<PresetHeader> presets; // phdr
    std::vector<Bag> presetBags;       // pbag
    std::vector<Modulator> presetMods; // pmod
    std::vector<Generator> presetGens; // pgen
    std::vector<Instrument> instruments;
    std::vector<Bag> instrumentBags;
    std::vector<Modulator> instrumentMods;
    std::vector<Generator> instrumentGens;
    std::vector<SampleHeader> samples; // shdr
};

// Reads the whole structure but the sample data. False, with a reason, when the stream
// is not a SoundFont or its lists do not hold together (a bag, generator or sample index
// past the end of its list).
bool read(std::istream &in, Font *font, std::string *why);

// The records of the pdta list as written to a file, "phdr" to "shdr" in the order the
// format requires; `out` receives the whole LIST chunk.
void writeHydra(const Font &font, std::string *out);

// A chunk: four-letter id, 32-bit little-endian size, the data and a pad byte to an even size.
void appendChunk(std::string *out, const char *id, const std::string &data);

} // namespace Sf2
