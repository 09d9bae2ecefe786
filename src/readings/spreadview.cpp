#include "spreadview.h"

#include "designscale.h"
#include "paintedparts.h"
#include "theme.h"
#include "twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
double rounding(double scale)
{
    return std::max(2.0, 4 * scale);
}

// A card on its ground with a gold rim; the selected one gets a bright outline, and a
// dashed one outside it while the spread has the keyboard.
void paintCard(QPainter &p, const QRectF &r, const QImage &picture, double scale, bool selected, bool focused)
{
    const double round = rounding(scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::cardGround());
    p.drawRoundedRect(r, round, round);
    if (!picture.isNull())
        p.drawImage(r, picture);
    p.setPen(QPen(Theme::gold(), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, round, round);
    if (!selected)
        return;
    const QRectF chosen = r.adjusted(-2, -2, 2, 2);
    p.setPen(QPen(Theme::captionHover(), std::max(2.5, 3 * scale)));
    p.drawRoundedRect(chosen, round, round);
    if (focused) {
        p.setPen(QPen(Theme::paper(), 1, Qt::DashLine));
        p.drawRoundedRect(chosen.adjusted(-4, -4, 4, 4), round, round);
    }
}

class SpreadAccessible : public PaintedPartsAccessible
{
public:
    explicit SpreadAccessible(SpreadView *view) : PaintedPartsAccessible(view, QAccessible::Canvas) {}
    SpreadView *view() const { return static_cast<SpreadView *>(widget()); }

    int partCount() const override { return view()->positions(); }
    PaintedPart part(int index) const override
    {
        SpreadView *v = view();
        const int k = index + 1;
        PaintedPart p;
        p.name = v->positionName(k);
        p.rect = v->cardRect(k);
        p.selectable = true;
        p.selected = v->selected() == k;
        p.press = [v, k] { v->select(k); };
        return p;
    }
    int partAt(const QPoint &at) const override { return view()->positionAt(at) - 1; }

    // A reader walks the positions as the arrow keys do, or goes to one by its number.
    QStringList actionNames() const override
    {
        QStringList names{QStringLiteral("Posición siguiente"), QStringLiteral("Posición anterior")};
        for (int k = 1; k <= view()->positions(); ++k)
            names << QStringLiteral("Posición %1").arg(k);
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        SpreadView *v = view();
        const int n = v->positions();
        if (name == QStringLiteral("Posición siguiente"))
            v->select(v->selected() % n + 1);
        else if (name == QStringLiteral("Posición anterior"))
            v->select((v->selected() + n - 2) % n + 1);
        else if (name.startsWith(QStringLiteral("Posición ")))
            v->select(name.mid(9).toInt());
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *spreadFactory(const QString &, QObject *object)
{
    if (auto *view = qobject_cast<SpreadView *>(object))
        return new SpreadAccessible(view);
    return nullptr;
}

// A position's number in its pill, lit when the position is selected.
void paintNumber(QPainter &p, const QRect &n, int k, bool selected)
{
    p.setPen(QPen(Theme::gold(), 1));
    p.setBrush(selected ? Theme::captionHover() : Theme::night());
    p.drawRoundedRect(n, n.height() / 2.0, n.height() / 2.0);
    p.setPen(selected ? Theme::night() : Theme::caption());
    p.drawText(n, Qt::AlignCenter, QString::number(k));
}
} // namespace

SpreadView::SpreadView(const QString &title, const QSize &designTwips, std::vector<int> walk,
                       std::vector<int> paintOrder, QWidget *parent)
    : QWidget(parent), m_title(title), m_design(Twips::size(designTwips.width(), designTwips.height())),
      m_walk(std::move(walk)), m_paintOrder(std::move(paintOrder)), m_pictures(m_walk.size()),
      m_names(m_walk.size()), m_scaled(m_walk.size()), m_selected(m_walk.front())
{
    static const bool readable = (QAccessible::installFactory(spreadFactory), true);
    Q_UNUSED(readable);
    setAccessibleName(m_title);
    setObjectName(QStringLiteral("Picture1"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize SpreadView::sizeHint() const
{
    return m_design;
}

void SpreadView::setPictures(std::vector<QImage> pictures, std::vector<QString> names)
{
    pictures.resize(m_walk.size());
    names.resize(m_walk.size());
    m_pictures = std::move(pictures);
    m_names = std::move(names);
    std::fill(m_scaled.begin(), m_scaled.end(), QImage());
    update();
}

QImage SpreadView::shownPicture(int k) const
{
    return k >= 1 && k <= positions() ? m_pictures[size_t(k - 1)] : QImage();
}

QString SpreadView::positionName(int k) const
{
    return k >= 1 && k <= positions() ? m_names[size_t(k - 1)] : QString();
}

void SpreadView::select(int k)
{
    if (k < 1 || k > positions())
        return;
    const bool changed = k != m_selected;
    m_selected = k;
    update();
    // The spread keeps the focus while the keys walk it: its name says where it stands, and
    // a reader follows the selection from card to card.
    setAccessibleName(m_title + QStringLiteral(", ") + positionName(k));
    if (changed && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Selection);
        event.setChild(k - 1);
        QAccessible::updateAccessibility(&event);
    }
    if (changed)
        emit positionSelected(k);
}

QRectF SpreadView::toPixels(const QRect &twips) const
{
    const double f = m_scale / Twips::perPixel;
    return QRectF(m_origin.x() + twips.x() * f, m_origin.y() + twips.y() * f, twips.width() * f,
                  twips.height() * f);
}

QRect SpreadView::cardRect(int k) const
{
    return toPixels(designRect(k)).toRect();
}

QFont SpreadView::captionFont(int points) const
{
    QFont f = Theme::captionFont(points);
    f.setPointSizeF(DesignScale::pointSize(points, m_scale));
    return f;
}

QRect SpreadView::numberRect(int k) const
{
    const QFontMetrics fm(captionFont(10));
    const QRect card = cardRect(k);
    const int w = fm.horizontalAdvance(QString::number(positions())) + fm.height() / 2;
    const int h = fm.height() + 2;
    const int inset = qMax(2, int(3 * m_scale));
    return QRect(card.left() + inset, card.top() + inset, qMax(w, h), h);
}

int SpreadView::positionAt(const QPoint &pos) const
{
    for (int k = 1; k <= positions(); ++k)
        if (numberRect(k).contains(pos))
            return k;
    for (auto it = m_paintOrder.rbegin(); it != m_paintOrder.rend(); ++it)
        if (cardRect(*it).contains(pos))
            return *it;
    return 0;
}

void SpreadView::resizeEvent(QResizeEvent *)
{
    m_scale = qMin(width() / double(m_design.width()), height() / double(m_design.height()));
    m_origin = QPointF((width() - m_design.width() * m_scale) / 2, (height() - m_design.height() * m_scale) / 2);
}

const QImage &SpreadView::scaledPicture(int k, const QSize &devicePixels) const
{
    // Scaled smoothly to the device pixels it is shown at, once per size.
    const QImage &source = m_pictures[size_t(k - 1)];
    QImage &scaled = m_scaled[size_t(k - 1)];
    if (scaled.size() != devicePixels && !source.isNull())
        scaled = source.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled;
}

void SpreadView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paintUnder(p);
    // The selected card's outline is painted in the card's turn, so that a card lying over
    // it lies over its outline as it lies over its picture.
    for (int k : m_paintOrder) {
        const QRectF r = toPixels(designRect(k));
        paintCard(p, r, scaledPicture(k, (r.size() * devicePixelRatioF()).toSize()), m_scale, k == m_selected,
                  hasFocus());
    }
    p.setFont(captionFont(10));
    for (int k = 1; k <= positions(); ++k)
        paintNumber(p, numberRect(k), k, k == m_selected);
    paintOver(p);
}

void SpreadView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (const int k = positionAt(e->position().toPoint()))
        select(k);
}

void SpreadView::keyPressEvent(QKeyEvent *e)
{
    const int n = positions();
    const auto at = int(std::find(m_walk.begin(), m_walk.end(), m_selected) - m_walk.begin());
    switch (e->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        select(m_walk[size_t((at + 1) % n)]);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        select(m_walk[size_t((at + n - 1) % n)]);
        return;
    case Qt::Key_Home:
        select(m_walk.front());
        return;
    case Qt::Key_End:
        select(m_walk.back());
        return;
    default:
        break;
    }
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9 && !(e->modifiers() & Qt::AltModifier)) {
        const int k = e->key() == Qt::Key_0 ? 10 : e->key() - Qt::Key_0;
        if (k <= n) {
            select(k);
            return;
        }
    }
    QWidget::keyPressEvent(e);
}
