#include "icon.h"

#include "paintkit.h"
#include "theme.h"

#include <QRadialGradient>

namespace media {

void paintIcon(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient sky(QPointF(128, 110), 190);
    sky.setColorAt(0.0, palette::midnightGlow);
    sky.setColorAt(1.0, QColor(8, 12, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::gold, 4));
    p.drawRoundedRect(QRectF(14, 14, 228, 228), 39, 39);

    auto card = [&p](QPointF centre, double deg, bool face) {
        p.save();
        p.translate(centre);
        p.rotate(deg);
        const QRectF r(-52, -86, 104, 172);
        p.setPen(QPen(palette::gold, 3.5));
        p.setBrush(face ? palette::midnight : Theme::backFrame());
        p.drawRoundedRect(r, 10, 10);
        if (!face) {
            p.setPen(QPen(palette::gold, 1.5));
            p.setBrush(Theme::backPanel());
            p.drawRoundedRect(r.adjusted(10, 10, -10, -10), 4, 4);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(palette::goldLight);
            p.drawPath(crescentPath(QPointF(-4, -10), 38, 20, 20));
            p.setBrush(palette::gold);
            p.drawPath(starPath(QPointF(20, -30), 8, 15, 6));
            p.drawPath(starPath(QPointF(0, 55), 4, 9, 2.5));
        }
        p.restore();
    };
    card(QPointF(150, 132), 14, false);
    card(QPointF(108, 126), -10, true);
    sparkle(p, QPointF(204, 54), 12, QColor(255, 246, 214));
    p.restore();
}

QImage renderIcon(int side)
{
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    if (side != kIconUnits)
        p.scale(static_cast<double>(side) / kIconUnits, static_cast<double>(side) / kIconUnits);
    paintIcon(p);
    p.end();
    return img;
}

} // namespace media
