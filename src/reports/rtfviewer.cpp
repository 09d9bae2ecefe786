#include "rtfviewer.h"

#include "dialogs.h"
#include "menurows.h"
#include "picturecache.h"
#include "program.h"
#include "reportedit.h"
#include "reportpicture.h"
#include "reportrecovery.h"
#include "rtfreader.h"
#include "rtfwriter.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

#include <atomic>
#include <memory>
#include <thread>

namespace {

const QString kOverwrite = QStringLiteral("Un documento con este nombre ya existe. ¿Desea sobreescribirlo?");
const QString kSaved = QStringLiteral("¡Este documento ha sido guardado!");
const QString kUnsavedOnClose = QStringLiteral(
    "El Visualizador tiene tiradas que no se han guardado.\n¿Quiere guardarlas antes de cerrarlo?");
const QString kUnsavedOnOpen = QStringLiteral("El Visualizador tiene tiradas que no se han "
                                              "guardado.\n¿Quiere guardarlas antes de abrir otro documento?");

const QString kCannotKeep = QStringLiteral(
    "No se puede escribir la copia de seguridad de las tiradas sin guardar (¿está lleno el disco?).\n"
    "Si el programa se cerrara ahora, se perderían: guárdelas en cuanto pueda.");
const QString kPictureTooLarge =
    QStringLiteral("Una imagen del documento es demasiado grande para mostrarla (más de %1 megapíxeles).\n"
                   "Se muestra como un recuadro y se guardará sin cambios.");
const QString kPicturesTooLarge = QStringLiteral(
    "%2 imágenes del documento son demasiado grandes para mostrarlas (más de %1 megapíxeles).\n"
    "Se muestran como recuadros y se guardarán sin cambios.");

// The recovery file is written at once after a change; changes within this time after
// a write are written together at its end (a reading's appends come in a burst, and a
// user typing would otherwise rewrite the file on every key).
constexpr int kRecoveryWindowMs = 1500;
// A write that failed is tried again this long after, or after the next change.
constexpr int kRecoveryRetryMs = 30000;
// Printed pictures are decoded for no more than this many dots per inch.
constexpr qreal kPrintDpi = 300;
// An open that takes longer than this shows its progress.
constexpr int kProgressAfterMs = 500;

// The folder the file dialogs start in: the one last used in this run, at first the
// user's documents. (The program folder is not writable once the program is installed,
// so a report could never be saved where the dialog would otherwise start.)
QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString withSuffix(const QString &file, const QString &suffix)
{
    return QFileInfo(file).suffix().isEmpty() ? file + QLatin1Char('.') + suffix : file;
}

// The largest file the viewer opens, and why, in the user's words.
QString sizeLimit()
{
    return QStringLiteral("El Visualizador abre documentos de hasta %1 MB: uno mayor no cabría con holgura "
                          "en la memoria.")
        .arg(RtfReader::Limits().maxBytes >> 20);
}

// Why reading or writing `file` as RTF failed, in the user's words.
QString reason(const RtfResult &r, const QFileDevice &file)
{
    switch (r.error) {
    case RtfResult::Error::NotRtf:
        return QStringLiteral("No es un documento RTF (texto enriquecido).");
    case RtfResult::Error::TooLarge:
        return QStringLiteral("El documento es demasiado grande. ") + sizeLimit();
    case RtfResult::Error::TooDeep:
        return QStringLiteral("El documento está dañado.");
    case RtfResult::Error::Device:
        return Dialogs::fileProblem(file);
    case RtfResult::Error::Cancelled:
    case RtfResult::Error::None:
        break;
    }
    return r.detail;
}

// The width QTextDocument::print() lays a document out in, in logical pixels: the
// paper's printable width less the margins of 2 cm it adds on each side.
qreal printableWidth(QPagedPaintDevice *device)
{
    const qreal paper = device->pageLayout().paintRectPixels(96).width();
    return paper - 2 * (2 / 2.54 * 96);
}

} // namespace

