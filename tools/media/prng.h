// A tiny deterministic random generator for the media generators.
//
// The standard library's engines are reproducible, but its distributions are not specified
// bit for bit, so two standard libraries could paint different skies from the same seed.
// SplitMix64 with our own conversions gives the same numbers everywhere, which keeps every
// generated file byte-identical from build to build.
#pragma once

#include <cstdint>

namespace media {

class Prng
{
public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

    // Uniform integer in [0, n); n must be positive.
    int below(int n) { return static_cast<int>(uniform() * n); }

    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

} // namespace media
