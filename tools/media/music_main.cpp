// Composes the program's music: corvin.mid for the intro and the pieces of the default
// background music folder Klang/Ostrel. Each piece has its own key, metre, tempo and
// instruments (harp, strings and piano of the General MIDI set).
//
//   media_music <program folder>
#include "composer.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

struct Output
{
    const char *file;
    media::PieceDesign design;
};

std::vector<Output> pieces()
{
    using media::PieceDesign;
    // GM programs (0-based): 0 piano, 43 contrabass, 45 pizzicato strings, 46 harp,
    // 48 string ensemble, 49 slow strings.
    return {
        {"corvin.mid", PieceDesign{"Corvin", 64, true, 72, 4, 1, 0, 46, 49, 43, 0, 0xC0121}},
        {"Klang/Ostrel/alba.mid", PieceDesign{"Alba", 62, false, 84, 4, 3, 0, 46, 48, 43, 0, 0xA1BA}},
        {"Klang/Ostrel/bosque.mid", PieceDesign{"Bosque", 65, false, 96, 3, 4, 46, 0, 48, 45, 1, 0xB05}},
        {"Klang/Ostrel/estrellas.mid",
         PieceDesign{"Estrellas", 63, false, 66, 3, 3, 48, 46, 49, 43, 0, 0xE57}},
        {"Klang/Ostrel/lago.mid", PieceDesign{"Lago", 57, true, 76, 4, 2, 0, 46, 49, 43, 1, 0x1A60}},
        {"Klang/Ostrel/luna.mid", PieceDesign{"Luna", 59, true, 60, 4, 2, 48, 0, 49, 43, 0, 0x1C7A}},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: media_music <program folder>\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(root / "Klang" / "Ostrel", ec);
    for (const Output &o : pieces()) {
        const media::Composition c = media::compose(o.design);
        const std::filesystem::path path = root / o.file;
        if (!media::writeMidi(path.string(), c.ticksPerQuarter, c.tracks)) {
            std::cerr << "cannot write " << path.string() << '\n';
            return 1;
        }
    }
    return 0;
}
