#include "reports.h"

#include "rtfviewer.h"
#include "slika.h"
#include "windows.h"

namespace Reports {

void registerWindows()
{
    WindowRegistry::registerWindow<rtfViewer>();
    WindowRegistry::registerWindow<slika>();
}

} // namespace Reports
