#include "reports.h"

#include "rtfviewer.h"
#include "windows.h"

namespace Reports {

void registerWindows()
{
    WindowRegistry::registerWindow<rtfViewer>(WindowId::rtfViewer);
}

} // namespace Reports
