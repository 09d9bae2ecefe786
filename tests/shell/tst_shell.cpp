// The shell driven as a user drives it, at a small time scale: the intro, the main
// window's buttons and menus, the two panels, the info window and the popup.

#include "allwindows.h"
#include "anima.h"
#include "backdrop.h"
#include "designscale.h"
#include "dialogs.h"
#include "info.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "music.h"
#include "panels.h"
#include "paths.h"
#include "popup.h"
#include "program.h"
#include "rtfviewer.h"
#include "settings.h"
#include "start.h"
#include "testenv.h"
#include "textbutton.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {
// Stands in for a window another part of the program builds: it counts how often it
// was shown.
class Stand : public QWidget
{
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent *) override { ++shows; }
};

// Counts how often windows of a name are shown, whatever class they are.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(const QString &name) : m_name(name) { qApp->installEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->objectName() == m_name)
            ++shows;
        return false;
    }

private:
    QString m_name;
};

} // namespace

class tst_Shell : public QObject
{
    Q_OBJECT
    int m_ends = 0;

    static Start *shownMain()
    {
        Start *s = WindowRegistry::get<Start>();
        s->show();
        return s;
    }

private slots:
    void initTestCase()
    {
        Program::setEndHandler([this](int) { ++m_ends; });
        registerAllWindows();
        // The windows of the readings, as far as the shell needs them.
        for (const char *name :
             {"legTag", "legkreuz", "eingabe", "frmDrag", "lernen", "rtfViewer", "ordnerSuchen", "deutf",
              "kreuz", "deutTag", "slika", "bezi", "legBez", "alleImagenes"}) {
            const QString n = QString::fromLatin1(name);
            if (!TestEnv::isKnown(n))
                TestEnv::standIn(n, [] { return new Stand; });
        }
    }

    void init()
    {
        TestEnv::freshStart();
        m_ends = 0;
    }

