#pragma once

#include <QLoggingCategory>
#include <QString>

class QWidget;

// The steps of a start, for whoever wonders where a start stops or which files it took:
// QT_LOGGING_RULES="orbelle.start.info=true" shows them on the standard error.
Q_DECLARE_LOGGING_CATEGORY(lcStart)

// Starting the program, in one place (modOrbelle::Main, defined here): the settings, the
// card database, the deck, then the intro. The intro only animates.
namespace Shell {
// Opens the card database (the user's own copy where it can be made). False when the
// program cannot run; the user has been told why.
bool openCardData();
// What the database's own (English) error text means, in Spanish, with the text itself
// after it as the technical detail; the program's own texts pass unchanged.
QString databaseProblem(const QString &error);
// Whether anything of a deck folder can be read: at least one picture the intro shows.
// A deck of which nothing can be read is forgotten, so the next start falls back to the
// program's own; one that lacks only some pictures starts with empty intro frames.
bool deckReadable(const QString &folder);
// Settles the run's deck: the connected one when it can be read; else the program's own
// for this run, with one message (the setting stays, so a deck on a stick that was taken
// out comes back once the stick is in again). False when not even the program's own deck
// can be read; the user has been told.
bool settleDeck();
// Makes the shell's windows known to the registry.
void registerWindows();
// Once a run, as the main window first shows: readings a crashed run left unsaved are
// offered back.
void offerRecovery(QWidget *mainWindow);
} // namespace Shell