rtfViewer::rtfViewer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("rtfViewer"));
    setWindowTitle(QStringLiteral("Tarot-Visualizador"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    Box1 = new ReportEdit(this);
    Box1->setObjectName(QStringLiteral("Box1"));
    Box1->setAcceptRichText(true);
    layout->addWidget(Box1);

    // The entries stand side by side in the menu bar, without menus below them, and run
    // on to a second bar under it where the viewer is too narrow for them. A menu bar shows
    // no keys of its own: each entry shows its key after its caption. The keys act only
    // while the viewer has the focus: the main window hosts other windows whose keys must
    // not save or print the report.
    auto entry = [this](const char *name, const QString &caption, const QKeySequence &key) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        if (key.isEmpty()) {
            action->setText(caption);
        } else {
            action->setText(caption + QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText)));
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
        }
        menuBar->addAction(action);
        return action;
    };
    // The access keys are the viewer's own; while it is active they win over the main
    // menu bar's.
    mnuOtvor = entry("mnuOtvor", QStringLiteral("&Abrír"), QKeySequence::Open);
    mnuSpeich = entry("mnuSpeich", QStringLiteral("&Guardar"), QKeySequence::Save);
    mnuPrint = entry("mnuPrint", QStringLiteral("&Imprimír"), QKeySequence::Print);
    mnuPdf = entry("mnuPdf", QStringLiteral("&Exportar PDF"), QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuClose = entry("mnuClose", QStringLiteral("&Salír"), {});
    connect(mnuOtvor, &QAction::triggered, this, &rtfViewer::openReport);
    connect(mnuSpeich, &QAction::triggered, this, [this] { saveReport(); });
    connect(mnuPrint, &QAction::triggered, this, &rtfViewer::printReport);
    connect(mnuPdf, &QAction::triggered, this, [this] { exportPdf(); });
    connect(mnuClose, &QAction::triggered, this, &rtfViewer::closeReport);
    auto *more = new QMenuBar(this);
    more->setObjectName(QStringLiteral("menuBarMore"));
    layout->insertWidget(0, more);
    m_rows = new MenuRows(menuBar, more);
    installEventFilter(this);
    menuBar->installEventFilter(this);

    const QFont font(QStringLiteral("Arial"), 12);
    Box1->setFont(font);
    Box1->document()->setDefaultFont(font);
    m_pictures = new PictureCache(this);
    m_pictures->install(Box1->document());

    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setTimerType(Qt::PreciseTimer);
    connect(m_recoveryTimer, &QTimer::timeout, this, &rtfViewer::writeRecoveryInBackground);
    watch(Box1->document());
    // The program may end without unloading the viewer: what is due goes now.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (m_recoveryDue || ReportRecovery::writing())
            writeRecovery();
    });

    resize(Twips::size(9600, 7200));
    if (!parent)
        Program::adoptIntoMainWindow(this);
}

rtfViewer::~rtfViewer()
{
    // Going with unsaved readings (the program ends without asking, the main window is
    // rebuilt): they stay in the recovery file, up to date, for the next start to offer.
    if (holdsUnsavedReadings() && (m_recoveryDue || !QFileInfo::exists(ReportRecovery::file())))
        writeRecovery();
}

void rtfViewer::Form_Load()
{
    // The insertion point is indented 1000 twips from the left and 500 from the right,
    // and the report begins with an empty line.
    QTextCursor c = Box1->textCursor();
    QTextBlockFormat indents;
    indents.setLeftMargin(1000.0 / Twips::perPixel);
    indents.setRightMargin(500.0 / Twips::perPixel);
    c.mergeBlockFormat(indents);
    c.insertBlock();
    Box1->setTextCursor(c);
    Box1->document()->clearUndoRedoStacks();
    // A new viewer has nothing to recover, but the recovery file may hold what the
    // viewer before it left, about to be restored: it stays.
    m_loading = true;
    Box1->document()->setModified(false);
    m_loading = false;
}

// --- append interface ------------------------------------------------------------

void rtfViewer::setInsertionFontSize(int points)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    Box1->mergeCurrentCharFormat(f);
}

void rtfViewer::insertText(const QString &text)
{
    QTextCursor c = Box1->textCursor();
    // Right behind a picture the cursor would hand the picture's properties to the text.
    if (!c.hasSelection() && c.charFormat().hasProperty(QTextFormat::ImageName))
        c.setCharFormat(ReportPicture::withoutPicture(c.charFormat()));
    c.insertText(text); // "\r\n" and "\n" each start a new paragraph
    Box1->setTextCursor(c);
}

bool rtfViewer::insertPicture(const QImage &picture, const QSize &displaySize)
{
    QTextCursor c = Box1->textCursor();
    if (!ReportPicture::insertImage(c, picture, QSizeF(displaySize)))
        return false;
    Box1->setTextCursor(c);
    return true;
}

