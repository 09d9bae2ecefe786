#pragma once

#include "allwindows.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "paths.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

// What the benches that run the program's windows set up alike.
namespace BenchEnv {

// Before the application is made: settings and the user's data go to `home`; the screen is
// offscreen unless `onScreen` or the caller's environment chose one.
inline void useHome(const QTemporaryDir &home, bool onScreen = false)
{
    if (!onScreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
}

// Once it is made: the program's names, folder and deck, its windows registered; its
// questions answered as a test answers them where `answering`.
inline void setUpProgram(bool answering)
{
    QApplication::setOrganizationName(QStringLiteral("Orbelle"));
    QApplication::setApplicationName(QStringLiteral("Orbelle"));
    Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    modOrbelle::state().imageFolder = Paths::join(Paths::programFolder(), QStringLiteral("Imagenes"));
    Dialogs::setAnswering(answering);
    registerAllWindows();
}

} // namespace BenchEnv
