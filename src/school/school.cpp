#include "school.h"

#include "alleimagenes.h"
#include "lernen.h"
#include "windows.h"

namespace School {

void registerWindows()
{
    WindowRegistry::registerWindow<lernen>();
    WindowRegistry::registerWindow<alleImagenes>();
}

} // namespace School
