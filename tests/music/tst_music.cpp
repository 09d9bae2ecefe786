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
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using Ev = MediaControl::Event;

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

    // A start with the music switched on and the test's folder as the music folder.
    mojCorvin *playerWithMusicOn()
    {
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        Settings::set(QStringLiteral("musPfad"), m_folder);
        restart();
        return WindowRegistry::get<mojCorvin>();
    }

    // "command file" for the commands that name a file, "command" for the others.
    static QStringList log()
    {
        QStringList out;
        for (const Ev &e : MediaControl::recorded()) {
            const bool named = e.command == QLatin1String("open") || e.command == QLatin1String("play");
            out << (named ? e.command + QLatin1Char(' ') + QFileInfo(e.fileName).fileName() : e.command);
        }
        return out;
    }
    static bool endsWith(const QStringList &l, const QStringList &tail)
    {
        return l.size() >= tail.size() && l.mid(l.size() - tail.size()) == tail;
    }
    static QStringList opened()
    {
        QStringList out;
        for (const QString &l : log())
            if (l.startsWith(QLatin1String("open ")))
                out << l.mid(5);
        return out;
    }

private slots:
    void initTestCase()
    {
        Program::setEndHandler([this](int) { ++m_ends; });
        registerAllWindows();
        m_folder = m_dir.filePath(QStringLiteral("musica"));
        QDir().mkpath(m_folder);
        // Written out of order: the list sorts them by name.
        Fixtures::write(m_folder + QStringLiteral("/2 sol.mid"), Fixtures::midi(4, 120));
        Fixtures::write(m_folder + QStringLiteral("/alba.mid"), Fixtures::midi(4, 120));
        Fixtures::write(m_folder + QStringLiteral("/10 estrella.mid"), Fixtures::midi(4, 120));
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
        for (int k = 0; k < 40; ++k)
            QDir(root.path()).mkpath(QStringLiteral("a%1/sub").arg(k, 2, 10, QLatin1Char('0')));
        const QString deep = QDir::cleanPath(root.filePath(QStringLiteral("zz/deep/musica")));
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
        QVERIFY(QDir(ostrel).exists());
        QCOMPARE(modOrbelle::state().musicFolder.toString(), ostrel);
        QCOMPARE(p->File1->path(), QDir::cleanPath(ostrel));
        QCOMPARE(p->Dir1->path(), QDir::cleanPath(ostrel));
        QCOMPARE(p->Drive1->drive(), FileLists::DriveList::driveOf(ostrel));
        QVERIFY(p->File1->count() > 0);
        QVERIFY(!modOrbelle::isTrue(modOrbelle::state().musicOn));
        QVERIFY(MediaControl::recorded().isEmpty());
        // The readings' start does nothing while the music is off.
        Music::startIfWanted();
        QVERIFY(MediaControl::recorded().isEmpty());
    }

    void theFolderPlaysInListOrderThenStops()
    {
        auto *p = playerWithMusicOn();
        QCOMPARE(p->File1->files(), (QStringList{"10 estrella.mid", "2 sol.mid", "alba.mid"}));
        // The order played is the order the user sees once the model has read the folder.
        QTRY_COMPARE(p->File1->shown(), p->File1->files());
        // Load opens the first file and plays nothing yet.
        QCOMPARE(log(), QStringList{"open 10 estrella.mid"});
        QCOMPARE(MediaControl::recorded().first().deviceType, QStringLiteral("sequencer"));
        QVERIFY(!p->MMControl1->isPlaying());

        // A reading starts it.
        Music::startIfWanted();
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QStringLiteral("ja"));
        QTRY_COMPARE(opened().size(), 2);
        QVERIFY(p->MMControl1->isPlaying());
        QTRY_VERIFY(endsWith(log(), {"close", "close"}));
        QCOMPARE(log(), (QStringList{"open 10 estrella.mid", "play 10 estrella.mid", "close",
                                     "open 2 sol.mid", "play 2 sol.mid", "close", "open alba.mid",
                                     "play alba.mid", "close", "close"}));
        QVERIFY(!p->MMControl1->isPlaying());
        QCOMPARE(p->MMControl1->mode(), MediaControl::NotOpen);
    }

    void aClickedFilePlaysAtOnceAndTheSequenceGoesOn()
    {
        auto *p = playerWithMusicOn();
        p->mnuAn->trigger();
        QVERIFY(p->MMControl1->isPlaying());
        MediaControl::clearRecorded();
        p->File1->clickEntry(2);
        QCOMPARE(log(), (QStringList{"close", "open alba.mid", "play alba.mid"}));
        QVERIFY(p->MMControl1->isPlaying());
        QCOMPARE(p->trackPosition(), 0);
        // The sequence had opened the first file: the second follows the clicked one.
        QTRY_VERIFY(endsWith(log(), {"close", "close"}));
        QCOMPARE(opened(), (QStringList{"alba.mid", "2 sol.mid", "alba.mid"}));
    }

    void noStopsAndStaysOffAfterARestart()
    {
        auto *p = playerWithMusicOn();
        p->mnuAn->trigger();
        QTRY_COMPARE(opened().size(), 3); // the second file plays
        p->mnuAus->trigger();
        QVERIFY(endsWith(log(), {"stop", "close"}));
        QCOMPARE(Settings::get(QStringLiteral("musikja")), QString());
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QString());
        QVERIFY(!p->MMControl1->isPlaying());

        // "Sí" again starts from the first file.
        p->mnuAn->trigger();
        QCOMPARE(log().mid(log().size() - 2), (QStringList{"open 10 estrella.mid", "play 10 estrella.mid"}));
        p->mnuAus->trigger();

        restart();
        QVERIFY(!modOrbelle::isTrue(modOrbelle::state().musicOn));
        p = WindowRegistry::get<mojCorvin>();
        QVERIFY(MediaControl::recorded().isEmpty());
        // The folder was only ever set from outside; the player still lists it.
        QCOMPARE(p->File1->count(), 3);
    }

    void theCdKindAfterARestart()
    {
        auto *p = playerWithMusicOn();
        p->mnuCD->trigger();
        QVERIFY(endsWith(log(), {"stop", "close"}));
        QCOMPARE(Settings::get(QStringLiteral("wavdat")), QStringLiteral("cd"));
        QCOMPARE(p->File1->pattern(), QStringLiteral("*.cda"));
        QCOMPARE(p->File1->count(), 0);

        restart();
        p = WindowRegistry::get<mojCorvin>();
        QCOMPARE(p->File1->pattern(), QStringLiteral("*.cda"));
        QCOMPARE(MediaControl::recorded().first().deviceType, QStringLiteral("CDAudio"));

        p->mnuMidi->trigger();
        QCOMPARE(Settings::get(QStringLiteral("wavdat")), QString());
        QCOMPARE(p->File1->count(), 3);
    }

    void waveAndOkTakeEffectAtTheNextStart()
    {
        auto *p = playerWithMusicOn();
        p->show();
        p->mnuWav->trigger();
        QCOMPARE(p->File1->files(), QStringList{"campana.wav"});
        QCOMPARE(p->deviceType(), QStringLiteral("waveaudio"));
        MediaControl::clearRecorded();
        p->Command1->click();
        const QString msg =
            QStringLiteral("Las nuevas opciones son activas despues de reiniciar el programa!");
        QCOMPARE(Dialogs::asked(), QStringList{msg});
        QCOMPARE(Dialogs::iconOf(msg), QMessageBox::Warning);
        QVERIFY(!p->isVisible());
        QCOMPARE(log(), (QStringList{"stop", "close"}));
        QCOMPARE(Settings::get(QStringLiteral("musPfad")), QDir::cleanPath(m_folder));
        QCOMPARE(Settings::get(QStringLiteral("drivePfad")), FileLists::DriveList::driveOf(m_folder));
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QString());
        QCOMPARE(modOrbelle::state().waveKind, QStringLiteral("wave"));

        restart();
        p = WindowRegistry::get<mojCorvin>();
        QCOMPARE(log(), QStringList{"open campana.wav"});
        QCOMPARE(MediaControl::recorded().first().deviceType, QStringLiteral("waveaudio"));
    }

    void closingTheWindowKeepsThePlaying()
    {
        auto *p = playerWithMusicOn();
        p->show();
        Music::startIfWanted();
        p->close();
        QVERIFY(WindowRegistry::isLoaded<mojCorvin>());
        QVERIFY(!p->isVisible());
        QVERIFY(p->MMControl1->isPlaying());
        QTRY_VERIFY(endsWith(log(), {"close", "close"}));
        QCOMPARE(opened().size(), 3);
    }

    void theExitEndsTheMusic()
    {
        auto *p = playerWithMusicOn();
        Start *main = WindowRegistry::get<Start>();
        main->show();
        p->mnuAn->trigger();
        QVERIFY(p->MMControl1->isPlaying());
        main->close();
        QCOMPARE(m_ends, 1);
        QVERIFY(!WindowRegistry::isLoaded<mojCorvin>());
        QCOMPARE(log().constLast(), QStringLiteral("close"));
    }

    void nothingToPlayStaysQuiet()
    {
        QTemporaryDir empty;
        Settings::set(QStringLiteral("musPfad"), empty.path());
        Settings::set(QStringLiteral("musikja"), QStringLiteral("ja"));
        restart();
        auto *p = WindowRegistry::get<mojCorvin>();
        QCOMPARE(p->File1->count(), 0);
        p->mnuAn->trigger();
        QTRY_VERIFY(!p->MMControl1->isPlaying());
        QCOMPARE(opened().size(), 2); // load and "Sí", nothing after
        QVERIFY(Dialogs::asked().isEmpty());
    }
};

ORBELLE_TEST_MAIN(tst_Music)
#include "tst_music.moc"
