#include "paintkit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace media {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

void Ink::stroke(const QPainterPath &path, double width)
{
    stroke(path, line_, width);
}

void Ink::stroke(const QPainterPath &path, QColor colour, double width)
{
    p_.save();
    p_.setBrush(Qt::NoBrush);
    p_.setPen(QPen(colour, width < 0 ? width_ : width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p_.drawPath(path);
    p_.restore();
}

void Ink::shape(const QPainterPath &path, QColor fill, double width)
{
    fillOnly(path, fill);
    stroke(path, width);
}

void Ink::fillOnly(const QPainterPath &path, QColor fill)
{
    p_.save();
    p_.setPen(Qt::NoPen);
    p_.setBrush(fill);
    p_.drawPath(path);
    p_.restore();
}

void Ink::line(QPointF a, QPointF b, double width)
{
    QPainterPath path(a);
    path.lineTo(b);
    stroke(path, width);
}

void Ink::text(QPointF centre, const QString &s, double pixelSize, QColor fill, bool bold)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    QPainterPath path;
    const QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(s);
    path.addText(centre.x() - w / 2.0, centre.y() + (fm.ascent() - fm.descent()) / 2.0, font, s);
    p_.save();
    p_.setPen(Qt::NoPen);
    p_.setBrush(fill);
    p_.drawPath(path);
    p_.restore();
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

QPainterPath circlePath(QPointF centre, double r)
{
    QPainterPath path;
    path.addEllipse(centre, r, r);
    return path;
}

QPainterPath ellipsePath(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
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

QPainterPath lemniscatePath(QPointF centre, double halfWidth)
{
    // Lemniscate of Bernoulli; 96 segments keep it smooth at full card size.
    QPainterPath path;
    const int n = 96;
    for (int i = 0; i <= n; ++i) {
        const double t = 2.0 * std::numbers::pi * i / n;
        const double s = std::sin(t), c = std::cos(t);
        const double d = 1.0 + s * s;
        const QPointF pt(centre.x() + halfWidth * c / d, centre.y() + halfWidth * s * c / d);
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
    return circlePath(centre, r).subtracted(circlePath(centre + shift, r * 0.92));
}

QPainterPath heartPath(QPointF c, double size)
{
    const double s = size / 2.0;
    QPainterPath path(QPointF(c.x(), c.y() + s));
    path.cubicTo(c.x() - s * 0.2, c.y() + s * 0.65, c.x() - s * 1.05, c.y() + s * 0.1, c.x() - s * 0.98,
                 c.y() - s * 0.4);
    path.cubicTo(c.x() - s * 0.9, c.y() - s * 0.95, c.x() - s * 0.2, c.y() - s * 1.0, c.x(), c.y() - s * 0.5);
    path.cubicTo(c.x() + s * 0.2, c.y() - s * 1.0, c.x() + s * 0.9, c.y() - s * 0.95, c.x() + s * 0.98,
                 c.y() - s * 0.4);
    path.cubicTo(c.x() + s * 1.05, c.y() + s * 0.1, c.x() + s * 0.2, c.y() + s * 0.65, c.x(), c.y() + s);
    path.closeSubpath();
    return path;
}

QPainterPath spiralPath(QPointF centre, double r0, double r1, double turns, double startDeg, bool clockwise)
{
    QPainterPath path;
    const int n = std::max(8, static_cast<int>(turns * 48));
    const double dir = clockwise ? 1.0 : -1.0;
    for (int i = 0; i <= n; ++i) {
        const double f = static_cast<double>(i) / n;
        const double a = (startDeg + dir * f * turns * 360.0) * kDeg;
        const double r = r0 + (r1 - r0) * f;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

QPainterPath solid(QPainterPath path)
{
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

QPainterPath mirroredX(const QPainterPath &path)
{
    QTransform t;
    t.scale(-1.0, 1.0);
    return t.map(path);
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