bool rtfViewer::insertJpegPicture(const QByteArray &jpeg, const QSize &displaySize)
{
    QTextCursor c = Box1->textCursor();
    if (!ReportPicture::insertEncoded(c, jpeg, QSizeF(displaySize)))
        return false;
    Box1->setTextCursor(c);
    return true;
}

void rtfViewer::showReport(Show how)
{
    if (how == Show::Minimized) {
        Program::showInside(this);
        Program::setInsideWindowState(this, true);
        return;
    }
    Program::setInsideWindowState(this, false);
    Program::showInside(this);
}

// --- menu entries ----------------------------------------------------------------

void rtfViewer::openReport()
{
    if (askAboutUnsaved(kUnsavedOnOpen) == Unsaved::Kept)
        return;
    const QString file = Dialogs::openFileName(this, QStringLiteral("Abrir un documento"),
                                               QStringLiteral("Archivos RichText (*.rtf)"), startFolder());
    if (file.isEmpty())
        return;
    lastFolder() = QFileInfo(file).absolutePath();

    QFile in(file);
    if (QFileInfo(file).isDir() || !in.open(QIODevice::ReadOnly)) {
        tellFailure(QStringLiteral("abrir"), file,
                    QFileInfo(file).isDir() ? QStringLiteral("Es una carpeta.") : Dialogs::fileProblem(in));
        return;
    }
    // Told before anything is read.
    if (in.size() > RtfReader::Limits().maxBytes) {
        tellFailure(QStringLiteral("abrir"), file,
                    QStringLiteral("Ocupa %1 MB. ").arg((in.size() + (1 << 20) - 1) >> 20) + sizeLimit());
        return;
    }
    // Read into a document of its own: only a file read whole replaces the report.
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(Box1->document()->defaultFont());
    const RtfResult r = readShowingProgress(&in, doc.get(), file);
    if (r.error == RtfResult::Error::Cancelled)
        return;
    if (!r.ok()) {
        tellFailure(QStringLiteral("abrir"), file, reason(r, in));
        return;
    }
    int tooLarge = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            ReportPicture::Encoding enc;
            if (f.isImageFormat() &&
                !ReportPicture::encodedBytes(doc.get(), f.toImageFormat(), &enc).isEmpty() &&
                !ReportPicture::withinBudget(ReportPicture::pixelSize(doc.get(), f.toImageFormat())))
                tooLarge += it.fragment().length();
        }
    }
    adoptDocument(doc.release());
    // What was just opened is what the file holds: nothing to save yet.
    Box1->document()->setModified(false);
    if (tooLarge > 0) {
        const qint64 megapixels = ReportPicture::kMaxPixels / 1000000;
        Dialogs::message(this,
                         tooLarge == 1 ? kPictureTooLarge.arg(megapixels)
                                       : kPicturesTooLarge.arg(megapixels).arg(tooLarge),
                         QMessageBox::Ok, QMessageBox::Warning);
    }
}

namespace {
// A progress dialog that shows only when the work lasts, and stays until it ends. Nothing
// else may touch the report meanwhile: the dialog processes events.
void shownAfterAWhile(QProgressDialog &progress)
{
    progress.setWindowTitle(Dialogs::title());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(Timer::scaled(kProgressAfterMs));
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
}
} // namespace

RtfResult rtfViewer::readShowingProgress(QIODevice *in, QTextDocument *doc, const QString &file)
{
    QProgressDialog progress(QStringLiteral("Abriendo «%1»…").arg(QFileInfo(file).fileName()),
                             QStringLiteral("Cancelar"), 0, 1000, this);
    shownAfterAWhile(progress);
    const auto step = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
        // Until the dialog shows and takes them, the windows keep painting and their
        // timers running; what the user does waits for it.
        if (!progress.isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    };
    return RtfReader::read(in, doc, RtfReader::Limits(), step);
}