    void introDealsItsFanThenTheTitleThenTheMainWindow()
    {
        anima *intro = WindowRegistry::get<anima>();
        QVERIFY(intro->loaded());
        intro->show();
        QList<int> visibleAtTick;
        connect(intro->Timer1, &QTimer::timeout, intro, [&] {
            int n = 0;
            for (QLabel *card : intro->Image1)
                n += card->isVisible();
            visibleAtTick << n;
        });
        QTRY_VERIFY(intro->Image2->isVisible());
        // Index 0 comes with the first card, then one more each tick; tick 11 deals none.
        QCOMPARE(visibleAtTick, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11}));
        for (QLabel *card : intro->Image1)
            QVERIFY(!card->isVisible());
        QVERIFY(!WindowRegistry::isLoaded<Start>() || !WindowRegistry::get<Start>()->isVisible());
        QTRY_VERIFY(WindowRegistry::isLoaded<Start>() && WindowRegistry::get<Start>()->isVisible());
        QVERIFY(!intro->isVisible());
        QVERIFY(WindowRegistry::isLoaded<anima>()); // hidden, still loaded, music going on
        QCOMPARE(MediaControl::recordedCommands(),
                 (QStringList{QStringLiteral("open corvin.mid"), QStringLiteral("play corvin.mid")}));
    }

    void aClickSkipsAtOnceAndKeepsTheMusic()
    {
        Timer::setTimeScale(1.0);
        anima *intro = WindowRegistry::get<anima>();
        intro->show();
        QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!intro->isVisible());
        QVERIFY(WindowRegistry::get<Start>()->isVisible());
        QVERIFY(!intro->Timer1->isActive() && !intro->Timer2->isActive() && !intro->Timer3->isActive());
        QVERIFY(intro->Timer4->isActive());
        QTRY_COMPARE(MediaControl::recordedCommands().size(), 2);
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("play corvin.mid"));
    }

    void aDeckMissingAnIntroPictureStartsWithAnEmptyFrame()
    {
        QTemporaryDir deck;
        // Everything the intro shows but 11.jpg, and 3.jpg damaged.
        for (int n : {1, 2, 4, 5, 6, 7, 8, 9, 10, 12})
            QVERIFY(QFile::copy(QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes/%1.jpg").arg(n),
                                deck.filePath(QStringLiteral("%1.jpg").arg(n))));
        TestEnv::writeFile(deck.filePath(QStringLiteral("3.jpg")), QByteArray("\xff\xd8\xff not a picture"));
        Settings::set(QStringLiteral("Imagenes"), deck.path());
        static QStringList logged;
        logged.clear();
        const QtMessageHandler before =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) {
                if (m.startsWith(QStringLiteral("orbelle:")))
                    logged << m;
            });
        modOrbelle::Main();
        qInstallMessageHandler(before);
        // One line names both.
        QCOMPARE(logged.size(), 1);
        QVERIFY2(logged.first().endsWith(QStringLiteral("3.jpg, 11.jpg")), qPrintable(logged.first()));
        QCOMPARE(m_ends, 0);
        QVERIFY(WindowRegistry::isLoaded<anima>());
        anima *intro = WindowRegistry::get<anima>();
        QVERIFY(intro->isVisible());
        QVERIFY(!intro->loaded());
        QCOMPARE(Settings::get(QStringLiteral("Imagenes")), deck.path());
        QVERIFY(Dialogs::asked().isEmpty());
        // The whole fan dealt: the two frames stay empty, every other card shows.
        QList<bool> shown, empty;
        connect(intro->Timer1, &QTimer::timeout, intro, [&] {
            if (intro->dealCount() != 10)
                return;
            for (size_t k = 0; k < intro->Image1.size(); ++k) {
                shown << (intro->Image1[k]->isVisible() && intro->Shape1[k]->isVisible());
                empty << intro->Image1[k]->pixmap().isNull();
            }
        });
        QTRY_VERIFY(!shown.isEmpty());
        for (size_t k = 0; k < intro->Image1.size(); ++k) {
            const bool lost = anima::kCards[k] == 11 || anima::kCards[k] == 3;
            QVERIFY(shown[qsizetype(k)]);
            QCOMPARE(empty[qsizetype(k)], lost);
        }
        // The intro still runs its course to the main window.
        QTRY_VERIFY(WindowRegistry::isLoaded<Start>() && WindowRegistry::get<Start>()->isVisible());
    }

    void aDeckWithNothingReadableGivesWayToTheProgramsOwn()
    {
        QTemporaryDir deck;
        TestEnv::writeFile(deck.filePath(QStringLiteral("1.jpg")), QByteArray("not a picture"));
        Settings::set(QStringLiteral("Imagenes"), deck.path());
        modOrbelle::Main();
        // This run shows the program's own deck, and says so once.
        QCOMPARE(modOrbelle::state().imageFolder, QStringLiteral(ORBELLE_PROGRAM_DIR "/Imagenes"));
        QVERIFY(WindowRegistry::isLoaded<anima>() && WindowRegistry::get<anima>()->loaded());
        QCOMPARE(m_ends, 0);
        QCOMPARE(Dialogs::asked().size(), 1);
        QCOMPARE(Dialogs::iconOf(Dialogs::asked().first()), QMessageBox::Warning);
    }

    void dayCardButton()
    {
        ShowCounter laying(QStringLiteral("legTag"));
        Start *s = shownMain();
        for (int press = 0; press < 2; ++press) {
            s->readingButton("dayCardButton")->click();
            QCOMPARE(s->windowTitle(), QStringLiteral("Orbelle: La carta de hoy"));
            QVERIFY(!s->mnuMusik->isEnabled() && !s->mnuSpiel->isEnabled() && !s->solo->isEnabled());
            QVERIFY(s->mnuView->isEnabled());
            QVERIFY(!s->Picture1->isVisible());
            QVERIFY(s->shuffleTimer->isActive());
            QVERIFY(WindowRegistry::get<meld>()->isVisible());
        }
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QTRY_COMPARE(laying.shows, 1);
        QVERIFY(!s->shuffleTimer->isActive());
    }

    void crossButtonPlacesThePromptAndClosesTheIntro()
    {
        WindowRegistry::get<anima>();
        Start *s = shownMain();
        s->readingAction("mnukreuz")->trigger();
        QCOMPARE(s->windowTitle(), QStringLiteral("Orbelle: Cruz"));
        QVERIFY(!s->mnuSpiel->isEnabled() && !s->solo->isEnabled() && !s->mnuMusik->isEnabled());
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("close"));
        auto *prompt = WindowRegistry::get<einfF>();
        QVERIFY(prompt->isVisible());
        const QRect f = s->frameGeometry();
        QCOMPARE(prompt->x(), f.left() + f.width() / 2 - Twips::px(2500));
        QCOMPARE(prompt->y(), f.top() + f.height() / 2 - prompt->frameGeometry().height());
    }

    void relationshipSchoolAndBoardButtons()
    {
        Start *s = shownMain();
        WindowRegistry::get<anima>();
        s->readingButton("relationshipButton")->click();
        QCOMPARE(s->windowTitle(), QStringLiteral("Orbelle: Relación"));
        QVERIFY(s->isMinimized());
        QVERIFY(WindowRegistry::isLoaded<anima>()); // the relationship leaves the intro alone
        QWidget *names = TestEnv::ifLoaded(QStringLiteral("eingabe"));
        QVERIFY(names && names->isVisible());

        s->showIdle();
        modOrbelle::state().musicOn = true;
        s->schoolButton->click();
        QCOMPARE(s->windowTitle(), QStringLiteral("Orbelle: Escuela de Tarot"));
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QVERIFY(TestEnv::ifLoaded(QStringLiteral("lernen"))->isVisible());
        QCOMPARE(Settings::get(QStringLiteral("musakt")), QStringLiteral("ja"));
        // The player's own control got "play" (the intro's got "close" as it went).
        const QList<MediaControl::Event> events = MediaControl::recorded();
        QVERIFY(std::any_of(events.begin(), events.end(), [](const MediaControl::Event &e) {
            return e.command == QStringLiteral("play") &&
                   e.fileName.contains(QStringLiteral("Klang/Ostrel/"));
        }));

        s->showIdle();
        s->boardButton->click();
        QWidget *board = TestEnv::ifLoaded(QStringLiteral("frmDrag"));
        QVERIFY(board && board->isVisible() && board->isWindow());
        QVERIFY(!WindowRegistry::isLoaded<anima>());
    }

    void disabledReadingsStayOff()
    {
        Start *s = WindowRegistry::get<Start>();
        for (QAction *a : {s->readingAction("mnuZig"), s->readingAction("mnuEnt")})
            QVERIFY(!a->isEnabled());
        for (TextButton *b : {s->readingButton("gypsyButton"), s->readingButton("decisionButton")})
            QVERIFY(!b->isEnabled());
        // The Celtic cross has its window.
        QVERIFY(s->readingAction("mnuKelt")->isEnabled() && s->readingButton("celticButton")->isEnabled());
    }

    void keyboardReachesTheButtons()
    {
        Start *s = shownMain();
        QVERIFY(QTest::qWaitForWindowExposed(s));
        s->readingButton("dayCardButton")->setFocus();
        QTest::keyClick(s->readingButton("dayCardButton"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->readingButton("crossButton"));
        QTest::keyClick(s->readingButton("crossButton"), Qt::Key_Return);
        QTRY_COMPARE(s->windowTitle(), QStringLiteral("Orbelle: Cruz"));
    }

    void shufflePanelClosesOnWhicheverTimerFirst()
    {
        // As designed: after 2.5 s.
        auto *panel = WindowRegistry::get<meld>();
        QSignalSpy t1(panel->Timer1, &QTimer::timeout);
        panel->show();
        QTRY_VERIFY(!WindowRegistry::isLoaded<meld>());
        QCOMPARE(t1.count(), 1);
        // Switched to its second timer: after 2 s.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *again = WindowRegistry::get<meld>();
        again->Timer2->setEnabled(true);
        QSignalSpy a1(again->Timer1, &QTimer::timeout), a2(again->Timer2, &QTimer::timeout);
        again->show();
        QTRY_VERIFY(!WindowRegistry::isLoaded<meld>());
        QCOMPARE(a2.count(), 1);
        QCOMPARE(a1.count(), 0);
    }

    void questionPromptOpensTheLayingOnce()
    {
        ShowCounter laying(QStringLiteral("legkreuz"));
        Start *s = shownMain();
        auto *prompt = WindowRegistry::get<einfF>();
        prompt->show();
        const int y0 = prompt->messageLabel->y();
        const double scale = DesignScale::of(prompt)->scale();
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
        // 200 twips down each time, at the panel's scale.
        QCOMPARE(prompt->messageLabel->y(), y0 + 2 * int(Twips::px(200) * scale));
        QTRY_COMPARE(laying.shows, 1);
        QTest::qWait(200);
        QCOMPARE(laying.shows, 1);
        QVERIFY(!prompt->isVisible());
        QVERIFY(WindowRegistry::isLoaded<einfF>());
        QVERIFY(s->isMinimized());
    }

    void theKeyboardOnThePrompt()
    {
        // Enter is the click; Escape gives the reading up and leaves the main window idle.
        Start *s = shownMain();
        s->readingButton("crossButton")->click();
        auto *prompt = WindowRegistry::get<einfF>();
        QTest::keyClick(prompt, Qt::Key_Return);
        QVERIFY(prompt->Timer2->isActive());
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        s = shownMain();
        s->readingButton("crossButton")->click();
        prompt = WindowRegistry::get<einfF>();
        QTest::keyClick(prompt, Qt::Key_Escape);
        QVERIFY(!WindowRegistry::isLoaded<einfF>());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }

    void infoWindowShowsWhatItsCallerAsks()
    {
        Start *s = shownMain();
        // Contact page, then the tarot article without closing in between.
        s->contacTo->trigger();
        info *w = WindowRegistry::get<info>();
        QVERIFY(w->Text2->isVisible() && !w->Text1->isVisible() && !w->Text3->isVisible());
        QVERIFY(w->Text2->toPlainText().contains(QStringLiteral("FluidSynth")));
        QVERIFY(w->Text2->toPlainText().contains(QStringLiteral("TimGM6mb")));
        s->mnuTar->trigger();
        QVERIFY(w->Text1->isVisible() && !w->Text2->isVisible());
        QVERIFY(w->Text1->toPlainText().startsWith(QStringLiteral("¿Qué es el tarot?")));
        QVERIFY(!w->mailButton->isVisible() && !w->webButton->isVisible());
        s->mnuProg->trigger();
        QVERIFY(w->Text1->toPlainText().contains(QStringLiteral("Orbelle")));
        QVERIFY(w->Text1->toPlainText() != QStringLiteral("¿Qué es el tarot?"));

        // "Salír" unloads: the next opening starts from the design.
        w->exitButton->click();
        QVERIFY(!WindowRegistry::isLoaded<info>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        info *fresh = WindowRegistry::get<info>();
        QVERIFY(!fresh->Text1->isHidden() && !fresh->Text2->isHidden() && !fresh->Text3->isHidden());
        QCOMPARE(fresh->Text3->toPlainText().split(QLatin1Char('\n')), info::playerHelpLines());
    }

    void backToTheMainMenuUnloadsTheReadingWindowsOnly()
    {
        Start *s = shownMain();
        s->readingButton("dayCardButton")->click();
        const QStringList stay =
            QStringLiteral("frmDrag rtfViewer mojCorvin info ordnerSuchen Start").split(QLatin1Char(' '));
        const QStringList go = QStringLiteral("deutf kreuz einfF legkreuz eingabe deutTag legTag slika anima "
                                              "bezi legBez meld alleImagenes lernen")
                                   .split(QLatin1Char(' '));
        for (const QString &name : go + stay)
            QVERIFY2(TestEnv::window(name), qPrintable(name));
        WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        for (const QString &name : go)
            QVERIFY2(!TestEnv::isLoaded(name), qPrintable(name));
        for (const QString &name : stay)
            QVERIFY2(TestEnv::isLoaded(name), qPrintable(name));
        QVERIFY(s->Picture1->isVisible());
        QVERIFY(s->mnuSpiel->isEnabled() && s->solo->isEnabled() && s->mnuMusik->isEnabled());
        QCOMPARE(s->windowTitle(), QStringLiteral("Orbelle"));
        QVERIFY(!s->isMinimized());
        QCOMPARE(m_ends, 0);
    }

    void popupOpensOnTheRightButtonOnly()
    {
        auto *prompt = WindowRegistry::get<einfF>();
        prompt->show();
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::mouseClick(prompt->messageLabel, Qt::MiddleButton);
        QVERIFY(!menu->isVisible());
        QTest::mouseRelease(prompt->messageLabel, Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QVERIFY(!prompt->Timer2->isActive()); // the right button is not a click
    }

    void exitEndsUnlessARestartWasAsked()
    {
        Start *s = WindowRegistry::get<Start>();
        TestEnv::window(QStringLiteral("mojCorvin"));
        s->show();
        s->close();
        QCOMPARE(m_ends, 1);
        QVERIFY(!TestEnv::isLoaded(QStringLiteral("mojCorvin")));

        // The restart unloads the main window without ending; the frame's close of the new
        // one is the exit all the same.
        modOrbelle::state().keepRunning = true;
        Start *again = WindowRegistry::get<Start>();
        again->show();
        WindowRegistry::unload(again);
        QCOMPARE(m_ends, 1);
        WindowRegistry::get<Start>()->show();
        WindowRegistry::get<Start>()->close();
        QCOMPARE(m_ends, 2);
        modOrbelle::state().keepRunning = false;

        // Readings in the report that were never saved: the user is asked first.
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        viewer->insertText(QStringLiteral("\r\nLa carta para hoy"));
        Dialogs::queueButton(QMessageBox::Cancel);
        WindowRegistry::get<Start>()->exitButton->click();
        QCOMPARE(m_ends, 2);
        QVERIFY(WindowRegistry::isLoaded<Start>());
        Dialogs::queueButton(QMessageBox::No);
        WindowRegistry::get<Start>()->exitButton->click();
        QCOMPARE(m_ends, 3);
        WindowRegistry::get<frmMeni>()->mnuEnde->trigger();
        QCOMPARE(m_ends, 4);
    }
};

ORBELLE_TEST_MAIN(tst_Shell)
#include "tst_shell.moc"
