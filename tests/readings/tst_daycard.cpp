// The card of the day through its windows: deal, draw, interpretation, report and back.

#include "cardpictures.h"
#include "deuttag.h"
#include "dialogs.h"
#include "legtag.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "random.h"
#include "readingdriver.h"
#include "recordcursor.h"
#include "report.h"
#include "rtfviewer.h"
#include "settings.h"
#include "start.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

class tst_DayCard : public QObject
{
    Q_OBJECT

    legTag *dealtTable()
    {
        WindowRegistry::get<Start>()->show();
        legTag *table = WindowRegistry::get<legTag>();
        table->show();
        [&] { QTRY_VERIFY(table->mayDraw()); }();
        return table;
    }

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingFromTheMainButton()
    {
        Random::seed(2026);
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->readingButton("dayCardButton")->click();
        QTRY_VERIFY(WindowRegistry::isLoaded<legTag>() && WindowRegistry::get<legTag>()->isVisible());
        legTag *table = WindowRegistry::get<legTag>();
        deutTag *reading = WindowRegistry::get<deutTag>();
        QVERIFY(!reading->isVisible());
        // The card was drawn before the first back was dealt.
        QVERIFY(!reading->im1.isNull());
        QCOMPARE(table->slotImage(1), reading->im1);
        QTRY_VERIFY(table->mayDraw());
        for (int i = 0; i < 78; ++i)
            QVERIFY2(table->backVisible(i), qPrintable(QString::number(i)));
        meld *prompt = WindowRegistry::ifLoaded<meld>();
        QVERIFY(prompt && prompt->isVisible());

        // A real click on the topmost back under the mouse.
        const QRect r = table->backRect(40);
        const QPoint where = r.center();
        const int hit = table->backAt(where);
        QVERIFY(hit >= 40);
        QTest::mouseClick(table, Qt::LeftButton, {}, where);
        QVERIFY(!table->backVisible(hit) && !table->labelVisible(hit));
        QVERIFY(!table->slotVisible(1));
        QTRY_VERIFY(table->slotVisible(1));
        QTRY_VERIFY(reading->isVisible());
        QVERIFY(!table->isVisible());
        QVERIFY(WindowRegistry::isLoaded<legTag>());

        const QString table_ = deutTag::tableOf(reading->meaningSet());
        QVERIFY(!TestEnv::rowText(table_, reading->card()).isEmpty());
        QTRY_COMPARE(reading->Box1->toPlainText(), TestEnv::rowText(table_, reading->card()));

        const QStringList sounds = MediaControl::recordedCommands();
        QCOMPARE(sounds.count(QStringLiteral("play zvuk.wav")), 77);
        QCOMPARE(sounds.count(QStringLiteral("play backarte.wav")), 1);
        QVERIFY(sounds.indexOf(QStringLiteral("open zvuk.wav")) <
                sounds.indexOf(QStringLiteral("play zvuk.wav")));
        QCOMPARE(sounds.last(), QStringLiteral("close"));
    }

