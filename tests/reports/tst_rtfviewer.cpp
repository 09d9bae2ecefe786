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
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrinter>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

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

// Pastes `mime` (taking it over) as the user's Ctrl+V would.
void paste(QMimeData *mime)
{
    QGuiApplication::clipboard()->setMimeData(mime);
    viewer()->Box1->paste();
}

QByteArray pngOf(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
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

    void aWriterCreatesTheViewerAndShowsIt()
    {
        QVERIFY(!WindowRegistry::isLoaded<rtfViewer>());
        QVERIFY(!shown(viewer()));
        WindowRegistry::get<Start>()->mnuView->trigger();
        QVERIFY(shown(viewer()));
        QCOMPARE(blocks(*viewer()->Box1->document()), (QStringList{QString(), QString()}));
        WindowRegistry::unload<rtfViewer>();

        dayCard(QStringLiteral("La carta para 5/3/24"), 7, QStringLiteral("El carro avanza."));
        rtfViewer *v = viewer();
        QVERIFY(shown(v));
        QCOMPARE(Program::mdiArea()->activeSubWindow(), frameOf(v));
        QTextDocument *doc = v->Box1->document();
        QCOMPARE(blocks(*doc), QStringList{QString()} + dayCardBlocks(QStringLiteral("La carta para 5/3/24"),
                                                                      QStringLiteral("El carro avanza.")));
        QVERIFY(looksLike(runs(*doc), QStringLiteral("La carta para 5/3/24"), QStringLiteral("14pt")));
        QVERIFY(looksLike(runs(*doc), QStringLiteral("El carro avanza."), QStringLiteral("12pt")));
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
        QVERIFY(
            looksLike(runs(*viewer()->Box1->document()), QStringLiteral("ARRIBA"), QStringLiteral("20pt")));
    }

    void savesAndOpensThroughTheMenu()
    {
        dayCard(QStringLiteral("Cruz «pregunta» {con} \\llaves"), 9, QStringLiteral("Señal: ¿sí? 🂡"));
        QTextDocument *doc = viewer()->Box1->document();
        const QStringList before = blocks(*doc);
        const QStringList runsBefore = runs(*doc);

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

    void unsavedReadingsAreAskedAboutOnClosingAndOpening_data()
    {
        QTest::addColumn<bool>("opening");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveCancelled");
        for (const bool opening : {false, true}) {
            const char *what = opening ? "open" : "close";
            QTest::addRow("%s: Sí saves", what) << opening << int(QMessageBox::Yes) << false;
            QTest::addRow("%s: Sí, the save cancelled", what) << opening << int(QMessageBox::Yes) << true;
            QTest::addRow("%s: No discards", what) << opening << int(QMessageBox::No) << false;
            QTest::addRow("%s: Cancelar keeps", what) << opening << int(QMessageBox::Cancel) << false;
        }
    }
    void unsavedReadingsAreAskedAboutOnClosingAndOpening()
    {
        QFETCH(bool, opening);
        QFETCH(int, answer);
        QFETCH(bool, saveCancelled);
        const QString other = path(QStringLiteral("otro.rtf"));
        TestEnv::writeFile(other, rtf("el documento de antes\\par"));
        const QString saved = path(QStringLiteral("guardado-%1.rtf").arg(QTest::currentDataTag()));
        dayCard(QStringLiteral("sin guardar"), 6, QStringLiteral("la lectura nueva"));

        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Yes)
            Dialogs::queueFileName(saveCancelled ? QString() : saved);
        Dialogs::queueFileName(other);
        if (opening)
            viewer()->openReport();
        else
            viewer()->mnuClose->trigger();

        QVERIFY(messages().value(0).contains(QStringLiteral("no se han guardado")));
        const bool kept = answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && saveCancelled);
        QCOMPARE(QFile::exists(saved), answer == QMessageBox::Yes && !saveCancelled);
        if (QFile::exists(saved))
            QVERIFY(load(readFile(saved))->toPlainText().contains(QStringLiteral("la lectura nueva")));
        if (!opening)
            QCOMPARE(unloaded(), !kept);
        const QString text = viewer()->Box1->toPlainText(); // a fresh viewer after a close
        QCOMPARE(text.contains(QStringLiteral("la lectura nueva")), kept);
        QCOMPARE(text.contains(QStringLiteral("el documento de antes")), opening && !kept);
        QCOMPARE(viewer()->holdsUnsavedReadings(), kept);
        if (!opening && !kept)
            QCOMPARE(blocks(*viewer()->Box1->document()), (QStringList{QString(), QString()}));
        // What was opened, or begun afresh, closes without a question.
        if (!kept) {
            Dialogs::clear();
            viewer()->mnuClose->trigger();
            QVERIFY(unloaded());
            QVERIFY(Dialogs::asked().isEmpty());
        }
    }

    void printsAndExportsTheSelectionOrEverything()
    {
        dayCard(QStringLiteral("primera"), 11, QStringLiteral("uno"));
        dayCard(QStringLiteral("segunda"), 12, QStringLiteral("dos"));
        dayCard(QStringLiteral("tercera"), 13, QStringLiteral("tres"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("todo.pdf")));
        QVERIFY(viewer()->printTo(&printer));
        QCOMPARE(pdfPictures(path(QStringLiteral("todo.pdf"))), 3);

        // The second piece selected.
        QTextDocument *doc = viewer()->Box1->document();
        QTextCursor c(doc);
        c.setPosition(doc->find(QStringLiteral("segunda")).selectionStart());
        c.setPosition(doc->find(QStringLiteral("dos")).selectionEnd(), QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        printer.setOutputFileName(path(QStringLiteral("parte.pdf")));
        QVERIFY(viewer()->printTo(&printer));
        QCOMPARE(pdfPictures(path(QStringLiteral("parte.pdf"))), 1);

        // Exported whole; No to the overwrite question keeps the first export.
        const QString pdf = path(QStringLiteral("informe"));
        Dialogs::queueFileName(pdf);
        QVERIFY(viewer()->exportPdf());
        QCOMPARE(pdfPictures(pdf + QStringLiteral(".pdf")), 3);
        QCOMPARE(messages(), QStringList{kSaved});
        const QByteArray first = readFile(pdf + QStringLiteral(".pdf"));
        viewer()->insertText(QStringLiteral("más"));
        Dialogs::queueFileName(pdf + QStringLiteral(".pdf"));
        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(!viewer()->exportPdf());
        QCOMPARE(readFile(pdf + QStringLiteral(".pdf")), first);

        // An empty report prints nothing.
        Dialogs::clear();
        viewer()->Box1->clear();
        printer.setOutputFileName(path(QStringLiteral("vacio.pdf")));
        QVERIFY(!viewer()->printTo(&printer));
        QVERIFY(!QFile::exists(path(QStringLiteral("vacio.pdf"))));
        viewer()->printReport();
        QVERIFY(Dialogs::asked().isEmpty());
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

    void largePicturesAreShownWithinBounds()
    {
        // A 16-pixel PNG that asks to be 150000 twips (10000 pixels) on each side, and a
        // JPEG of 20000 x 20000 pixels, beyond what is ever decoded.
        const QByteArray wide = "{\\pict\\pngblip\\picwgoal150000\\pichgoal150000 " +
                                pngOf(QImage(fixture(QStringLiteral("tiny.png")))).toHex() + "}";
        const QByteArray huge = "{\\pict\\jpegblip\\picwgoal1500\\pichgoal1500 " + hugeJpeg().toHex() + "}";
        const QString file = path(QStringLiteral("enorme.rtf"));
        TestEnv::writeFile(file, rtf("antes\\par " + wide + "\\par " + huge + "despu\\'e9s"));

        QWidget *main = Program::mdiArea()->window();
        main->show();
        auto hideMain = qScopeGuard([main] { main->hide(); });
        rtfViewer *v = viewer();
        v->showReport();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        Dialogs::queueFileName(file);
        v->openReport();
        const auto pics = pictures(*v->Box1->document());
        QCOMPARE(pics.size(), 2);
        // Told before anything is decoded; shown as a placeholder.
        QCOMPARE(messages().size(), 1);
        QVERIFY2(messages().first().contains(QStringLiteral("demasiado grandes")),
                 qPrintable(messages().first()));
        QVERIFY(ReportPicture::image(v->Box1->document(), pics[1], QSize(100, 100)).isNull());
        // The wide one is as wide as the page, and decoded once for it.
        QWidget *page = v->Box1->viewport();
        QVERIFY(v->Box1->document()->documentLayout()->documentSize().width() <= page->width() + 1);
        auto *cache = v->findChild<PictureCache *>();
        page->grab();
        const int decodes = cache->decodes();
        page->grab();
        QCOMPARE(cache->decodes(), decodes);

        // Both go back as the file had them.
        const QString copy = path(QStringLiteral("enorme-copia.rtf"));
        v->insertText(QStringLiteral("x"));
        Dialogs::queueFileName(copy);
        QVERIFY(v->saveReport());
        QVERIFY(readFile(copy).contains("\\picwgoal150000\\pichgoal150000"));
        QVERIFY(readFile(copy).contains(hugeJpeg().toHex().left(120)));
    }

    void pastedHtmlBringsItsTextButReadsNoFile()
    {
        const QString secret = path(QStringLiteral("secreto.png"));
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(secret));
        const QString url = QUrl::fromLocalFile(secret).toString();
        auto *mime = new QMimeData;
        mime->setHtml(
            QStringLiteral(
                "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"file:///dev/zero\">"
                "</head><body><p style=\"background-image:url(file:///dev/zero)\">antes <b>negrita</b>"
                "<img src=\"file:///dev/zero\"><img src=\"%1\" width=40 height=30>"
                "<a href=\"%1\">enlace</a></p></body></html>")
                .arg(url));
        viewer()->showReport();
        paste(mime);
        QTextDocument *doc = viewer()->Box1->document();
        QVERIFY2(doc->toPlainText().contains(QStringLiteral("antes negritaenlace")),
                 qPrintable(doc->toPlainText()));
        viewer()->Box1->viewport()->grab();
        QVERIFY(pictures(*doc).isEmpty());
        const QByteArray saved = save(*doc);
        QVERIFY(!saved.contains("blip"));
        QVERIFY(!saved.contains("secreto"));
    }

    void pastedPicturesComeInWithinBounds()
    {
        // The append interface leaves the user's clipboard alone.
        QGuiApplication::clipboard()->setText(QStringLiteral("lo que copió el usuario"));
        QVERIFY(viewer()->insertJpegPicture(cardJpeg(5)));
        QVERIFY(!viewer()->insertJpegPicture("no es una imagen"));
        QVERIFY(!viewer()->insertPicture(QImage()));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("lo que copió el usuario"));

        // A copied picture comes in as it is; one beyond the budget is refused unread.
        QImage green(20, 10, QImage::Format_RGB32);
        green.fill(Qt::darkGreen);
        auto *mime = new QMimeData;
        mime->setData(QStringLiteral("image/png"), pngOf(green));
        paste(mime);
        QTextDocument *doc = viewer()->Box1->document();
        QCOMPARE(pictures(*doc).size(), 2);
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(doc, pictures(*doc).last(), &enc), pngOf(green));
        mime = new QMimeData;
        mime->setData(QStringLiteral("image/jpeg"), hugeJpeg());
        paste(mime);
        QCOMPARE(pictures(*doc).size(), 2);
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages().first().contains(QStringLiteral("demasiado grande")));

        // Picture files copied in a file manager: regular files only.
        mime = new QMimeData;
        mime->setUrls(
            {QUrl::fromLocalFile(fixture(QStringLiteral("tiny.png"))), QUrl::fromLocalFile("/dev/zero")});
        paste(mime);
        QCOMPARE(pictures(*doc).size(), 3);
        QCOMPARE(messages().size(), 2);
        QVERIFY(messages().last().contains(QStringLiteral("«zero»")));

        // Copied and pasted within the report, pictures come along, and are saved.
        viewer()->Box1->selectAll();
        viewer()->Box1->copy();
        viewer()->Box1->moveCursor(QTextCursor::End);
        viewer()->Box1->paste();
        QCOMPARE(pictures(*doc).size(), 6);
        QCOMPARE(pictures(*load(save(*doc))).size(), 6);
    }

    void cleanupTestCase() { WindowRegistry::unloadAll(); }
};

ORBELLE_TEST_MAIN(tst_RtfViewer)
#include "tst_rtfviewer.moc"
