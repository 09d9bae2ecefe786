// The card of the day through its windows: deal, draw, interpretation and report. The ways
// back, shared by every reading, are tst_shell's.

#include "deuttag.h"
#include "legtag.h"
#include "mediacontrol.h"
#include "readingdriver.h"

#include <cmath>

using ReadingDriver::reportText;

class tst_DayCard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingFromTheMainButton()
    {
        Random::seed(2026);
        // The music that is wanted starts at the end of the deal (the rule itself is tst_music's).
        modOrbelle::state().musicOn = true;
        auto *table =
            qobject_cast<legTag *>(ReadingDriver::layReading("dayCardButton", ReadingDriver::Opened));
        QVERIFY(table);
        deutTag *reading = WindowRegistry::get<deutTag>();
        QVERIFY(!TestEnv::musicPlayed());
        QTRY_VERIFY(table->mayDraw());
        QVERIFY(TestEnv::musicPlayed());
        for (int i = 0; i < 78; ++i)
            QVERIFY2(table->backVisible(i), qPrintable(QString::number(i)));

        // A real click on the topmost back under the mouse.
        const QPoint where = table->backRect(40).center();
        const int hit = table->backAt(where);
        QVERIFY(hit >= 40);
        QTest::mouseClick(table, Qt::LeftButton, {}, where);
        QVERIFY(!table->backVisible(hit) && !table->labelVisible(hit) && !table->slotVisible(1));
        QTRY_VERIFY(table->slotVisible(1));
        QTRY_VERIFY(reading->isVisible());
        QVERIFY(!table->isVisible());
        const QString meaning = TestEnv::rowText(deutTag::tableOf(reading->meaningSet()), reading->card());
        QVERIFY(!meaning.isEmpty());
        QTRY_COMPARE(reading->Box1->toPlainText(), meaning);
        // A sound for each back dealt but the last, one for the draw, all closed at the end.
        const QStringList sounds = MediaControl::recordedCommands();
        QCOMPARE(sounds.count(QStringLiteral("play zvuk.wav")), 77);
        QCOMPARE(sounds.count(QStringLiteral("play backarte.wav")), 1);
        QCOMPARE(sounds.last(), QStringLiteral("close"));

        // "Guardar", twice: heading, picture and meaning appended each time.
        reading->saveButton->click();
        reading->saveButton->click();
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        const QString heading = QStringLiteral("La carta para ") + Report::today();
        const QStringList lines = ReadingDriver::reportLines();
        const QStringList block = ReadingDriver::pictureBlock(reading->cardNameLabel->text())
                                  << ReadingDriver::firstLine(meaning);
        QCOMPARE(lines.mid(lines.indexOf(heading) + 1, 5), block);
        QCOMPARE(lines.mid(lines.lastIndexOf(heading) + 1, 5), block);
        QCOMPARE(reportText().count(heading), 2);
    }

    void theTableTakesOneDrawAfterTheDealAndNoneByTheRightButton()
    {
        legTag *table = WindowRegistry::get<legTag>();
        table->show();
        // During the deal clicks and keys draw nothing.
        QTRY_VERIFY(table->dealCount() > 10);
        QVERIFY(!table->mayDraw());
        QTest::mouseClick(table, Qt::LeftButton, {}, table->backRect(3).center());
        table->clickBack(5);
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(table->labelVisible(3) && table->labelVisible(5));
        // The right button opens the popup and draws nothing.
        QTRY_VERIFY(table->mayDraw());
        QMenu *menu = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::mouseRelease(table, Qt::RightButton, {}, table->backRect(20).center());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QVERIFY(!MediaControl::recordedCommands().contains(QStringLiteral("open backarte.wav")));
        for (int i = 0; i < 78; ++i)
            QVERIFY(table->labelVisible(i));
        // The keyboard draws the topmost back; nothing draws after it.
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!table->backVisible(77) && table->backVisible(76));
        table->clickBack(30);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play backarte.wav")), 1);
        QVERIFY(table->labelVisible(30) && table->backVisible(30));
        QTRY_VERIFY(table->slotVisible(1));
    }

    void eachMeaningSetShowsItsPictureAndTable()
    {
        QSet<int> seen;
        for (quint64 seed = 1; seen.size() < 3 && seed < 200; ++seed) {
            Random::seed(seed);
            ReadingDriver::unloadAll();
            legTag *table = WindowRegistry::get<legTag>();
            deutTag *reading = WindowRegistry::get<deutTag>();
            const int set = reading->meaningSet();
            if (seen.contains(set))
                continue;
            seen.insert(set);
            // The third set is the card reversed: turned, and said to lie turned.
            const Spread spread{{{reading->card(), set == 3}}};
            const QImage expected = CardPictures::load(reading->card(), set == 3);
            QCOMPARE(table->slotImage(1), expected);
            QCOMPARE(reading->Image1->pixmap().toImage().convertToFormat(expected.format()), expected);
            QCOMPARE(reading->cardNameLabel->text(), ReadingDriver::cardName(spread, 1));
            QTRY_COMPARE(reading->Box1->toPlainText(),
                         TestEnv::rowText(QStringLiteral("tag%1").arg(set), reading->card()));
        }
        QCOMPARE(seen.size(), 3);
    }

    void setsAndCardsSpreadEvenlyAndLeaveTheMarksAlone()
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

        // The cards the other readings took stay taken, and the day card takes none.
        CardMarks &marks = modOrbelle::state().cardTaken;
        for (int c = 1; c <= 77; ++c)
            marks.mark(c);
        QVERIFY(WindowRegistry::get<deutTag>()->card() >= 1);
        QCOMPARE(marks.unmarkedCount(), 1);
        QVERIFY(!marks.isTaken(78));
    }
};

ORBELLE_TEST_MAIN(tst_DayCard)
#include "tst_daycard.moc"
