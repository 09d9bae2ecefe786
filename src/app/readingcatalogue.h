#pragma once

#include "windows.h"

#include <QKeySequence>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

// Every reading the main window offers, one entry each: its windows, its caption, its menu
// entry and panel button, how the main window opens it and the heading of its report.
// The main window's menu and buttons, the popup's "Al menu principal", every reading's
// "Atrás" and frame close, and the report writer read it; a reading adds itself with one
// entry (src/readings/catalogue.cpp) and knows nothing of the others.
struct ReadingEntry
{
    // How the main window opens the reading's first window.
    enum class Opening {
        // The shuffle panel with its waiting message as designed; a second later the first
        // window (the card of the day).
        Shuffle,
        // The shuffle panel for two seconds; a second later the intro goes and the first
        // window opens (the Celtic cross).
        ShuffleBriefly,
        // The first window at once (the cross's question prompt).
        Directly,
        // The first window at once, the main window minimized behind it (the names input).
        Minimized,
    };

    struct MenuEntry
    {
        QString name = {}; // object name of the QAction, "mnukreuz"
        QString text = {}; // with its access key, "&Cruz"
        QKeySequence shortcut = {};
    };
    struct PanelButton
    {
        QString name = {}; // object name, "crossButton"
        QString text = {}; // caption on the panel
        QRect twips = {};  // place and size on the panel, in twips
    };

    // The window the reading opens with; none for a reading this program does not lay
    // (its button and menu entry stay switched off).
    std::optional<WindowId> first = {};
    // Every window of the reading, in the order they are unloaded when it ends.
    std::vector<WindowId> windows = {};
    // The main window's caption while it runs.
    QString caption = {};
    MenuEntry menu = {};
    PanelButton button = {};
    Opening opening = Opening::Directly;
    // Whether the readings menu and "Sacar solo" are switched off while it runs (the music
    // entry always is).
    bool locksMenus = false;
    // Whether the intro goes as the reading starts (a shuffled reading lets it go when the
    // first window opens).
    bool closesIntro = true;
    // The report's heading: {question}, {first}, {second} and {date} are replaced; a part
    // in [ ] is left out when the fields inside it are empty.
    QString reportHeading = {};

    bool contains(WindowId id) const;
    bool laid() const { return first.has_value(); }
};

namespace ReadingCatalogue {
// Adds a reading, or replaces the one with the same menu entry.
void add(ReadingEntry entry);
// In menu order.
const std::vector<ReadingEntry> &entries();
// The reading a window belongs to (nullptr for windows of no reading).
const ReadingEntry *readingOf(WindowId window);
// The reading with this menu entry or panel button name.
const ReadingEntry *byName(const QString &menuOrButtonName);
// The report heading of a reading, its fields filled in.
QString heading(const ReadingEntry &entry, const QString &question, const QString &firstName,
                const QString &secondName, const QString &date);
} // namespace ReadingCatalogue
