#include "statscharts.h"

#include "carddatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <dlfcn.h>

#include <algorithm>

namespace StatsCharts {

QString summary(const JournalStats &s)
{
    if (s.readings == 0)
        return QStringLiteral("No hay lecturas en este periodo.");
    const QLocale es(QLocale::Spanish);
    return QStringLiteral("%1 lecturas con %2 cartas. Arcanos mayores: %3 %; menores: %4 %. Invertidas: %5 %.")
        .arg(s.readings)
        .arg(s.cards)
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
    static Entry entry = []() -> Entry {
        const QString exeDir = QCoreApplication::applicationDirPath();
        // Beside the program in a build tree, below lib/ once installed, and the build's
        // own for the tests built elsewhere in it.
        const QStringList places{exeDir + QStringLiteral("/orbelle_charts.so"),
                                 QDir::cleanPath(exeDir + QStringLiteral("/" ORBELLE_CHARTS_INSTALLED)),
                                 QStringLiteral(ORBELLE_CHARTS_BUILT)};
        QString why = QStringLiteral("orbelle_charts.so not found");
        for (const QString &path : places) {
            if (!QFileInfo::exists(path))
                continue;
            void *lib = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
            if (auto e = lib ? reinterpret_cast<Entry>(dlsym(lib, kEntry)) : nullptr)
                return e;
            why = QString::fromLocal8Bit(dlerror());
        }
        qWarning("orbelle: journal: the charts cannot be shown: %s", qPrintable(why));
        return nullptr;
    }();
    return entry ? entry(parent) : nullptr;
}

} // namespace StatsCharts
