// The lettering of the card deck: each card's numeral in the top band and its Spanish
// name in the bottom band, painted over the picture rendered from the card's SVG source.
#pragma once

#include <QPainter>
#include <QString>

namespace media::deck {

inline constexpr int kCardWidth = 700;
inline constexpr int kCardHeight = 1240;
inline constexpr int kCardCount = 78;

struct CardInfo
{
    int number = 0;  // 1 … 78, the file name
    QString name;    // Spanish name, as in the card texts
    QString numeral; // top of the card: "XIV", "0", "As", "7", "Reina"
    bool major = false;
};

CardInfo cardInfo(int number);
// The numeral in the top band and the name in the bottom band, in gold.
void paintBands(QPainter &p, const CardInfo &card);

} // namespace media::deck
