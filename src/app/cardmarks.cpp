#include "cardmarks.h"

#include "random.h"

CardMarks::CardMarks(Source source) : m_source(std::move(source)) {}

void CardMarks::setSource(Source source)
{
    m_source = std::move(source);
}

int CardMarks::drawOne() const
{
    const double r = m_source ? m_source() : Random::next();
    return qBound(1, int(78 * r) + 1, 78);
}

QVector<int> CardMarks::drawDistinct(int n)
{
    QVector<int> cards;
    if (n <= 0)
        return cards;
    n = qMin(n, 78);
    if (unmarkedCount() < n)
        clear();
    while (cards.size() < n) {
        // At least n cards are unmarked, so this ends.
        const int card = drawOne();
        if (m_taken[size_t(card)])
            continue;
        m_taken[size_t(card)] = true;
        cards.append(card);
    }
    return cards;
}

bool CardMarks::isTaken(int card) const
{
    return card >= 1 && card <= 78 && m_taken[size_t(card)];
}

void CardMarks::mark(int card)
{
    if (card >= 1 && card <= 78)
        m_taken[size_t(card)] = true;
}

void CardMarks::clear()
{
    m_taken.fill(false);
}

int CardMarks::unmarkedCount() const
{
    int n = 0;
    for (int c = 1; c <= 78; ++c)
        n += !m_taken[size_t(c)];
    return n;
}
