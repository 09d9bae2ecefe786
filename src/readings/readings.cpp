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
    WindowRegistry::registerFactory(QStringLiteral("legTag"), [] { return WindowRegistry::get<legTag>(); });
    WindowRegistry::registerFactory(QStringLiteral("deutTag"), [] { return WindowRegistry::get<deutTag>(); });
    WindowRegistry::registerFactory(QStringLiteral("legkreuz"),
                                    [] { return WindowRegistry::get<legkreuz>(); });
    WindowRegistry::registerFactory(QStringLiteral("kreuz"), [] { return WindowRegistry::get<kreuz>(); });
    WindowRegistry::registerFactory(QStringLiteral("deutf"), [] { return WindowRegistry::get<deutf>(); });
}

} // namespace Readings
