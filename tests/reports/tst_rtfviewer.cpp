// The report viewer as the readings and the user use it, with the dialogs answered in advance.

#include "allwindows.h"
#include "dialogs.h"
#include "picturecache.h"
#include "program.h"
#include "reports.h"
#include "rtftestutil.h"
#include "start.h"
#include "testenv.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

using namespace RtfTest;
using namespace Qt::StringLiterals;

namespace {

const QString kOverwrite = u"Un documento con este nombre ya existe. ¿Desea sobreescribirlo?"_s;
const QString kSaved = u"¡Este documento ha sido guardado!"_s;

QTextDocument *report()
{
    return viewer()->Box1->document();
}

// The paragraphs a day card piece leaves, from the one the insertion point was in.
QStringList dayCardBlocks(const QString &heading, const QString &meaning)
{
    return {QString(), heading, QString(), QString(QChar::ObjectReplacementCharacter),
            QString(), meaning, QString()};
}

// Shown inside the main window (which the tests leave hidden).
bool shown(QWidget *w)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    return !w->isHidden() && frame && !frame->isHidden() && Program::mdiArea()->activeSubWindow() == frame;
}

// Waits until the viewer a close has unloaded is gone.
bool unloaded()
{
    return QTest::qWaitFor([] { return !WindowRegistry::isLoaded<rtfViewer>(); }, 2000);
}

// The messages shown, file dialogs left out.
QStringList messages()
{
    return Dialogs::asked().filter(
        QRegularExpression(u"^(?!Abrir un documento$|Guardar el documento$|Exportar PDF$)"_s));
}

