#pragma once

// The background music's window, the player, and how the other windows reach it.
namespace Music {
void registerWindows();
}
