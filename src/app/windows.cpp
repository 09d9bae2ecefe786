#include "windows.h"

#include <QMdiSubWindow>

namespace {
std::map<QString, QPointer<QWidget>> &table()
{
    static std::map<QString, QPointer<QWidget>> t;
    return t;
}
} // namespace

namespace {
std::map<QString, std::function<QWidget *()>> &factories()
{
    static std::map<QString, std::function<QWidget *()>> f;
    return f;
}
} // namespace

void WindowRegistry::registerFactory(const QString &name, std::function<QWidget *()> make)
{
    factories()[name] = std::move(make);
}

bool WindowRegistry::isKnown(const QString &name)
{
    return factories().count(name) > 0;
}

QWidget *WindowRegistry::get(const QString &name)
{
    if (QWidget *w = find(name))
        return w;
    auto it = factories().find(name);
    if (it == factories().end())
        return nullptr;
    QWidget *w = it->second();
    if (!find(name)) // a window made through get<W>() has registered itself already
        add(name, w);
    return w;
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
}

void WindowRegistry::load(QWidget *w)
{
    if (w->metaObject()->indexOfMethod("Form_Load()") >= 0)
        QMetaObject::invokeMethod(w, "Form_Load", Qt::DirectConnection);
}

void WindowRegistry::emitUnloading(QWidget *w)
{
    // Windows that must do something when they go (restore the main window, close
    // their sounds) get their unload handler called before they disappear.
    if (w->metaObject()->indexOfMethod("onUnload()") >= 0)
        QMetaObject::invokeMethod(w, "onUnload", Qt::DirectConnection);
}

void WindowRegistry::unload(const QString &name)
{
    auto &t = table();
    auto it = t.find(name);
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
    emitUnloading(w);
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
