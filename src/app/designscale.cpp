#include "designscale.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace {
const char *const kProperty = "orbelleDesignScale";
}

DesignScale::DesignScale(QWidget *window, QSize design, Layout how, double largest)
    : QObject(window),
      m_window(window),
      m_design(design),
      m_how(how),
      m_largest(largest),
      m_windowPoint(window->font().pointSizeF())
{
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        record(child, how == Layout::Placed);
    // Fonts of the controls a layout places, and of the controls inside the placed ones.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->parentWidget() != window)
            record(w, false);
    }
    if (QLayout *l = window->layout()) {
        m_margins = l->contentsMargins();
        m_spacing = l->spacing();
    }
    window->installEventFilter(this);
}

DesignScale *DesignScale::install(QWidget *window, QSize design, Layout how, double largest)
{
    if (DesignScale *existing = of(window))
        return existing;
    auto *s = new DesignScale(window, design, how, largest);
    window->setProperty(kProperty, QVariant::fromValue(static_cast<QObject *>(s)));
    s->apply();
    return s;
}

DesignScale *DesignScale::of(const QWidget *window)
{
    return window ? qobject_cast<DesignScale *>(window->property(kProperty).value<QObject *>()) : nullptr;
}

void DesignScale::record(QWidget *w, bool placed)
{
    // Every control's font is scaled itself: a style sheet may keep a control from
    // following its window's font. Fonts set in pixels (the text buttons fit their own)
    // are left alone.
    const double point = qMax(0.0, w->font().pointSizeF());
    m_controls.push_back({w, w->geometry(), point, placed});
}

double DesignScale::pointSize(double design, double scale, double largest)
{
    if (design <= 0)
        return design;
    const double most = qMax(design * largest, kSmallestPoint);
    return qBound(kSmallestPoint, design * scale, most);
}

void DesignScale::apply()
{
    if (m_design.isEmpty())
        return;
    const QSize size = m_window->size();
    m_scale = qMin(size.width() / double(m_design.width()), size.height() / double(m_design.height()));
    const QPointF origin((size.width() - m_design.width() * m_scale) / 2,
                         (size.height() - m_design.height() * m_scale) / 2);
    // The window's own font first, so that the controls inheriting it follow.
    QFont windowFont = m_window->font();
    windowFont.setPointSizeF(pointSize(m_windowPoint, m_scale, m_largest));
    m_window->setFont(windowFont);
    for (const Control &c : m_controls) {
        if (!c.widget)
            continue;
        if (c.placed) {
            const QRectF r(origin.x() + c.rect.x() * m_scale, origin.y() + c.rect.y() * m_scale,
                           c.rect.width() * m_scale, c.rect.height() * m_scale);
            c.widget->setGeometry(r.toRect());
        }
        if (c.point > 0) {
            QFont f = c.widget->font();
            f.setPointSizeF(pointSize(c.point, m_scale, m_largest));
            c.widget->setFont(f);
        }
    }
    if (QLayout *l = m_window->layout(); l && m_how == Layout::Managed) {
        const double s = qMin(m_scale, m_largest);
        l->setContentsMargins(int(m_margins.left() * s), int(m_margins.top() * s), int(m_margins.right() * s),
                              int(m_margins.bottom() * s));
        if (m_spacing >= 0)
            l->setSpacing(int(m_spacing * s));
    }
}

bool DesignScale::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        apply();
    return false;
}