RtfResult rtfViewer::writeShowingProgress(QSaveFile *out, const QString &file, bool *committed)
{
    // The document is taken at once; the file is written (and committed, which waits for
    // the disk) on a thread of its own while the windows go on, a long write showing a
    // "Cancelar" button. A file not written whole is never committed.
    const auto snapshot = RtfWriter::snapshot(*Box1->document());
    QProgressDialog progress(QStringLiteral("Guardando «%1»…").arg(QFileInfo(file).fileName()),
                             QStringLiteral("Cancelar"), 0, 0, this);
    shownAfterAWhile(progress);
    std::atomic<bool> stop = false;
    std::atomic<bool> done = false;
    RtfResult result;
    std::thread writer([&] {
        result = RtfWriter::write(*snapshot, out, &stop);
        if (result.ok())
            *committed = out->commit();
        else
            out->cancelWriting();
        done = true;
        QMetaObject::invokeMethod(&progress, [] {}, Qt::QueuedConnection); // wakes the loop below
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        (progress.isVisible() ? QEventLoop::AllEvents
                                                              : QEventLoop::ExcludeUserInputEvents));
        if (progress.wasCanceled())
            stop = true;
    }
    writer.join();
    return result;
}

bool rtfViewer::saveReport()
{
    QString file = Dialogs::saveFileName(this, QStringLiteral("Guardar el documento"),
                                         QStringLiteral("RichText-Dateien (*.rtf)"), startFolder());
    if (file.isEmpty())
        return false;
    file = withSuffix(file, QStringLiteral("rtf"));
    lastFolder() = QFileInfo(file).absolutePath();
    if (!confirmOverwrite(file))
        return false;

    // The file is replaced only once the whole report has been written.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        tellFailure(QStringLiteral("guardar"), file, Dialogs::fileProblem(out));
        return false;
    }
    const int revision = Box1->document()->revision();
    bool committed = false;
    const RtfResult r = writeShowingProgress(&out, file, &committed);
    if (r.error == RtfResult::Error::Cancelled)
        return false;
    if (!r.ok()) {
        tellFailure(QStringLiteral("guardar"), file, reason(r, out));
        return false;
    }
    if (!committed) {
        tellFailure(QStringLiteral("guardar"), file, Dialogs::fileProblem(out));
        return false;
    }
    // What a reading appended while the file was written is not in it.
    if (Box1->document()->revision() == revision)
        Box1->document()->setModified(false);
    Dialogs::message(this, kSaved, QMessageBox::Ok, QMessageBox::Information);
    return true;
}

void rtfViewer::printReport()
{
    if (Box1->toPlainText().isEmpty())
        return;
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (!standard.isNull()) {
        QPrinter printer(standard, QPrinter::HighResolution);
        if (!printTo(&printer))
            Dialogs::message(this, QStringLiteral("No se pudo imprimir el documento."), QMessageBox::Ok,
                             QMessageBox::Warning);
        return;
    }

    // No printer is set up: the print dialog lets the user pick one or print to a PDF
    // file. It does not block, so the readings go on appending meanwhile.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    const bool selection = Box1->textCursor().hasSelection();
    if (selection)
        printer->setPrintRange(QPrinter::Selection);
    auto *dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, selection);
    connect(dialog, &QDialog::accepted, this, [this, printer] {
        const bool onlySelection =
            printer->printRange() == QPrinter::Selection && Box1->textCursor().hasSelection();
        if (!printDocument(printer.get(), onlySelection))
            Dialogs::message(this, QStringLiteral("No se pudo imprimir el documento."), QMessageBox::Ok,
                             QMessageBox::Warning);
    });
    // The dialog keeps the printer alive until it is gone.
    connect(dialog, &QObject::destroyed, dialog, [printer] {});
    dialog->open();
}

bool rtfViewer::exportPdf()
{
    if (Box1->toPlainText().isEmpty())
        return false;
    QString file = Dialogs::saveFileName(this, QStringLiteral("Exportar PDF"),
                                         QStringLiteral("Archivos PDF (*.pdf)"), startFolder());
    if (file.isEmpty())
        return false;
    file = withSuffix(file, QStringLiteral("pdf"));
    lastFolder() = QFileInfo(file).absolutePath();
    if (!confirmOverwrite(file))
        return false;

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        tellFailure(QStringLiteral("exportar"), file, Dialogs::fileProblem(out));
        return false;
    }
    {
        QPdfWriter pdf(&out);
        pdf.setCreator(QStringLiteral("Orbelle"));
        pdf.setTitle(windowTitle());
        printDocument(&pdf, false);
    }
    if (!out.commit()) {
        tellFailure(QStringLiteral("exportar"), file, Dialogs::fileProblem(out));
        return false;
    }
    Dialogs::message(this, kSaved, QMessageBox::Ok, QMessageBox::Information);
    return true;
}

void rtfViewer::closeReport()
{
    close();
}

