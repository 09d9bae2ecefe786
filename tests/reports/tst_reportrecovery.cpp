// Unsaved readings outlive the viewer, a killed program and a rebuild of the main window.
// With "--child TEXT" this is the other program: it appends TEXT, prints its recovery
// file's path once written, and waits to be killed.

#include "allwindows.h"
#include "dialogs.h"
#include "paths.h"
#include "reportrecovery.h"
#include "reports.h"
#include "rtftestutil.h"
#include "rtfviewer.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>

using namespace RtfTest;

namespace {

const QString kOffer =
    QStringLiteral("Se encontraron lecturas que no se guardaron la última vez. ¿Recuperarlas?");

rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

QByteArray cardJpeg(int card)
{
    return readFile(QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes/%1.jpg").arg(card));
}

// A reading's piece: a heading, a card picture, a line of text.
void appendReading(const QString &text, int card = 3)
{
    rtfViewer *v = viewer();
    v->setInsertionFontSize(14);
    v->insertText(QStringLiteral("\r\nLectura"));
    v->setInsertionFontSize(12);
    v->insertText(QStringLiteral("\r\n"));
    v->insertJpegPicture(cardJpeg(card), QSize(81, 136));
    v->insertText(QStringLiteral("\r\n") + text + QStringLiteral("\r\n"));
}

QStringList recoveryFiles()
{
    return QDir(ReportRecovery::folder())
        .entryList({QStringLiteral("lecturas-*.rtf")}, QDir::Files, QDir::Name);
}

QString textOf(const QString &file)
{
    RtfResult r;
    auto doc = load(readFile(file), &r);
    return r.ok() ? doc->toPlainText() : QStringLiteral("<unreadable: %1>").arg(r.detail);
}

bool fileHolds(const QString &file, const QString &text)
{
    return QFile::exists(file) && textOf(file).contains(text);
}

// No main window is registered: the viewer is a window of its own.
int childMain(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orbelle"));
    QApplication::setApplicationName(QStringLiteral("Orbelle"));
    Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    Dialogs::setAnswering(true);
    Timer::setTimeScale(0.05);
    appendReading(QString::fromLocal8Bit(argv[2]), 9);
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (!QFile::exists(ReportRecovery::file()))
            return;
        poll->stop();
        std::printf("%s\n", qPrintable(ReportRecovery::file()));
        std::fflush(stdout);
    });
    poll->start(10);
    return QApplication::exec();
}

} // namespace

class tst_ReportRecovery : public QObject
{
    Q_OBJECT

