#include "reports.h"

#include "rtfviewer.h"
#include "windows.h"

namespace Reports {

void registerWindows()
{
    WindowRegistry::registerFactory(QStringLiteral("rtfViewer"),
                                    [] { return WindowRegistry::get<rtfViewer>(); });
}

} // namespace Reports
