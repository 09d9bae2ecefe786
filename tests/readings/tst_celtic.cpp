// The Celtic cross through its windows by the keyboard alone: deal, ten draws asked for by
// position, the spread in its classic shape, the report.

#include "carddatabase.h"
#include "deutf.h"
#include "deutkelt.h"
#include "legkelt.h"
#include "readingdriver.h"
#include "startup.h"

#include <QAccessible>
#include <QSqlQuery>

using ReadingDriver::reportText;

using ReadingDriver::cardName;

namespace {
int firstReversed(const Spread &s)
{
    for (int k = 1; k <= s.size(); ++k)
        if (s.isReversed(k))
            return k;
    return 0;
}

// The spread of the current seed, shown inside the main window.
deutKelt *spreadShown()
{
    ReadingDriver::shownMain();
    deutKelt *reading = WindowRegistry::get<deutKelt>();
    Program::showInside(reading);
    Program::stretchInside(reading);
    QApplication::processEvents();
    return reading;
}
} // namespace

class tst_Celtic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    // The whole reading from the panel button to the spread, read by the keyboard.
    void theWholeReadingFromTheButtonToTheSpread()
    {
        Random::seed(23);
        ReadingDriver::PromptLog log;
        auto *table = qobject_cast<legKelt *>(ReadingDriver::layReading("celticButton", ReadingDriver::Opened));
        QVERIFY(table);
        // So far only the shuffle panel; the laying's prompts follow.
        QCOMPARE(log.prompts,
                 QStringList{QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!")});
        log.prompts.clear();
        deutKelt *reading = WindowRegistry::get<deutKelt>();
        QVERIFY(!reading->isVisible() && table->dealCount() < 3);
        const Spread spread = reading->spread();
        QCOMPARE(spread.size(), 10);
        ReadingDriver::checkHiddenSpread(table, spread);

        // Ten draws, each asked for by its position.
        QCOMPARE(ReadingDriver::layReading("celticButton", ReadingDriver::Laid, &log),
                 static_cast<QWidget *>(reading));
        QCOMPARE(log.prompts.size(), 10);
        for (int k = 1; k <= 10; ++k)
            QVERIFY2(log.prompts.at(k - 1).startsWith(QStringLiteral("Saque la carta %1 de 10: ").arg(k)) &&
                         log.prompts.at(k - 1).endsWith(deutKelt::heading(k).mid(1)),
                     qPrintable(log.prompts.at(k - 1)));
        QVERIFY(!WindowRegistry::get<Start>()->isMinimized());
        QCOMPARE(reading->spread(), spread);
        CelticSpreadView *view = reading->Picture1;
        QCOMPARE(view->selected(), 1);
        // A screen reader finds the positions among the spread's children, named by card.
        QVERIFY(QAccessible::queryAccessibleInterface(view)->child(2)->text(QAccessible::Name).endsWith(
            cardName(spread, 3)));

        // Arrows step (past the last: back to the first), digits jump, 0 is the tenth.
        const QList<QPair<Qt::Key, int>> steps{
            {Qt::Key_Right, 2}, {Qt::Key_0, 10}, {Qt::Key_Down, 1}, {Qt::Key_3, 3}, {Qt::Key_Up, 2}};
        for (const auto &[key, selected] : steps) {
            QTest::keyClick(view, key);
            QCOMPARE(view->selected(), selected);
            QCOMPARE(reading->cardNameLabel->text(), cardName(spread, selected));
        }
    }

    void theSpreadLiesInItsClassicShapeAndAClickShowsAPosition()
    {
        Random::seed(9);
        deutKelt *reading = spreadShown();
        const Spread &s = reading->spread();
        CelticSpreadView *view = reading->Picture1;
        for (int k = 1; k <= 10; ++k) {
            const QImage laid = CardPictures::load(s.card(k), s.isReversed(k));
            // The crossing card a quarter turn, the others as they lie.
            QCOMPARE(view->shownPicture(k), k == 2 ? laid.transformed(QTransform().rotate(90)) : laid);
            const QRect r = view->cardRect(k);
            QVERIFY2(view->rect().contains(r), qPrintable(QString::number(k)));
            QCOMPARE(r.width() > r.height(), k == 2);
        }
        const auto r = [view](int k) { return view->cardRect(k); };
        const auto level = [&](int k) { return qAbs(r(k).center().y() - r(1).center().y()) <= 1; };
        const auto plumb = [&](int k) { return qAbs(r(k).center().x() - r(1).center().x()) <= 1; };
        // The crossing card lies across the middle of the situation; base below, past left,
        // crown above, future right.
        QVERIFY(level(2) && plumb(2));
        QVERIFY(r(3).top() > r(1).bottom() && plumb(3));
        QVERIFY(r(5).bottom() < r(1).top() && plumb(5));
        QVERIFY(r(4).right() < r(2).left() && level(4));
        QVERIFY(r(6).left() > r(2).right() && level(6));
        // The staff right of the cross, from 7 at the foot to 10 at the top.
        for (int k = 7; k <= 10; ++k) {
            QVERIFY(r(k).left() > r(6).right());
            QCOMPARE(r(k).left(), r(7).left());
            QVERIFY(k == 7 || r(k).bottom() < r(k - 1).top());
        }
        // Only the crossing card covers another.
        for (int a = 1; a <= 10; ++a)
            for (int b = a + 1; b <= 10; ++b)
                QVERIFY2(!r(a).intersects(r(b)) || (a == 1 && b == 2),
                         qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));

        // A click on a card or its number shows that position.
        for (int k = 10; k >= 1; --k) {
            QTest::mouseClick(view, Qt::LeftButton, {}, view->numberRect(k).center());
            QCOMPARE(view->selected(), k);
            QCOMPARE(reading->headingLabel->text(),
                     QStringLiteral("%1. %2").arg(k).arg(deutKelt::heading(k)));
            QCOMPARE(reading->Box1->toPlainText(), TestEnv::rowText(QStringLiteral("kelt"), k));
            QCOMPARE(reading->cardNameLabel->text(), cardName(s, k));
            QCOMPARE(reading->Box2->toPlainText(),
                     TestEnv::rowText(QStringLiteral("stichwörter"), s.card(k)));
        }
        const int reversed = firstReversed(s);
        QVERIFY(reversed);
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cardRect(reversed).bottomRight() - QPoint(3, 3));
        QCOMPARE(view->selected(), reversed);
        QVERIFY(reading->cardNameLabel->text().endsWith(QStringLiteral(" (carta invertida)")));
        // The situation shows above and below the card that crosses it; its middle is the
        // crossing card.
        QTest::mouseClick(view, Qt::LeftButton, {}, view->cardRect(1).center());
        QCOMPARE(view->selected(), 2);
        QTest::mouseClick(view, Qt::LeftButton, {},
                          view->cardRect(1).bottomLeft() + QPoint(view->cardRect(1).width() / 2, -2));
        QCOMPARE(view->selected(), 1);
        // Between the cards nothing changes.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(1, view->height() - 2));
        QCOMPARE(view->selected(), 1);
        QCOMPARE(reading->cardNameLabel->text(), cardName(s, 1));
    }

    void keywordsRewrittenInTheSchoolShowHere()
    {
        // The user's own texts, as the program runs with them.
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
        Random::seed(3);
        deutKelt *reading = spreadShown();
        const QString mine = QStringLiteral("Mis propias palabras clave.");
        {
            QSqlDatabase own = CardDatabase::openStudy(modOrbelle::state().dbPath);
            QCOMPARE(CardDatabase::storeKeyword(own, reading->spread().card(4), mine), QString());
        }
        CardDatabase::closeStudy();
        reading->select(4);
        QCOMPARE(reading->Box2->toPlainText(), mine);
        Dialogs::queueInput(QString());
        reading->saveButton->click();
        QVERIFY(reportText().contains(mine));
    }

    void guardarWritesTenBlocksInOrder_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("heading");
        QTest::newRow("with a question") << QStringLiteral("¿Me mudo? {sí} \\ no")
                                         << QStringLiteral("Cruz celta: ¿Me mudo? {sí} \\ no (%1)");
        QTest::newRow("none given") << QString() << QStringLiteral("Cruz celta (%1)");
    }
    void guardarWritesTenBlocksInOrder()
    {
        QFETCH(QString, question);
        QFETCH(QString, heading);
        Random::seed(12);
        deutKelt *reading = spreadShown();
        const Spread s = reading->spread();
        QVERIFY(firstReversed(s));
        Dialogs::queueInput(question);
        reading->saveButton->click();
        QCOMPARE(Dialogs::asked().last(), deutf::questionPrompt());
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        const QStringList lines = ReadingDriver::reportLines();
        const int at = int(lines.indexOf(heading.arg(Report::today())));
        QVERIFY2(at >= 0, qPrintable(reportText().left(300)));
        int line = at + 1;
        for (int k = 1; k <= 10; ++k) {
            QCOMPARE(lines.mid(line, 4),
                     ReadingDriver::pictureBlock(QStringLiteral("%1. %2").arg(k).arg(deutKelt::heading(k))));
            line += 4;
            QCOMPARE(lines.at(line++), cardName(s, k));
            for (const QString &l :
                 TestEnv::rowText(QStringLiteral("stichwörter"), s.card(k)).split(QLatin1Char('\n')))
                QCOMPARE(lines.at(line++), l);
        }
        // Nothing follows the tenth; the pictures are ten.
        QCOMPARE(line, lines.size());
        QCOMPARE(reportText().count(QChar::ObjectReplacementCharacter), 10);
        // "Cancelar" on the question writes nothing.
        const QString before = reportText();
        reading->saveButton->click();
        QCOMPARE(reportText(), before);
    }

    void aNewLayingDealsANewSpread()
    {
        // A spread left open (the button pressed again from the menu) is given up.
        const Spread first = WindowRegistry::get<deutKelt>()->spread();
        legKelt *table = WindowRegistry::get<legKelt>();
        const Spread second = WindowRegistry::get<deutKelt>()->spread();
        QVERIFY(second != first);
        ReadingDriver::checkHiddenSpread(table, second);
    }
};

ORBELLE_TEST_MAIN(tst_Celtic)
#include "tst_celtic.moc"
