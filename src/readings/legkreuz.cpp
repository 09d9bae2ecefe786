#include "legkreuz.h"

#include "cardpictures.h"
#include "deutf.h"
#include "heaps.h"
#include "kreuz.h"
#include "mediacontrol.h"
#include "program.h"
#include "start.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QMdiSubWindow>

LayingTable::Design legkreuz::design()
{
    Design d;
    d.backSize = QSize(1575, 2610);
    d.heap = &Heaps::cross;
    d.dealIntervalMs = 30;
    for (int left : {1560, 3960, 6360, 8760}) {
        d.slotRects.emplace_back(left, 360, 1575, 2655);
        d.frameRects.emplace_back(left - 120, 240, 1785, 2940);
    }
    d.revealDelayMs = 700;
    d.shrinkTakenLabel = true;
    d.prompt = QStringLiteral("¡Saque por favor cuatro cartas!");
    d.multiCard = true;
    return d;
}

legkreuz::legkreuz(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Kreuz"));
    Timer5 = new Timer(this, 50);
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer3 = new Timer(this, 500);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    connect(Timer5, &QTimer::timeout, this, &legkreuz::gatherTick);
    connect(Timer3, &QTimer::timeout, this, [this] {
        kreuz *cross = WindowRegistry::get<kreuz>();
        deutf *sheet = WindowRegistry::get<deutf>();
        Program::showInside(cross);
        Program::showInside(sheet);
        Program::placeInside(cross, 120, 50);
        Program::placeInside(sheet, 120 + 5720, 50);
        WindowRegistry::get<Start>()->showNormal();
        MMControl1->setCommand(QStringLiteral("close"));
        Timer3->setEnabled(false);
        WindowRegistry::unload(QStringLiteral("legkreuz"));
    });
}

void legkreuz::Form_Load()
{
    // The cards are drawn by the cross window's load, before the first back is dealt.
    WindowRegistry::get<kreuz>();
    readMusicActive();
    resetCounters();
    m_gather = 77;
    Timer1->setEnabled(true);
    loadBackground();
    openSounds();
}

void legkreuz::dealEnded()
{
    QApplication::processEvents();
    // The prompt closes itself 2.5 s after it is shown.
    showPrompt(false);
    setMayDraw(true);
    MMControl2->setCommand(QStringLiteral("stop"));
    Timer1->setEnabled(false);
    startMusicIfWanted();
}

void legkreuz::drawn(int i)
{
    playDrawSound();
    Timer4->setEnabled(true);
    setDrawCount(drawCount() + 1);
    takeAway(i);
    if (drawCount() > 4) {
        // A click while the backs are being gathered: that back goes, nothing else.
        setDrawCount(4);
        setMouseOn(false);
        MMControl1->setCommand(QStringLiteral("close"));
    }
    if (drawCount() == 4 && !Timer5->isActive() && m_gather == 77)
        Timer5->setEnabled(true);
    setMouseOn(false);
}

void legkreuz::gatherTick()
{
    hideBack(77);
    --m_gather;
    hideBack(m_gather);
    if (m_gather <= 0) {
        hideBack(0);
        Timer5->setEnabled(false);
        Timer3->setEnabled(true);
    }
}
