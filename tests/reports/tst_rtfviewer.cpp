// The report viewer as the readings and the user use it, with the dialogs answered in advance.

#include "allwindows.h"
#include "dialogs.h"
#include "picturecache.h"
#include "program.h"
#include "reports.h"
#include "rtftestutil.h"
#include "rtfviewer.h"
#include "start.h"
#include "testenv.h"
#include "windows.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

using namespace RtfTest;

namespace {

const QString kOverwrite = QStringLiteral("Un documento con este nombre ya existe. ¿Desea sobreescribirlo?");
const QString kSaved = QStringLiteral("¡Este documento ha sido guardado!");
const QString kUnsavedOnOpen = QStringLiteral("El visualizador tiene lecturas que no se han "
                                              "guardado.\n¿Quiere guardarlas antes de abrir otro documento?");

rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

QByteArray cardJpeg(int card)
{
    return readFile(QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes/%1.jpg").arg(card));
}

// The day card's sequence: heading, picture, meaning.
void dayCard(const QString &heading, int card, const QString &meaning)
{
    rtfViewer *v = viewer();
    v->setInsertionFontSize(14);
    v->insertText(QStringLiteral("\r\n") + heading);
    v->setInsertionFontSize(12);
    v->insertText(QStringLiteral("\r\n\r\n"));
    QVERIFY(v->insertJpegPicture(cardJpeg(card), QSize(81, 136)));
    v->insertText(QStringLiteral("\r\n\r\n") + meaning);
    v->insertText(QStringLiteral("\r\n"));
    v->showReport();
}

// The paragraphs a day card piece leaves, from the one the insertion point was in.
QStringList dayCardBlocks(const QString &heading, const QString &meaning)
{
    return {QString(), heading, QString(), QString(QChar::ObjectReplacementCharacter),
            QString(), meaning, QString()};
}

QMdiSubWindow *frameOf(QWidget *w)
{
    return qobject_cast<QMdiSubWindow *>(w->parentWidget());
}

// Shown inside the main window (which the tests leave hidden).
bool shown(QWidget *w)
{
    return !w->isHidden() && frameOf(w) && !frameOf(w)->isHidden();
}

int viewerFrames()
{
    int frames = 0;
    for (QMdiSubWindow *f : Program::mdiArea()->subWindowList())
        frames += f->widget() && f->widget()->inherits("rtfViewer");
    return frames;
}

// Waits until the viewer a close has unloaded is gone.
bool unloaded()
{
    return QTest::qWaitFor([] { return !WindowRegistry::isLoaded<rtfViewer>(); }, 2000);
}

int pdfPictures(const QString &file)
{
    return int(readFile(file).count("/Subtype /Image"));
}

QStringList messages()
{
    QStringList out;
    for (const QString &s : Dialogs::asked()) {
        if (!s.startsWith(QStringLiteral("Abrir un documento")) &&
            !s.startsWith(QStringLiteral("Guardar el documento")) && s != QStringLiteral("Exportar PDF"))
            out << s;
    }
    return out;
}

} // namespace

class tst_RtfViewer : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        registerAllWindows();
        Reports::registerWindows();
    }

    void init()
    {
        Dialogs::clear();
        WindowRegistry::unload<rtfViewer>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theMainWindowEntryShowsItEmptyAndIndented()
    {
        QVERIFY(!WindowRegistry::isLoaded<rtfViewer>());
        QVERIFY(!shown(viewer()));
        WindowRegistry::get<Start>()->mnuView->trigger();
        QVERIFY(shown(viewer()));
        QCOMPARE(frameOf(viewer())->mdiArea(), Program::mdiArea());
        QTextDocument *doc = viewer()->Box1->document();
        QCOMPARE(blocks(*doc), (QStringList{QString(), QString()}));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(doc->findBlockByNumber(i).blockFormat().leftMargin(), 1000 / 15.0);
            QCOMPARE(doc->findBlockByNumber(i).blockFormat().rightMargin(), 500 / 15.0);
        }
        QCOMPARE(viewer()->Box1->textCursor().blockNumber(), 1);
    }

    void aWriterCreatesTheViewerAndShowsIt()
    {
        QVERIFY(!WindowRegistry::isLoaded<rtfViewer>());
        dayCard(QStringLiteral("La carta para 5/3/24"), 7, QStringLiteral("El carro avanza."));
        rtfViewer *v = viewer();
        QVERIFY(shown(v));
        QVERIFY(!frameOf(v)->isMinimized());
        QCOMPARE(Program::mdiArea()->activeSubWindow(), frameOf(v));

        QTextDocument *doc = v->Box1->document();
        QCOMPARE(blocks(*doc), QStringList{QString()} + dayCardBlocks(QStringLiteral("La carta para 5/3/24"),
                                                                      QStringLiteral("El carro avanza.")));
        const QList<Run> rs = runs(*doc);
        auto sizeOf = [&rs](const QString &text) {
            for (const Run &r : rs) {
                if (r.text == text)
                    return r.points;
            }
            return -1.0;
        };
        QCOMPARE(sizeOf(QStringLiteral("La carta para 5/3/24")), 14.0);
        QCOMPARE(sizeOf(QStringLiteral("El carro avanza.")), 12.0);
        // The indents of the first line carry on through the report.
        QCOMPARE(doc->lastBlock().blockFormat().leftMargin(), 1000 / 15.0);
        const QTextImageFormat pic = pictures(*doc).value(0);
        QCOMPARE(ReportPicture::displaySize(doc, pic), QSizeF(81, 136));
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(doc, pic, &enc), cardJpeg(7));
    }

    void writersFollowOneAnotherAtTheInsertionPoint()
    {
        dayCard(QStringLiteral("uno"), 1, QStringLiteral("primero"));
        dayCard(QStringLiteral("dos"), 2, QStringLiteral("segundo"));
        // The second piece begins on the empty line the first one left.
        QCOMPARE(blocks(*viewer()->Box1->document()),
                 QStringList{QString()} + dayCardBlocks(QStringLiteral("uno"), QStringLiteral("primero")) +
                     dayCardBlocks(QStringLiteral("dos"), QStringLiteral("segundo")).mid(1));

        // The user moves the insertion point to the top: the next piece goes there.
        QTextCursor c = viewer()->Box1->textCursor();
        c.movePosition(QTextCursor::Start);
        viewer()->Box1->setTextCursor(c);
        viewer()->insertText(QStringLiteral("arriba\r\n"));
        QCOMPARE(blocks(*viewer()->Box1->document()).mid(0, 2),
                 (QStringList{QStringLiteral("arriba"), QString()}));

        // A selection is replaced, as typing would replace it.
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        viewer()->setInsertionFontSize(20);
        viewer()->insertText(QStringLiteral("ARRIBA"));
        QCOMPARE(blocks(*viewer()->Box1->document()).first(), QStringLiteral("ARRIBA"));
        QCOMPARE(runs(*viewer()->Box1->document()).first().points, 20.0);
    }

    void closingWithUnsavedReadingsAsksFirst()
    {
        dayCard(QStringLiteral("hoy"), 5, QStringLiteral("sin guardar"));
        Dialogs::clear();
        // Cancel: the report stays.
        Dialogs::queueButton(QMessageBox::Cancel);
        viewer()->mnuClose->trigger();
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QStringLiteral("no se han guardado")));
        QVERIFY(!unloaded());
        QVERIFY(viewer()->Box1->toPlainText().contains(QStringLiteral("sin guardar")));

        // Save, but the file dialog is cancelled: still nothing lost.
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::Yes);
        viewer()->mnuClose->trigger();
        QVERIFY(!unloaded());

        // Saved: the viewer goes without a further question.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lecturas.rtf"));
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::Yes);
        Dialogs::queueFileName(file);
        viewer()->mnuClose->trigger();
        QVERIFY(QFile::exists(file));
        QVERIFY(unloaded());
        QCOMPARE(Dialogs::asked().filter(QStringLiteral("no se han guardado")).size(), 1);

        // The next reading starts a fresh report; "No" discards it.
        dayCard(QStringLiteral("después"), 4, QStringLiteral("nuevo"));
        QCOMPARE(blocks(*viewer()->Box1->document()),
                 QStringList{QString()} + dayCardBlocks(QStringLiteral("después"), QStringLiteral("nuevo")));
        QTRY_COMPARE(viewerFrames(), 1);
        Dialogs::queueButton(QMessageBox::No);
        viewer()->mnuClose->trigger();
        QVERIFY(unloaded());
    }

    void minimizedShowLeavesTheCallerInFront()
    {
        rtfViewer *v = viewer();
        v->setInsertionFontSize(12);
        v->insertText(QStringLiteral("\r\n\r\n"));
        v->showReport(rtfViewer::Show::Minimized);
        QVERIFY(!frameOf(v)->isHidden());
        QVERIFY(frameOf(v)->isMinimized());
        v->showReport();
        QVERIFY(shown(v));
        QVERIFY(!frameOf(v)->isMinimized());
    }

    void picturesLeaveTheClipboardAlone()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("lo que copió el usuario"));
        QImage turned(20, 30, QImage::Format_RGB32);
        turned.fill(Qt::darkGreen);
        QVERIFY(viewer()->insertPicture(turned, QSize(10, 15)));
        QVERIFY(viewer()->insertJpegPicture(cardJpeg(5)));
        QVERIFY(!viewer()->insertJpegPicture("no es una imagen"));
        QVERIFY(!viewer()->insertPicture(QImage()));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("lo que copió el usuario"));
        QCOMPARE(pictures(*viewer()->Box1->document()).size(), 2);
    }

    void savesAndOpensThroughTheMenu()
    {
        dayCard(QStringLiteral("Cruz «pregunta» {con} \\llaves"), 9, QStringLiteral("Señal: ¿sí? 🂡"));
        QTextDocument *doc = viewer()->Box1->document();
        const QStringList before = blocks(*doc);
        const QList<Run> runsBefore = runs(*doc);

        const QString file = path(QStringLiteral("lectura"));
        Dialogs::queueFileName(file);
        viewer()->mnuSpeich->trigger();
        QVERIFY(QFile::exists(file + QStringLiteral(".rtf"))); // the extension is added
        QCOMPARE(messages(), QStringList{kSaved});
        QVERIFY(Dialogs::asked().contains(QStringLiteral("Guardar el documento")));
        QVERIFY(readFile(file + QStringLiteral(".rtf")).contains(cardJpeg(9).toHex().left(120)));

        viewer()->mnuClose->trigger();
        QVERIFY(unloaded());
        Dialogs::clear();
        Dialogs::queueFileName(file + QStringLiteral(".rtf"));
        viewer()->mnuOtvor->trigger();
        QVERIFY(messages().isEmpty());
        QCOMPARE(blocks(*viewer()->Box1->document()), before);
        QCOMPARE(runs(*viewer()->Box1->document()), runsBefore);
        QCOMPARE(viewer()->Box1->textCursor().position(), 0);

        // Appending after opening goes where the insertion point is, here the start.
        viewer()->insertText(QStringLiteral("nuevo"));
        QCOMPARE(blocks(*viewer()->Box1->document()).first(), QStringLiteral("nuevo"));
        // The opened document is the one drawn and edited.
        viewer()->Box1->selectAll();
        viewer()->Box1->cut();
        QVERIFY(viewer()->Box1->toPlainText().isEmpty());
    }

    void overwriteAsksFirst()
    {
        const QString file = path(QStringLiteral("existe.rtf"));
        TestEnv::writeFile(file, "{\\rtf1 viejo}");
        viewer()->insertText(QStringLiteral("nuevo"));

        Dialogs::queueFileName(file);
        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(!viewer()->saveReport());
        QCOMPARE(readFile(file), QByteArray("{\\rtf1 viejo}"));
        QCOMPARE(messages(), QStringList{kOverwrite});

        Dialogs::clear();
        Dialogs::queueFileName(file);
        Dialogs::queueButton(QMessageBox::Yes);
        QVERIFY(viewer()->saveReport());
        QCOMPARE(messages(), (QStringList{kOverwrite, kSaved}));
        QVERIFY(blocks(*load(readFile(file))).contains(QStringLiteral("nuevo")));
    }

    void cancellingSaysNothing()
    {
        viewer()->insertText(QStringLiteral("algo"));
        const QString html = viewer()->Box1->toHtml();
        QVERIFY(!viewer()->saveReport());      // no file name queued: the dialog was cancelled
        Dialogs::queueButton(QMessageBox::No); // go on without saving "algo"
        viewer()->openReport();
        viewer()->exportPdf();
        QCOMPARE(messages(), QStringList{kUnsavedOnOpen});
        QCOMPARE(Dialogs::asked().size(), 4);
        QCOMPARE(viewer()->Box1->toHtml(), html);
    }

    void aFailedSaveIsToldAndKeepsTheOldFile()
    {
        viewer()->insertText(QStringLiteral("lectura importante"));
        const QString html = viewer()->Box1->toHtml();

        Dialogs::queueFileName(path(QStringLiteral("no/existe/la/carpeta.rtf")));
        QVERIFY(!viewer()->saveReport());
        QCOMPARE(messages().size(), 1);
        QVERIFY(
            messages().first().startsWith(QStringLiteral("No se pudo guardar el documento «carpeta.rtf».")));
        QVERIFY(!messages().contains(kSaved));
        QCOMPARE(viewer()->Box1->toHtml(), html);

        // A folder in the file's place cannot be replaced: what is there stays.
        const QString folder = path(QStringLiteral("carpeta.rtf"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/dentro")));
        Dialogs::clear();
        Dialogs::queueFileName(folder);
        Dialogs::queueButton(QMessageBox::Yes);
        QVERIFY(!viewer()->saveReport());
        QCOMPARE(messages().size(), 2);
        QVERIFY(messages().last().startsWith(QStringLiteral("No se pudo guardar")));
        QVERIFY(QFileInfo(folder + QStringLiteral("/dentro")).isDir());
    }

    void aFailedOpenIsToldAndKeepsTheReport_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("falta.rtf") << QByteArray() << QString();
        QTest::newRow("folder") << QStringLiteral("carpeta") << QByteArray()
                                << QStringLiteral("Es una carpeta.");
        QTest::newRow("not rtf") << QStringLiteral("texto.rtf") << QByteArray("Hola")
                                 << QStringLiteral("No es un documento RichText.");
        QTest::newRow("damaged") << QStringLiteral("hondo.rtf")
                                 << QByteArray("{\\rtf1 " + QByteArray(20000, '{'))
                                 << QStringLiteral("El documento está dañado.");
    }
    void aFailedOpenIsToldAndKeepsTheReport()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString file = path(name);
        if (name == QStringLiteral("carpeta"))
            QDir().mkpath(file);
        else if (!content.isEmpty())
            TestEnv::writeFile(file, content);

        dayCard(QStringLiteral("guardada"), 10, QStringLiteral("no se pierde"));
        const QString html = viewer()->Box1->toHtml();
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::No);
        Dialogs::queueFileName(file);
        viewer()->openReport();
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().first(), kUnsavedOnOpen);
        QVERIFY(viewer()->holdsUnsavedReadings());
        const QString text = messages().last();
        QVERIFY2(text.startsWith(QStringLiteral("No se pudo abrir el documento «%1».").arg(name)),
                 qPrintable(text));
        if (!reason.isEmpty())
            QVERIFY2(text.endsWith(QLatin1Char('\n') + reason), qPrintable(text));
        QCOMPARE(viewer()->Box1->toHtml(), html);
    }

    void printsTheSelectionOrEverything()
    {
        dayCard(QStringLiteral("primera"), 11, QStringLiteral("uno"));
        dayCard(QStringLiteral("segunda"), 12, QStringLiteral("dos"));
        dayCard(QStringLiteral("tercera"), 13, QStringLiteral("tres"));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("todo.pdf")));
        QVERIFY(viewer()->printTo(&printer));
        QCOMPARE(pdfPictures(path(QStringLiteral("todo.pdf"))), 3);

        // Select the second piece only.
        QTextDocument *doc = viewer()->Box1->document();
        QTextCursor c(doc);
        c.setPosition(doc->find(QStringLiteral("segunda")).selectionStart());
        c.setPosition(doc->find(QStringLiteral("dos")).selectionEnd(), QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        printer.setOutputFileName(path(QStringLiteral("parte.pdf")));
        QVERIFY(viewer()->printTo(&printer));
        QCOMPARE(pdfPictures(path(QStringLiteral("parte.pdf"))), 1);
        QVERIFY(readFile(path(QStringLiteral("parte.pdf"))).size() <
                readFile(path(QStringLiteral("todo.pdf"))).size());

        // An empty report prints nothing.
        viewer()->Box1->clear();
        printer.setOutputFileName(path(QStringLiteral("vacio.pdf")));
        QVERIFY(!viewer()->printTo(&printer));
        QVERIFY(!QFile::exists(path(QStringLiteral("vacio.pdf"))));
        viewer()->printReport();
        QVERIFY(!viewer()->findChild<QPrintDialog *>());
        QVERIFY(messages().isEmpty());
    }

    void withoutAPrinterTheDialogOffersOne()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a default printer is set up here; printing would go to it");
        viewer()->insertText(QStringLiteral("texto para imprimir"));
        QTextCursor c = viewer()->Box1->textCursor();
        c.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        viewer()->printReport();
        auto *dialog = viewer()->findChild<QPrintDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        QCOMPARE(dialog->printer()->printRange(), QPrinter::Selection);
        dialog->reject();
        QVERIFY(QTest::qWaitFor([this] { return !viewer()->findChild<QPrintDialog *>(); }, 2000));
        QVERIFY(messages().isEmpty());
    }

    void exportsAPdf()
    {
        dayCard(QStringLiteral("para exportar"), 14, QStringLiteral("texto"));
        const QString file = path(QStringLiteral("informe"));
        Dialogs::queueFileName(file);
        QVERIFY(viewer()->exportPdf());
        const QByteArray pdf = readFile(file + QStringLiteral(".pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPictures(file + QStringLiteral(".pdf")), 1);
        QCOMPARE(messages(), QStringList{kSaved});

        // Answering No to the overwrite question keeps the first export.
        Dialogs::clear();
        viewer()->insertText(QStringLiteral("más"));
        Dialogs::queueFileName(file + QStringLiteral(".pdf"));
        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(!viewer()->exportPdf());
        QCOMPARE(readFile(file + QStringLiteral(".pdf")), pdf);
    }

    void shortcutsWorkWhileTheViewerHasTheFocus()
    {
        viewer()->showReport();
        QWidget *main = Program::mdiArea()->window();
        main->show();
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        viewer()->Box1->setFocus();
        QTRY_VERIFY(viewer()->Box1->hasFocus());
        QTest::keyClick(viewer()->Box1, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Dialogs::asked(), QStringList{QStringLiteral("Guardar el documento")});
        QTest::keyClick(viewer()->Box1, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Dialogs::asked().last(), QStringLiteral("Abrir un documento"));
        main->hide();
    }

    void openingOverUnsavedReadingsAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveCancelled");
        QTest::newRow("Sí saves, then opens") << int(QMessageBox::Yes) << false;
        QTest::newRow("Sí, but the save is cancelled") << int(QMessageBox::Yes) << true;
        QTest::newRow("No discards") << int(QMessageBox::No) << false;
        QTest::newRow("Cancelar keeps") << int(QMessageBox::Cancel) << false;
    }
    void openingOverUnsavedReadingsAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveCancelled);
        const QString other = path(QStringLiteral("otro.rtf"));
        TestEnv::writeFile(other, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}el documento de antes\\par}");
        const QString saved = path(QStringLiteral("guardado-%1.rtf").arg(QTest::currentDataTag()));
        dayCard(QStringLiteral("sin guardar"), 6, QStringLiteral("la lectura nueva"));

        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Yes)
            Dialogs::queueFileName(saveCancelled ? QString() : saved);
        Dialogs::queueFileName(other);
        viewer()->openReport();

        QCOMPARE(messages().value(0), kUnsavedOnOpen);
        const bool opens = answer == QMessageBox::No || (answer == QMessageBox::Yes && !saveCancelled);
        QCOMPARE(Dialogs::asked().contains(QStringLiteral("Abrir un documento")), opens);
        const QString text = viewer()->Box1->toPlainText();
        QCOMPARE(text.contains(QStringLiteral("el documento de antes")), opens);
        QCOMPARE(text.contains(QStringLiteral("la lectura nueva")), !opens);
        QCOMPARE(viewer()->holdsUnsavedReadings(), !opens);
        QCOMPARE(QFile::exists(saved), answer == QMessageBox::Yes && !saveCancelled);
        if (QFile::exists(saved))
            QVERIFY(load(readFile(saved))->toPlainText().contains(QStringLiteral("la lectura nueva")));

        // What was opened closes without a question.
        if (opens) {
            Dialogs::clear();
            viewer()->mnuClose->trigger();
            QVERIFY(unloaded());
            QVERIFY(Dialogs::asked().isEmpty());
        }
    }

    void theReportIsUnsavedFromAnyChangeUntilSavedOrOpened()
    {
        rtfViewer *v = viewer();
        QVERIFY(!v->holdsUnsavedReadings()); // the empty first line is nobody's reading

        dayCard(QStringLiteral("uno"), 1, QStringLiteral("primera"));
        QVERIFY(v->holdsUnsavedReadings());
        const QString file = path(QStringLiteral("estado.rtf"));
        Dialogs::queueFileName(file);
        QVERIFY(v->saveReport());
        QVERIFY(!v->holdsUnsavedReadings());

        // The user types.
        v->showReport();
        v->Box1->setFocus();
        QTest::keyClicks(v->Box1, QStringLiteral("hola"));
        QVERIFY(v->Box1->toPlainText().contains(QStringLiteral("hola")));
        QVERIFY(v->holdsUnsavedReadings());
        Dialogs::queueFileName(file);
        Dialogs::queueButton(QMessageBox::Yes); // overwrite
        QVERIFY(v->saveReport());
        QVERIFY(!v->holdsUnsavedReadings());

        // Opened: unchanged, until a change of format only.
        Dialogs::queueFileName(file);
        v->openReport();
        QVERIFY(v->Box1->toPlainText().contains(QStringLiteral("hola")));
        QVERIFY(!v->holdsUnsavedReadings());
        QVERIFY(!v->Box1->document()->isUndoAvailable());
        v->Box1->selectAll();
        v->setInsertionFontSize(30);
        QVERIFY(v->holdsUnsavedReadings());
        // Undone to what the file holds: nothing unsaved again.
        v->Box1->undo();
        QVERIFY(!v->holdsUnsavedReadings());

        // An append after opening.
        v->insertText(QStringLiteral("más"));
        QVERIFY(v->holdsUnsavedReadings());
    }

    void aLongOpenShowsItsProgressAndCancelLeavesTheReport()
    {
        // 24 MB: the progress shows even on a much faster machine.
        QByteArray big = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
        big += QByteArray("una palabra tras otra ").repeated((24 << 20) / 22);
        big += "}";
        const QString file = path(QStringLiteral("largo.rtf"));
        TestEnv::writeFile(file, big);
        dayCard(QStringLiteral("la de antes"), 2, QStringLiteral("queda"));
        const QString html = viewer()->Box1->toHtml();

        bool cancelled = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *progress = qobject_cast<QProgressDialog *>(w);
                if (!progress || !progress->isVisible() || progress->wasCanceled())
                    continue;
                cancelled = true;
                progress->cancel();
            }
        });
        watch.start(1);
        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::No);
        Dialogs::queueFileName(file);
        viewer()->openReport();
        watch.stop();

        QVERIFY(cancelled);
        QCOMPARE(messages(), QStringList{kUnsavedOnOpen}); // cancelling says nothing
        QCOMPARE(viewer()->Box1->toHtml(), html);
        QVERIFY(viewer()->holdsUnsavedReadings());
    }

    void aHugePictureIsShownPageWideAndDrawnWithoutDecoding()
    {
        // A 16-pixel PNG that asks to be 150000 twips (10000 pixels) on each side.
        QImage tiny(16, 16, QImage::Format_RGB32);
        tiny.fill(Qt::darkBlue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(tiny.save(&buffer, "PNG"));
        const QString file = path(QStringLiteral("enorme.rtf"));
        TestEnv::writeFile(file, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}antes\\par "
                                 "{\\pict\\pngblip\\picwgoal150000\\pichgoal150000 " +
                                     png.toHex() + "}\\par despu\\'e9s}");
        QVERIFY(QFileInfo(file).size() < 1200);

        QWidget *main = Program::mdiArea()->window();
        main->show();
        auto hideMain = qScopeGuard([main] { main->hide(); });
        rtfViewer *v = viewer();
        v->showReport();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        Dialogs::queueFileName(file);
        v->openReport();
        QCOMPARE(pictures(*v->Box1->document()).size(), 1);
        QWidget *page = v->Box1->viewport();
        QVERIFY(page->width() > 300);
        QVERIFY(v->Box1->document()->documentLayout()->documentSize().width() <= page->width() + 1);

        auto *cache = v->findChild<PictureCache *>();
        QVERIFY(cache);
        page->grab(); // the first paint decodes
        const int decodes = cache->decodes();
        const QImage frame = page->grab().toImage();
        for (int i = 0; i < 3; ++i)
            page->grab();
        QCOMPARE(cache->decodes(), decodes);
        // It is drawn: the page is blue where the picture is.
        QCOMPARE(frame.pixelColor(frame.width() / 2, frame.height() / 2), QColor(Qt::darkBlue));

        // The file keeps the size it asked for.
        const QString copy = path(QStringLiteral("enorme-copia.rtf"));
        v->insertText(QStringLiteral("x"));
        Dialogs::queueFileName(copy);
        QVERIFY(v->saveReport());
        QVERIFY(readFile(copy).contains("\\picwgoal150000\\pichgoal150000"));
    }

    void aMetafileShowsAsAPlaceholder()
    {
        const QByteArray wmf = "{\\pict\\wmetafile8\\picw3175\\pich1587\\picwgoal1800\\pichgoal900\n"
                               "010009000003500000000000270000000000040000000301080005000000}";
        const QString file = path(QStringLiteral("metarchivo.rtf"));
        TestEnv::writeFile(file,
                           "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}antes\\par " + wmf + "\\par fin}");
        rtfViewer *v = viewer();
        v->showReport();
        Dialogs::queueFileName(file);
        v->openReport();
        QCOMPARE(pictures(*v->Box1->document()).size(), 1);

        // 120 x 60 pixels: a grey frame filled light grey, with the words in it.
        const QImage frame = v->Box1->viewport()->grab().toImage();
        int fill = 0, border = 0, dark = 0;
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const QColor c = frame.pixelColor(x, y);
                fill += c == QColor(240, 240, 240);
                border += c == QColor(128, 128, 128);
                dark += c.lightness() < 160 && c != QColor(128, 128, 128);
            }
        }
        QVERIFY2(fill > 120 * 60 / 2, qPrintable(QString::number(fill)));
        QVERIFY2(border >= 2 * (118 + 58), qPrintable(QString::number(border)));
        QVERIFY(dark > 40); // "antes", "fin" and the placeholder's words
    }

    void cleanupTestCase() { WindowRegistry::unloadAll(); }
};

ORBELLE_TEST_MAIN(tst_RtfViewer)
#include "tst_rtfviewer.moc"
