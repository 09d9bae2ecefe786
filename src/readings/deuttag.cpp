#include "deuttag.h"

#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "legtag.h"
#include "modOrbelle.h"
#include "program.h"
#include "random.h"
#include "recordcursor.h"
#include "report.h"
#include "start.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QBoxLayout>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 12000;
constexpr int kHeight = 9000;
} // namespace

DayDraw drawDayCard()
{
    DayDraw d;
    d.set = int(3 * Random::next()) + 1;
    d.card = Random::card();
    return d;
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

deutTag::deutTag(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orbelle: Tageskarte"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(kWidth, kHeight));

    // The card in its frame at the top, the meaning below, the two buttons at the foot;
    // the window fits the main window at any size.
    Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedSize(Twips::size(1770, 2925));
    Shape1->setStyleSheet(
        QStringLiteral("#Shape1 { background: rgba(8, 10, 36, 200); border: 1px solid #e4c062; "
                       "border-radius: 8px; }"));
    Image1 = new QLabel(Shape1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(Twips::px(120), Twips::px(120)), Twips::size(1515, 2655)));
    Image1->setScaledContents(true);

    Box1 = new QPlainTextEdit(this);
    Box1->setObjectName(QStringLiteral("Box1"));
    QFont f(QStringLiteral("Tahoma"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(11);
    Box1->setFont(f);
    Box1->setMinimumHeight(Twips::px(1500));
    Box1->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: rgba(250, 246, 232, 235); color: #1d1a2e; "
                       "border: 1px solid #e4c062; border-radius: 6px; padding: 6px; }"));

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

    Command1 = new QPushButton(QStringLiteral("&Guardar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Atrás"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *b : {Command1, Command2})
        b->setMinimumWidth(Twips::px(1800));
    connect(Command1, &QPushButton::clicked, this, &deutTag::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &deutTag::Command2_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addSpacing(Twips::px(600));
    buttons->addWidget(Command2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Twips::px(900), Twips::px(600), Twips::px(900), Twips::px(300));
    layout->setSpacing(Twips::px(240));
    layout->addWidget(Shape1, 0, Qt::AlignHCenter);
    layout->addWidget(Box1, 1);
    layout->addLayout(buttons);

    Program::adoptIntoMainWindow(this);
}

int deutTag::card() const
{
    return modOrbelle::loopIndex.toInt();
}

void deutTag::Form_Load()
{
    // 1.
    m_background = backgroundPicture(QStringLiteral("nebo3.jpg"));
    // 2.–4. The program's one generator, seeded at start (a reseed from the seconds of
    // the day would give two readings in the same second the same card).
    const DayDraw draw = drawDayCard();
    m_set = draw.set;
    modOrbelle::loopIndex = float(draw.card);
    // 5.–6.
    im1 = CardPictures::load(card(), m_set == 3);
    // 7.
    Image1->setPixmap(QPixmap::fromImage(im1));
    WindowRegistry::get<legTag>()->setSlotImage(1, im1);
    // 8.
    Data1->openTable(CardDatabase::shared(), tableOf(m_set));
    Data1->bind(Box1, fieldOf(m_set));
    // 9.
    Timer1->setEnabled(true);
}

void deutTag::Command1_Click()
{
    Report::setFontSize(14);
    Report::insertText(QStringLiteral("\r\nLa carta para ") +
                       QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    Report::setFontSize(12);
    Report::insertText(QStringLiteral("\r\n\r\n"));
    Report::insertCard(im1, card(), m_set == 3);
    Report::insertText(QStringLiteral("\r\n\r\n") + Box1->toPlainText());
    Report::insertText(QStringLiteral("\r\n"));
    Report::show(false);
}

void deutTag::Command2_Click()
{
    for (const char *name : {"eingabe", "deutTag", "legTag", "slika", "anima"})
        WindowRegistry::unload(QString::fromLatin1(name));
    WindowRegistry::get<Start>()->showIdle();
}

void deutTag::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}
