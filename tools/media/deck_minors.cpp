// The minor arcana: a light field tinted by suit, the pips in the classic arrangements,
// an ornate single symbol for the aces, and a medallion with a rank emblem for the courts.
#include "deck.h"

#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace media::deck {

namespace {

struct Tint
{
    QColor centre, edge, medallion;
};

Tint tintOf(Suit suit)
{
    switch (suit) {
    case Suit::Bastos:
        return {QColor(252, 236, 212), QColor(230, 150, 104), QColor(200, 92, 56)};
    case Suit::Copas:
        return {QColor(236, 243, 252), QColor(138, 176, 226), QColor(62, 104, 176)};
    case Suit::Espadas:
        return {QColor(244, 243, 249), QColor(182, 172, 214), QColor(112, 96, 156)};
    case Suit::Oros:
        return {QColor(244, 247, 222), QColor(164, 196, 116), QColor(76, 130, 70)};
    }
    return {};
}

// Pip centres for ranks 2 to 10, the arrangements of printed playing cards.
std::vector<QPointF> pipPositions(int rank, double colX)
{
    std::vector<QPointF> pts;
    auto column = [&](double x, std::initializer_list<double> ys) {
        for (double y : ys)
            pts.emplace_back(x, y);
    };
    switch (rank) {
    case 2:
        column(0, {-200, 200});
        break;
    case 3:
        column(0, {-265, 0, 265});
        break;
    case 4:
        column(-colX, {-200, 200});
        column(colX, {-200, 200});
        break;
    case 5:
        column(-colX, {-230, 230});
        column(colX, {-230, 230});
        column(0, {0});
        break;
    case 6:
        column(-colX, {-265, 0, 265});
        column(colX, {-265, 0, 265});
        break;
    case 7:
        column(-colX, {-265, 0, 265});
        column(colX, {-265, 0, 265});
        column(0, {-132});
        break;
    case 8:
        column(-colX, {-265, 0, 265});
        column(colX, {-265, 0, 265});
        column(0, {-132, 132});
        break;
    case 9:
        column(-colX, {-300, -100, 100, 300});
        column(colX, {-300, -100, 100, 300});
        column(0, {0});
        break;
    case 10:
        column(-colX, {-300, -100, 100, 300});
        column(colX, {-300, -100, 100, 300});
        column(0, {-200, 200});
        break;
    default:
        break;
    }
    return pts;
}

double pipHeight(int rank)
{
    if (rank <= 3)
        return 235;
    if (rank <= 5)
        return 250;
    if (rank <= 8)
        return 215;
    return 180;
}

void paintPips(Ink &ink, Suit suit, int rank)
{
    const double h = pipHeight(rank);
    const double colX = suit == Suit::Oros ? 150 : 140;
    for (const QPointF &c : pipPositions(rank, colX))
        drawSuitSymbol(ink, suit, c, h);
}

void rays(QPainter &p, int count, double r0, double r1, double r2, QColor colour, double width)
{
    p.save();
    for (int i = 0; i < count; ++i) {
        const double a = i * 2.0 * M_PI / count;
        const double r = (i % 2 == 0) ? r1 : r2;
        p.setPen(QPen(colour, (i % 2 == 0) ? width : width * 0.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r0 * std::cos(a), r0 * std::sin(a)), QPointF(r * std::cos(a), r * std::sin(a)));
    }
    p.restore();
}

void paintAce(Ink &ink, Suit suit, const Tint &tint)
{
    QPainter &p = ink.painter();
    glow(p, QPointF(0, 0), 330, withAlpha(QColor(255, 250, 230), 235));
    rays(p, 32, 150, 330, 280, withAlpha(tint.medallion, 150), 4);
    ink.stroke(circlePath(QPointF(0, 0), 345), withAlpha(tint.medallion, 120), 2.5);

    switch (suit) {
    case Suit::Bastos:
        drawWand(ink, QPointF(0, 0), 640, 0.0, 5);
        break;
    case Suit::Copas: {
        // Five streams fall from the brim of the great cup.
        for (int i = 0; i < 5; ++i) {
            const double x0 = -120 + i * 60;
            QPainterPath stream(QPointF(x0 * 0.8, -215));
            stream.cubicTo(x0 * 1.6, -160, x0 * 2.1, 80, x0 * 2.0, 300);
            ink.stroke(stream, QColor(88, 140, 210), 7);
        }
        drawCup(ink, QPointF(0, -20), 500);
        break;
    }
    case Suit::Espadas: {
        drawSword(ink, QPointF(0, 40), 660);
        // The crown on the point, with a palm and an olive sprig hanging from it.
        const double cy = -195;
        QPainterPath crown(QPointF(-70, cy + 30));
        crown.lineTo(-82, cy - 30);
        crown.lineTo(-40, cy);
        crown.lineTo(0, cy - 45);
        crown.lineTo(40, cy);
        crown.lineTo(82, cy - 30);
        crown.lineTo(70, cy + 30);
        crown.closeSubpath();
        ink.shape(crown, QColor(236, 196, 96), ink.width());
        for (double x : {-82.0, 0.0, 82.0})
            ink.shape(circlePath(QPointF(x, cy - (x == 0 ? 45 : 30) - 9), 9), QColor(250, 250, 250),
                      ink.width() * 0.6);
        for (int side : {-1, 1}) {
            QPainterPath sprig(QPointF(side * 72, cy + 30));
            sprig.cubicTo(side * 130, cy + 90, side * 150, cy + 180, side * 130, cy + 260);
            ink.stroke(sprig, ink.width() * 0.8);
            for (int k = 0; k < 5; ++k) {
                const double t = 0.15 + k * 0.18;
                const QPointF at = sprig.pointAtPercent(t);
                QPainterPath leaf = ellipsePath(QPointF(0, 0), 22, 8);
                QTransform tr;
                tr.translate(at.x() + side * 16, at.y());
                tr.rotate(side * (30 + k * 8));
                ink.shape(tr.map(leaf), QColor(86, 150, 70), ink.width() * 0.5);
            }
        }
        break;
    }
    case Suit::Oros: {
        // A lily rosette behind the coin.
        for (int i = 0; i < 12; ++i) {
            QPainterPath petal = ellipsePath(QPointF(0, -235), 26, 52);
            QTransform tr;
            tr.rotate(i * 30.0);
            ink.shape(tr.map(petal), QColor(250, 246, 232), ink.width() * 0.6);
        }
        drawCoin(ink, QPointF(0, 0), 215);
        break;
    }
    }
}

QPainterPath kingCrown()
{
    QPainterPath band;
    band.addRoundedRect(QRectF(-130, -50, 260, 52), 8, 8);
    return band;
}

void paintRankEmblem(Ink &ink, int rank, QPointF at)
{
    QPainter &p = ink.painter();
    p.save();
    p.translate(at);
    const QColor goldFill(232, 190, 90);
    const QColor pearl(250, 248, 240);
    switch (rank) {
    case 11: { // Sota: the page's cap with its long plume
        QPainterPath feather(QPointF(60, 0));
        feather.cubicTo(40, -70, -40, -160, -150, -195);
        feather.cubicTo(-90, -135, 10, -60, 60, 0);
        QPainterPath vane(QPointF(60, -10));
        vane.cubicTo(110, -100, 0, -195, -150, -195);
        vane.cubicTo(-60, -130, -10, -50, 60, -10);
        ink.shape(vane, QColor(246, 244, 236), ink.width() * 0.8);
        for (int k = 1; k < 9; ++k) {
            const double t = k / 9.0;
            QPainterPath rib(QPointF(60 - 210 * t, -10 - 185 * t + 18 * std::sin(t * M_PI)));
            rib.lineTo(60 - 210 * t + 40 - 20 * t, -10 - 185 * t - 36 + 16 * t);
            ink.stroke(rib, ink.width() * 0.35);
        }
        ink.stroke(feather, ink.width() * 0.7);
        QPainterPath cap(QPointF(-140, 40));
        cap.cubicTo(-150, -60, 150, -70, 140, 40);
        cap.closeSubpath();
        ink.shape(cap, QColor(176, 52, 54), ink.width());
        QPainterPath brim;
        brim.addRoundedRect(QRectF(-150, 28, 300, 34), 15, 15);
        ink.shape(brim, goldFill, ink.width());
        ink.shape(circlePath(QPointF(95, 10), 16), pearl, ink.width() * 0.6);
        break;
    }
    case 12: { // Caballo: a horse's head in profile, with its bridle
        QPainterPath head(QPointF(95, 110));
        head.cubicTo(110, 40, 100, -40, 70, -90);
        head.lineTo(78, -150);
        head.lineTo(44, -112);
        head.cubicTo(20, -118, 0, -112, -20, -100);
        head.cubicTo(-60, -70, -100, -20, -128, 20);
        head.cubicTo(-142, 42, -128, 70, -100, 66);
        head.cubicTo(-70, 62, -50, 50, -24, 40);
        head.cubicTo(-10, 70, 0, 95, -5, 110);
        head.closeSubpath();
        ink.shape(head, QColor(244, 240, 230), ink.width());
        QPainterPath mane(QPointF(70, -92));
        mane.cubicTo(120, -60, 128, 20, 118, 104);
        mane.lineTo(95, 110);
        mane.cubicTo(110, 40, 100, -40, 70, -92);
        ink.shape(mane, QColor(150, 96, 48), ink.width() * 0.8);
        ink.fillOnly(circlePath(QPointF(10, -72), 9), ink.line());
        ink.fillOnly(ellipsePath(QPointF(-112, 32), 7, 5), ink.line());
        QPainterPath bridle(QPointF(50, -100));
        bridle.lineTo(-80, 40);
        bridle.moveTo(-60, -40);
        bridle.lineTo(40, -20);
        ink.stroke(bridle, QColor(176, 52, 54), ink.width() * 1.2);
        ink.shape(circlePath(QPointF(-60, 20), 10), goldFill, ink.width() * 0.6);
        break;
    }
    case 13: { // Reina: an open coronet of slender points, each with a pearl
        QPainterPath crown(QPointF(-140, 40));
        const int points = 7;
        for (int i = 0; i < points; ++i) {
            const double x0 = -140 + i * 280.0 / points;
            const double tipX = x0 + 140.0 / points;
            const double tipY = (i % 2 == 0) ? -110 : -70;
            crown.lineTo(x0, -10);
            crown.lineTo(tipX, tipY);
            crown.lineTo(x0 + 280.0 / points, -10);
        }
        crown.lineTo(140, 40);
        crown.closeSubpath();
        ink.shape(crown, goldFill, ink.width());
        for (int i = 0; i < points; ++i) {
            const double tipX = -140 + i * 280.0 / points + 140.0 / points;
            const double tipY = (i % 2 == 0) ? -110 : -70;
            ink.shape(circlePath(QPointF(tipX, tipY - 14), 14), pearl, ink.width() * 0.6);
        }
        QPainterPath band;
        band.addRoundedRect(QRectF(-146, 8, 292, 40), 10, 10);
        ink.shape(band, goldFill, ink.width());
        const QColor gems[] = {QColor(60, 110, 190), QColor(176, 52, 54), QColor(60, 140, 90)};
        for (int i = -2; i <= 2; ++i)
            ink.shape(ellipsePath(QPointF(i * 52, 28), 11, 9), gems[(i + 2) % 3], ink.width() * 0.5);
        break;
    }
    case 14: { // Rey: a closed crown with arches, orb and cross
        QPainterPath cap(QPointF(-120, -10));
        cap.cubicTo(-120, -150, 120, -150, 120, -10);
        cap.closeSubpath();
        ink.shape(cap, QColor(168, 40, 48), ink.width());
        QPainterPath arches(QPointF(-120, -10));
        arches.cubicTo(-120, -150, 120, -150, 120, -10);
        arches.moveTo(0, -115);
        arches.lineTo(0, -10);
        ink.stroke(arches, goldFill.darker(110), ink.width() * 3.2);
        ink.stroke(arches, ink.width());
        ink.shape(kingCrown(), goldFill, ink.width());
        for (int i = -2; i <= 2; ++i) {
            QPainterPath fleur = starPath(QPointF(i * 55, -60), 3, 26, 10, -90);
            if (i == 0)
                continue;
            ink.shape(fleur, goldFill, ink.width() * 0.7);
        }
        ink.shape(circlePath(QPointF(0, -140), 24), goldFill, ink.width());
        QPainterPath cross;
        cross.addRect(QRectF(-7, -215, 14, 56));
        cross.addRect(QRectF(-24, -200, 48, 14));
        ink.shape(solid(cross), goldFill, ink.width() * 0.8);
        const QColor gems[] = {QColor(60, 110, 190), QColor(60, 140, 90), QColor(176, 52, 54)};
        for (int i = -2; i <= 2; ++i)
            ink.shape(ellipsePath(QPointF(i * 50, -24), 12, 12), gems[(i + 2) % 3], ink.width() * 0.5);
        break;
    }
    default:
        break;
    }
    p.restore();
}

void paintCourt(Ink &ink, Suit suit, int rank, const Tint &tint)
{
    QPainter &p = ink.painter();
    const QPointF centre(0, 130);
    const double r = 200;
    glow(p, centre, r * 1.35, withAlpha(QColor(255, 252, 236), 200));
    QRadialGradient fill(centre - QPointF(0, r * 0.3), r * 1.2);
    fill.setColorAt(0.0, tint.medallion.lighter(150));
    fill.setColorAt(1.0, tint.medallion);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(centre, r, r);
    p.restore();
    ink.stroke(circlePath(centre, r), QColor(212, 170, 70), 12);
    ink.stroke(circlePath(centre, r + 6), ink.width() * 0.6);
    ink.stroke(circlePath(centre, r - 6), ink.width() * 0.6);
    ink.stroke(circlePath(centre, r - 22), withAlpha(QColor(255, 240, 200), 150), 2.5);

    // A pale disc behind the symbol keeps it readable on the coloured medallion.
    glow(p, centre, r * 0.85, withAlpha(QColor(255, 252, 240), 170));
    // Staff and sword lie across the medallion, so they can be as long as its diameter.
    switch (suit) {
    case Suit::Bastos:
        drawWand(ink, centre, 370, 35.0, 3);
        break;
    case Suit::Espadas:
        drawSword(ink, centre, 370, 35.0);
        break;
    case Suit::Copas:
        drawCup(ink, centre, 270);
        break;
    case Suit::Oros:
        drawCoin(ink, centre, 125);
        break;
    }

    paintRankEmblem(ink, rank, QPointF(0, rank == 12 ? -235 : -200));
}

} // namespace

void paintMinorField(QPainter &p, const CardInfo &card)
{
    const Tint tint = tintOf(card.suit);
    QRadialGradient bg(QPointF(0, 0), 560);
    bg.setColorAt(0.0, tint.centre);
    bg.setColorAt(0.55, mix(tint.centre, tint.edge, 0.45));
    bg.setColorAt(1.0, tint.edge);
    p.fillRect(QRectF(-300, -450, 600, 900), bg);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(tint.medallion, 140), 2));
    p.drawRoundedRect(QRectF(-272, -424, 544, 848), 10, 10);

    Ink ink(p, palette::brownInk, 5.0);
    if (card.rank == 1)
        paintAce(ink, card.suit, tint);
    else if (card.rank <= 10)
        paintPips(ink, card.suit, card.rank);
    else
        paintCourt(ink, card.suit, card.rank, tint);
}

} // namespace media::deck
