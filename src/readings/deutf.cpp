#include "deutf.h"

#include "backdrop.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "dialogs.h"
#include "kreuz.h"
#include "meaningbox.h"
#include "program.h"
#include "report.h"
#include "start.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

QStringList deutf::headings()
{
    return {QStringLiteral("La situación actual"), QStringLiteral("Ahora no es importante"),
            QStringLiteral("Pero es importante"), QStringLiteral("Tu paso siguiente te lleva a")};
}

QString deutf::questionPrompt()
{
    return QStringLiteral("¡Entre por favor su pregunta para esta sesión!");
}

deutf::deutf(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Deutung"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(5850, 7425));
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Twips::px(150), Twips::px(120), Twips::px(150), Twips::px(120));
    grid->setVerticalSpacing(Twips::px(45));
    const QFont heading = Theme::captionFont(10);
    for (int k = 0; k < 4; ++k) {
        Label5[size_t(k)] = new QLabel(QString::number(k + 1), this);
        Label5[size_t(k)]->setObjectName(QStringLiteral("Label5_%1").arg(k));
        Label5[size_t(k)]->setFont(heading);
        Label[size_t(k)] = new QLabel(headings().at(k), this);
        Label[size_t(k)]->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        Label[size_t(k)]->setFont(heading);
        for (QLabel *l : {Label5[size_t(k)], Label[size_t(k)]})
            l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
        Box[size_t(k)] = new QPlainTextEdit(this);
        Box[size_t(k)]->setObjectName(QStringLiteral("Box%1").arg(k + 1));
        makeMeaningBox(Box[size_t(k)], 10);
        Label[size_t(k)]->setBuddy(Box[size_t(k)]);
        grid->addWidget(Label5[size_t(k)], 2 * k, 0);
        grid->addWidget(Label[size_t(k)], 2 * k, 1);
        grid->addWidget(Box[size_t(k)], 2 * k + 1, 0, 1, 2);
        grid->setRowStretch(2 * k + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    Command2 = new QPushButton(QStringLiteral("&Guardar"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1 = new QPushButton(QStringLiteral("&Atrás"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addSpacing(Twips::px(240));
    buttons->addWidget(Command1);
    grid->addLayout(buttons, 8, 0, 1, 2);
    connect(Command1, &QPushButton::clicked, this, &deutf::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &deutf::Command2_Click);
    // The meanings grow little with the window: the room goes to the text.
    DesignScale::install(this, size(), DesignScale::Layout::Managed, 1.0);
    Program::adoptIntoMainWindow(this);
}

void deutf::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}

QString deutf::meaningOf(const Spread &spread, int k)
{
    return CardDatabase::cardText(kreuz::tableOf(k), spread.card(k));
}

void deutf::setSpread(const Spread &spread)
{
    m_spread = spread;
    for (int k = 1; k <= 4; ++k) {
        Box[size_t(k - 1)]->setPlainText(meaningOf(spread, k));
        Box[size_t(k - 1)]->show();
    }
}

void deutf::Command2_Click()
{
    m_spread.question = Dialogs::input(this, questionPrompt());
    // The meanings as the card texts hold them, not as edited here.
    QStringList meanings;
    for (int k = 1; k <= m_spread.size(); ++k)
        meanings << meaningOf(m_spread, k);
    Report::writeCross(m_spread, headings(), meanings);
}

void deutf::Command1_Click()
{
    goBack();
}

void deutf::goBack()
{
    for (WindowId id : {WindowId::deutf, WindowId::kreuz, WindowId::einfF, WindowId::legkreuz})
        WindowRegistry::unload(id);
    WindowRegistry::get<Start>()->showIdle();
}
