#include "allwindows.h"

#include "diario.h"
#include "musicwindows.h"
#include "readings.h"
#include "reports.h"
#include "school.h"
#include "startup.h"

void registerAllWindows()
{
    Shell::registerWindows();
    Readings::registerWindows();
    Reports::registerWindows();
    School::registerWindows();
    Music::registerWindows();
    Journal::registerWindows();
}
