#include "spread.h"

int Spread::card(int k) const
{
    return k >= 1 && k <= size() ? positions[k - 1].card : 0;
}

bool Spread::isReversed(int k) const
{
    return k >= 1 && k <= size() && positions[k - 1].reversed;
}

QVector<int> Spread::cards() const
{
    QVector<int> out;
    out.reserve(positions.size());
    for (const Position &p : positions)
        out.append(p.card);
    return out;
}

Spread Spread::of(const QVector<int> &cards)
{
    Spread s;
    for (int c : cards)
        s.positions.append({c, false});
    return s;
}
