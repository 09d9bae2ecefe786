#include "interpretation.h"

#include "cardpicker.h"
#include "cardpictures.h"
#include "journalstore.h"
#include "readingcatalogue.h"
#include "popup.h"
#include "timing.h"

#include <QPainter>
#include <QPushButton>

InterpretationWindow::InterpretationWindow(WindowId self, const QString &title, QWidget *parent)
    : QWidget(parent), m_self(self), m_background(QStringLiteral("nebo3.jpg"))
{
    setWindowTitle(title);
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
}

void InterpretationWindow::makeButtons()
{
    saveButton = new QPushButton(QStringLiteral("&Guardar"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    backButton = new QPushButton(QStringLiteral("&Atrás"), this);
    backButton->setObjectName(QStringLiteral("backButton"));
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(backButton, &QPushButton::clicked, this, &InterpretationWindow::leave);
}

void InterpretationWindow::leave()
{
    Popup::leaveReading(m_self);
}

void InterpretationWindow::Form_Unload()
{
    for (Timer *t : findChildren<Timer *>())
        t->setEnabled(false);
}

void InterpretationWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}

const Spread &InterpretationWindow::spread() const
{
    static const Spread none;
    return none;
}

void InterpretationWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (const ReadingEntry *reading = ReadingCatalogue::readingOf(m_self))
        JournalRecorder::laid(this, Journal::kindOfMenu(reading->menu.name), spread(),
                              CardPicker::enteredByHand(spread()));
}
