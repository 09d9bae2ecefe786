#include "readings.h"

#include "deutf.h"
#include "deuttag.h"
#include "kreuz.h"
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
}

} // namespace Readings
