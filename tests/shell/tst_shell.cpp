// The shell driven as a user drives it, at a small time scale: the intro, the main
// window's buttons and menus, the two panels, the info window, the popup, and the ways
// back to the main menu that every reading shares.

#include "anima.h"
#include "info.h"
#include "interpretation.h"
#include "mediacontrol.h"
#include "readingcatalogue.h"
#include "readingdriver.h"
#include "settings.h"
#include "textbutton.h"

#include <QFile>
#include <QTemporaryDir>

using ReadingDriver::shownMain;
using ReadingDriver::Stage;

class tst_Shell : public QObject
{
    Q_OBJECT
    int m_ends = 0;

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun([this](int) { ++m_ends; });
    }

    void init()
    {
        QVERIFY(ReadingDriver::freshRun());
        m_ends = 0;
    }

    void aClickSkipsAtOnceAndKeepsTheMusic()
    {
        Timer::setTimeScale(1.0);
        anima *intro = WindowRegistry::get<anima>();
        intro->show();
        QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!intro->isVisible());
        QVERIFY(WindowRegistry::get<Start>()->isVisible());
        QVERIFY(WindowRegistry::isLoaded<anima>()); // hidden, still loaded, its music going on
        QVERIFY(!intro->Timer1->isActive() && !intro->Timer2->isActive() && !intro->Timer3->isActive() &&
                !intro->Timer5->isActive());
        QTRY_COMPARE(MediaControl::recordedCommands().size(), 2);
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("play corvin.mid"));
        // Its piece played to the end, its device is closed: nothing stays open at rest.
        emit intro->MMControl1->playbackFinished();
        QTRY_COMPARE(MediaControl::recordedCommands().last(), QStringLiteral("close"));
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
        modOrbelle::Main();
        // The deck stays connected, nobody is asked.
        QCOMPARE(m_ends, 0);
        anima *intro = WindowRegistry::ifLoaded<anima>();
        QVERIFY(intro && intro->isVisible() && !intro->loaded());
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
            QVERIFY(shown[qsizetype(k)]);
            QCOMPARE(empty[qsizetype(k)], anima::kCards[k] == 11 || anima::kCards[k] == 3);
        }
        // The intro still runs its course to the main window.
        QTRY_VERIFY(WindowRegistry::isLoaded<Start>() && WindowRegistry::get<Start>()->isVisible());
    }

    void aSecondPressOrClickOpensNoSecondLaying()
    {
        ReadingDriver::PromptLog log;
        const auto shows = [&](const char *name) { return log.shown.count(QString::fromLatin1(name)); };
        Start *s = shownMain();
        for (int press = 0; press < 2; ++press) {
            s->readingButton("dayCardButton")->click();
            // No other reading, no free board and no music entry meanwhile.
            QVERIFY(!s->mnuMusik->isEnabled() && !s->mnuSpiel->isEnabled() && !s->solo->isEnabled());
            QVERIFY(WindowRegistry::get<meld>()->isVisible());
        }
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QTRY_COMPARE(shows("legTag"), 1);
        QVERIFY(!s->shuffleTimer->isActive());
        // The question prompt clicked twice.
        Popup::toMainMenu();
        auto *prompt = qobject_cast<einfF *>(ReadingDriver::layReading("crossButton", Stage::Opened));
        QVERIFY(prompt);
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
        QTRY_COMPARE(shows("legkreuz"), 1);
        QTest::qWait(200);
        QCOMPARE(shows("legkreuz"), 1);
        QVERIFY(!prompt->isVisible());
    }

    void theSchoolStartsTheMusicThatIsWanted()
    {
        modOrbelle::state().musicOn = true;
        shownMain()->schoolButton->click();
        QVERIFY(TestEnv::window(QStringLiteral("lernen"))->isVisible());
        QVERIFY(TestEnv::musicPlayed());
    }

    // Every reading of the panel is laid; the gypsy spell is not offered at all.
    void everyReadingButtonLeadsSomewhere()
    {
        Start *s = WindowRegistry::get<Start>();
        QVERIFY(!s->readingAction("mnuZig") && !s->readingButton("gypsyButton"));
        QVERIFY(!s->findChild<QWidget *>(QStringLiteral("gypsyButton")));
        for (const ReadingEntry &r : ReadingCatalogue::entries())
            QVERIFY2(r.laid() && s->readingAction(r.menu.name)->isEnabled() && s->readingButton(r.button.name)->isEnabled(),
                     qPrintable(r.menu.name));
    }

    void theShufflePanelClosesByItself()
    {
        // As designed, and after the time it was given.
        WindowRegistry::get<meld>()->show();
        QTRY_VERIFY(!WindowRegistry::isLoaded<meld>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowRegistry::get<meld>()->showMessage(QStringLiteral("¡Un momento!"), meld::kShortMs);
        QTRY_VERIFY(!WindowRegistry::isLoaded<meld>());
    }

    void theKeyboardOnThePrompt()
    {
        // Escape gives the reading up and leaves the main window idle; Enter is the click.
        auto *prompt = qobject_cast<einfF *>(ReadingDriver::layReading("crossButton", Stage::Opened));
        QVERIFY(prompt);
        QTest::keyClick(prompt, Qt::Key_Escape);
        QVERIFY(!WindowRegistry::isLoaded<einfF>());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(TestEnv::runningTimers(), QStringList());
        prompt = qobject_cast<einfF *>(ReadingDriver::layReading("crossButton", Stage::Opened));
        QVERIFY(prompt);
        QTest::keyClick(prompt, Qt::Key_Return);
        QVERIFY(prompt->Timer2->isActive());
    }

    void theInfoWindowShowsWhatItsCallerAsks()
    {
        Start *s = shownMain();
        // Contact page with the credits, then the tarot article without closing in between.
        s->contacTo->trigger();
        info *w = WindowRegistry::get<info>();
        QVERIFY(w->Text2->isVisible() && !w->Text1->isVisible() && !w->Text3->isVisible());
        QVERIFY(w->Text2->toPlainText().contains(QStringLiteral("FluidSynth")));
        QVERIFY(w->Text2->toPlainText().contains(QStringLiteral("TimGM6mb")));
        s->mnuTar->trigger();
        QVERIFY(w->Text1->isVisible() && !w->Text2->isVisible());
        QVERIFY(w->Text1->toPlainText().startsWith(QStringLiteral("¿Qué es el tarot?")));
        s->mnuProg->trigger();
        QVERIFY(!w->Text1->toPlainText().startsWith(QStringLiteral("¿Qué es el tarot?")));
        w->exitButton->click();
        QVERIFY(!WindowRegistry::isLoaded<info>());
    }

    void backToTheMainMenuUnloadsTheReadingWindowsOnly()
    {
        Start *s = shownMain();
        s->readingButton("dayCardButton")->click();
        const QStringList stay =
            QStringLiteral("frmDrag rtfViewer mojCorvin info ordnerSuchen Start").split(QLatin1Char(' '));
        const QStringList go = QStringLiteral("deutf kreuz einfF legkreuz eingabe deutTag legTag slika anima "
                                              "bezi legBez meld alleImagenes lernen deutKelt legKelt")
                                   .split(QLatin1Char(' '));
        for (const QString &name : go + stay)
            QVERIFY2(TestEnv::window(name), qPrintable(name));
        WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        for (const QString &name : go)
            QVERIFY2(!TestEnv::isLoaded(name), qPrintable(name));
        for (const QString &name : stay)
            QVERIFY2(TestEnv::isLoaded(name), qPrintable(name));
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(m_ends, 0);
    }

    // "Atrás", the popup's "Al menu principal" and the frame's close, at every stage of
    // every reading: the reading's windows, the shuffle panel and the intro unloaded, no
    // timer left running, the main window idle with the keyboard on its first reading, and
    // a report saved on the way kept.
    void everyWayBackLeavesTheMainWindowIdle_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>(
            "way"); // "Atrás", "popup", "frame" (the window reached), or a window's name
        const auto row = [](const char *button, Stage stage, const char *way) {
            static const char *stages[] = {"opened", "dealing", "laid"};
            QTest::addRow("%s %s %s", button, stages[stage], way)
                << QString::fromLatin1(button) << int(stage) << QString::fromUtf8(way);
        };
        for (const char *button : {"dayCardButton", "crossButton", "relationshipButton", "celticButton", "decisionButton"}) {
            row(button, Stage::Dealing, "popup");
            row(button, Stage::Dealing, "frame");
            row(button, Stage::Laid, "Atrás");
            row(button, Stage::Laid, "popup");
            row(button, Stage::Laid, "frame");
        }
        row("crossButton", Stage::Opened, "frame");
        row("crossButton", Stage::Laid, "kreuz");
        row("relationshipButton", Stage::Opened, "frame");
    }
    void everyWayBackLeavesTheMainWindowIdle()
    {
        QFETCH(QString, button);
        QFETCH(int, stage);
        QFETCH(QString, way);
        WindowRegistry::get<anima>();
        if (button == QStringLiteral("decisionButton"))
            Dialogs::queueInput(QStringLiteral("¿Me mudo?"));
        QWidget *reached = ReadingDriver::layReading(button, Stage(stage));
        QVERIFY(reached);
        auto *reading = qobject_cast<InterpretationWindow *>(reached);
        if (reading) {
            Dialogs::queueInput(QString());
            reading->saveButton->click();
        }
        if (way == QStringLiteral("Atrás"))
            reading->backButton->click();
        else if (way == QStringLiteral("popup"))
            WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        else
            (way == QStringLiteral("frame") ? reached : TestEnv::window(way))->close();
        std::vector<WindowId> gone = ReadingCatalogue::byName(button)->windows;
        gone.insert(gone.end(), {WindowId::meld, WindowId::anima});
        for (WindowId id : gone)
            QVERIFY2(!WindowRegistry::isLoaded(id), qPrintable(windowName(id)));
        QVERIFY(TestEnv::mainWindowIdle());
        // The keyboard is back on the first reading of the panel.
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget *>(WindowRegistry::get<Start>()->readingButton("decisionButton")));
        // The viewer outlives the reading with what was saved, and its own timers.
        if (reading) {
            QVERIFY(WindowRegistry::isLoaded<rtfViewer>());
            QVERIFY(WindowRegistry::get<rtfViewer>()->holdsUnsavedReadings());
            WindowRegistry::unload<rtfViewer>();
        }
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }

    void thePopupOpensByTheRightButtonOrItsKeysOnly()
    {
        auto *prompt = WindowRegistry::get<einfF>();
        prompt->show();
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        // Neither the middle button nor F10 alone.
        QTest::mouseClick(prompt->messageLabel, Qt::MiddleButton);
        QTest::keyClick(prompt, Qt::Key_F10);
        QVERIFY(!menu->isVisible());
        for (int way = 0; way < 3; ++way) {
            if (way == 0)
                QTest::mouseRelease(prompt->messageLabel, Qt::RightButton);
            else
                QTest::keyClick(prompt, way == 1 ? Qt::Key_Menu : Qt::Key_F10,
                                way == 1 ? Qt::NoModifier : Qt::ShiftModifier);
            QTRY_VERIFY2(menu->isVisible(), qPrintable(QString::number(way)));
            menu->hide();
        }
        QVERIFY(!prompt->Timer2->isActive()); // none of them is a click on the prompt
    }

    void everyExitEndsAndAsksAboutUnsavedReadings()
    {
        TestEnv::window(QStringLiteral("mojCorvin"));
        shownMain()->close();
        QCOMPARE(m_ends, 1);
        QVERIFY(!TestEnv::isLoaded(QStringLiteral("mojCorvin")));

        // Readings in the report that were never saved: the user is asked first.
        Start *again = shownMain();
        WindowRegistry::get<rtfViewer>()->insertText(QStringLiteral("\r\nLa carta para hoy"));
        Dialogs::queueButton(QMessageBox::Cancel);
        again->exitButton->click();
        QCOMPARE(m_ends, 1);
        QVERIFY(WindowRegistry::isLoaded<Start>());
        Dialogs::queueButton(QMessageBox::No);
        WindowRegistry::get<Start>()->exitButton->click();
        QCOMPARE(m_ends, 2);
        WindowRegistry::get<frmMeni>()->mnuEnde->trigger();
        QCOMPARE(m_ends, 3);
    }
};

ORBELLE_TEST_MAIN(tst_Shell)
#include "tst_shell.moc"
