#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

// Every window of the program, by the name it bears. The names live here and nowhere
// else: windows reach each other by type (WindowRegistry::get<kreuz>()) or, across the
// layers of the program where the caller cannot know the class, by this id.
enum class WindowId {
    Start,
    anima,
    meld,
    einfF,
    ordnerSuchen,
    info,
    frmMeni,
    legTag,
    deutTag,
    legkreuz,
    kreuz,
    frmDrag,
    eingabe,
    legBez,
    bezi,
    rtfViewer,
    deutf,
    slika,
    lernen,
    alleImagenes,
    mojCorvin,
    legKelt,
    deutKelt,
};

inline constexpr std::array<const char *, 23> kWindowNames{
    "Start",   "anima",    "meld",   "einfF",        "ordnerSuchen", "info",    "frmMeni",  "legTag",
    "deutTag", "legkreuz", "kreuz",  "frmDrag",      "eingabe",      "legBez",  "bezi",     "rtfViewer",
    "deutf",   "slika",    "lernen", "alleImagenes", "mojCorvin",    "legKelt", "deutKelt",
};

inline QString windowName(WindowId id)
{
    return QString::fromLatin1(kWindowNames[size_t(id)]);
}

// What the registry does with a window besides creating it: its load step once it is
// registered (so the windows its load creates can refer back to it), its unload step when
// it goes, and what closing it by its frame means.
class Loadable
{
public:
    virtual ~Loadable() = default;
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // The user closed the window by its frame (or Alt+F4). By default that unloads it, as
    // its own close does; a window whose close does more (a reading going back to the
    // main menu, the viewer asking first, the music player hiding) says so here.
    virtual void closedByFrame();
};

// Every window exists at most once. The first reference creates it (loaded, hidden),
// unload destroys it, and the next reference creates it afresh with its design values.
class WindowRegistry
{
public:
    // A module makes its windows known once at start; windows of modules a caller cannot
    // include are then reached by id. The class bears the window's name.
    template <class W>
    static void registerWindow(WindowId id)
    {
        Q_ASSERT(windowName(id) == keyOf<W>());
        registerFactory(id, [] { return static_cast<QWidget *>(get<W>()); });
    }
    static bool isKnown(WindowId id);

    template <class W>
    static W *get()
    {
        const QString key = keyOf<W>();
        if (QWidget *w = find(key))
            return static_cast<W *>(w);
        W *w = new W();
        add(key, w);
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

    // By id: nullptr for a window this build does not have.
    static QWidget *get(WindowId id);
    static QWidget *ifLoaded(WindowId id) { return find(windowName(id)); }
    static bool isLoaded(WindowId id) { return ifLoaded(id) != nullptr; }
    static void unload(WindowId id) { unload(windowName(id)); }
    // A window unloading itself.
    static void unload(QWidget *window);

    // For tests, which name windows as the user knows them.
    static std::optional<WindowId> idOf(const QString &name);
    static QStringList loaded();
    // Unloads every window (end of the program, between test cases).
    static void unloadAll();

    // Lower-level than registerWindow, for stand-ins in tests.
    static void registerFactory(WindowId id, std::function<QWidget *()> make);
    static void forget(WindowId id);

private:
    template <class W>
    static QString keyOf()
    {
        return QString::fromLatin1(W::staticMetaObject.className());
    }
    static QWidget *find(const QString &key);
    static void add(const QString &key, QWidget *w);
    static void load(QWidget *w);
    static void unload(const QString &key);
};
