#pragma once

#include <QImage>
#include <QString>

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
} // namespace Report
