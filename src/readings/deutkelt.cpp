#include "deutkelt.h"


#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "deutf.h"
#include "dialogs.h"
#include "legkelt.h"
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
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
// The spread's design, in twips: cards of 1050 × 1840; the cross of six centred on the
// height, the staff of four on the right from the foot to the top.
constexpr int kWidth = 6250;
constexpr int kHeight = 8100;
constexpr QSize kCard(1050, 1840);
constexpr int kCentreX = 2360;
constexpr int kCentreY = kHeight / 2;
constexpr int kCrossStep = 1595; // from the middle card to its left and right neighbours
constexpr int kCrossRise = 2140; // from the middle card to the cards above and below
constexpr int kStaffLeft = 4960;
constexpr int kStaffTop = 190;
constexpr int kStaffStep = kCard.height() + 120;

QRect uprightAt(int centreX, int centreY)
{
    return QRect(centreX - kCard.width() / 2, centreY - kCard.height() / 2, kCard.width(), kCard.height());
}

// Position k's card in the design, the crossing card lying down.
QRect laidRect(int k)
{
    switch (k) {
    case 1:
        return uprightAt(kCentreX, kCentreY);
    case 2:
        return QRect(kCentreX - kCard.height() / 2, kCentreY - kCard.width() / 2, kCard.height(),
                     kCard.width());
    case 3:
        return uprightAt(kCentreX, kCentreY + kCrossRise);
    case 4:
        return uprightAt(kCentreX - kCrossStep, kCentreY);
    case 5:
        return uprightAt(kCentreX, kCentreY - kCrossRise);
    case 6:
        return uprightAt(kCentreX + kCrossStep, kCentreY);
    default:
        // 7 at the foot of the staff, 10 at its top.
        return QRect(QPoint(kStaffLeft, kStaffTop + kStaffStep * (10 - k)), kCard);
    }
}

// The crossing card is painted last, over the situation.
constexpr std::array<int, 10> kPaintOrder{1, 3, 4, 5, 6, 7, 8, 9, 10, 2};
} // namespace

CelticSpreadView::CelticSpreadView(QWidget *parent)
    : SpreadView(QStringLiteral("Cruz celta"), QSize(kWidth, kHeight), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                 {kPaintOrder.begin(), kPaintOrder.end()}, parent)
{
}

void CelticSpreadView::setCards(const std::array<QImage, kPositions> &pictures,
                                const std::array<QString, kPositions> &names)
{
    std::vector<QImage> shown(pictures.begin(), pictures.end());
    // The crossing card lies a quarter turn across the situation.
    shown[1] = shown[1].transformed(QTransform().rotate(90));
    setPictures(std::move(shown), {names.begin(), names.end()});
}

QRect CelticSpreadView::designRect(int k) const
{
    return laidRect(k);
}

QString deutKelt::heading(int k)
{
    static const QStringList headings{QStringLiteral("La situación"),
                                      QStringLiteral("Lo que se cruza"),
                                      QStringLiteral("La base"),
                                      QStringLiteral("Lo que queda atrás"),
                                      QStringLiteral("Lo que corona"),
                                      QStringLiteral("Lo que viene"),
                                      QStringLiteral("La actitud"),
                                      QStringLiteral("El entorno"),
                                      QStringLiteral("Esperanzas y temores"),
                                      QStringLiteral("El desenlace")};
    return headings.value(k - 1);
}

QString deutKelt::numberedHeading(int k)
{
    return QStringLiteral("%1. %2").arg(k).arg(heading(k));
}

QString deutKelt::positionText(int k)
{
    return CardDatabase::cardText(QStringLiteral("kelt"), k);
}

QString deutKelt::cardName(const Spread &spread, int k)
{
    return Report::cardName(spread, k);
}

QString deutKelt::keywords(const Spread &spread, int k)
{
    // Read when shown: what the tarot school stored is what the reading says.
    return CardDatabase::cardText(QStringLiteral("stichwörter"), spread.card(k));
}

