// The cross reading through its windows: prompt, four draws, the cross beside its sheet, report.

#include "cardpictures.h"
#include "deutf.h"
#include "dialogs.h"
#include "kreuz.h"
#include "legkreuz.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "random.h"
#include "readingdriver.h"
#include "report.h"
#include "rtfviewer.h"
#include "start.h"
#include "testenv.h"
#include "timing.h"
#include "windows.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

using ReadingDriver::reportText;

class tst_Cross : public QObject
{
    Q_OBJECT

    void readToTheEnd()
    {
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->readingButton("crossButton")->click();
        einfF *prompt = WindowRegistry::get<einfF>();
        QVERIFY(prompt->isVisible());
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
        QTRY_VERIFY(WindowRegistry::isLoaded<legkreuz>() && WindowRegistry::get<legkreuz>()->isVisible());
        QVERIFY(main->isMinimized());
        ReadingDriver::drawEvery(WindowRegistry::get<legkreuz>());
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY(!WindowRegistry::isLoaded<legkreuz>());
        QVERIFY(WindowRegistry::get<kreuz>()->isVisible());
        QVERIFY(WindowRegistry::get<deutf>()->isVisible());
    }

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingFromCruzToTheSheet()
    {
        Random::seed(17);
        readToTheEnd();
        kreuz *cross = WindowRegistry::get<kreuz>();
        deutf *sheet = WindowRegistry::get<deutf>();
        QSet<int> cards;
        const Spread &spread = cross->spread();
        QCOMPARE(spread.size(), 4);
        QCOMPARE(sheet->spread(), spread);
        for (int k = 1; k <= 4; ++k) {
            const int card = spread.card(k);
            QVERIFY(!spread.isReversed(k));
            cards.insert(card);
            QVERIFY(modOrbelle::state().cardTaken.isTaken(card));
            QCOMPARE(cross->images[size_t(k - 1)], CardPictures::load(card));
            const QString meaning = TestEnv::rowText(kreuz::tableOf(k), card);
            QVERIFY(!meaning.isEmpty());
            QCOMPARE(cross->Box[size_t(k - 1)]->toPlainText(), meaning);
            QCOMPARE(sheet->Box[size_t(k - 1)]->toPlainText(), meaning);
        }
        QCOMPARE(cards.size(), 4);
        // Side by side in the main window, which is back to normal; the sheet just beside
        // the cross, to the area's edge.
        auto *crossFrame = qobject_cast<QMdiSubWindow *>(cross->parentWidget());
        auto *sheetFrame = qobject_cast<QMdiSubWindow *>(sheet->parentWidget());
        QVERIFY(crossFrame && sheetFrame);
        const double s = Program::areaScale();
        QCOMPARE(sheetFrame->y(), crossFrame->y());
        QVERIFY(sheetFrame->x() > crossFrame->geometry().right());
        QVERIFY(sheetFrame->x() - crossFrame->geometry().right() <= 2 + int(2 * s));
        const QRect area = Program::mdiArea()->viewport()->rect();
        QVERIFY(area.right() - sheetFrame->geometry().right() <= 5);
        QVERIFY(!WindowRegistry::get<Start>()->isMinimized());
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play backarte.wav")), 4);
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play zvuk.wav")), 77);
    }

    void cardsOfEarlierReadingsAreNotDrawnAgain()
    {
        // Only six cards left unmarked: the cross takes four of them.
        CardMarks &marks = modOrbelle::state().cardTaken;
        const QList<int> free{3, 19, 22, 40, 61, 78};
        for (int c = 1; c <= 78; ++c)
            if (!free.contains(c))
                marks.mark(c);
        WindowRegistry::get<legkreuz>();
        const Spread first = WindowRegistry::get<kreuz>()->spread();
        for (int k = 1; k <= 4; ++k)
            QVERIFY(free.contains(first.card(k)));
        QCOMPARE(marks.unmarkedCount(), 2);
        // Two left: the next cross starts afresh rather than waiting for ever.
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowRegistry::get<legkreuz>();
        QCOMPARE(marks.unmarkedCount(), 74);
        // The slots hold the new spread's pictures before the first back is dealt.
        legkreuz *table = WindowRegistry::get<legkreuz>();
        const Spread second = WindowRegistry::get<kreuz>()->spread();
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(table->slotImage(k), CardPictures::load(second.card(k)));
    }

    void aClickWhileGatheringTakesOnlyThatBack()
    {
        legkreuz *table = WindowRegistry::get<legkreuz>();
        table->show();
        QTRY_VERIFY(table->mayDraw());
        for (int k = 1; k <= 4; ++k) {
            QTRY_VERIFY(table->takesMouse());
            table->drawNext();
        }
        QVERIFY(table->Timer5->isActive());
        QTRY_VERIFY(table->takesMouse()); // after the fourth reveal, while gathering
        const int before = table->gatherCount();
        QVERIFY(before > 0 && before < 77);
        const int target = 2;
        QVERIFY(table->backVisible(target));
        table->clickBack(target);
        QCOMPARE(table->drawCount(), 4);
        QVERIFY(table->labelShrunk(target));
        QVERIFY(!table->backVisible(target));
        QVERIFY(table->gatherCount() <= before);
        int shown = 0;
        QObject::connect(table->Timer3, &QTimer::timeout, this, [&] { ++shown; });
        QTRY_VERIFY(!WindowRegistry::isLoaded<legkreuz>());
        QCOMPARE(shown, 1);
    }

