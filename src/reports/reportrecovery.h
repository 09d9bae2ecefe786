#pragma once

#include <QString>

#include <functional>

class QObject;
class QTextDocument;
class QWidget;

// Readings the report viewer holds unsaved outlive a crash, a power cut and a rebuild
// of the main window. While the viewer holds unsaved readings they are kept, as RTF, in
// a recovery file of this run in the user's data folder (see rtfViewer); a clean end
// (the readings saved, or the user said "No" to saving them) deletes it.
//
// Each running program has a file of its own, held under a lock: a second program
// started meanwhile neither writes over it nor offers or deletes it. The file of a
// program that is gone (its lock stale) is what the next start offers to recover.
//
// The start-up routine, once the main window exists:
//
//     ReportRecovery::offerAtStart(mainWindow);
//
// The main window's restart (closed and rebuilt when another deck is connected):
//
//     ReportRecovery::stash();      // before the old main window goes
//     ...                           // the main window is rebuilt
//     ReportRecovery::restore();    // the viewer holds the readings again, unsaved
namespace ReportRecovery {

// The folder of the recovery files: <per-user data folder>/recuperacion.
QString folder();
// This run's recovery file. It exists only while the viewer holds unsaved readings.
QString file();

// Whether programs that are no longer running left readings behind.
bool pending();
// When programs that are no longer running left readings behind, asks "Se encontraron
// tiradas que no se guardaron la última vez. ¿Recuperarlas?". Sí puts them in the
// viewer as unsaved readings (any unsaved readings it holds already follow them) and
// shows it; their files go once this run's file holds them. A file that cannot be read
// is not deleted: it is renamed "<name>.damaged" beside it (never offered again) and
// the user is told which. No deletes them. True when readings were recovered.
bool offerAtStart(QWidget *parent = nullptr);

// Writes the viewer's unsaved readings to this run's recovery file now. False when the
// viewer holds none (no file is left behind then), or the file could not be written.
// With the viewer already gone, true when it left its readings in the file.
bool stash();
// Puts the readings of this run's recovery file into the viewer (creating it, hidden)
// as unsaved readings, without asking. False when there are none.
bool restore();
// Deletes this run's recovery file (stopping a write under way first), and the files of
// readings recovered from an earlier run.
void discard();

// The folder and the files are the user's alone (0700, 0600).

// Writes `doc` as this run's recovery file now (through QSaveFile, under this run's
// lock), after a write in the background has ended; false when it could not be written.
bool write(const QTextDocument &doc);

enum class Written { Yes, Failed, Stopped };
// Takes what the file needs of `doc` now (cheap) and writes it on a thread of its own,
// so the window never waits for the disk. `done` is called on this thread afterwards,
// unless `context` is gone by then. One write runs at a time: start the next once
// `done` has been called.
void writeInBackground(const QTextDocument &doc, QObject *context, std::function<void(Written)> done);
// Whether a write in the background is under way.
bool writing();

} // namespace ReportRecovery
