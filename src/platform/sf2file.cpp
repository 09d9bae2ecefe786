#include "sf2file.h"

#include <array>
#include <cstring>

namespace Sf2 {

namespace {

std::uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const std::uint8_t *>(p);
    return std::uint32_t(u[0]) | (std::uint32_t(u[1]) << 8) | (std::uint32_t(u[2]) << 16) |
           (std::uint32_t(u[3]) << 24);
}
std::uint16_t le16(const char *p)
{
    const auto *u = reinterpret_cast<const std::uint8_t *>(p);
    return std::uint16_t(u[0] | (u[1] << 8));
}

void put32(std::string *out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out->push_back(char((v >> (8 * i)) & 0xff));
}
void put16(std::string *out, std::uint16_t v)
{
    out->push_back(char(v & 0xff));
    out->push_back(char(v >> 8));
}

struct ChunkHeader
{
    std::string id;
    std::uint32_t size = 0;
    std::uint64_t offset = 0; // of the data
};

// Where the stream stands, or false once it has failed.
bool position(std::istream &in, std::uint64_t *at)
{
    const auto p = in.tellg();
    if (!in || p < 0)
        return false;
    *at = std::uint64_t(p);
    return true;
}

// Whether `n` more bytes lie before `limit`, counted so that nothing wraps.
bool room(std::istream &in, std::uint64_t limit, std::uint64_t n)
{
    std::uint64_t at = 0;
    return position(in, &at) && at <= limit && limit - at >= n;
}

bool readHeader(std::istream &in, std::uint64_t limit, ChunkHeader *c)
{
    char h[8];
    if (!room(in, limit, 8) || !position(in, &c->offset) || !in.read(h, 8))
        return false;
    c->id.assign(h, 4);
    c->size = le32(h + 4);
    c->offset += 8;
    return c->size <= limit - c->offset;
}

void skipPast(std::istream &in, const ChunkHeader &c)
{
    in.seekg(std::streamoff(c.offset + c.size + (c.size & 1)));
}

// One list of fixed-size records; `parse` reads one record from its bytes.
template <typename T, typename Parse>
bool readRecords(const std::string &data, std::size_t recordSize, std::vector<T> *out, Parse parse)
{
    // At least the terminal record.
    if (data.size() % recordSize != 0 || data.size() < recordSize)
        return false;
    out->resize(data.size() / recordSize);
    for (std::size_t i = 0; i < out->size(); ++i)
        parse(data.data() + i * recordSize, &(*out)[i]);
    return true;
}

bool readHydra(std::istream &in, const ChunkHeader &list, Font *f, std::string *why)
{
    const std::uint64_t end = list.offset + list.size;
    in.seekg(std::streamoff(list.offset + 4));
    ChunkHeader c;
    bool ok = true;
    // Each of the nine lists once: a list named twice must not stand in for a missing one,
    // whose empty vector the checks below would read past.
    static const std::array<const char *, 9> kLists = {"phdr", "pbag", "pmod", "pgen", "inst",
                                                       "ibag", "imod", "igen", "shdr"};
    unsigned found = 0;
    while (ok && room(in, end, 8)) {
        if (!readHeader(in, end, &c)) {
            *why = "a chunk of the pdta list runs past its end";
            return false;
        }
        std::string data(c.size, '\0');
        if (!in.read(data.data(), std::streamsize(c.size))) {
            *why = "the file ends inside the pdta list";
            return false;
        }
        skipPast(in, c);
        const auto bags = [](const char *p, Bag *b) { *b = {le16(p), le16(p + 2)}; };
        const auto gens = [](const char *p, Generator *g) { *g = {le16(p), le16(p + 2)}; };
        const auto mods = [](const char *p, Modulator *m) { std::memcpy(m->data(), p, 10); };
        for (std::size_t i = 0; i < kLists.size(); ++i) {
            if (c.id != kLists[i])
                continue;
            if (found & (1u << i)) {
                *why = "the pdta list holds its " + c.id + " list twice";
                return false;
            }
            found |= 1u << i;
        }
        if (c.id == "phdr") {
            ok = readRecords(data, 38, &f->presets, [](const char *p, PresetHeader *h) {
                std::memcpy(h->name.data(), p, 20);
                h->preset = le16(p + 20);
                h->bank = le16(p + 22);
                h->bag = le16(p + 24);
                h->library = le32(p + 26);
                h->genre = le32(p + 30);
                h->morphology = le32(p + 34);
            });
        } else if (c.id == "pbag") {
            ok = readRecords(data, 4, &f->presetBags, bags);
        } else if (c.id == "pmod") {
            ok = readRecords(data, 10, &f->presetMods, mods);
        } else if (c.id == "pgen") {
            ok = readRecords(data, 4, &f->presetGens, gens);
        } else if (c.id == "inst") {
            ok = readRecords(data, 22, &f->instruments, [](const char *p, Instrument *i) {
                std::memcpy(i->name.data(), p, 20);
                i->bag = le16(p + 20);
            });
        } else if (c.id == "ibag") {
            ok = readRecords(data, 4, &f->instrumentBags, bags);
        } else if (c.id == "imod") {
            ok = readRecords(data, 10, &f->instrumentMods, mods);
        } else if (c.id == "igen") {
            ok = readRecords(data, 4, &f->instrumentGens, gens);
        } else if (c.id == "shdr") {
            ok = readRecords(data, 46, &f->samples, [](const char *p, SampleHeader *s) {
                std::memcpy(s->name.data(), p, 20);
                s->start = le32(p + 20);
                s->end = le32(p + 24);
                s->startLoop = le32(p + 28);
                s->endLoop = le32(p + 32);
                s->sampleRate = le32(p + 36);
                s->originalPitch = std::uint8_t(p[40]);
                s->pitchCorrection = std::int8_t(p[41]);
                s->link = le16(p + 42);
                s->type = le16(p + 44);
            });
        }
        if (!ok)
            *why = "the " + c.id + " list has a broken size";
    }
    if (ok && found != (1u << kLists.size()) - 1) {
        *why = "the pdta list lacks some of its nine lists";
        return false;
    }
    return ok;
}

// Every index points into its list: what a subset relies on when it follows them.
bool consistent(const Font &f, std::string *why)
{
    const auto bagsFit = [](const auto &owners, const std::vector<Bag> &bags, std::size_t gens,
                            std::size_t mods) {
        if (owners.empty() || bags.empty())
            return false;
        for (std::size_t i = 0; i + 1 < owners.size(); ++i)
            if (owners[i].bag > owners[i + 1].bag)
                return false;
        if (owners.back().bag >= bags.size())
            return false;
        for (std::size_t i = 0; i + 1 < bags.size(); ++i)
            if (bags[i].gen > bags[i + 1].gen || bags[i].mod > bags[i + 1].mod)
                return false;
        return bags.back().gen < gens + 1 && bags.back().mod < mods + 1;
    };
    if (!bagsFit(f.presets, f.presetBags, f.presetGens.size(), f.presetMods.size()) ||
        !bagsFit(f.instruments, f.instrumentBags, f.instrumentGens.size(), f.instrumentMods.size())) {
        *why = "the bag indices of the pdta list do not hold together";
        return false;
    }
    for (const Generator &g : f.presetGens)
        if (g.oper == kGenInstrument && g.amount + 1u >= f.instruments.size()) {
            *why = "a preset names an instrument that is not there";
            return false;
        }
    for (const Generator &g : f.instrumentGens)
        if (g.oper == kGenSampleId && g.amount + 1u >= f.samples.size()) {
            *why = "an instrument names a sample that is not there";
            return false;
        }
    const std::uint64_t points = f.smplSize / 2;
    for (std::size_t i = 0; i + 1 < f.samples.size(); ++i) {
        const SampleHeader &s = f.samples[i];
        if (!(s.type & kSampleRom) && (s.start > s.end || s.end > points)) {
            *why = "a sample lies outside the sample data";
            return false;
        }
    }
    return true;
}

} // namespace

