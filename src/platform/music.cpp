#include "music.h"

#include "mediacontrol.h"
#include "modOrbelle.h"
#include "settings.h"

namespace Music {

namespace {
std::function<MediaControl *()> &hook()
{
    static std::function<MediaControl *()> h;
    return h;
}
} // namespace

void setPlayer(std::function<MediaControl *()> player)
{
    hook() = std::move(player);
}

MediaControl *player()
{
    return hook() ? hook()() : nullptr;
}

void startIfWanted()
{
    const RunState &run = modOrbelle::state();
    if (!modOrbelle::isTrue(run.musicOn) || !run.musicActive.toString().isEmpty())
        return;
    if (MediaControl *mc = player()) {
        mc->setCommand(QStringLiteral("play"));
        Settings::set(QStringLiteral("musakt"), QStringLiteral("ja"));
    }
}

} // namespace Music
