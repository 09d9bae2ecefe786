#pragma once

#include <QString>

class QWidget;

// Starting the program, in one place (modOrbelle::Main, defined here): the settings, the
// card database, the deck, then the intro. The intro only animates.
namespace Shell {
// Opens the card database (the user's own copy where it can be made). False when the
// program cannot run; the user has been told why.
bool openCardData();
// Whether anything of a deck folder can be read: at least one picture the intro shows.
// A deck of which nothing can be read is forgotten, so the next start falls back to the
// program's own; one that lacks only some pictures starts with empty intro frames.
bool deckReadable(const QString &folder);
// Makes the shell's windows known to the registry.
void registerWindows();
// Once a run, as the main window first shows: readings a crashed run left unsaved are
// offered back.
void offerRecovery(QWidget *mainWindow);
} // namespace Shell
