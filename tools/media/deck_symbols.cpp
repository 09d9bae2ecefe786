// The four suit symbols: a budding staff, a chalice, a straight sword and a pentacle coin.
// Each is drawn about its own centre, upright, then placed by a transform.
#include "deck.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace media::deck {

namespace {

class Placed
{
public:
    Placed(QPainter &p, QPointF centre, double angleDeg) : p_(p)
    {
        p_.save();
        p_.translate(centre);
        p_.rotate(angleDeg);
    }
    ~Placed() { p_.restore(); }

private:
    QPainter &p_;
};

QPainterPath leafPath(QPointF base, double length, double angleDeg)
{
    QPainterPath leaf(QPointF(0, 0));
    leaf.cubicTo(length * 0.3, -length * 0.28, length * 0.75, -length * 0.22, length, 0);
    leaf.cubicTo(length * 0.75, length * 0.22, length * 0.3, length * 0.28, 0, 0);
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angleDeg);
    return t.map(leaf);
}

} // namespace

void drawWand(Ink &ink, QPointF centre, double h, double angleDeg, int leaves)
{
    Placed placed(ink.painter(), centre, angleDeg);
    const double top = -h / 2, bottom = h / 2;
    const double wTop = h * 0.05, wBottom = h * 0.066;

    QPainterPath shaft(QPointF(-wTop, top + wTop));
    shaft.quadTo(0, top - wTop * 0.9, wTop, top + wTop);
    shaft.lineTo(wBottom, bottom - wBottom);
    shaft.quadTo(0, bottom + wBottom * 0.6, -wBottom, bottom - wBottom);
    shaft.closeSubpath();
    // Knots where old branches were cut give the staff its living-wood look.
    shaft.addEllipse(QPointF(wTop * 1.0, top + h * 0.34), h * 0.022, h * 0.015);
    shaft.addEllipse(QPointF(-wBottom * 0.95, top + h * 0.62), h * 0.024, h * 0.016);
    shaft.setFillRule(Qt::WindingFill);

    QLinearGradient wood(-wBottom, 0, wBottom, 0);
    wood.setColorAt(0.0, QColor(104, 64, 30));
    wood.setColorAt(0.45, QColor(176, 120, 62));
    wood.setColorAt(1.0, QColor(110, 70, 34));
    ink.painter().save();
    ink.painter().setPen(Qt::NoPen);
    ink.painter().setBrush(wood);
    ink.painter().drawPath(solid(shaft));
    ink.painter().restore();
    ink.stroke(solid(shaft), ink.width() * 0.8);

    // Fresh leaves sprout alternately left and right near the top.
    const QColor leafGreen(86, 150, 70);
    for (int i = 0; i < leaves; ++i) {
        const bool right = i % 2 == 0;
        const double y = top + h * (0.1 + 0.16 * i);
        const double x = right ? wTop * 0.8 : -wTop * 0.8;
        const QPainterPath leaf = leafPath(QPointF(x, y), h * 0.18, right ? -35.0 : -145.0);
        ink.shape(leaf, leafGreen, ink.width() * 0.6);
    }
    ink.shape(leafPath(QPointF(0, top + wTop * 0.3), h * 0.11, -90.0), leafGreen, ink.width() * 0.6);
}

void drawCup(Ink &ink, QPointF centre, double h, double angleDeg)
{
    Placed placed(ink.painter(), centre, angleDeg);
    const double top = -h / 2;
    const double rimW = h * 0.33;
    const double bowlBottom = top + h * 0.46;

    QLinearGradient goldFill(-rimW, 0, rimW, 0);
    goldFill.setColorAt(0.0, QColor(178, 130, 40));
    goldFill.setColorAt(0.4, QColor(246, 212, 120));
    goldFill.setColorAt(1.0, QColor(168, 118, 36));

    QPainterPath bowl(QPointF(-rimW, top + h * 0.04));
    bowl.cubicTo(-rimW, top + h * 0.34, -h * 0.12, bowlBottom, 0, bowlBottom);
    bowl.cubicTo(h * 0.12, bowlBottom, rimW, top + h * 0.34, rimW, top + h * 0.04);
    bowl.closeSubpath();

    QPainterPath stem;
    stem.addRect(QRectF(-h * 0.045, bowlBottom - 2, h * 0.09, h * 0.34));
    stem.addEllipse(QPointF(0, bowlBottom + h * 0.14), h * 0.085, h * 0.05);

    const double footTop = bowlBottom + h * 0.31;
    QPainterPath foot(QPointF(-h * 0.06, footTop));
    foot.cubicTo(-h * 0.12, footTop + h * 0.1, -h * 0.26, footTop + h * 0.12, -h * 0.27, h / 2);
    foot.lineTo(h * 0.27, h / 2);
    foot.cubicTo(h * 0.26, footTop + h * 0.12, h * 0.12, footTop + h * 0.1, h * 0.06, footTop);
    foot.closeSubpath();

    QPainter &p = ink.painter();
    for (const QPainterPath &part : {solid(stem), foot, bowl}) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(goldFill);
        p.drawPath(part);
        p.restore();
        ink.stroke(part, ink.width() * 0.8);
    }
    // The mouth seen from a little above, with water in it.
    const QPainterPath mouth = ellipsePath(QPointF(0, top + h * 0.04), rimW, h * 0.055);
    ink.shape(mouth, QColor(88, 140, 210), ink.width() * 0.8);
    // A band of beads round the bowl.
    for (int i = -3; i <= 3; ++i) {
        const QPointF c(i * rimW * 0.26, top + h * 0.2 + std::abs(i) * h * 0.004);
        ink.shape(circlePath(c, h * 0.018), QColor(190, 60, 60), ink.width() * 0.35);
    }
}

