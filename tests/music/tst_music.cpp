// The music player driven as the user drives it. Sounds go to the recording media device,
// whose files "end" after their own length at the tests' time scale.

#include "allwindows.h"
#include "carddatabase.h"
#include "dialogs.h"
#include "filelists.h"
#include "mediacontrol.h"
#include "mediafixtures.h"
#include "modOrbelle.h"
#include "mojcorvin.h"
#include "music.h"
#include "paths.h"
#include "program.h"
#include "settings.h"
#include "start.h"
#include "testenv.h"

#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

class tst_Music : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_folder;
    int m_ends = 0;

    // The next start of the program: windows and run state gone, the settings kept.
    static void restart()
    {
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        modOrbelle::resetSharedState();
        Settings::reopen();
        MediaControl::clearRecorded();
        modOrbelle::readStartSettings();
    }

    // A start with the music switched on and `folder` (the test's own by default) as the
    // music folder.
    mojCorvin *playerWithMusicOn(const QString &folder = {})
    {
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        Settings::set(QStringLiteral("musPfad"), folder.isEmpty() ? m_folder : folder);
        restart();
        return WindowRegistry::get<mojCorvin>();
    }

    // "command file" for the commands that name a file, "command" for the others.
    static QStringList log() { return MediaControl::recordedCommands(); }
    static bool endsWith(const QStringList &l, const QStringList &tail)
    {
        return l.size() >= tail.size() && l.mid(l.size() - tail.size()) == tail;
    }
    static QStringList opened() { return log().filter(QRegularExpression(QStringLiteral("^open "))); }

