#include "legkelt.h"

#include "deutkelt.h"
#include "heaps.h"
#include "program.h"
#include "timing.h"

namespace {
constexpr int kCards = 10;
// The row of slots is centred on this line of the table.
constexpr int kRowMiddle = 6000;
constexpr int kSlotPitch = 1150;
constexpr QSize kSlot(1000, 1750);
constexpr int kFrame = 60; // the frame's margin around its slot
} // namespace

QString legKelt::promptFor(int k)
{
    if (k < 1 || k > kCards)
        return QString();
    QString heading = deutKelt::heading(k);
    heading[0] = heading.at(0).toLower();
    return QStringLiteral("Saque la carta %1 de %2: %3").arg(k).arg(kCards).arg(heading);
}

LayingTable::Design legKelt::rowTable(int cards, std::function<QString(int k)> promptOf)
{
    Design d;
    d.back = {QSize(1500, 2500), QSize(1500, 2500), QRect(120, 120, 1500 - 228, 2500 - 228)};
    d.heap = &Heaps::celtic;
    d.dealIntervalMs = 30;
    const int first = kRowMiddle - (cards * kSlotPitch - (kSlotPitch - kSlot.width())) / 2;
    for (int k = 0; k < cards; ++k) {
        const int left = first + kSlotPitch * k;
        d.slotRects.emplace_back(left, 300, kSlot.width(), kSlot.height());
        d.frameRects.emplace_back(left - kFrame, 300 - kFrame, kSlot.width() + 2 * kFrame,
                                  kSlot.height() + 2 * kFrame);
    }
    d.revealDelayMs = 700;
    d.askEachDraw(std::move(promptOf));
    d.gatherFrom = 78;
    d.gatherIntervalMs = 30;
    d.endPauseMs = 500;
    return d;
}

LayingTable::Design legKelt::design()
{
    // Every draw is asked for by its position, as the relationship asks by name.
    return rowTable(kCards, &legKelt::promptFor);
}

legKelt::legKelt(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Orbelle: Cruz celta"));
    connect(this, &LayingTable::laid, this, [this] {
        // The spread and its texts take the whole area of the main window, and the keyboard.
        deutKelt *reading = WindowRegistry::get<deutKelt>();
        Program::showFillingArea(reading);
        reading->setFocusOnSpread();
        WindowRegistry::unload(this);
    });
}

void legKelt::loadReading()
{
    // A spread left open by an earlier laying is given up: a new laying deals a new one.
    WindowRegistry::unload<deutKelt>();
    // The interpretation's load draws the ten cards and puts them into the slots.
    WindowRegistry::get<deutKelt>();
}
