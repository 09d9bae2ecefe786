#pragma once

#include <QVector>

// Drawing cards that no reading of this run has drawn yet. The marks in
// modOrbelle::cardTaken are kept for the whole run; when fewer unmarked cards are left
// than a reading needs, the marks are cleared first, so a draw always ends.
namespace Draw {

QVector<int> distinct(int n);
// All marks cleared (the free board shuffles the whole deck).
void clearMarks();
int unmarkedCount();

} // namespace Draw
