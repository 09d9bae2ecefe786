#pragma once

// The tarot school's windows: the card study and the gallery of all cards.
namespace School {
void registerWindows();
}
