// Connecting another deck: the image folder locator driven as a user drives it, the
// restart it asks for, and the start-up with a connected deck that is gone.

#include "anima.h"
#include "filelists.h"
#include "ordnersuchen.h"
#include "paths.h"
#include "readingdriver.h"
#include "settings.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

namespace {
const QString kOwnDeck = QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes");

// A copy of the program's deck without the cards named.
void copyDeck(const QString &to, const QList<int> &without = {})
{
    for (int n = 1; n <= 78; ++n) {
        if (!without.contains(n))
            QVERIFY(QFile::copy(CardPictures::path(kOwnDeck, n), CardPictures::path(to, n)));
    }
}

// The settings file replaced by a folder of that name: nothing can be written any more.
struct UnwritableSettings
{
    QString file = Settings::fileName();
    // Forgetting what was read (as a new run would) or keeping it.
    explicit UnwritableSettings(bool forget = true)
    {
        if (forget)
            Settings::reopen();
        QFile::remove(file);
        QDir().mkpath(file);
        if (forget)
            Settings::reopen();
    }
    ~UnwritableSettings()
    {
        Settings::reopen();
        QDir(file).removeRecursively();
        Settings::reopen();
    }
};
} // namespace

class tst_Locator : public QObject
{
    Q_OBJECT
    int m_ends = 0;

