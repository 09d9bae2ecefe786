// The decision game from its panel button to the report, its quintessence and the Celtic
// cross's, and the look of its two windows.

#include "deutent.h"
#include "deutkelt.h"
#include "legent.h"
#include "lookcheck.h"
#include "quintessence.h"
#include "readingdriver.h"
#include "slika.h"
#include "theme.h"

#include <QAccessible>

class tst_Decision : public QObject
{
    Q_OBJECT

private slots:
    // In the program's theme, as its look is checked.
    void initTestCase()
    {
        ReadingDriver::setUpRun();
        qApp->setStyleSheet(Theme::styleSheet());
    }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingByTheKeyboard()
    {
        Random::seed(23);
        ReadingDriver::PromptLog log;
        Start *main = ReadingDriver::shownMain();
        main->readingButton("decisionButton")->setFocus();
        Dialogs::queueInput(QStringLiteral("  ¿Cambio de   trabajo? "));
        QTest::keyClick(main->readingButton("decisionButton"), Qt::Key_Return);
        QTRY_COMPARE(main->windowTitle(), QStringLiteral("Orbelle: Entscheidungsspiel"));
        QTRY_VERIFY(WindowRegistry::isLoaded<deutEnt>());
        auto *table = WindowRegistry::get<legEnt>();
        QVERIFY(table->isVisible() && table->dealCount() < 3);
        QCOMPARE(Dialogs::asked().last(), legEnt::decisionPrompt());
        deutEnt *reading = WindowRegistry::get<deutEnt>();
        const Spread spread = reading->spread();
        QCOMPARE(spread.size(), 7);
        QCOMPARE(spread.question, QStringLiteral("¿Cambio de trabajo?"));
        log.prompts.clear();
        ReadingDriver::drawEvery(table, &log);
        QCOMPARE(log.prompts.at(2), QStringLiteral("Saque la carta 3 de 7: el primer paso si lo hago"));
        QCOMPARE(log.prompts.at(6), QStringLiteral("Saque la carta 7 de 7: el trasfondo"));
        QTRY_VERIFY(!WindowRegistry::isLoaded<legEnt>() && reading->isVisible());

        // The point first; arrows walk the V, digits jump.
        DecisionSpreadView *view = reading->Picture1;
        QCOMPARE(view->selected(), 7);
        for (const auto &[key, k] : QList<QPair<Qt::Key, int>>{
                 {Qt::Key_Right, 3}, {Qt::Key_End, 6}, {Qt::Key_Right, 7}, {Qt::Key_5, 5}, {Qt::Key_Left, 1}}) {
            QTest::keyClick(view, key);
            QCOMPARE(view->selected(), k);
        }
        QCOMPARE(reading->headingLabel->text(), QStringLiteral("1. Si lo hago: el camino"));
        QCOMPARE(reading->Box1->toPlainText(), TestEnv::rowText(QStringLiteral("ent"), 1));
        QCOMPARE(reading->cardNameLabel->text(), Report::cardName(spread, 1));
        QVERIFY(reading->Box1->accessibleName().contains(Report::cardName(spread, 1)));
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cardRect(4).center());
        QCOMPARE(view->selected(), 4);
        const QString fourth = QStringLiteral("4. Si no lo hago: el primer paso: ") + Report::cardName(spread, 4);
        QCOMPARE(view->accessibleDescription(), fourth);
        QCOMPARE(QAccessible::queryAccessibleInterface(view)->child(3)->text(QAccessible::Name), fourth);
        reading->compareButton->click();
        QCOMPARE(reading->outcomeNames[1]->text(), Report::cardName(spread, 6));
        CHECK_LOOK(reading);

