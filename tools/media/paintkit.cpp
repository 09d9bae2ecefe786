#include "paintkit.h"

#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace media {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor mix(QColor a, QColor b, double t)
{
    auto lerp = [t](int x, int y) { return qRound(x + (y - x) * t); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QPainterPath polygonPath(std::initializer_list<QPointF> points, bool closed)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    if (closed)
        path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, int points, double rOuter, double rInner, double rotationDeg)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = (rotationDeg + i * 180.0 / points) * kDeg;
        const double r = (i % 2 == 0) ? rOuter : rInner;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath crescentPath(QPointF centre, double r, double offset, double angleDeg)
{
    const QPointF shift(offset * std::cos(angleDeg * kDeg), offset * std::sin(angleDeg * kDeg));
    QPainterPath disc, bite;
    disc.addEllipse(centre, r, r);
    bite.addEllipse(centre + shift, r * 0.92, r * 0.92);
    return disc.subtracted(bite);
}

void glow(QPainter &p, QPointF centre, double r, QColor colour)
{
    QRadialGradient g(centre, r);
    g.setColorAt(0.0, colour);
    QColor mid = colour;
    mid.setAlphaF(colour.alphaF() * 0.35);
    g.setColorAt(0.45, mid);
    g.setColorAt(1.0, withAlpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
    p.restore();
}

void sparkle(QPainter &p, QPointF c, double r, QColor colour)
{
    glow(p, c, r * 1.2, withAlpha(colour, 90));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(starPath(c, 4, r, r * 0.18, -90.0));
    p.drawEllipse(c, r * 0.22, r * 0.22);
    p.restore();
}

} // namespace media
