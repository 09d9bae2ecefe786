// Writes the program's own SoundFont: from a General MIDI SoundFont, only the presets the
// program's own MIDI files sound with, their instruments and the samples those use. The
// program plays its own music on it and so never loads the megabytes of the whole set.
// The presets come from the MIDI files themselves, so the subset cannot miss one; a
// preset the source SoundFont lacks stops the build.
//
//   media_soundfont <program folder> <source SoundFont> <MIDI file>...
//
// writes <program folder>/orbelle.sf2.
#include "midiscan.h"
#include "sf2file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace {

using MidiScan::Preset;

// Spare points after every sample, zero, as the SoundFont format asks for: interpolation
// reads a little past a sample's end.
constexpr std::uint32_t kGuardPoints = 46;

bool presetsOf(const std::string &path, std::set<Preset> *presets)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return in.good() || in.eof() ? MidiScan::presetsUsed(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                                                         bytes.size(), presets)
                                 : false;
}

// Renumbers the members of a list that are kept: old index to new.
struct Keep
{
    std::set<std::size_t> kept;
    std::map<std::size_t, std::uint16_t> index;
    void number()
    {
        std::uint16_t n = 0;
        for (std::size_t k : kept)
            index[k] = n++;
    }
};

// Copies the bags [first, last) of one preset or instrument with their generators and
// modulators, renaming the generator `indexGen` by `rename`; returns the first new bag.
template <typename Rename>
std::uint16_t copyZones(const std::vector<Sf2::Bag> &bags, const std::vector<Sf2::Generator> &gens,
                        const std::vector<Sf2::Modulator> &mods, std::size_t first, std::size_t last,
                        std::uint16_t indexGen, Rename rename, std::vector<Sf2::Bag> *outBags,
                        std::vector<Sf2::Generator> *outGens, std::vector<Sf2::Modulator> *outMods)
{
    const auto start = std::uint16_t(outBags->size());
    for (std::size_t b = first; b < last; ++b) {
        outBags->push_back({std::uint16_t(outGens->size()), std::uint16_t(outMods->size())});
        for (std::size_t g = bags[b].gen; g < bags[b + 1].gen && g < gens.size(); ++g) {
            Sf2::Generator gen = gens[g];
            if (gen.oper == indexGen)
                gen.amount = rename(gen.amount);
            outGens->push_back(gen);
        }
        for (std::size_t m = bags[b].mod; m < bags[b + 1].mod && m < mods.size(); ++m)
            outMods->push_back(mods[m]);
    }
    return start;
}

// The terminal records that close each list.
void closeLists(Sf2::Font *out)
{
    Sf2::PresetHeader eop;
    std::copy_n("EOP", 3, eop.name.begin());
    eop.bag = std::uint16_t(out->presetBags.size());
    out->presets.push_back(eop);
    out->presetBags.push_back({std::uint16_t(out->presetGens.size()), std::uint16_t(out->presetMods.size())});
    out->presetGens.push_back({});
    out->presetMods.push_back({});

    Sf2::Instrument eoi;
    std::copy_n("EOI", 3, eoi.name.begin());
    eoi.bag = std::uint16_t(out->instrumentBags.size());
    out->instruments.push_back(eoi);
    out->instrumentBags.push_back(
        {std::uint16_t(out->instrumentGens.size()), std::uint16_t(out->instrumentMods.size())});
    out->instrumentGens.push_back({});
    out->instrumentMods.push_back({});

    Sf2::SampleHeader eos;
    std::copy_n("EOS", 3, eos.name.begin());
    out->samples.push_back(eos);
}

