#include "gallerylayout.h"

#include <QtGlobal>

#include <array>

namespace GalleryLayout {

namespace {
// The rows are not evenly spaced in the design: the gap widens below the third row.
constexpr std::array<int, kRows> kRowTops{100, 1520, 2940, 4380, 5820, 7260};
constexpr int kLowestTwoRows = 4 * kColumns; // index 52, card 53
} // namespace

QRect card(int index)
{
    const int row = index / kColumns;
    const int column = index % kColumns;
    return QRect(120 + 840 * column, kRowTops[size_t(row)], kCardWidth, kCardHeight);
}

QRect initialBox()
{
    return QRect(120, 1440, kBoxWidth, kBoxHeight);
}

QRect boxFor(int index)
{
    const QRect c = card(index);
    const int left = qBound(120, c.left(), 7920);
    const int top = index >= kLowestTwoRows ? c.top() - 2000 : c.top() + 1300;
    return QRect(left, top, kBoxWidth, kBoxHeight);
}

} // namespace GalleryLayout
