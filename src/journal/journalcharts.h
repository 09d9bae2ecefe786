#pragma once

#include "statscharts.h"

class QChart;
class QChartView;

// The journal's statistics as four charts (in the charts module, see statscharts.h): how
// often the cards that came up most came up against the 1 in 78 of a fair deck, the
// major arcana and the four suits, the share of reversed cards, and the readings per
// month.
class JournalCharts : public StatsCharts::Pane
{
public:
    explicit JournalCharts(QWidget *parent = nullptr);

    void showFigures(const StatsCharts::Figures &figures) override;
    QImage picture(const QSize &size) const override;

    QChartView *cardsView = nullptr;
    QChartView *suitsView = nullptr;
    QChartView *reversedView = nullptr;
    QChartView *monthsView = nullptr;

private:
    QChart *newChart(const QString &title) const;
};
