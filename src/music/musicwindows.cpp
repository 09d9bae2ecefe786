#include "musicwindows.h"

#include "mojcorvin.h"
#include "music.h"

namespace Music {

void registerWindows()
{
    WindowRegistry::registerWindow<mojCorvin>();
    // A "play" from any window loads the player hidden; its load opens the first file.
    setPlayer([] { return WindowRegistry::get<mojCorvin>()->player; });
}

} // namespace Music