    void guardarAppendsHeadingPictureAndMeaningEachTime()
    {
        legTag *table = dealtTable();
        table->drawNext();
        deutTag *reading = WindowRegistry::get<deutTag>();
        QTRY_VERIFY(reading->isVisible());
        QTRY_VERIFY(!reading->Box1->toPlainText().isEmpty());
        reading->saveButton->click();
        reading->saveButton->click();
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        QVERIFY(viewer->isVisible());
        QTextDocument *doc = viewer->Box1->document();
        const QString heading = QStringLiteral("La carta para ") + Report::today();
        QCOMPARE(doc->toPlainText().count(heading), 2);
        QCOMPARE(doc->toPlainText().count(reading->Box1->toPlainText()), 2);
        int pictures = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.charFormat().isImageFormat())
                    ++pictures;
                else if (f.text().startsWith(QStringLiteral("La carta para")))
                    QCOMPARE(f.charFormat().fontPointSize(), 14.0);
                else if (f.text() == reading->Box1->toPlainText().split(QLatin1Char('\n')).first())
                    QCOMPARE(f.charFormat().fontPointSize(), 12.0);
            }
        }
        QCOMPARE(pictures, 2);
        // The heading, an empty line, the picture, an empty line, the meaning.
        const QStringList lines = doc->toPlainText()
                                      .split(QChar::ParagraphSeparator)
                                      .join(QLatin1Char('\n'))
                                      .split(QLatin1Char('\n'));
        const int at = int(lines.indexOf(heading));
        QVERIFY(at >= 0);
        QCOMPARE(lines.mid(at + 1, 4),
                 ReadingDriver::pictureBlock(reading->Box1->toPlainText().split(QLatin1Char('\n')).first()));
    }

    void clicksDuringTheDealDoNothing()
    {
        legTag *table = WindowRegistry::get<legTag>();
        table->show();
        QTRY_VERIFY(table->dealCount() > 10);
        QVERIFY(!table->mayDraw());
        QTest::mouseClick(table, Qt::LeftButton, {}, table->backRect(3).center());
        table->clickBack(5);
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!MediaControl::recordedCommands().contains(QStringLiteral("open backarte.wav")));
        QVERIFY(table->labelVisible(3) && table->labelVisible(5));
    }

    void oneDrawOnlyAndTheSameBackNeverTwice()
    {
        legTag *table = dealtTable();
        table->clickBack(12);
        table->clickBack(12);
        table->clickBack(30);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play backarte.wav")), 1);
        QVERIFY(!table->labelVisible(12));
        QVERIFY(table->labelVisible(30) && table->backVisible(30));
    }

    void theKeyboardDrawsTheTopBack()
    {
        legTag *table = dealtTable();
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!table->backVisible(77));
        QVERIFY(table->backVisible(76));
        QTRY_VERIFY(table->slotVisible(1));
    }

    void aRightClickOpensThePopupAndDrawsNothing()
    {
        legTag *table = dealtTable();
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::mouseRelease(table, Qt::RightButton, {}, table->backRect(20).center());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QVERIFY(!MediaControl::recordedCommands().contains(QStringLiteral("open backarte.wav")));
        for (int i = 0; i < 78; ++i)
            QVERIFY(table->labelVisible(i));
        // During the deal too.
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        legTag *again = WindowRegistry::get<legTag>();
        again->show();
        QTest::mouseRelease(again, Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(WindowRegistry::get<frmMeni>()->mnuMeni->isVisible());
        WindowRegistry::get<frmMeni>()->mnuMeni->hide();
    }

    void musicStartsAtTheEndOfTheDealOnlyWhenNotPlaying_data() { TestEnv::addMusicRuleRows(); }
    void musicStartsAtTheEndOfTheDealOnlyWhenNotPlaying()
    {
        QFETCH(QString, musakt);
        QFETCH(bool, musicOn);
        QFETCH(bool, starts);
        Settings::set(QStringLiteral("musakt"), musakt);
        modOrbelle::state().musicOn = musicOn ? QVariant(true) : QVariant();
        legTag *table = WindowRegistry::get<legTag>();
        QCOMPARE(modOrbelle::state().musicActive.toString(), musakt);
        table->show();
        QTRY_VERIFY(table->mayDraw());
        bool played = false;
        for (const MediaControl::Event &e : MediaControl::recorded())
            played |=
                e.command == QStringLiteral("play") && e.fileName.contains(QStringLiteral("Klang/Ostrel/"));
        QCOMPARE(played, starts);
        QCOMPARE(Settings::get(QStringLiteral("musakt")), starts ? QStringLiteral("ja") : musakt);
    }

    void eachMeaningSetShowsItsPictureAndTable()
    {
        QSet<int> seen;
        for (quint64 seed = 1; seen.size() < 3 && seed < 200; ++seed) {
            Random::seed(seed);
            WindowRegistry::unloadAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            legTag *table = WindowRegistry::get<legTag>();
            deutTag *reading = WindowRegistry::get<deutTag>();
            const int set = reading->meaningSet();
            if (seen.contains(set))
                continue;
            seen.insert(set);
            const QImage upright = CardPictures::load(reading->card());
            const QImage expected = set == 3 ? CardPictures::halfTurn(upright) : upright;
            QCOMPARE(reading->im1, expected);
            QCOMPARE(table->slotImage(1), expected);
            QCOMPARE(reading->Image1->pixmap().toImage().convertToFormat(expected.format()), expected);
            QTRY_COMPARE(reading->Box1->toPlainText(),
                         TestEnv::rowText(QStringLiteral("tag%1").arg(set), reading->card()));
        }
        QCOMPARE(seen.size(), 3);
    }

    void firstAndLastCardReadTheirRows_data()
    {
        QTest::addColumn<int>("card");
        QTest::newRow("1") << 1;
        QTest::newRow("78") << 78;
    }
    void firstAndLastCardReadTheirRows()
    {
        QFETCH(int, card);
        // The reading positions its cursor as every reading does, from wherever it stands.
        deutTag *reading = WindowRegistry::get<deutTag>();
        QTRY_VERIFY(!reading->Timer1->isActive());
        reading->Data1->moveLast();
        positionAtCard(*reading->Data1, card);
        QCOMPARE(reading->Data1->absolutePosition(), card - 1);
        QCOMPARE(reading->Box1->toPlainText(),
                 TestEnv::rowText(deutTag::tableOf(reading->meaningSet()), card));
    }

    void setsAndCardsSpreadEvenly()
    {
        // A fixed seed, and bounds that a formula missing a card, a set, or favouring one
        // would break.
        Random::seed(78);
        const int n = 78 * 400;
        std::array<int, 4> sets{};
        std::array<int, 79> cards{};
        for (int i = 0; i < n; ++i) {
            const Spread d = drawDayCard();
            QCOMPARE(d.size(), 1);
            QVERIFY(d.meaningSet >= 1 && d.meaningSet <= 3);
            QCOMPARE(d.isReversed(1), d.meaningSet == 3);
            QVERIFY(d.card(1) >= 1 && d.card(1) <= 78);
            ++sets[size_t(d.meaningSet)];
            ++cards[size_t(d.card(1))];
        }
        for (int s = 1; s <= 3; ++s)
            QVERIFY2(std::abs(sets[size_t(s)] - n / 3) < n / 100,
                     qPrintable(QString::number(sets[size_t(s)])));
        double chi2 = 0;
        const double expected = n / 78.0;
        for (int c = 1; c <= 78; ++c)
            chi2 += (cards[size_t(c)] - expected) * (cards[size_t(c)] - expected) / expected;
        // 77 degrees of freedom: 99.9 % of fair runs stay below 126.
        QVERIFY2(chi2 < 126, qPrintable(QString::number(chi2)));
    }

    void theDayCardLeavesTheOtherReadingsMarksAlone()
    {
        CardMarks &marks = modOrbelle::state().cardTaken;
        for (int c = 1; c <= 77; ++c)
            marks.mark(c);
        deutTag *reading = WindowRegistry::get<deutTag>();
        QVERIFY(reading->card() >= 1 && reading->card() <= 78);
        QCOMPARE(marks.unmarkedCount(), 1);
        QVERIFY(!marks.isTaken(78));
    }

    void backLeavesTheMainWindowIdle_data()
    {
        QTest::addColumn<bool>("viaPopup");
        QTest::newRow("Atrás") << false;
        QTest::newRow("Al menu principal") << true;
    }
    void backLeavesTheMainWindowIdle()
    {
        QFETCH(bool, viaPopup);
        Start *main = WindowRegistry::get<Start>();
        main->show();
        QVERIFY(main->solo->isEnabled() && main->boardButton->isEnabled());
        main->readingButton("dayCardButton")->click();
        // No free board in the middle of the card of the day.
        QVERIFY(!main->solo->isEnabled() && !main->boardButton->isEnabled());
        QTRY_VERIFY(WindowRegistry::isLoaded<legTag>());
        legTag *table = WindowRegistry::get<legTag>();
        QTRY_VERIFY(table->mayDraw());
        table->drawNext();
        QTRY_VERIFY(WindowRegistry::get<deutTag>()->isVisible());
        if (viaPopup)
            WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        else
            WindowRegistry::get<deutTag>()->backButton->click();
        QCOMPARE(ReadingDriver::stillLoaded({"legTag", "deutTag", "meld", "anima"}), QString());
        QVERIFY(TestEnv::mainWindowIdle());
        QVERIFY(main->mnuMusik->isEnabled() && main->mnuSpiel->isEnabled());
        QVERIFY(main->solo->isEnabled() && main->boardButton->isEnabled());
    }

    void closingAWindowOfTheReadingByItsFrameGoesBackToTheMainMenu_data()
    {
        QTest::addColumn<bool>("theInterpretation");
        QTest::newRow("the laying, while dealing") << false;
        QTest::newRow("the interpretation") << true;
    }
    void closingAWindowOfTheReadingByItsFrameGoesBackToTheMainMenu()
    {
        QFETCH(bool, theInterpretation);
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->readingButton("dayCardButton")->click();
        QTRY_VERIFY(WindowRegistry::isLoaded<legTag>() && WindowRegistry::get<legTag>()->isVisible());
        legTag *table = WindowRegistry::get<legTag>();
        QWidget *closing = table;
        if (theInterpretation) {
            QTRY_VERIFY(table->mayDraw());
            table->drawNext();
            QTRY_VERIFY(WindowRegistry::get<deutTag>()->isVisible());
            closing = WindowRegistry::get<deutTag>();
        }
        closing->close();
        QCOMPARE(ReadingDriver::stillLoaded({"legTag", "deutTag", "meld"}), QString());
        QVERIFY(TestEnv::mainWindowIdle());
        // The two-second end of the laying no longer opens the interpretation.
        QCOMPARE(TestEnv::runningTimers(), QStringList());
        QTest::qWait(Timer::scaled(2500));
        QVERIFY(!WindowRegistry::isLoaded<deutTag>());
    }
};

ORBELLE_TEST_MAIN(tst_DayCard)
#include "tst_daycard.moc"