bool read(std::istream &in, Font *font, std::string *why)
{
    *font = Font();
    in.seekg(0, std::ios::end);
    std::uint64_t fileSize = 0;
    const bool seekable = position(in, &fileSize);
    in.seekg(0);
    ChunkHeader riff;
    char form[4];
    if (!seekable || !readHeader(in, fileSize, &riff) || riff.id != "RIFF" || !in.read(form, 4) ||
        std::string(form, 4) != "sfbk") {
        *why = "not a SoundFont (no RIFF sfbk form)";
        return false;
    }
    const std::uint64_t end = riff.offset + riff.size;
    bool info = false, sdta = false, pdta = false;
    ChunkHeader list;
    while (room(in, end, 12)) {
        if (!readHeader(in, end, &list) || list.id != "LIST" || list.size < 4 || !in.read(form, 4)) {
            *why = "a chunk of the RIFF form runs past its end";
            return false;
        }
        const std::string type(form, 4);
        const std::uint64_t listEnd = list.offset + list.size;
        ChunkHeader c;
        if (type == "INFO") {
            info = true;
            while (room(in, listEnd, 8)) {
                if (!readHeader(in, listEnd, &c)) {
                    *why = "a chunk of the INFO list runs past its end";
                    return false;
                }
                std::string data(c.size, '\0');
                if (!in.read(data.data(), std::streamsize(c.size))) {
                    *why = "the file ends inside the INFO list";
                    return false;
                }
                font->info.emplace_back(c.id, std::move(data));
                skipPast(in, c);
            }
        } else if (type == "sdta") {
            sdta = true;
            while (room(in, listEnd, 8)) {
                if (!readHeader(in, listEnd, &c)) {
                    *why = "a chunk of the sdta list runs past its end";
                    return false;
                }
                if (c.id == "smpl") {
                    font->smplOffset = c.offset;
                    font->smplSize = c.size;
                } else if (c.id == "sm24") {
                    font->sm24Offset = c.offset;
                    font->sm24Size = c.size;
                }
                skipPast(in, c);
            }
        } else if (type == "pdta") {
            pdta = true;
            if (!readHydra(in, list, font, why))
                return false;
        }
        skipPast(in, list);
        if (!in) {
            *why = "the file ends early";
            return false;
        }
    }
    if (!info || !sdta || !pdta) {
        *why = "the INFO, sdta or pdta list is missing";
        return false;
    }
    return consistent(*font, why);
}

