#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>

// Every window exists at most once. The first reference creates it (loaded, hidden),
// unload destroys it, and the next reference creates it afresh with its design values.
// A window's constructor builds its controls; a slot Form_Load(), when it has one, is its
// load step and runs once the window is registered. A slot onUnload() runs when it goes.
class WindowRegistry
{
public:
    template <class W>
    static W *get()
    {
        const QString key = keyOf<W>();
        if (QWidget *w = find(key))
            return static_cast<W *>(w);
        W *w = new W();
        add(key, w);
        // The window is known before its load runs, so the windows its load refers to
        // can refer back to it.
        load(w);
        return w;
    }

    template <class W>
    static W *ifLoaded()
    {
        return static_cast<W *>(find(keyOf<W>()));
    }

    template <class W>
    static bool isLoaded()
    {
        return find(keyOf<W>()) != nullptr;
    }

    template <class W>
    static void unload()
    {
        unload(keyOf<W>());
    }

    // By name, for windows that only know another by its name (and for tests). A
    // window class registers how it is made; get() then works by name as by type.
    static void registerFactory(const QString &name, std::function<QWidget *()> make);
    static bool isKnown(const QString &name);
    static QWidget *get(const QString &name); // nullptr for a window nobody registered
    static QWidget *ifLoaded(const QString &name) { return find(name); }
    static bool isLoaded(const QString &name) { return find(name) != nullptr; }
    // A control of a window, found by its name; creates the window like any reference.
    template <class C>
    static C *control(const QString &window, const QString &name)
    {
        QWidget *w = get(window);
        return w ? w->findChild<C *>(name) : nullptr;
    }
    static void unload(const QString &name);
    static QStringList loaded();
    // Unloads every window (end of the program, between test cases).
    static void unloadAll();

private:
    template <class W>
    static QString keyOf()
    {
        return QString::fromLatin1(W::staticMetaObject.className());
    }
    static QWidget *find(const QString &key);
    static void add(const QString &key, QWidget *w);
    static void emitUnloading(QWidget *w);
    static void load(QWidget *w);
};
