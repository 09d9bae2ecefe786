#include "carddatabase.h"

#include "modOrbelle.h"
#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include "cardtables.h"

namespace {

const QString kShared = QStringLiteral("cardDb");
const QString kStudy = QStringLiteral("study");
const QString kProbe = QStringLiteral("probe");

// How long a connection waits for another program's lock before it gives up, in ms.
constexpr int kBusyWait = 2000;
// The start-up check waits less: it asks the user instead.
constexpr int kProbeWait = 500;

QSqlDatabase openConnection(const QString &name, const QString &path, bool readOnly, QString *error,
                            int busyWait = kBusyWait)
{
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    // Never create an empty database where the file is missing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1%2")
                             .arg(busyWait)
                             .arg(readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("missing");
        return db;
    }
    if (!db.open() && error)
        *error = db.lastError().text();
    return db;
}

int userVersion(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
        return q.value(0).toInt();
    return -1;
}

} // namespace

namespace CardDatabase {

QString fileName()
{
    return QStringLiteral("orbelle.sqlite");
}

QString pristinePath()
{
    return Paths::join(Paths::programFolder(), fileName());
}

QString userCopyPath()
{
    return Paths::join(Paths::userDataFolder(), fileName());
}

QString ownPath()
{
    return Paths::join(Paths::userDataFolder(), QStringLiteral("orbelle-propio.sqlite"));
}

namespace {
struct Inspection
{
    QString problem;   // why the file cannot serve, or empty
    int version = -1;  // the texts' version stamp
    bool busy = false; // another program holds the file locked
};

// SQLITE_BUSY and SQLITE_LOCKED: another connection holds the file.
bool isBusy(const QSqlError &e)
{
    return e.nativeErrorCode() == QLatin1String("5") || e.nativeErrorCode() == QLatin1String("6");
}

// The stored spelling of a table's column, matched as table names are; empty when none.
QString resolveColumn(QSqlDatabase &db, const QString &table, const QString &column)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        return QString();
    while (q.next()) {
        const QString name = q.value(1).toString();
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return name;
    }
    return QString();
}

// Every table the windows read, with a text in every row they address (a copy that lost
// a table would otherwise show empty boxes in the middle of a reading). Empty when the
// file has it all.
QString missingContent(QSqlDatabase &db, bool *busy)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM karten")) || !q.next()) {
        *busy = isBusy(q.lastError());
        return *busy ? QStringLiteral("Otro programa está usando el archivo.")
                     : QStringLiteral("No es una base de datos de Orbelle.");
    }
    const QString incomplete = QStringLiteral("La base de datos está incompleta.");
    for (const auto &t : CardTables::all) {
        const QString name = resolveTable(db, QString::fromUtf8(t.name.data(), qsizetype(t.name.size())));
        if (name.isEmpty())
            return incomplete;
        // The text column bears the table's name. Looked up first: SQLite reads a quoted
        // name that is no column as a text, which count() would count in every row.
        const QString column = resolveColumn(db, name, name);
        if (column.isEmpty())
            return incomplete;
        if (name.compare(QStringLiteral("stichwörter"), Qt::CaseInsensitive) == 0 &&
            resolveColumn(db, name, QStringLiteral("id")).isEmpty())
            return incomplete;
        // count(column) skips missing texts.
        if (!q.exec(QStringLiteral("SELECT count(\"%1\") FROM \"%2\" WHERE rowid BETWEEN 1 AND %3")
                        .arg(column, name)
                        .arg(t.rows)) ||
            !q.next() || q.value(0).toInt() != t.rows)
            return incomplete;
    }
    return QString();
}

