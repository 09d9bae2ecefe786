#include "legkreuz.h"

#include "deutf.h"
#include "heaps.h"
#include "kreuz.h"
#include "program.h"
#include "start.h"
#include "timing.h"

LayingTable::Design legkreuz::design()
{
    Design d;
    d.back = {QSize(1575, 2610), QSize(1575, 2610), QRect(120, 120, 1575 - 228, 2610 - 228)};
    d.heap = &Heaps::cross;
    d.dealIntervalMs = 30;
    for (int left : {1560, 3960, 6360, 8760}) {
        d.slotRects.emplace_back(left, 360, 1575, 2655);
        d.frameRects.emplace_back(left - 120, 240, 1785, 2940);
    }
    d.revealDelayMs = 700;
    d.shrinkTakenLabel = true;
    // One prompt, at the end of the deal; the panel closes 2.5 s after it is shown.
    d.prompt = [](int k) { return k == 1 ? QStringLiteral("¡Saque por favor cuatro cartas!") : QString(); };
    d.gatherFrom = 77;
    d.gatherIntervalMs = 50;
    d.endPauseMs = 500;
    return d;
}

legkreuz::legkreuz(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Kreuz"));
    Timer5 = gatherTimer;
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer3 = endTimer;
    Timer3->setObjectName(QStringLiteral("Timer3"));
    connect(this, &LayingTable::laid, this, [this] {
        kreuz *cross = WindowRegistry::get<kreuz>();
        deutf *sheet = WindowRegistry::get<deutf>();
        sheet->setSpread(cross->spread());
        Program::showInside(cross);
        Program::showInside(sheet);
        // The cross keeps about its designed size; the sheet beside it takes the room the
        // main window has, so that its meanings read without scrolling.
        Program::limitScaleInside(cross, 1.0);
        Program::placeInside(cross, 120, 50);
        Program::placeBeside(sheet, cross, 50);
        Program::stretchInside(sheet);
        Start *main = WindowRegistry::get<Start>();
        main->showNormal();
        // The keyboard goes on in the sheet, beside the cross.
        main->activateWindow();
        sheet->takeFocus();
        WindowRegistry::unload(this);
    });
}

void legkreuz::loadReading()
{
    // The cross window's load draws the four cards and puts them into the slots.
    WindowRegistry::get<kreuz>();
}
