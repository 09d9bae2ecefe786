#include "deuttag.h"

#include "carddatabase.h"
#include "cardpicker.h"
#include "cardpictures.h"
#include "designscale.h"
#include "legtag.h"
#include "meaningbox.h"
#include "popup.h"
#include "program.h"
#include "random.h"
#include "readings.h"
#include "recordcursor.h"
#include "report.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 12000;
constexpr int kHeight = 9000;
} // namespace

Spread drawDayCard()
{
    const int set = int((Readings::reversedAllowed() ? 3 : 2) * Random::next()) + 1;
    if (std::optional<Spread> hand = CardPicker::wanted() ? CardPicker::ask(1, Readings::reversedAllowed()) : std::nullopt) {
        hand->meaningSet = hand->isReversed(1) ? 3 : qMin(set, 2);
        return *hand;
    }
    Spread s = Spread::of({Random::card()});
    s.meaningSet = set;
    s.positions[0].reversed = set == 3;
    return s;
}

QString deutTag::tableOf(int set)
{
    return QStringLiteral("tag%1").arg(set);
}

QString deutTag::fieldOf(int set)
{
    // The design binds "Tag1"; the others are switched at load. Field names match
    // without regard to letter case.
    static const QString fields[] = {QStringLiteral("Tag1"), QStringLiteral("tag2"), QStringLiteral("tag3")};
    return fields[qBound(1, set, 3) - 1];
}

deutTag::deutTag(QWidget *parent) : InterpretationWindow(WindowId::deutTag, QStringLiteral("Orbelle: Tageskarte"), parent)
{
    resize(Twips::size(kWidth, kHeight));

    // The card in its frame at the top, the meaning below, the two buttons at the foot;
    // all of it scales with the window.
    Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(Twips::rect(5160, 960, 1770, 2925));
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { %1 }").arg(Theme::cardFrameStyle(8)));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips::rect(5280, 1080, 1515, 2655));
    Image1->setScaledContents(true);

    // The card's name under it: " (carta invertida)" when it lies turned.
    cardNameLabel = new QLabel(this);
    cardNameLabel->setObjectName(QStringLiteral("cardNameLabel"));
    cardNameLabel->setGeometry(Twips::rect(1200, 3960, 9600, 420));
    cardNameLabel->setFont(Theme::captionFont(12));
    cardNameLabel->setAlignment(Qt::AlignCenter);
    cardNameLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));

    Box1 = new QPlainTextEdit(this);
    Box1->setObjectName(QStringLiteral("Box1"));
    Box1->setGeometry(Twips::rect(1200, 4440, 9600, 3300));
    makeMeaningBox(Box1, 11);

    Data1 = new RecordCursor(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    // The meanings are read-only: notes typed into the box go into the report, never
    // into the database.
    connect(Data1, &RecordCursor::validate, this, [](int, bool *save) { *save = false; });

    Timer1 = new Timer(this, 55);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] {
        positionAtCard(*Data1, card());
        Timer1->setEnabled(false);
    });

    makeButtons();
    saveButton->setGeometry(Twips::rect(3900, 7980, 1800, 540));
    backButton->setGeometry(Twips::rect(6300, 7980, 1800, 540));

    cardNameLabel->setBuddy(Box1);
    QWidget::setTabOrder(Box1, saveButton);
    QWidget::setTabOrder(saveButton, backButton);

    Popup::watch(this);
    DesignScale::install(this, size(), DesignScale::Layout::Placed);
    Program::adoptIntoMainWindow(this);
}

void deutTag::resizeEvent(QResizeEvent *e)
{
    // The design has placed and scaled the controls already. At a small scale the
    // captions keep their readable size: a button grows about its centre to hold its own.
    InterpretationWindow::resizeEvent(e);
    for (QPushButton *b : {saveButton, backButton}) {
        const QSize need = b->sizeHint();
        QRect r = b->geometry();
        if (r.width() >= need.width() && r.height() >= need.height())
            continue;
        const QPoint centre = r.center();
        r.setSize(r.size().expandedTo(need));
        r.moveCenter(centre);
        b->setGeometry(r);
    }
}

void deutTag::Form_Load()
{
    // 2.–4. The program's one generator, seeded at start (a reseed from the seconds of
    // the day would give two readings in the same second the same card).
    m_spread = drawDayCard();
    // 5.–6.
    im1 = CardPictures::load(card(), m_spread.isReversed(1));
    // 7.
    Image1->setPixmap(QPixmap::fromImage(CardPictures::framed(im1, Image1->size())));
    cardNameLabel->setText(Report::cardName(m_spread, 1));
    Image1->setAccessibleName(cardNameLabel->text());
    WindowRegistry::get<legTag>()->setSlot(1, im1, cardNameLabel->text());
    // Read as the card, then its meaning.
    Box1->setAccessibleName(QStringLiteral("Tu carta para hoy: ") + cardNameLabel->text());
    // 8.
    Data1->openTable(CardDatabase::shared(), tableOf(meaningSet()));
    Data1->bind(Box1, fieldOf(meaningSet()));
    // 9.
    Timer1->setEnabled(true);
}

void deutTag::save()
{
    Report::writeReading(WindowId::deutTag, m_spread, {{QString(), QString(), Box1->toPlainText()}});
}
