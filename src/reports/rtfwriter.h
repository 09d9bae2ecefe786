#pragma once

#include "rtfresult.h"

class QIODevice;
class QTextDocument;

// Writes a document as Rich Text that word processors open with its text, font faces
// and sizes, bold, italic, underline, strike-out, colours, paragraphs, indents,
// alignment and pictures intact.
//
// The file declares code page 1252. Text outside ASCII is written as \uN with a code
// page fallback (\'hh where the code page has the character, "?" elsewhere), characters
// beyond U+FFFF as their two surrogates. JPEG and PNG pictures that the document holds
// encoded are copied out byte for byte; other pictures are written as PNG, except the
// placeholders of pictures read from a file in a form this program cannot draw (WMF,
// EMF...): their {\pict} group is written back exactly as it was read.
namespace RtfWriter {

// `out` must be open for writing. On failure part of the file may have been written:
// write through a QSaveFile so that a failure never damages an existing file.
RtfResult write(const QTextDocument &doc, QIODevice *out);

} // namespace RtfWriter