    void guardarWritesQuestionPicturesAndMeanings()
    {
        readToTheEnd();
        deutf *sheet = WindowRegistry::get<deutf>();
        kreuz *cross = WindowRegistry::get<kreuz>();
        // What the sheet's boxes say does not reach the report; the cross's boxes do.
        sheet->Box[0]->setPlainText(QStringLiteral("editado aquí"));
        Dialogs::queueInput(QStringLiteral("¿Cambio de trabajo? {sí} \\ no"));
        sheet->saveButton->click();
        QCOMPARE(Dialogs::asked().last(), deutf::questionPrompt());
        QCOMPARE(sheet->spread().question, QStringLiteral("¿Cambio de trabajo? {sí} \\ no"));
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        QVERIFY(viewer->isVisible());
        // The viewer opens wholly inside the main window, beside the cross.
        auto *frame = qobject_cast<QMdiSubWindow *>(viewer->parentWidget());
        QVERIFY(frame);
        QVERIFY(Program::mdiArea()->viewport()->rect().contains(frame->geometry()));
        const QStringList lines = reportText().split(QLatin1Char('\n'));
        const int at = int(lines.indexOf(QStringLiteral("¿Cambio de trabajo? {sí} \\ no (") +
                                         Report::today() + QLatin1Char(')')));
        QVERIFY2(at >= 0, qPrintable(reportText()));
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(lines.mid(at + 1 + 4 * (k - 1), 4),
                     ReadingDriver::pictureBlock(
                         deutf::headings().at(k - 1) + QStringLiteral(": ") +
                         cross->Box[size_t(k - 1)]->toPlainText().split(QLatin1Char('\n')).first()));
        // Nothing follows position 4.
        QVERIFY(reportText().endsWith(cross->Box[3]->toPlainText()));
        QVERIFY(!reportText().contains(QStringLiteral("editado aquí")));

        // Again, cancelled: the heading holds only the date.
        sheet->saveButton->click();
        QVERIFY(reportText().contains(QStringLiteral("\n (") + Report::today() + QLatin1Char(')')));
        QCOMPARE(reportText().count(deutf::headings().at(3) + QStringLiteral(": ")), 2);
    }

    void atrasLeavesTheMainWindowIdle()
    {
        const QList<bool> idle = [] {
            Start *m = WindowRegistry::get<Start>();
            return QList<bool>{m->mnuSpiel->isEnabled(), m->solo->isEnabled(), m->mnuMusik->isEnabled()};
        }();
        readToTheEnd();
        Start *main = WindowRegistry::get<Start>();
        QVERIFY(!main->mnuSpiel->isEnabled());
        WindowRegistry::get<deutf>()->backButton->click();
        QCOMPARE(ReadingDriver::stillLoaded({"deutf", "kreuz", "einfF", "legkreuz", "meld"}), QString());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(
            (QList<bool>{main->mnuSpiel->isEnabled(), main->solo->isEnabled(), main->mnuMusik->isEnabled()}),
            idle);
    }

    void closingAnyWindowOfTheReadingByItsFrameGoesBackToTheMainMenu_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("afterTheLaying");
        QTest::newRow("the question prompt") << QStringLiteral("einfF") << false;
        QTest::newRow("the laying, while dealing") << QStringLiteral("legkreuz") << false;
        QTest::newRow("the cross") << QStringLiteral("kreuz") << true;
        QTest::newRow("the question sheet") << QStringLiteral("deutf") << true;
    }
    void closingAnyWindowOfTheReadingByItsFrameGoesBackToTheMainMenu()
    {
        QFETCH(QString, window);
        QFETCH(bool, afterTheLaying);
        Start *main = WindowRegistry::get<Start>();
        main->show();
        if (afterTheLaying) {
            readToTheEnd();
        } else {
            main->readingButton("crossButton")->click();
            if (window == QStringLiteral("legkreuz")) {
                QTest::mouseClick(WindowRegistry::get<einfF>()->messageLabel, Qt::LeftButton);
                QTRY_VERIFY(WindowRegistry::isLoaded<legkreuz>() &&
                            WindowRegistry::get<legkreuz>()->isVisible());
                QTRY_VERIFY(WindowRegistry::get<legkreuz>()->dealCount() > 5);
            }
        }
        QWidget *w = TestEnv::window(window);
        QVERIFY(w->isVisible());
        w->close();
        QCOMPARE(ReadingDriver::stillLoaded({"deutf", "kreuz", "einfF", "legkreuz"}), QString());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }
};

ORBELLE_TEST_MAIN(tst_Cross)
#include "tst_cross.moc"
