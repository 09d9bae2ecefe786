#pragma once

#include <QVector>

#include <array>
#include <functional>

// The run's card marks: a card drawn by a cross, a relationship reading or the free board
// is marked and not drawn again in this run. When fewer unmarked cards are left than a
// reading needs, the marks are cleared first, so a draw always ends.
class CardMarks
{
public:
    // r uniform in [0, 1); by default the program's one generator.
    using Source = std::function<double()>;

    CardMarks() = default;
    explicit CardMarks(Source source);

    // n distinct unmarked cards, in the order drawn, each marked as it is drawn. A card is
    // the integer part of 78 × r plus 1, as every reading draws it; a marked card is
    // drawn again.
    QVector<int> drawDistinct(int n);

    bool isTaken(int card) const;
    void mark(int card);
    void clear();
    int unmarkedCount() const;

    void setSource(Source source);

private:
    int drawOne() const;

    Source m_source;
    // Indexed by card number; index 0 is unused.
    std::array<bool, 79> m_taken{};
};
