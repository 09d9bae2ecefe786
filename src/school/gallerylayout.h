#pragma once

#include <QRect>

// Where the gallery puts its 78 cards and its keyword box, in design twips. Kept apart
// from the window so the placement rules are checked without one.
namespace GalleryLayout {

inline constexpr int kColumns = 13;
inline constexpr int kRows = 6;
inline constexpr int kCardWidth = 735;
inline constexpr int kCardHeight = 1335;
inline constexpr int kBoxWidth = 3015;
inline constexpr int kBoxHeight = 1935;
// The whole design: the last column's right edge and the last row's foot, with the same
// margins as on the left and the top.
inline constexpr int kWidth = 120 + 840 * (kColumns - 1) + kCardWidth + 120;
inline constexpr int kHeight = 7260 + kCardHeight + 100;

// Card index i (0 to 77, card i + 1).
QRect card(int index);
// The keyword box as it stands before any card is pressed.
QRect initialBox();
// The keyword box after card index i was pressed: at the card's left edge (kept between
// 120 and 7920, so it stays inside the window), above the card for the two lowest rows,
// hanging from just above the card's foot otherwise.
QRect boxFor(int index);

} // namespace GalleryLayout
