#pragma once

#include "spread.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <array>

// One reading as the journal keeps it.
struct JournalEntry
{
    qint64 id = 0;
    QDateTime at;
    QString kind;  // Journal::kinds(): "dia", "cruz", "relacion", "celta", "decision", "tablero"
    Spread spread; // cards in position order, the meaning set, the question, the names
    QString title;
    QString notes;
    bool byHand = false; // laid with the user's own deck and entered by hand

    bool operator==(const JournalEntry &) const = default;
};

// What the journal lists: every condition left empty (or 0) lets all through.
struct JournalFilter
{
    QString text; // in the question, the names, the title and the notes
    QString kind;
    int card = 0;
    QDate from;
    QDate to;
    qint64 id = 0; // one reading only
};

// How often things came up among the readings of a period.
struct JournalStats
{
    int readings = 0;
    int cards = 0;                 // cards laid in all
    std::array<int, 79> perCard{}; // by card number, 1 … 78
    int major = 0;
    int minor = 0;
    std::array<int, 4> suits{}; // Bastos, Copas, Espadas, Oros
    int reversed = 0;
    QVector<QPair<QDate, int>> perMonth; // first day of the month, readings; in date order

    // How many times card n came up against the 1 in 78 a fair deck gives (1 = as often).
    double againstChance(int card) const;
};

namespace Journal {
// The kinds of reading in menu order, and what the user reads for each.
const QStringList &kinds();
QString kindLabel(const QString &kind);
// The kind of the catalogue entry with this menu name; empty for none.
QString kindOfMenu(const QString &menuName);
// 0: major arcana (1 … 22), 1 … 4: Bastos, Copas, Espadas, Oros.
int suitOf(int card);
} // namespace Journal

// The reading journal in the user's own database. Every call opens the connection when
// needed (the file the run state names) and reports failures by its return value and
// lastError(), in Spanish; nothing stored is ever dropped to make room.
class JournalStore
{
public:
    static JournalStore &instance();

    bool isAvailable();
    bool isWritable();
    QString lastError() const { return m_error; }

    // Stores a reading; its id, or 0 when it could not be stored.
    qint64 add(const JournalEntry &entry);
    // Puts a deleted entry back with its own id.
    bool restore(const JournalEntry &entry);
    bool remove(qint64 id);
    bool setTitle(qint64 id, const QString &title);
    bool setNotes(qint64 id, const QString &notes);
    // The question and the names, once the reading asked for them.
    bool setPersons(qint64 id, const Spread &spread);

    JournalEntry entry(qint64 id);
    // Newest first; the cards only when asked for (a long list does without them).
    QVector<JournalEntry> list(const JournalFilter &filter = {}, bool withCards = false);
    QSet<QDate> days();
    JournalStats stats(const QDate &from = {}, const QDate &to = {});
    int count();

    // Drops the connection (the file is being replaced, or the run ends).
    void close();

private:
    JournalStore() = default;
    bool ready();
    bool fail(const QString &error);
    // Runs one statement that changes the store with these values bound; false, said
    // through fail, when it cannot.
    bool change(const QString &sql, const QVariantList &values);
    bool insert(const JournalEntry &entry, qint64 *id);

    QSqlDatabase m_db;
    QString m_path;
    quint64 m_inode = 0;
    quint64 m_device = 0;
    QString m_error;
};

// Records every reading once, as its interpretation shows: the windows of one reading
// that show the same cards one after another (the cross and its question sheet) make one
// entry, and what a reading asks later (the question, at "Guardar") completes it.
namespace JournalRecorder {
// `window` is the interpretation that shows; 0 when nothing was stored.
qint64 laid(QObject *window, const QString &kind, const Spread &spread, bool byHand = false);
// The reading shown last, while its window is there, takes the question and names.
void completed(const QString &kind, const Spread &spread);
} // namespace JournalRecorder
