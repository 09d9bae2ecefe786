#include "deutent.h"

#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "legent.h"
#include "meaningbox.h"
#include "popup.h"
#include "program.h"
#include "quintessence.h"
#include "readings.h"
#include "report.h"
#include "slika.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QBoxLayout>
#include <QPolygonF>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>


namespace {
// The V's design, in twips: cards of 1050 × 1840 in four columns; the point in the middle
// of the height, each arm a card further up or down at every column.
constexpr int kWidth = 5950;
constexpr int kHeight = 7940;
constexpr QSize kCard(1050, 1840);
constexpr int kMiddle = kHeight / 2;
constexpr std::array<int, 4> kColumn{725, 2225, 3725, 5225};
constexpr std::array<int, 4> kRise{0, 1150, 1900, 2650};
// The arms' names, in the V's opening between the middle cards and the outcomes.
constexpr QRect kDoingLabel(3200, 3040, 2600, 400);
constexpr QRect kNotDoingLabel(3200, kHeight - 3040 - 400, 2600, 400);

// Position k's column and whether it lies on the upper arm (−1), the lower (+1) or at the
// point (0).
constexpr std::array<std::pair<int, int>, 7> kPlace{
    {{2, -1}, {2, 1}, {1, -1}, {1, 1}, {3, -1}, {3, 1}, {0, 0}}};

QRect laidRect(int k)
{
    const auto [column, side] = kPlace[size_t(k - 1)];
    const int cx = kColumn[size_t(column)];
    const int cy = kMiddle + side * kRise[size_t(column)];
    return QRect(cx - kCard.width() / 2, cy - kCard.height() / 2, kCard.width(), kCard.height());
}

} // namespace

DecisionSpreadView::DecisionSpreadView(QWidget *parent)
    : SpreadView(QStringLiteral("Juego de decisión"), QSize(kWidth, kHeight), {kWalk.begin(), kWalk.end()},
                 {1, 2, 3, 4, 5, 6, 7}, parent)
{
}

void DecisionSpreadView::setCards(const std::array<QImage, kPositions> &pictures,
                                  const std::array<QString, kPositions> &names)
{
    setPictures({pictures.begin(), pictures.end()}, {names.begin(), names.end()});
}

QRect DecisionSpreadView::designRect(int k) const
{
    return laidRect(k);
}

QRect DecisionSpreadView::armLabelRect(bool doing) const
{
    return toPixels(doing ? kDoingLabel : kNotDoingLabel).toRect();
}

void DecisionSpreadView::paintUnder(QPainter &p)
{
    // The two paths, from the point outwards.
    p.setPen(QPen(Theme::gold(), qMax(1.0, 2 * scale()), Qt::DotLine));
    for (const std::array<int, 4> &path : {std::array{7, 3, 1, 5}, std::array{7, 4, 2, 6}}) {
        QPolygonF line;
        for (int k : path)
            line << toPixels(laidRect(k)).center();
        p.drawPolyline(line);
    }
}

void DecisionSpreadView::paintOver(QPainter &p)
{
    p.setFont(captionFont(11));
    p.setPen(Theme::caption());
    p.drawText(armLabelRect(true), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("↑ ") + deutEnt::arm(1));
    p.drawText(armLabelRect(false), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("↓ ") + deutEnt::arm(2));
}

QString deutEnt::arm(int k)
{
    if (k < 1 || k > 6)
        return QString();
    return k % 2 ? QStringLiteral("Si lo hago") : QStringLiteral("Si no lo hago");
}

QString deutEnt::step(int k)
{
    switch (k) {
    case 1:
    case 2:
        return QStringLiteral("El camino");
    case 3:
    case 4:
        return QStringLiteral("El primer paso");
    case 5:
    case 6:
        return QStringLiteral("Adónde lleva");
    case 7:
        return QStringLiteral("El trasfondo");
    default:
        return QString();
    }
}

QString deutEnt::heading(int k)
{
    if (arm(k).isEmpty())
        return step(k);
    QString s = step(k);
    s[0] = s.at(0).toLower();
    return arm(k) + QStringLiteral(": ") + s;
}

QString deutEnt::numberedHeading(int k)
{
    return QStringLiteral("%1. %2").arg(k).arg(heading(k));
}

