#include "composer.h"

#include "prng.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>

namespace media {

namespace {

constexpr int kPpq = 480;
constexpr int kEighth = kPpq / 2;

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};

enum Channel { Melody = 0, Arp = 1, Pad = 2, Bass = 3 };

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

struct Key
{
    int tonic;
    bool minor;

    // Pitch of a scale degree (0 = tonic, 7 = tonic an octave up, negative below). Over the
    // dominant chord a minor key borrows the raised leading tone, as harmonic minor does.
    int pitch(int degree, int chordRoot) const
    {
        const int octave = floorDiv(degree, 7);
        const int step = degree - octave * 7;
        int p = tonic + 12 * octave + (minor ? kMinor : kMajor)[static_cast<std::size_t>(step)];
        if (minor && step == 6 && chordRoot == 4)
            p += 1;
        return p;
    }

    int sharps() const
    {
        static const std::map<int, int> major = {{0, 0}, {7, 1},  {2, 2},   {9, 3},  {4, 4},  {11, 5},
                                                 {6, 6}, {5, -1}, {10, -2}, {3, -3}, {8, -4}, {1, -5}};
        const int pc = ((tonic + (minor ? 3 : 0)) % 12 + 12) % 12;
        return major.at(pc);
    }
};

bool isChordTone(int degree, int root)
{
    const int d = ((degree - root) % 7 + 7) % 7;
    return d == 0 || d == 2 || d == 4;
}

// Moves a pitch by octaves into [low, low + 11].
int intoRange(int p, int low)
{
    while (p < low)
        p += 12;
    while (p >= low + 12)
        p -= 12;
    return p;
}

using Phrase = std::array<int, 8>;

struct PhrasePlan
{
    Phrase chords;
    char family; // phrases of one family share their opening melody
};

std::vector<PhrasePlan> plan(bool minor, int phrases)
{
    // One chord per bar. "Open" phrases end on the dominant, "closed" ones on the tonic.
    const PhrasePlan open =
        minor ? PhrasePlan{{0, 5, 2, 6, 0, 3, 4, 4}, 'A'} : PhrasePlan{{0, 5, 3, 4, 0, 5, 1, 4}, 'A'};
    const PhrasePlan closed =
        minor ? PhrasePlan{{0, 5, 2, 6, 0, 3, 4, 0}, 'A'} : PhrasePlan{{0, 5, 3, 4, 0, 1, 4, 0}, 'A'};
    const PhrasePlan contrast =
        minor ? PhrasePlan{{3, 0, 5, 4, 3, 0, 5, 4}, 'B'} : PhrasePlan{{3, 0, 3, 4, 5, 2, 3, 4}, 'B'};
    switch (phrases) {
    case 1:
        return {closed};
    case 2:
        return {open, closed};
    case 3:
        return {open, contrast, closed};
    default: {
        std::vector<PhrasePlan> out = {open, closed};
        for (int i = 2; i < phrases - 1; ++i)
            out.push_back(i % 2 == 0 ? contrast : open);
        out.push_back(closed);
        return out;
    }
    }
}

using Rhythm = std::vector<int>; // note lengths in eighths

const std::vector<Rhythm> &rhythms(int beats)
{
    static const std::vector<Rhythm> four = {{2, 2, 2, 2},    {3, 1, 2, 2}, {2, 2, 4}, {4, 2, 2},
                                             {2, 1, 1, 2, 2}, {1, 1, 2, 4}, {6, 2},    {2, 2, 3, 1}};
    static const std::vector<Rhythm> three = {{2, 2, 2},    {3, 1, 2}, {4, 2},
                                              {2, 1, 1, 2}, {2, 4},    {1, 1, 2, 2}};
    return beats == 3 ? three : four;
}

Rhythm cadenceRhythm(int beats, bool final)
{
    if (final)
        return beats == 3 ? Rhythm{6} : Rhythm{8};
    return beats == 3 ? Rhythm{2, 4} : Rhythm{2, 2, 4};
}

struct MelodyNote
{
    int startEighth; // within the bar
    int length;      // eighths
    int degree;
};

class Composer
{
public:
    explicit Composer(const PieceDesign &design)
        : design_(design),
          key_{design.tonic, design.minor},
          rng_(design.seed)
    {
        // The melody sits with its tonic between G4 and F#5, the rest below it.
        melodyTonic_ = 0;
        while (key_.pitch(melodyTonic_, 0) < 67)
            melodyTonic_ += 7;
        while (key_.pitch(melodyTonic_, 0) > 78)
            melodyTonic_ -= 7;
        melodyPitchTonic_ = key_.pitch(melodyTonic_, 0);
        degree_ = melodyTonic_ + 2;
    }

