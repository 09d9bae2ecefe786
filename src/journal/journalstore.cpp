#include "journalstore.h"

#include "carddatabase.h"
#include "dialogs.h"
#include "modOrbelle.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <sys/stat.h>

namespace {
const QString kConnection = QStringLiteral("journal");

// A text column takes an empty text, never NULL.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

// The stored time, read without the general date parser: the list reads thousands.
QDateTime timeOf(const QString &s)
{
    if (s.size() < 19)
        return QDateTime::fromString(s, Qt::ISODate);
    const QStringView v(s);
    return QDateTime(QDate(v.mid(0, 4).toInt(), v.mid(5, 2).toInt(), v.mid(8, 2).toInt()),
                     QTime(v.mid(11, 2).toInt(), v.mid(14, 2).toInt(), v.mid(17, 2).toInt()));
}

QString atText(const QDateTime &at)
{
    return at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// What SQLite said, in words the user can act on.
QString meaning(const QSqlError &e)
{
    const QString t = e.text().toLower();
    if (t.contains(QLatin1String("full")))
        return QStringLiteral("No queda espacio en el disco. Lo que ya estaba guardado sigue ahí.");
    if (t.contains(QLatin1String("readonly")) || t.contains(QLatin1String("read-only")))
        return QStringLiteral("Tu archivo personal está protegido contra escritura.");
    if (t.contains(QLatin1String("locked")) || t.contains(QLatin1String("busy")))
        return QStringLiteral("Otro programa está usando tu archivo personal.");
    return QStringLiteral("La base de datos no aceptó el cambio (%1).").arg(e.text().trimmed());
}

void bindFilter(QString &sql, QVariantList &params, const JournalFilter &f)
{
    QStringList where;
    if (!f.text.trimmed().isEmpty()) {
        QString pattern = f.text.trimmed();
        pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        QStringList fields;
        for (const char *field : {"question", "first_name", "second_name", "title", "notes"}) {
            fields << QStringLiteral("r.%1 LIKE ? ESCAPE '\\'").arg(QLatin1String(field));
            params << QStringLiteral("%") + pattern + QStringLiteral("%");
        }
        where << QLatin1Char('(') + fields.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    if (!f.kind.isEmpty()) {
        where << QStringLiteral("r.kind = ?");
        params << f.kind;
    }
    if (f.card > 0) {
        where << QStringLiteral("r.id IN (SELECT reading FROM reading_cards WHERE card = ?)");
        params << f.card;
    }
    if (f.id > 0) {
        where << QStringLiteral("r.id = ?");
        params << f.id;
    }
    if (f.from.isValid()) {
        where << QStringLiteral("r.at >= ?");
        params << f.from.toString(Qt::ISODate);
    }
    if (f.to.isValid()) {
        where << QStringLiteral("r.at < ?");
        params << f.to.addDays(1).toString(Qt::ISODate);
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
}
} // namespace

double JournalStats::againstChance(int card) const
{
    if (cards == 0 || card < 1 || card > 78)
        return 0;
    return perCard[size_t(card)] / (cards / 78.0);
}

namespace Journal {

const QStringList &kinds()
{
    static const QStringList all{QStringLiteral("dia"),   QStringLiteral("cruz"),     QStringLiteral("relacion"),
                                 QStringLiteral("celta"), QStringLiteral("decision"), QStringLiteral("tablero")};
    return all;
}

QString kindLabel(const QString &kind)
{
    static const QHash<QString, QString> labels{
        {QStringLiteral("dia"), QStringLiteral("Carta del día")},
        {QStringLiteral("cruz"), QStringLiteral("Cruz")},
        {QStringLiteral("relacion"), QStringLiteral("Relación")},
        {QStringLiteral("celta"), QStringLiteral("Cruz celta")},
        {QStringLiteral("decision"), QStringLiteral("Juego de decisión")},
        {QStringLiteral("tablero"), QStringLiteral("Tablero libre")},
    };
    return labels.value(kind, kind);
}

QString kindOfMenu(const QString &menuName)
{
    static const QHash<QString, QString> kinds{
        {QStringLiteral("mnuTag"), QStringLiteral("dia")},       {QStringLiteral("mnukreuz"), QStringLiteral("cruz")},
        {QStringLiteral("mnuBezi"), QStringLiteral("relacion")}, {QStringLiteral("mnuKelt"), QStringLiteral("celta")},
        {QStringLiteral("mnuEnt"), QStringLiteral("decision")},
    };
    return kinds.value(menuName);
}

int suitOf(int card)
{
    if (card <= 22)
        return 0;
    return (card - 23) / 14 + 1;
}

} // namespace Journal

JournalStore &JournalStore::instance()
{
    static JournalStore store;
    return store;
}

bool JournalStore::fail(const QString &error)
{
    m_error = error;
    qWarning("orbelle: journal: %s", qPrintable(error));
    return false;
}

bool JournalStore::ready()
{
    const QString path = modOrbelle::state().dbPath;
    struct stat file;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &file) != 0) {
        close();
        // Said where the user asks for the journal; a reading shown goes on without it.
        m_error = QStringLiteral("Tu archivo personal no está disponible, así que el diario no se puede "
                                 "guardar.");
        return false;
    }
    // The same file, not only the same name: one made anew is opened anew.
    if (m_db.isOpen() && path == m_path && file.st_ino == m_inode && file.st_dev == m_device)
        return true;
    close();
    QString error;
    m_db = CardDatabase::openOwn(kConnection, path, &error);
    if (!m_db.isOpen()) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return fail(CardDatabase::problem(error));
    }
    m_path = path;
    m_inode = file.st_ino;
    m_device = file.st_dev;
    return true;
}

