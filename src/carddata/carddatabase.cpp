#include "carddatabase.h"

#include "dialogs.h"
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

// How long a connection waits for another program's lock before it gives up, in ms.
constexpr int kBusyWait = 2000;
// The start-up check waits less: it asks the user instead.
constexpr int kProbeWait = 500;
// How often the start asks to try again while another program holds the user's copy.
constexpr int kBusyAsks = 5;

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
    const QString shown = QDir::toNativeSeparators(copy);
    const auto readOnlyNotice = [&](const QString &why) {
        p.notice = QStringLiteral("No se pudo preparar su copia personal de los textos de las "
                                  "cartas:\n%1\n\n%2\n\nOrbelle funciona, pero los textos que "
                                  "cambie en la Escuela de Tarot no se podrán guardar.")
                       .arg(shown, why);
    };

    if (!Paths::makePrivateFolder(QFileInfo(copy).absolutePath())) {
        readOnlyNotice(QStringLiteral("La carpeta no admite escritura."));
        return p;
    }
    if (!QFileInfo::exists(copy)) {
        // Copy to a temporary name first, so an interrupted copy never looks like a copy.
        const QString tmp = copy + QStringLiteral(".tmp");
        QFile::remove(tmp);
        if (!QFile::copy(pristine, tmp) ||
            !QFile::setPermissions(tmp, QFile::ReadOwner | QFile::WriteOwner) || !QFile::rename(tmp, copy)) {
            QFile::remove(tmp);
            readOnlyNotice(QStringLiteral("La carpeta no admite escritura."));
            return p;
        }
    } else {
        Paths::makePrivateFile(copy);
        Inspection own = inspect(copy);
        // Another program holds the copy: the user may close it and try again.
        for (int asked = 0; own.busy && asked < kBusyAsks; ++asked) {
            const QString question =
                QStringLiteral("Otro programa está usando su copia de los textos de las cartas:\n%1\n\n"
                               "Quizá Orbelle ya está abierto. Cierre el otro programa y pulse "
                               "«Reintentar», o pulse «Ignorar» para seguir sin sus textos.")
                    .arg(shown);
            if (Dialogs::message(nullptr, question, QMessageBox::Retry | QMessageBox::Ignore,
                                 QMessageBox::Warning) != QMessageBox::Retry)
                break;
            own = inspect(copy);
        }
        if (own.busy) {
            p.notice =
                QStringLiteral("Otro programa está usando su copia de los textos de las cartas:\n%1\n\n"
                               "Orbelle muestra los textos originales, y los cambios que haga en la "
                               "Escuela de Tarot no se podrán guardar. Cierre el otro programa y "
                               "vuelva a abrir Orbelle para ver sus propios textos.")
                    .arg(shown);
            return p;
        }
        if (own.version >= 0 && own.version != original.version && canWrite(copy)) {
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

    p.path = copy;
    p.writable = canWrite(copy);
    if (!p.writable) {
        // The user's own texts are still theirs to read.
        p.notice = QStringLiteral("Su copia personal de los textos de las cartas está protegida contra "
                                  "escritura:\n%1\n\nOrbelle muestra sus textos, pero los cambios que haga "
                                  "en la Escuela de Tarot no se podrán guardar.")
                       .arg(shown);
    }
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
