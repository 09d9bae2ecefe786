// The major arcana: a midnight field with a soft glow and a few stars, and one emblem per
// card in gold line work, taken from the card's traditional imagery so that a reader knows
// the card before reading its name.
#include "deck.h"
#include "prng.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace media::deck {

namespace {

using palette::gold;

const QColor kRed(178, 56, 58);
const QColor kBlue(64, 100, 180);
const QColor kWhite(236, 232, 218);
const QColor kGreen(74, 136, 80);
const QColor kStone(120, 122, 138);
const QColor kDark(18, 18, 26);
const QColor kFlesh(226, 196, 160);
const QColor kFlame(240, 132, 44);
const QColor kWater(90, 148, 222);
const QColor kYellow(246, 214, 96);
const QColor kGoldFill(200, 156, 60);

constexpr double kPi = 3.14159265358979323846;

QPointF polar(QPointF c, double r, double deg)
{
    const double a = deg * kPi / 180.0;
    return {c.x() + r * std::cos(a), c.y() + r * std::sin(a)};
}

QPainterPath rectPath(double x, double y, double w, double h, double radius = 0)
{
    QPainterPath path;
    if (radius > 0)
        path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath transformed(const QPainterPath &path, QPointF at, double deg, double scale = 1.0)
{
    QTransform t;
    t.translate(at.x(), at.y());
    t.rotate(deg);
    t.scale(scale, scale);
    return t.map(path);
}

// An arm or leg: a thick stroke in the garment's colour with the gold line around it.
void limb(Ink &k, const QPainterPath &path, double width, QColor fill)
{
    k.stroke(path, k.line(), width + k.width() * 1.4);
    k.stroke(path, fill, width);
}

QPainterPath curve(QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    QPainterPath path(a);
    path.cubicTo(c1, c2, b);
    return path;
}

QPainterPath line2(QPointF a, QPointF b)
{
    QPainterPath path(a);
    path.lineTo(b);
    return path;
}

// A standing figure in a long robe; `top` is the top of the head, `h` the full height.
void robedFigure(Ink &k, double x, double top, double h, QColor robe, double hem = 0.22)
{
    const double r = 0.085 * h;
    const double neck = top + 0.19 * h, shoulder = top + 0.25 * h, feet = top + h;
    QPainterPath body(QPointF(x - 0.05 * h, neck));
    body.cubicTo(x - 0.1 * h, neck, x - 0.15 * h, shoulder - 0.02 * h, x - 0.15 * h, shoulder);
    body.cubicTo(x - 0.17 * h, top + 0.55 * h, x - hem * h, top + 0.8 * h, x - hem * h, feet);
    body.lineTo(x + hem * h, feet);
    body.cubicTo(x + hem * h, top + 0.8 * h, x + 0.17 * h, top + 0.55 * h, x + 0.15 * h, shoulder);
    body.cubicTo(x + 0.15 * h, shoulder - 0.02 * h, x + 0.1 * h, neck, x + 0.05 * h, neck);
    body.closeSubpath();
    k.shape(body, robe);
    k.shape(circlePath(QPointF(x, top + r), r), kFlesh);
}

// A plain nude figure (the Lovers, the risen dead, the chained pair).
void bareFigure(Ink &k, double x, double top, double h, bool armsUp = false)
{
    const double r = 0.09 * h;
    const double neck = top + 0.2 * h;
    QPainterPath torso(QPointF(x - 0.04 * h, neck));
    torso.lineTo(x - 0.13 * h, neck + 0.06 * h);
    torso.lineTo(x - 0.1 * h, top + 0.55 * h);
    torso.lineTo(x + 0.1 * h, top + 0.55 * h);
    torso.lineTo(x + 0.13 * h, neck + 0.06 * h);
    torso.lineTo(x + 0.04 * h, neck);
    torso.closeSubpath();
    const double legW = 0.075 * h;
    limb(k, line2({x - 0.055 * h, top + 0.52 * h}, {x - 0.07 * h, top + h - legW / 2}), legW, kFlesh);
    limb(k, line2({x + 0.055 * h, top + 0.52 * h}, {x + 0.07 * h, top + h - legW / 2}), legW, kFlesh);
    if (armsUp) {
        limb(k, line2({x - 0.11 * h, neck + 0.07 * h}, {x - 0.26 * h, top + 0.02 * h}), legW * 0.8, kFlesh);
        limb(k, line2({x + 0.11 * h, neck + 0.07 * h}, {x + 0.26 * h, top + 0.02 * h}), legW * 0.8, kFlesh);
    } else {
        limb(k, line2({x - 0.12 * h, neck + 0.07 * h}, {x - 0.15 * h, top + 0.5 * h}), legW * 0.8, kFlesh);
        limb(k, line2({x + 0.12 * h, neck + 0.07 * h}, {x + 0.15 * h, top + 0.5 * h}), legW * 0.8, kFlesh);
    }
    k.shape(torso, kFlesh);
    k.shape(circlePath(QPointF(x, top + r), r), kFlesh);
}

// A feathered wing from `root`, spreading to one side (side = -1 left, +1 right).
void wing(Ink &k, QPointF root, double span, double rise, int side, QColor fill)
{
    const QPointF tip(root.x() + side * span, root.y() - rise);
    QPainterPath w(root);
    w.cubicTo(root.x() + side * span * 0.3, root.y() - rise * 0.9, root.x() + side * span * 0.75,
              root.y() - rise * 1.15, tip.x(), tip.y());
    // The lower edge: a row of long feathers, shorter towards the body.
    const int feathers = 6;
    QPointF prev = tip;
    for (int i = 1; i <= feathers; ++i) {
        const double t = static_cast<double>(i) / feathers;
        const QPointF next(tip.x() - side * span * t * 0.95,
                           tip.y() + rise * (0.75 + 0.5 * t) - rise * 0.45 * t * t);
        const QPointF ctrl((prev.x() + next.x()) / 2 + side * span * 0.03,
                           std::max(prev.y(), next.y()) + rise * 0.28);
        w.quadTo(ctrl, next);
        prev = next;
    }
    w.lineTo(root);
    w.closeSubpath();
    k.shape(w, fill);
    // Quills.
    for (int i = 1; i < feathers; ++i) {
        const double t = static_cast<double>(i) / feathers;
        const QPointF from(root.x() + side * span * (0.12 + 0.1 * t), root.y() - rise * 0.6);
        const QPointF to(tip.x() - side * span * t * 0.95,
                         tip.y() + rise * (0.72 + 0.5 * t) - rise * 0.45 * t * t);
        k.line(from, QPointF((from.x() + to.x()) / 2, (from.y() + to.y()) / 2 + rise * 0.05),
               k.width() * 0.4);
    }
}

void cloud(Ink &k, QPointF c, double w, QColor fill = QColor(186, 196, 220))
{
    QPainterPath path;
    const double r = w / 5.0;
    path.addEllipse(QPointF(c.x() - w * 0.3, c.y()), r, r * 0.85);
    path.addEllipse(QPointF(c.x(), c.y() - r * 0.4), r * 1.3, r * 1.1);
    path.addEllipse(QPointF(c.x() + w * 0.3, c.y()), r, r * 0.85);
    path.addRoundedRect(QRectF(c.x() - w * 0.45, c.y() - r * 0.2, w * 0.9, r * 1.0), r * 0.5, r * 0.5);
    k.shape(solid(path), fill);
}

void sun(Ink &k, QPointF c, double r, int rays, QColor fill = kYellow)
{
    glow(k.painter(), c, r * 2.4, QColor(255, 220, 120, 120));
    for (int i = 0; i < rays; ++i) {
        const double a = 360.0 * i / rays;
        const double len = (i % 2 == 0) ? r * 0.75 : r * 0.45;
        k.shape(
            polygonPath({polar(c, r * 1.08, a - 6), polar(c, r * 1.08 + len, a), polar(c, r * 1.08, a + 6)}),
            fill, k.width() * 0.6);
    }
    k.shape(circlePath(c, r), fill);
}

void fivePetalRose(Ink &k, QPointF c, double r, QColor fill)
{
    QPainterPath petals;
    for (int i = 0; i < 5; ++i)
        petals.addEllipse(polar(c, r * 0.55, -90 + i * 72), r * 0.5, r * 0.5);
    k.shape(solid(petals), fill, k.width() * 0.7);
    k.shape(circlePath(c, r * 0.3), kYellow, k.width() * 0.5);
}

void pillar(Ink &k, double x, double top, double bottom, double w, QColor fill)
{
    k.shape(rectPath(x - w / 2, top + w * 0.35, w, bottom - top - w * 0.7), fill);
    k.shape(rectPath(x - w * 0.68, top, w * 1.36, w * 0.4, 4), fill);
    k.shape(rectPath(x - w * 0.68, bottom - w * 0.4, w * 1.36, w * 0.4, 4), fill);
}

// A slim tower with battlements and one window.
void turret(Ink &k, double x, double top, double bottom, double w, QColor fill)
{
    QPainterPath t(QPointF(x - w / 2, bottom));
    t.lineTo(x - w / 2, top);
    const int merlons = 3;
    const double mw = w / (2 * merlons - 1);
    for (int i = 0; i < 2 * merlons - 1; ++i) {
        const double x0 = x - w / 2 + i * mw;
        if (i % 2 == 0) {
            t.lineTo(x0, top - mw);
            t.lineTo(x0 + mw, top - mw);
            t.lineTo(x0 + mw, top);
        } else {
            t.lineTo(x0 + mw, top);
        }
    }
    t.lineTo(x + w / 2, bottom);
    t.closeSubpath();
    k.shape(t, fill);
    QPainterPath win;
    win.moveTo(x - w * 0.12, top + w * 0.9);
    win.lineTo(x - w * 0.12, top + w * 0.55);
    win.quadTo(x, top + w * 0.35, x + w * 0.12, top + w * 0.55);
    win.lineTo(x + w * 0.12, top + w * 0.9);
    win.closeSubpath();
    k.shape(win, kYellow, k.width() * 0.6);
}

void flame(Ink &k, QPointF base, double h, QColor fill = kFlame)
{
    QPainterPath f(base);
    f.cubicTo(base.x() - h * 0.45, base.y() - h * 0.2, base.x() - h * 0.1, base.y() - h * 0.6, base.x(),
              base.y() - h);
    f.cubicTo(base.x() + h * 0.1, base.y() - h * 0.6, base.x() + h * 0.45, base.y() - h * 0.2, base.x(),
              base.y());
    f.closeSubpath();
    k.shape(f, fill, k.width() * 0.6);
}

// The small falling drops (yods) of the Tower and the Moon.
void yod(Ink &k, QPointF c, double h, QColor fill)
{
    QPainterPath d(QPointF(c.x(), c.y() - h / 2));
    d.cubicTo(c.x() + h * 0.45, c.y(), c.x() + h * 0.35, c.y() + h / 2, c.x(), c.y() + h / 2);
    d.cubicTo(c.x() - h * 0.35, c.y() + h / 2, c.x() - h * 0.45, c.y(), c.x(), c.y() - h / 2);
    d.closeSubpath();
    k.shape(d, fill, k.width() * 0.5);
}

void mountains(Ink &k, double baseY, std::initializer_list<QPointF> peaks, QColor fill)
{
    QPainterPath m(QPointF(-300, baseY));
    for (const QPointF &pk : peaks)
        m.lineTo(pk);
    m.lineTo(300, baseY);
    m.closeSubpath();
    k.shape(m, fill, k.width() * 0.7);
}

void ramHead(Ink &k, QPointF c, double s)
{
    QPainterPath face(QPointF(c.x() - 0.32 * s, c.y() - 0.3 * s));
    face.cubicTo(c.x() - 0.3 * s, c.y() + 0.2 * s, c.x() - 0.12 * s, c.y() + 0.55 * s, c.x(),
                 c.y() + 0.6 * s);
    face.cubicTo(c.x() + 0.12 * s, c.y() + 0.55 * s, c.x() + 0.3 * s, c.y() + 0.2 * s, c.x() + 0.32 * s,
                 c.y() - 0.3 * s);
    face.closeSubpath();
    k.shape(face, kWhite, k.width() * 0.8);
    for (int side : {-1, 1}) {
        const QPointF hc(c.x() + side * 0.48 * s, c.y() - 0.08 * s);
        k.stroke(spiralPath(hc, 0.3 * s, 0.04 * s, 1.6, side < 0 ? 220 : -40, side > 0), k.width() * 1.6);
    }
    k.fillOnly(circlePath(QPointF(c.x() - 0.13 * s, c.y() - 0.02 * s), 0.05 * s), k.line());
    k.fillOnly(circlePath(QPointF(c.x() + 0.13 * s, c.y() - 0.02 * s), 0.05 * s), k.line());
}

QPainterPath crownPath(QPointF base, double w, double h, int points)
{
    QPainterPath c(QPointF(base.x() - w / 2, base.y()));
    c.lineTo(base.x() - w / 2, base.y() - h * 0.45);
    for (int i = 0; i < points; ++i) {
        const double x0 = base.x() - w / 2 + i * w / points;
        c.lineTo(x0 + w / points / 2, base.y() - h);
        c.lineTo(x0 + w / points, base.y() - h * 0.45);
    }
    c.lineTo(base.x() + w / 2, base.y());
    c.closeSubpath();
    return c;
}

// ---- the emblems -------------------------------------------------------------------------

void fool(Ink &k)
{
    sun(k, QPointF(170, -300), 62, 16, QColor(250, 236, 190));
    mountains(k, 420, {{-40, 420}, {60, 250}, {140, 330}, {230, 220}, {300, 300}}, QColor(220, 226, 240));
    // The cliff he is about to step from.
    QPainterPath cliff(QPointF(-300, 430));
    cliff.lineTo(-300, 150);
    cliff.cubicTo(-200, 120, -40, 160, 120, 170);
    cliff.lineTo(150, 200);
    cliff.lineTo(110, 260);
    cliff.lineTo(130, 330);
    cliff.lineTo(90, 430);
    cliff.closeSubpath();
    k.shape(cliff, QColor(120, 96, 80));
    // The Fool, stepping out with his head high.
    const double fx = 30, top = -170;
    limb(k, curve({fx - 10, top + 250}, {fx - 40, top + 290}, {fx - 60, top + 310}, {fx - 70, top + 335}), 26,
         kWhite);
    limb(k, curve({fx + 15, top + 250}, {fx + 50, top + 280}, {fx + 80, top + 290}, {fx + 100, top + 285}),
         26, kWhite);
    QPainterPath tunic(QPointF(fx - 30, top + 70));
    tunic.lineTo(fx - 55, top + 260);
    tunic.quadTo(fx, top + 285, fx + 60, top + 255);
    tunic.lineTo(fx + 35, top + 70);
    tunic.closeSubpath();
    k.shape(tunic, QColor(200, 120, 60));
    for (int i = 0; i < 4; ++i)
        fivePetalRose(k, QPointF(fx - 30 + i * 24, top + 160 + (i % 2) * 40), 9, QColor(200, 60, 60));
    // The staff over his shoulder with his bundle.
    k.line(QPointF(fx + 30, top + 90), QPointF(fx - 150, top - 20), 9);
    k.shape(ellipsePath(QPointF(fx - 160, top + 5), 42, 34), QColor(170, 80, 60));
    // Free arm raised with a white rose.
    limb(k, line2({fx + 30, top + 90}, {fx + 110, top + 30}), 20, kWhite);
    fivePetalRose(k, QPointF(fx + 122, top + 12), 20, kWhite);
    k.shape(circlePath(QPointF(fx, top + 40), 36), kFlesh);
    k.shape(polygonPath({{fx - 34, top + 30}, {fx + 40, top + 20}, {fx + 70, top - 20}, {fx + 10, top - 10}}),
            kGreen);
    k.stroke(curve({fx + 70, top - 20}, {fx + 100, top - 60}, {fx + 60, top - 90}, {fx + 30, top - 70}),
             QColor(200, 60, 60), 8);
    // The little dog at his heels.
    QPainterPath dog(QPointF(-130, 150));
    dog.cubicTo(-140, 110, -120, 90, -80, 95);
    dog.lineTo(-50, 70);
    dog.lineTo(-45, 95);
    dog.cubicTo(-30, 100, -30, 120, -45, 122);
    dog.lineTo(-70, 150);
    dog.lineTo(-65, 168);
    dog.lineTo(-82, 168);
    dog.lineTo(-92, 140);
    dog.lineTo(-118, 168);
    dog.lineTo(-135, 168);
    dog.closeSubpath();
    k.shape(dog, kWhite, k.width() * 0.8);
}

void magician(Ink &k)
{
    k.stroke(lemniscatePath(QPointF(0, -352), 92), 11);
    // The magician: one hand raises the wand to the sky, the other points to the earth.
    robedFigure(k, 0, -280, 360, QColor(176, 52, 54), 0.2);
    limb(k, line2({-45, -180}, {-110, -275}), 26, QColor(236, 232, 218));
    k.line(QPointF(-135, -330), QPointF(-95, -230), 10);
    k.shape(circlePath(QPointF(-135, -330), 9), kWhite, 4);
    limb(k, line2({45, -180}, {120, -30}), 26, QColor(236, 232, 218));
    // The table with the four tools of the suits.
    k.shape(rectPath(-250, 60, 500, 34, 6), QColor(150, 104, 60));
    k.shape(rectPath(-225, 94, 450, 200), QColor(110, 76, 44));
    k.stroke(rectPath(-200, 120, 400, 148, 6), 3);
    k.shape(starPath(QPointF(0, 194), 8, 40, 16), kYellow, 3);
    Ink small(k.painter(), gold, 4.0);
    drawCup(small, QPointF(-172, -10), 124);
    drawCoin(small, QPointF(-62, 6), 52);
    drawSword(small, QPointF(64, -44), 200, 12);
    drawWand(small, QPointF(178, -44), 200, -14, 2);
    // Roses and lilies below the table.
    for (int i = 0; i < 5; ++i)
        fivePetalRose(k, QPointF(-200 + i * 100, 360), 28, i % 2 ? kWhite : kRed);
}

void priestess(Ink &k)
{
    // The veil with pomegranates between the pillars.
    k.shape(rectPath(-170, -300, 340, 560), QColor(90, 60, 140), k.width() * 0.6);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            const QPointF c(-110 + col * 110 + (row % 2) * 55 - 27, -240 + row * 130);
            if (std::abs(c.x()) > 150)
                continue;
            k.shape(circlePath(c, 18), QColor(190, 50, 60), k.width() * 0.5);
        }
    pillar(k, -205, -400, 380, 70, kDark);
    pillar(k, 205, -400, 380, 70, kWhite);
    k.text(QPointF(-205, -80), QStringLiteral("B"), 72, gold);
    k.text(QPointF(205, -80), QStringLiteral("J"), 72, QColor(30, 30, 40));
    robedFigure(k, 0, -250, 560, QColor(70, 110, 190), 0.25);
    // Crown of the full moon between the waxing and the waning crescent.
    k.shape(circlePath(QPointF(0, -285), 28), kWhite, 5);
    k.shape(crescentPath(QPointF(-46, -285), 26, 14, 0), kWhite, 5);
    k.shape(crescentPath(QPointF(46, -285), 26, 14, 180), kWhite, 5);
    // The cross on her breast and the half-hidden scroll.
    QPainterPath cross;
    cross.addRect(QRectF(-9, -130, 18, 66));
    cross.addRect(QRectF(-30, -108, 60, 18));
    k.shape(solid(cross), kWhite, 4);
    k.shape(rectPath(-70, -20, 110, 70, 8), kWhite, 5);
    k.text(QPointF(-15, 15), QStringLiteral("TORA"), 30, QColor(40, 40, 60));
    // The moon at her feet.
    k.shape(crescentPath(QPointF(0, 330), 80, 40, -90), QColor(236, 232, 218));
}

void empress(Ink &k)
{
    // Her crown of twelve stars.
    for (int i = 0; i < 12; ++i) {
        const QPointF c = polar(QPointF(0, -170), 210, 200 + i * (140.0 / 11));
        k.shape(starPath(c, 6, 20, 9), kYellow, 3);
    }
    // Ripe wheat on both sides.
    for (int side : {-1, 1})
        for (int s = 0; s < 3; ++s) {
            const double x0 = side * (150 + s * 40);
            QPainterPath stalk(QPointF(x0, 420));
            stalk.cubicTo(x0, 300, x0 - side * 20, 200, x0 - side * 40, 90 + s * 30);
            k.stroke(stalk, QColor(220, 180, 80), 6);
            const QPointF tip = stalk.pointAtPercent(1.0);
            for (int g = 0; g < 7; ++g) {
                const QPointF at(tip.x() + side * g * 3, tip.y() + g * 16);
                k.shape(transformed(ellipsePath({0, 0}, 8, 15), at + QPointF(-9, 0), -25), kYellow, 2.5);
                k.shape(transformed(ellipsePath({0, 0}, 8, 15), at + QPointF(9, 0), 25), kYellow, 2.5);
            }
        }
    // The heart-shaped shield with the sign of Venus.
    k.shape(heartPath(QPointF(0, 40), 300), QColor(170, 90, 110));
    k.stroke(circlePath(QPointF(0, -5), 60), k.line(), 14);
    k.line(QPointF(0, 55), QPointF(0, 160), 14);
    k.line(QPointF(-45, 110), QPointF(45, 110), 14);
    // A waterfall runs down from behind.
    for (double i = 0; i < 3; ++i)
        k.stroke(curve({-40 + i * 40, 230}, {-50 + i * 40, 300}, {-30 + i * 40, 350}, {-40 + i * 40, 420}),
                 kWater, 8);
}

void emperor(Ink &k)
{
    mountains(k, 420, {{-300, 170}, {-250, 60}, {-195, 150}, {0, 90}, {195, 150}, {255, 50}, {300, 160}},
              QColor(112, 56, 48));
    // The stone throne, rams at every corner.
    k.shape(rectPath(-170, -300, 340, 640, 10), kStone);
    k.shape(rectPath(-230, 120, 460, 80, 8), kStone);
    k.shape(rectPath(-200, 200, 400, 150, 6), kStone);
    ramHead(k, QPointF(-170, -300), 90);
    ramHead(k, QPointF(170, -300), 90);
    ramHead(k, QPointF(-230, 110), 70);
    ramHead(k, QPointF(230, 110), 70);
    ramHead(k, QPointF(0, -150), 120);
    // The crown, the orb and the ankh sceptre.
    k.shape(crownPath(QPointF(0, -330), 150, 90, 4), kGoldFill);
    const QPointF ankh(-90, 40);
    k.stroke(ellipsePath(ankh + QPointF(0, -60), 30, 40), k.line(), 12);
    k.line(ankh + QPointF(0, -20), ankh + QPointF(0, 170), 12);
    k.line(ankh + QPointF(-45, -12), ankh + QPointF(45, -12), 12);
    k.shape(circlePath(QPointF(100, 40), 48), kGoldFill);
    k.line(QPointF(100, -8), QPointF(100, -50), 8);
    k.line(QPointF(84, -34), QPointF(116, -34), 8);
}

void hierophant(Ink &k)
{
    pillar(k, -215, -380, 300, 60, kStone);
    pillar(k, 215, -380, 300, 60, kStone);
    // The triple crown.
    QPainterPath tiara(QPointF(-70, -250));
    tiara.cubicTo(-80, -330, -40, -390, 0, -400);
    tiara.cubicTo(40, -390, 80, -330, 70, -250);
    tiara.closeSubpath();
    k.shape(tiara, kGoldFill);
    for (double y : {-270.0, -310.0, -350.0})
        k.line(QPointF(-64 + (y + 270) * -0.2, y), QPointF(64 - (y + 270) * -0.2, y), 5);
    k.shape(circlePath(QPointF(0, -412), 12), kGoldFill, 4);
    // The papal staff with its three bars.
    k.line(QPointF(0, -220), QPointF(0, 150), 14);
    k.line(QPointF(-40, -195), QPointF(40, -195), 12);
    k.line(QPointF(-62, -150), QPointF(62, -150), 12);
    k.line(QPointF(-84, -105), QPointF(84, -105), 12);
    // Two crossed keys, one gold and one silver.
    auto key = [&k](QPointF bow, double deg, QColor fill) {
        QPainterPath shape;
        shape.addEllipse(QPointF(0, 0), 34, 34);
        shape.addRect(QRectF(-9, 30, 18, 220));
        shape.addRect(QRectF(9, 200, 38, 16));
        shape.addRect(QRectF(9, 230, 30, 16));
        shape = solid(shape).subtracted(circlePath(QPointF(0, 0), 15));
        k.shape(transformed(shape, bow, deg), fill);
    };
    key(QPointF(-150, 110), -38, kYellow);
    key(QPointF(150, 110), 38, QColor(214, 218, 230));
    // The blessing hand's two raised fingers, as a small sign above the keys.
    k.shape(starPath(QPointF(0, 230), 4, 30, 10), kWhite, 3);
}

void lovers(Ink &k)
{
    sun(k, QPointF(0, -345), 50, 16);
    wing(k, QPointF(-20, -230), 260, 80, -1, QColor(176, 60, 70));
    wing(k, QPointF(20, -230), 260, 80, 1, QColor(176, 60, 70));
    robedFigure(k, 0, -300, 190, QColor(120, 82, 166), 0.3);
    cloud(k, QPointF(0, -95), 380);
    // The tree of knowledge with its serpent, and the tree of flames.
    k.shape(rectPath(180, 80, 22, 330), QColor(110, 76, 44), 4);
    k.shape(circlePath(QPointF(190, 60), 70), kGreen);
    for (int i = 0; i < 4; ++i)
        k.shape(circlePath(QPointF(160 + (i % 2) * 50, 30 + i * 22), 10), kRed, 3);
    k.stroke(curve({188, 110}, {230, 150}, {150, 190}, {200, 240}), QColor(90, 170, 90), 8);
    k.shape(rectPath(-202, 80, 22, 330), QColor(110, 76, 44), 4);
    for (int i = 0; i < 5; ++i)
        flame(k, QPointF(-230 + i * 26, 100 - (i % 2) * 20), 60);
    mountains(k, 420, {{-60, 420}, {0, 260}, {60, 420}}, QColor(200, 180, 150));
    bareFigure(k, -95, 70, 340);
    bareFigure(k, 95, 70, 340);
    k.shape(heartPath(QPointF(0, 180), 56), kRed, 4);
}

void chariot(Ink &k)
{
    // Canopy of stars on four posts.
    QPainterPath canopy(QPointF(-210, -260));
    canopy.quadTo(0, -360, 210, -260);
    canopy.lineTo(210, -220);
    canopy.quadTo(0, -300, -210, -220);
    canopy.closeSubpath();
    k.shape(canopy, QColor(40, 70, 150));
    for (int i = 0; i < 6; ++i)
        k.shape(starPath(QPointF(-150 + i * 60, -272 - (i == 2 || i == 3 ? 14 : (i == 1 || i == 4 ? 8 : 0))),
                         6, 12, 5),
                kYellow, 2);
    k.line(QPointF(-190, -230), QPointF(-190, 60), 10);
    k.line(QPointF(190, -230), QPointF(190, 60), 10);
    // The charioteer in armour, crescent moons on his shoulders.
    robedFigure(k, 0, -200, 300, QColor(150, 156, 176), 0.2);
    k.shape(starPath(QPointF(0, -212), 8, 24, 10), kYellow, 3);
    k.shape(crescentPath(QPointF(-48, -120), 22, 10, -90), kWhite, 4);
    k.shape(crescentPath(QPointF(48, -120), 22, 10, -90), kWhite, 4);
    k.shape(rectPath(-32, -95, 64, 56, 4), kYellow, 4);
    // The wheels, half hidden by the stone car with its winged disc.
    for (int side : {-1, 1}) {
        const QPointF wc(side * 215, 230);
        k.shape(circlePath(wc, 70), QColor(70, 60, 56));
        for (int i = 0; i < 6; ++i)
            k.line(polar(wc, 14, i * 60.0), polar(wc, 64, i * 60.0), 5);
        k.shape(circlePath(wc, 14), kGoldFill, 4);
    }
    k.shape(rectPath(-200, 40, 400, 190, 8), kStone);
    k.shape(circlePath(QPointF(0, 120), 28), kRed, 5);
    wing(k, QPointF(-26, 128), 130, 24, -1, kYellow);
    wing(k, QPointF(26, 128), 130, 24, 1, kYellow);
    // The two sphinxes lying before the car, one black and one white.
    auto sphinx = [&k](double x, int facing, QColor fill, QColor line) {
        QPainterPath body(QPointF(x - facing * 95, 395));
        body.lineTo(x - facing * 95, 340);
        body.cubicTo(x - facing * 90, 310, x - facing * 60, 305, x - facing * 30, 305);
        body.lineTo(x + facing * 40, 305);
        body.lineTo(x + facing * 50, 365);
        body.lineTo(x + facing * 95, 372);
        body.lineTo(x + facing * 95, 395);
        body.closeSubpath();
        k.shape(body, fill);
        // The head with its striped headcloth.
        const double hx = x + facing * 28;
        QPainterPath cloth(QPointF(hx - 40, 330));
        cloth.lineTo(hx - 30, 250);
        cloth.quadTo(hx, 225, hx + 30, 250);
        cloth.lineTo(hx + 40, 330);
        cloth.closeSubpath();
        k.shape(cloth, fill);
        for (int i = 1; i < 4; ++i)
            k.stroke(line2({hx - 30 - i * 2.5, 260 + i * 17.0}, {hx - 20, 260 + i * 17.0}), line, 3);
        for (int i = 1; i < 4; ++i)
            k.stroke(line2({hx + 20, 260 + i * 17.0}, {hx + 30 + i * 2.5, 260 + i * 17.0}), line, 3);
        k.shape(ellipsePath(QPointF(hx, 282), 20, 26), kFlesh, 4);
    };
    sphinx(-120, 1, kDark, QColor(236, 232, 218));
    sphinx(120, -1, QColor(236, 232, 218), QColor(40, 40, 50));
}

void strength(Ink &k)
{
    k.stroke(lemniscatePath(QPointF(0, -345), 90), 11);
    // The lion's mane: a ring of tufts.
    QPainterPath mane;
    const QPointF c(0, 70);
    for (int i = 0; i <= 24; ++i) {
        const double a = i * 15.0;
        const QPointF outer = polar(c, 250, a);
        const QPointF inner = polar(c, 190, a + 7.5);
        if (i == 0)
            mane.moveTo(outer);
        else
            mane.quadTo(polar(c, 270, a - 7.5), outer);
        if (i < 24)
            mane.lineTo(inner);
    }
    mane.closeSubpath();
    k.shape(mane, QColor(196, 120, 44));
    k.shape(circlePath(c, 160), QColor(222, 168, 80));
    // Ears, eyes, nose and muzzle.
    k.shape(circlePath(QPointF(-120, -50), 34), QColor(222, 168, 80));
    k.shape(circlePath(QPointF(120, -50), 34), QColor(222, 168, 80));
    k.shape(circlePath(c, 160), QColor(222, 168, 80));
    for (int side : {-1, 1}) {
        QPainterPath eye(QPointF(side * 90, 20));
        eye.quadTo(side * 60, -10, side * 30, 20);
        eye.quadTo(side * 60, 35, side * 90, 20);
        k.shape(eye, kYellow, 5);
        k.fillOnly(circlePath(QPointF(side * 58, 20), 8), kDark);
    }
    QPainterPath muzzle;
    muzzle.addEllipse(QPointF(-38, 130), 46, 38);
    muzzle.addEllipse(QPointF(38, 130), 46, 38);
    k.shape(solid(muzzle), QColor(240, 214, 160));
    k.shape(polygonPath({{-34, 72}, {34, 72}, {0, 110}}), QColor(120, 60, 50), 5);
    k.line(QPointF(0, 110), QPointF(0, 150), 5);
    k.stroke(curve({-50, 180}, {-20, 200}, {20, 200}, {50, 180}), 6);
    // The garland of roses that tames him.
    for (int i = 0; i < 9; ++i) {
        const QPointF at = polar(c, 262, 200 + i * 17.5);
        fivePetalRose(k, at, 22, i % 2 ? kWhite : kRed);
    }
}

void hermit(Ink &k)
{
    mountains(k, 430, {{-300, 330}, {-100, 250}, {60, 330}, {300, 270}}, QColor(220, 226, 240));
    // The cloaked old man, staff in one hand.
    QPainterPath cloak(QPointF(70, -200));
    cloak.cubicTo(140, -190, 170, -60, 170, 60);
    cloak.cubicTo(175, 180, 190, 280, 200, 330);
    cloak.lineTo(-40, 330);
    cloak.cubicTo(-20, 240, 0, 120, 10, 0);
    cloak.cubicTo(0, -100, 20, -200, 70, -200);
    cloak.closeSubpath();
    k.shape(cloak, QColor(130, 130, 146));
    QPainterPath hood(QPointF(70, -250));
    hood.cubicTo(130, -250, 140, -160, 120, -120);
    hood.lineTo(20, -120);
    hood.cubicTo(10, -180, 30, -250, 70, -250);
    hood.closeSubpath();
    k.shape(hood, QColor(130, 130, 146));
    k.shape(ellipsePath(QPointF(48, -165), 26, 36), kFlesh, 5);
    k.shape(polygonPath({{30, -140}, {70, -140}, {50, -60}}), kWhite, 4);
    k.line(QPointF(220, -240), QPointF(200, 380), 11);
    // The lantern, held out, with the six-pointed star in it.
    limb(k, line2({40, -60}, {-80, -150}), 30, QColor(130, 130, 146));
    const QPointF lamp(-120, -70);
    glow(k.painter(), lamp, 230, QColor(255, 226, 130, 190));
    k.line(QPointF(-95, -160), lamp + QPointF(0, -70), 5);
    QPainterPath lantern;
    lantern.moveTo(lamp + QPointF(-42, -50));
    lantern.lineTo(lamp + QPointF(42, -50));
    lantern.lineTo(lamp + QPointF(50, 40));
    lantern.lineTo(lamp + QPointF(-50, 40));
    lantern.closeSubpath();
    k.shape(lantern, QColor(255, 236, 170, 120));
    k.shape(polygonPath({lamp + QPointF(-48, -50), lamp + QPointF(0, -80), lamp + QPointF(48, -50)}),
            kGoldFill, 5);
    k.shape(rectPath(lamp.x() - 56, lamp.y() + 40, 112, 16, 4), kGoldFill, 5);
    QPainterPath hexagram = starPath(lamp + QPointF(0, -2), 3, 36, 18, -90);
    hexagram.addPath(starPath(lamp + QPointF(0, -2), 3, 36, 18, 90));
    k.shape(hexagram, QColor(255, 250, 220), 3);
}

void wheel(Ink &k)
{
    const QPointF c(0, 40);
    // The four living creatures reading in the corners.
    for (const QPointF &corner :
         {QPointF(-215, -345), QPointF(215, -345), QPointF(-215, 355), QPointF(215, 355)})
        cloud(k, corner, 150);
    // The serpent descending on the left, the jackal rising on the right.
    k.stroke(curve({-250, -170}, {-200, -80}, {-300, 60}, {-240, 200}), QColor(220, 170, 60), 14);
    k.shape(ellipsePath(QPointF(-250, -178), 18, 12), QColor(220, 170, 60), 4);
    QPainterPath jackal(QPointF(240, 260));
    jackal.cubicTo(280, 150, 270, 60, 245, -10);
    jackal.lineTo(258, -52);
    jackal.lineTo(232, -30);
    jackal.lineTo(215, -56);
    jackal.lineTo(214, -20);
    jackal.lineTo(186, 0);
    jackal.cubicTo(215, 80, 205, 180, 200, 260);
    jackal.closeSubpath();
    k.shape(jackal, QColor(176, 60, 50));
    // The wheel itself: rim, spokes, and the letters that read TARO.
    k.shape(circlePath(c, 215), QColor(200, 120, 60));
    k.shape(circlePath(c, 160), QColor(60, 90, 170));
    k.shape(circlePath(c, 55), QColor(236, 232, 218));
    for (int i = 0; i < 8; ++i)
        k.line(polar(c, 55, i * 45), polar(c, 160, i * 45), 8);
    const char *letters[] = {"T", "A", "R", "O"};
    for (int i = 0; i < 4; ++i)
        k.text(polar(c, 188, -90 + i * 90), QString::fromLatin1(letters[i]), 44, kDark);
    for (int i = 0; i < 4; ++i)
        k.shape(circlePath(polar(c, 188, -45 + i * 90), 8), kYellow, 3);
    // The sphinx keeps watch on top with her sword.
    QPainterPath sphinx(QPointF(-70, -170));
    sphinx.lineTo(-60, -220);
    sphinx.lineTo(40, -220);
    sphinx.quadTo(70, -215, 75, -170);
    sphinx.closeSubpath();
    k.shape(sphinx, QColor(110, 150, 200));
    k.shape(polygonPath({{-60, -220}, {-30, -300}, {0, -220}}), QColor(110, 150, 200));
    k.shape(circlePath(QPointF(-30, -255), 22), kFlesh, 5);
    k.line(QPointF(30, -215), QPointF(60, -350), 7);
    k.line(QPointF(30, -255), QPointF(62, -248), 7);
}

void justice(Ink &k)
{
    // A purple veil between two grey pillars, as in the hall of judgement.
    k.shape(rectPath(-200, -380, 400, 560), QColor(110, 60, 130), k.width() * 0.6);
    pillar(k, -225, -410, 260, 50, kStone);
    pillar(k, 225, -410, 260, 50, kStone);
    // The upright sword and, hanging from its guard, the scales in balance.
    Ink bold(k.painter(), gold, 7.0);
    drawSword(bold, QPointF(0, -60), 640);
    const double beamY = 40;
    k.line(QPointF(-200, beamY), QPointF(200, beamY), 12);
    k.shape(circlePath(QPointF(0, beamY), 18), kYellow, 5);
    for (int side : {-1, 1}) {
        const double x = side * 190;
        k.line(QPointF(x, beamY), QPointF(x - 60, beamY + 170), 4);
        k.line(QPointF(x, beamY), QPointF(x + 60, beamY + 170), 4);
        QPainterPath pan(QPointF(x - 80, beamY + 170));
        pan.quadTo(x, beamY + 250, x + 80, beamY + 170);
        pan.closeSubpath();
        k.shape(pan, kGoldFill);
    }
    k.shape(rectPath(-250, 330, 500, 60, 6), kStone);
}

void hangedMan(Ink &k)
{
    // The living tau cross he hangs from.
    k.shape(rectPath(-18, -320, 36, 740), QColor(110, 76, 44), 5);
    k.shape(rectPath(-230, -350, 460, 40, 8), QColor(110, 76, 44));
    for (int side : {-1, 1})
        for (int i = 0; i < 3; ++i)
            k.shape(transformed(ellipsePath({0, 0}, 24, 10),
                                QPointF(side * (160 + i * 28), -370 - (i % 2) * 14), side * -40.0),
                    kGreen, 3);
    // Upside down: one foot bound to the beam, the other leg crossed behind to form a 4.
    const QColor hose(176, 52, 54);
    const QColor coat(70, 110, 190);
    // Arms folded behind his back: the elbows and the head make a triangle pointing down.
    limb(k, polygonPath({{-40, 100}, {-92, 50}, {-30, 0}}, false), 24, coat);
    limb(k, polygonPath({{40, 100}, {92, 50}, {30, 0}}, false), 24, coat);
    limb(k, polygonPath({{6, -100}, {84, -182}, {-34, -200}}, false), 28, hose);
    limb(k, line2({0, -300}, {0, -90}), 34, hose);
    k.line(QPointF(-24, -308), QPointF(24, -308), 8);
    QPainterPath tunic(QPointF(-50, -110));
    tunic.lineTo(50, -110);
    tunic.lineTo(46, 115);
    tunic.lineTo(-46, 115);
    tunic.closeSubpath();
    k.shape(tunic, coat);
    k.line(QPointF(-50, -60), QPointF(50, -60), 10);
    const QPointF head(0, 175);
    glow(k.painter(), head, 170, QColor(255, 226, 120, 170));
    for (int i = 0; i < 16; ++i)
        k.line(polar(head, 80, i * 22.5), polar(head, 110, i * 22.5), 4);
    k.stroke(circlePath(head, 80), 5);
    k.shape(circlePath(head, 50), kFlesh);
}

void death(Ink &k)
{
    // The sun rising between the two towers.
    sun(k, QPointF(0, 360), 60, 14, QColor(250, 220, 140));
    k.shape(rectPath(-300, 360, 600, 80), QColor(36, 46, 86), 0);
    turret(k, -180, 200, 420, 70, kStone);
    turret(k, 180, 200, 420, 70, kStone);
    k.line(QPointF(-300, 360), QPointF(300, 360), 4);
    // The black banner with the white rose.
    k.line(QPointF(-220, -400), QPointF(-220, 120), 10);
    QPainterPath banner(QPointF(-215, -390));
    banner.cubicTo(-100, -420, 20, -350, 170, -380);
    banner.lineTo(170, -130);
    banner.cubicTo(20, -100, -100, -170, -215, -140);
    banner.closeSubpath();
    k.shape(banner, QColor(14, 14, 20));
    QPainterPath rosePetals;
    const QPointF rc(-20, -262);
    for (int i = 0; i < 5; ++i)
        rosePetals.addEllipse(polar(rc, 44, -90 + i * 72), 40, 40);
    k.shape(solid(rosePetals), QColor(240, 238, 232), 5);
    k.shape(circlePath(rc, 22), kYellow, 4);
    for (int i = 0; i < 5; ++i)
        k.line(polar(rc, 26, -54 + i * 72), polar(rc, 70, -54 + i * 72), 3);
    // The skull.
    const QPointF sc(40, 30);
    QPainterPath skull;
    skull.addEllipse(sc + QPointF(0, -20), 115, 105);
    skull.addRoundedRect(QRectF(sc.x() - 60, sc.y() + 40, 120, 100), 30, 30);
    skull = solid(skull);
    k.shape(skull, QColor(236, 230, 210));
    for (int side : {-1, 1})
        k.shape(ellipsePath(sc + QPointF(side * 45, 0), 32, 36), kDark, 5);
    k.shape(polygonPath({sc + QPointF(0, 40), sc + QPointF(-16, 75), sc + QPointF(16, 75)}), kDark, 4);
    for (int i = -2; i <= 2; ++i)
        k.line(sc + QPointF(i * 18, 100), sc + QPointF(i * 18, 132), 4);
    k.line(sc + QPointF(-50, 112), sc + QPointF(50, 112), 4);
}

void temperance(Ink &k)
{
    wing(k, QPointF(-30, -200), 250, 150, -1, QColor(186, 70, 70));
    wing(k, QPointF(30, -200), 250, 150, 1, QColor(186, 70, 70));
    robedFigure(k, 0, -320, 560, QColor(236, 232, 218), 0.24);
    sun(k, QPointF(0, -350), 18, 10);
    // The square and the triangle on her breast.
    k.shape(rectPath(-32, -185, 64, 64), kWhite, 4);
    k.shape(polygonPath({{-22, -130}, {22, -130}, {0, -172}}), kYellow, 4);
    // Water poured for ever from one cup into the other.
    const QPointF upper(-150, -20), lower(150, 160);
    for (double i = 0; i < 3; ++i)
        k.stroke(curve(upper + QPointF(40, -40 + i * 8), {0, -120 + i * 10}, {120, 10 + i * 10},
                       lower + QPointF(-10, -60 + i * 4)),
                 kWater, 7);
    Ink cupInk(k.painter(), gold, 5.0);
    drawCup(cupInk, upper, 150, 40);
    drawCup(cupInk, lower, 150, -10);
    // One foot in the pool, the other on the land; the path leads to the crown of light.
    k.shape(ellipsePath(QPointF(-120, 370), 150, 40), kWater);
    k.stroke(curve({100, 420}, {150, 360}, {200, 340}, {230, 290}), QColor(220, 200, 150), 8);
    k.shape(crownPath(QPointF(235, 285), 60, 40, 3), kYellow, 3);
    for (int i = 0; i < 3; ++i)
        fivePetalRose(k, QPointF(180 + i * 30, 385 - i * 8), 14, kYellow);
}

void devil(Ink &k)
{
    k.shape(starPath(QPointF(0, -350), 5, 70, 28, 90), QColor(236, 232, 218), 5);
    wing(k, QPointF(-50, -130), 250, 140, -1, QColor(60, 40, 60));
    wing(k, QPointF(50, -130), 250, 140, 1, QColor(60, 40, 60));
    // The goat's head with its ridged horns.
    for (int side : {-1, 1}) {
        QPainterPath horn(QPointF(side * 28.0, -212));
        horn.cubicTo(side * 50.0, -300, side * 120.0, -330, side * 170.0, -300);
        horn.cubicTo(side * 120.0, -300, side * 82.0, -275, side * 72.0, -200);
        horn.closeSubpath();
        k.shape(horn, QColor(200, 180, 140));
        for (int r = 1; r <= 4; ++r) {
            const double t = r / 5.0;
            const QPointF outer =
                curve({side * 28.0, -212}, {side * 50.0, -300}, {side * 120.0, -330}, {side * 170.0, -300})
                    .pointAtPercent(t);
            const QPointF inner =
                curve({side * 72.0, -200}, {side * 82.0, -275}, {side * 120.0, -300}, {side * 170.0, -300})
                    .pointAtPercent(t);
            k.line(outer, inner, 3);
        }
    }
    QPainterPath head(QPointF(-80, -220));
    head.cubicTo(-70, -130, -30, -60, 0, -40);
    head.cubicTo(30, -60, 70, -130, 80, -220);
    head.cubicTo(40, -250, -40, -250, -80, -220);
    head.closeSubpath();
    k.shape(head, QColor(140, 60, 50));
    for (int side : {-1, 1})
        k.shape(polygonPath({{side * 50.0, -175}, {side * 18.0, -160}, {side * 48.0, -152}}), kYellow, 3);
    // His pedestal, and the pair chained to its ring.
    k.shape(rectPath(-110, 30, 220, 150, 4), kDark);
    k.shape(circlePath(QPointF(0, 110), 18), QColor(0, 0, 0, 0), 6);
    k.stroke(curve({-12, 120}, {-80, 180}, {-120, 200}, {-150, 230}), QColor(200, 200, 210), 6);
    k.stroke(curve({12, 120}, {80, 180}, {120, 200}, {150, 230}), QColor(200, 200, 210), 6);
    for (int side : {-1, 1}) {
        bareFigure(k, side * 165, 170, 240);
        for (int h = -1; h <= 1; h += 2)
            k.line(QPointF(side * 165 + h * 15, 178), QPointF(side * 165 + h * 26, 150), 5);
        k.stroke(curve({side * 165.0 + side * 10, 320}, {side * 165.0 + side * 60, 330},
                       {side * 165.0 + side * 50, 380}, {side * 165.0 + side * 80, 390}),
                 kFlame, 6);
    }
    // The downturned torch.
    k.line(QPointF(150, -40), QPointF(120, 40), 12);
    flame(k, QPointF(120, 40), -70);
}

void tower(Ink &k)
{
    // The rock, the tower, the crown thrown off by the lightning.
    QPainterPath rock(QPointF(-280, 420));
    rock.cubicTo(-240, 340, -150, 300, -60, 290);
    rock.lineTo(80, 290);
    rock.cubicTo(170, 300, 240, 350, 280, 420);
    rock.closeSubpath();
    k.shape(rock, QColor(110, 96, 90));
    QPainterPath body(QPointF(-100, 300));
    body.lineTo(-80, -210);
    body.lineTo(80, -210);
    body.lineTo(100, 300);
    body.closeSubpath();
    k.shape(body, kStone);
    for (int row = 0; row < 10; ++row) {
        const double y = -160 + row * 48;
        k.line(QPointF(-84 - row * 1.9, y), QPointF(84 + row * 1.9, y), 2.5);
    }
    for (const QPointF &w : {QPointF(0, -130), QPointF(-40, 20), QPointF(40, 140)}) {
        k.shape(rectPath(w.x() - 18, w.y() - 26, 36, 52, 8), kDark, 4);
        flame(k, w + QPointF(0, 20), 60);
    }
    k.shape(rectPath(-100, -240, 200, 36, 4), kStone);
    for (int i = -1; i <= 1; ++i)
        flame(k, QPointF(i * 55, -240), 90 - std::abs(i) * 20);
    k.shape(transformed(crownPath(QPointF(0, 0), 130, 80, 3), QPointF(140, -280), 32), kGoldFill);
    QPainterPath bolt(QPointF(270, -420));
    bolt.lineTo(150, -330);
    bolt.lineTo(190, -320);
    bolt.lineTo(40, -230);
    bolt.lineTo(120, -330);
    bolt.lineTo(80, -340);
    bolt.lineTo(200, -420);
    bolt.closeSubpath();
    glow(k.painter(), QPointF(150, -320), 160, QColor(255, 240, 160, 150));
    k.shape(bolt, QColor(255, 236, 140));
    // The two who fall, and the drops of fire around them.
    for (int side : {-1, 1}) {
        k.painter().save();
        k.painter().translate(side * 200, 60 + side * 60);
        k.painter().rotate(170 + side * 25);
        robedFigure(k, 0, -90, 180, side < 0 ? kRed : kBlue, 0.2);
        k.painter().restore();
    }
    Prng rng(16);
    for (int i = 0; i < 12; ++i) {
        const double x = (i % 2 ? 1 : -1) * rng.range(130, 270);
        yod(k, QPointF(x, rng.range(-380, 250)), 26, kYellow);
    }
}

void star(Ink &k)
{
    const QPointF big(0, -200);
    glow(k.painter(), big, 260, QColor(255, 236, 160, 170));
    k.shape(starPath(big, 8, 150, 58, -90), kYellow);
    k.shape(starPath(big, 8, 90, 40, -67.5), QColor(255, 250, 220), 4);
    const QPointF small[] = {{-220, -360}, {220, -360}, {-245, -200}, {245, -200},
                             {-200, -45},  {200, -45},  {0, -395}};
    for (const QPointF &s : small)
        k.shape(starPath(s, 8, 36, 14, -90), QColor(250, 248, 240), 3);
    // The pool, the earth, and the water poured into both from two jugs.
    k.shape(ellipsePath(QPointF(80, 330), 210, 70), kWater);
    for (int i = 0; i < 4; ++i)
        k.stroke(ellipsePath(QPointF(80, 330), 60 + i * 40, 14 + i * 10), QColor(180, 210, 250), 2);
    k.shape(polygonPath({{-300, 300}, {-120, 260}, {-60, 420}, {-300, 420}}), QColor(120, 140, 90));
    auto jug = [&k](QPointF c, double deg) {
        QPainterPath j(QPointF(-16, -70));
        j.lineTo(-16, -50);
        j.cubicTo(-60, -30, -55, 50, -20, 60);
        j.lineTo(20, 60);
        j.cubicTo(55, 50, 60, -30, 16, -50);
        j.lineTo(16, -70);
        j.lineTo(26, -84);
        j.lineTo(-26, -84);
        j.closeSubpath();
        const QPainterPath handle = curve({18, -52}, {70, -70}, {70, 10}, {36, 20});
        k.stroke(transformed(handle, c, deg), k.line(), 12);
        k.shape(transformed(j, c, deg), QColor(196, 110, 70));
        k.stroke(transformed(line2({-40, 0}, {40, 0}), c, deg), 3);
    };
    for (int i = 0; i < 3; ++i)
        k.stroke(curve({-120.0 + i * 6, 50}, {-200.0 + i * 10, 100}, {-220.0, 200}, {-190.0 + i * 12, 300}),
                 kWater, 6);
    for (int i = 0; i < 3; ++i)
        k.stroke(curve({120.0 - i * 6, 50}, {180.0 - i * 10, 100}, {180.0, 200}, {150.0 - i * 12, 300}),
                 kWater, 6);
    jug(QPointF(-90, 100), 120);
    jug(QPointF(90, 100), -120);
}

void moon(Ink &k)
{
    const QPointF c(0, -250);
    glow(k.painter(), c, 230, QColor(220, 230, 255, 150));
    for (int i = 0; i < 32; ++i) {
        const double len = (i % 2 == 0) ? 60 : 35;
        k.line(polar(c, 122, i * 11.25), polar(c, 122 + len, i * 11.25), 4);
    }
    k.shape(circlePath(c, 115), QColor(214, 220, 236));
    k.shape(crescentPath(c, 115, 70, 0), QColor(250, 236, 160), 4);
    // A quiet face in profile on the full disc.
    k.stroke(curve(c + QPointF(30, -70), c + QPointF(-5, -30), c + QPointF(20, 10), c + QPointF(-10, 40)), 4);
    k.stroke(curve(c + QPointF(-10, 40), c + QPointF(5, 60), c + QPointF(25, 70), c + QPointF(40, 80)), 4);
    for (int i = 0; i < 7; ++i)
        yod(k, QPointF(-150 + i * 50, -80 + (i % 2) * 30), 24, kYellow);
    // The towers, the path between them, the dog and the wolf, the crayfish from the pool.
    turret(k, -200, 0, 240, 80, kStone);
    turret(k, 200, 0, 240, 80, kStone);
    k.stroke(curve({0, 360}, {-80, 290}, {90, 220}, {0, 60}), QColor(230, 210, 160), 10);
    auto hound = [&k](double x, int facing, QColor fill) {
        QPainterPath d(QPointF(x - facing * 60, 300));
        d.lineTo(x - facing * 55, 230);
        d.cubicTo(x - facing * 40, 200, x - facing * 10, 190, x, 170);
        d.lineTo(x + facing * 22, 120);
        d.lineTo(x + facing * 34, 150);
        d.lineTo(x + facing * 70, 130);
        d.lineTo(x + facing * 44, 180);
        d.cubicTo(x + facing * 30, 220, x + facing * 30, 260, x + facing * 20, 300);
        d.closeSubpath();
        k.shape(d, fill, 5);
    };
    hound(-120, 1, QColor(220, 200, 170));
    hound(120, -1, QColor(150, 150, 160));
    k.shape(ellipsePath(QPointF(0, 390), 200, 40), kWater);
    QPainterPath cray;
    cray.addEllipse(QPointF(0, 370), 20, 34);
    cray.addEllipse(QPointF(-30, 330), 14, 20);
    cray.addEllipse(QPointF(30, 330), 14, 20);
    k.shape(solid(cray), QColor(200, 70, 50), 4);
}

void sunCard(Ink &k)
{
    const QPointF c(0, -150);
    glow(k.painter(), c, 340, QColor(255, 220, 120, 170));
    for (int i = 0; i < 20; ++i) {
        const double a = i * 18.0;
        if (i % 2 == 0) {
            k.shape(polygonPath({polar(c, 150, a - 6), polar(c, 265, a), polar(c, 150, a + 6)}), kYellow, 4);
        } else {
            QPainterPath wave(polar(c, 150, a));
            for (int s = 1; s <= 4; ++s)
                wave.quadTo(polar(c, 150 + (s - 0.5) * 26, a + (s % 2 ? 5 : -5)), polar(c, 150 + s * 26, a));
            k.stroke(wave, QColor(250, 210, 90), 6);
        }
    }
    k.shape(circlePath(c, 140), QColor(252, 210, 80));
    // His calm face.
    for (int side : {-1, 1}) {
        k.stroke(curve(c + QPointF(side * 70, -25), c + QPointF(side * 55, -40), c + QPointF(side * 30, -40),
                       c + QPointF(side * 20, -25)),
                 5);
        k.fillOnly(circlePath(c + QPointF(side * 45, -15), 8), QColor(120, 70, 30));
    }
    k.stroke(curve(c + QPointF(0, -10), c + QPointF(-14, 20), c + QPointF(-10, 30), c + QPointF(8, 32)), 4);
    k.stroke(curve(c + QPointF(-45, 60), c + QPointF(-20, 85), c + QPointF(20, 85), c + QPointF(45, 60)), 6);
    // The garden wall and its sunflowers.
    k.shape(rectPath(-300, 240, 600, 180), QColor(150, 140, 130));
    for (int row = 0; row < 4; ++row) {
        const double y = 240 + row * 45;
        k.line(QPointF(-300, y), QPointF(300, y), 3);
        for (int col = 0; col < 7; ++col) {
            const double x = -260 + col * 90 + (row % 2) * 45;
            k.line(QPointF(x, y), QPointF(x, y + 45), 3);
        }
    }
    for (int i = 0; i < 4; ++i) {
        const QPointF fc(-210 + i * 140, 170 - (i % 2) * 30);
        k.line(fc, QPointF(fc.x(), 240), 7);
        k.shape(starPath(fc, 12, 52, 32), kYellow, 4);
        k.shape(circlePath(fc, 26), QColor(120, 76, 40), 4);
    }
}

void judgement(Ink &k)
{
    // The angel in the clouds sounding the trumpet.
    wing(k, QPointF(-20, -280), 220, 110, -1, QColor(186, 70, 70));
    wing(k, QPointF(20, -280), 220, 110, 1, QColor(186, 70, 70));
    k.shape(circlePath(QPointF(0, -340), 38), kFlesh);
    k.shape(crescentPath(QPointF(0, -355), 50, 20, 90), kYellow, 4);
    cloud(k, QPointF(-120, -200), 300);
    cloud(k, QPointF(120, -210), 300);
    cloud(k, QPointF(0, -170), 260);
    QPainterPath trumpet(QPointF(-10, -310));
    trumpet.lineTo(170, -60);
    trumpet.lineTo(220, -10);
    trumpet.lineTo(130, -60);
    trumpet.closeSubpath();
    k.shape(trumpet.united(ellipsePath(QPointF(190, -20), 46, 22)), kYellow);
    // The banner with the red cross hanging from it.
    QPainterPath flag(QPointF(60, -180));
    flag.lineTo(150, -70);
    flag.lineTo(120, 40);
    flag.lineTo(20, -60);
    flag.closeSubpath();
    k.shape(flag, QColor(240, 238, 232));
    k.painter().save();
    k.painter().setClipPath(flag);
    k.line(QPointF(105, -125), QPointF(70, -10), 14);
    k.line(QPointF(35, -110), QPointF(140, -20), 14);
    k.painter().restore();
    k.stroke(flag, 5);
    k.painter().save();
    k.painter().setClipPath(flag);
    k.stroke(line2({105, -125}, {70, -10}), QColor(190, 40, 40), 14);
    k.stroke(line2({35, -110}, {140, -20}), QColor(190, 40, 40), 14);
    k.painter().restore();
    // The dead rise from their open coffins on the water, arms raised.
    mountains(k, 300, {{-300, 120}, {-180, 60}, {-80, 160}, {60, 90}, {200, 170}, {300, 100}},
              QColor(226, 232, 244));
    k.shape(rectPath(-300, 300, 600, 140), kWater);
    for (int i = 0; i < 3; ++i) {
        const double x = -170 + i * 170;
        bareFigure(k, x, 160 + (i == 1 ? 20 : 0), 180, true);
        k.shape(rectPath(x - 70, 300, 140, 60, 6), QColor(120, 90, 70));
    }
}

void world(Ink &k)
{
    // The four creatures in the corners: man, eagle, bull and lion.
    const QPointF corners[] = {{-215, -355}, {215, -355}, {-215, 355}, {215, 355}};
    for (const QPointF &c : corners)
        cloud(k, c, 150);
    k.shape(circlePath(corners[0] + QPointF(0, -18), 24), kFlesh, 4);
    k.shape(polygonPath({corners[1] + QPointF(-30, -10), corners[1] + QPointF(0, -40),
                         corners[1] + QPointF(30, -10), corners[1] + QPointF(0, 0)}),
            QColor(150, 120, 80), 4);
    k.shape(ellipsePath(corners[2] + QPointF(0, -16), 26, 20), QColor(150, 100, 70), 4);
    k.shape(starPath(corners[3] + QPointF(0, -16), 10, 28, 18), QColor(200, 140, 60), 3);
    // The wreath, bound above and below with red ribbon.
    const QPointF c(0, 0);
    for (int i = 0; i < 56; ++i) {
        const double t = i * 2.0 * kPi / 56;
        const QPointF at(c.x() + 190 * std::cos(t), c.y() + 300 * std::sin(t));
        const double deg = std::atan2(300 * std::cos(t), -190 * std::sin(t)) * 180.0 / kPi;
        k.shape(transformed(ellipsePath({0, 0}, 26, 11), at + QPointF(std::cos(t) * 10, std::sin(t) * 10),
                            deg + 30),
                kGreen, 3);
        k.shape(transformed(ellipsePath({0, 0}, 26, 11), at - QPointF(std::cos(t) * 10, std::sin(t) * 10),
                            deg - 30),
                kGreen, 3);
    }
    for (double y : {-300.0, 300.0})
        k.shape(lemniscatePath(QPointF(0, y), 60), QColor(200, 50, 50), 5);
    // The dancer within, a wand in each hand, one leg crossed behind the other.
    limb(k, line2({-10, 140}, {-5, 240}), 24, kFlesh);
    limb(k, curve({10, 140}, {50, 180}, {60, 210}, {-5, 215}), 24, kFlesh);
    QPainterPath sash(QPointF(-50, -110));
    sash.cubicTo(-90, -20, -40, 60, -50, 150);
    sash.lineTo(40, 150);
    sash.cubicTo(60, 60, 90, -20, 50, -110);
    sash.closeSubpath();
    k.shape(sash, QColor(130, 80, 170));
    limb(k, line2({-40, -90}, {-110, -20}), 22, kFlesh);
    limb(k, line2({40, -90}, {110, -20}), 22, kFlesh);
    k.line(QPointF(-125, -75), QPointF(-100, 25), 8);
    k.line(QPointF(125, -75), QPointF(100, 25), 8);
    k.shape(circlePath(QPointF(0, -150), 38), kFlesh);
}

} // namespace

