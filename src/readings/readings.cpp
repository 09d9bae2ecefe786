#include "readings.h"

#include "bezi.h"
#include "deutf.h"
#include "deuttag.h"
#include "eingabe.h"
#include "frmdrag.h"
#include "kreuz.h"
#include "legbez.h"
#include "legkreuz.h"
#include "legtag.h"
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
}

} // namespace Readings
