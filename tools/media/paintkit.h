// Drawing helpers shared by the picture generators: paths for recurring figures (stars,
// crescents, hearts, lemniscates) and an "ink" that strokes outlines in one pen, so that
// every emblem of a deck is drawn with the same line.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <initializer_list>

#include "theme.h"

namespace media {

// Colours of the deck, used by the cards, the back and the title alike.
namespace palette {
inline const QColor surround(13, 11, 20);
inline const QColor band(20, 23, 48);
// The gold of every rim in the program.
inline const QColor gold = Theme::gold();
inline const QColor goldLight(246, 222, 150);
inline const QColor goldDeep(168, 126, 44);
inline const QColor midnight(16, 24, 64);
inline const QColor midnightGlow(52, 72, 140);
inline const QColor brownInk(74, 50, 20);
} // namespace palette

// Pen and fill discipline for line work: fill first, then one outline on top.
class Ink
{
public:
    Ink(QPainter &p, QColor line, double width) : p_(p), line_(line), width_(width) {}

    QPainter &painter() { return p_; }
    QColor line() const { return line_; }
    double width() const { return width_; }

    void stroke(const QPainterPath &path, double width = -1.0);
    void stroke(const QPainterPath &path, QColor colour, double width);
    void shape(const QPainterPath &path, QColor fill, double width = -1.0);
    void fillOnly(const QPainterPath &path, QColor fill);
    void line(QPointF a, QPointF b, double width = -1.0);
    void text(QPointF centre, const QString &s, double pixelSize, QColor fill, bool bold = true);

private:
    QPainter &p_;
    QColor line_;
    double width_;
};

QColor withAlpha(QColor c, int alpha);
QColor mix(QColor a, QColor b, double t);

QPainterPath polygonPath(std::initializer_list<QPointF> points, bool closed = true);
QPainterPath circlePath(QPointF centre, double r);
QPainterPath ellipsePath(QPointF centre, double rx, double ry);
// Star with `points` tips; the first tip points along rotationDeg (-90 is straight up).
QPainterPath starPath(QPointF centre, int points, double rOuter, double rInner, double rotationDeg = -90.0);
// Figure-eight lying on its side, centred, with the given half width.
QPainterPath lemniscatePath(QPointF centre, double halfWidth);
// Disc of radius r minus a disc shifted by `offset` along angleDeg (0 = to the right).
QPainterPath crescentPath(QPointF centre, double r, double offset, double angleDeg);
QPainterPath heartPath(QPointF centre, double size);
// Archimedean spiral from the centre outwards, for horns and scrolls.
QPainterPath spiralPath(QPointF centre, double r0, double r1, double turns, double startDeg, bool clockwise);
// The outline of everything the path covers. Overlapping parts are united, not cut out as
// QPainterPath's default odd-even rule would do.
QPainterPath solid(QPainterPath path);
// Mirror image about the vertical line x = 0.
QPainterPath mirroredX(const QPainterPath &path);

// Soft radial light, fully transparent at radius r.
void glow(QPainter &p, QPointF centre, double r, QColor colour);
// A four-point glint, as stars look on the cards.
void sparkle(QPainter &p, QPointF centre, double r, QColor colour);

} // namespace media
