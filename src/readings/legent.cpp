#include "legent.h"

#include "deutent.h"
#include "dialogs.h"
#include "legkelt.h"
#include "program.h"
#include "start.h"
#include "timing.h"

#include <QMdiSubWindow>
#include <QTimer>

namespace {
constexpr int kCards = 7;
} // namespace

QString legEnt::decisionPrompt()
{
    return QStringLiteral("¿Qué decisión estás pensando tomar?");
}

QString legEnt::promptFor(int k)
{
    if (k < 1 || k > kCards)
        return QString();
    QString step = deutEnt::step(k);
    step[0] = step.at(0).toLower();
    QString arm = deutEnt::arm(k);
    if (!arm.isEmpty()) {
        arm[0] = arm.at(0).toLower();
        step += QLatin1Char(' ') + arm;
    }
    return QStringLiteral("Saque la carta %1 de %2: %3").arg(k).arg(kCards).arg(step);
}

LayingTable::Design legEnt::design()
{
    // The Celtic cross's table with seven slots.
    return legKelt::rowTable(kCards, &legEnt::promptFor);
}

legEnt::legEnt(QWidget *parent) : LayingTable(design(), parent)
{
    setWindowTitle(QStringLiteral("Orbelle: Juego de decisión"));
    connect(this, &LayingTable::laid, this, [this] {
        deutEnt *reading = WindowRegistry::get<deutEnt>();
        Program::showFillingArea(reading);
        reading->setFocusOnSpread();
        WindowRegistry::unload(this);
    });
}

void legEnt::Form_Load()
{
    LayingTable::Form_Load();
    // No back is dealt before the decision is given; it is asked once the table shows.
    Timer1->setEnabled(false);
}

void legEnt::showEvent(QShowEvent *e)
{
    LayingTable::showEvent(e);
    if (!m_decided && !m_asking) {
        m_asking = true;
        QTimer::singleShot(0, this, &legEnt::askDecision);
    }
}

void legEnt::loadReading()
{
    // A spread left open by an earlier laying is given up.
    WindowRegistry::unload<deutEnt>();
}

void legEnt::askDecision()
{
    m_asking = false;
    if (WindowRegistry::ifLoaded<legEnt>() != this || m_decided)
        return;
    bool accepted = false;
    const QString decision = Dialogs::input(this, decisionPrompt(), QString(), QString(), &accepted);
    if (WindowRegistry::ifLoaded<legEnt>() != this)
        return;
    if (!accepted) {
        // The table goes out of sight, its deal held; the main window is idle again.
        QWidget *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
        (frame ? frame : static_cast<QWidget *>(this))->hide();
        WindowRegistry::unload(WindowId::meld);
        WindowRegistry::unload(WindowId::anima);
        WindowRegistry::get<Start>()->showIdle();
        return;
    }
    m_decided = true;
    // The interpretation's load draws the seven cards and puts them into the slots.
    WindowRegistry::get<deutEnt>()->setDecision(decision.simplified());
    Timer1->setEnabled(true);
    setFocus(Qt::OtherFocusReason);
}
