#include "legtag.h"

#include "cardpictures.h"
#include "deuttag.h"
#include "heaps.h"
#include "mediacontrol.h"
#include "program.h"
#include "timing.h"
#include "windows.h"

LayingTable::Design legTag::design()
{
    Design d;
    d.backSize = QSize(1740, 2940);
    d.heap = &Heaps::day;
    d.dealIntervalMs = 50;
    d.slotRects = {QRect(5160, 240, 1550, 2655)};
    d.frameRects = {QRect(5040, 120, 1785, 2940)};
    d.revealDelayMs = 600;
    d.shrinkTakenLabel = false;
    d.prompt = QStringLiteral("¡Saque su carta para hoy, por favor!");
    d.multiCard = false;
    return d;
}

legTag::legTag(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    Timer6 = new Timer(this, 30);
    Timer6->setObjectName(QStringLiteral("Timer6"));
    Timer3 = new Timer(this, 2000);
    Timer3->setObjectName(QStringLiteral("Timer3"));

    connect(Timer6, &QTimer::timeout, this, [this] {
        Timer1->setEnabled(false);
        setMayDraw(true);
        // The prompt closes itself two seconds after it is shown.
        showPrompt(true);
        Timer6->setEnabled(false);
    });
    connect(Timer3, &QTimer::timeout, this, [this] {
        MMControl1->setCommand(QStringLiteral("close"));
        hide(); // stays loaded until "Atrás" or the main menu
        Program::showInside(WindowRegistry::get<deutTag>());
        Timer3->setEnabled(false);
    });
}

void legTag::Form_Load()
{
    // The card is drawn by the interpretation's load, before the first back is dealt.
    loadTable([] { WindowRegistry::get<deutTag>(); });
    Timer1->setEnabled(true);
}

void legTag::dealEnded()
{
    MMControl2->setCommand(QStringLiteral("stop"));
    startMusicIfWanted();
    setDealCount(0);
    Timer6->setEnabled(true);
    Timer1->setEnabled(false);
}

void legTag::drawn(int i)
{
    playDrawSound();
    Timer4->setEnabled(true);
    Timer3->setEnabled(true);
    takeAway(i);
    // One card only: the table takes no further draw.
    setMouseOn(false);
}