void drawSword(Ink &ink, QPointF centre, double h, double angleDeg)
{
    Placed placed(ink.painter(), centre, angleDeg);
    const double top = -h / 2;
    const double guardY = h / 2 - h * 0.21;
    const double bw = h * 0.058;

    QPainterPath blade(QPointF(0, top));
    blade.lineTo(bw, top + h * 0.12);
    blade.lineTo(bw, guardY);
    blade.lineTo(-bw, guardY);
    blade.lineTo(-bw, top + h * 0.12);
    blade.closeSubpath();
    QLinearGradient steel(-bw, 0, bw, 0);
    // Dark enough at the edges to stand out on the pale field of the suit.
    steel.setColorAt(0.0, QColor(122, 134, 162));
    steel.setColorAt(0.45, QColor(236, 240, 248));
    steel.setColorAt(0.55, QColor(150, 160, 186));
    steel.setColorAt(1.0, QColor(96, 106, 136));
    QPainter &p = ink.painter();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(steel);
    p.drawPath(blade);
    p.restore();
    ink.stroke(blade, ink.width() * 0.8);
    ink.line(QPointF(0, top + h * 0.14), QPointF(0, guardY - h * 0.03), ink.width() * 0.35);

    QLinearGradient goldFill(0, guardY - h * 0.03, 0, h / 2);
    goldFill.setColorAt(0.0, QColor(246, 212, 120));
    goldFill.setColorAt(1.0, QColor(170, 120, 38));

    const double gw = h * 0.19;
    QPainterPath guard;
    guard.addRoundedRect(QRectF(-gw, guardY - h * 0.016, gw * 2, h * 0.042), h * 0.018, h * 0.018);
    guard.addEllipse(QPointF(-gw, guardY + h * 0.005), h * 0.032, h * 0.032);
    guard.addEllipse(QPointF(gw, guardY + h * 0.005), h * 0.032, h * 0.032);
    guard = solid(guard);

    QPainterPath grip;
    grip.addRoundedRect(QRectF(-h * 0.032, guardY + h * 0.02, h * 0.064, h * 0.13), h * 0.012, h * 0.012);
    QPainterPath pommel = circlePath(QPointF(0, h / 2 - h * 0.042), h * 0.042);

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 44, 44));
    p.drawPath(grip);
    p.restore();
    ink.stroke(grip, ink.width() * 0.7);
    for (int i = 1; i < 5; ++i) {
        const double y = guardY + h * 0.02 + i * h * 0.026;
        ink.line(QPointF(-h * 0.024, y + h * 0.008), QPointF(h * 0.024, y - h * 0.008), ink.width() * 0.35);
    }
    for (const QPainterPath &part : {guard, pommel}) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(goldFill);
        p.drawPath(part);
        p.restore();
        ink.stroke(part, ink.width() * 0.8);
    }
}

void drawCoin(Ink &ink, QPointF c, double r)
{
    QPainter &p = ink.painter();
    QRadialGradient goldFill(c - QPointF(r * 0.3, r * 0.35), r * 1.4);
    goldFill.setColorAt(0.0, QColor(255, 236, 160));
    goldFill.setColorAt(0.55, QColor(226, 178, 70));
    goldFill.setColorAt(1.0, QColor(158, 110, 30));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(goldFill);
    p.drawEllipse(c, r, r);
    p.restore();
    ink.stroke(circlePath(c, r), ink.width() * 0.9);
    ink.stroke(circlePath(c, r * 0.82), ink.width() * 0.5);
    // Beads on the rim, like the milled edge of an old coin.
    for (int i = 0; i < 20; ++i) {
        const double a = i * 2.0 * M_PI / 20;
        const QPointF b(c.x() + r * 0.91 * std::cos(a), c.y() + r * 0.91 * std::sin(a));
        ink.fillOnly(circlePath(b, r * 0.035), ink.line());
    }
    // The pentagram: a star drawn as five crossing lines.
    QPainterPath penta;
    for (int i = 0; i <= 5; ++i) {
        const double a = (-90.0 + (i * 2 % 5) * 72.0) * M_PI / 180.0;
        const QPointF pt(c.x() + r * 0.74 * std::cos(a), c.y() + r * 0.74 * std::sin(a));
        if (i == 0)
            penta.moveTo(pt);
        else
            penta.lineTo(pt);
    }
    penta.setFillRule(Qt::WindingFill);
    ink.fillOnly(penta, QColor(160, 50, 34, 200));
    ink.stroke(penta, ink.width() * 0.6);
}

void drawSuitSymbol(Ink &ink, Suit suit, QPointF centre, double height)
{
    switch (suit) {
    case Suit::Bastos:
        drawWand(ink, centre, height);
        break;
    case Suit::Copas:
        drawCup(ink, centre, height * 0.78);
        break;
    case Suit::Espadas:
        drawSword(ink, centre, height);
        break;
    case Suit::Oros:
        drawCoin(ink, centre, height * 0.34);
        break;
    }
}

} // namespace media::deck
