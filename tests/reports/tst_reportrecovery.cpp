// Unsaved readings outlive the viewer, a killed program and a rebuild of the main window.

#include "allwindows.h"
#include "dialogs.h"
#include "reportrecovery.h"
#include "reports.h"
#include "rtftestutil.h"
#include "testenv.h"
#include "timing.h"

#include <QDir>
#include <QLockFile>
#include <QTextEdit>

#include <memory>

using namespace RtfTest;
using namespace Qt::StringLiterals;

namespace {

const QString kOffer = u"Se encontraron tiradas que no se guardaron la última vez. ¿Recuperarlas?"_s;
const QString kCannotKeep = u"No se puede escribir la copia de seguridad"_s;

QString textOf(const QString &file)
{
    return load(readFile(file))->toPlainText();
}

bool fileHolds(const QString &file, const QString &text)
{
    return QFile::exists(file) && textOf(file).contains(text);
}

// Nothing for the group and others (0700, 0600).
bool ownerOnly(const QString &path)
{
    return QFileInfo::exists(path) && !(QFileInfo(path).permissions() & 0x77);
}

} // namespace

class tst_ReportRecovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerAllWindows();
        Reports::registerWindows();
    }

    void init() { TestEnv::freshStart(); }

    void theFileFollowsTheReadingsUntilTheyAreSavedOrGivenUp()
    {
        const QString file = ReportRecovery::file();
        QVERIFY(file.startsWith(TestEnv::dataHome() + u'/')); // never beside the program
        viewer();
        QVERIFY(!QFile::exists(file)); // a new viewer has nothing to keep

        // A program that died right after "Guardar" lost the reading: the file waited for
        // a pause. It is written at once: with the time between writes stretched to
        // minutes, only the first write can come in time.
        Timer::setTimeScale(100);
        appendPiece(u"Lectura"_s, 3, u"el primer camino"_s);
        QTRY_VERIFY(fileHolds(file, u"el primer camino"_s));
        QTRY_VERIFY(!ReportRecovery::writing());
        // The user's alone; pictures go too: the file is the report.
        QVERIFY(ownerOnly(file) && ownerOnly(file + u".lock"_s) && ownerOnly(ReportRecovery::folder()));
        QCOMPARE(pictures(*load(readFile(file))).size(), 1);
        // The user types: what follows within that time waits for its end, in one write.
        for (int key = 1; key <= 3; ++key)
            viewer()->Box1->textCursor().insertText(u" tecla%1"_s.arg(key));
        QTest::qWait(200);
        QVERIFY(!textOf(file).contains(u"tecla"_s));
        QVERIFY(viewer()->recoveryPending());
        Timer::setTimeScale(0.05);
        viewer()->Box1->textCursor().insertText(u" tecla4"_s);
        QTRY_VERIFY(fileHolds(file, u"tecla1 tecla2 tecla3 tecla4"_s));

        // Saved: nothing is left to recover.
        QTemporaryDir dir;
        Dialogs::queueFileName(dir.filePath(u"informe.rtf"_s));
        QVERIFY(viewer()->saveReport());
        QVERIFY(!QFile::exists(file));
        // A new append after the save: kept again, and given up by "No" on closing.
        appendPiece(u"Lectura"_s, 3, u"el segundo camino"_s);
        QTRY_VERIFY(fileHolds(file, u"el segundo camino"_s));
        Dialogs::queueButton(QMessageBox::No);
        viewer()->mnuClose->trigger();
        QVERIFY(QDir(ReportRecovery::folder()).entryList({u"lecturas-*"_s}, QDir::Files).isEmpty());
        QVERIFY(!QFile::exists(file + u".lock"_s));
    }

    void aFullDiskIsToldOnceAndTriedAgain()
    {
        // A file where the folder should be: nothing can be written.
        const QString folder = ReportRecovery::folder();
        const auto block = [&folder] {
            QDir(folder).removeRecursively();
            TestEnv::writeFile(folder, "no es una carpeta");
        };
        block();
        appendPiece(u"Lectura"_s, 3, u"sin copia"_s);
        QTRY_COMPARE(Dialogs::asked().filter(kCannotKeep).size(), 1);
        viewer()->insertText(u"más"_s);
        QTest::qWait(Timer::scaled(1500) * 3);
        QVERIFY(viewer()->recoveryPending());
        // Room again: the next try writes it, with no further word.
        QFile::remove(folder);
        viewer()->insertText(u" y otra"_s);
        QTRY_VERIFY(fileHolds(ReportRecovery::file(), u"sin copia"_s));
        QCOMPARE(Dialogs::asked().filter(kCannotKeep).size(), 1); // told once, tried on
        // A new failure is told again.
        block();
        viewer()->insertText(u" al final"_s);
        QTRY_COMPARE(Dialogs::asked().filter(kCannotKeep).size(), 2);
    }

    void readingsLeftBehindAreOfferedOnce_data()
    {
        QTest::addColumn<bool>("recover");
        QTest::newRow("Sí") << true;
        QTest::newRow("No") << false;
    }
    void readingsLeftBehindAreOfferedOnce()
    {
        // Left by programs that are gone (no lock): one readable, one damaged; and the
        // file of a program still running, under its lock, which stays its own.
        QFETCH(bool, recover);
        const QString folder = ReportRecovery::folder();
        QDir().mkpath(folder);
        const QString good = folder + u"/lecturas-999991.rtf"_s, bad = folder + u"/lecturas-999992.rtf"_s,
                      live = folder + u"/lecturas-999993.rtf"_s;
        const QByteArray damaged = "{\\rtf1 " + QByteArray(20000, '{');
        TestEnv::writeFile(good, rtf("la lectura que se lee"));
        TestEnv::writeFile(bad, damaged);
        TestEnv::writeFile(live, rtf("la de otro programa"));
        QLockFile running(live + u".lock"_s);
        QVERIFY(running.tryLock(0));
        appendPiece(u"Lectura"_s, 3, u"la de ahora"_s);
        Dialogs::queueButton(recover ? QMessageBox::Yes : QMessageBox::No);
        QCOMPARE(ReportRecovery::offerAtStart(), recover);
        const QString text = viewer()->Box1->toPlainText();
        QCOMPARE(text.contains(u"la lectura que se lee"_s), recover);
        QVERIFY(text.contains(u"la de ahora"_s) && !text.contains(u"la de otro programa"_s));
        QVERIFY(!recover || !viewer()->isHidden());
        // Sí: the damaged one is kept aside, never offered again, and the user told which;
        // the other goes once this program's file holds its readings.
        QVERIFY(!QFile::exists(bad));
        QCOMPARE(readFile(bad + u".damaged"_s), recover ? damaged : QByteArray());
        QVERIFY(!recover || ownerOnly(bad + u".damaged"_s));
        QCOMPARE(Dialogs::asked().last().contains(u"lecturas-999992.rtf.damaged"_s), recover);
        QTRY_VERIFY(!QFile::exists(good));
        QCOMPARE(fileHolds(ReportRecovery::file(), u"la lectura que se lee"_s), recover);
        QVERIFY(fileHolds(live, u"la de otro programa"_s));
        QVERIFY(!ReportRecovery::offerAtStart());
        QCOMPARE(Dialogs::asked().filter(kOffer).size(), 1);
        running.unlock(); // gone, and its lock with it
        QVERIFY(ReportRecovery::pending());
    }

    void stashAndRestoreKeepTheReadingsAcrossARebuild()
    {
        // Nothing unsaved: nothing to stash, nothing to restore.
        viewer();
        QVERIFY(!ReportRecovery::stash());
        QVERIFY(!ReportRecovery::restore());

        appendPiece(u"Lectura"_s, 12, u"antes de reconstruir"_s);
        viewer()->Box1->textCursor().insertText(u"¡y más!"_s);
        const QStringList before = blocks(*viewer()->Box1->document());
        const QStringList runsBefore = runs(*viewer()->Box1->document());
        QVERIFY(ReportRecovery::stash()); // at once

        // The main window and everything in it goes and comes back.
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Dialogs::clear();
        QVERIFY(ReportRecovery::restore());
        QVERIFY(Dialogs::asked().isEmpty()); // silently
        QCOMPARE(blocks(*viewer()->Box1->document()), before);
        QCOMPARE(runs(*viewer()->Box1->document()), runsBefore);
        QVERIFY(viewer()->holdsUnsavedReadings());

        // Closing now still asks, as for any unsaved reading.
        Dialogs::queueButton(QMessageBox::Cancel);
        viewer()->mnuClose->trigger();
        QCOMPARE(Dialogs::asked().size(), 1);

        // Gone without a stash, the last append right before: the file has it too.
        appendPiece(u"Lectura"_s, 3, u"la última de todas"_s);
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(ReportRecovery::stash()); // the viewer is gone, its readings are not
        QVERIFY(ReportRecovery::restore());
        QVERIFY(viewer()->Box1->toPlainText().contains(u"la última de todas"_s));
    }

    void cleanupTestCase() { WindowRegistry::unloadAll(); }
};

ORBELLE_TEST_MAIN(tst_ReportRecovery)
#include "tst_reportrecovery.moc"
