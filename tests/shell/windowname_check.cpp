// Compiled twice by the window name check: a window class registered under its own name
// compiles; one whose name is not a window's must not.
#include "windows.h"

#include <QWidget>

#ifdef ORBELLE_NAME_MATCHES
class legKelt : public QWidget
{
};
#else
class legKelts : public QWidget
{
};
using legKelt = legKelts;
#endif

void registerIt()
{
    WindowRegistry::registerWindow<legKelt>();
}
