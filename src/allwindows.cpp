#include "allwindows.h"

#include "readings.h"
#include "reports.h"
#include "startup.h"

void registerAllWindows()
{
    Shell::registerWindows();
    Readings::registerWindows();
    Reports::registerWindows();
}
