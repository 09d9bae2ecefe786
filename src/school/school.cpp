#include "school.h"

#include "alleimagenes.h"
#include "lernen.h"
#include "windows.h"

namespace School {

void registerWindows()
{
    WindowRegistry::registerWindow<lernen>(WindowId::lernen);
    WindowRegistry::registerWindow<alleImagenes>(WindowId::alleImagenes);
}

} // namespace School
