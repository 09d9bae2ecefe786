#include "windows.h"

namespace {
std::map<QString, QPointer<QWidget>> &table()
{
    static std::map<QString, QPointer<QWidget>> t;
    return t;
}
} // namespace

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
    // unloads itself from inside one of its own handlers.
    w->hide();
    w->deleteLater();
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
