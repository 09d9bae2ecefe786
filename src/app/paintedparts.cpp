#include "paintedparts.h"

#include <QWidget>

namespace {
class PartAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    PartAccessible(PaintedPartsAccessible *owner, int index) : m_owner(owner), m_index(index) {}

    bool isValid() const override { return m_owner->isValid() && m_index < m_owner->partCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_owner->window(); }
    QAccessibleInterface *parent() const override { return m_owner; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? part().name : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect r = part().rect;
        const QWidget *w = m_owner->painter();
        return r.isNull() ? QRect() : QRect(w->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return part().role; }
    QAccessible::State state() const override
    {
        const PaintedPart p = part();
        QAccessible::State st;
        st.invisible = !p.shown || !m_owner->painter()->isVisible();
        st.readOnly = true;
        st.selectable = p.selectable;
        st.selected = p.selected;
        return st;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        return part().press && !state().invisible ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString &name) override
    {
        if (name != pressAction())
            return;
        if (const PaintedPart p = part(); p.press && !state().invisible)
            p.press();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    PaintedPart part() const { return m_owner->part(m_index); }

    PaintedPartsAccessible *m_owner;
    int m_index;
};
} // namespace

PaintedPartsAccessible::~PaintedPartsAccessible()
{
    for (QAccessible::Id id : m_ids)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *PaintedPartsAccessible::child(int index) const
{
    if (index < 0 || index >= partCount())
        return nullptr;
    if (m_ids.size() < size_t(partCount()))
        m_ids.resize(size_t(partCount()), 0);
    QAccessible::Id &id = m_ids[size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(
            new PartAccessible(const_cast<PaintedPartsAccessible *>(this), index));
    return QAccessible::accessibleInterface(id);
}

int PaintedPartsAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] && QAccessible::accessibleInterface(m_ids[i]) == child)
            return int(i);
    return -1;
}

QAccessibleInterface *PaintedPartsAccessible::childAt(int x, int y) const
{
    const int i = partAt(widget()->mapFromGlobal(QPoint(x, y)));
    return i >= 0 ? child(i) : nullptr;
}
