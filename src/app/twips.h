#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// Window layouts are given in twips, 1440 to the inch. At 96 logical dots per inch that is
// 15 twips a pixel; Qt's device-pixel ratio scales the logical pixels on dense screens.
namespace Twips {

constexpr int perPixel = 15;

inline int px(int twips)
{
    return static_cast<int>(std::lround(twips / double(perPixel)));
}
inline int twips(int px)
{
    return px * perPixel;
}
inline QPoint point(int left, int top)
{
    return QPoint(px(left), px(top));
}
inline QSize size(int width, int height)
{
    return QSize(px(width), px(height));
}
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(point(left, top), size(width, height));
}

} // namespace Twips
