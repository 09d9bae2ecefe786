#pragma once

#include "rtfresult.h"

#include <QElapsedTimer>
#include <QWidget>

#include "windows.h"

class MenuRows;
class PictureCache;
class QAction;
class QIODevice;
class QTimer;
class QImage;
class QMenuBar;
class QPagedPaintDevice;
class QPrinter;
class QSaveFile;
class QTextDocument;
class QTextEdit;

// The report viewer "Tarot-Visualizador": the one window in which the user's readings
// are collected, edited, saved as Rich Text, reopened and printed. It lives inside the
// main window's document area; get it with WindowRegistry::get<rtfViewer>(), which
// creates it (hidden, with its empty first line) on first use.
//
// A reading writes its piece with the append interface and then shows the viewer:
//
//     rtfViewer *v = WindowRegistry::get<rtfViewer>();
//     v->setInsertionFontSize(14);
//     v->insertText(QStringLiteral("\r\nLa carta para ") + date);
//     v->setInsertionFontSize(12);
//     v->insertText(QStringLiteral("\r\n\r\n"));
//     v->insertJpegPicture(jpegBytes, cardSize);   // or insertPicture(image, cardSize)
//     v->insertText(QStringLiteral("\r\n\r\n") + meaning);
//     v->showReport();
//
// Everything goes in at the insertion point of Box1, which is where the previous piece
// ended unless the user has moved it. Appending never clears the report.
// What the user pastes or drops into Box1 comes in as text and pictures only, and no file
// a pasted text names is read (see reportedit.h).
//
// The report is unsaved ("modified") from the first append or edit until it is saved
// or replaced by an opened file. While it is, its content goes to this run's recovery
// file (see reportrecovery.h) at once after a change (on the event loop's next turn,
// written on a thread of its own); changes that follow within 1.5 s of a write are
// written together at the end of that time. When the file cannot be written (a full
// disk) the user is told once, and the viewer keeps trying; a write that succeeds again
// ends the failure, and the next failure is told again.
class rtfViewer : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit rtfViewer(QWidget *parent = nullptr);
    ~rtfViewer() override;

    // --- append interface -------------------------------------------------------

    // The size in points of the text inserted from now on (a selection takes it too).
    void setInsertionFontSize(int points);
    // Inserts text, replacing any selection; "\r\n" (or "\n") begins a new paragraph.
    void insertText(const QString &text);
    // Inserts a picture. displaySize is its size in the report in pixels (Twips::size
    // converts twips); empty means the picture's own pixel size. The clipboard is not
    // used. An image is kept losslessly and saved as PNG.
    bool insertPicture(const QImage &picture, const QSize &displaySize = {});
    // The same for a picture read from a JPEG file: the report keeps the file's bytes
    // and saves them unchanged, several times smaller than the decoded image as PNG.
    // False, inserting nothing, when the bytes are not a readable JPEG or PNG.
    bool insertJpegPicture(const QByteArray &jpeg, const QSize &displaySize = {});

    enum class Show { Normal, Minimized };
    // Shows the viewer in its normal state and brings it to the front, or shows it
    // minimized so that the caller's window stays in front while the report grows.
    void showReport(Show how = Show::Normal);

    // --- the menu entries -------------------------------------------------------
    // Each has its access key (Alt+A, G, I, E, S) and all but "Salír" a key of its own
    // (Ctrl+O, S, P, E), which its caption shows.

    // "Abrír": replaces the report with an RTF file. When the report holds unsaved
    // readings it first asks whether to save them (Sí saves, No goes on, Cancelar opens
    // nothing). A long read shows its progress with a "Cancelar" button; a file that
    // cannot be read is reported in a message box; cancelling, or a failure, leaves the
    // report as it was. A file beyond the reader's size limit is refused before it is
    // read, with the limit and its reason. The windows go on painting while a file is
    // read; once it is shown, the editor lays out the rest of a long one in the
    // background.
    void openReport();
    // "Guardar": saves the report as RTF; true when it was saved. The file is written on
    // a thread of its own, a long write showing a "Cancelar" button (cancelled, the file
    // is left as it was).
    bool saveReport();
    // "Imprimír": prints the selection, or the whole report when nothing is selected,
    // on the default printer; with no printer set up, the print dialog opens instead.
    // An empty report prints nothing.
    void printReport();
    // "Exportar PDF": writes the report as a PDF file.
    bool exportPdf();
    // "Salír": unloads the viewer; its content is discarded, after asking when it holds
    // readings that were never saved.
    void closeReport();
    // Whether the report may go: nothing unsaved would be lost, or the user chose to
    // save it (and it was saved) or to discard it. The program asks this before it ends.
    bool mayDiscard();

    // Whether the report holds readings that were never saved: it changed since it was
    // created, opened or saved, and it is not blank.
    bool holdsUnsavedReadings() const;
    // Puts recovered readings into the viewer, taking the document over; they count as
    // unsaved. Unsaved readings the viewer holds already stay, behind them. Used by
    // ReportRecovery; nothing is asked or shown.
    void restoreUnsaved(QTextDocument *recovered);
    // Writes the unsaved readings to the recovery file now, on this thread; true when
    // there were some and they were written.
    bool writeRecovery();
    // Whether a recovery write is due or under way; for tests.
    bool recoveryPending() const;

    // What the print entry sends to a printer: the selection when there is one,
    // otherwise everything. False when the report is empty or the printer failed.
    bool printTo(QPrinter *printer);

    // The controls, named as the readings know them.
    QTextEdit *Box1 = nullptr;
    QMenuBar *menuBar = nullptr;
    QAction *mnuOtvor = nullptr;
    QAction *mnuSpeich = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuPdf = nullptr;
    QAction *mnuClose = nullptr;

public slots:
    // The load step, run by the window registry when it creates the viewer: the
    // insertion point gets its indents and the report its empty first line.
    void Form_Load() override;
    // Closing by the frame is "Salír": unsaved readings are asked about first.
    void closedByFrame() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Unsaved { Kept, Saved, Discarded };
    Unsaved askAboutUnsaved(const QString &question);
    RtfResult readShowingProgress(QIODevice *in, QTextDocument *doc, const QString &file);
    RtfResult writeShowingProgress(QSaveFile *out, const QString &file, bool *committed);
    void watch(QTextDocument *doc);
    void reportChanged();
    void scheduleRecovery(int delayMs);
    void writeRecoveryInBackground();
    void recoveryWritten(int result);
    void adoptDocument(QTextDocument *doc);
    bool printDocument(QPagedPaintDevice *device, bool selectionOnly);
    bool confirmOverwrite(const QString &file);
    QString startFolder() const;
    void tellFailure(const QString &what, const QString &file, const QString &why);

    PictureCache *m_pictures = nullptr;
    MenuRows *m_rows = nullptr; // the entries over one bar or two
    QTimer *m_recoveryTimer = nullptr; // the next recovery write
    QElapsedTimer m_sinceRecovery;     // since the latest one began
    bool m_recoveryDue = false;        // changed since the recovery file was written
    bool m_recoveryFailing = false;    // the user has been told it cannot be written
    bool m_loading = false;
};
