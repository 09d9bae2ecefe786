#include "legbez.h"

#include "bezi.h"
#include "heaps.h"
#include "modOrbelle.h"
#include "program.h"
#include "start.h"
#include "timing.h"

QString legBez::promptFor(int k, const QString &firstName, const QString &secondName)
{
    if (k < 1 || k > 6)
        return QString();
    return (k % 2 == 1 ? firstName : secondName) + QStringLiteral(", saque por favór una carta!");
}

LayingTable::Design legBez::design()
{
    Design d;
    d.back = {QSize(1815, 2730), QSize(1785, 2790), QRect(120, 120, 1560, 2565)};
    d.heap = &Heaps::relationship;
    d.dealIntervalMs = 30;
    for (int k = 1; k <= 6; ++k) {
        d.slotRects.emplace_back(720 + 1800 * (k - 1), 240, 1545, 2655);
        d.frameRects.emplace_back(600 + 1800 * (k - 1), 120, 1785, 2940);
    }
    d.revealDelayMs = 700;
    d.shrinkTakenLabel = false;
    // The names are read as each prompt comes: they are the run's, set by the names input.
    d.askEachDraw([](int k) {
        const RunState &s = modOrbelle::state();
        return promptFor(k, s.firstName, s.secondName);
    });
    d.gatherFrom = 78;
    d.gatherIntervalMs = 30;
    d.endPauseMs = 0;
    return d;
}

legBez::legBez(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Orbelle: Relación"));
    Timer6 = promptTimer;
    Timer6->setObjectName(QStringLiteral("Timer6"));
    Timer5 = nextPromptTimer;
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer8 = gatherTimer;
    Timer8->setObjectName(QStringLiteral("Timer8"));
    // The interpretation was loaded, hidden, by the names input; it is shown as the last
    // back is gathered.
    // The keyboard goes with it, to its first text.
    connect(this, &LayingTable::laid, this, [this] {
        Start *main = WindowRegistry::get<Start>();
        main->showNormal();
        main->activateWindow();
        WindowRegistry::get<bezi>()->showReading();
        WindowRegistry::unload(this);
    });
}
