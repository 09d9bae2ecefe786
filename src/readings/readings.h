#pragma once

#include "spread.h"

namespace Readings {
// Makes the readings' windows known to the registry and the readings to the catalogue.
void registerWindows();
// The catalogue's entries (src/readings/catalogue.cpp).
void addToCatalogue();

// Whether cards may lie reversed (the option "invertidas", on unless set to "no"); off,
// every card lies upright and the day card never takes its reversed meaning.
bool reversedAllowed();

// The draw of a reading whose cards may lie reversed: the n orientations first, each
// reversed when the integer part of 2 × r plus 1 is 2, then n cards no reading of this
// run has drawn (CardMarks::drawDistinct), in position order.
Spread drawWithOrientations(int n);
} // namespace Readings