QString deutEnt::positionText(int k)
{
    return CardDatabase::cardText(QStringLiteral("ent"), k);
}

QString deutEnt::keywords(const Spread &spread, int k)
{
    // Read when shown: what the tarot school stored is what the reading says.
    return CardDatabase::cardText(QStringLiteral("stichwörter"), spread.card(k));
}

deutEnt::deutEnt(QWidget *parent)
    : InterpretationWindow(WindowId::deutEnt, QStringLiteral("Orbelle: Juego de decisión"), parent)
{
    resize(Twips::size(11700, 8130));

    Picture1 = new DecisionSpreadView(this);
    Popup::watch(Picture1);
    const auto label = [this](const char *name, int points) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(Theme::captionFont(points));
        l->setWordWrap(true);
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
        return l;
    };
    const auto box = [this](const char *name) {
        auto *b = new QPlainTextEdit(this);
        b->setObjectName(QString::fromLatin1(name));
        makeMeaningBox(b, 10);
        return b;
    };
    decisionLabel = label("decisionLabel", 11);
    headingLabel = label("headingLabel", 13);
    Box1 = box("Box1");
    cardNameLabel = label("cardNameLabel", 11);
    Box2 = box("Box2");
    headingLabel->setBuddy(Box1);
    cardNameLabel->setBuddy(Box2);

    // One position: its heading and meaning, the card and its keywords.
    auto *one = new QWidget(this);
    auto *oneColumn = new QVBoxLayout(one);
    oneColumn->setContentsMargins(0, 0, 0, 0);
    oneColumn->setSpacing(Twips::px(90));
    oneColumn->addWidget(headingLabel);
    oneColumn->addWidget(Box1, 2);
    oneColumn->addSpacing(Twips::px(60));
    oneColumn->addWidget(cardNameLabel);
    oneColumn->addWidget(Box2, 3);
    // The two outcomes side by side.
    auto *both = new QWidget(this);
    auto *bothRow = new QHBoxLayout(both);
    bothRow->setContentsMargins(0, 0, 0, 0);
    bothRow->setSpacing(Twips::px(150));
    for (size_t i = 0; i < 2; ++i) {
        outcomeHeadings[i] = label(i ? "outcomeHeading6" : "outcomeHeading5", 12);
        outcomeNames[i] = label(i ? "outcomeName6" : "outcomeName5", 11);
        outcomeBoxes[i] = box(i ? "outcomeBox6" : "outcomeBox5");
        outcomeHeadings[i]->setBuddy(outcomeBoxes[i]);
        auto *column = new QVBoxLayout;
        column->setSpacing(Twips::px(90));
        column->addWidget(outcomeHeadings[i]);
        column->addWidget(outcomeNames[i]);
        column->addWidget(outcomeBoxes[i], 1);
        bothRow->addLayout(column, 1);
    }
    details = new QStackedWidget(this);
    details->setObjectName(QStringLiteral("details"));
    details->addWidget(one);
    details->addWidget(both);

    makeButtons();
    compareButton = new QPushButton(QStringLiteral("&Comparar desenlaces"), this);
    compareButton->setObjectName(QStringLiteral("compareButton"));
    compareButton->setCheckable(true);
    connect(compareButton, &QPushButton::toggled, this, &deutEnt::compareOutcomes);
    quintessenceButton = new QPushButton(QStringLiteral("&Quintesencia"), this);
    quintessenceButton->setObjectName(QStringLiteral("quintessenceButton"));
    connect(quintessenceButton, &QPushButton::clicked, this, &deutEnt::showQuintessence);

    auto *column = new QVBoxLayout;
    column->setSpacing(Twips::px(90));
    column->addWidget(decisionLabel);
    column->addWidget(details, 1);
    auto *upper = new QHBoxLayout;
    upper->addStretch();
    upper->addWidget(compareButton);
    upper->addSpacing(Twips::px(240));
    upper->addWidget(quintessenceButton);
    column->addLayout(upper);
    auto *lower = new QHBoxLayout;
    lower->addStretch();
    lower->addWidget(saveButton);
    lower->addSpacing(Twips::px(240));
    lower->addWidget(backButton);
    column->addLayout(lower);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(Twips::px(120), Twips::px(120), Twips::px(150), Twips::px(120));
    row->setSpacing(Twips::px(180));
    row->addWidget(Picture1, 50);
    row->addLayout(column, 50);

    QWidget::setTabOrder(Picture1, Box1);
    QWidget::setTabOrder(Box1, Box2);
    QWidget::setTabOrder(Box2, outcomeBoxes[0]);
    QWidget::setTabOrder(outcomeBoxes[0], outcomeBoxes[1]);
    QWidget::setTabOrder(outcomeBoxes[1], compareButton);
    QWidget::setTabOrder(compareButton, quintessenceButton);
    QWidget::setTabOrder(quintessenceButton, saveButton);
    QWidget::setTabOrder(saveButton, backButton);
    connect(Picture1, &DecisionSpreadView::positionSelected, this, &deutEnt::select);

    DesignScale::install(this, size(), DesignScale::Layout::Managed, 1.25);
    Program::adoptIntoMainWindow(this);
}

