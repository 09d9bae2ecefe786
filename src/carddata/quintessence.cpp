#include "quintessence.h"

#include <QString>

namespace Quintessence {

int cardValue(int card)
{
    if (card >= 1 && card <= 21)
        return card;
    if (card == 22)
        return 0;
    if (card >= 23 && card <= 78) {
        const int inSuit = (card - 23) % 14; // 0: As … 9: ten, 10–13: the court
        return inSuit < 10 ? inSuit + 1 : 0;
    }
    return 0;
}

int sum(const Spread &spread)
{
    int total = 0;
    for (const Spread::Position &p : spread.positions)
        total += cardValue(p.card);
    return total;
}

int fold(int sum)
{
    const QString digits = QString::number(qMax(0, sum));
    const int a = digits.front().digitValue();
    const int b = digits.back().digitValue();
    int q = a + b;
    if (digits.size() == 3)
        q += digits.left(2).toInt();
    return q;
}

int of(const Spread &spread)
{
    // Ten cards can sum past 129, whose fold passes 21 (139 gives 23): such a number is
    // folded again until it names a major arcanum.
    int q = fold(sum(spread));
    while (q > 21)
        q = fold(q);
    return q;
}

int cardFor(int q)
{
    return q == 0 ? 22 : q;
}

} // namespace Quintessence
