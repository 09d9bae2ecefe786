#pragma once

#include <QString>
#include <QVariant>

#include <array>
#include <functional>

// The program's shared state: the values one window leaves for another to read.
// Names and meanings are those the windows use; nothing here is persisted except
// through the settings store.
namespace modOrbelle {

// Background music switched on; empty until the start-up finds "musikja" set.
inline QVariant musicOn;
// "musikja" as read at start-up.
inline QVariant musicSetting;
// "musakt" as read when a laying window loads.
inline QVariant musicActive;
// "musPfad", the music player's folder.
inline QVariant musicFolder;
// Read by the music player to choose its device; nothing assigns it.
inline QVariant musicDevice;
// "wavdat": empty for MIDI files, "wave" or "cd".
inline QString waveKind;

// The two persons of the relationship reading.
inline QString firstName;
inline QString secondName;

// Folder of the card pictures, without a trailing separator.
inline QString imageFolder;
// The card database the program reads (the user's own copy when it could be made).
inline QString dbPath;
// Name of the shared read-only database connection (QSqlDatabase::database(cardDb)).
inline QString cardDb;

// When true, closing the main window does not end the program (the image folder
// locator restarts it with a new deck).
inline bool keepRunning = false;

// Card-drawing state shared by the reading windows.
inline QVariant loopIndex;
inline qint16 cardNo = 0;
// Cards already drawn are marked 255; index 0 is unused.
inline std::array<quint8, 79> cardTaken{};
// The cards of the current laying, in order of position.
inline std::array<QVariant, 79> drawnCards{};
inline quint8 card1 = 0;
inline quint8 card2 = 0;
inline quint8 card3 = 0;
inline quint8 card4 = 0;
inline quint8 card5 = 0;
inline quint8 card6 = 0;
// Sum of the six card values of the last quintessence.
inline quint8 quintSum = 0;
// The question typed on the question reading sheet.
inline QString readingQuestion;

// Truthiness as the windows test it: an empty variant is not true.
bool isTrue(const QVariant &v);

// The start-up routine: saves and reads the settings, fills the shared state and
// hands over to the intro window (see setIntro).
void Main();

// What Main shows last. The shell registers the intro window here.
void setIntro(std::function<void()> showIntro);

// Restores every shared variable to its state before Main; used between test cases.
void resetSharedState();

} // namespace modOrbelle
