#pragma once

#include <QImage>
#include <QString>

// Card pictures by card number, and the program folder's other media files.
namespace CardPictures {

// imageFolder + "/" + n + ".jpg"
QString path(int card);
QString path(const QString &folder, int card);
// The card's picture; a reversed card is turned half a turn (mirrored top to bottom and
// left to right). A null image when the file is missing or unreadable.
QImage load(int card, bool reversed = false);
// Decoded at the given size, for thumbnails; much cheaper than a full decode.
QImage loadScaled(int card, const QSize &size);
QImage halfTurn(const QImage &image);

// Whether a folder holds a whole deck, 1.jpg to 78.jpg.
bool isCompleteDeck(const QString &folder);

// Media files below the program folder.
QString background(const QString &name);  // "nebo2.jpg", "nebo3.jpg"
QString programFile(const QString &name); // "zvuk.wav", "backarte.wav", "corvin.mid"
QString defaultMusicFolder();             // Klang/Ostrel

} // namespace CardPictures
