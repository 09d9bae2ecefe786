#pragma once

#include "rtfresult.h"

#include <atomic>
#include <memory>

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
// EMF...): their {\pict} group, as the reader kept it, is written back.
//
// Writing takes two steps. snapshot() takes from the document what the file needs (the
// texts and pictures are shared, not copied) and must run on the document's thread; it
// is cheap. write() of a snapshot does the rest (escaping, hex, PNG, the device) and may
// run on any thread. The time both take grows in proportion to the document.
namespace RtfWriter {

struct Snapshot;
std::shared_ptr<const Snapshot> snapshot(const QTextDocument &doc);

// `out` must be open for writing. On failure part of the file may have been written:
// write through a QSaveFile so that a failure never damages an existing file. When
// `stop` is given and becomes true, writing ends early with Error::Cancelled.
RtfResult write(const Snapshot &snapshot, QIODevice *out, const std::atomic<bool> *stop = nullptr);
// Both steps at once.
RtfResult write(const QTextDocument &doc, QIODevice *out);

} // namespace RtfWriter
