#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

// The card meaning database: the program's file, read-only and always the source of the
// shipped texts, and the user's own database beside it, which holds only what the user
// made: the reading journal and the keywords rewritten in the school, as rows laid over
// the shipped ones (card, text, the shipped text it replaced, date).
namespace CardDatabase {

QString fileName(); // "orbelle.sqlite"
QString pristinePath();
// The full copy of the texts that earlier builds kept for the user; read once, to take
// over the keywords rewritten in it, and left as it is.
QString userCopyPath();
// The user's own database.
QString ownPath();

struct Prepared
{
    QString path;          // the file the program reads its texts from (the program's)
    QString own;           // the user's own database, or empty when there is none
    bool writable = false; // false: nothing the user makes can be stored
    QString notice;        // something the user should be told once, or empty
    QString fatal;         // the program cannot run, or empty
};

// What the database's own (English) error text means, in Spanish, with the text itself
// after it as the technical detail; the program's own texts pass unchanged.
QString problem(const QString &error);

// Checks the program's file and makes sure the user has an own database: created when
// missing (0600 in a 0700 folder), its tables brought up to date, the keywords rewritten in
// a copy of an earlier build taken over once. A damaged one is set aside under another
// name, the user told, and a fresh one started; one protected against writing is read as
// it is.
Prepared prepare();
// Whether the program may write a database file: the file and its folder are writable and
// the file was not made read-only.
bool canWrite(const QString &path);

// The shared read-only connection, `cardDb`; opened once at start. The user's own
// database is attached to it, and its keywords read through the user's rewrites.
bool openShared(const QString &path, QString *error = nullptr);
QSqlDatabase shared();
void closeShared();

// A read-write connection to the user's own database, for the school while it is open.
QSqlDatabase openStudy(const QString &path, QString *error = nullptr);
void closeStudy();

// The user's own keyword text of a card: stored (or replaced) over the shipped one, or
// dropped so the shipped text shows again. Empty when done, otherwise why not.
QString storeKeyword(QSqlDatabase &own, int card, const QString &text);
QString restoreKeyword(QSqlDatabase &own, int card);
// When the user rewrote a card's keywords (invalid when the shipped text shows).
QDateTime ownKeywordDate(int card);

// Opens a connection to the user's own database as the program needs it (WAL, foreign
// keys, a busy wait). The caller removes it.
QSqlDatabase openOwn(const QString &name, const QString &path, QString *error = nullptr);

// The stored spelling of a table, matched without regard to letter case (also for
// letters beyond ASCII, which SQLite itself compares exactly); empty when none.
QString resolveTable(const QSqlDatabase &db, const QString &name);

// The text of card n in a meaning table of the shared connection (each table's text
// column bears the table's name); empty when the table or the row is missing.
QString cardText(const QString &table, int card);

} // namespace CardDatabase
