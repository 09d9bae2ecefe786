#include "windows.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

#include <map>

namespace {
std::map<QString, QPointer<QWidget>> &table()
{
    static std::map<QString, QPointer<QWidget>> t;
    return t;
}

std::map<WindowId, std::function<QWidget *()>> &factories()
{
    static std::map<WindowId, std::function<QWidget *()>> f;
    return f;
}

// Closing a window by its frame is its unload (or whatever its own close does): a
// window that was merely hidden would keep its timers running behind the user's back.
class FrameClose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close || watched != parent())
            return false;
        event->ignore();
        auto *w = static_cast<QWidget *>(watched);
        if (auto *l = dynamic_cast<Loadable *>(w))
            l->closedByFrame();
        else
            WindowRegistry::unload(w);
        return true;
    }
};
} // namespace

void Loadable::closedByFrame()
{
    if (auto *w = dynamic_cast<QWidget *>(this))
        WindowRegistry::unload(w);
}

void WindowRegistry::registerFactory(WindowId id, std::function<QWidget *()> make)
{
    factories()[id] = std::move(make);
}

void WindowRegistry::forget(WindowId id)
{
    factories().erase(id);
}

bool WindowRegistry::isKnown(WindowId id)
{
    return factories().count(id) > 0;
}

QWidget *WindowRegistry::get(WindowId id)
{
    const QString name = windowName(id);
    if (QWidget *w = find(name))
        return w;
    auto it = factories().find(id);
    if (it == factories().end())
        return nullptr;
    QWidget *w = it->second();
    if (w && !find(name)) { // a window made through get<W>() has registered itself already
        add(name, w);
        load(w);
    }
    return w;
}

std::optional<WindowId> WindowRegistry::idOf(const QString &name)
{
    for (size_t i = 0; i < kWindowNames.size(); ++i) {
        if (name == windowName(WindowId(i)))
            return WindowId(i);
    }
    return std::nullopt;
}

QWidget *WindowRegistry::find(const QString &key)
{
    auto &t = table();
    auto it = t.find(key);
    if (it == t.end())
        return nullptr;
    if (it->second.isNull()) {
        t.erase(it);
        return nullptr;
    }
    return it->second.data();
}

void WindowRegistry::add(const QString &key, QWidget *w)
{
    table()[key] = w;
    if (w->objectName().isEmpty())
        w->setObjectName(key);
    w->installEventFilter(new FrameClose(w));
}

void WindowRegistry::load(QWidget *w)
{
    if (auto *l = dynamic_cast<Loadable *>(w))
        l->Form_Load();
}

void WindowRegistry::unload(QWidget *window)
{
    if (!window)
        return;
    for (auto &[key, w] : table()) {
        if (w == window) {
            unload(QString(key));
            return;
        }
    }
}

void WindowRegistry::unload(const QString &key)
{
    auto &t = table();
    auto it = t.find(key);
    if (it == t.end())
        return;
    QPointer<QWidget> w = it->second;
    t.erase(it);
    if (!w)
        return;
    // The window leaves the registry at once, so the next reference gets a fresh one,
    // but is destroyed only when control returns to the event loop: a window often
    // unloads itself from inside one of its own handlers. A window shown inside the
    // main window goes with its frame.
    if (auto *l = dynamic_cast<Loadable *>(w.data()))
        l->Form_Unload();
    if (!w)
        return;
    QWidget *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    QWidget *gone = frame ? frame : w.data();
    gone->hide();
    gone->deleteLater();
}

QStringList WindowRegistry::loaded()
{
    QStringList names;
    for (auto &[k, w] : table()) {
        if (!w.isNull())
            names << k;
    }
    return names;
}

void WindowRegistry::unloadAll()
{
    const QStringList names = loaded();
    for (const QString &n : names)
        unload(n);
}
