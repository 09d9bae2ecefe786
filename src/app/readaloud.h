#pragma once

#include <QAccessible>
#include <QList>
#include <QString>

#include <functional>

class QWidget;

// What a screen reader needs beyond the widgets' own names: words said when something
// happens (a prompt, a drawn card), and a "press" for controls the program paints itself.
namespace ReadAloud {
// Says a text through the screen reader now: the window keeps a notice whose name is the
// text and shows it again, which a reader speaks as it shows (as a desktop notification).
void announce(QWidget *inWindow, const QString &text);

// Gives a widget that paints its own controls a role and actions a screen reader can
// trigger, by name. Call it before anything names the widget or a reader has read it
// (first thing in its constructor): the reader keeps the first interface it was given.
struct Action
{
    QString name;
    std::function<void()> run;
};
void setActions(QWidget *widget, QAccessible::Role role, QList<Action> actions);
// One action, the reader's "press".
inline void makePressable(QWidget *widget, QAccessible::Role role, std::function<void()> press)
{
    setActions(widget, role, {{QAccessibleActionInterface::pressAction(), std::move(press)}});
}
} // namespace ReadAloud
