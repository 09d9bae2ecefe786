#pragma once

#include <QTextBlockFormat>

#include "rtfresult.h"

#include <QtGlobal>

#include <functional>

class QIODevice;
class QTextBlock;
class QTextDocument;

// Reads Rich Text into a document: the files the RTF writer makes, unchanged, and what
// common word processors write. Text, font faces and sizes, bold, italic, underline,
// strike-out, colours, paragraphs with indents, spacing and alignment, line breaks,
// tabs, and JPEG and PNG pictures (taken from \shppict, never from \nonshppict) come
// through; font, colour and style tables are read or skipped, every \* destination and
// other non-text destination is skipped, unknown control words are ignored.
//
// Text in more than 64 different fonts is shown, and saved, in the document's default
// font from the 65th on.
//
// \'hh and 8-bit text are taken in the code page of the font's \fcharset, else the one
// \ansicpg names (1250-1258, 437, 850, 10000), else 1252. A \uN outside the 16-bit
// range gives U+FFFD. A picture it cannot draw (WMF, EMF and other metafiles or
// bitmaps) becomes a placeholder of its size that keeps the picture's bytes, sizes and
// format for the writer to put back; whatever else its group held (fields, objects,
// links) is dropped, as is everything nested in the group of a picture it draws.
//
// A paragraph of more than some thousand characters is read as several blocks, split
// after a space, each after the first marked as continuing it (continuesParagraph): the
// editor then lays out and paints only the parts it shows. The writer joins them again
// into one paragraph. A paragraph break typed into such a block ends the paragraph there.
//
// The time taken grows in proportion to the file's size, however long its paragraphs
// and however many fonts, colours and styles it declares.
//
// Malformed input never crashes or hangs it: missing closing braces end the document
// where the data ends, an odd hex digit or a truncated \'h is dropped, numbers are
// clamped, and the limits below bound the time and memory a file can take.
namespace RtfReader {

struct Limits
{
    qint64 maxBytes = qint64(256) << 20; // the file
    int maxDepth = 10000;                // nested groups
    qint64 maxChars = qint64(128) << 20; // characters of text in the document
    qint64 maxItems = 1000000;           // paragraphs, formatted runs and pictures
};

// Told how far the reading has come (bytes of the file parsed, of `total`) every 64 KiB
// or so; returning false stops the reading with Error::Cancelled.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Replaces the content of `doc` with the Rich Text read from `in`, which must be open
// for reading and hold the whole file. On failure `doc` holds part of the file or
// nothing: read into a fresh document and keep it only when the result is ok.
RtfResult read(QIODevice *in, QTextDocument *doc, const Limits &limits = Limits(),
               const Progress &progress = Progress());

// Whether `block` is the continuation of the paragraph of the block before it. The mark
// is a property of the block's format, so that undo, copy and paste within the program
// and a document copied whole keep it; a block that takes the format of the one it was
// split from (a paragraph break typed or inserted into it) must be given
// beginsParagraph's format (ReportEdit does it for what is typed, pasted or added).
bool continuesParagraph(const QTextBlock &block);
// `format` without the mark of a continuation.
QTextBlockFormat beginsParagraph(QTextBlockFormat format);

} // namespace RtfReader
