#pragma once

// The shell's part of starting: the card database, the windows it knows by name, and
// the intro that shows the main window.
namespace Shell {
// Opens the card database (the user's own copy where it can be made). False when the
// program cannot run; the user has been told why.
bool openCardData();
// Makes the shell's windows known to the registry by name.
void registerWindows();
// What the start-up routine shows last: the intro.
void showIntro();
} // namespace Shell
