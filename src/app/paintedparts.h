#pragma once

#include <QAccessibleWidget>

#include <functional>
#include <vector>

// One part of a widget that paints its parts itself (a card, a back, a slot), as a screen
// reader meets it.
struct PaintedPart
{
    QString name;
    QRect rect; // in the widget's coordinates
    QAccessible::Role role = QAccessible::Graphic;
    bool shown = true;
    bool selectable = false;
    bool selected = false;
    std::function<void()> press; // none: the part cannot be pressed now
};

// A widget that paints its own parts: the widget itself, and each part a child with its
// name, place, role and state, pressable where the part says so. A widget gives its parts
// by overriding partCount(), part() and, for a reader's pointer, partAt().
class PaintedPartsAccessible : public QAccessibleWidget
{
public:
    PaintedPartsAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    ~PaintedPartsAccessible() override;
    QWidget *painter() const { return widget(); }

    virtual int partCount() const = 0;
    virtual PaintedPart part(int index) const = 0;
    // The part under a point of the widget, or -1.
    virtual int partAt(const QPoint &) const { return -1; }

    int childCount() const override { return partCount(); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    mutable std::vector<QAccessible::Id> m_ids;
};