// Pastes `mime` (taking it over) as the user's Ctrl+V would.
void paste(QMimeData *mime)
{
    QGuiApplication::clipboard()->setMimeData(mime);
    viewer()->Box1->paste();
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
        registerAllWindows();
        Reports::registerWindows();
    }

    void init()
    {
        Dialogs::clear();
        WindowRegistry::unload<rtfViewer>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writersAppendAtTheInsertionPointAndTheReportIsSavedAndOpened()
    {
        WindowRegistry::get<Start>()->mnuView->trigger();
        QVERIFY(shown(viewer()));
        QCOMPARE(blocks(*report()), (QStringList{QString(), QString()}));
        WindowRegistry::unload<rtfViewer>();

        // A writer creates the viewer and shows it; the second piece begins on the empty
        // line the first one left.
        appendPiece(u"La carta para 5/3/24"_s, 7, u"El carro avanza."_s);
        QVERIFY(shown(viewer()));
        appendPiece(u"dos"_s, 2, u"segundo"_s);
        QCOMPARE(blocks(*report()), QStringList{QString()} +
                                        dayCardBlocks(u"La carta para 5/3/24"_s, u"El carro avanza."_s) +
                                        dayCardBlocks(u"dos"_s, u"segundo"_s).mid(1));
        QVERIFY(looksLike(runs(*report()), u"La carta para"_s, u"14pt"_s));
        QVERIFY(looksLike(runs(*report()), u"El carro avanza."_s, u"12pt"_s));
        // The indents of the first line carry on through the report.
        QCOMPARE(report()->lastBlock().blockFormat().leftMargin(), 1000 / 15.0);
        // The user selects the first line: the next piece replaces it.
        QTextCursor c(report());
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        viewer()->setInsertionFontSize(20);
        viewer()->insertText(u"ARRIBA\r\n"_s);
        QCOMPARE(blocks(*report()).mid(0, 3),
                 (QStringList{u"ARRIBA"_s, QString(), u"La carta para 5/3/24"_s}));
        QVERIFY(looksLike(runs(*report()), u"ARRIBA"_s, u"20pt"_s));

        // Saved through the menu (with the card's own bytes), closed, opened again.
        const QStringList before = blocks(*report());
        const QStringList runsBefore = runs(*report());
        const QString file = path(u"lectura"_s);
        Dialogs::queueFileName(file);
        viewer()->mnuSpeich->trigger();
        QCOMPARE(messages(), QStringList{kSaved});
        QVERIFY(readFile(file + u".rtf"_s).contains(cardJpeg(7).toHex().left(120)));
        viewer()->mnuClose->trigger();
        QVERIFY(unloaded());
        Dialogs::queueFileName(file + u".rtf"_s);
        viewer()->mnuOtvor->trigger();
        QCOMPARE(blocks(*report()), before);
        QCOMPARE(runs(*report()), runsBefore);
        QCOMPARE(messages(), QStringList{kSaved});
        // Unchanged until a change, even of format only, that is not undone.
        QVERIFY(!viewer()->holdsUnsavedReadings());
        viewer()->Box1->selectAll();
        viewer()->setInsertionFontSize(30);
        QVERIFY(viewer()->holdsUnsavedReadings());
        viewer()->Box1->undo();
        QVERIFY(!viewer()->holdsUnsavedReadings());
        // Appending after opening goes where the insertion point is, here the start.
        viewer()->Box1->moveCursor(QTextCursor::Start);
        viewer()->insertText(u"nuevo"_s);
        QCOMPARE(blocks(*report()).first(), u"nuevoARRIBA"_s);
        QVERIFY(viewer()->holdsUnsavedReadings());
    }

    void savingReplacesAFileOnlyWhenAskedAndAble()
    {
        viewer()->insertText(u"nuevo"_s);
        const QString html = viewer()->Box1->toHtml();
        QVERIFY(!viewer()->saveReport()); // the file dialog cancelled: nothing said
        const QString file = path(u"existe.rtf"_s);
        TestEnv::writeFile(file, "{\\rtf1 viejo}");
        Dialogs::queueFileName(file);
        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(!viewer()->saveReport());
        QCOMPARE(readFile(file), "{\\rtf1 viejo}");
        // A folder in the file's place, a folder that is not there: told, nothing lost.
        QDir().mkpath(path(u"carpeta.rtf/dentro"_s));
        Dialogs::queueFileName(path(u"carpeta.rtf"_s));
        Dialogs::queueButton(QMessageBox::Yes);
        QVERIFY(!viewer()->saveReport());
        Dialogs::queueFileName(path(u"no/hay.rtf"_s));
        QVERIFY(!viewer()->saveReport());
        QVERIFY(QFileInfo(path(u"carpeta.rtf/dentro"_s)).isDir());
        QCOMPARE(viewer()->Box1->toHtml(), html);
        Dialogs::queueFileName(file);
        Dialogs::queueButton(QMessageBox::Yes);
        QVERIFY(viewer()->saveReport());
        QVERIFY(readFile(file).contains("nuevo"));
        const QStringList told = messages();
        QCOMPARE(told.size(), 6);
        QVERIFY(told[2].startsWith(u"No se pudo guardar el documento «carpeta.rtf»."_s));
        // The system's reason in Spanish, with the path.
        QCOMPARE(told[3], u"No se pudo guardar el documento «hay.rtf».\nLa carpeta «%1» no existe."_s.arg(
                              QDir::toNativeSeparators(path(u"no"_s))));
        QCOMPARE(told.mid(4), (QStringList{kOverwrite, kSaved}));
        // Cancelled, opening and exporting say nothing either.
        Dialogs::clear();
        viewer()->openReport();
        QVERIFY(!viewer()->exportPdf());
        QVERIFY(messages().isEmpty());
    }

    void aFailedOpenIsToldAndKeepsTheReport_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << u"falta.rtf"_s << QByteArray() << u"falta.rtf» no existe."_s;
        QTest::newRow("folder") << u"carpeta"_s << QByteArray() << u"Es una carpeta."_s;
        QTest::newRow("not rtf") << u"texto.rtf"_s << QByteArray("Hola") << u"No es un documento RTF (texto enriquecido)."_s;
        QTest::newRow("damaged") << u"hondo.rtf"_s << QByteArray("{\\rtf1 " + QByteArray(20000, '{'))
                                 << u"El documento está dañado."_s;
    }
    void aFailedOpenIsToldAndKeepsTheReport()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString file = path(name);
        if (name == u"carpeta"_s)
            QDir().mkpath(file);
        else if (!content.isEmpty())
            TestEnv::writeFile(file, content);
        appendPiece(u"guardada"_s, 10, u"no se pierde"_s);
        const QString html = viewer()->Box1->toHtml();
        Dialogs::queueButton(QMessageBox::No);
        Dialogs::queueFileName(file);
        viewer()->openReport();
        const QString text = messages().value(1);
        QVERIFY2(text.startsWith(u"No se pudo abrir el documento «%1»."_s.arg(name)) && text.endsWith(reason),
                 qPrintable(text));
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
        const QString other = path(u"otro.rtf"_s);
        TestEnv::writeFile(other, rtf("el documento de antes\\par"));
        const QString saved = path(u"guardado-%1.rtf"_s.arg(QTest::currentDataTag()));
        appendPiece(u"sin guardar"_s, 6, u"la lectura nueva"_s);

        Dialogs::clear();
        Dialogs::queueButton(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Yes)
            Dialogs::queueFileName(saveCancelled ? QString() : saved);
        Dialogs::queueFileName(other);
        if (opening)
            viewer()->openReport();
        else
            viewer()->mnuClose->trigger();

        QVERIFY(messages().value(0).contains(u"no se han guardado"_s));
        const bool kept = answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && saveCancelled);
        QCOMPARE(QFile::exists(saved), answer == QMessageBox::Yes && !saveCancelled);
        QVERIFY(!QFile::exists(saved) ||
                load(readFile(saved))->toPlainText().contains(u"la lectura nueva"_s));
        if (!opening)
            QCOMPARE(unloaded(), !kept);
        const QString text = viewer()->Box1->toPlainText(); // a fresh viewer after a close
        QCOMPARE(text.contains(u"la lectura nueva"_s), kept);
        QCOMPARE(text.contains(u"el documento de antes"_s), opening && !kept);
        QCOMPARE(viewer()->holdsUnsavedReadings(), kept);
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
        appendPiece(u"primera"_s, 11, u"uno"_s);
        appendPiece(u"segunda"_s, 12, u"dos"_s);
        appendPiece(u"tercera"_s, 13, u"tres"_s);
        const auto printed = [this](const QString &name) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path(name));
            return viewer()->printTo(&printer) ? int(readFile(path(name)).count("/Subtype /Image")) : -1;
        };
        QCOMPARE(printed(u"todo.pdf"_s), 3);
        QTextCursor c(report());
        c.setPosition(report()->find(u"segunda"_s).selectionStart());
        c.setPosition(report()->find(u"dos"_s).selectionEnd(), QTextCursor::KeepAnchor);
        viewer()->Box1->setTextCursor(c);
        QCOMPARE(printed(u"parte.pdf"_s), 1);

        // Exported whole.
        Dialogs::queueFileName(path(u"informe"_s));
        QVERIFY(viewer()->exportPdf());
        QCOMPARE(readFile(path(u"informe.pdf"_s)).count("/Subtype /Image"), 3);
        // An empty report prints nothing.
        viewer()->Box1->clear();
        QCOMPARE(printed(u"vacio.pdf"_s), -1);
        QVERIFY(!QFile::exists(path(u"vacio.pdf"_s)));
        viewer()->printReport();
        QCOMPARE(messages(), QStringList{kSaved});
    }

    void aLongOpenShowsItsProgressAndCancelLeavesTheReport()
    {
        // 24 MB: the progress shows even on a much faster machine.
        const QString file = path(u"largo.rtf"_s);
        TestEnv::writeFile(file, rtf(QByteArray("una palabra tras otra ").repeated((24 << 20) / 22)));
        appendPiece(u"la de antes"_s, 2, u"queda"_s);
        const QString html = viewer()->Box1->toHtml();
        bool cancelled = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&cancelled] {
            auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (progress && !progress->wasCanceled()) {
                cancelled = true;
                progress->cancel();
            }
        });
        watch.start(1);
        Dialogs::queueButton(QMessageBox::No);
        Dialogs::queueFileName(file);
        viewer()->openReport();
        QVERIFY(cancelled);
        QCOMPARE(messages().size(), 1); // the question about the unsaved reading; cancelling says nothing
        QCOMPARE(viewer()->Box1->toHtml(), html);
    }

    void aLongParagraphIsShownWholeAndSavedAsOne()
    {
        const QString words = u"una palabra tras otra "_s.repeated(5000);
        const QString file = path(u"parrafo.rtf"_s);
        TestEnv::writeFile(file, rtf(words.toLatin1() + "\\par fin"));
        Dialogs::queueFileName(file);
        viewer()->openReport();
        QCOMPARE(blocks(*report()), (QStringList{words, u"fin"_s}));
        QVERIFY(report()->blockCount() > 4); // in parts the editor lays out one by one
        viewer()->Box1->selectAll();
        viewer()->Box1->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), words + u"\nfin"_s);
        // The break between two parts deleted and undone: still one paragraph.
        QTextEdit *edit = viewer()->Box1;
        const int blockCount = report()->blockCount();
        QTextCursor c(report()->findBlockByNumber(1));
        c.movePosition(QTextCursor::PreviousCharacter);
        edit->setTextCursor(c);
        QTest::keyClick(edit, Qt::Key_Delete);
        QContextMenuEvent menuAsked(QContextMenuEvent::Keyboard, QPoint(5, 5));
        QCoreApplication::sendEvent(edit->viewport(), &menuAsked);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction *>(u"edit-undo"_s)->trigger();
        menu->close();
        QCOMPARE(blocks(*report()), (QStringList{words, u"fin"_s}));
        QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(report()->blockCount(), blockCount - 1);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(blocks(*report()), (QStringList{words, u"fin"_s}));
        // Two parts copied and pasted as a paragraph of their own go on as one.
        c = QTextCursor(report()->findBlockByNumber(1));
        c.movePosition(QTextCursor::NextWord);
        c.setPosition(report()->findBlockByNumber(2).position() + 10, QTextCursor::KeepAnchor);
        const QString copied = c.selectedText().remove(QChar::ParagraphSeparator);
        edit->setTextCursor(c);
        edit->copy();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_Return);
        edit->paste();
        // A paragraph break typed at the start of a part ends the paragraph there, and
        // a reading added inside a part begins its own.
        edit->setTextCursor(QTextCursor(report()->findBlockByNumber(3)));
        QTest::keyClick(edit, Qt::Key_Return);
        QTextCursor inPart(report()->findBlockByNumber(1));
        inPart.movePosition(QTextCursor::EndOfBlock);
        edit->setTextCursor(inPart);
        viewer()->insertText(u"\r\nLectura\r\n"_s);
        const QStringList typed = blocks(*report());
        QCOMPARE(typed.size(), 6);
        QCOMPARE(typed[1], u"Lectura"_s);
        QCOMPARE(typed[0] + typed[2] + typed[3], words);
        QCOMPARE(typed.mid(4), (QStringList{u"fin"_s, copied}));
        Dialogs::queueFileName(path(u"guardado.rtf"_s));
        QVERIFY(viewer()->saveReport());
        QCOMPARE(blocks(*load(readFile(path(u"guardado.rtf"_s)))), typed);
    }

    void largePicturesAreShownWithinBounds()
    {
        // A 16-pixel PNG that asks to be 150000 twips (10000 pixels) on each side, and a
        // JPEG of 20000 x 20000 pixels, beyond what is ever decoded.
        const QByteArray wide = "{\\pict\\pngblip\\picwgoal150000\\pichgoal150000 " +
                                readFile(fixture(u"tiny.png"_s)).toHex() + "}";
        const QByteArray huge = "{\\pict\\jpegblip\\picwgoal1500\\pichgoal1500 " + hugeJpeg().toHex() + "}";
        const QString file = path(u"enorme.rtf"_s);
        TestEnv::writeFile(file, rtf("antes\\par " + wide + "\\par " + huge + "despu\\'e9s"));
        QWidget *main = Program::mdiArea()->window();
        main->show();
        auto hideMain = qScopeGuard([main] { main->hide(); });
        viewer()->showReport();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        Dialogs::queueFileName(file);
        viewer()->openReport();
        // Told before anything is decoded; shown as a placeholder.
        QCOMPARE(pictures(*report()).size(), 2);
        QVERIFY2(messages().value(0).contains(u"demasiado grande"_s), qPrintable(messages().value(0)));
        // The wide one is as wide as the page, and decoded once for it.
        QWidget *page = viewer()->Box1->viewport();
        QVERIFY(report()->documentLayout()->documentSize().width() <= page->width() + 1);
        auto *cache = viewer()->findChild<PictureCache *>();
        page->grab();
        const int decodes = cache->decodes();
        page->grab();
        QCOMPARE(cache->decodes(), decodes);
        // Both go back as the file had them.
        const QByteArray saved = save(*report());
        QVERIFY(saved.contains("\\picwgoal150000\\pichgoal150000") &&
                saved.contains(hugeJpeg().toHex().left(120)));
    }

    void pastedHtmlBringsItsTextButReadsNoFile()
    {
        const QString secret = path(u"secreto.png"_s);
        QVERIFY(QImage(fixture(u"tiny.png"_s)).save(secret));
        auto *mime = new QMimeData;
        mime->setHtml(
            QStringLiteral(
                "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"file:///dev/zero\">"
                "</head><body><p style=\"background-image:url(file:///dev/zero)\">antes <b>negrita</b>"
                "<img src=\"file:///dev/zero\"><img src=\"%1\" width=40 height=30>"
                "<a href=\"%1\">enlace</a></p></body></html>")
                .arg(QUrl::fromLocalFile(secret).toString()));
        viewer()->showReport();
        paste(mime);
        QVERIFY2(report()->toPlainText().contains(u"antes negritaenlace"_s),
                 qPrintable(report()->toPlainText()));
        viewer()->Box1->viewport()->grab();
        QVERIFY(pictures(*report()).isEmpty());
        QVERIFY(!save(*report()).contains("blip"));
    }

    void pastedPicturesComeInWithinBounds()
    {
        // The append interface leaves the user's clipboard alone.
        QGuiApplication::clipboard()->setText(u"lo que copió el usuario"_s);
        QVERIFY(viewer()->insertJpegPicture(cardJpeg(5)));
        QVERIFY(!viewer()->insertJpegPicture("no es una imagen"));
        QVERIFY(!viewer()->insertPicture(QImage()));
        QCOMPARE(QGuiApplication::clipboard()->text(), u"lo que copió el usuario"_s);

        // A copied picture comes in as it is; one beyond the budget is refused unread.
        const QByteArray png = readFile(fixture(u"tiny.png"_s));
        auto *mime = new QMimeData;
        mime->setData(u"image/png"_s, png);
        paste(mime);
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(report(), pictures(*report()).value(1), &enc), png);
        mime = new QMimeData;
        mime->setData(u"image/jpeg"_s, hugeJpeg());
        paste(mime);
        QCOMPARE(pictures(*report()).size(), 2);
        QVERIFY(messages().value(0).contains(u"demasiado grande"_s));

        // Picture files copied in a file manager: regular files only.
        mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(fixture(u"tiny.png"_s)), QUrl::fromLocalFile("/dev/zero")});
        paste(mime);
        QCOMPARE(pictures(*report()).size(), 3);
        QVERIFY(messages().value(1).contains(u"«zero»"_s));

        // Copied and pasted within the report, pictures come along, and are saved.
        viewer()->Box1->selectAll();
        viewer()->Box1->copy();
        viewer()->Box1->moveCursor(QTextCursor::End);
        viewer()->Box1->paste();
        QCOMPARE(pictures(*report()).size(), 6);
        QCOMPARE(pictures(*load(save(*report()))).size(), 6);
    }

    void cleanupTestCase() { WindowRegistry::unloadAll(); }
};

ORBELLE_TEST_MAIN(tst_RtfViewer)
#include "tst_rtfviewer.moc"
