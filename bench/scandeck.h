#pragma once

#include <QString>

#include <QByteArray>

// A connected deck of large scans for the benches: 3000×5000 JPEGs (baseline, or
// progressive), in six colours with fine detail, so the coder has work to do, card n a copy
// of card n % 6.
void makeScannedDeck(const QString &folder, bool progressive = false);

// An RTF document of one paragraph of about `bytes` of Spanish text, accents as \'hh as
// word processors write them, with a bold word now and then so the text comes in runs.
QByteArray longParagraph(qint64 bytes);
// Writes a file of `megabytes` MB of it, named "parrafo-<megabytes>.rtf" in `folder`; its
// path, or an empty one (said on stderr) when it cannot be written.
QString writeLongParagraph(const QString &folder, int megabytes);
