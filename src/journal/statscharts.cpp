#include "statscharts.h"

#include "carddatabase.h"

#include "paths.h"

#include <QLocale>

#include <algorithm>

namespace StatsCharts {

QString summary(const JournalStats &s)
{
    if (s.readings == 0)
        return QStringLiteral("No hay lecturas en este periodo.");
    const QLocale es(QLocale::Spanish);
    return QStringLiteral("%1 %2 con %3 %4. Arcanos mayores: %5 %; menores: %6 %. Invertidas: %7 %.")
        .arg(s.readings)
        .arg(s.readings == 1 ? QStringLiteral("lectura") : QStringLiteral("lecturas"))
        .arg(s.cards)
        .arg(s.cards == 1 ? QStringLiteral("carta") : QStringLiteral("cartas"))
        .arg(es.toString(100.0 * s.major / qMax(1, s.cards), 'f', 0))
        .arg(es.toString(100.0 * s.minor / qMax(1, s.cards), 'f', 0))
        .arg(es.toString(100.0 * s.reversed / qMax(1, s.cards), 'f', 0));
}

Figures figuresOf(const JournalStats &s, int count)
{
    Figures f;
    f.stats = s;
    f.summary = summary(s);
    QVector<QPair<int, int>> cards;
    for (int c = 1; c <= 78; ++c) {
        if (s.perCard[size_t(c)] > 0)
            cards.append({c, s.perCard[size_t(c)]});
    }
    std::stable_sort(cards.begin(), cards.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    if (cards.size() > count)
        cards.resize(count);
    for (const auto &[card, times] : cards)
        f.recurring.append({CardDatabase::cardText(QStringLiteral("karten"), card), times, s.againstChance(card)});
    return f;
}

Pane *make(QWidget *parent)
{
    static Entry entry = [] {
        QString why;
        auto e = reinterpret_cast<Entry>(Paths::moduleEntry(QStringLiteral("orbelle_charts.so"), ORBELLE_CHARTS_INSTALLED,
                                                            ORBELLE_CHARTS_BUILT, kEntry, &why));
        if (!e)
            qWarning("orbelle: journal: the charts cannot be shown: %s", qPrintable(why));
        return e;
    }();
    return entry ? entry(parent) : nullptr;
}

} // namespace StatsCharts
