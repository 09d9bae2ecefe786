#include "textbutton.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap;
}

TextButton::TextButton(const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setText(caption);
    setAccessibleName(caption);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(Theme::captionFont(9));
}

void TextButton::setAction(QAction *action)
{
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (!action)
        return;
    setEnabled(action->isEnabled());
    connect(action, &QAction::changed, this, [this] { setEnabled(m_action->isEnabled()); });
    connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(action, &QObject::destroyed, this, [this] { m_action = nullptr; });
}

void TextButton::setMaxPixelSize(int px)
{
    m_maxPx = qMax(6, px);
    fit();
}

void TextButton::fit()
{
    // Shrink until the wrapped caption fits; at the smallest size it is clipped.
    QFont f = font();
    int px = m_maxPx;
    const QRect area = rect().adjusted(2, 0, -2, 0);
    for (; px > 6; --px) {
        f.setPixelSize(px);
        const QRect need = QFontMetrics(f).boundingRect(area, kFlags, text());
        if (need.width() <= area.width() && need.height() <= area.height())
            break;
    }
    m_fitted = px;
    update();
}

void TextButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setPixelSize(m_fitted);
    p.setFont(f);
    const QRect area = rect().adjusted(2, 0, -2, 0);
    const QColor ink = !isEnabled() ? Theme::captionDisabled() : (m_hovered || isDown()) ? m_hover : m_text;

    // A soft dark halo keeps the caption readable on any part of the sky.
    const QRect textRect = p.fontMetrics().boundingRect(area, kFlags, text());
    p.setPen(Theme::captionShadow(isEnabled()));
    for (const QPoint &d : {QPoint(1, 1), QPoint(2, 2), QPoint(-1, 1)})
        p.drawText(area.translated(d), kFlags, text());
    p.setPen(ink);
    p.drawText(area, kFlags, text());

    if (hasFocus()) {
        QPen pen(m_hover, 1.5, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(
            QRectF(textRect.adjusted(-6, -2, 6, 2)).intersected(QRectF(rect()).adjusted(1, 1, -1, -1)), 4, 4);
    }
}

void TextButton::resizeEvent(QResizeEvent *)
{
    fit();
}

void TextButton::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void TextButton::enterEvent(QEnterEvent *)
{
    m_hovered = true;
    update();
}

void TextButton::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}

void TextButton::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange)
        fit();
    QAbstractButton::changeEvent(e);
}
