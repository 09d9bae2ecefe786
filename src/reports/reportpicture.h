#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

class QPainter;
class QRectF;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;
class QTextImageFormat;

// Pictures in a report document. Each picture is a document resource under a name of
// its own. A picture that arrived encoded (a card's JPEG file, a picture read from an
// RTF file) stays encoded: the resource holds its bytes, which the RTF writer copies
// out unchanged, and it is decoded only to be drawn. A picture that arrived as a QImage
// is kept as that image and written as PNG.
namespace ReportPicture {

enum class Encoding { None, Jpeg, Png };

// JPEG or PNG by the file signature; None for anything else.
Encoding encodingOf(const QByteArray &bytes);

// The size in pixels the encoded picture declares in its header (no full decode);
// invalid when the bytes are not a picture Qt can read.
QSize encodedSize(const QByteArray &bytes);

// Inserts a picture at the cursor and moves the cursor behind it. displaySize is the
// size in the report in logical pixels (15 twips each); an empty size means the
// picture's own pixel size. Text typed after the picture keeps the cursor's format.
// Returns false, inserting nothing, for a null image or bytes that are neither a
// readable JPEG nor PNG.
bool insertImage(QTextCursor &cursor, const QImage &image, QSizeF displaySize = {});
bool insertEncoded(QTextCursor &cursor, const QByteArray &bytes, QSizeF displaySize = {});

// A picture this program cannot draw, read from an RTF file: `rtfGroup` is its whole
// {\pict ...} group as the file had it. It shows as a framed placeholder of displaySize
// saying kUnavailable, prints as one, and the writer puts the group back unchanged.
bool insertForeign(QTextCursor &cursor, const QByteArray &rtfGroup, QSizeF displaySize);
// The group of such a picture; empty for every other picture.
QByteArray foreignRtf(const QTextImageFormat &format);
// The text of the placeholder.
extern const QString kUnavailable;
// Draws the placeholder into `rect`.
void paintPlaceholder(QPainter *painter, const QRectF &rect);

// What a picture of the document holds: the encoded bytes when it has them (its
// encoding in *encoding), otherwise null bytes and *encoding None.
QByteArray encodedBytes(const QTextDocument *doc, const QTextImageFormat &format, Encoding *encoding);
// The picture's pixel size without decoding it where that can be avoided.
QSize pixelSize(const QTextDocument *doc, const QTextImageFormat &format);
// The picture decoded; when maxSize is valid, no larger than it (a scaled decode of a
// JPEG is several times faster than a full one). Null when it cannot be had.
QImage image(const QTextDocument *doc, const QTextImageFormat &format, QSize maxSize = {});
// The size it takes in the report, in logical pixels.
QSizeF displaySize(const QTextDocument *doc, const QTextImageFormat &format);

// A character format stripped of what makes it a picture: the format text goes on in
// after a picture (Qt's cursor would otherwise hand the picture's name to the text).
QTextCharFormat withoutPicture(QTextCharFormat format);

// Makes every picture wider than `width` (logical pixels) less the margins of its
// paragraph that wide, keeping its proportions; returns how many it changed. For a
// copy that is printed: the pictures stay as the file asked in the report itself.
int fitToWidth(QTextDocument *doc, qreal width);

// Copies the resources of every picture in `to` from `from` (a fragment copied into
// another document keeps only the names of its pictures).
void copyResources(const QTextDocument *from, QTextDocument *to);

} // namespace ReportPicture