void JournalStore::close()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
    }
    m_path.clear();
}

bool JournalStore::isAvailable()
{
    return ready();
}

bool JournalStore::isWritable()
{
    return ready() && CardDatabase::canWrite(m_path);
}

bool JournalStore::insert(const JournalEntry &e, qint64 *id)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("INSERT INTO readings (id, at, kind, meaning_set, question, first_name, second_name, "
                             "title, notes, by_hand) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(e.id > 0 ? QVariant(e.id) : QVariant());
    q.addBindValue(atText(e.at));
    q.addBindValue(text(e.kind));
    q.addBindValue(e.spread.meaningSet);
    q.addBindValue(text(e.spread.question));
    q.addBindValue(text(e.spread.firstName));
    q.addBindValue(text(e.spread.secondName));
    q.addBindValue(text(e.title));
    q.addBindValue(text(e.notes));
    q.addBindValue(e.byHand ? 1 : 0);
    if (!q.exec())
        return fail(meaning(q.lastError()));
    *id = q.lastInsertId().toLongLong();
    QSqlQuery c(m_db);
    c.prepare(QStringLiteral("INSERT INTO reading_cards (reading, position, card, reversed) VALUES (?, ?, ?, ?)"));
    for (int k = 1; k <= e.spread.size(); ++k) {
        c.addBindValue(*id);
        c.addBindValue(k);
        c.addBindValue(e.spread.card(k));
        c.addBindValue(e.spread.isReversed(k) ? 1 : 0);
        if (!c.exec())
            return fail(meaning(c.lastError()));
    }
    return true;
}

qint64 JournalStore::add(const JournalEntry &entry)
{
    if (!ready())
        return 0;
    // A file made read-only is meant to stay as it is, whoever runs the program.
    if (!CardDatabase::canWrite(m_path))
        return fail(QStringLiteral("Tu archivo personal está protegido contra escritura.")), 0;
    qint64 id = 0;
    // One transaction: a reading is there with all its cards, or not at all.
    if (!m_db.transaction())
        return fail(meaning(m_db.lastError())), 0;
    if (insert(entry, &id) && m_db.commit())
        return id;
    if (m_error.isEmpty())
        m_error = meaning(m_db.lastError());
    m_db.rollback();
    return 0;
}