bool rtfViewer::printTo(QPrinter *printer)
{
    if (Box1->toPlainText().isEmpty())
        return false;
    return printDocument(printer, Box1->textCursor().hasSelection());
}

bool rtfViewer::mayDiscard()
{
    switch (askAboutUnsaved(kUnsavedOnClose)) {
    case Unsaved::Kept:
        return false;
    case Unsaved::Discarded:
        // The user gave them up: nothing is left to recover either.
        Box1->document()->setModified(false);
        return true;
    case Unsaved::Saved:
        return true;
    }
    return false;
}

void rtfViewer::closedByFrame()
{
    if (mayDiscard())
        WindowRegistry::unload(this);
}

rtfViewer::Unsaved rtfViewer::askAboutUnsaved(const QString &question)
{
    if (!holdsUnsavedReadings())
        return Unsaved::Saved;
    const auto answer = Dialogs::message(
        this, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question);
    if (answer == QMessageBox::Yes)
        return saveReport() ? Unsaved::Saved : Unsaved::Kept;
    if (answer == QMessageBox::No)
        return Unsaved::Discarded;
    return Unsaved::Kept;
}

bool rtfViewer::holdsUnsavedReadings() const
{
    const QTextDocument *doc = Box1->document();
    if (!doc->isModified())
        return false;
    // A long report is not blank; only a short one is worth looking through.
    if (doc->characterCount() > 1000)
        return true;
    return !doc->toPlainText().trimmed().isEmpty();
}

void rtfViewer::restoreUnsaved(QTextDocument *recovered)
{
    std::unique_ptr<QTextDocument> doc(recovered);
    if (holdsUnsavedReadings()) {
        QTextCursor end(doc.get());
        end.movePosition(QTextCursor::End);
        end.insertBlock(RtfReader::beginsParagraph(end.blockFormat()));
        end.insertFragment(QTextDocumentFragment(Box1->document()));
        ReportPicture::copyResources(Box1->document(), doc.get());
    }
    doc->setDefaultFont(Box1->document()->defaultFont());
    adoptDocument(doc.release());
    Box1->document()->setModified(true);
    // Kept again at once under this run's name.
    m_recoveryTimer->stop();
    writeRecoveryInBackground();
}

bool rtfViewer::writeRecovery()
{
    m_recoveryTimer->stop();
    if (!holdsUnsavedReadings()) {
        m_recoveryDue = false;
        ReportRecovery::discard();
        return false;
    }
    m_recoveryDue = false;
    if (ReportRecovery::write(*Box1->document())) {
        m_recoveryFailing = false;
        return true;
    }
    m_recoveryDue = true;
    scheduleRecovery(Timer::scaled(kRecoveryRetryMs));
    return false;
}

bool rtfViewer::recoveryPending() const
{
    return m_recoveryDue || m_recoveryTimer->isActive() || ReportRecovery::writing();
}

void rtfViewer::scheduleRecovery(int delayMs)
{
    if (m_recoveryTimer->isActive() && m_recoveryTimer->remainingTime() <= delayMs)
        return;
    m_recoveryTimer->start(delayMs);
}

void rtfViewer::writeRecoveryInBackground()
{
    if (ReportRecovery::writing()) {
        // The one under way tells when it is done; this is only for one of another viewer.
        scheduleRecovery(Timer::scaled(kRecoveryWindowMs));
        return;
    }
    if (!holdsUnsavedReadings()) {
        m_recoveryDue = false;
        ReportRecovery::discard();
        return;
    }
    m_recoveryDue = false;
    m_sinceRecovery.start();
    ReportRecovery::writeInBackground(*Box1->document(), this,
                                      [this](ReportRecovery::Written w) { recoveryWritten(int(w)); });
}

void rtfViewer::recoveryWritten(int result)
{
    switch (ReportRecovery::Written(result)) {
    case ReportRecovery::Written::Yes:
        m_recoveryFailing = false;
        break;
    case ReportRecovery::Written::Failed:
        m_recoveryDue = true;
        scheduleRecovery(Timer::scaled(kRecoveryRetryMs));
        if (!m_recoveryFailing) {
            // Told once; the tries go on meanwhile.
            m_recoveryFailing = true;
            Dialogs::message(this, kCannotKeep, QMessageBox::Ok, QMessageBox::Warning);
        }
        return;
    case ReportRecovery::Written::Stopped:
        break;
    }
    if (m_recoveryDue)
        scheduleRecovery(
            int(std::max<qint64>(0, Timer::scaled(kRecoveryWindowMs) - m_sinceRecovery.elapsed())));
}

