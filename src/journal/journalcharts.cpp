#include "journalcharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace {

void setAxes(QChart *chart, QAbstractBarSeries *series, const QStringList &categories, Qt::Orientation along)
{
    qreal largest = 0;
    for (const QBarSet *set : series->barSets())
        for (int i = 0; i < set->count(); ++i)
            largest = qMax(largest, set->at(i));
    auto *names = new QBarCategoryAxis;
    names->append(categories);
    // Small enough that the names of the cards and months are read whole.
    QFont small = names->labelsFont();
    small.setPointSizeF(7.5);
    names->setLabelsFont(small);
    names->setTruncateLabels(false);
    auto *values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(names, along == Qt::Vertical ? Qt::AlignLeft : Qt::AlignBottom);
    chart->addAxis(values, along == Qt::Vertical ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(names);
    series->attachAxis(values);
    // An empty period still gets an axis, from 0 to 1.
    values->setRange(0, largest > 0 ? largest : 1);
    values->applyNiceNumbers();
}

// A chart view gives up, but does not delete, the chart it showed before.
void showChart(QChartView *view, QChart *chart)
{
    QChart *before = view->chart();
    view->setChart(chart);
    delete before;
}
} // namespace

JournalCharts::JournalCharts(QWidget *parent) : Pane(parent)
{
    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel->setWordWrap(true);
    auto *grid = new QGridLayout;
    QChartView **views[] = {&cardsView, &suitsView, &reversedView, &monthsView};
    const char *names[] = {"cardsView", "suitsView", "reversedView", "monthsView"};
    for (int i = 0; i < 4; ++i) {
        auto *view = new QChartView(this);
        view->setObjectName(QString::fromLatin1(names[i]));
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(220, 160);
        view->setFocusPolicy(Qt::StrongFocus);
        *views[i] = view;
        grid->addWidget(view, i / 2, i % 2);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(summaryLabel);
    layout->addLayout(grid, 1);
    showFigures({});
}

QChart *JournalCharts::newChart(const QString &title) const
{
    auto *chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(QColor(20, 20, 48));
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setVisible(false);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

void JournalCharts::showFigures(const StatsCharts::Figures &figures)
{
    const JournalStats &s = figures.stats;
    summaryLabel->setText(figures.summary);

    // The recurring cards on top: a horizontal bar chart lists its first category lowest.
    QChart *cards = newChart(QStringLiteral("Cartas que más salen (veces lo esperado, 1 = 1/78)"));
    auto *cardSet = new QBarSet(QStringLiteral("Veces lo esperado"));
    QStringList cardNames;
    for (auto it = figures.recurring.crbegin(); it != figures.recurring.crend(); ++it) {
        cardNames << it->name;
        *cardSet << it->againstChance;
    }
    auto *cardSeries = new QHorizontalBarSeries;
    cardSeries->append(cardSet);
    cards->addSeries(cardSeries);
    setAxes(cards, cardSeries, cardNames, Qt::Vertical);
    showChart(cardsView, cards);
    cardsView->setAccessibleName(QStringLiteral("Cartas que más salen"));
    QStringList said;
    for (const StatsCharts::Figures::Recurring &card : figures.recurring)
        said << QStringLiteral("%1: %2").arg(card.name).arg(card.times);
    cardsView->setAccessibleDescription(said.join(QStringLiteral("; ")));

    QChart *suits = newChart(QStringLiteral("Arcanos mayores y palos"));
    auto *suitSet = new QBarSet(QStringLiteral("Cartas"));
    *suitSet << s.major << s.suits[0] << s.suits[1] << s.suits[2] << s.suits[3];
    auto *suitSeries = new QBarSeries;
    suitSeries->append(suitSet);
    suits->addSeries(suitSeries);
    const QStringList suitNames{QStringLiteral("Mayores"), QStringLiteral("Bastos"), QStringLiteral("Copas"),
                                QStringLiteral("Espadas"), QStringLiteral("Oros")};
    setAxes(suits, suitSeries, suitNames, Qt::Horizontal);
    showChart(suitsView, suits);
    suitsView->setAccessibleName(QStringLiteral("Arcanos mayores y palos"));
    suitsView->setAccessibleDescription(QStringLiteral("Mayores %1, Bastos %2, Copas %3, Espadas %4, Oros %5")
                                            .arg(s.major)
                                            .arg(s.suits[0])
                                            .arg(s.suits[1])
                                            .arg(s.suits[2])
                                            .arg(s.suits[3]));

    QChart *reversed = newChart(QStringLiteral("Cartas invertidas"));
    auto *pie = new QPieSeries;
    pie->append(QStringLiteral("Al derecho"), s.cards - s.reversed);
    pie->append(QStringLiteral("Invertidas"), s.reversed);
    for (QPieSlice *slice : pie->slices()) {
        slice->setLabelVisible(s.cards > 0);
        slice->setLabel(QStringLiteral("%1 %2 %").arg(slice->label()).arg(qRound(slice->percentage() * 100)));
    }
    reversed->addSeries(pie);
    showChart(reversedView, reversed);
    reversedView->setAccessibleName(QStringLiteral("Cartas invertidas"));
    reversedView->setAccessibleDescription(QStringLiteral("%1 de %2").arg(s.reversed).arg(s.cards));

    QChart *months = newChart(QStringLiteral("Lecturas por mes"));
    auto *monthSet = new QBarSet(QStringLiteral("Lecturas"));
    QStringList monthNames;
    // The last two years at most, so the labels stay readable.
    const qsizetype first = qMax<qsizetype>(0, s.perMonth.size() - 24);
    for (qsizetype i = first; i < s.perMonth.size(); ++i) {
        monthNames << s.perMonth[i].first.toString(QStringLiteral("MM/yy"));
        *monthSet << s.perMonth[i].second;
    }
    auto *monthSeries = new QBarSeries;
    monthSeries->append(monthSet);
    months->addSeries(monthSeries);
    setAxes(months, monthSeries, monthNames, Qt::Horizontal);
    months->axes(Qt::Horizontal).first()->setLabelsAngle(-90);
    showChart(monthsView, months);
    monthsView->setAccessibleName(QStringLiteral("Lecturas por mes"));
}

QImage JournalCharts::picture(const QSize &size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 20, 48));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(size.height() / 30);
    p.setFont(font);
    p.setPen(Qt::white);
    const int top = size.height() / 12;
    p.drawText(QRect(16, 0, size.width() - 32, top), Qt::AlignVCenter | Qt::TextWordWrap, summaryLabel->text());
    const QSize cell((size.width()) / 2, (size.height() - top) / 2);
    const QChartView *views[] = {cardsView, suitsView, reversedView, monthsView};
    for (int i = 0; i < 4; ++i) {
        const QRect target(QPoint((i % 2) * cell.width(), top + (i / 2) * cell.height()), cell);
        // Laid out at the picture's size, then given back the size it shows at.
        QChart *chart = views[i]->chart();
        const QRectF shown = chart->geometry();
        chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(cell)));
        chart->scene()->render(&p, QRectF(target), chart->sceneBoundingRect());
        chart->setGeometry(shown);
    }
    return image;
}

extern "C" Q_DECL_EXPORT StatsCharts::Pane *orbelle_charts_pane(QWidget *parent)
{
    return new JournalCharts(parent);
}
