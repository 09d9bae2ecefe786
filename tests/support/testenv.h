#pragma once

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

// Every test program runs against the build tree's program folder, with settings and
// per-user data in temporary folders of its own, dialogs answered in advance and the
// window timers at a small time scale.
namespace TestEnv {

// Before the application object exists: the environment that Qt reads once.
void prepare();
// After it exists: names, program folder, dialogs, timers.
void setUp();
QString dataHome();
// Deletes the settings file and the per-user data (between test cases).
void wipeUserFiles();
void writeFile(const QString &path, const QByteArray &bytes);

// A new start of the program for the next test case: every window unloaded, the shared
// state, settings and user files as on a first start, dialogs and sounds recorded, the
// timers fast, and the settings part of the start-up routine run.
void freshStart();
// Row `row` of a card table, read through the shared connection.
QString rowText(const QString &table, int row);
// The same row of the program folder's own file (empty if there is none).
QString pristineText(const QString &table, int row);

// Windows by the names the user knows them by (null for a name no window bears).
QWidget *window(const QString &name);
QWidget *ifLoaded(const QString &name);
bool isLoaded(const QString &name);
// The window timers still running, as "window/timer" (after deferred deletes ran).
QStringList runningTimers();
// The main window's idle look: panel shown, readings menu, "Sacar solo" and the music entry
// on, caption "Orbelle", not minimized.
bool mainWindowIdle();
// Whether the background music player was told to play since the recording began.
bool musicPlayed();

} // namespace TestEnv

#define ORBELLE_TEST_MAIN(TestObject)                                                                        \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        TestEnv::prepare();                                                                                  \
        QApplication app(argc, argv);                                                                        \
        TestEnv::setUp();                                                                                    \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
