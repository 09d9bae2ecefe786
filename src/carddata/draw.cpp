#include "draw.h"

#include "modOrbelle.h"
#include "random.h"

namespace Draw {

namespace {
constexpr quint8 kTaken = 255;
}

int unmarkedCount()
{
    int n = 0;
    for (int c = 1; c <= 78; ++c)
        n += modOrbelle::cardTaken[size_t(c)] != kTaken;
    return n;
}

void clearMarks()
{
    modOrbelle::cardTaken.fill(0);
}

QVector<int> distinct(int n)
{
    QVector<int> cards;
    if (n <= 0)
        return cards;
    n = qMin(n, 78);
    if (unmarkedCount() < n)
        clearMarks();
    while (cards.size() < n) {
        // The readings' own formula; a marked card is drawn again. At least n cards are
        // unmarked, so this ends.
        const int card = Random::card();
        if (modOrbelle::cardTaken[size_t(card)] == kTaken)
            continue;
        modOrbelle::cardTaken[size_t(card)] = kTaken;
        modOrbelle::cardNo = qint16(card);
        cards.append(card);
    }
    return cards;
}

} // namespace Draw
