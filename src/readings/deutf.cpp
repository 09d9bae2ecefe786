#include "deutf.h"

#include "cardpictures.h"
#include "dialogs.h"
#include "kreuz.h"
#include "modOrbelle.h"
#include "program.h"
#include "report.h"
#include "start.h"
#include "twips.h"
#include "windows.h"

#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
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
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Twips::px(150), Twips::px(120), Twips::px(150), Twips::px(120));
    grid->setVerticalSpacing(Twips::px(45));
    QFont heading(QStringLiteral("Arial"));
    heading.setBold(true);
    heading.setPointSize(10);
    QFont body(QStringLiteral("Tahoma"));
    body.setStyleHint(QFont::SansSerif);
    body.setPointSize(10);
    for (int k = 0; k < 4; ++k) {
        Label5[size_t(k)] = new QLabel(QString::number(k + 1), this);
        Label5[size_t(k)]->setObjectName(QStringLiteral("Label5_%1").arg(k));
        Label5[size_t(k)]->setFont(heading);
        Label[size_t(k)] = new QLabel(headings().at(k), this);
        Label[size_t(k)]->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        Label[size_t(k)]->setFont(heading);
        Box[size_t(k)] = new QPlainTextEdit(this);
        Box[size_t(k)]->setObjectName(QStringLiteral("Box%1").arg(k + 1));
        Box[size_t(k)]->setFont(body);
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
    buttons->addWidget(Command1);
    grid->addLayout(buttons, 8, 0, 1, 2);
    connect(Command1, &QPushButton::clicked, this, &deutf::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &deutf::Command2_Click);
    Program::adoptIntoMainWindow(this);
}

void deutf::Form_Load()
{
    kreuz *cross = WindowRegistry::get<kreuz>();
    for (size_t k = 0; k < 4; ++k) {
        Box[k]->setPlainText(cross->Box[k]->toPlainText());
        Box[k]->show();
    }
}

void deutf::Command2_Click()
{
    modOrbelle::readingQuestion = Dialogs::input(this, questionPrompt());
    kreuz *cross = WindowRegistry::get<kreuz>();
    Report::setFontSize(14);
    Report::insertText(QStringLiteral("\r\n") + modOrbelle::readingQuestion + QStringLiteral(" (") +
                       QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat) +
                       QStringLiteral(")\r\n"));
    Report::setFontSize(12);
    for (int k = 1; k <= 4; ++k) {
        Report::insertText(QStringLiteral("\r\n"));
        Report::insertCard(cross->images[size_t(k - 1)], modOrbelle::drawnCards[size_t(k)].toInt(), false);
        // The meanings as the cross window holds them now, not as edited here.
        Report::insertText(QStringLiteral("\r\n\r\n") + Label[size_t(k - 1)]->text() + QStringLiteral(": ") +
                           cross->Box[size_t(k - 1)]->toPlainText());
        if (k < 4)
            Report::insertText(QStringLiteral("\r\n"));
    }
    Report::show(false);
}

void deutf::Command1_Click()
{
    for (const char *name : {"deutf", "kreuz", "einfF", "legkreuz"})
        WindowRegistry::unload(QString::fromLatin1(name));
    WindowRegistry::get<Start>()->showIdle();
}
