#include "readings.h"

#include "deuttag.h"
#include "legtag.h"
#include "windows.h"

namespace Readings {

void registerWindows()
{
    WindowRegistry::registerFactory(QStringLiteral("legTag"), [] { return WindowRegistry::get<legTag>(); });
    WindowRegistry::registerFactory(QStringLiteral("deutTag"), [] { return WindowRegistry::get<deutTag>(); });
}

} // namespace Readings
