#pragma once

#include "journalstore.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The journal as a file the user owns: JSON (the whole of it, read back by importJson) and
// CSV (one line per card, for spreadsheets). The schema is described in docs/JOURNAL.md.
namespace JournalIO {

inline constexpr int kJsonVersion = 1;

QByteArray toJson(const QVector<JournalEntry> &entries);
QByteArray toCsv(const QVector<JournalEntry> &entries);

struct Imported
{
    QVector<JournalEntry> entries;
    QString error; // in Spanish; empty when the file was read
};
// Reads what toJson wrote (ids are not kept: imported readings get new ones). A file of
// a newer version, or with a card or position out of bounds, is refused whole.
Imported fromJson(const QByteArray &bytes);
// Reads what toCsv wrote, as a spreadsheet may have saved it again: a reading is the run of
// lines from its position 1 on. Refused whole as fromJson is.
Imported fromCsv(const QByteArray &bytes);

// Adds the readings not in the journal yet (same time, kind and cards); how many were added,
// or -1 when the store refused (JournalStore::lastError()).
int addNew(const QVector<JournalEntry> &entries);

} // namespace JournalIO
