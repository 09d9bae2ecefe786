// The relationship reading through its windows: names, deal, six draws, interpretation,
// report and quintessence sheet. The ways back, shared by every reading, are tst_shell's.

#include "anima.h"
#include "bezi.h"
#include "eingabe.h"
#include "kreuz.h"
#include "legbez.h"
#include "legkreuz.h"
#include "quintessence.h"
#include "readingdriver.h"
#include "recordcursor.h"
#include "slika.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>

using ReadingDriver::firstLine;
using ReadingDriver::reportText;

namespace {
QStringList expectedHeadings(const QString &a, const QString &b)
{
    const QString sees = QStringLiteral("Así  ve ");
    return {sees + a + QLatin1Char(' ') + b,
            sees + a + QStringLiteral(" a si mismo"),
            sees + b + QLatin1Char(' ') + a,
            sees + b + QStringLiteral(" a si mismo"),
            sees + a + QStringLiteral("  su relación"),
            sees + b + QStringLiteral("  su relación")};
}

// Each heading says its view and shows within its place, ending in an ellipsis only when cut.
void checkHeadings(bezi *reading, const QStringList &headings, bool cut)
{
    for (int k = 1; k <= 6; ++k) {
        HeadingLabel *h = reading->headingOf(k);
        QCOMPARE(h->text(), headings.at(k - 1));
        const QStringList lines = h->shownLines();
        QVERIFY(!lines.isEmpty() && lines.size() * QFontMetrics(h->font()).lineSpacing() <= h->height());
        QCOMPARE(lines.join(QString()).contains(QChar(0x2026)), cut);
        QVERIFY(!cut || lines.last().endsWith(QChar(0x2026)));
        for (const QString &line : lines)
            QVERIFY2(QFontMetrics(h->font()).horizontalAdvance(line) <= h->width(), qPrintable(line));
    }
}
} // namespace

class tst_Relationship : public QObject
{
    Q_OBJECT
    bool m_reversed[2] = {}; // reversed cards met in positions 1 to 4, in 5 and 6

    // The interpretation loaded for these names, inside the main window.
    bezi *interpretation(const QString &first, const QString &second)
    {
        ReadingDriver::shownMain();
        modOrbelle::state().firstName = first;
        modOrbelle::state().secondName = second;
        bezi *reading = WindowRegistry::get<bezi>();
        [&] { QTRY_VERIFY(!reading->Timer1->isActive()); }();
        Program::showInside(reading);
        return reading;
    }

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingFromTheMainButtonToTheInterpretation()
    {
        // A cross earlier in the run: its cards are not drawn again.
        WindowRegistry::get<legkreuz>();
        const QVector<int> crossCards = WindowRegistry::get<kreuz>()->spread().cards();
        Popup::toMainMenu();

        Random::seed(4);
        WindowRegistry::get<anima>();
        ReadingDriver::PromptLog log;
        auto *input =
            qobject_cast<eingabe *>(ReadingDriver::layReading("relationshipButton", ReadingDriver::Opened));
        QVERIFY(input);
        // Nothing typed: refused with a message.
        input->firstNameButton->click();
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        QTest::keyClicks(input->Text1, QStringLiteral("Ana"));
        QTest::keyClick(input->Text1, Qt::Key_Return);
        QCOMPARE(input->promptLabel->text(), eingabe::secondPrompt());
        QCOMPARE(input->Text1->text(), QString());
        // An empty second name is refused, but the intro is closed all the same.
        QVERIFY(WindowRegistry::isLoaded<anima>());
        input->secondNameButton->click();
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        QVERIFY(!input->Timer1->isActive());
        QTest::keyClicks(input->Text1, QStringLiteral("Luis"));
        QTest::keyClick(input->Text1, Qt::Key_Return);
        QCOMPARE(input->promptLabel->text(), eingabe::shufflingMessage());
        // After the pause: the laying shown, the cards decided but hidden, none of the cross's.
        QTRY_VERIFY(WindowRegistry::isLoaded<legBez>() && WindowRegistry::get<legBez>()->isVisible());
        QVERIFY(!WindowRegistry::isLoaded<eingabe>());
        legBez *table = WindowRegistry::get<legBez>();
        bezi *reading = WindowRegistry::get<bezi>();
        QVERIFY(!reading->isVisible() && table->dealCount() < 3);
        const Spread spread = reading->spread();
        QCOMPARE(spread.size(), 6);
        ReadingDriver::checkHiddenSpread(table, spread);
        bool anyReversed = false;
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(!crossCards.contains(spread.card(k)));
            anyReversed |= spread.isReversed(k);
        }
        QVERIFY2(anyReversed, "seed 4 lays a reversed card");

        // The names take turns in the prompts; each card is named as it lies.
        ReadingDriver::drawEvery(table, &log);
        QTRY_VERIFY(!WindowRegistry::isLoaded<legBez>());
        QVERIFY(reading->isVisible() && !WindowRegistry::get<Start>()->isMinimized());
        QCOMPARE(reading->spread(), spread);
        QStringList prompts;
        for (int k = 1; k <= 6; ++k) {
            prompts << (k % 2 ? QStringLiteral("Ana") : QStringLiteral("Luis")) + QStringLiteral(", saque por favór una carta!");
            QVERIFY(reading->cardNameLabels[size_t(k - 1)]->isVisible());
            QCOMPARE(reading->cardNameLabels[size_t(k - 1)]->text(), ReadingDriver::cardName(spread, k));
        }
        QCOMPARE(log.prompts, prompts);

