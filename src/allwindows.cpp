#include "allwindows.h"

#include "readings.h"
#include "startup.h"

void registerAllWindows()
{
    Shell::registerWindows();
    Readings::registerWindows();
}
