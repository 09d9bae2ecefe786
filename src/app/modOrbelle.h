#pragma once

#include "cardmarks.h"

#include <QString>
#include <QVariant>

// The run's state: the settings mirrors and the values several windows read, with the
// names the windows use. A reading's cards are not here: they travel as the reading's
// Spread. Nothing here is persisted except through the settings store.
struct RunState
{
    // Background music switched on; empty until the start-up finds "musikja" set.
    QVariant musicOn;
    // "musikja" as read at start-up.
    QVariant musicSetting;
    // "musakt" as read when a laying window loads.
    QVariant musicActive;
    // "musPfad", the music player's folder.
    QVariant musicFolder;
    // "wavdat": empty for MIDI files, "wave" or "cd".
    QString waveKind;

    // The two persons of the relationship reading.
    QString firstName;
    QString secondName;

    // Folder of the card pictures, without a trailing separator.
    QString imageFolder;
    // The user's own database (journal, own keywords); empty when there is none.
    QString dbPath;
    // Name of the shared read-only database connection (QSqlDatabase::database(cardDb)).
    QString cardDb;

    // When true, closing the main window does not end the program (the image folder
    // locator restarts it with a new deck).
    bool keepRunning = false;

    // The free board appends every card looked at to the report. Switched on from the
    // board's menu, it stays on for the run, across the board's openings.
    bool boardCollects = false;

    // Cards drawn by the readings of this run (cardTaken), and the draw that respects them.
    CardMarks cardTaken;
};

namespace modOrbelle {

// The one run state.
RunState &state();

// Truthiness as the windows test it: an empty variant is not true.
bool isTrue(const QVariant &v);

// The settings part of the start-up, in order: "pfad" saved, the music flags and the
// music source read, "musakt" cleared, the image folder read. Main runs it first.
void readStartSettings();

// The start-up routine (defined with the shell, which owns the intro): the settings
// above, then the card database and the deck, then the intro.
void Main();

// Restores the run state to what it is before Main; used between test cases.
void resetSharedState();

} // namespace modOrbelle
