#include "carddatabase.h"

#include "modOrbelle.h"
#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include "cardtables.h"

namespace {

const QString kShared = QStringLiteral("cardDb");
const QString kStudy = QStringLiteral("study");
const QString kProbe = QStringLiteral("probe");

QSqlDatabase openConnection(const QString &name, const QString &path, bool readOnly, QString *error)
{
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    // Never create an empty database where the file is missing.
    db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY")
                                  : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
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

// Brings the texts of a copy made by an older build up to date, leaving the keywords the
// user may have rewritten in the school alone (only rows still holding the placeholder,
// and the two info texts the school never shows, are refreshed there).
bool refreshCopy(const QString &copy, const QString &pristine, int version)
{
    QString err;
    bool ok = true;
    {
        QSqlDatabase db = openConnection(QStringLiteral("refresh"), copy, false, &err);
        if (!db.isOpen())
            return false;
        QSqlQuery q(db);
        ok = q.exec(QStringLiteral("ATTACH DATABASE '%1' AS pristine")
                        .arg(QString(pristine).replace(QLatin1Char('\''), QStringLiteral("''"))));
        ok = ok && db.transaction();
        for (const auto &t : CardTables::all) {
            if (!ok)
                break;
            const QString name = QString::fromUtf8(t.name.data(), qsizetype(t.name.size()));
            const QString quoted = QLatin1Char('"') + name + QLatin1Char('"');
            if (name == QStringLiteral("stichwörter")) {
                ok = q.exec(QStringLiteral("UPDATE main.%1 SET %1 = (SELECT p.%1 FROM pristine.%1 p "
                                           "WHERE p.rowid = main.%1.rowid) "
                                           "WHERE %1 = 'Texto pendiente' OR rowid > %2")
                                .arg(quoted)
                                .arg(CardTables::kCards));
            } else {
                // A table newer than the copy is made there first.
                ok = q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS main.%1 (%1 TEXT)").arg(quoted)) &&
                     q.exec(QStringLiteral("DELETE FROM main.%1").arg(quoted)) &&
                     q.exec(QStringLiteral("INSERT INTO main.%1 (rowid, %1) "
                                           "SELECT rowid, %1 FROM pristine.%1 ORDER BY rowid")
                                .arg(quoted));
            }
        }
        ok = ok && q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
        if (ok)
            ok = db.commit();
        else
            db.rollback();
        q.exec(QStringLiteral("DETACH DATABASE pristine"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("refresh"));
    return ok;
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

namespace {
struct Inspection
{
    QString problem;  // why the file cannot serve, or empty
    int version = -1; // the texts' version stamp
};

// Every table the windows read, with a text in every row they address (a copy that lost
// a table would otherwise show empty boxes in the middle of a reading). Empty when the
// file has it all.
QString missingContent(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM karten")) || !q.next())
        return QStringLiteral("No es una base de datos de Orbelle.");
    for (const auto &t : CardTables::all) {
        const QString name = resolveTable(db, QString::fromUtf8(t.name.data(), qsizetype(t.name.size())));
        if (name.isEmpty())
            return QStringLiteral("La base de datos está incompleta.");
        // The text column bears the table's name; count(column) skips missing texts.
        if (!q.exec(QStringLiteral("SELECT count(\"%1\") FROM \"%1\" WHERE rowid BETWEEN 1 AND %2")
                        .arg(name)
                        .arg(t.rows)) ||
            !q.next() || q.value(0).toInt() != t.rows)
            return QStringLiteral("La base de datos está incompleta.");
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
        QSqlDatabase db = openConnection(kProbe, path, true, &err);
        if (!db.isOpen()) {
            result.problem = err;
        } else {
            result.problem = missingContent(db);
            result.version = userVersion(db);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(kProbe);
    return result;
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

    const QString copy = userCopyPath();
    const auto readOnlyNotice = [&](const QString &why) {
        p.notice = QStringLiteral("No se pudo preparar su copia personal de los textos de las "
                                  "cartas:\n%1\n\n%2\n\nOrbelle funciona, pero los textos que "
                                  "cambie en la Escuela de Tarot no se podrán guardar.")
                       .arg(QDir::toNativeSeparators(copy), why);
    };

    if (!QFileInfo::exists(copy)) {
        // Copy to a temporary name first, so an interrupted copy never looks like a copy.
        const QString tmp = copy + QStringLiteral(".tmp");
        QFile::remove(tmp);
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(pristine, tmp) ||
            !QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner) || !QFile::rename(tmp, copy)) {
            QFile::remove(tmp);
            readOnlyNotice(QStringLiteral("La carpeta no admite escritura."));
            return p;
        }
    } else {
        Inspection own = inspect(copy);
        if (own.version >= 0 && own.version != original.version) {
            // A copy made by another build: brought up to date first (a newer build may
            // have added tables it lacks), then judged.
            if (!refreshCopy(copy, pristine, original.version))
                qWarning("orbelle: could not bring %s up to date", qPrintable(copy));
            own = inspect(copy);
        }
        if (!own.problem.isEmpty()) {
            // Never replace a user's file we cannot read: it may hold their texts.
            readOnlyNotice(own.problem);
            return p;
        }
    }

    if (!QFileInfo(copy).isWritable()) {
        readOnlyNotice(QStringLiteral("El archivo está protegido contra escritura."));
        return p;
    }
    p.path = copy;
    p.writable = true;
    return p;
}

bool openShared(const QString &path, QString *error)
{
    QString err;
    QSqlDatabase db = openConnection(kShared, path, true, &err);
    modOrbelle::state().cardDb = kShared;
    if (error)
        *error = err;
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
    return openConnection(kStudy, path, false, error);
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
