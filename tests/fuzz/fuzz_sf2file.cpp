// Fuzz target for the SoundFont reader. Whatever the bytes, Sf2::read returns. A font it
// accepts can be followed as the program and the SoundFont tool follow it (every preset's
// zones to their instruments, every instrument's zones to their samples) without leaving
// a list, and its lists written out and read back are the same lists.

#include "sf2file.h"

#include <cstdlib>
#include <sstream>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The zones of owner i of `owners`, each generator of them: what a subset copies.
template <typename Owners, typename Visit>
void zones(const Owners &owners, const std::vector<Sf2::Bag> &bags, const std::vector<Sf2::Generator> &gens,
           Visit visit)
{
    for (std::size_t i = 0; i + 1 < owners.size(); ++i)
        for (std::size_t b = owners[i].bag; b < owners[i + 1].bag; ++b)
            for (std::size_t g = bags.at(b).gen; g < bags.at(b + 1).gen; ++g)
                visit(gens.at(g));
}

std::string form(const Sf2::Font &font)
{
    std::string info = "INFO", sdta = "sdta", out = "sfbk";
    for (const auto &[id, data] : font.info)
        Sf2::appendChunk(&info, id.c_str(), data);
    Sf2::appendChunk(&sdta, "smpl", std::string(font.smplSize, '\0'));
    Sf2::appendChunk(&out, "LIST", info);
    Sf2::appendChunk(&out, "LIST", sdta);
    Sf2::writeHydra(font, &out);
    std::string file;
    Sf2::appendChunk(&file, "RIFF", out);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    Sf2::Font font, again;
    std::string why;
    if (!Sf2::read(in, &font, &why))
        return 0;
    zones(font.presets, font.presetBags, font.presetGens, [&](const Sf2::Generator &g) {
        check(g.oper != Sf2::kGenInstrument || g.amount + 1u < font.instruments.size());
    });
    zones(font.instruments, font.instrumentBags, font.instrumentGens, [&](const Sf2::Generator &g) {
        check(g.oper != Sf2::kGenSampleId || g.amount + 1u < font.samples.size());
    });
    std::istringstream written(form(font));
    check(Sf2::read(written, &again, &why));
    std::string hydra, hydraAgain;
    Sf2::writeHydra(font, &hydra);
    Sf2::writeHydra(again, &hydraAgain);
    check(hydra == hydraAgain && again.info == font.info);
    return 0;
}
