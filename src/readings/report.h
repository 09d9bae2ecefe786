#pragma once

#include "spread.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The readings' way into the report viewer: the append operations every reading uses.
namespace Report {
void setFontSize(int points);
void insertText(const QString &text);
// A card's picture as the reading shows it; the viewer keeps the JPEG file's own bytes
// when the card lies upright.
void insertCard(const QImage &shown, int card, bool reversed);
// One position of a reading: a line break, the card's picture (turned when it lies
// reversed), an empty line and the text.
void insertPosition(const Spread &spread, int k, const QString &text);
void insertPicture(const QImage &picture);
// Shows the viewer in its normal state, or minimized.
void show(bool minimized);

// Today as the report's headings carry it (Dates::shortDate).
QString today();

// The readings as the report keeps them. Each appends its piece and shows the viewer.
// The day card: its heading, the card as shown and the text of its box.
void writeDayCard(const Spread &spread, const QImage &shown, const QString &text);
// The cross: the question with the date, then each position's card under its heading
// with its meaning.
void writeCross(const Spread &spread, const QStringList &headings, const QStringList &meanings);
// The relationship: the two names (the second person first) with the date, then the
// positions in the order 1, 3, 2, 4, 5, 6 — each person's view of the other, of himself,
// of the relationship — each card under its heading with its text.
void writeRelationship(const Spread &spread, const QStringList &headings, const QStringList &texts);
// The Celtic cross: "Cruz celta" with the question, when one is given, and the date;
// then each position in order — its card, its numbered heading, the card's name and its
// keywords.
void writeCeltic(const Spread &spread, const QStringList &headings, const QStringList &names,
                 const QStringList &texts);
// A card looked at on the free board: its picture and its keywords, the viewer left as
// it is (the board shows it, minimized, when collecting is switched on).
void writeBoardCard(const QImage &shown, int card, const QString &keywords);
} // namespace Report