    Composition run();

private:
    std::vector<MelodyNote> melodyBar(int chord, int barInPhrase, bool finalBar, const Rhythm &rhythm);
    int nearestChordTone(int from, int chord);
    void writeBar(int bar, int chord, const std::vector<MelodyNote> &melody, int velocityLift);
    void writeClosingBar(int bar);
    std::uint32_t barTick(int bar) const { return static_cast<std::uint32_t>(bar * barTicks_); }

    const PieceDesign &design_;
    Key key_;
    Prng rng_;
    int melodyTonic_ = 7;
    int melodyPitchTonic_ = 72;
    int degree_ = 9;
    int barTicks_ = 0;
    std::vector<int> padVoices_;
    MidiTrack conductor_, melody_, arp_, pad_;
};

int Composer::nearestChordTone(int from, int chord)
{
    int best = from;
    int bestDist = 100;
    // Ties go one way or the other at random, so lines do not always fall.
    const int bias = rng_.chance(0.5) ? 1 : -1;
    for (int d = 0; d <= 3; ++d) {
        for (int s : {bias, -bias}) {
            const int cand = from + s * d;
            if (isChordTone(cand, chord) && d < bestDist && cand >= melodyTonic_ - 4 &&
                cand <= melodyTonic_ + 7) {
                best = cand;
                bestDist = d;
            }
        }
    }
    return best;
}

std::vector<MelodyNote> Composer::melodyBar(int chord, int barInPhrase, bool finalBar, const Rhythm &rhythm)
{
    std::vector<MelodyNote> notes;
    int at = 0;
    // Rise through the first half of each four-bar half-phrase, fall back in the second.
    const int direction = (barInPhrase % 4) < 2 ? 1 : -1;
    for (std::size_t i = 0; i < rhythm.size(); ++i) {
        const bool strong = at == 0 || (design_.beatsPerBar == 4 && at == 4);
        const bool last = i + 1 == rhythm.size();
        if (last && (barInPhrase == 3 || barInPhrase == 7)) {
            // Cadence: rest on the chord's root or, on the dominant, its fifth.
            if (finalBar && chord == 0)
                degree_ = melodyTonic_ + ((degree_ - melodyTonic_) > 3 ? 7 : 0);
            else
                degree_ = nearestChordTone(degree_, chord);
        } else if (strong) {
            degree_ = nearestChordTone(degree_, chord);
        } else {
            const double r = rng_.uniform();
            int step = r < 0.68 ? 1 : (r < 0.88 ? 2 : 0);
            if (rng_.chance(0.25))
                step = -step;
            degree_ += direction * step;
        }
        // Stay within a comfortable tenth; bounce back from the edges.
        if (degree_ > melodyTonic_ + 7)
            degree_ -= 2;
        if (degree_ < melodyTonic_ - 4)
            degree_ += 2;
        notes.push_back({at, rhythm[i], degree_});
        at += rhythm[i];
    }
    return notes;
}

void Composer::writeBar(int bar, int chord, const std::vector<MelodyNote> &melody, int lift)
{
    const std::uint32_t t0 = barTick(bar);
    const int eighths = design_.beatsPerBar * 2;

    for (const MelodyNote &n : melody) {
        const int vel = 72 + lift + (n.startEighth == 0 ? 8 : 0) + (n.length >= 4 ? 4 : 0);
        melody_.note(t0 + static_cast<std::uint32_t>(n.startEighth * kEighth),
                     static_cast<std::uint32_t>(n.length * kEighth - 12), Melody, key_.pitch(n.degree, chord),
                     vel);
    }

    // The accompaniment: the chord broken upwards from its root in the tenor register.
    const int root = intoRange(key_.pitch(chord, chord), melodyPitchTonic_ - 26);
    const int third = key_.pitch(chord + 2, chord) - key_.pitch(chord, chord);
    const int fifth = key_.pitch(chord + 4, chord) - key_.pitch(chord, chord);
    const std::array<int, 6> tones = {root,     root + fifth, root + 12, root + 12 + third, root + 12 + fifth,
                                      root + 24};
    static const std::vector<int> rising4 = {0, 1, 2, 3, 4, 3, 2, 1};
    static const std::vector<int> broken4 = {0, 2, 1, 3, 0, 2, 1, 3};
    static const std::vector<int> rising3 = {0, 1, 2, 3, 2, 1};
    static const std::vector<int> broken3 = {0, 2, 3, 1, 3, 2};
    const std::vector<int> &pattern = design_.beatsPerBar == 3 ? (design_.arpStyle == 0 ? rising3 : broken3)
                                                               : (design_.arpStyle == 0 ? rising4 : broken4);
    for (int i = 0; i < eighths; ++i) {
        const int vel = 50 + (i == 0 ? 10 : 0) + (i % 2 == 0 ? 3 : 0) + lift / 2;
        arp_.note(t0 + static_cast<std::uint32_t>(i * kEighth), 2 * kEighth - 20, Arp,
                  tones[static_cast<std::size_t>(pattern[static_cast<std::size_t>(i)])], vel);
    }

    // Strings hold the chord for the whole bar, each voice moving as little as it can.
    const std::array<int, 3> pcs = {key_.pitch(chord, chord), key_.pitch(chord + 2, chord),
                                    key_.pitch(chord + 4, chord)};
    std::vector<int> voices;
    for (std::size_t v = 0; v < pcs.size(); ++v) {
        const int target =
            padVoices_.empty() ? melodyPitchTonic_ - 12 + static_cast<int>(v) * 4 : padVoices_[v];
        int p = intoRange(pcs[v], target - 6);
        voices.push_back(p);
    }
    std::sort(voices.begin(), voices.end());
    voices.erase(std::unique(voices.begin(), voices.end()), voices.end());
    padVoices_ = voices;
    while (padVoices_.size() < 3)
        padVoices_.push_back(padVoices_.back() + 4);
    for (int p : voices)
        pad_.note(t0, static_cast<std::uint32_t>(barTicks_ - 20), Pad, p, 44 + lift / 2);
    pad_.note(t0, static_cast<std::uint32_t>(barTicks_ - 20), Bass,
              intoRange(key_.pitch(chord, chord), melodyPitchTonic_ - 36), 58 + lift / 2);
}

void Composer::writeClosingBar(int bar)
{
    const std::uint32_t t0 = barTick(bar);
    const auto hold = static_cast<std::uint32_t>(barTicks_);
    // The melody settles on whichever tonic lies nearest to where it ended.
    const int octaves = static_cast<int>(std::lround((degree_ - melodyTonic_) / 7.0));
    melody_.note(t0, hold, Melody, key_.pitch(melodyTonic_ + 7 * octaves, 0), 70);
    // A slowly rolled tonic chord on the harp, every string left to ring to the end.
    const int root = intoRange(key_.pitch(0, 0), melodyPitchTonic_ - 26);
    const int third = key_.pitch(2, 0) - key_.pitch(0, 0);
    const int fifth = key_.pitch(4, 0) - key_.pitch(0, 0);
    const std::array<int, 6> rolled = {
        root, root + fifth, root + 12, root + 12 + third, root + 12 + fifth, root + 24};
    for (std::size_t i = 0; i < rolled.size(); ++i) {
        const auto at = static_cast<std::uint32_t>(i * kEighth / 2);
        arp_.note(t0 + at, hold - at, Arp, rolled[i], 56 - static_cast<int>(i) * 2);
    }
    for (int d : {0, 2, 4})
        pad_.note(t0, hold, Pad, intoRange(key_.pitch(d, 0), melodyPitchTonic_ - 17), 46);
    pad_.note(t0, hold, Bass, intoRange(key_.pitch(0, 0), melodyPitchTonic_ - 36), 60);
    // The sustained voices die away over the closing bar instead of stopping at full strength.
    const int steps = 12;
    for (int i = 1; i <= steps; ++i) {
        const auto at = t0 + hold * static_cast<std::uint32_t>(i) / (steps + 1);
        const int expression = 127 - (127 - 36) * i / steps;
        melody_.controller(at, Melody, 11, expression);
        pad_.controller(at, Pad, 11, expression);
        pad_.controller(at, Bass, 11, expression);
    }
}

Composition Composer::run()
{
    barTicks_ = design_.beatsPerBar * kPpq;
    const std::vector<PhrasePlan> phrases = plan(design_.minor, design_.phrases);
    const int closing = static_cast<int>(phrases.size()) * 8;

    conductor_.trackName(design_.title);
    conductor_.timeSignature(0, design_.beatsPerBar, 2);
    conductor_.keySignature(0, key_.sharps(), design_.minor);
    conductor_.tempo(0, design_.bpm);
    // Broaden the last two bars and the closing chord.
    conductor_.tempo(barTick(closing - 2), design_.bpm * 0.92);
    conductor_.tempo(barTick(closing - 1), design_.bpm * 0.84);
    conductor_.tempo(barTick(closing), design_.bpm * 0.72);

    melody_.trackName("Melodia");
    arp_.trackName("Arpegio");
    pad_.trackName("Cuerdas");
    const std::array<std::pair<int, int>, 4> setup = {{{Melody, design_.melodyProgram},
                                                       {Arp, design_.arpProgram},
                                                       {Pad, design_.padProgram},
                                                       {Bass, design_.bassProgram}}};
    const std::array<int, 4> volume = {104, 84, 72, 80};
    const std::array<int, 4> pan = {64, 44, 84, 64};
    for (const auto &[ch, prog] : setup) {
        MidiTrack &t = ch == Melody ? melody_ : (ch == Arp ? arp_ : pad_);
        t.program(0, ch, prog);
        t.controller(0, ch, 7, volume[static_cast<std::size_t>(ch)]);
        t.controller(0, ch, 10, pan[static_cast<std::size_t>(ch)]);
        t.controller(0, ch, 91, 64);
        // Full expression at the start: a player that keeps one synthesiser for a whole
        // folder would otherwise inherit the fade of the piece before.
        t.controller(0, ch, 11, 127);
    }

    // Phrases of one family open with the same melody; only their endings differ.
    std::map<char, std::vector<std::vector<MelodyNote>>> openings;
    std::map<char, std::vector<Rhythm>> motifs;
    for (std::size_t ph = 0; ph < phrases.size(); ++ph) {
        const PhrasePlan &p = phrases[ph];
        const bool lastPhrase = ph + 1 == phrases.size();
        std::vector<Rhythm> &motif = motifs[p.family];
        if (motif.empty())
            for (int i = 0; i < 2; ++i)
                motif.push_back(rhythms(design_.beatsPerBar)[static_cast<std::size_t>(
                    rng_.below(static_cast<int>(rhythms(design_.beatsPerBar).size())))]);
        const bool reuse = openings.count(p.family) != 0;
        std::vector<std::vector<MelodyNote>> &opening = openings[p.family];
        for (int b = 0; b < 8; ++b) {
            const int bar = static_cast<int>(ph) * 8 + b;
            std::vector<MelodyNote> notes;
            if (reuse && b < 4) {
                notes = opening[static_cast<std::size_t>(b)];
                degree_ = notes.back().degree;
            } else {
                Rhythm r;
                if (b == 3 || b == 7)
                    r = cadenceRhythm(design_.beatsPerBar, lastPhrase && b == 7);
                else if (b == 0 || b == 1 || b == 4 || b == 5)
                    r = motif[static_cast<std::size_t>(b % 2)];
                else
                    r = rhythms(design_.beatsPerBar)[static_cast<std::size_t>(
                        rng_.below(static_cast<int>(rhythms(design_.beatsPerBar).size())))];
                notes = melodyBar(p.chords[static_cast<std::size_t>(b)], b, lastPhrase && b == 7, r);
                if (!reuse && b < 4)
                    opening.push_back(notes);
            }
            // A gentle swell to the middle of each phrase.
            const int lift = b < 4 ? b * 2 : (7 - b) * 2;
            writeBar(bar, p.chords[static_cast<std::size_t>(b)], notes, lift);
        }
    }
    writeClosingBar(closing);

    // Everything released, then "all notes off" on every channel for players that missed a
    // release, and a short silence before the end so the last chord can fade.
    const std::uint32_t end = barTick(closing + 1);
    melody_.controller(end + 120, Melody, 123, 0);
    arp_.controller(end + 120, Arp, 123, 0);
    pad_.controller(end + 120, Pad, 123, 0);
    pad_.controller(end + 120, Bass, 123, 0);
    for (MidiTrack *t : {&conductor_, &melody_, &arp_, &pad_})
        t->end(end + kPpq / 2);

    Composition c;
    c.ticksPerQuarter = kPpq;
    c.tracks = {conductor_, melody_, arp_, pad_};
    return c;
}

} // namespace

Composition compose(const PieceDesign &design)
{
    Composer composer(design);
    return composer.run();
}

} // namespace media
