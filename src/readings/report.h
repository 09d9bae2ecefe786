#pragma once

#include "spread.h"
#include "windows.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The readings' way into the report viewer: the append operations every reading uses.
namespace Report {
void setFontSize(int points);
void insertText(const QString &text);
// A card's picture as the reading shows it, stored no larger than the report shows it
// (on the sharpest screen); the viewer keeps the JPEG file's own bytes when the card lies
// upright and its file is no larger than that. The picture carries the card's name (cardName's form) as
// its alternative text, which screen readers say and the saved file keeps.
void insertCard(const QImage &shown, int card, bool reversed);
// Any other picture (the journal's charts), shown in its own proportions, at most six
// inches wide or tall.
void insertPicture(const QImage &picture);
// Shows the viewer in its normal state, or minimized.
void show(bool minimized);

// Today as the report's headings carry it (Dates::shortDate).
QString today();

// The name of position k's card as readings and the report give it, with " (carta invertida)" when
// it lies reversed.
QString cardName(const Spread &spread, int k);

// What a reading writes of one position: its heading, the card's name (with "(carta invertida)"
// where it lies reversed) and its text. Parts left empty are left out, but the name: left
// empty, the writer names the card itself (cardName).
struct PositionText
{
    QString heading;
    QString name;
    QString text;
};

// A reading as the report keeps it, for any reading of the catalogue (named by any of its
// windows): the catalogue's heading at 14 points with the question, the names and the
// date; then at 12 points each position in `order` (position order when empty), apart
// from the next by a line break: a line break, the card's picture (turned when it lies
// reversed), an empty line, and heading, card name and text on lines of their own where the
// position gives the name; else "heading (name): text", or the name on its own line before
// the text where there is no heading. A heading that does not end its own line (the day card's) has its line ended at 12 points
// and the last position ends with a line break. The viewer is shown.
void writeReading(WindowId reading, const Spread &spread, const QList<PositionText> &positions,
                  const QList<int> &order = {});
// A card looked at on the free board: a heading at 14 points "Carta libre: <name>", then
// at 12 points its picture and its keywords, the viewer left as it is (the board shows
// it, minimized, when collecting is switched on). The board's cards lie upright.
void writeBoardCard(const QImage &shown, int card, const QString &keywords);
} // namespace Report