bool JournalStore::restore(const JournalEntry &entry)
{
    return entry.id > 0 && add(entry) == entry.id;
}

bool JournalStore::change(const QString &sql, const QVariantList &values)
{
    if (!ready())
        return false;
    QSqlQuery q(m_db);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    return q.exec() || fail(meaning(q.lastError()));
}

bool JournalStore::remove(qint64 id)
{
    return change(QStringLiteral("DELETE FROM readings WHERE id = ?"), {id});
}

bool JournalStore::setTitle(qint64 id, const QString &title)
{
    return change(QStringLiteral("UPDATE readings SET title = ? WHERE id = ?"), {text(title), id});
}

bool JournalStore::setNotes(qint64 id, const QString &notes)
{
    return change(QStringLiteral("UPDATE readings SET notes = ? WHERE id = ?"), {text(notes), id});
}

bool JournalStore::setPersons(qint64 id, const Spread &spread)
{
    return change(QStringLiteral("UPDATE readings SET question = ?, first_name = ?, second_name = ? WHERE id = ?"),
                  {text(spread.question), text(spread.firstName), text(spread.secondName), id});
}

QVector<JournalEntry> JournalStore::list(const JournalFilter &filter, bool withCards)
{
    QVector<JournalEntry> result;
    if (!ready())
        return result;
    QString sql = QStringLiteral("SELECT r.id, r.at, r.kind, r.meaning_set, r.question, r.first_name, "
                                 "r.second_name, r.title, r.notes, r.by_hand FROM readings r");
    QVariantList params;
    bindFilter(sql, params, filter);
    sql += QStringLiteral(" ORDER BY r.at DESC, r.id DESC");
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec()) {
        fail(meaning(q.lastError()));
        return result;
    }
    QHash<qint64, int> index;
    while (q.next()) {
        JournalEntry e;
        e.id = q.value(0).toLongLong();
        e.at = timeOf(q.value(1).toString());
        e.kind = q.value(2).toString();
        e.spread.meaningSet = q.value(3).toInt();
        e.spread.question = q.value(4).toString();
        e.spread.firstName = q.value(5).toString();
        e.spread.secondName = q.value(6).toString();
        e.title = q.value(7).toString();
        e.notes = q.value(8).toString();
        e.byHand = q.value(9).toBool();
        index.insert(e.id, int(result.size()));
        result.append(e);
    }
    if (!withCards)
        return result;
    // The cards of all of them in one pass, in position order.
    QString cardsSql = QStringLiteral("SELECT c.reading, c.card, c.reversed FROM reading_cards c WHERE "
                                      "c.reading IN (SELECT r.id FROM readings r");
    QVariantList cardParams;
    bindFilter(cardsSql, cardParams, filter);
    cardsSql += QStringLiteral(") ORDER BY c.reading, c.position");
    QSqlQuery c(m_db);
    c.setForwardOnly(true);
    c.prepare(cardsSql);
    for (const QVariant &p : cardParams)
        c.addBindValue(p);
    if (!c.exec()) {
        fail(meaning(c.lastError()));
        return result;
    }
    while (c.next()) {
        const auto it = index.constFind(c.value(0).toLongLong());
        if (it != index.cend())
            result[*it].spread.positions.append({c.value(1).toInt(), c.value(2).toBool()});
    }
    return result;
}

JournalEntry JournalStore::entry(qint64 id)
{
    JournalFilter f;
    f.id = id;
    const QVector<JournalEntry> one = id > 0 ? list(f, true) : QVector<JournalEntry>();
    return one.isEmpty() ? JournalEntry() : one.first();
}