    // The other program, started with its reading; its recovery file in *file.
    bool startChild(QProcess &child, const QString &text, QString *file)
    {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), text});
        if (!child.waitForStarted(10000))
            return false;
        while (!child.canReadLine()) {
            if (!child.waitForReadyRead(20000))
                return false;
        }
        *file = QString::fromLocal8Bit(child.readLine()).trimmed();
        return QFile::exists(*file);
    }

    void kill(QProcess &child)
    {
        child.kill(); // SIGKILL: no clean end of any kind
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

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
        QVERIFY(file.startsWith(TestEnv::dataHome() + QLatin1Char('/'))); // never beside the program
        viewer();
        QVERIFY(!QFile::exists(file)); // a new viewer has nothing to keep

        appendReading(QStringLiteral("el primer camino"));
        QTRY_VERIFY(fileHolds(file, QStringLiteral("el primer camino")));
        // Pictures go too: the file is the report.
        RtfResult r;
        QCOMPARE(pictures(*load(readFile(file), &r)).size(), 1);

        // The user types: the file follows.
        QTextCursor c = viewer()->Box1->textCursor();
        c.insertText(QStringLiteral("nota del usuario"));
        QTRY_VERIFY(fileHolds(file, QStringLiteral("nota del usuario")));

        // Saved: nothing is left to recover.
        QTemporaryDir dir;
        Dialogs::queueFileName(dir.filePath(QStringLiteral("informe.rtf")));
        QVERIFY(viewer()->saveReport());
        QVERIFY(!QFile::exists(file));
        QVERIFY(!viewer()->holdsUnsavedReadings());

        // A new append after the save: kept again, and given up by "No" on closing.
        appendReading(QStringLiteral("el segundo camino"));
        QTRY_VERIFY(fileHolds(file, QStringLiteral("el segundo camino")));
        Dialogs::queueButton(QMessageBox::No);
        viewer()->mnuClose->trigger();
        QVERIFY(!QFile::exists(file));
        QVERIFY(recoveryFiles().isEmpty());
        QVERIFY(!QFile::exists(file + QStringLiteral(".lock")));
    }

    void aUserTypingWithoutPauseIsKeptRegularly()
    {
        // Each key restarts the short delay, so only the regular write can keep up.
        const QString file = ReportRecovery::file();
        viewer();
        int keys = 0;
        QTimer typing;
        connect(&typing, &QTimer::timeout, this,
                [&keys] { viewer()->insertText(QStringLiteral("tecla%1 ").arg(++keys)); });
        typing.start(Timer::scaled(1500) / 3);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), Timer::scaled(30000) * 3);
        QVERIFY(keys > 3); // it came while the typing went on
        QVERIFY(textOf(file).contains(QStringLiteral("tecla3 ")));
        typing.stop();
        // Once the typing stops, the latest state arrives too.
        QTRY_VERIFY(fileHolds(file, QStringLiteral("tecla%1 ").arg(keys)));
    }

    void aKilledProgramsReadingsAreOfferedAtTheNextStart()
    {
        QProcess child;
        QString childFile;
        QVERIFY(startChild(child, QStringLiteral("lectura de otro programa"), &childFile));
        QVERIFY(fileHolds(childFile, QStringLiteral("lectura de otro programa")));
        const QByteArray childBytes = readFile(childFile);

        // While it runs, its file is its own: not offered here, not touched.
        QVERIFY(!ReportRecovery::pending());
        QVERIFY(!ReportRecovery::offerAtStart());
        QVERIFY(!Dialogs::asked().contains(kOffer));
        appendReading(QStringLiteral("lectura de este programa"));
        QTRY_VERIFY(fileHolds(ReportRecovery::file(), QStringLiteral("lectura de este programa")));
        QVERIFY(ReportRecovery::file() != childFile);
        QCOMPARE(readFile(childFile), childBytes);

        kill(child);
        QVERIFY(QFile::exists(childFile)); // it survives the crash
        QVERIFY(ReportRecovery::pending());

        // Sí: the readings join the viewer's, unsaved, and the old file goes.
        Dialogs::queueButton(QMessageBox::Yes);
        QVERIFY(ReportRecovery::offerAtStart());
        QCOMPARE(Dialogs::asked().filter(kOffer).size(), 1);
        QVERIFY(!QFile::exists(childFile));
        QVERIFY(!ReportRecovery::pending());
        const QString text = viewer()->Box1->toPlainText();
        QVERIFY(text.contains(QStringLiteral("lectura de otro programa")));
        QVERIFY(text.contains(QStringLiteral("lectura de este programa")));
        QCOMPARE(pictures(*viewer()->Box1->document()).size(), 2);
        QVERIFY(!viewer()->isHidden());
        QVERIFY(viewer()->holdsUnsavedReadings());
        // ...kept at once under this program's name.
        QVERIFY(fileHolds(ReportRecovery::file(), QStringLiteral("lectura de otro programa")));
        QCOMPARE(recoveryFiles().size(), 1);

        // A clean end, the readings given up: nothing is left.
        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(viewer()->mayDiscard());
        QVERIFY(recoveryFiles().isEmpty());
    }

    void declinedReadingsAreDeleted()
    {
        QProcess child;
        QString childFile;
        QVERIFY(startChild(child, QStringLiteral("lectura rechazada"), &childFile));
        kill(child);
        appendReading(QStringLiteral("la de ahora"));
        const QString before = viewer()->Box1->toHtml();

        Dialogs::queueButton(QMessageBox::No);
        QVERIFY(!ReportRecovery::offerAtStart());
        QCOMPARE(Dialogs::asked().filter(kOffer).size(), 1);
        QVERIFY(!QFile::exists(childFile));
        QVERIFY(!QFile::exists(childFile + QStringLiteral(".lock")));
        QCOMPARE(viewer()->Box1->toHtml(), before);
        // Asked once only.
        QVERIFY(!ReportRecovery::offerAtStart());
        QCOMPARE(Dialogs::asked().filter(kOffer).size(), 1);
    }

    void stashAndRestoreKeepTheReadingsAcrossARebuild()
    {
        // Nothing unsaved: nothing to stash, nothing to restore.
        viewer();
        QVERIFY(!ReportRecovery::stash());
        QVERIFY(!ReportRecovery::restore());

        appendReading(QStringLiteral("antes de reconstruir"), 12);
        viewer()->Box1->textCursor().insertText(QStringLiteral("¡y más!"));
        const QStringList before = blocks(*viewer()->Box1->document());
        const QList<Run> runsBefore = runs(*viewer()->Box1->document());
        QVERIFY(ReportRecovery::stash()); // at once, not after the delay
        QVERIFY(fileHolds(ReportRecovery::file(), QStringLiteral("¡y más!")));

        // The main window and everything in it goes and comes back.
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!WindowRegistry::isLoaded<rtfViewer>());
        Dialogs::clear();
        QVERIFY(ReportRecovery::restore());
        QVERIFY(Dialogs::asked().isEmpty()); // silently
        QCOMPARE(blocks(*viewer()->Box1->document()), before);
        QCOMPARE(runs(*viewer()->Box1->document()), runsBefore);
        QCOMPARE(pictures(*viewer()->Box1->document()).size(), 1);
        QVERIFY(viewer()->holdsUnsavedReadings());

        // Closing now still asks, as for any unsaved reading.
        Dialogs::queueButton(QMessageBox::Cancel);
        viewer()->mnuClose->trigger();
        QCOMPARE(Dialogs::asked().size(), 1);
    }

    void aViewerThatGoesUnaskedLeavesItsLatestState()
    {
        // No stash, and the last append comes right before the viewer goes.
        appendReading(QStringLiteral("la última de todas"));
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fileHolds(ReportRecovery::file(), QStringLiteral("la última de todas")));
        QVERIFY(ReportRecovery::stash()); // the viewer is gone, its readings are not
        QVERIFY(ReportRecovery::restore());
        QVERIFY(viewer()->Box1->toPlainText().contains(QStringLiteral("la última de todas")));
    }

    void cleanupTestCase() { WindowRegistry::unloadAll(); }
};

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return childMain(argc, argv);
    TestEnv::prepare();
    QApplication app(argc, argv);
    TestEnv::setUp();
    tst_ReportRecovery tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_reportrecovery.moc"
