#include "random.h"

#include <QDateTime>

std::mt19937_64 &Random::engine()
{
    static std::mt19937_64 e(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()));
    return e;
}

double Random::next()
{
    // 53 random bits make a double strictly below 1.
    return (engine()() >> 11) * (1.0 / 9007199254740992.0);
}

int Random::card()
{
    return static_cast<int>(78 * next()) + 1;
}

void Random::seed(quint64 seed)
{
    engine().seed(seed);
}
