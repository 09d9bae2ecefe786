#pragma once

#include "journalstore.h"

#include <QImage>
#include <QWidget>

class QChart;
class QChartView;
class QLabel;

// The journal's statistics as four charts: how often the cards that came up most came
// up against the 1 in 78 of a fair deck, the major arcana and the four suits, the share of
// reversed cards, and the readings per month.
class JournalCharts : public QWidget
{
    Q_OBJECT
public:
    explicit JournalCharts(QWidget *parent = nullptr);

    void showStats(const JournalStats &stats);
    // The summary and the four charts as one picture, for the report and the printer.
    QImage picture(const QSize &size = QSize(1400, 1000)) const;

    QLabel *summaryLabel = nullptr;
    QChartView *cardsView = nullptr;
    QChartView *suitsView = nullptr;
    QChartView *reversedView = nullptr;
    QChartView *monthsView = nullptr;

    // What the summary says, for the screen and the report.
    static QString summary(const JournalStats &stats);
    // The cards that came up most, most often first: card, times; at most `count`.
    static QVector<QPair<int, int>> recurring(const JournalStats &stats, int count);

private:
    QChart *newChart(const QString &title) const;
};