deutKelt::deutKelt(QWidget *parent) : InterpretationWindow(WindowId::deutKelt, QStringLiteral("Orbelle: Cruz celta"), parent)
{
    resize(Twips::size(11700, 8130));

    Picture1 = new CelticSpreadView(this);
    Popup::watch(Picture1);
    headingLabel = new QLabel(this);
    headingLabel->setObjectName(QStringLiteral("headingLabel"));
    headingLabel->setFont(Theme::captionFont(13));
    headingLabel->setWordWrap(true);
    Box1 = new QPlainTextEdit(this);
    Box1->setObjectName(QStringLiteral("Box1"));
    makeMeaningBox(Box1, 10);
    cardNameLabel = new QLabel(this);
    cardNameLabel->setObjectName(QStringLiteral("cardNameLabel"));
    cardNameLabel->setFont(Theme::captionFont(11));
    cardNameLabel->setWordWrap(true);
    Box2 = new QPlainTextEdit(this);
    Box2->setObjectName(QStringLiteral("Box2"));
    makeMeaningBox(Box2, 10);
    for (QLabel *l : {headingLabel, cardNameLabel})
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
    // Read as heading, then text.
    headingLabel->setBuddy(Box1);
    cardNameLabel->setBuddy(Box2);
    makeButtons();
    quintessenceButton = new QPushButton(QStringLiteral("&Quintesencia"), this);
    quintessenceButton->setObjectName(QStringLiteral("quintessenceButton"));
    connect(quintessenceButton, &QPushButton::clicked, this, [this] {
        const int q = Quintessence::of(m_spread);
        WindowRegistry::get<slika>()->showQuintessence(q, CardPictures::load(Quintessence::cardFor(q)),
                                                       slika::Kind::General);
    });

    auto *column = new QVBoxLayout;
    column->setSpacing(Twips::px(90));
    column->addWidget(headingLabel);
    column->addWidget(Box1, 2);
    column->addSpacing(Twips::px(60));
    column->addWidget(cardNameLabel);
    column->addWidget(Box2, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(quintessenceButton);
    buttons->addSpacing(Twips::px(240));
    buttons->addWidget(saveButton);
    buttons->addSpacing(Twips::px(240));
    buttons->addWidget(backButton);
    column->addLayout(buttons);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(Twips::px(120), Twips::px(120), Twips::px(150), Twips::px(120));
    row->setSpacing(Twips::px(180));
    row->addWidget(Picture1, 56);
    row->addLayout(column, 44);

    QWidget::setTabOrder(Picture1, Box1);
    QWidget::setTabOrder(Box1, Box2);
    QWidget::setTabOrder(Box2, quintessenceButton);
    QWidget::setTabOrder(quintessenceButton, saveButton);
    QWidget::setTabOrder(saveButton, backButton);
    connect(Picture1, &CelticSpreadView::positionSelected, this, &deutKelt::select);

    // The texts grow a little with the window; the room goes to more lines.
    DesignScale::install(this, size(), DesignScale::Layout::Managed, 1.25);
    Program::adoptIntoMainWindow(this);
}

void deutKelt::Form_Load()
{
    m_spread = Readings::drawWithOrientations(CelticSpreadView::kPositions);
    // The pictures, turned where the card lies reversed, here and in the laying's slots.
    legKelt *laying = WindowRegistry::ifLoaded<legKelt>();
    std::array<QString, CelticSpreadView::kPositions> names;
    for (int k = 1; k <= m_spread.size(); ++k) {
        im1[size_t(k - 1)] = CardPictures::load(m_spread.card(k), m_spread.isReversed(k));
        names[size_t(k - 1)] = numberedHeading(k) + QStringLiteral(": ") + cardName(m_spread, k);
        if (laying)
            laying->setSlot(k, im1[size_t(k - 1)], names[size_t(k - 1)]);
    }
    Picture1->setCards(im1, names);
    select(1);
}

void deutKelt::select(int k)
{
    if (k < 1 || k > m_spread.size())
        return;
    {
        // The spread tells of the selections made on it; this one is told here already.
        const QSignalBlocker quiet(Picture1);
        Picture1->select(k);
    }
    headingLabel->setText(numberedHeading(k));
    Box1->setPlainText(positionText(k));
    cardNameLabel->setText(cardName(m_spread, k));
    Box2->setPlainText(keywords(m_spread, k));
    Box1->setAccessibleName(Picture1->positionName(k));
    Box2->setAccessibleName(QStringLiteral("Palabras clave: ") + cardName(m_spread, k));
}

void deutKelt::setFocusOnSpread()
{
    Picture1->setFocus(Qt::OtherFocusReason);
}

void deutKelt::save()
{
    bool asked = false;
    const QString question = Dialogs::input(this, deutf::questionPrompt(), QString(), QString(), &asked);
    // "Cancelar" gives the save up; an empty question with "OK" saves the reading dated only.
    if (!asked)
        return;
    m_spread.question = question;
    QList<Report::PositionText> positions;
    for (int k = 1; k <= m_spread.size(); ++k)
        positions.append({numberedHeading(k), cardName(m_spread, k), keywords(m_spread, k)});
    Report::writeReading(WindowId::deutKelt, m_spread, positions);
}