void paintMajorEmblem(Ink &ink, int arcanum)
{
    static const std::function<void(Ink &)> emblems[22] = {
        fool,     magician, priestess, empress, emperor,   hierophant, lovers,     chariot,
        strength, hermit,   wheel,     justice, hangedMan, death,      temperance, devil,
        tower,    star,     moon,      sunCard, judgement, world};
    emblems[arcanum](ink);
}

void paintMajorField(QPainter &p, const CardInfo &card)
{
    QRadialGradient sky(QPointF(0, -40), 560);
    sky.setColorAt(0.0, palette::midnightGlow);
    sky.setColorAt(0.5, palette::midnight);
    sky.setColorAt(1.0, QColor(8, 12, 36));
    p.fillRect(QRectF(-300, -450, 600, 900), sky);

    // A few stars, placed the same way on every build.
    Prng rng(0x5EED00u + static_cast<unsigned>(card.number));
    for (int i = 0; i < 26; ++i) {
        const QPointF c(rng.range(-275, 275), rng.range(-425, 425));
        const double r = rng.range(1.2, 2.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 232, static_cast<int>(rng.range(140, 230))));
        p.drawEllipse(c, r, r);
    }
    for (int i = 0; i < 5; ++i) {
        const QPointF c(rng.range(-260, 260), rng.range(-410, 410));
        sparkle(p, c, rng.range(9, 16), QColor(255, 246, 214));
    }

    Ink ink(p, palette::gold, 7.0);
    paintMajorEmblem(ink, card.arcanum);
}

} // namespace media::deck
