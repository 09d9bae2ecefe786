// Builds the card meaning database from the texts in data/. Every table of the program
// gets one text column named like the table and one row per card in card order.
// Usage: dbbuild --data DIR --out FILE [--require-all]

#include "cardtables.h"
#include "textsource.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

#include <cstdio>

namespace {

void say(const QString &s)
{
    std::fprintf(stderr, "%s\n", qPrintable(s));
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addOption(
        {QStringLiteral("data"), QStringLiteral("folder of the card texts"), QStringLiteral("dir")});
    cli.addOption({QStringLiteral("out"), QStringLiteral("database to write"), QStringLiteral("file")});
    cli.addOption({QStringLiteral("require-all"), QStringLiteral("a missing entry is an error")});
    cli.process(app);
    if (!cli.isSet(QStringLiteral("data")) || !cli.isSet(QStringLiteral("out"))) {
        say(QStringLiteral("usage: dbbuild --data DIR --out FILE [--require-all]"));
        return 2;
    }
    const QDir data(cli.value(QStringLiteral("data")));
    const QString out = cli.value(QStringLiteral("out"));
    const bool requireAll = cli.isSet(QStringLiteral("require-all"));

    struct Built
    {
        QString name;
        QMap<int, TextSource::Entry> entries;
        int rows;
    };
    QList<Built> tables;
    QStringList errors;
    QCryptographicHash digest(QCryptographicHash::Sha1);

    for (const auto &t : CardTables::all) {
        const QString name = TextSource::tableName(t);
        const QString fileName = QString::fromUtf8(t.file.data(), qsizetype(t.file.size()));
        const QString path = data.filePath(fileName);
        QMap<int, TextSource::Entry> entries;
        QFile f(path);
        if (f.exists()) {
            if (!f.open(QIODevice::ReadOnly)) {
                errors << QStringLiteral("%1: %2").arg(path, f.errorString());
                continue;
            }
            const QByteArray bytes = f.readAll();
            QString text = QString::fromUtf8(bytes);
            if (text.toUtf8() != bytes) {
                errors << QStringLiteral("%1: not valid UTF-8").arg(path);
                continue;
            }
            TextSource::Parsed parsed = TextSource::parse(text, path, t.rows);
            errors << parsed.errors << TextSource::check(t, parsed.entries, path);
            entries = parsed.entries;
        }
        const int missing = t.rows - int(entries.size());
        if (missing > 0) {
            if (requireAll) {
                QStringList numbers;
                for (int n = 1; n <= t.rows; ++n)
                    if (!entries.contains(n))
                        numbers << QString::number(n);
                errors << QStringLiteral("%1: missing entries %2").arg(path, numbers.join(QLatin1Char(' ')));
            } else {
                say(QStringLiteral("dbbuild: warning: %1: %2 of %3 entries missing, filled with \"%4\"")
                        .arg(name)
                        .arg(missing)
                        .arg(t.rows)
                        .arg(TextSource::kPending));
            }
            for (int n = 1; n <= t.rows; ++n)
                if (!entries.contains(n))
                    entries.insert(n, {n, TextSource::kPending, 0});
        }
        for (const auto &e : entries) {
            digest.addData(name.toUtf8());
            digest.addData(QByteArray::number(e.number));
            digest.addData(e.text.toUtf8());
        }
        tables.append({name, entries, t.rows});
    }

    if (!errors.isEmpty()) {
        for (const QString &e : errors)
            say(QStringLiteral("dbbuild: error: ") + e);
        say(QStringLiteral("dbbuild: %1 error(s); database not written").arg(errors.size()));
        return 1;
    }

    // Written under a temporary name and moved into place, so a failed build never
    // leaves a half-written database where the program looks for one.
    const QString tmp = out + QStringLiteral(".tmp");
    QFile::remove(tmp);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("build"));
        db.setDatabaseName(tmp);
        if (!db.open()) {
            say(QStringLiteral("dbbuild: error: %1: %2").arg(tmp, db.lastError().text()));
            return 1;
        }
        QSqlQuery q(db);
        // The content's digest tells a user's copy that newer texts exist.
        const int version = int(qFromBigEndian<quint32>(digest.result().constData()) & 0x7fffffff);
        ok = q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)) && db.transaction();
        for (const Built &b : tables) {
            if (!ok)
                break;
            const bool keywords = b.name == QStringLiteral("stichwörter");
            ok = q.exec(keywords ? QStringLiteral("CREATE TABLE %1 (id INTEGER, %1 TEXT)").arg(quoted(b.name))
                                 : QStringLiteral("CREATE TABLE %1 (%1 TEXT)").arg(quoted(b.name)));
            for (const auto &e : b.entries) {
                if (!ok)
                    break;
                if (keywords) {
                    q.prepare(QStringLiteral("INSERT INTO %1 (rowid, id, %1) VALUES (?, ?, ?)")
                                  .arg(quoted(b.name)));
                    q.addBindValue(e.number);
                    q.addBindValue(e.number);
                } else {
                    q.prepare(QStringLiteral("INSERT INTO %1 (rowid, %1) VALUES (?, ?)").arg(quoted(b.name)));
                    q.addBindValue(e.number);
                }
                q.addBindValue(e.text);
                ok = q.exec();
            }
        }
        if (!ok)
            say(QStringLiteral("dbbuild: error: %1").arg(q.lastError().text()));
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("build"));
    if (!ok) {
        QFile::remove(tmp);
        return 1;
    }
    QFile::remove(out);
    if (!QFile::rename(tmp, out)) {
        say(QStringLiteral("dbbuild: error: cannot move %1 to %2").arg(tmp, out));
        QFile::remove(tmp);
        return 1;
    }
    return 0;
}