// One look at a database file: can it serve the program, and which texts it holds.
Inspection inspect(const QString &path)
{
    Inspection result;
    if (!QFileInfo::exists(path)) {
        result.problem = QStringLiteral("El archivo no existe.");
        return result;
    }
    if (!QFileInfo(path).isReadable()) {
        result.problem = QStringLiteral("El archivo no se puede leer.");
        return result;
    }
    {
        QString err;
        QSqlDatabase db = openConnection(kProbe, path, true, &err, kProbeWait);
        if (!db.isOpen()) {
            result.problem = problem(err);
        } else {
            result.problem = missingContent(db, &result.busy);
            result.version = userVersion(db);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(kProbe);
    return result;
}
} // namespace

QString problem(const QString &error)
{
    const QString e = error.toLower();
    QString meaning;
    // SQLite's own texts, as Qt passes them on.
    if (e == QLatin1String("missing"))
        return QStringLiteral("El archivo no existe.");
    if (e.contains(QLatin1String("not a database")) || e.contains(QLatin1String("malformed")) ||
        e.contains(QLatin1String("corrupt")))
        meaning = QStringLiteral("El archivo no es una base de datos de cartas o está dañado.");
    else if (e.contains(QLatin1String("locked")) || e.contains(QLatin1String("busy")))
        meaning = QStringLiteral("Otro programa está usando el archivo.");
    else if (e.contains(QLatin1String("unable to open")) || e.contains(QLatin1String("permission")) ||
             e.contains(QLatin1String("readonly")) || e.contains(QLatin1String("read-only")))
        meaning = QStringLiteral("No se puede abrir el archivo (¿falta permiso para leerlo?).");
    else if (e.contains(QLatin1String("disk")) && e.contains(QLatin1String("full")))
        meaning = QStringLiteral("No se pudo escribir: ¿está lleno el disco?");
    else
        return error; // the program's own words
    return error.trimmed().isEmpty() ? meaning
                                     : meaning + QStringLiteral("\n(Detalle técnico: %1)").arg(error.trimmed());
}

namespace {
bool samePath(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The user's own tables. Version 1: the school's keywords and the reading journal.
constexpr int kOwnVersion = 1;
const char *const kOwnSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE IF NOT EXISTS keywords (card INTEGER PRIMARY KEY, text TEXT NOT NULL, "
    "replaced TEXT, changed TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS readings (id INTEGER PRIMARY KEY, at TEXT NOT NULL, kind TEXT NOT NULL, "
    "meaning_set INTEGER NOT NULL DEFAULT 0, question TEXT NOT NULL DEFAULT '', "
    "first_name TEXT NOT NULL DEFAULT '', second_name TEXT NOT NULL DEFAULT '', "
    "title TEXT NOT NULL DEFAULT '', notes TEXT NOT NULL DEFAULT '', by_hand INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS reading_cards (reading INTEGER NOT NULL REFERENCES readings(id) "
    "ON DELETE CASCADE, position INTEGER NOT NULL, card INTEGER NOT NULL, reversed INTEGER NOT NULL, "
    "PRIMARY KEY (reading, position)) WITHOUT ROWID",
    "CREATE INDEX IF NOT EXISTS reading_cards_card ON reading_cards (card, reading)",
    "CREATE INDEX IF NOT EXISTS readings_at ON readings (at)",
};

QString nowText()
{
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

// Whether a file is a database of ours that SQLite can read whole: empty when so.
QString ownDamage(const QString &path)
{
    QString why;
    {
        QString err;
        QSqlDatabase db = openConnection(kProbe, path, true, &err, kProbeWait);
        QSqlQuery q(db);
        if (!db.isOpen())
            why = err;
        else if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next())
            why = q.lastError().text();
        else if (q.value(0).toString() != QLatin1String("ok"))
            why = q.value(0).toString();
        else if (!db.tables().isEmpty() && !db.tables().contains(QStringLiteral("meta")))
            why = QStringLiteral("not a database of this program");
        db.close();
    }
    QSqlDatabase::removeDatabase(kProbe);
    return why;
}

// The keywords of cards 1 … 78 in a database file.
QHash<int, QString> keywordsOf(const QString &path)
{
    const QString name = QStringLiteral("keywordsOf");
    QHash<int, QString> texts;
    {
        QString err;
        QSqlDatabase db = openConnection(name, path, true, &err, kProbeWait);
        const QString table = resolveTable(db, QStringLiteral("stichwörter"));
        QSqlQuery r(db);
        if (!table.isEmpty() &&
            r.exec(QStringLiteral("SELECT rowid, \"%1\" FROM main.\"%1\" WHERE rowid BETWEEN 1 AND %2")
                       .arg(table)
                       .arg(CardTables::kCards))) {
            while (r.next())
                texts.insert(r.value(0).toInt(), r.value(1).toString());
        } else {
            qWarning("orbelle: no keywords read from %s: %s", qPrintable(path),
                     qPrintable(err.isEmpty() ? r.lastError().text() : err));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return texts;
}

// Takes over, once, the keywords a copy of an earlier build holds that differ from the
// program's texts now: those are the user's own, and an edit is never lost.
bool takeOverCopy(QSqlDatabase &own, const QString &copy)
{
    QSqlQuery q(own);
    if (q.exec(QStringLiteral("SELECT 1 FROM meta WHERE key = 'copia-leida'")) && q.next())
        return true;
    if (QFileInfo::exists(copy)) {
        const QHash<int, QString> texts = keywordsOf(copy);
        const QHash<int, QString> shippedTexts = keywordsOf(pristinePath());
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            const QString shipped = shippedTexts.value(it.key());
            const QString text = it.value();
            if (text.trimmed().isEmpty() || text == QLatin1String("Texto pendiente") || text == shipped)
                continue;
            q.prepare(QStringLiteral("INSERT OR IGNORE INTO keywords (card, text, replaced, changed) "
                                     "VALUES (?, ?, ?, ?)"));
            q.addBindValue(it.key());
            q.addBindValue(text);
            q.addBindValue(shipped);
            q.addBindValue(QFileInfo(copy).lastModified().toString(Qt::ISODate));
            if (!q.exec())
                return false;
        }
    }
    return q.exec(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES ('copia-leida', '%1')")
                      .arg(nowText()));
}

// Makes the tables of the user's own database, and takes over an earlier copy, in one
// transaction: either all of it is there, or nothing changed.
QString setUpOwn(const QString &path)
{
    const QString name = QStringLiteral("ownSetUp");
    QString why;
    {
        QSqlDatabase db = openOwn(name, path, &why);
        if (db.isOpen()) {
            QSqlQuery q(db);
            bool ok = db.transaction();
            for (const char *sql : kOwnSchema)
                ok = ok && q.exec(QString::fromUtf8(sql));
            ok = ok && takeOverCopy(db, userCopyPath());
            ok = ok && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(kOwnVersion));
            if (ok)
                ok = db.commit();
            if (!ok) {
                why = q.lastError().text().isEmpty() ? db.lastError().text() : q.lastError().text();
                db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return why;
}
} // namespace

Prepared prepare()
{
    Prepared p;
    const QString pristine = pristinePath();
    const Inspection original = inspect(pristine);
    if (!original.problem.isEmpty()) {
        p.fatal = QStringLiteral("No se puede abrir la base de datos de las cartas:\n%1\n\n%2")
                      .arg(QDir::toNativeSeparators(pristine), original.problem);
        return p;
    }
    p.path = pristine;

    const QString own = ownPath();
    const QString shown = QDir::toNativeSeparators(own);
    const auto cannotStore = [&](const QString &why) {
        p.notice = QStringLiteral("No se pudo preparar tu archivo personal:\n%1\n\n%2\n\nOrbelle "
                                  "funciona, pero tu diario de lecturas y los textos que cambies en la "
                                  "Escuela de Tarot no se podrán guardar.")
                       .arg(shown, why);
    };
    if (!Paths::makePrivateFolder(QFileInfo(own).absolutePath())) {
        cannotStore(QStringLiteral("La carpeta no admite escritura."));
        return p;
    }
    if (QFileInfo::exists(own)) {
        Paths::makePrivateFile(own);
        const QString damage = ownDamage(own);
        if (!damage.isEmpty() && !problem(damage).startsWith(QLatin1String("Otro programa"))) {
            // Never written over: set aside under a name of its own, so it can still be
            // looked at or rescued, and a fresh one started.
            const QString aside = QFileInfo(own).absolutePath() + QStringLiteral("/orbelle-propio-dañado-") +
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
                                  QStringLiteral(".sqlite");
            if (!QFile::rename(own, aside)) {
                cannotStore(problem(damage));
                return p;
            }
            for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::rename(own + suffix, aside + suffix);
            p.notice = QStringLiteral("Tu archivo personal (diario de lecturas y textos propios) estaba "
                                      "dañado y no se podía leer. Lo he apartado como\n%1\ny he empezado "
                                      "uno nuevo.")
                           .arg(QDir::toNativeSeparators(aside));
        }
    }
    if (QFileInfo::exists(own) && !canWrite(own)) {
        p.own = own;
        p.notice = QStringLiteral("Tu archivo personal está protegido contra escritura:\n%1\n\nOrbelle "
                                  "muestra tu diario y tus textos, pero no podrá guardar nada nuevo.")
                       .arg(shown);
        return p;
    }
    const QString why = setUpOwn(own);
    if (!QFileInfo::exists(own)) {
        cannotStore(problem(why.isEmpty() ? QStringLiteral("unable to open") : why));
        return p;
    }
    Paths::makePrivateFile(own);
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(own + suffix))
            Paths::makePrivateFile(own + suffix);
    p.own = own;
    p.writable = why.isEmpty();
    if (!why.isEmpty())
        cannotStore(problem(why));
    return p;
}

bool canWrite(const QString &path)
{
    const QFileInfo file(path);
    // The owner's write right counts even for a user the system lets write anyway: a file
    // made read-only is meant to stay as it is. SQLite writes its journal beside the file.
    return file.isFile() && file.isWritable() && (file.permissions() & QFile::WriteOwner) &&
           QFileInfo(file.absolutePath()).isWritable();
}

bool openShared(const QString &path, QString *error)
{
    QString err;
    QSqlDatabase db = openConnection(kShared, path, true, &err);
    modOrbelle::state().cardDb = kShared;
    if (error)
        *error = err;
    if (db.isOpen() && QFileInfo::exists(ownPath()) && samePath(path, pristinePath())) {
        // The keywords read through the user's rewrites: a view of the same name comes
        // first in every query that does not name its database.
        QSqlQuery q(db);
        q.prepare(QStringLiteral("ATTACH DATABASE ? AS own"));
        q.addBindValue(ownPath());
        const bool attached = q.exec();
        if (!attached ||
            !q.exec(QStringLiteral(
                "CREATE TEMP VIEW \"stichwörter\" AS SELECT s.rowid AS rowid, s.id AS id, "
                "coalesce(k.text, s.\"stichwörter\") AS \"stichwörter\" FROM main.\"stichwörter\" s "
                "LEFT JOIN own.keywords k ON k.card = s.rowid")))
            qWarning("orbelle: the user's own keywords cannot be read: %s", qPrintable(q.lastError().text()));
        if (attached && !q.lastError().text().isEmpty())
            q.exec(QStringLiteral("DETACH DATABASE own"));
    }
    return db.isOpen();
}

QSqlDatabase shared()
{
    return QSqlDatabase::database(kShared, false);
}

void closeShared()
{
    if (QSqlDatabase::contains(kShared)) {
        QSqlDatabase::database(kShared, false).close();
        QSqlDatabase::removeDatabase(kShared);
    }
}

QSqlDatabase openStudy(const QString &path, QString *error)
{
    return openOwn(kStudy, path, error);
}

QSqlDatabase openOwn(const QString &name, const QString &path, QString *error)
{
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWait));
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        return db;
    }
    // WAL: a reading stored is on disk once its transaction ends, readers never wait for
    // the writer, and an interrupted write leaves the file as it was.
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    q.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    return db;
}

QString storeKeyword(QSqlDatabase &own, int card, const QString &text)
{
    QSqlQuery q(own);
    q.prepare(QStringLiteral("INSERT INTO keywords (card, text, replaced, changed) VALUES (?, ?, ?, ?) "
                             "ON CONFLICT (card) DO UPDATE SET text = excluded.text, "
                             "replaced = excluded.replaced, changed = excluded.changed"));
    q.addBindValue(card);
    q.addBindValue(text);
    q.addBindValue(keywordsOf(pristinePath()).value(card));
    q.addBindValue(nowText());
    if (!q.exec())
        return q.lastError().text().isEmpty() ? QStringLiteral("write failed") : q.lastError().text();
    return QString();
}

QString restoreKeyword(QSqlDatabase &own, int card)
{
    QSqlQuery q(own);
    q.prepare(QStringLiteral("DELETE FROM keywords WHERE card = ?"));
    q.addBindValue(card);
    if (!q.exec())
        return q.lastError().text().isEmpty() ? QStringLiteral("write failed") : q.lastError().text();
    return QString();
}

QDateTime ownKeywordDate(int card)
{
    QSqlQuery q(shared());
    q.prepare(QStringLiteral("SELECT changed FROM own.keywords WHERE card = ?"));
    q.addBindValue(card);
    if (!q.exec() || !q.next())
        return QDateTime();
    return QDateTime::fromString(q.value(0).toString(), Qt::ISODate);
}

void closeStudy()
{
    if (QSqlDatabase::contains(kStudy)) {
        QSqlDatabase::database(kStudy, false).close();
        QSqlDatabase::removeDatabase(kStudy);
    }
}

QString resolveTable(const QSqlDatabase &db, const QString &name)
{
    const QStringList tables = db.tables(QSql::Tables);
    for (const QString &t : tables) {
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    }
    return QString();
}

QString cardText(const QString &table, int card)
{
    const QSqlDatabase db = shared();
    const QString stored = resolveTable(db, table);
    if (stored.isEmpty())
        return QString();
    QSqlQuery q(db);
    // The name is the stored spelling of a table, quoted; the card is bound.
    q.prepare(QStringLiteral("SELECT \"%1\" FROM \"%1\" WHERE rowid = ?").arg(stored));
    q.addBindValue(card);
    if (!q.exec() || !q.next())
        return QString();
    return q.value(0).toString();
}

} // namespace CardDatabase