std::string infoWithNote(const Sf2::Font &source)
{
    std::string name = "the source SoundFont";
    for (const auto &[id, data] : source.info)
        if (id == "INAM")
            name = data.substr(0, data.find('\0'));
    std::string info = "INFO";
    for (const auto &[id, data] : source.info)
        if (id != "ICMT")
            Sf2::appendChunk(&info, id.c_str(), data);
    std::string note = "The presets of " + name + " that Orbelle's own music plays.";
    note.push_back('\0');
    if (note.size() & 1)
        note.push_back('\0');
    Sf2::appendChunk(&info, "ICMT", note);
    return info;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::cerr << "usage: media_soundfont <program folder> <source SoundFont> <MIDI file>...\n";
        return 2;
    }
    const std::filesystem::path target = std::filesystem::path(argv[1]) / "orbelle.sf2";
    const std::string sourcePath = argv[2];

    std::set<Preset> wanted;
    for (int i = 3; i < argc; ++i) {
        if (!presetsOf(argv[i], &wanted)) {
            std::cerr << "media_soundfont: " << argv[i] << " is not a readable MIDI file\n";
            return 1;
        }
    }

    std::ifstream in(sourcePath, std::ios::binary);
    Sf2::Font src;
    std::string why;
    if (!in || !Sf2::read(in, &src, &why)) {
        std::cerr << "media_soundfont: " << sourcePath << ": "
                  << (why.empty() ? std::string("cannot be read") : why) << '\n';
        return 1;
    }

    // The presets, by the bank and program the files use; every one must be there.
    Keep presets, instruments, samples;
    for (const Preset &p : wanted) {
        const auto found = std::find_if(src.presets.begin(), src.presets.end() - 1, [&](const auto &h) {
            return h.bank == p.bank && h.preset == p.program;
        });
        if (found == src.presets.end() - 1) {
            std::cerr << "media_soundfont: the music uses bank " << p.bank << " program " << p.program
                      << ", which " << sourcePath << " does not have\n";
            return 1;
        }
        presets.kept.insert(std::size_t(found - src.presets.begin()));
    }
    for (std::size_t p : presets.kept)
        for (std::size_t b = src.presets[p].bag; b < src.presets[p + 1].bag; ++b)
            for (std::size_t g = src.presetBags[b].gen; g < src.presetBags[b + 1].gen; ++g)
                if (src.presetGens[g].oper == Sf2::kGenInstrument)
                    instruments.kept.insert(src.presetGens[g].amount);
    for (std::size_t i : instruments.kept)
        for (std::size_t b = src.instruments[i].bag; b < src.instruments[i + 1].bag; ++b)
            for (std::size_t g = src.instrumentBags[b].gen; g < src.instrumentBags[b + 1].gen; ++g)
                if (src.instrumentGens[g].oper == Sf2::kGenSampleId)
                    samples.kept.insert(src.instrumentGens[g].amount);
    // The other half of a stereo pair comes along, so the links stay true.
    for (std::size_t s : std::set<std::size_t>(samples.kept))
        if (src.samples[s].type & 0x0e && src.samples[s].link + 1u < src.samples.size())
            samples.kept.insert(src.samples[s].link);
    instruments.number();
    samples.number();

    Sf2::Font out;
    for (std::size_t p : presets.kept) {
        Sf2::PresetHeader h = src.presets[p];
        h.bag = copyZones(
            src.presetBags, src.presetGens, src.presetMods, src.presets[p].bag, src.presets[p + 1].bag,
            Sf2::kGenInstrument, [&](std::uint16_t i) { return instruments.index.at(i); }, &out.presetBags,
            &out.presetGens, &out.presetMods);
        out.presets.push_back(h);
    }
    for (std::size_t i : instruments.kept) {
        Sf2::Instrument inst = src.instruments[i];
        inst.bag = copyZones(
            src.instrumentBags, src.instrumentGens, src.instrumentMods, src.instruments[i].bag,
            src.instruments[i + 1].bag, Sf2::kGenSampleId,
            [&](std::uint16_t s) { return samples.index.at(s); }, &out.instrumentBags, &out.instrumentGens,
            &out.instrumentMods);
        out.instruments.push_back(inst);
    }

    // The sample data: each kept sample's points, then the guard points.
    std::string smpl, sm24;
    const auto copy = [&](std::uint64_t offset, std::uint64_t bytes, std::string *to) {
        const std::size_t at = to->size();
        to->resize(at + bytes);
        in.seekg(std::streamoff(offset));
        return bool(in.read(to->data() + at, std::streamsize(bytes)));
    };
    for (std::size_t s : samples.kept) {
        Sf2::SampleHeader h = src.samples[s];
        if (h.link + 1u < src.samples.size() && samples.index.count(h.link))
            h.link = samples.index.at(h.link);
        if (!(h.type & Sf2::kSampleRom)) {
            const auto at = std::uint32_t(smpl.size() / 2);
            const std::uint32_t points = h.end - h.start;
            bool ok = copy(src.smplOffset + 2ull * h.start, 2ull * points, &smpl);
            smpl.append(2 * kGuardPoints, '\0');
            if (src.sm24Size) {
                ok = ok && copy(src.sm24Offset + h.start, points, &sm24);
                sm24.append(kGuardPoints, '\0');
            }
            if (!ok) {
                std::cerr << "media_soundfont: " << sourcePath << ": the sample data cannot be read\n";
                return 1;
            }
            h.startLoop = h.startLoop - h.start + at;
            h.endLoop = h.endLoop - h.start + at;
            h.end = at + points;
            h.start = at;
        }
        out.samples.push_back(h);
    }
    closeLists(&out);

    std::string sdta = "sdta";
    Sf2::appendChunk(&sdta, "smpl", smpl);
    if (src.sm24Size)
        Sf2::appendChunk(&sdta, "sm24", sm24);
    std::string form = "sfbk";
    Sf2::appendChunk(&form, "LIST", infoWithNote(src));
    Sf2::appendChunk(&form, "LIST", sdta);
    Sf2::writeHydra(out, &form);
    std::string file;
    Sf2::appendChunk(&file, "RIFF", form);

    // Written beside the target and renamed over it: a failed write leaves the old file.
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    const std::filesystem::path partial = target.string() + ".part";
    {
        std::ofstream o(partial, std::ios::binary | std::ios::trunc);
        o.write(file.data(), std::streamsize(file.size()));
        if (!o.flush()) {
            std::cerr << "media_soundfont: cannot write " << partial.string() << '\n';
            std::filesystem::remove(partial, ec);
            return 1;
        }
    }
    std::filesystem::rename(partial, target, ec);
    if (ec) {
        std::cerr << "media_soundfont: cannot write " << target.string() << ": " << ec.message() << '\n';
        return 1;
    }
    std::cout << "orbelle.sf2: " << presets.kept.size() << " presets, " << instruments.kept.size()
              << " instruments, " << samples.kept.size() << " of " << src.samples.size() - 1 << " samples, "
              << file.size() / 1024 << " KB\n";
    return 0;
}
