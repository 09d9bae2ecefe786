#include "textsource.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace TextSource {

namespace {
const QRegularExpression kHeader(QStringLiteral("^\\[([^\\]]*)\\](.*)$"));

QString joinTrimmed(QStringList lines)
{
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (QString &l : lines) {
        // Trailing blanks are invisible in an editor; they should not end up stored.
        while (!l.isEmpty() && l.back().isSpace())
            l.chop(1);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList words(const QString &text)
{
    QStringList out;
    static const QRegularExpression split(QStringLiteral("[^\\p{L}\\p{N}]+"));
    for (const QString &w : text.toLower().split(split, Qt::SkipEmptyParts))
        out << w;
    return out;
}

QSet<QString> trigrams(const QString &text)
{
    const QStringList w = words(text);
    QSet<QString> set;
    for (int i = 0; i + 2 < w.size(); ++i)
        set.insert(w[i] + QLatin1Char(' ') + w[i + 1] + QLatin1Char(' ') + w[i + 2]);
    return set;
}

// Spanish of Spain addresses several people as "vosotros", the Americas as "ustedes"; the
// texts speak to one reader or about two people in the third person, so neither belongs.
const QRegularExpression
    kPluralYou(QStringLiteral("\\b(ustedes|vosotr[oa]s|vuestr[oa]s?|os|sois|\\p{L}+[áé]is)\\b"),
               QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

// One voice for the reader in every table: tú.
const QRegularExpression kFormalYou(QStringLiteral("\\busted\\b"),
                                    QRegularExpression::CaseInsensitiveOption |
                                        QRegularExpression::UseUnicodePropertiesOption);

// The reader may be anyone: a masculine adjective aimed at "tú" shuts half of them out.
// Any word in -o after the forms that describe the reader, or after an infinitive that
// describes a state ("seguir encerrado", "ser próspero"), unless it is one of the few words
// in -o that are no adjective there.
const QString kDegree = QStringLiteral("(?:(?:más|muy|tan|demasiado|algo|un poco|tú)\\s+)?");
const QRegularExpression kMasculineReader(
    QStringLiteral("\\b(?:estás|estés|estabas|te sientes|te sientas|te ves|te veas|sé|seas|eres)\\s+") +
        kDegree + QStringLiteral("(\\p{L}+o)\\b"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
const QRegularExpression kMasculineInfinitive(
    QStringLiteral("(?:\\b(\\p{L}+)\\s+)?\\b(seguir|quedar|quedarte|quedarse|ser|estar|sentirte|sentirse|"
                   "verte|verse|mantenerte|mantenerse|mostrarte|mostrarse|volverte|volverse)\\s+") +
        kDegree + QStringLiteral("(\\p{L}+o)\\b"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
// Words in -o that describe nobody there: "cuando estás bajo presión", "sé lo que quieres",
// "deja de ser refugio", and gerunds ("estás pasando").
const QSet<QString> kNotAnAdjective{QStringLiteral("lo"),     QStringLiteral("algo"),   QStringLiteral("como"),
                                    QStringLiteral("pero"),   QStringLiteral("no"),     QStringLiteral("bajo"),
                                    QStringLiteral("luego"),  QStringLiteral("esto"),   QStringLiteral("eso"),
                                    QStringLiteral("todo"),   QStringLiteral("tanto"),  QStringLiteral("poco"),
                                    QStringLiteral("mucho"),  QStringLiteral("dentro"), QStringLiteral("refugio"),
                                    QStringLiteral("tiempo")};
bool describesReader(const QString &word)
{
    const QString w = word.toLower();
    return !kNotAnAdjective.contains(w) && !w.endsWith(QStringLiteral("ndo"));
}
// After these the infinitive belongs to someone else ("algo puede ser mágico"), and after
// an article "ser" is a noun ("un ser querido").
const QSet<QString> kOtherSubject{QStringLiteral("puede"),  QStringLiteral("pueden"), QStringLiteral("podría"),
                                  QStringLiteral("suele"),  QStringLiteral("suelen"), QStringLiteral("debe"),
                                  QStringLiteral("deben"),  QStringLiteral("parece"), QStringLiteral("merece"),
                                  QStringLiteral("un"),     QStringLiteral("el"),     QStringLiteral("del"),
                                  QStringLiteral("al"),     QStringLiteral("cada"),   QStringLiteral("su"),
                                  QStringLiteral("tu")};

// After a name, "es el caballero del agua" makes the person a man and "es la reina" a
// woman; the figures are pictures the person resembles, not what the person is.
const QRegularExpression kIsFigure(
    QStringLiteral("\\b(?:es|era|será|sería|parece)\\s+(?:el|la|un|una)\\s+(?:caballero|caballo|rey|reina|sota|"
                   "paje|dama|príncipe|princesa|emperador|emperatriz|sacerdotisa|mago|ermitaño)\\b"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

// The relationship texts are about any two people (a mother and a daughter, two
// colleagues), so no words that make them a couple. "los Enamorados" is a card's name.
const QRegularExpression kCoupleWords(
    QStringLiteral("\\b(?:parejas?|novi[oa]s?|noviazgo|enamor\\p{L}*|romántic\\p{L}*|romances?|"
                   "romanticismo|amantes?|espos[oa]s?|marido|matrimonios?|bodas?|amor de (?:tu|su) vida|"
                   "media naranja|príncipe azul|almas? gemelas?|seduc\\p{L}*|coquete\\p{L}*|flirte\\p{L}*|"
                   "cortejo|atracci[óo]n|sexo|sexual\\p{L}*|luna de miel)\\b"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
bool speaksOfTwo(const QString &name)
{
    return name == QStringLiteral("bezi2") || name == QStringLiteral("bezi3");
}

// A card named inside a text: "<title> de <suit>". Titles other decks use, or a name in
// lower case, must read as the card names of the karten table.
const QRegularExpression kCardName(QStringLiteral("\\b(\\p{L}+) de (bastos|copas|espadas|oros)\\b"),
                                   QRegularExpression::CaseInsensitiveOption |
                                       QRegularExpression::UseUnicodePropertiesOption);
const QStringList kCardTitles{QStringLiteral("As"),     QStringLiteral("Dos"),   QStringLiteral("Tres"),
                              QStringLiteral("Cuatro"), QStringLiteral("Cinco"), QStringLiteral("Seis"),
                              QStringLiteral("Siete"),  QStringLiteral("Ocho"),  QStringLiteral("Nueve"),
                              QStringLiteral("Diez"),   QStringLiteral("Sota"),  QStringLiteral("Caballo"),
                              QStringLiteral("Reina"),  QStringLiteral("Rey")};
const QStringList kOtherTitles{
    QStringLiteral("paje"),     QStringLiteral("caballero"), QStringLiteral("princesa"),
    QStringLiteral("príncipe"), QStringLiteral("dama"),      QStringLiteral("jota"),
    QStringLiteral("valet"),    QStringLiteral("sotas"),     QStringLiteral("caballos"),
    QStringLiteral("reinas"),   QStringLiteral("reyes"),     QStringLiteral("ases")};
const QStringList kSuits{QStringLiteral("Bastos"), QStringLiteral("Copas"), QStringLiteral("Espadas"),
                         QStringLiteral("Oros")};

// The cross is laid for a question, not for a day.
bool isCrossTable(const QString &name)
{
    static const QRegularExpression cross(QStringLiteral("^kreuz[1-4]$"));
    return cross.match(name).hasMatch();
}
const QRegularExpression kToday(QStringLiteral("\\bhoy\\b"),
                                QRegularExpression::CaseInsensitiveOption |
                                    QRegularExpression::UseUnicodePropertiesOption);
} // namespace

QString tableName(const CardTables::Table &table)
{
    return QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
}

Parsed parse(const QString &content, const QString &fileName, int rows)
{
    Parsed result;
    QString text = content;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'));

    bool seenHeader = false;
    int current = 0; // number of the entry being read
    int currentLine = 0;
    bool currentValid = false;
    QStringList body;
    const auto finish = [&] {
        if (currentValid) {
            const QString t = joinTrimmed(body);
            if (t.isEmpty())
                result.errors
                    << QStringLiteral("%1:%2: entry %3 is empty").arg(fileName).arg(currentLine).arg(current);
            else
                result.entries.insert(current, {current, t, currentLine});
        }
        body.clear();
    };

    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const int lineNo = i + 1;
        const auto m = kHeader.match(line);
        if (m.hasMatch()) {
            finish();
            seenHeader = true;
            bool ok = false;
            const int n = m.captured(1).trimmed().toInt(&ok);
            currentLine = lineNo;
            current = ok ? n : -1;
            currentValid = false;
            if (!ok || m.captured(1).trimmed() != m.captured(1)) {
                result.errors << QStringLiteral("%1:%2: malformed entry header \"%3\"")
                                     .arg(fileName)
                                     .arg(lineNo)
                                     .arg(line);
            } else if (n < 1 || n > rows) {
                result.errors << QStringLiteral("%1:%2: entry %3 is outside 1..%4")
                                     .arg(fileName)
                                     .arg(lineNo)
                                     .arg(n)
                                     .arg(rows);
            } else if (result.entries.contains(n)) {
                result.errors << QStringLiteral("%1:%2: entry %3 appears twice (first at line %4)")
                                     .arg(fileName)
                                     .arg(lineNo)
                                     .arg(n)
                                     .arg(result.entries.value(n).line);
            } else {
                currentValid = true;
            }
            continue;
        }
        if (!seenHeader) {
            // Before the first entry only comments and blank lines may stand.
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
                result.errors
                    << QStringLiteral("%1:%2: text before the first entry").arg(fileName).arg(lineNo);
            continue;
        }
        body << line;
    }
    finish();
    return result;
}

int wordCount(const QString &text)
{
    return int(words(text).size());
}

double similarity(const QString &a, const QString &b)
{
    const QSet<QString> ta = trigrams(a);
    const QSet<QString> tb = trigrams(b);
    if (ta.isEmpty() || tb.isEmpty())
        return words(a) == words(b) ? 1.0 : 0.0;
    qsizetype shared = 0;
    for (const QString &t : ta)
        shared += tb.contains(t);
    return double(shared) / double(ta.size() + tb.size() - shared);
}

namespace {
// The words that open a sentence, as a reader hears them: leading articles,
// demonstratives, possessives and "lo que" left out, and the four names of the bond that
// the relationship texts take turns with counted as one, so "La relación necesita" and "Lo
// que este lazo necesita" open alike. Two words are kept; openings of function words only
// ("a veces", "puede que") are plain Spanish and stay free.
QString opening(const QString &sentence)
{
    static const QSet<QString> skipped{
        QStringLiteral("el"),   QStringLiteral("la"),    QStringLiteral("los"),  QStringLiteral("las"),
        QStringLiteral("lo"),   QStringLiteral("un"),    QStringLiteral("una"),  QStringLiteral("este"),
        QStringLiteral("esta"), QStringLiteral("estos"), QStringLiteral("estas"), QStringLiteral("ese"),
        QStringLiteral("esa"),  QStringLiteral("su"),    QStringLiteral("sus"),  QStringLiteral("tu"),
        QStringLiteral("tus")};
    static const QSet<QString> function = [] {
        QSet<QString> f = skipped;
        for (const char *w :
             {"que",    "y",      "e",       "o",      "ni",     "pero",  "a",      "al",     "de",     "del",
              "en",     "con",    "sin",     "por",    "para",   "entre", "hacia",  "desde",  "sobre",  "tras",
              "si",     "no",     "sí",      "ya",     "más",    "muy",   "tan",    "también", "ahora", "aquí",
              "hoy",    "luego",  "después", "antes",  "cuando", "como",  "donde",  "mientras", "qué",  "cómo",
              "cuál",   "porque", "aunque",  "es",     "son",    "era",   "será",   "ser",    "está",   "hay",
              "ha",     "haber",  "puede",   "pueden", "podría", "puedes", "suele", "tal",    "vez",    "veces",
              "quizá",  "quizás", "se",      "me",     "te",     "le",    "les",    "nos",    "otra",   "otro",
              "otras",  "otros",  "cada",    "todo",   "toda",   "todos", "algo",   "nada",   "alguien", "nadie",
              "uno",    "dos"})
            f.insert(QString::fromUtf8(w));
        return f;
    }();
    QStringList w = words(sentence);
    qsizetype i = 0;
    while (i < w.size() && (skipped.contains(w[i]) || (w[i] == QStringLiteral("que") && i > 0 &&
                                                         w[i - 1] == QStringLiteral("lo"))))
        ++i;
    w = w.mid(i);
    for (QString &x : w)
        if (x == QStringLiteral("relación") || x == QStringLiteral("lazo") || x == QStringLiteral("unión"))
            x = QStringLiteral("vínculo");
    if (w.size() < 2 || (function.contains(w[0]) && function.contains(w[1])))
        return {};
    return w[0] + QLatin1Char(' ') + w[1];
}

// A table read card after card must not fall into a formula: the same opening in more
// than one entry in thirteen (six of the 78 cards, two of the shorter tables) reads as one.
QStringList repeatedOpenings(const CardTables::Table &table, const QMap<int, Entry> &entries,
                             const QString &fileName)
{
    static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.!?:;])\\s+|\\n"));
    const int limit = std::max(2, table.rows * 6 / CardTables::kCards);
    QMap<QString, QList<int>> rows;
    for (const Entry &e : entries) {
        QSet<QString> seen;
        for (const QString &s : e.text.split(sentenceEnd, Qt::SkipEmptyParts)) {
            const QString key = opening(s);
            if (!key.isEmpty() && !seen.contains(key)) {
                seen.insert(key);
                rows[key] << e.number;
            }
        }
    }
    QStringList errors;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.value().size() <= limit)
            continue;
        QStringList numbers;
        for (int n : it.value())
            numbers << QString::number(n);
        errors << QStringLiteral("%1: %2 entries open a sentence with \"%3\", at most %4 may: %5")
                      .arg(fileName)
                      .arg(it.value().size())
                      .arg(it.key())
                      .arg(limit)
                      .arg(numbers.join(QLatin1Char(' ')));
    }
    return errors;
}
} // namespace

QStringList check(const CardTables::Table &table, const QMap<int, Entry> &entries, const QString &fileName)
{
    QStringList errors;
    for (const Entry &e : entries) {
        const bool article =
            tableName(table) == QStringLiteral("stichwörter") && e.number > CardTables::kCards;
        const int lo = article ? CardTables::kArticleMinWords : table.minWords;
        const int hi = article ? CardTables::kArticleMaxWords : table.maxWords;
        const int n = wordCount(e.text);
        if (n < lo || n > hi)
            errors << QStringLiteral("%1:%2: entry %3 has %4 words, not %5 to %6")
                          .arg(fileName)
                          .arg(e.line)
                          .arg(e.number)
                          .arg(n)
                          .arg(lo)
                          .arg(hi);
        if (e.text == kPending)
            errors << QStringLiteral("%1:%2: entry %3 is still a placeholder")
                          .arg(fileName)
                          .arg(e.line)
                          .arg(e.number);
        const auto at = [&](const QString &what, const QString &quote) {
            errors << QStringLiteral("%1:%2: entry %3 %4: \"%5\"")
                          .arg(fileName)
                          .arg(e.line)
                          .arg(e.number)
                          .arg(what, quote);
        };
        for (auto it = kPluralYou.globalMatch(e.text); it.hasNext();)
            at(QStringLiteral("speaks to several people"), it.next().captured(0));
        for (auto it = kFormalYou.globalMatch(e.text); it.hasNext();)
            at(QStringLiteral("speaks to the reader as usted; the texts say tú"), it.next().captured(0));
        for (auto it = kMasculineReader.globalMatch(e.text); it.hasNext();) {
            const auto m = it.next();
            if (describesReader(m.captured(1)))
                at(QStringLiteral("gives the reader a masculine form; word it for anyone"), m.captured(0));
        }
        for (auto it = kMasculineInfinitive.globalMatch(e.text); it.hasNext();) {
            const auto m = it.next();
            if (describesReader(m.captured(3)) && !kOtherSubject.contains(m.captured(1).toLower()))
                at(QStringLiteral("gives the reader a masculine form; word it for anyone"),
                   m.captured(0).mid(m.capturedStart(2) - m.capturedStart(0)));
        }
        if (table.followsName) {
            for (auto it = kIsFigure.globalMatch(e.text); it.hasNext();)
                at(QStringLiteral("makes the person a figure of one gender; compare instead"),
                   it.next().captured(0));
        }
        if (speaksOfTwo(tableName(table))) {
            for (auto it = kCoupleWords.globalMatch(e.text); it.hasNext();) {
                const auto m = it.next();
                if (m.captured(0) != QStringLiteral("Enamorados"))
                    at(QStringLiteral("makes the two people a couple"), m.captured(0));
            }
        }
        if (isCrossTable(tableName(table))) {
            for (auto it = kToday.globalMatch(e.text); it.hasNext();)
                at(QStringLiteral("speaks of today in a cross"), it.next().captured(0));
        }
        for (auto it = kCardName.globalMatch(e.text); it.hasNext();) {
            const auto m = it.next();
            const QString title = m.captured(1);
            const bool cardTitle = kCardTitles.contains(title, Qt::CaseInsensitive);
            if (!cardTitle && !kOtherTitles.contains(title, Qt::CaseInsensitive))
                continue;
            if (!kCardTitles.contains(title) || !kSuits.contains(m.captured(2)))
                at(QStringLiteral("names a card otherwise than the deck does"), m.captured(0));
        }
        if (table.followsName) {
            // The program writes a name and a blank before the text.
            if (!e.text.at(0).isLower())
                errors << QStringLiteral("%1:%2: entry %3 must begin in lower case")
                              .arg(fileName)
                              .arg(e.line)
                              .arg(e.number);
            static const QRegularExpression slash(QStringLiteral("\\p{L}{2,}/[ao]s?\\b|\\([ao]s?\\)"));
            if (slash.match(e.text).hasMatch())
                errors << QStringLiteral("%1:%2: entry %3 uses a \"/a\" or \"(a)\" ending; write around "
                                         "the gender instead")
                              .arg(fileName)
                              .arg(e.line)
                              .arg(e.number);
        }
    }
    errors << repeatedOpenings(table, entries, fileName);
    if (table.checkSimilarity) {
        const QList<Entry> list = entries.values();
        for (int i = 0; i < list.size(); ++i) {
            for (int j = i + 1; j < list.size(); ++j) {
                const double s = similarity(list[i].text, list[j].text);
                if (s > kMaxSimilarity)
                    errors << QStringLiteral("%1: entries %2 and %3 are near-copies (similarity %4)")
                                  .arg(fileName)
                                  .arg(list[i].number)
                                  .arg(list[j].number)
                                  .arg(s, 0, 'f', 2);
            }
        }
    }
    return errors;
}

} // namespace TextSource
