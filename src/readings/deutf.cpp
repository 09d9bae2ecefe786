#include "deutf.h"

#include "carddatabase.h"
#include "cardpictures.h"
#include "designscale.h"
#include "dialogs.h"
#include "kreuz.h"
#include "meaningbox.h"
#include "popup.h"
#include "program.h"
#include "report.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
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

deutf::deutf(QWidget *parent) : InterpretationWindow(WindowId::deutf, QStringLiteral("Deutung"), parent)
{
    resize(Twips::size(5850, 7425));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Twips::px(150), Twips::px(120), Twips::px(150), Twips::px(120));
    grid->setVerticalSpacing(Twips::px(45));
    const QFont heading = Theme::captionFont(10);
    for (int k = 0; k < 4; ++k) {
        QLabel *number = numberLabels[size_t(k)] = new QLabel(QString::number(k + 1), this);
        number->setObjectName(QStringLiteral("numberLabel%1").arg(k + 1));
        number->setFont(heading);
        QLabel *title = headingLabels[size_t(k)] = new QLabel(headings().at(k), this);
        title->setObjectName(QStringLiteral("headingLabel%1").arg(k + 1));
        title->setFont(heading);
        title->setWordWrap(true);
        for (QLabel *l : {number, title})
            l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
        // The card of the position, by name, beside its heading: set with the spread.
        QLabel *name = nameLabels[size_t(k)] = new QLabel(this);
        name->setObjectName(QStringLiteral("nameLabel%1").arg(k + 1));
        name->setFont(Theme::captionFont(10, false));
        name->setWordWrap(true);
        name->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::gold().name()));
        Box[size_t(k)] = new QPlainTextEdit(this);
        Box[size_t(k)]->setObjectName(QStringLiteral("Box%1").arg(k + 1));
        makeMeaningBox(Box[size_t(k)], 10);
        title->setBuddy(Box[size_t(k)]);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, 2 * k, 0);
        grid->addWidget(title, 2 * k, 1);
        grid->addWidget(name, 2 * k, 2);
        grid->addWidget(Box[size_t(k)], 2 * k + 1, 0, 1, 3);
        grid->setRowStretch(2 * k + 1, 1);
    }
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    makeButtons();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addSpacing(Twips::px(240));
    buttons->addWidget(backButton);
    grid->addLayout(buttons, 8, 0, 1, 3);
    // The meanings grow little with the window: the room goes to the text.
    DesignScale::install(this, size(), DesignScale::Layout::Managed, 1.0);
    Popup::watch(this);
    Program::adoptIntoMainWindow(this);
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
        nameLabels[size_t(k - 1)]->setText(Report::cardName(spread, k));
        // Read as the place and the card, then the meaning.
        Box[size_t(k - 1)]->setAccessibleName(QStringLiteral("%1. %2: %3").arg(k).arg(headings().value(k - 1), nameLabels[size_t(k - 1)]->text()));
    }
}

void deutf::takeFocus()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        Program::mdiArea()->setActiveSubWindow(frame);
    Box[0]->setFocus(Qt::TabFocusReason);
}

void deutf::save()
{
    bool asked = false;
    const QString question = Dialogs::input(this, questionPrompt(), QString(), QString(), &asked);
    // "Cancelar" gives the save up; an empty question with "OK" saves the reading dated only.
    if (!asked)
        return;
    m_spread.question = question;
    QList<Report::PositionText> positions;
    for (int k = 1; k <= m_spread.size(); ++k)
        positions.append({headings().value(k - 1), QString(), meaningOf(m_spread, k)});
    Report::writeReading(WindowId::deutf, m_spread, positions);
}
