#include "modOrbelle.h"

#include "paths.h"
#include "settings.h"

namespace modOrbelle {

RunState &state()
{
    static RunState s;
    return s;
}

bool isTrue(const QVariant &v)
{
    return v.isValid() && !v.isNull() && v.toBool();
}

void readStartSettings()
{
    RunState &run = state();
    const QString folder = Paths::programFolder();

    // 1. The program's own folder, for anyone who looks in the settings.
    Settings::set(QStringLiteral("pfad"), folder);

    // 2. Music switched on?
    run.musicSetting = Settings::get(QStringLiteral("musikja"));
    if (!run.musicSetting.toString().isEmpty())
        run.musicOn = true;

    // 3. Source of the background music.
    run.waveKind = Settings::get(QStringLiteral("wavdat"));

    // 4. Nothing plays yet.
    Settings::set(QStringLiteral("musakt"), QString());

    // 5. The deck: the connected one, or the program's own.
    run.imageFolder = Settings::get(QStringLiteral("Imagenes"));
    if (run.imageFolder.isEmpty())
        run.imageFolder = Paths::join(folder, QStringLiteral("Imagenes"));
    while (run.imageFolder.size() > 1 && (run.imageFolder.endsWith(QLatin1Char('/'))))
        run.imageFolder.chop(1);
}

void resetSharedState()
{
    state() = RunState{};
}

} // namespace modOrbelle
