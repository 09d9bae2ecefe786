#include "legtag.h"

#include "deuttag.h"
#include "heaps.h"
#include "program.h"
#include "start.h"
#include "timing.h"

#include <QPlainTextEdit>

LayingTable::Design legTag::design()
{
    Design d;
    d.back = {QSize(1740, 2940), QSize(1740, 2940), QRect(120, 120, 1740 - 228, 2940 - 228)};
    d.heap = &Heaps::day;
    d.dealIntervalMs = 50;
    d.slotRects = {QRect(5160, 240, 1550, 2655)};
    d.frameRects = {QRect(5040, 120, 1785, 2940)};
    d.revealDelayMs = 600;
    d.shrinkTakenLabel = false;
    d.prompt = [](int) { return QStringLiteral("¡Saque su carta para hoy, por favor!"); };
    d.firstPromptDelayMs = 30;
    d.drawsOpenWithPrompt = true;
    d.promptCloseMs = 2000;
    d.revealClosesSound = false;
    d.endPauseMs = 2000;
    return d;
}

legTag::legTag(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    Timer6 = promptTimer;
    Timer6->setObjectName(QStringLiteral("Timer6"));
    Timer3 = endTimer;
    Timer3->setObjectName(QStringLiteral("Timer3"));
    connect(this, &LayingTable::laid, this, [this] {
        hide(); // stays loaded until "Atrás" or the main menu
        deutTag *reading = WindowRegistry::get<deutTag>();
        Program::showInside(reading);
        // The keyboard goes on in the reading: its meaning first, then its buttons.
        WindowRegistry::get<Start>()->activateWindow();
        reading->Box1->setFocus(Qt::OtherFocusReason);
    });
}

void legTag::loadReading()
{
    // The interpretation's load draws the card and puts it into the slot.
    WindowRegistry::get<deutTag>();
}
