#include "journalio.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString s = text;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

const QString kCsvHeader =
    QStringLiteral("fecha,tipo,juego,pregunta,nombre1,nombre2,titulo,notas,a_mano,posicion,carta,invertida");

// The records of a CSV text as RFC 4180 writes them: fields quoted where they hold commas,
// quotes or line breaks, a quote inside doubled; lines end in CRLF or LF.
QList<QStringList> csvRecords(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty())
                records << (record << field);
            record.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty())
        records << (record << field);
    return records;
}

QString keyOf(const JournalEntry &e)
{
    QStringList cards;
    for (const Spread::Position &p : e.spread.positions)
        cards << QString::number(p.reversed ? -p.card : p.card);
    return e.at.toString(Qt::ISODate) + QLatin1Char('|') + e.kind + QLatin1Char('|') + cards.join(QLatin1Char(','));
}
} // namespace

namespace JournalIO {

QByteArray toJson(const QVector<JournalEntry> &entries)
{
    QJsonArray readings;
    for (const JournalEntry &e : entries) {
        QJsonArray cards;
        for (int k = 1; k <= e.spread.size(); ++k)
            cards.append(QJsonObject{{QStringLiteral("position"), k},
                                     {QStringLiteral("card"), e.spread.card(k)},
                                     {QStringLiteral("reversed"), e.spread.isReversed(k)}});
        readings.append(QJsonObject{
            {QStringLiteral("at"), e.at.toString(Qt::ISODate)},
            {QStringLiteral("kind"), e.kind},
            {QStringLiteral("meaningSet"), e.spread.meaningSet},
            {QStringLiteral("question"), e.spread.question},
            {QStringLiteral("firstName"), e.spread.firstName},
            {QStringLiteral("secondName"), e.spread.secondName},
            {QStringLiteral("title"), e.title},
            {QStringLiteral("notes"), e.notes},
            {QStringLiteral("byHand"), e.byHand},
            {QStringLiteral("cards"), cards},
        });
    }
    const QJsonObject root{{QStringLiteral("format"), QStringLiteral("orbelle-diario")},
                           {QStringLiteral("version"), kJsonVersion},
                           {QStringLiteral("readings"), readings}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray toCsv(const QVector<JournalEntry> &entries)
{
    QStringList lines{kCsvHeader};
    for (const JournalEntry &e : entries) {
        const QString head = QStringList{e.at.toString(Qt::ISODate), e.kind, QString::number(e.spread.meaningSet),
                                         csvField(e.spread.question),
                                         csvField(e.spread.firstName), csvField(e.spread.secondName),
                                         csvField(e.title), csvField(e.notes), e.byHand ? QStringLiteral("1")
                                                                                         : QStringLiteral("0")}
                                 .join(QLatin1Char(','));
        for (int k = 1; k <= e.spread.size(); ++k)
            lines << head + QStringLiteral(",%1,%2,%3").arg(k).arg(e.spread.card(k)).arg(e.spread.isReversed(k) ? 1 : 0);
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

Imported fromJson(const QByteArray &bytes)
{
    Imported result;
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    const QJsonObject root = doc.object();
    if (parse.error != QJsonParseError::NoError || root.value(QStringLiteral("format")).toString() !=
                                                       QLatin1String("orbelle-diario")) {
        result.error = QStringLiteral("El archivo no es un diario de Orbelle.");
        return result;
    }
    const int version = root.value(QStringLiteral("version")).toInt();
    if (version < 1 || version > kJsonVersion) {
        result.error = QStringLiteral("El diario es de una versión de Orbelle más nueva (%1); actualiza el "
                                      "programa para leerlo.")
                           .arg(version);
        return result;
    }
    const QJsonArray readings = root.value(QStringLiteral("readings")).toArray();
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const QJsonObject o = readings.at(i).toObject();
        JournalEntry e;
        e.at = QDateTime::fromString(o.value(QStringLiteral("at")).toString(), Qt::ISODate);
        e.kind = o.value(QStringLiteral("kind")).toString();
        e.spread.meaningSet = o.value(QStringLiteral("meaningSet")).toInt();
        e.spread.question = o.value(QStringLiteral("question")).toString();
        e.spread.firstName = o.value(QStringLiteral("firstName")).toString();
        e.spread.secondName = o.value(QStringLiteral("secondName")).toString();
        e.title = o.value(QStringLiteral("title")).toString();
        e.notes = o.value(QStringLiteral("notes")).toString();
        e.byHand = o.value(QStringLiteral("byHand")).toBool();
        const QJsonArray cards = o.value(QStringLiteral("cards")).toArray();
        bool sound = e.at.isValid() && Journal::kinds().contains(e.kind) && !cards.isEmpty() && cards.size() <= 78;
        for (qsizetype k = 0; sound && k < cards.size(); ++k) {
            const QJsonObject c = cards.at(k).toObject();
            const int card = c.value(QStringLiteral("card")).toInt();
            sound = card >= 1 && card <= 78 && c.value(QStringLiteral("position")).toInt() == k + 1;
            e.spread.positions.append({card, c.value(QStringLiteral("reversed")).toBool()});
        }
        if (!sound) {
            result.entries.clear();
            result.error = QStringLiteral("La lectura %1 del archivo está incompleta o tiene datos no válidos; "
                                          "no se ha importado nada.")
                               .arg(i + 1);
            return result;
        }
        result.entries.append(e);
    }
    return result;
}

Imported fromCsv(const QByteArray &bytes)
{
    Imported result;
    QList<QStringList> records = csvRecords(QString::fromUtf8(bytes));
    if (records.isEmpty() || records.takeFirst().join(QLatin1Char(',')) != kCsvHeader) {
        result.error = QStringLiteral("El archivo no es un diario de Orbelle en CSV.");
        return result;
    }
    const auto refuse = [&result](qsizetype line) {
        result.entries.clear();
        result.error = QStringLiteral("La línea %1 del archivo está incompleta o tiene datos no válidos; no se ha "
                                      "importado nada.")
                           .arg(line + 2);
        return result;
    };
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QStringList &f = records.at(i);
        if (f.size() != 12)
            return refuse(i);
        bool numbers = true;
        bool ok = false;
        const int position = f[9].toInt(&ok);
        numbers = numbers && ok;
        const int card = f[10].toInt(&ok);
        numbers = numbers && ok;
        if (!numbers || card < 1 || card > 78 || (f[11] != QLatin1String("0") && f[11] != QLatin1String("1")))
            return refuse(i);
        if (position == 1) {
            JournalEntry e;
            e.at = QDateTime::fromString(f[0], Qt::ISODate);
            e.kind = f[1];
            e.spread.meaningSet = f[2].toInt();
            e.spread.question = f[3];
            e.spread.firstName = f[4];
            e.spread.secondName = f[5];
            e.title = f[6];
            e.notes = f[7];
            e.byHand = f[8] == QLatin1String("1");
            if (!e.at.isValid() || !Journal::kinds().contains(e.kind))
                return refuse(i);
            result.entries.append(e);
        } else if (result.entries.isEmpty() || position != result.entries.last().spread.size() + 1 ||
                   position > 78) {
            return refuse(i);
        }
        result.entries.last().spread.positions.append({card, f[11] == QLatin1String("1")});
    }
    return result;
}

int addNew(const QVector<JournalEntry> &entries)
{
    JournalStore &store = JournalStore::instance();
    QSet<QString> known;
    for (const JournalEntry &e : store.list({}, true))
        known.insert(keyOf(e));
    int added = 0;
    for (JournalEntry e : entries) {
        if (known.contains(keyOf(e)))
            continue;
        e.id = 0;
        if (store.add(e) == 0)
            return -1;
        known.insert(keyOf(e));
        ++added;
    }
    return added;
}

} // namespace JournalIO
