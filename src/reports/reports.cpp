#include "reports.h"

#include "rtfviewer.h"
#include "slika.h"
#include "windows.h"

namespace Reports {

void registerWindows()
{
    WindowRegistry::registerWindow<rtfViewer>(WindowId::rtfViewer);
    WindowRegistry::registerWindow<slika>(WindowId::slika);
}

} // namespace Reports
