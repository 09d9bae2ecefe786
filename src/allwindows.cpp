#include "allwindows.h"

#include "startup.h"

void registerAllWindows()
{
    Shell::registerWindows();
}