        // "Guardar": the heading, then the views in the order 1, 3, 2, 4, 5, 6, each with its
        // card's name; twice, twice.
        reading->saveButton->click();
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        const QStringList lines = ReadingDriver::reportLines();
        int line = int(lines.indexOf(QStringLiteral("Luis und Ana ") + Report::today())) + 1;
        QVERIFY2(line > 0, qPrintable(reportText()));
        const QStringList headings = expectedHeadings(QStringLiteral("Ana"), QStringLiteral("Luis"));
        for (int k : {1, 3, 2, 4, 5, 6}) {
            QCOMPARE(lines.mid(line, 6), ReadingDriver::pictureBlock(headings.at(k - 1))
                                             << ReadingDriver::cardName(spread, k)
                                             << firstLine(reading->Box[size_t(k - 1)]->toPlainText()));
            line += 6;
        }
        QVERIFY(reportText().endsWith(reading->Box[5]->toPlainText()));
        reading->saveButton->click();
        QCOMPARE(reportText().count(QStringLiteral("Luis und Ana ")), 2);
    }

    void theInterpretationShowsHeadingsAndNamesBeforeFourTexts_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("seed");
        QTest::newRow("two names") << QStringLiteral("Ana") << QStringLiteral("Luis") << 1;
        QTest::newRow("blanks only") << QStringLiteral("   ") << QStringLiteral(" ") << 3;
        QTest::newRow("rich text marks, other scripts")
            << QStringLiteral("{\\b Ана} \\par") << QStringLiteral("李\\}{ \\par}{") << 6;
    }
    // The names as typed: in the headings, before four texts, and in the report.
    void theInterpretationShowsHeadingsAndNamesBeforeFourTexts()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, seed);
        Random::seed(quint64(seed));
        bezi *reading = interpretation(first, second);
        const Spread &spread = reading->spread();
        const QStringList headings = expectedHeadings(first, second);
        // Short names are shown whole, each line within the heading's width.
        checkHeadings(reading, headings, false);
        // Positions 1 to 4 read "bezi4" reversed and "bezi1" upright; 5 and 6 "bezi2" either way.
        const QStringList before{second, first, first, second, QString(), QString()};
        for (int k = 1; k <= 6; ++k) {
            const char *table = k >= 5 ? "bezi2" : spread.isReversed(k) ? "bezi4" : "bezi1";
            m_reversed[k >= 5] |= spread.isReversed(k);
            const QString meaning = TestEnv::rowText(QString::fromLatin1(table), spread.card(k));
            QVERIFY(!meaning.isEmpty());
            const QString shown = reading->Box[size_t(k - 1)]->toPlainText();
            QCOMPARE(shown, k <= 4 ? before.at(k - 1) + QLatin1Char(' ') + meaning : meaning);
        }
        // Shown only: leaving the row drops the names, the database keeps its text.
        const QString table1 = spread.isReversed(1) ? QStringLiteral("bezi4") : QStringLiteral("bezi1");
        const QString stored = TestEnv::rowText(table1, spread.card(1));
        reading->Data[0]->moveFirst();
        QCOMPARE(TestEnv::rowText(table1, spread.card(1)), stored);
        QVERIFY(!stored.startsWith(second + QLatin1Char(' ')) || second.trimmed().isEmpty());

        // The names come back as they were from a report saved and opened again.
        reading->saveButton->click();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("relacion.rtf"));
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        Dialogs::queueFileName(file);
        QVERIFY(viewer->saveReport());
        viewer->Box1->clear();
        Dialogs::queueFileName(file);
        viewer->openReport();
        const QString text = reportText();
        QVERIFY2(text.contains(second + QStringLiteral(" und ") + first + QLatin1Char(' ') + Report::today()),
                 qPrintable(text));
        QVERIFY(text.contains(headings.at(0) + QLatin1Char('\n') + bezi::cardName(spread, 1) + QLatin1Char('\n') +
                              second + QLatin1Char(' ')));
    }

    // The rows above met reversed cards in both kinds of position.
    void theInterpretationsLaidReversedCardsInBothKindsOfPosition()
    {
        QVERIFY2(m_reversed[0] && m_reversed[1], "no reading with reversed cards in both kinds of position");
    }

    void aClickAfterTheSixthCardTakesOnlyThatBack()
    {
        auto *table =
            qobject_cast<legBez *>(ReadingDriver::layReading("relationshipButton", ReadingDriver::Dealing));
        QVERIFY(table);
        QTRY_VERIFY(table->mayDraw());
        // Clicks during the reveal are not taken.
        QTRY_VERIFY(table->takesMouse());
        table->drawNext();
        table->drawNext();
        QCOMPARE(table->drawCount(), 1);
        for (int k = 2; k <= 6; ++k) {
            QTRY_VERIFY(table->takesMouse());
            table->drawNext();
        }
        QTRY_VERIFY(table->takesMouse()); // the sixth card revealed, the gathering going on
        QVERIFY(table->slotVisible(6));
        const int before = table->gatherCount();
        QVERIFY(before > 1 && before < 78);
        QVERIFY(table->labelVisible(0));
        table->clickBack(0);
        QCOMPARE(table->drawCount(), 6);
        QVERIFY(!table->labelVisible(0) && !table->backVisible(0));
        // The reading goes on once, not once per click.
        int laidCount = 0;
        connect(table, &LayingTable::laid, this, [&] { ++laidCount; });
        QTRY_VERIFY(!WindowRegistry::isLoaded<legBez>());
        QCOMPARE(laidCount, 1);
        QVERIFY(WindowRegistry::get<bezi>()->isVisible());
    }

    void theQuintessenceSheet()
    {
        Random::seed(8);
        bezi *reading = interpretation(QStringLiteral("Ana"), QStringLiteral("Luis"));
        const int q = Quintessence::of(reading->spread());
        const int row = q == 0 ? 22 : q;
        const QString text = TestEnv::rowText(QStringLiteral("bezi3"), row);
        QVERIFY(!text.isEmpty());
        // Each time the same sheet, the same card. Closed by "Salír", by a click on its
        // picture, by its frame: the sheet goes, the reading stays.
        for (int way = 0; way < 4; ++way) {
            reading->quintessenceButton->click();
            slika *sheet = WindowRegistry::get<slika>();
            QVERIFY(sheet->isVisible());
            QCOMPARE(sheet->Image1->pixmap().toImage(),
                     CardPictures::load(row).convertToFormat(sheet->Image1->pixmap().toImage().format()));
            QCOMPARE(sheet->richtextbox1->toPlainText(), text);
            if (way == 3)
                break;
            if (way == 0)
                sheet->exitButton->click();
            else if (way == 1)
                QTest::mouseClick(sheet->Image1, Qt::LeftButton);
            else
                sheet->close();
            QVERIFY(!WindowRegistry::isLoaded<slika>() && reading->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        // Into the report: heading at 14 points, picture, text, one line break; twice, twice.
        slika *sheet = WindowRegistry::get<slika>();
        sheet->saveButton->click();
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        const QStringList lines = ReadingDriver::reportLines();
        const int at =
            int(lines.indexOf(QRegularExpression(QStringLiteral("^Quintesencia \\(Sesión .+\\)$"))));
        QVERIFY2(at >= 0, qPrintable(reportText()));
        QCOMPARE(lines.mid(at + 1), ReadingDriver::pictureBlock(firstLine(text)) +
                                        text.split(QLatin1Char('\n')).mid(1) + QStringList{QString()});
        QTextDocument *doc = WindowRegistry::get<rtfViewer>()->Box1->document();
        QCOMPARE(doc->findBlockByNumber(at).begin().fragment().charFormat().fontPointSize(), 14.0);
        QCOMPARE(doc->findBlockByNumber(at + 2).begin().fragment().charFormat().fontPointSize(), 12.0);
        sheet->saveButton->click();
        QCOMPARE(reportText().count(QStringLiteral("Quintesencia (Sesión ")), 2);
        // "Atrás" with the sheet open takes it along.
        reading->backButton->click();
        QVERIFY(!WindowRegistry::isLoaded<slika>() && TestEnv::mainWindowIdle());
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }

    void theQuintessenceOfAllCourtCardsIsTheFool()
    {
        // Six cards worth 0: the Fool's picture and the table's last row.
        slika *sheet = WindowRegistry::get<slika>();
        sheet->showQuintessence(0, CardPictures::load(Quintessence::cardFor(0)));
        QCOMPARE(sheet->picture(), CardPictures::load(22));
        QCOMPARE(sheet->richtextbox1->toPlainText(), TestEnv::rowText(QStringLiteral("bezi3"), 22));
    }

    void veryLongNamesKeepTheWindowUsable()
    {
        const QString first = QString(10000, QLatin1Char('a'));
        const QString second =
            QString(5000, QChar(0x0416)) + QStringLiteral(" ") + QString(5000, QLatin1Char('b'));
        auto *reading = qobject_cast<bezi *>(
            ReadingDriver::layReading("relationshipButton", ReadingDriver::Laid, nullptr, {first, second}));
        QVERIFY(reading);
        // The headings keep their place and end in an ellipsis.
        checkHeadings(reading, expectedHeadings(first, second), true);
        for (QWidget *w : std::initializer_list<QWidget *>{reading->quintessenceButton, reading->saveButton,
                                                           reading->Box[0]})
            QVERIFY(reading->rect().contains(w->geometry()));
        QVERIFY(reading->Box[0]->toPlainText().startsWith(second + QLatin1Char(' ')));
        reading->saveButton->click();
        QVERIFY(reportText().contains(second + QStringLiteral(" und ") + first));
    }
};

ORBELLE_TEST_MAIN(tst_Relationship)
#include "tst_relationship.moc"
