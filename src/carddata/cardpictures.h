#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Card pictures by card number, and the program folder's other media files.
//
// A connected deck may have pictures of any size, proportion and JPEG flavour (progressive,
// CMYK, turned by an EXIF orientation). Every picture is decoded at the size it is shown,
// never larger: JPEG scales while it decodes, so a 4000 × 7000 scan costs what a screen's
// worth of pixels costs. Windows show a picture inside its place without stretching it.
namespace CardPictures {

// imageFolder + "/" + n + ".jpg"
QString path(int card);
QString path(const QString &folder, int card);
// The card's picture, upright as its EXIF orientation says, no larger than the largest
// place a card has on this screen (largestShown()); a reversed card is turned half a turn
// (mirrored top to bottom and left to right). A null image when the file is missing or
// unreadable.
QImage load(int card, bool reversed = false);
// The picture fitted into `size` with its proportion kept, centred on a clear ground of
// exactly that size: thumbnails and pictures decoded for one place. A size larger than the
// largest place or screen is brought down to it, in proportion.
QImage loadScaled(int card, const QSize &size);
QImage halfTurn(const QImage &image);

// Decodes a picture file, upright, fitted into `bound` (and into largestShown()) with its
// proportion kept; a picture smaller than the bound keeps its own size. Null when the file
// cannot be read.
QImage decodeFitting(const QString &file, const QSize &bound);
// Whether a picture file can be shown, by its header alone: a regular file (never a FIFO
// or a device), a picture, within the pixel budget and the memory bound of one decode.
bool canShow(const QString &file);
// Whether it decodes: read at an eighth of its size, within the same bounds.
bool decodes(const QString &file);
// A large picture (a JPEG of more than twice the pixels of `bound`, progressive or
// baseline) is decoded once and kept at screen size in the user's data folder ("barajas");
// whether `file` is one of those.
bool needsScreenCopy(const QString &file, const QSize &bound);
// Makes the screen-size copy of card `card` of a deck where it needs one, so no reading
// has to decode the original; false when the card needs none (returns at once).
bool prepare(const QString &folder, int card);
// The largest a window shows a card on this machine's screens, in device pixels.
QSize largestShown();
// The picture on a clear ground of the place's proportion, centred, so a label or slot that
// stretches it to its own size does not distort it. A picture of (nearly) the place's own
// proportion is returned as it is. The ground is never larger than the largest place or
// screen (largestShown(), the screens in device pixels): for a place of a proportion that
// would need more, picture and ground are made smaller.
QImage framed(const QImage &picture, const QSizeF &place);

// A folder's deck checked card by card: which of 1.jpg to 78.jpg are missing, and which
// are there but cannot be read as pictures.
struct DeckCheck
{
    QList<int> missing;
    QList<int> unreadable;
    QList<int> tooLarge; // above the pixel budget, or too costly to decode
    bool complete() const { return missing.isEmpty() && unreadable.isEmpty() && tooLarge.isEmpty(); }
};
DeckCheck checkDeck(const QString &folder);
// What the user is told about a deck that is not complete (empty for a complete one).
QString deckProblem(const DeckCheck &check);

// A background picture scaled to cover `cover` pixels without distortion, centred and cut
// to exactly that size (Format_RGB888: a window-sized picture is held as long as the
// window, and a sky has no use for a fourth byte a pixel). A JPEG shown smaller than it is stored is averaged
// row by row as it decodes, so nothing larger than the cover is held at any moment.
// Null when the file cannot be read or `cover` is empty.
QImage decodeCovering(const QString &file, const QSize &cover);

// Media files below the program folder.
QString background(const QString &name);  // "nebo2.jpg", "nebo3.jpg"
QString programFile(const QString &name); // "zvuk.wav", "backarte.wav", "corvin.mid"
QString ownDeck();                        // the program's own Imagenes

} // namespace CardPictures