QSet<QDate> JournalStore::days()
{
    QSet<QDate> result;
    if (!ready())
        return result;
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("SELECT DISTINCT substr(at, 1, 10) FROM readings"))) {
        while (q.next())
            result.insert(QDate::fromString(q.value(0).toString(), Qt::ISODate));
    }
    return result;
}

int JournalStore::count()
{
    if (!ready())
        return 0;
    QSqlQuery q(m_db);
    return q.exec(QStringLiteral("SELECT count(*) FROM readings")) && q.next() ? q.value(0).toInt() : 0;
}

JournalStats JournalStore::stats(const QDate &from, const QDate &to)
{
    JournalStats s;
    if (!ready())
        return s;
    JournalFilter f;
    f.from = from;
    f.to = to;
    QString sql = QStringLiteral("SELECT c.card, c.reversed, count(*) FROM reading_cards c WHERE c.reading IN "
                                 "(SELECT r.id FROM readings r");
    QVariantList params;
    bindFilter(sql, params, f);
    sql += QStringLiteral(") GROUP BY c.card, c.reversed");
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (q.exec()) {
        while (q.next()) {
            const int card = q.value(0).toInt(), n = q.value(2).toInt();
            if (card < 1 || card > 78)
                continue;
            s.perCard[size_t(card)] += n;
            s.cards += n;
            if (q.value(1).toBool())
                s.reversed += n;
            const int suit = Journal::suitOf(card);
            if (suit == 0)
                s.major += n;
            else
                s.suits[size_t(suit - 1)] += n, s.minor += n;
        }
    }
    sql = QStringLiteral("SELECT substr(r.at, 1, 7), count(*) FROM readings r");
    params.clear();
    bindFilter(sql, params, f);
    sql += QStringLiteral(" GROUP BY 1 ORDER BY 1");
    QSqlQuery m(m_db);
    m.setForwardOnly(true);
    m.prepare(sql);
    for (const QVariant &p : params)
        m.addBindValue(p);
    if (m.exec()) {
        while (m.next()) {
            const QDate month = QDate::fromString(m.value(0).toString() + QStringLiteral("-01"), Qt::ISODate);
            s.perMonth.append({month, m.value(1).toInt()});
            s.readings += m.value(1).toInt();
        }
    }
    return s;
}

namespace JournalRecorder {
namespace {
struct Last
{
    qint64 id = 0;
    QString kind;
    QVector<int> cards;
    QPointer<QObject> window;
};
Last &last()
{
    static Last l;
    return l;
}
} // namespace

qint64 laid(QObject *window, const QString &kind, const Spread &spread, bool byHand)
{
    if (kind.isEmpty() || spread.isEmpty())
        return 0;
    Last &l = last();
    // The next window of the same reading, showing the same cards.
    if (l.id && l.window && l.kind == kind && l.cards == spread.cards()) {
        l.window = window;
        return l.id;
    }
    JournalEntry e;
    e.at = QDateTime::currentDateTime();
    e.kind = kind;
    e.spread = spread;
    e.byHand = byHand;
    const qint64 id = JournalStore::instance().add(e);
    l = {id, kind, spread.cards(), window};
    // A journal that cannot store is told once a run, after the reading has shown; with
    // no file of the user's own the start has said so already.
    static bool told = false;
    if (!id && !told && !modOrbelle::state().dbPath.isEmpty()) {
        told = true;
        const QString why = JournalStore::instance().lastError();
        QTimer::singleShot(0, [why] {
            Dialogs::message(nullptr,
                             QStringLiteral("Esta lectura no se pudo guardar en tu diario de lecturas.\n\n%1\n\n"
                                            "Las lecturas guardadas antes siguen ahí.")
                                 .arg(why),
                             QMessageBox::Ok, QMessageBox::Warning);
        });
    }
    return id;
}

void completed(const QString &kind, const Spread &spread)
{
    const Last &l = last();
    if (l.id && l.window && l.kind == kind && l.cards == spread.cards())
        JournalStore::instance().setPersons(l.id, spread);
}

} // namespace JournalRecorder
