#pragma once

#include "spread.h"

#include <QDate>
#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>

// The readings' way into the report viewer: the append operations every reading uses.
namespace Report {
void setFontSize(int points);
void insertText(const QString &text);
// A card's picture as the reading shows it; the viewer keeps the JPEG file's own bytes
// when the card lies upright.
void insertCard(const QImage &shown, int card, bool reversed);
void insertPicture(const QImage &picture);
// Shows the viewer in its normal state, or minimized.
void show(bool minimized);

// A date as the report's headings carry it: in the system's short form when the system
// speaks Spanish, in the Spanish one otherwise.
QString dateText(const QDate &date, const QLocale &system);
// Today, so.
QString today();

// The readings as the report keeps them. Each appends its piece and shows the viewer.
// The day card: its heading, the card as shown and the text of its box.
void writeDayCard(const Spread &spread, const QImage &shown, const QString &text);
// The cross: the question with the date, then each position's card under its heading
// with its meaning.
void writeCross(const Spread &spread, const QStringList &headings, const QStringList &meanings);
} // namespace Report
