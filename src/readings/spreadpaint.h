#pragma once

#include "theme.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

// How the spreads that are walked position by position (the Celtic cross, the decision
// game) paint a card and its number, so that both look and mark their selection alike.
namespace SpreadPaint {

inline double radius(double scale)
{
    return std::max(2.0, 4 * scale);
}

// The picture, kept scaled smoothly to the device pixels it is shown at, made once per size.
inline const QImage &scaledTo(const QImage &source, QImage &scaled, const QSize &devicePixels)
{
    if (scaled.size() != devicePixels && !source.isNull())
        scaled = source.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled;
}

// A card on its ground with a gold rim; the selected one gets a bright outline, and a
// dashed one outside it while the spread has the keyboard.
inline void card(QPainter &p, const QRectF &r, const QImage &picture, double scale, bool selected, bool focused)
{
    const double rounding = radius(scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::cardGround());
    p.drawRoundedRect(r, rounding, rounding);
    if (!picture.isNull())
        p.drawImage(r, picture);
    p.setPen(QPen(Theme::gold(), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, rounding, rounding);
    if (!selected)
        return;
    const QRectF chosen = r.adjusted(-2, -2, 2, 2);
    p.setPen(QPen(Theme::captionHover(), std::max(2.5, 3 * scale)));
    p.drawRoundedRect(chosen, rounding, rounding);
    if (focused) {
        p.setPen(QPen(Theme::paper(), 1, Qt::DashLine));
        p.drawRoundedRect(chosen.adjusted(-4, -4, 4, 4), rounding, rounding);
    }
}

// A position's number in its pill, lit when the position is selected.
inline void number(QPainter &p, const QRect &n, int k, bool selected)
{
    p.setPen(QPen(Theme::gold(), 1));
    p.setBrush(selected ? Theme::captionHover() : Theme::night());
    p.drawRoundedRect(n, n.height() / 2.0, n.height() / 2.0);
    p.setPen(selected ? Theme::night() : Theme::caption());
    p.drawText(n, Qt::AlignCenter, QString::number(k));
}

} // namespace SpreadPaint