void deutEnt::Form_Load()
{
    m_spread = Readings::drawWithOrientations(DecisionSpreadView::kPositions);
    legEnt *laying = WindowRegistry::ifLoaded<legEnt>();
    std::array<QString, DecisionSpreadView::kPositions> names;
    for (int k = 1; k <= m_spread.size(); ++k) {
        im1[size_t(k - 1)] = CardPictures::load(m_spread.card(k), m_spread.isReversed(k));
        names[size_t(k - 1)] = numberedHeading(k) + QStringLiteral(": ") + Report::cardName(m_spread, k);
        if (laying) {
            laying->setSlot(k, im1[size_t(k - 1)], names[size_t(k - 1)]);
        }
    }
    Picture1->setCards(im1, names);
    setDecision(QString());
    select(DecisionSpreadView::kWalk.front());
}

void deutEnt::setDecision(const QString &decision)
{
    m_spread.question = decision;
    decisionLabel->setText(decision.isEmpty() ? QStringLiteral("Tu decisión") : QStringLiteral("Tu decisión: ") + decision);
}

void deutEnt::select(int k)
{
    if (k < 1 || k > m_spread.size())
        return;
    {
        const QSignalBlocker quiet(Picture1);
        Picture1->select(k);
    }
    const QString name = Report::cardName(m_spread, k);
    headingLabel->setText(numberedHeading(k));
    Box1->setPlainText(positionText(k));
    Box1->setAccessibleName(numberedHeading(k) + QStringLiteral(": ") + name);
    cardNameLabel->setText(name);
    Box2->setPlainText(keywords(m_spread, k));
    Box2->setAccessibleName(QStringLiteral("Palabras clave de ") + name);
    Picture1->setAccessibleDescription(numberedHeading(k) + QStringLiteral(": ") + name);
    compareOutcomes(false);
}

void deutEnt::compareOutcomes(bool on)
{
    {
        const QSignalBlocker quiet(compareButton);
        compareButton->setChecked(on);
    }
    details->setCurrentIndex(on ? 1 : 0);
    if (!on)
        return;
    // Read when shown, as the single position is.
    for (size_t i = 0; i < 2; ++i) {
        const int k = 5 + int(i);
        const QString name = Report::cardName(m_spread, k);
        outcomeHeadings[i]->setText(numberedHeading(k));
        outcomeNames[i]->setText(name);
        outcomeBoxes[i]->setPlainText(keywords(m_spread, k));
        outcomeBoxes[i]->setAccessibleName(numberedHeading(k) + QStringLiteral(": ") + name);
    }
}

void deutEnt::showQuintessence()
{
    // The same cards give the same quintessence however often it is asked.
    const int q = Quintessence::of(m_spread);
    WindowRegistry::get<slika>()->showQuintessence(q, CardPictures::load(Quintessence::cardFor(q)),
                                                   slika::Kind::Decision);
}

void deutEnt::setFocusOnSpread()
{
    Picture1->setFocus(Qt::OtherFocusReason);
}

void deutEnt::save()
{
    QList<Report::PositionText> positions;
    for (int k = 1; k <= m_spread.size(); ++k)
        positions.append({numberedHeading(k), Report::cardName(m_spread, k), keywords(m_spread, k)});
    const QList<int> order(DecisionSpreadView::kWalk.begin(), DecisionSpreadView::kWalk.end());
    Report::writeReading(WindowId::deutEnt, m_spread, positions, order);
}
