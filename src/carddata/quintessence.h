#pragma once

#include "spread.h"

// The quintessence of a reading (the relationship, the decision, the Celtic cross): every card has a value, the values are
// added and the sum is folded into a number from 0 to 21 — the card whose picture and
// text the quintessence sheet shows. Pure functions of the spread's card numbers; the
// spread is never changed.
namespace Quintessence {

// 1–21 the majors' own numbers; 22 (the Fool) 0; As to 10 of each suit 1–10; the court
// cards 0.
int cardValue(int card);
// The sum of the values of the spread's cards.
int sum(const Spread &spread);
// The digit rule: first plus last digit (a one-digit sum counts twice), and for a
// three-digit sum also its first two digits read as one number.
int fold(int sum);
// fold(sum(spread)), folded again while it is above 21 (possible from ten cards on).
int of(const Spread &spread);
// The card shown for a quintessence: q itself, and the Fool (22) for 0.
int cardFor(int q);

} // namespace Quintessence
