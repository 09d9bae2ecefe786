// Drawing helpers shared by the picture generators: the deck's colours, paths for
// recurring figures (stars, crescents) and soft lights.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <initializer_list>

#include "theme.h"

namespace media {

// Colours of the deck, used by the cards, the back and the title alike.
namespace palette {
inline const QColor surround(13, 11, 20);
// The gold of every rim in the program.
inline const QColor gold = Theme::gold();
inline const QColor goldLight(246, 222, 150);
inline const QColor goldDeep(168, 126, 44);
inline const QColor midnight(16, 24, 64);
inline const QColor midnightGlow(52, 72, 140);
} // namespace palette

QColor withAlpha(QColor c, int alpha);
QColor mix(QColor a, QColor b, double t);

QPainterPath polygonPath(std::initializer_list<QPointF> points, bool closed = true);
// Star with `points` tips; the first tip points along rotationDeg (-90 is straight up).
QPainterPath starPath(QPointF centre, int points, double rOuter, double rInner, double rotationDeg = -90.0);
// Disc of radius r minus a disc shifted by `offset` along angleDeg (0 = to the right).
QPainterPath crescentPath(QPointF centre, double r, double offset, double angleDeg);

// Soft radial light, fully transparent at radius r.
void glow(QPainter &p, QPointF centre, double r, QColor colour);
// A four-point glint, as stars look on the cards.
void sparkle(QPainter &p, QPointF centre, double r, QColor colour);

} // namespace media