        // "Guardar": the heading with the decision, the point, then each path.
        reading->saveButton->setFocus();
        QTest::keyClick(reading->saveButton, Qt::Key_Space);
        const QStringList lines = ReadingDriver::reportLines();
        int line = int(lines.indexOf(QStringLiteral("Juego de decisión: ¿Cambio de trabajo? (%1)").arg(Report::today())));
        QVERIFY(line >= 0);
        for (int k : {7, 3, 1, 5, 4, 2, 6}) {
            QCOMPARE(lines.mid(line + 1, 5), ReadingDriver::pictureBlock(deutEnt::numberedHeading(k))
                                                 << Report::cardName(spread, k));
            line = int(lines.indexOf(TestEnv::rowText(QStringLiteral("stichwörter"), spread.card(k)).section('\n', -1), line));
        }
        reading->backButton->setFocus();
        QTest::keyClick(reading->backButton, Qt::Key_Space);
        QVERIFY(TestEnv::mainWindowIdle() && !WindowRegistry::isLoaded<deutEnt>());
    }

    void cancellingTheDecisionLeavesTheMainWindowIdle()
    {
        ReadingDriver::PromptLog log;
        ReadingDriver::shownMain()->readingButton("decisionButton")->click();
        QTRY_VERIFY(log.shown.contains(QStringLiteral("legEnt")));
        QTRY_VERIFY(!WindowRegistry::get<legEnt>()->isVisible() && TestEnv::mainWindowIdle());
        QVERIFY(!WindowRegistry::isLoaded<deutEnt>() && !WindowRegistry::get<legEnt>()->Timer1->isActive());
        // Nothing was drawn.
        for (int card = 1; card <= 78; ++card)
            QVERIFY(!modOrbelle::state().cardTaken.isTaken(card));
    }

    void theLayingHalfWayFits()
    {
        Dialogs::queueInput(QString());
        auto *table = qobject_cast<legEnt *>(ReadingDriver::layReading("decisionButton", ReadingDriver::Dealing));
        QVERIFY(table);
        QTRY_VERIFY(table->mayDraw());
        for (int k = 0; k < 3; ++k) {
            QTRY_VERIFY(table->takesMouse());
            table->drawNext();
        }
        CHECK_LOOK(table);
        for (int k = 1; k <= 7; ++k)
            QVERIFY(LookCheck::cardRectFaults(QString::number(k), table->slotCardRect(k).size()).isEmpty());
    }

    // Worked examples: seven court cards sum to 0; ten cards can fold past 21 and fold again.
    void theQuintessenceOfSevenAndOfTenCards()
    {
        QCOMPARE(Quintessence::of(Spread::of({33, 34, 35, 36, 47, 48, 49})), 0);
        QCOMPARE(Quintessence::of(Spread::of({21, 20, 19, 18, 17, 16, 15})), 19);            // 126
        QCOMPARE(Quintessence::of(Spread::of({21, 20, 19, 18, 17, 16, 15, 10, 2, 1})), 5);   // 139 → 23
        QCOMPARE(Quintessence::of(Spread::of({21, 20, 19, 18, 17, 16, 15, 14, 13, 12})), 4); // 165 → 22
        slika *sheet = WindowRegistry::get<slika>();
        sheet->showQuintessence(0, QImage(), slika::Kind::Decision);
        QCOMPARE(sheet->shownBox(), sheet->richtextbox2);
        QCOMPARE(sheet->richtextbox2->toPlainText(), TestEnv::rowText(QStringLiteral("quintent"), 22));
    }

    // Each reading's button shows its own kind of text, and "Guardar" writes that one.
    void eachQuintessenceButtonShowsItsOwnText()
    {
        Random::seed(4);
        ReadingDriver::shownMain();
        deutKelt *celtic = WindowRegistry::get<deutKelt>();
        celtic->quintessenceButton->click();
        slika *sheet = WindowRegistry::get<slika>();
        const int q = Quintessence::of(celtic->spread());
        QCOMPARE(sheet->shownBox(), sheet->richtextbox3);
        QCOMPARE(sheet->richtextbox3->toPlainText(), TestEnv::rowText(QStringLiteral("quintzig"), q ? q : 22));
        deutEnt *decision = WindowRegistry::get<deutEnt>();
        decision->quintessenceButton->click();
        const int d = Quintessence::of(decision->spread());
        QCOMPARE(sheet->shownBox(), sheet->richtextbox2);
        QVERIFY(sheet->richtextbox3->isHidden());
        sheet->saveButton->click();
        QVERIFY(ReadingDriver::reportText().contains(TestEnv::rowText(QStringLiteral("quintent"), d ? d : 22)));
    }
};

ORBELLE_TEST_MAIN(tst_Decision)
#include "tst_decision.moc"