void appendChunk(std::string *out, const char *id, const std::string &data)
{
    out->append(id, 4);
    put32(out, std::uint32_t(data.size()));
    out->append(data);
    if (data.size() & 1)
        out->push_back('\0');
}

void writeHydra(const Font &f, std::string *out)
{
    std::string body = "pdta", d;
    const auto bags = [&](const std::vector<Bag> &v) {
        d.clear();
        for (const Bag &b : v) {
            put16(&d, b.gen);
            put16(&d, b.mod);
        }
        return d;
    };
    const auto mods = [&](const std::vector<Modulator> &v) {
        d.clear();
        for (const Modulator &m : v)
            d.append(reinterpret_cast<const char *>(m.data()), m.size());
        return d;
    };
    const auto gens = [&](const std::vector<Generator> &v) {
        d.clear();
        for (const Generator &g : v) {
            put16(&d, g.oper);
            put16(&d, g.amount);
        }
        return d;
    };
    d.clear();
    for (const PresetHeader &h : f.presets) {
        d.append(h.name.data(), 20);
        put16(&d, h.preset);
        put16(&d, h.bank);
        put16(&d, h.bag);
        put32(&d, h.library);
        put32(&d, h.genre);
        put32(&d, h.morphology);
    }
    appendChunk(&body, "phdr", d);
    appendChunk(&body, "pbag", bags(f.presetBags));
    appendChunk(&body, "pmod", mods(f.presetMods));
    appendChunk(&body, "pgen", gens(f.presetGens));
    d.clear();
    for (const Instrument &i : f.instruments) {
        d.append(i.name.data(), 20);
        put16(&d, i.bag);
    }
    appendChunk(&body, "inst", d);
    appendChunk(&body, "ibag", bags(f.instrumentBags));
    appendChunk(&body, "imod", mods(f.instrumentMods));
    appendChunk(&body, "igen", gens(f.instrumentGens));
    d.clear();
    for (const SampleHeader &s : f.samples) {
        d.append(s.name.data(), 20);
        for (std::uint32_t v : {s.start, s.end, s.startLoop, s.endLoop, s.sampleRate})
            put32(&d, v);
        d.push_back(char(s.originalPitch));
        d.push_back(char(s.pitchCorrection));
        put16(&d, s.link);
        put16(&d, s.type);
    }
    appendChunk(&body, "shdr", d);
    appendChunk(out, "LIST", body);
}

} // namespace Sf2