void rtfViewer::watch(QTextDocument *doc)
{
    connect(doc, &QTextDocument::contentsChanged, this, &rtfViewer::reportChanged);
    connect(doc, &QTextDocument::modificationChanged, this, [this, doc](bool modified) {
        if (modified || doc != Box1->document())
            return;
        // Saved, opened or given up: there is nothing to recover any more.
        m_recoveryTimer->stop();
        m_recoveryDue = false;
        if (!m_loading)
            ReportRecovery::discard();
    });
}

void rtfViewer::reportChanged()
{
    if (!Box1->document()->isModified())
        return;
    m_recoveryDue = true;
    // The first change after a while is written on the next turn of the event loop.
    const qint64 since = m_sinceRecovery.isValid() ? m_sinceRecovery.elapsed() : kRecoveryWindowMs * 1000LL;
    scheduleRecovery(int(std::max<qint64>(0, Timer::scaled(kRecoveryWindowMs) - since)));
}

bool rtfViewer::eventFilter(QObject *watched, QEvent *event)
{
    // The entries are spread again when the width or the font (the viewer's scale) changes.
    if ((watched == this && event->type() == QEvent::Resize) ||
        (watched == menuBar && event->type() == QEvent::FontChange))
        m_rows->fit(width());
    return QWidget::eventFilter(watched, event);
}

void rtfViewer::closeEvent(QCloseEvent *event)
{
    // Readings the user never saved are not thrown away without a word.
    if (!mayDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
    // Closing discards the report; the next use creates the viewer afresh.
    if (WindowRegistry::ifLoaded<rtfViewer>() == this)
        WindowRegistry::unload<rtfViewer>();
    else
        deleteLater();
}

// --- helpers ---------------------------------------------------------------------

void rtfViewer::adoptDocument(QTextDocument *doc)
{
    QTextDocument *old = Box1->document();
    const bool ours = old->parent() == Box1;
    doc->setParent(Box1); // which answers for the pictures it names but does not hold
    // At the editor's width before its layout is made: made for a document of no width,
    // the layout laid out at once as much text as it would lay out for several pages, each
    // paragraph on one line (a fifth of a second for a long file).
    const qreal width = old->textWidth() > 0 ? old->textWidth() : Box1->viewport()->width();
    doc->setTextWidth(std::max<qreal>(width, 1));
    // Before the editor lays the document out: Qt's own handler would lay pictures out
    // at the size the file asks for, however wide.
    m_pictures->install(doc);
    static_cast<ReportEdit *>(Box1)->showDocument(doc);
    if (ours) {
        old->disconnect(this);
        old->deleteLater();
    }
    watch(doc);
    Box1->moveCursor(QTextCursor::Start);
}

bool rtfViewer::printDocument(QPagedPaintDevice *device, bool selectionOnly)
{
    // Printed from a copy. Qt's picture handler takes each picture at the size the file
    // asked for and decodes it whole: in the copy the pictures too wide for the paper are
    // as wide as it, as on screen, and each is decoded once for the size it is printed.
    const QTextDocument *doc = Box1->document();
    ClosedDocument part;
    part.setDefaultFont(doc->defaultFont());
    QTextCursor(&part).insertFragment(selectionOnly ? Box1->textCursor().selection()
                                                    : QTextDocumentFragment(doc));
    ReportPicture::copyResources(doc, &part);
    ReportPicture::fitToWidth(&part, printableWidth(device));
    ReportPicture::decodeForPrinting(&part, std::min<qreal>(device->logicalDpiX(), kPrintDpi) / 96.0);
    part.print(device);
    if (auto *printer = dynamic_cast<QPrinter *>(device))
        return printer->printerState() != QPrinter::Error;
    return true;
}

bool rtfViewer::confirmOverwrite(const QString &file)
{
    if (!QFileInfo::exists(file))
        return true;
    return Dialogs::message(this, kOverwrite, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) ==
           QMessageBox::Yes;
}

QString rtfViewer::startFolder() const
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rtfViewer::tellFailure(const QString &what, const QString &file, const QString &why)
{
    QString text = QStringLiteral("No se pudo %1 el documento «%2».").arg(what, QFileInfo(file).fileName());
    if (!why.isEmpty())
        text += QLatin1Char('\n') + why;
    Dialogs::message(this, text, QMessageBox::Ok, QMessageBox::Warning);
}