private slots:
    void initTestCase()
    {
        Program::setEndHandler([this](int) { ++m_ends; });
        registerAllWindows();
        m_folder = m_dir.filePath(QStringLiteral("musica"));
        QDir().mkpath(m_folder);
        // Written out of order: the list sorts them by name.
        for (const char *name : {"2 sol.mid", "alba.mid", "10 estrella.mid"})
            Fixtures::write(m_folder + QLatin1Char('/') + QLatin1String(name), Fixtures::midi(4, 120));
        Fixtures::write(m_folder + QStringLiteral("/notas.txt"), "no music");
        Fixtures::write(m_folder + QStringLiteral("/campana.wav"), Fixtures::wave(200));
    }

    void init()
    {
        TestEnv::freshStart();
        QVERIFY(CardDatabase::openShared(CardDatabase::pristinePath()));
        m_ends = 0;
    }

    void theFolderTreeShowsTheCurrentFolder()
    {
        QTemporaryDir root;
        const QString deep = QDir::cleanPath(root.filePath(QStringLiteral("zz/deep/musica")));
        for (int k = 0; k < 40; ++k)
            QDir(root.path()).mkpath(QStringLiteral("a%1/sub").arg(k, 2, 10, QLatin1Char('0')));
        QDir().mkpath(deep);
        FileLists::DirList tree;
        tree.resize(220, 160);
        // As the windows do: the path set while hidden, then shown.
        QVERIFY(tree.setPath(deep));
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        // Until the folders are read the path is the tree's only branch, in view anyway:
        // wait for the siblings, and the model's sort that follows them.
        auto *model = qobject_cast<QFileSystemModel *>(tree.model());
        QTRY_COMPARE(model->rowCount(model->index(root.path())), 41);
        QTest::qWait(300);
        QVERIFY(tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex())));
        QCOMPARE(QDir::cleanPath(tree.currentIndex().data(QFileSystemModel::FilePathRole).toString()), deep);
    }

    void firstStartShowsTheProgramsMusicAndStaysQuiet()
    {
        auto *p = WindowRegistry::get<mojCorvin>();
        const QString ostrel = Paths::join(Paths::programFolder(), QStringLiteral("Klang/Ostrel"));
        QCOMPARE(p->trackList->path(), QDir::cleanPath(ostrel));
        QVERIFY(p->trackList->count() > 0);
        QVERIFY(MediaControl::recorded().isEmpty());
    }

    void theFolderPlaysInListOrderThenStops()
    {
        auto *p = playerWithMusicOn();
        // The order played is the order the user sees once the model has read the folder.
        QTRY_COMPARE(p->trackList->shown(), (QStringList{"10 estrella.mid", "2 sol.mid", "alba.mid"}));
        // Load opens the first file and plays nothing yet; a reading starts it.
        QCOMPARE(log(), QStringList{"open 10 estrella.mid"});
        QVERIFY(!p->player->isPlaying());
        Music::startIfWanted();
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QStringLiteral("ja"));
        QVERIFY(p->player->isPlaying());
        QTRY_VERIFY(endsWith(log(), {"close", "close"}));
        QCOMPARE(log(), (QStringList{"open 10 estrella.mid", "play 10 estrella.mid", "close",
                                     "open 2 sol.mid", "play 2 sol.mid", "close", "open alba.mid",
                                     "play alba.mid", "close", "close"}));
        QCOMPARE(p->player->mode(), MediaControl::NotOpen);
    }

    void aClickedFilePlaysAtOnceAndTheSequenceGoesOn()
    {
        auto *p = playerWithMusicOn();
        p->mnuAn->trigger();
        MediaControl::clearRecorded();
        p->trackList->clickEntry(2);
        QCOMPARE(log(), (QStringList{"close", "open alba.mid", "play alba.mid"}));
        QVERIFY(p->player->isPlaying());
        // The sequence had opened the first file: the second follows the clicked one.
        QTRY_VERIFY(endsWith(log(), {"close", "close"}));
        QCOMPARE(opened(), (QStringList{"open alba.mid", "open 2 sol.mid", "open alba.mid"}));
    }

    void noStopsAndStaysOffAfterARestart()
    {
        auto *p = playerWithMusicOn();
        p->mnuAn->trigger();
        QTRY_COMPARE(opened().size(), 3); // the second file plays
        p->mnuAus->trigger();
        QVERIFY(endsWith(log(), {"stop", "close"}));
        QVERIFY(!p->player->isPlaying());
        // "Sí" again starts from the first file.
        p->mnuAn->trigger();
        QVERIFY(endsWith(log(), {"open 10 estrella.mid", "play 10 estrella.mid"}));
        p->mnuAus->trigger();
        restart();
        QVERIFY(!modOrbelle::isTrue(modOrbelle::state().musicOn));
        QVERIFY(MediaControl::recorded().isEmpty());
    }

    // A kind chosen in the menus, stored with "OK" or not, takes effect at the next start.
    void theKindChangesAtTheNextStart_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("files"); // listed at the next start
        QTest::newRow("CD") << QStringLiteral("CDAudio") << QString();
        QTest::newRow("wave, then OK") << QStringLiteral("waveaudio") << QStringLiteral("campana.wav");
    }
    void theKindChangesAtTheNextStart()
    {
        QFETCH(QString, device);
        QFETCH(QString, files);
        auto *p = playerWithMusicOn();
        p->show();
        (files.isEmpty() ? p->mnuCD : p->mnuWav)->trigger();
        QVERIFY(endsWith(log(), {"stop", "close"}));
        if (!files.isEmpty()) {
            p->saveButton->click();
            QCOMPARE(Dialogs::asked().size(), 1);
            QVERIFY(!p->isVisible());
            QCOMPARE(Settings::get(QStringLiteral("musPfad")), QDir::cleanPath(m_folder));
        }
        restart();
        p = WindowRegistry::get<mojCorvin>();
        QCOMPARE(MediaControl::recorded().first().deviceType, device);
        QCOMPARE(p->trackList->files().join(QLatin1Char(' ')), files);
        p->mnuMidi->trigger();
        QCOMPARE(p->trackList->count(), 3);
    }

    // Closing the player's window (its frame, "Cerrar", Escape) only hides it, and "OK" only
    // stores the choices; the program's exit ends the music.
    void theMusicEndsWithTheProgramNotWithTheWindow()
    {
        auto *p = playerWithMusicOn();
        Start *main = WindowRegistry::get<Start>();
        main->show();
        Music::startIfWanted();
        const std::function<void()> leave[] = {[&] { p->close(); }, [&] { p->closeButton->click(); },
                                               [&] { QTest::keyClick(p, Qt::Key_Escape); },
                                               [&] { p->saveButton->click(); }};
        for (const auto &away : leave) {
            p->show();
            away();
            QVERIFY(!p->isVisible() && WindowRegistry::isLoaded<mojCorvin>());
            QVERIFY(p->player->isPlaying());
            QCOMPARE(Settings::get(QStringLiteral("musakt")), QStringLiteral("ja"));
        }
        QVERIFY(!log().contains(QStringLiteral("stop")));
        main->close();
        QCOMPARE(m_ends, 1);
        QVERIFY(!WindowRegistry::isLoaded<mojCorvin>());
        QCOMPARE(log().constLast(), QStringLiteral("close"));
    }

    // Through the silent device, which refuses what a sound system would: a file that
    // cannot play is passed over with one line in the log, and a folder where nothing
    // plays is gone through once and stays quiet.
    void aFileThatCannotPlayIsPassedOver_data()
    {
        QTest::addColumn<int>("broken"); // files that cannot play
        QTest::addColumn<bool>("good");  // one that can, after them
        QTest::newRow("the first") << 1 << true;
        QTest::newRow("all") << 2 << false;
        QTest::newRow("an empty folder") << 0 << false;
    }
    void aFileThatCannotPlayIsPassedOver()
    {
        QFETCH(int, broken);
        QFETCH(bool, good);
        QTemporaryDir folder;
        for (int i = 0; i < broken; ++i) {
            Fixtures::write(folder.filePath(QStringLiteral("%1.mid").arg(i)), "MThd, but no music");
            const QRegularExpression named(QStringLiteral("/%1\\.mid").arg(i));
            QTest::ignoreMessage(QtWarningMsg, named); // once, and not twice
            QTest::failOnWarning(named);
        }
        QTest::failOnWarning(QRegularExpression(QStringLiteral("play without")));
        if (good)
            Fixtures::write(folder.filePath(QStringLiteral("z.mid")), Fixtures::midi(40, 120));
        MediaControl::stopRecording();
        MediaControl::setSoundFont(folder.filePath(QStringLiteral("none.sf2")));
        MediaControl::setOwnSoundFont(folder.filePath(QStringLiteral("none.sf2")));
        auto *p = playerWithMusicOn(folder.path());
        QSignalSpy failed(p->player, &MediaControl::playbackFailed);
        Music::startIfWanted();
        // Each once (an empty folder's one entry is the folder itself), and nothing after.
        const int failures = good ? broken : qMax(1, broken);
        QTRY_COMPARE(failed.count(), failures);
        QTRY_COMPARE(p->player->isPlaying(), good);
        QTest::qWait(100);
        QCOMPARE(failed.count(), failures);
        QVERIFY(Dialogs::asked().isEmpty());
    }
};

ORBELLE_TEST_MAIN(tst_Music)
#include "tst_music.moc"
