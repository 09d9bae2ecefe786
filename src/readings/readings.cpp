#include "readings.h"

#include "bezi.h"
#include "deutf.h"
#include "deutkelt.h"
#include "deuttag.h"
#include "eingabe.h"
#include "frmdrag.h"
#include "kreuz.h"
#include "legbez.h"
#include "legkelt.h"
#include "legkreuz.h"
#include "legtag.h"
#include "modOrbelle.h"
#include "random.h"
#include "windows.h"

namespace Readings {

void registerWindows()
{
    WindowRegistry::registerWindow<legTag>(WindowId::legTag);
    WindowRegistry::registerWindow<deutTag>(WindowId::deutTag);
    WindowRegistry::registerWindow<legkreuz>(WindowId::legkreuz);
    WindowRegistry::registerWindow<kreuz>(WindowId::kreuz);
    WindowRegistry::registerWindow<deutf>(WindowId::deutf);
    WindowRegistry::registerWindow<frmDrag>(WindowId::frmDrag);
    WindowRegistry::registerWindow<eingabe>(WindowId::eingabe);
    WindowRegistry::registerWindow<legBez>(WindowId::legBez);
    WindowRegistry::registerWindow<bezi>(WindowId::bezi);
    WindowRegistry::registerWindow<legKelt>(WindowId::legKelt);
    WindowRegistry::registerWindow<deutKelt>(WindowId::deutKelt);
}

Spread drawWithOrientations(int n)
{
    // All orientations come before the first card: a seeded generator gives the same
    // reading.
    QVector<bool> reversed;
    for (int k = 0; k < n; ++k)
        reversed.append(int(2 * Random::next()) + 1 == 2);
    Spread s = Spread::of(modOrbelle::state().cardTaken.drawDistinct(n));
    for (int k = 0; k < s.size(); ++k)
        s.positions[k].reversed = reversed[k];
    return s;
}

} // namespace Readings
