// The card deck: 78 pictures in card order, each one painted from code.
#pragma once

#include "paintkit.h"

#include <QImage>
#include <QString>

namespace media::deck {

inline constexpr int kCardWidth = 700;
inline constexpr int kCardHeight = 1240;
inline constexpr int kCardCount = 78;

enum class Suit { Bastos, Copas, Espadas, Oros };

struct CardInfo
{
    int number = 0;  // 1 … 78, the file name
    QString name;    // Spanish name, as in the card texts
    QString numeral; // top of the card: "XIV", "0", "As", "7", "Reina"
    bool major = false;
    int arcanum = 0; // majors: 0 (the Fool) … 21
    Suit suit = Suit::Bastos;
    int rank = 0; // minors: 1 (As) … 10, 11 Sota, 12 Caballo, 13 Reina, 14 Rey
};

CardInfo cardInfo(int number);
QImage paintCard(int number);
// The numeral in the top band and the Spanish name in the bottom band, in gold. The
// drawn deck and the one rendered from the SVG sources letter their bands the same way.
void paintBands(QPainter &p, const CardInfo &card);

// Field painters. The painter's origin is the centre of the field; the field spans
// roughly ±288 across and ±440 down.
void paintMajorField(QPainter &p, const CardInfo &card);
void paintMinorField(QPainter &p, const CardInfo &card);
void paintMajorEmblem(Ink &ink, int arcanum);

// Suit symbols, centred on `centre`. They take the ink's line colour, so the same
// drawings serve the light minor fields and the Magician's table.
void drawWand(Ink &ink, QPointF centre, double height, double angleDeg = 0.0, int leaves = 3);
void drawCup(Ink &ink, QPointF centre, double height, double angleDeg = 0.0);
void drawSword(Ink &ink, QPointF centre, double height, double angleDeg = 0.0);
void drawCoin(Ink &ink, QPointF centre, double radius);
void drawSuitSymbol(Ink &ink, Suit suit, QPointF centre, double height);

} // namespace media::deck
