#pragma once

#include <QString>
#include <QVector>

// A laid reading: the cards in the order of their positions, how each lies, the meaning
// set, the question and the persons. The reading's draw makes it and hands it to its
// windows; the interpretation, the sheets and the report read it, and nothing else
// carries a reading's cards from one window to another.
struct Spread
{
    struct Position
    {
        int card = 0; // 1 … 78
        bool reversed = false;
    };

    QVector<Position> positions;
    // The day card's meaning set (1 … 3; 3 is the reversed one); 0 where a reading has none.
    int meaningSet = 0;
    QString question;
    QString firstName;
    QString secondName;

    int size() const { return int(positions.size()); }
    bool isEmpty() const { return positions.isEmpty(); }
    // Position k counts from 1, as the readings number them; 0 for a position not laid.
    int card(int k) const;
    bool isReversed(int k) const;
    QVector<int> cards() const;

    // A spread of upright cards in this order.
    static Spread of(const QVector<int> &cards);

    bool operator==(const Spread &) const = default;
};

inline bool operator==(const Spread::Position &a, const Spread::Position &b)
{
    return a.card == b.card && a.reversed == b.reversed;
}
