// Synthesises the two card sounds from filtered noise with envelopes:
//   zvuk.wav      the crisp snap of a card dealt onto the table (about 90 ms)
//   backarte.wav  the soft swish and tap of a card turned over (about 300 ms)
//
//   media_sounds <program folder>
#include "prng.h"
#include "wavwriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = std::numbers::pi;

// Second-order section after the well-known audio cookbook formulas.
class Biquad
{
public:
    static Biquad bandPass(double freq, double q) { return make(freq, q, Kind::Band); }
    static Biquad lowPass(double freq, double q) { return make(freq, q, Kind::Low); }
    static Biquad highPass(double freq, double q) { return make(freq, q, Kind::High); }

    double operator()(double x)
    {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

    // Moves the corner without clearing the state, for sweeps.
    void retune(double freq, double q)
    {
        const Biquad t = make(freq, q, kind_);
        b0_ = t.b0_, b1_ = t.b1_, b2_ = t.b2_, a1_ = t.a1_, a2_ = t.a2_;
    }

private:
    enum class Kind { Band, Low, High };

    static Biquad make(double freq, double q, Kind kind)
    {
        Biquad f;
        f.kind_ = kind;
        const double w = 2 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
        const double a0 = 1 + alpha;
        switch (kind) {
        case Kind::Band:
            f.b0_ = alpha / a0, f.b1_ = 0, f.b2_ = -alpha / a0;
            break;
        case Kind::Low:
            f.b0_ = (1 - c) / 2 / a0, f.b1_ = (1 - c) / a0, f.b2_ = (1 - c) / 2 / a0;
            break;
        case Kind::High:
            f.b0_ = (1 + c) / 2 / a0, f.b1_ = -(1 + c) / a0, f.b2_ = (1 + c) / 2 / a0;
            break;
        }
        f.a1_ = -2 * c / a0;
        f.a2_ = (1 - alpha) / a0;
        return f;
    }

    Kind kind_ = Kind::Band;
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double noise(media::Prng &rng)
{
    return rng.uniform() * 2.0 - 1.0;
}

// Raised-cosine fades at both ends, so neither end of the sound clicks.
void fadeEnds(std::vector<double> &s, double fadeInSec, double fadeOutSec)
{
    const auto in = static_cast<std::size_t>(fadeInSec * kRate);
    const auto out = static_cast<std::size_t>(fadeOutSec * kRate);
    for (std::size_t i = 0; i < in && i < s.size(); ++i)
        s[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
    for (std::size_t i = 0; i < out && i < s.size(); ++i)
        s[s.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / out);
}

void normalise(std::vector<double> &s, double peak)
{
    double m = 0;
    for (double v : s)
        m = std::max(m, std::fabs(v));
    if (m > 0)
        for (double &v : s)
            v *= peak / m;
}

std::vector<double> dealSnap()
{
    media::Prng rng(0xDEA1);
    const std::size_t n = static_cast<std::size_t>(0.09 * kRate);
    std::vector<double> s(n);
    Biquad crisp = Biquad::bandPass(3800, 0.8);
    Biquad air = Biquad::highPass(6500, 0.7);
    Biquad body = Biquad::bandPass(900, 1.2);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = noise(rng);
        // A sharp crack that dies within a few milliseconds, over a slightly longer rustle
        // of the card's body, and a short low knock where it meets the table.
        const double crack = crisp(x) * std::exp(-t / 0.006) * 1.0;
        const double hiss = air(x) * std::exp(-t / 0.004) * 0.5;
        const double rustle = body(x) * std::exp(-t / 0.018) * 0.7;
        const double knock = std::sin(2 * kPi * (190 - 400 * t) * t) * std::exp(-t / 0.014) * 0.25;
        s[i] = crack + hiss + rustle + knock;
    }
    fadeEnds(s, 0.002, 0.02);
    normalise(s, 0.62);
    return s;
}

std::vector<double> turnSwish()
{
    media::Prng rng(0xBAC4);
    const std::size_t n = static_cast<std::size_t>(0.3 * kRate);
    std::vector<double> s(n);
    Biquad sweep = Biquad::lowPass(1200, 0.7);
    Biquad shape = Biquad::highPass(250, 0.7);
    Biquad tap = Biquad::bandPass(1700, 1.0);
    const double tapAt = 0.215;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = noise(rng);
        // The card sliding over the cloth: a swell of soft noise whose brightness rises and
        // falls with the card's speed.
        const double phase = std::clamp(t / 0.2, 0.0, 1.0);
        const double swell = std::pow(std::sin(kPi * phase), 2.0);
        if (i % 32 == 0)
            sweep.retune(900 + 2600 * swell, 0.7);
        const double slide = shape(sweep(x)) * swell * 0.55;
        // It settles with a quiet tap.
        double settle = 0;
        if (t >= tapAt) {
            const double u = t - tapAt;
            // A short rise keeps the tap soft: a card laid down, not slapped.
            const double rise = u < 0.003 ? 0.5 - 0.5 * std::cos(kPi * u / 0.003) : 1.0;
            settle = rise * (tap(x) * std::exp(-u / 0.012) * 0.8 +
                             std::sin(2 * kPi * 150 * u) * std::exp(-u / 0.014) * 0.2);
        } else {
            tap(x);
        }
        s[i] = slide + settle;
    }
    fadeEnds(s, 0.006, 0.03);
    normalise(s, 0.5);
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: media_sounds <program folder>\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    for (const auto &[name, samples] :
         {std::pair{"zvuk.wav", dealSnap()}, std::pair{"backarte.wav", turnSwish()}}) {
        if (!media::writeWav((root / name).string(), samples, kRate)) {
            std::cerr << "cannot write " << (root / name).string() << '\n';
            return 1;
        }
    }
    return 0;
}
