// The application icon: two cards, one face up with the moon and a star, one showing its
// back, on a rounded night-sky tile. Painted as vectors, so every size is drawn afresh
// rather than scaled down from a bitmap, and the same strokes can go to an SVG file.
#pragma once

#include <QImage>
#include <QPainter>

namespace media {

// The icon's own coordinate space: a square of this many units.
inline constexpr int kIconUnits = 256;

// Paints the icon into [0, kIconUnits]² of the painter's current coordinates.
void paintIcon(QPainter &p);

// The icon as a transparent square bitmap of the given side in pixels.
QImage renderIcon(int side);

} // namespace media
