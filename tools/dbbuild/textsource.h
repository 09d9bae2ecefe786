#pragma once

#include "cardtables.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The card texts as the data/ folder holds them, and the checks every table must pass
// before it goes into the database.
namespace TextSource {

struct Entry
{
    int number = 0;
    QString text;
    int line = 0; // line of the entry's header, for messages
};

struct Parsed
{
    QMap<int, Entry> entries;
    QStringList errors;
};

// Entries "[N] label" followed by their text; see data/README.md.
Parsed parse(const QString &content, const QString &fileName, int rows);

int wordCount(const QString &text);
// Word-trigram Jaccard similarity of two texts, 0 (nothing shared) to 1 (the same words).
double similarity(const QString &a, const QString &b);
inline constexpr double kMaxSimilarity = 0.35;

// Length, near-copies, the grammar of texts that follow a name, the reader's person and
// gender, "today" in the cross, card names spelled as the deck spells them, a couple's
// words where any two people are meant, and sentence openings repeated into a formula.
QStringList check(const CardTables::Table &table, const QMap<int, Entry> &entries, const QString &fileName);

QString tableName(const CardTables::Table &table);

inline const QString kPending = QStringLiteral("Texto pendiente");

} // namespace TextSource
