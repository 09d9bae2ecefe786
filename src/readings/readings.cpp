#include "readings.h"

#include "cardpicker.h"
#include "frmdrag.h"
#include "modOrbelle.h"
#include "random.h"
#include "settings.h"
#include "windows.h"

namespace Readings {

void registerWindows()
{
    addToCatalogue();
    WindowRegistry::registerWindow<frmDrag>();
}

bool reversedAllowed()
{
    return Settings::get(QStringLiteral("invertidas")) != QLatin1String("no");
}

Spread drawWithOrientations(int n)
{
    if (CardPicker::wanted()) {
        if (std::optional<Spread> hand = CardPicker::ask(n, reversedAllowed()))
            return *hand;
    }
    // All orientations come before the first card: a seeded generator gives the same
    // reading.
    QVector<bool> reversed;
    for (int k = 0; k < n; ++k)
        reversed.append(int(2 * Random::next()) + 1 == 2 && reversedAllowed());
    Spread s = Spread::of(modOrbelle::state().cardTaken.drawDistinct(n));
    for (int k = 0; k < s.size(); ++k)
        s.positions[k].reversed = reversed[k];
    return s;
}

} // namespace Readings