    ordnerSuchen *openFromTheMainWindow()
    {
        Start *main = ReadingDriver::shownMain();
        if (!main->barajas->isEnabled())
            return nullptr;
        main->barajas->trigger();
        auto *locator = WindowRegistry::ifLoaded<ordnerSuchen>();
        return locator && locator->isVisible() ? locator : nullptr;
    }

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun([this](int) { ++m_ends; });
    }

    void init()
    {
        TestEnv::freshStart();
        m_ends = 0;
    }

    void theListsOpenOnTheConnectedDeckOrTheProgramsOwn()
    {
        // Nothing connected: the program's deck, its pictures only.
        ordnerSuchen *locator = openFromTheMainWindow();
        QVERIFY(locator);
        QCOMPARE(locator->Dir1->path(), kOwnDeck);
        QCOMPARE(locator->File1->path(), kOwnDeck);
        QVERIFY(locator->File1->files().contains(QStringLiteral("78.jpg")));
        WindowRegistry::unload<ordnerSuchen>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // A connected deck opens where it is.
        QTemporaryDir deck;
        copyDeck(deck.path());
        Settings::set(QStringLiteral("Imagenes"), deck.path());
        Settings::set(QStringLiteral("gdjeLaufwerk"), FileLists::DriveList::driveOf(deck.path()));
        locator = WindowRegistry::get<ordnerSuchen>();
        QCOMPARE(locator->Dir1->path(), deck.path());
        QCOMPARE(locator->File1->count(), 78);
    }

    void aDriveOrFolderThatCannotBeEnteredIsRefused()
    {
        ordnerSuchen *locator = WindowRegistry::get<ordnerSuchen>();
        locator->Drive1_Change(QStringLiteral("/no/such/drive"));
        QCOMPARE(Dialogs::asked(), QStringList{QStringLiteral("¡No posible!")});
        QCOMPARE(locator->Dir1->path(), kOwnDeck);
        QCOMPARE(locator->File1->path(), kOwnDeck);
        QCOMPARE(locator->Drive1->drive(), FileLists::DriveList::driveOf(kOwnDeck));

        // A folder the tree still shows but that has gone meanwhile.
        Dialogs::clear();
        QString gone;
        {
            QTemporaryDir stick;
            gone = stick.path();
            QVERIFY(locator->Dir1->setPath(gone));
            QCOMPARE(locator->File1->path(), gone);
        }
        locator->Dir1_Change(gone);
        QCOMPARE(Dialogs::asked(), QStringList{QStringLiteral("¡No posible!")});
        // The lists go to the nearest folder that is still there.
        const QString parent = QFileInfo(gone).absolutePath();
        QCOMPARE(locator->Dir1->path(), parent);
        QCOMPARE(locator->File1->path(), parent);
    }

    void anotherDeckIsWhatTheNextStartShowsWithTheReportCarriedOver()
    {
        // Scans large enough to be brought to screen size before the restart.
        QTemporaryDir deck;
        QImage scan(1500, 2600, QImage::Format_RGB32);
        scan.fill(Qt::darkRed);
        QImageWriter writer(deck.filePath(QStringLiteral("1.jpg")), "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(scan));
        for (int n = 2; n <= 78; ++n)
            QVERIFY(QFile::copy(deck.filePath(QStringLiteral("1.jpg")), CardPictures::path(deck.path(), n)));
        // A reading in the report, not saved yet: it comes back in the new main window.
        ReadingDriver::shownMain();
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        viewer->insertText(QStringLiteral("\r\nLa carta para hoy: La Estrella"));
        viewer->showReport();
        ordnerSuchen *locator = openFromTheMainWindow();
        QVERIFY(locator);
        QVERIFY(locator->Dir1->setPath(deck.path()));
        QCOMPARE(locator->File1->count(), 78);
        QTest::mouseClick(locator->connectButton, Qt::LeftButton);
        QCOMPARE(Settings::get(QStringLiteral("Imagenes")), deck.path());
        QCOMPARE(Settings::get(QStringLiteral("gdjeLaufwerk")), FileLists::DriveList::driveOf(deck.path()));
        QVERIFY(modOrbelle::state().keepRunning);
        QVERIFY(!WindowRegistry::isLoaded<Start>() && !WindowRegistry::isLoaded<anima>() &&
                !locator->isVisible());
        QVERIFY(WindowRegistry::ifLoaded<meld>() && WindowRegistry::ifLoaded<meld>()->isVisible());

        // The start-up runs again: the intro, then a new main window on the other deck.
        QTRY_VERIFY(!WindowRegistry::isLoaded<ordnerSuchen>());
        QTRY_VERIFY(WindowRegistry::isLoaded<Start>() && WindowRegistry::get<Start>()->isVisible());
        QVERIFY(!WindowRegistry::isLoaded<meld>());
        QCOMPARE(m_ends, 0);
        QCOMPARE(modOrbelle::state().imageFolder, deck.path());
        QCOMPARE(CardPictures::path(5), deck.filePath(QStringLiteral("5.jpg")));
        QCOMPARE(QDir(Paths::join(Paths::userDataFolder(), QStringLiteral("barajas")))
                     .entryList(QDir::Files)
                     .size(),
                 78);
        QTRY_VERIFY(WindowRegistry::isLoaded<rtfViewer>());
        rtfViewer *carried = WindowRegistry::get<rtfViewer>();
        QVERIFY(carried->Box1->toPlainText().contains(QStringLiteral("La carta para hoy: La Estrella")));
        QVERIFY(carried->holdsUnsavedReadings());
        QVERIFY(Dialogs::asked().isEmpty());

        // Closing the new main window still asks about them: Cancel stays, No ends.
        Dialogs::queueButton(QMessageBox::Cancel);
        WindowRegistry::get<Start>()->close();
        QCOMPARE(m_ends, 0);
        QVERIFY(!Dialogs::asked().isEmpty());
        Dialogs::queueButton(QMessageBox::No);
        WindowRegistry::get<Start>()->close();
        QCOMPARE(m_ends, 1);
    }

    void aFolderWithoutEveryCardIsRefusedNamingThem()
    {
        QTemporaryDir deck;
        copyDeck(deck.path(), {12, 40, 77});
        ordnerSuchen *locator = openFromTheMainWindow();
        QVERIFY(locator);
        QVERIFY(locator->Dir1->setPath(deck.path()));
        locator->connectButton->click();
        QCOMPARE(Dialogs::asked(),
                 QStringList{QStringLiteral("Faltan las cartas 12, 40 y 77 en esta carpeta.")});
        // Nothing saved, nothing restarted.
        QCOMPARE(Settings::get(QStringLiteral("Imagenes")), QString());
        QCOMPARE(Settings::get(QStringLiteral("gdjeLaufwerk")), QString());
        QVERIFY(!modOrbelle::state().keepRunning);
        QVERIFY(locator->isVisible() && !locator->Timer1->isActive());

        // A picture that is there but is no picture counts as missing too, named apart.
        Dialogs::clear();
        for (int n : {12, 40})
            QVERIFY(QFile::copy(CardPictures::path(kOwnDeck, n), CardPictures::path(deck.path(), n)));
        TestEnv::writeFile(CardPictures::path(deck.path(), 77), "no es una imagen");
        locator->File1->refresh();
        locator->connectButton->click();
        QCOMPARE(Dialogs::asked(),
                 QStringList{QStringLiteral("La carta 77 de esta carpeta no se puede leer.")});
        QCOMPARE(Settings::get(QStringLiteral("Imagenes")), QString());
    }

    void settingsThatCannotBeWrittenConnectNothing()
    {
        ordnerSuchen *locator = openFromTheMainWindow();
        QVERIFY(locator);
        UnwritableSettings readOnly;
        locator->connectButton->click();
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QStringLiteral("No se puede guardar")));
        QVERIFY(!modOrbelle::state().keepRunning);
        QVERIFY(WindowRegistry::isLoaded<Start>());
        QVERIFY(!locator->Timer1->isActive());
        QCOMPARE(Settings::get(QStringLiteral("Imagenes")), QString());
    }

    void aVanishedDeckFallsBackWithOneMessage_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("settings writable") << true;
        QTest::newRow("settings read-only") << false;
    }

    void aVanishedDeckFallsBackWithOneMessage()
    {
        QFETCH(bool, writable);
        QString gone;
        {
            QTemporaryDir stick;
            gone = stick.path();
            copyDeck(gone);
            Settings::set(QStringLiteral("Imagenes"), gone);
        }
        // Made unwritable after it was read: the store still knows the folder, but
        // nothing can be written any more.
        Settings::get(QStringLiteral("Imagenes"));
        std::optional<UnwritableSettings> readOnly;
        if (!writable)
            readOnly.emplace(false);
        modOrbelle::Main();
        QCOMPARE(m_ends, 0);
        QCOMPARE(modOrbelle::state().imageFolder, kOwnDeck);
        QVERIFY(WindowRegistry::isLoaded<anima>());
        QVERIFY(WindowRegistry::get<anima>()->loaded());
        QCOMPARE(Dialogs::asked().size(), 1);
        QVERIFY(Dialogs::asked().first().contains(QDir::toNativeSeparators(gone)));
        if (writable) // kept, for when the stick is back
            QCOMPARE(Settings::get(QStringLiteral("Imagenes")), gone);
        // The main window comes as on any start; a second start in this run says nothing new.
        QTRY_VERIFY(WindowRegistry::isLoaded<Start>() && WindowRegistry::get<Start>()->isVisible());
        modOrbelle::state().keepRunning = true;
        WindowRegistry::unloadAll();
        modOrbelle::readStartSettings();
        modOrbelle::Main();
        QCOMPARE(Dialogs::asked().size(), 1);
        QCOMPARE(m_ends, 0);
        QCOMPARE(modOrbelle::state().imageFolder, kOwnDeck);
    }
};

ORBELLE_TEST_MAIN(tst_Locator)
#include "tst_locator.moc"
