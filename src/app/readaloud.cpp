#include "readaloud.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

namespace {

// The notice a window keeps for its announcements: one pixel, nothing painted, no focus.
class Announcer : public QWidget
{
public:
    explicit Announcer(QWidget *window) : QWidget(window)
    {
        setObjectName(QStringLiteral("announcer"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
    }
};

class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::Notification) {}
};

// Carries the press of a painted control; the widget's accessible interface calls it.
class PressHandler : public QObject
{
public:
    PressHandler(QObject *parent, QAccessible::Role role, QList<ReadAloud::Action> actions)
        : QObject(parent), role(role), actions(std::move(actions))
    {
        setObjectName(QStringLiteral("orbellePressHandler"));
    }
    QAccessible::Role role;
    QList<ReadAloud::Action> actions;
};

class PressableAccessible : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget *w, PressHandler *handler)
        : QAccessibleWidget(w, handler->role), m_handler(handler)
    {
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (m_handler)
            for (const ReadAloud::Action &a : m_handler->actions)
                names << a.name;
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (m_handler && widget()->isEnabled())
            for (const ReadAloud::Action &a : m_handler->actions)
                if (a.name == name) {
                    a.run();
                    return;
                }
        QAccessibleWidget::doAction(name);
    }

private:
    QPointer<PressHandler> m_handler;
};

PressHandler *handlerOf(QObject *object)
{
    return object->findChild<PressHandler *>(QStringLiteral("orbellePressHandler"), Qt::FindDirectChildrenOnly);
}

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (dynamic_cast<Announcer *>(w))
        return new AnnouncerAccessible(w);
    if (PressHandler *handler = handlerOf(object))
        return new PressableAccessible(w, handler);
    return nullptr;
}

void installFactory()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}

Announcer *announcerOf(const QWidget *inWindow)
{
    if (!inWindow)
        return nullptr;
    return inWindow->window()->findChild<Announcer *>(QStringLiteral("announcer"), Qt::FindDirectChildrenOnly);
}

} // namespace

namespace ReadAloud {

void announce(QWidget *inWindow, const QString &text)
{
    if (!inWindow || text.isEmpty())
        return;
    installFactory();
    Announcer *announcer = announcerOf(inWindow);
    if (!announcer)
        announcer = new Announcer(inWindow->window());
    announcer->setAccessibleName(text);
    // Shown again, the notice is spoken again, also when the text is the same.
    announcer->hide();
    announcer->show();
}

void setActions(QWidget *widget, QAccessible::Role role, QList<Action> actions)
{
    installFactory();
    if (PressHandler *old = handlerOf(widget))
        delete old;
    new PressHandler(widget, role, std::move(actions));
}

} // namespace ReadAloud
