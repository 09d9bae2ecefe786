#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string_view>

// Every window of the program, by the name it bears: the one list from which the ids and
// their names are made. Windows reach each other by type (WindowRegistry::get<kreuz>()) or,
// across the layers of the program where the caller cannot know the class, by id.
#define ORBELLE_WINDOWS(X)                                                                               \
    X(Start) X(anima) X(meld) X(einfF) X(ordnerSuchen) X(info) X(frmMeni) X(legTag) X(deutTag)            \
    X(legkreuz) X(kreuz) X(frmDrag) X(eingabe) X(legBez) X(bezi) X(rtfViewer) X(deutf) X(slika)          \
    X(lernen) X(alleImagenes) X(mojCorvin) X(legKelt) X(deutKelt) X(legEnt) X(deutEnt) X(diario)

enum class WindowId {
#define ORBELLE_WINDOW_ID(name) name,
    ORBELLE_WINDOWS(ORBELLE_WINDOW_ID)
#undef ORBELLE_WINDOW_ID
};

inline constexpr std::array kWindowNames{
#define ORBELLE_WINDOW_NAME(name) std::string_view(#name),
    ORBELLE_WINDOWS(ORBELLE_WINDOW_NAME)
#undef ORBELLE_WINDOW_NAME
};

namespace WindowNames {
// The name of a class as the compiler spells it, at compile time.
template <class W>
constexpr std::string_view classNameOf()
{
    constexpr std::string_view f = __PRETTY_FUNCTION__;
    constexpr size_t from = f.find("W = ") + 4;
    constexpr size_t to = f.find_first_of(";]", from);
    return f.substr(from, to - from);
}

// The id that bears a class's name; a class of no window's name is the list's size.
template <class W>
constexpr size_t indexOf()
{
    for (size_t i = 0; i < kWindowNames.size(); ++i) {
        if (kWindowNames[i] == classNameOf<W>())
            return i;
    }
    return kWindowNames.size();
}
} // namespace WindowNames

inline QString windowName(WindowId id)
{
    const std::string_view name = kWindowNames[size_t(id)];
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
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
    // include are then reached by id. The id is the one that bears the class's name: a class
    // that bears no window's name does not compile.
    template <class W>
    static void registerWindow()
    {
        constexpr size_t index = WindowNames::indexOf<W>();
        static_assert(index < kWindowNames.size(), "a window class bears the name of its WindowId");
        registerFactory(WindowId(index), [] { return static_cast<QWidget *>(get<W>()); });
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
