#pragma once

#include <QString>

// A connected deck of large baseline scans for the benches: 3000×5000 JPEGs in six
// colours with fine detail, so the coder has work to do, card n a copy of card n % 6.
void makeScannedDeck(const QString &folder);
