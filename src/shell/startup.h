#pragma once

// What the program shows after the start-up routine: opens the card database, tells the
// user what they must know about it, and shows the main window. False when the program
// cannot run (the user has been told why).
namespace Shell {
bool openCardData();
void showIntro();
} // namespace Shell
