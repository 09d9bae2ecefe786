#include "readings.h"

#include "bezi.h"
#include "deutf.h"
#include "deutent.h"
#include "deutkelt.h"
#include "deuttag.h"
#include "eingabe.h"
#include "kreuz.h"
#include "legbez.h"
#include "legent.h"
#include "legkelt.h"
#include "legkreuz.h"
#include "legtag.h"
#include "panels.h"
#include "readingcatalogue.h"
#include "slika.h"

namespace {
// A reading's windows, registered, in the order they are unloaded when it ends.
template <class... W>
std::vector<WindowId> windows()
{
    (WindowRegistry::registerWindow<W>(), ...);
    return {WindowId(WindowNames::indexOf<W>())...};
}

using Opening = ReadingEntry::Opening;
} // namespace

namespace Readings {

// The readings of the main window, in the order of its menu. A new reading is its own
// windows and one entry here.
void addToCatalogue()
{
    ReadingCatalogue::add({
        .first = WindowId::einfF,
        .windows = windows<deutf, kreuz, einfF, legkreuz>(),
        .caption = QStringLiteral("Orbelle: Cruz"),
        .menu = {QStringLiteral("mnukreuz"), QStringLiteral("&Cruz"), QKeySequence(Qt::CTRL | Qt::Key_K)},
        .button = {QStringLiteral("crossButton"), QStringLiteral("Cruz"), QRect(720, 2160, 3495, 735)},
        .opening = Opening::Directly,
        .locksMenus = true,
        .closesIntro = true,
        .reportHeading = QStringLiteral("\r\n{question} ({date})\r\n"),
    });
    ReadingCatalogue::add({
        .first = WindowId::eingabe,
        .windows = windows<eingabe, bezi, legBez, slika>(),
        .caption = QStringLiteral("Orbelle: Relación"),
        .menu = {QStringLiteral("mnuBezi"), QStringLiteral("&Relación")},
        .button = {QStringLiteral("relationshipButton"), QStringLiteral("El juego de relacíon"),
                   QRect(2040, 3360, 7815, 975)},
        .opening = Opening::Minimized,
        .locksMenus = false,
        .closesIntro = false,
        .reportHeading = QStringLiteral("\r\n{second} und {first} {date}\r\n"),
    });
    ReadingCatalogue::add({
        .first = WindowId::legKelt,
        .windows = windows<deutKelt, legKelt, slika>(),
        .caption = QStringLiteral("Orbelle: Das Keltische Kreuz"),
        .menu = {QStringLiteral("mnuKelt"), QStringLiteral("Das &Keltische Kreuz")},
        .button = {QStringLiteral("celticButton"), QStringLiteral("Das Keltische Kreuz"), QRect(1200, 7440, 4575, 735)},
        .opening = Opening::ShuffleBriefly,
        .locksMenus = false,
        .closesIntro = false,
        .reportHeading = QStringLiteral("\r\nCruz celta[: {question}] ({date})\r\n"),
    });
    // The decision game. The panel's gypsy spell is not offered: no spread of that name is
    // known, and the word is widely taken as a slur.
    ReadingCatalogue::add({
        .first = WindowId::legEnt,
        .windows = windows<deutEnt, legEnt, slika>(),
        .caption = QStringLiteral("Orbelle: Entscheidungsspiel"),
        .menu = {QStringLiteral("mnuEnt"), QStringLiteral("&Entscheidungsspiel")},
        .button = {QStringLiteral("decisionButton"), QStringLiteral("Das Entscheidungsspiel"),
                   QRect(6360, 0, 4200, 735)},
        .opening = Opening::ShuffleBriefly,
        .locksMenus = false,
        .closesIntro = false,
        .reportHeading = QStringLiteral("\r\nJuego de decisión[: {question}] ({date})\r\n"),
    });
    ReadingCatalogue::add({
        .first = WindowId::legTag,
        .windows = windows<deutTag, legTag>(),
        .caption = QStringLiteral("Orbelle: La carta de hoy"),
        .menu = {QStringLiteral("mnuTag"), QStringLiteral("Carta de &hoy"), QKeySequence(Qt::CTRL | Qt::Key_H)},
        .button = {QStringLiteral("dayCardButton"), QStringLiteral("¡Su carta para hoy!"), QRect(6120, 2040, 4935, 735)},
        .opening = Opening::Shuffle,
        .locksMenus = true,
        .closesIntro = true,
        .reportHeading = QStringLiteral("\r\nLa carta para {date}"),
    });
}

} // namespace Readings
