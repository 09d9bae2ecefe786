#pragma once

#include "journalstore.h"

#include <QImage>
#include <QPair>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;

// The journal's statistics as four charts, drawn with Qt Charts in a module of its own
// (orbelle_charts.so) that the statistics page loads the first time it shows: the program
// starts without mapping Qt Charts and the OpenGL libraries it brings (over 1 MB
// resident). Everything worded (the summary, the cards' names) is worked out here, in
// the program, and handed over; the module only draws.
namespace StatsCharts {

// What the charts show.
struct Figures
{
    JournalStats stats;
    QString summary;
    // The cards that came up most, most often first: name, times it came up, times as
    // often as the 1 in 78 of a fair deck.
    struct Recurring
    {
        QString name;
        int times = 0;
        double againstChance = 0;
    };
    QVector<Recurring> recurring;
};

// The page's charts under a summary line.
class Pane : public QWidget
{
public:
    using QWidget::QWidget;
    virtual void showFigures(const Figures &figures) = 0;
    // The summary and the four charts as one picture, for the report and the printer.
    virtual QImage picture(const QSize &size) const = 0;

    QLabel *summaryLabel = nullptr;
};

// What the summary line says of `stats`.
QString summary(const JournalStats &stats);
// The figures of `stats`, with at most `count` recurring cards.
Figures figuresOf(const JournalStats &stats, int count = 12);
// The charts, from the module loaded with the first call; null, said once on stderr, when
// it cannot be loaded.
Pane *make(QWidget *parent);

// The module's one exported function.
using Entry = Pane *(*)(QWidget *parent);
inline constexpr const char *kEntry = "orbelle_charts_pane";

} // namespace StatsCharts
