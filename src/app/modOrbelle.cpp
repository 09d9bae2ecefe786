#include "modOrbelle.h"

#include "paths.h"
#include "settings.h"

namespace modOrbelle {

namespace {
std::function<void()> &introHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

bool isTrue(const QVariant &v)
{
    return v.isValid() && !v.isNull() && v.toBool();
}

void setIntro(std::function<void()> showIntro)
{
    introHook() = std::move(showIntro);
}

void Main()
{
    const QString folder = Paths::programFolder();

    // 1. The program's own folder, for anyone who looks in the settings.
    Settings::set(QStringLiteral("pfad"), folder);

    // 2. Music switched on?
    musicSetting = Settings::get(QStringLiteral("musikja"));
    if (!musicSetting.toString().isEmpty())
        musicOn = true;

    // 3. Source of the background music.
    waveKind = Settings::get(QStringLiteral("wavdat"));

    // 4. Nothing plays yet.
    Settings::set(QStringLiteral("musakt"), QString());

    // 5. The deck: the connected one, or the program's own.
    imageFolder = Settings::get(QStringLiteral("Imagenes"));
    if (imageFolder.isEmpty())
        imageFolder = Paths::join(folder, QStringLiteral("Imagenes"));
    while (imageFolder.size() > 1 && (imageFolder.endsWith(QLatin1Char('/'))))
        imageFolder.chop(1);

    // 6. The intro takes over from here.
    if (introHook())
        introHook()();
}

void resetSharedState()
{
    musicOn = QVariant();
    musicSetting = QVariant();
    musicActive = QVariant();
    musicFolder = QVariant();
    musicDevice = QVariant();
    waveKind.clear();
    firstName.clear();
    secondName.clear();
    imageFolder.clear();
    dbPath.clear();
    cardDb.clear();
    keepRunning = false;
    loopIndex = QVariant();
    cardNo = 0;
    cardTaken.fill(0);
    drawnCards.fill(QVariant());
    card1 = card2 = card3 = card4 = card5 = card6 = 0;
    quintSum = 0;
    readingQuestion.clear();
}

} // namespace modOrbelle
