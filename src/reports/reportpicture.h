#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextDocument>

class QPainter;
class QRectF;
class QTextCharFormat;
class QTextCursor;
class QTextImageFormat;

// A document that fetches nothing it names: a picture or style sheet it does not hold
// is empty, never read from a file (Qt's own reads any local file a name points to,
// /dev/zero included, whole). Every document of a report that Qt may lay out or print
// is one, or belongs to the viewer's editor, which answers the same.
class ClosedDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};

// Pictures in a report document. Each picture is a document resource under a name of
// its own. A picture that arrived encoded (a card's JPEG file, a picture read from an
// RTF file) stays encoded: the resource holds its bytes, which the RTF writer copies
// out unchanged, and it is decoded only to be drawn. A picture that arrived as a QImage
// is kept as that image and written as PNG.
namespace ReportPicture {

enum class Encoding { None, Jpeg, Png };

// JPEG or PNG by the file signature; None for anything else.
Encoding encodingOf(const QByteArray &bytes);

// No picture larger than this is decoded: a JPEG takes about 3 bytes a pixel while it
// is decoded, whatever size it is shown at. One that is larger shows as a placeholder.
constexpr qint64 kMaxPixels = 100'000'000;
bool withinBudget(QSize pixels);
// Files from which a picture is read: at most this large, and only regular files.
constexpr qint64 kMaxFileBytes = qint64(64) << 20;
// The bytes of a picture file; false (and `why` in Spanish) for anything but a regular
// file of at most kMaxFileBytes that could be read.
bool readFile(const QString &path, QByteArray *bytes, QString *why = nullptr);

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

// A picture's alternative text: what a screen reader says for it and what a word
// processor shows as its description. describeBefore gives it to the picture right
// before the cursor (the one just inserted), and does nothing where there is none.
QString description(const QTextImageFormat &format);
void describeBefore(const QTextCursor &cursor, const QString &text);

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
// The picture decoded; when maxSize is valid, no larger than it (a JPEG is decoded
// scaled, in a fraction of the memory and time). Null when it cannot be had, or when it
// is larger than kMaxPixels.
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

// For a copy that is printed, which Qt draws at the full size of each picture's data:
// every picture is decoded once, no larger than it is printed at `dotsPerPixel` device
// pixels per logical pixel; one that cannot be drawn is printed as the placeholder.
void decodeForPrinting(QTextDocument *doc, qreal dotsPerPixel);

// Copies the resources of every picture in `to` from `from` (a fragment copied into
// another document keeps only the names of its pictures).
void copyResources(const QTextDocument *from, QTextDocument *to);

} // namespace ReportPicture
