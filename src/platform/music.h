#pragma once

#include <functional>

class MediaControl;

// The background music as the other windows reach it: the music player's media control,
// created with the player on first reference. The player installs how it is reached when
// its window is registered; until then there is no player and nothing plays.
namespace Music {

void setPlayer(std::function<MediaControl *()> player);
// The player's control (loading the player), or nullptr without a player.
MediaControl *player();

// What a laying window, the free board and the school do when they open: when music is
// switched on and not playing yet, the player gets "play" and "musakt" becomes "ja".
void startIfWanted();

} // namespace Music
