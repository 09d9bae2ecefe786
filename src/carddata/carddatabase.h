#pragma once

#include <QSqlDatabase>
#include <QString>

// The card meaning database: the pristine file in the program folder, the user's own
// copy that the tarot school writes, and the program's two connections to it.
namespace CardDatabase {

QString fileName(); // "orbelle.sqlite"
QString pristinePath();
QString userCopyPath();

struct Prepared
{
    QString path;          // the file the program should read
    bool writable = false; // false: the school cannot store texts
    QString notice;        // something the user should be told once, or empty
    QString fatal;         // the program cannot run, or empty
};

// What the database's own (English) error text means, in Spanish, with the text itself
// after it as the technical detail; the program's own texts pass unchanged.
QString problem(const QString &error);

// Makes sure the user has an own copy of the database: created from the pristine file
// when missing, never overwritten, the user's alone (0600 in a 0700 folder). A copy made by
// an older build gets the newer texts of every table except the keywords the user may have
// rewritten. A copy that another program holds locked is asked about (try again, or go on
// with the program's texts); one protected against writing is read as it is.
Prepared prepare();
// Whether the program may write a database file: the file and its folder are writable and
// the file was not made read-only.
bool canWrite(const QString &path);

// The shared read-only connection, `cardDb`; opened once at start.
bool openShared(const QString &path, QString *error = nullptr);
QSqlDatabase shared();
void closeShared();

// The tarot school's read-write connection, opened when the school loads.
QSqlDatabase openStudy(const QString &path, QString *error = nullptr);
void closeStudy();

// The stored spelling of a table, matched without regard to letter case (also for
// letters beyond ASCII, which SQLite itself compares exactly); empty when none.
QString resolveTable(const QSqlDatabase &db, const QString &name);

// The text of card n in a meaning table of the shared connection (each table's text
// column bears the table's name); empty when the table or the row is missing.
QString cardText(const QString &table, int card);

} // namespace CardDatabase
