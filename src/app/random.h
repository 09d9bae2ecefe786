#pragma once

#include <QtGlobal>

#include <random>

// The program's one random generator, seeded from the clock at start; tests seed it to
// make a reading reproducible.
class Random
{
public:
    // Uniform in [0, 1).
    static double next();
    // A card as the readings draw it: the integer part of 78 × r, plus 1.
    static int card();
    static void seed(quint64 seed);

private:
    static std::mt19937_64 &engine();
};
