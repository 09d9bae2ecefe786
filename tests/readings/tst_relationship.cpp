// The relationship reading through its windows: names, deal, six draws, interpretation,
// report and quintessence sheet.

#include "anima.h"
#include "bezi.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "eingabe.h"
#include "kreuz.h"
#include "legbez.h"
#include "legkreuz.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "quintessence.h"
#include "random.h"
#include "readingdriver.h"
#include "recordcursor.h"
#include "report.h"
#include "rtfviewer.h"
#include "slika.h"
#include "start.h"
#include "testenv.h"
#include "timing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>

using ReadingDriver::PromptLog;
using ReadingDriver::reportText;

namespace {
const QString kObject(QChar::ObjectReplacementCharacter);

QStringList expectedHeadings(const QString &a, const QString &b)
{
    return {QStringLiteral("Así  ve ") + a + QLatin1Char(' ') + b,
            QStringLiteral("Así  ve ") + a + QStringLiteral(" a si mismo"),
            QStringLiteral("Así  ve ") + b + QLatin1Char(' ') + a,
            QStringLiteral("Así  ve ") + b + QStringLiteral(" a si mismo"),
            QStringLiteral("Así  ve ") + a + QStringLiteral("  su relación"),
            QStringLiteral("Así  ve ") + b + QStringLiteral("  su relación")};
}
} // namespace

class tst_Relationship : public QObject
{
    Q_OBJECT

    void enterNames(const QString &first, const QString &second, bool typed = true)
    {
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->readingButton("relationshipButton")->click();
        eingabe *input = WindowRegistry::get<eingabe>();
        if (typed)
            QTest::keyClicks(input->Text1, first);
        else
            input->Text1->setText(first);
        QTest::keyClick(input->Text1, Qt::Key_Return);
        if (typed)
            QTest::keyClicks(input->Text1, second);
        else
            input->Text1->setText(second);
        input->secondNameButton->click();
        QTRY_VERIFY(WindowRegistry::isLoaded<legBez>() && WindowRegistry::get<legBez>()->isVisible());
    }

    void drawSix(PromptLog *log = nullptr)
    {
        ReadingDriver::drawEvery(WindowRegistry::get<legBez>(), log);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY(!WindowRegistry::isLoaded<legBez>());
        QVERIFY(WindowRegistry::get<bezi>()->isVisible());
    }

    void readToTheEnd(const QString &first, const QString &second, PromptLog *log = nullptr,
                      bool typed = true)
    {
        enterNames(first, second, typed);
        if (QTest::currentTestFailed())
            return;
        drawSix(log);
    }

    bezi *interpretation(const QString &first, const QString &second)
    {
        modOrbelle::state().firstName = first;
        modOrbelle::state().secondName = second;
        bezi *reading = WindowRegistry::get<bezi>();
        [&] { QTRY_VERIFY(!reading->Timer1->isActive()); }();
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
        WindowRegistry::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        Random::seed(4);
        WindowRegistry::get<anima>();
        PromptLog log;
        enterNames(QStringLiteral("Ana"), QStringLiteral("Luis"));
        QCOMPARE(ReadingDriver::stillLoaded({"anima", "eingabe"}), QString());
        legBez *table = WindowRegistry::get<legBez>();
        // The cards are decided, hidden, before the first back is dealt.
        bezi *reading = WindowRegistry::get<bezi>();
        QVERIFY(!reading->isVisible());
        QVERIFY(table->dealCount() < 3);
        const Spread spread = reading->spread();
        QCOMPARE(spread.size(), 6);
        QCOMPARE(spread.firstName, QStringLiteral("Ana"));
        QCOMPARE(spread.secondName, QStringLiteral("Luis"));
        QSet<int> cards;
        bool anyReversed = false;
        for (int k = 1; k <= 6; ++k) {
            const int card = spread.card(k);
            QVERIFY(card >= 1 && card <= 78);
            QVERIFY2(!crossCards.contains(card), qPrintable(QString::number(card)));
            QVERIFY(modOrbelle::state().cardTaken.isTaken(card));
            cards.insert(card);
            anyReversed = anyReversed || spread.isReversed(k);
            // The slot holds the card as drawn, turned when reversed, face down so far.
            const QImage expected = CardPictures::load(card, spread.isReversed(k));
            QCOMPARE(table->slotImage(k), expected);
            QCOMPARE(reading->im1[size_t(k - 1)], expected);
            QVERIFY(!table->slotVisible(k));
        }
        QCOMPARE(cards.size(), 6);
        QVERIFY2(anyReversed, "seed 4 lays a reversed card");

        drawSix(&log);
        const QString ask = QStringLiteral(", saque por favór una carta!");
        QCOMPARE(log.prompts, (QStringList{QStringLiteral("Ana") + ask, QStringLiteral("Luis") + ask,
                                           QStringLiteral("Ana") + ask, QStringLiteral("Luis") + ask,
                                           QStringLiteral("Ana") + ask, QStringLiteral("Luis") + ask}));
        QVERIFY(!WindowRegistry::get<Start>()->isMinimized());
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play backarte.wav")), 6);
        QCOMPARE(MediaControl::recordedCommands().count(QStringLiteral("play zvuk.wav")), 77);
        QCOMPARE(reading->spread(), spread);
    }

    void theInterpretationShowsHeadingsAndNamesBeforeFourTexts_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("seed");
        QTest::newRow("two names") << QStringLiteral("Ana") << QStringLiteral("Luis") << 1;
        QTest::newRow("the same name") << QStringLiteral("Eva") << QStringLiteral("Eva") << 2;
        QTest::newRow("blanks only") << QStringLiteral("   ") << QStringLiteral(" ") << 3;
        QTest::newRow("other scripts") << QStringLiteral("Анна") << QStringLiteral("李小龍") << 4;
        QTest::newRow("rich text marks") << QStringLiteral("{\\b Ana}") << QStringLiteral("\\par}{") << 5;
    }
    void theInterpretationShowsHeadingsAndNamesBeforeFourTexts()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, seed);
        Random::seed(quint64(seed));
        WindowRegistry::get<Start>()->show();
        bezi *reading = interpretation(first, second);
        Program::showInside(reading);
        const Spread &spread = reading->spread();
        const QStringList headings = expectedHeadings(first, second);
        for (int k = 1; k <= 6; ++k) {
            HeadingLabel *h = reading->headingOf(k);
            QCOMPARE(h->text(), headings.at(k - 1));
            // Short names are shown whole, each line within the heading's width.
            const QStringList lines = h->shownLines();
            QVERIFY(!lines.join(QString()).contains(QChar(0x2026)));
            for (const QString &line : lines)
                QVERIFY2(QFontMetrics(h->font()).horizontalAdvance(line) <= h->width(), qPrintable(line));
        }
        // The headings by their design number are positions 1, 2, 5, 3, 4, 6.
        const QList<int> positionOfLabel{1, 2, 5, 3, 4, 6};
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(reading->headingLabels[size_t(n - 1)]->text(), headings.at(positionOfLabel.at(n - 1) - 1));
        const QStringList before{second, first, first, second, QString(), QString()};
        for (int k = 1; k <= 6; ++k) {
            const int card = spread.card(k);
            const QString table =
                k >= 5 ? QStringLiteral("bezi2")
                       : (spread.isReversed(k) ? QStringLiteral("bezi4") : QStringLiteral("bezi1"));
            const QString meaning = TestEnv::rowText(table, card);
            QVERIFY(!meaning.isEmpty());
            const QString shown = reading->Box[size_t(k - 1)]->toPlainText();
            QCOMPARE(shown, k <= 4 ? before.at(k - 1) + QLatin1Char(' ') + meaning : meaning);
            QCOMPARE(bezi::textOf(spread, k), shown);
        }
        // Shown only: leaving the row drops the names, the database keeps its text.
        const QString table1 = bezi::tableOf(spread, 1);
        const QString stored = TestEnv::rowText(table1, spread.card(1));
        reading->Data[0]->moveFirst();
        QCOMPARE(TestEnv::rowText(table1, spread.card(1)), stored);
        QVERIFY(!stored.startsWith(second + QLatin1Char(' ')) || second.trimmed().isEmpty());
    }

    void reversedCardsAreTurnedAndReadFromTheirTable()
    {
        // Positions 5 and 6 read "bezi2" reversed or not; find a reading with both kinds.
        for (quint64 seed = 1; seed < 60; ++seed) {
            Random::seed(seed);
            modOrbelle::state().cardTaken.clear();
            bezi *reading = interpretation(QStringLiteral("A"), QStringLiteral("B"));
            const Spread s = reading->spread();
            bool reversedView = false;
            bool reversedRelation = false;
            for (int k = 1; k <= 6; ++k) {
                QCOMPARE(reading->im1[size_t(k - 1)], CardPictures::load(s.card(k), s.isReversed(k)));
                reversedView = reversedView || (k <= 4 && s.isReversed(k));
                reversedRelation = reversedRelation || (k >= 5 && s.isReversed(k));
            }
            WindowRegistry::unload<bezi>();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (reversedView && reversedRelation) {
                QCOMPARE(bezi::tableOf(s, 5), QStringLiteral("bezi2"));
                QCOMPARE(bezi::tableOf(s, 6), QStringLiteral("bezi2"));
                for (int k = 1; k <= 4; ++k)
                    QCOMPARE(bezi::tableOf(s, k),
                             s.isReversed(k) ? QStringLiteral("bezi4") : QStringLiteral("bezi1"));
                return;
            }
        }
        QFAIL("no reading with reversed cards in both kinds of position");
    }

    void theNamesInput()
    {
        WindowRegistry::get<anima>();
        eingabe *input = WindowRegistry::get<eingabe>();
        input->show();
        // Nothing typed: the message stays until a name is accepted.
        input->firstNameButton->click();
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        QTest::keyClick(input->Text1, Qt::Key_Return);
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        // Blanks are a name.
        QTest::keyClicks(input->Text1, QStringLiteral("  "));
        QTest::keyClick(input->Text1, Qt::Key_Enter);
        QCOMPARE(modOrbelle::state().firstName, QStringLiteral("  "));
        QCOMPARE(input->promptLabel->text(), eingabe::secondPrompt());
        QCOMPARE(input->Text1->text(), QString());
        // An empty second name is refused, but the intro is closed all the same.
        QVERIFY(WindowRegistry::isLoaded<anima>());
        input->secondNameButton->click();
        QVERIFY(!WindowRegistry::isLoaded<anima>());
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        QVERIFY(!input->Timer1->isActive());
        input->secondNameButton->click(); // the intro is already gone
        QCOMPARE(input->promptLabel->text(), eingabe::emptyNameMessage());
        QTest::keyClicks(input->Text1, QStringLiteral("Luis"));
        QTest::keyClick(input->Text1, Qt::Key_Return);
        QCOMPARE(modOrbelle::state().secondName, QStringLiteral("Luis"));
        QCOMPARE(input->promptLabel->text(), eingabe::shufflingMessage());
        // After the pause: the laying shown, the interpretation loaded but hidden.
        QTRY_VERIFY(!WindowRegistry::isLoaded<eingabe>());
        QVERIFY(WindowRegistry::get<legBez>()->isVisible());
        QVERIFY(WindowRegistry::isLoaded<bezi>());
        QVERIFY(!WindowRegistry::get<bezi>()->isVisible());
        QCOMPARE(WindowRegistry::get<bezi>()->spread().firstName, QStringLiteral("  "));
    }

    void aClickAfterTheSixthCardTakesOnlyThatBack()
    {
        enterNames(QStringLiteral("Ana"), QStringLiteral("Luis"));
        legBez *table = WindowRegistry::get<legBez>();
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
        QVERIFY(table->Timer8->isActive());
        QTRY_VERIFY(table->takesMouse()); // the sixth card revealed, the gathering going on
        QVERIFY(table->slotVisible(6));
        const int before = table->gatherCount();
        QVERIFY(before > 1 && before < 78);
        const int target = 0;
        QVERIFY(table->labelVisible(target));
        MediaControl::clearRecorded();
        table->clickBack(target);
        QCOMPARE(table->drawCount(), 6);
        QVERIFY(!table->labelVisible(target));
        QVERIFY(!table->backVisible(target));
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("close"));
        int laid = 0;
        connect(table, &LayingTable::laid, this, [&] { ++laid; });
        QTRY_VERIFY(!WindowRegistry::isLoaded<legBez>());
        QCOMPARE(laid, 1);
        QVERIFY(WindowRegistry::get<bezi>()->isVisible());
    }

    void guardarWritesTheReadingInTheOrderOfTheViews()
    {
        Random::seed(11);
        readToTheEnd(QStringLiteral("Ana"), QStringLiteral("Luis"));
        bezi *reading = WindowRegistry::get<bezi>();
        const Spread spread = reading->spread();
        reading->saveButton->click();
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        const QStringList lines = reportText().split(QLatin1Char('\n'));
        const int at = int(lines.indexOf(QStringLiteral("Luis und Ana ") + Report::today()));
        QVERIFY2(at >= 0, qPrintable(reportText()));
        const QStringList headings = expectedHeadings(QStringLiteral("Ana"), QStringLiteral("Luis"));
        int line = at + 1;
        for (int k : {1, 3, 2, 4, 5, 6}) {
            QCOMPARE(lines.mid(line, 4),
                     ReadingDriver::pictureBlock(
                         headings.at(k - 1) + QStringLiteral(": ") +
                         reading->Box[size_t(k - 1)]->toPlainText().split(QLatin1Char('\n')).first()));
            line += 4;
        }
        // Nothing after the sixth text.
        QVERIFY(reportText().endsWith(reading->Box[5]->toPlainText()));
        // Twice: appended twice.
        reading->saveButton->click();
        QCOMPARE(reportText().count(QStringLiteral("Luis und Ana ")), 2);
    }

    void theQuintessenceSheet_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::newRow("seed 3") << quint64(3);
        QTest::newRow("seed 8") << quint64(8);
        QTest::newRow("seed 21") << quint64(21);
    }
    void theQuintessenceSheet()
    {
        QFETCH(quint64, seed);
        Random::seed(seed);
        WindowRegistry::get<Start>()->show();
        bezi *reading = interpretation(QStringLiteral("Ana"), QStringLiteral("Luis"));
        Program::showInside(reading);
        const int q = Quintessence::of(reading->spread());
        const int row = q == 0 ? 22 : q;
        reading->quintessenceButton->click();
        slika *sheet = WindowRegistry::get<slika>();
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->picture(), CardPictures::load(row));
        QCOMPARE(sheet->Image1->pixmap().toImage(),
                 CardPictures::load(row).convertToFormat(sheet->Image1->pixmap().toImage().format()));
        QVERIFY(!sheet->richtextbox1->isHidden());
        for (QPlainTextEdit *b : {sheet->richtextbox2, sheet->richtextbox3, sheet->richtextbox5})
            QVERIFY(b->isHidden());
        const QString text = TestEnv::rowText(QStringLiteral("bezi3"), row);
        QVERIFY(!text.isEmpty());
        QCOMPARE(sheet->richtextbox1->toPlainText(), text);
        // Again: the same sheet.
        reading->quintessenceButton->click();
        QCOMPARE(WindowRegistry::get<slika>(), sheet);
        QCOMPARE(sheet->picture(), CardPictures::load(row));
        QCOMPARE(sheet->richtextbox1->toPlainText(), text);

        // Into the report: heading, picture, text, one line break; twice, twice.
        sheet->saveButton->click();
        QVERIFY(WindowRegistry::get<rtfViewer>()->isVisible());
        QStringList lines = reportText().split(QLatin1Char('\n'));
        const int at =
            int(lines.indexOf(QRegularExpression(QStringLiteral("^Quintesencia \\(Sesión .+\\)$"))));
        QVERIFY2(at >= 0, qPrintable(reportText()));
        QCOMPARE(lines.mid(at + 1), ReadingDriver::pictureBlock(text.split(QLatin1Char('\n')).first()) +
                                        text.split(QLatin1Char('\n')).mid(1) + QStringList{QString()});
        sheet->saveButton->click();
        QCOMPARE(reportText().count(QStringLiteral("Quintesencia (Sesión ")), 2);
    }

    void theQuintessenceOfAllCourtCardsIsTheFool()
    {
        // Six cards worth 0: the Fool's picture and the table's last row.
        slika *sheet = WindowRegistry::get<slika>();
        sheet->showQuintessence(0, CardPictures::load(Quintessence::cardFor(0)));
        QCOMPARE(sheet->picture(), CardPictures::load(22));
        QCOMPARE(sheet->richtextbox1->toPlainText(), TestEnv::rowText(QStringLiteral("bezi3"), 22));
        Spread courts = Spread::of({33, 34, 35, 36, 47, 22});
        QCOMPARE(Quintessence::of(courts), 0);
    }

    void aSheetWithEveryBoxHiddenWritesHeadingAndPictureOnly()
    {
        slika *sheet = WindowRegistry::get<slika>();
        sheet->setPicture(CardPictures::load(5));
        const QString before = reportText();
        sheet->saveButton->click();
        const QString added = reportText().mid(before.size());
        const QRegularExpression shape(
            QStringLiteral("^\\nQuintesencia \\(Sesión [^\\n]+\\)\\n\\n%1\\n$").arg(kObject));
        QVERIFY2(shape.match(added).hasMatch(), qPrintable(added));
        // The heading at 14 points, the rest at 12.
        QTextDocument *doc = WindowRegistry::get<rtfViewer>()->Box1->document();
        QTextBlock heading = doc->firstBlock();
        while (heading.isValid() && !heading.text().startsWith(slika::headingPrefix()))
            heading = heading.next();
        QVERIFY(heading.isValid());
        QCOMPARE(heading.begin().fragment().charFormat().fontPointSize(), 14.0);
        const QTextBlock picture = heading.next().next();
        QCOMPARE(picture.text(), kObject);
        QCOMPARE(picture.begin().fragment().charFormat().fontPointSize(), 12.0);
    }

    void namesWithRichTextMarksSurviveSavingAndReopening()
    {
        const QString first = QStringLiteral("{Ana} \\par");
        const QString second = QStringLiteral("Luis\\}{ Ж");
        bezi *reading = interpretation(first, second);
        Program::showInside(reading);
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
        QVERIFY(text.contains(expectedHeadings(first, second).at(0) + QStringLiteral(": ") + second +
                              QLatin1Char(' ')));
    }

    void veryLongNamesKeepTheWindowUsable()
    {
        const QString first = QString(10000, QLatin1Char('a'));
        const QString second =
            QString(5000, QChar(0x0416)) + QStringLiteral(" ") + QString(5000, QLatin1Char('b'));
        readToTheEnd(first, second, nullptr, false);
        bezi *reading = WindowRegistry::get<bezi>();
        QCOMPARE(reading->headingOf(1)->text(), expectedHeadings(first, second).at(0));
        // The headings keep their place and end in an ellipsis.
        for (int k = 1; k <= 6; ++k) {
            HeadingLabel *h = reading->headingOf(k);
            const QStringList lines = h->shownLines();
            QVERIFY(!lines.isEmpty());
            QVERIFY(lines.size() * QFontMetrics(h->font()).lineSpacing() <= h->height());
            QVERIFY2(lines.last().endsWith(QChar(0x2026)), qPrintable(lines.last().right(20)));
            for (const QString &line : lines)
                QVERIFY(QFontMetrics(h->font()).horizontalAdvance(line) <= h->width());
        }
        for (QWidget *w :
             std::initializer_list<QWidget *>{reading->quintessenceButton, reading->saveButton, reading->Box[0]})
            QVERIFY(reading->rect().contains(w->geometry()));
        QVERIFY(reading->Box[0]->toPlainText().startsWith(second + QLatin1Char(' ')));
        reading->saveButton->click();
        QVERIFY(reportText().contains(second + QStringLiteral(" und ") + first));
        reading->backButton->click();
        QVERIFY(TestEnv::mainWindowIdle());
    }

    void atrasAndTheMainMenuLeaveTheMainWindowIdle_data()
    {
        QTest::addColumn<bool>("viaPopup");
        QTest::newRow("Atrás") << false;
        QTest::newRow("Al menu principal") << true;
    }
    void atrasAndTheMainMenuLeaveTheMainWindowIdle()
    {
        QFETCH(bool, viaPopup);
        WindowRegistry::get<anima>();
        Start *main = WindowRegistry::get<Start>();
        const bool musicEntry = main->mnuMusik->isEnabled();
        readToTheEnd(QStringLiteral("Ana"), QStringLiteral("Luis"));
        QVERIFY(!main->mnuMusik->isEnabled());
        WindowRegistry::get<bezi>()->quintessenceButton->click();
        QVERIFY(WindowRegistry::get<slika>()->isVisible());
        if (viaPopup)
            WindowRegistry::get<frmMeni>()->mnuHaupt->trigger();
        else
            WindowRegistry::get<bezi>()->backButton->click();
        QCOMPARE(ReadingDriver::stillLoaded({"eingabe", "bezi", "legBez", "slika", "anima", "meld"}),
                 QString());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(main->mnuMusik->isEnabled(), musicEntry);
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }

    void closingAWindowOfTheReadingByItsFrame_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("the names input") << QStringLiteral("eingabe");
        QTest::newRow("the laying, while dealing") << QStringLiteral("legBez");
        QTest::newRow("the interpretation") << QStringLiteral("bezi");
        QTest::newRow("the quintessence sheet") << QStringLiteral("slika");
    }
    void closingAWindowOfTheReadingByItsFrame()
    {
        QFETCH(QString, window);
        Start *main = WindowRegistry::get<Start>();
        main->show();
        if (window == QStringLiteral("eingabe")) {
            main->readingButton("relationshipButton")->click();
        } else if (window == QStringLiteral("legBez")) {
            enterNames(QStringLiteral("Ana"), QStringLiteral("Luis"));
            QTRY_VERIFY(WindowRegistry::get<legBez>()->dealCount() > 5);
        } else {
            readToTheEnd(QStringLiteral("Ana"), QStringLiteral("Luis"));
            WindowRegistry::get<bezi>()->quintessenceButton->click();
        }
        QWidget *w = TestEnv::window(window);
        QVERIFY(w->isVisible());
        w->close();
        if (window == QStringLiteral("slika")) {
            // The sheet goes alone; the reading stays open, then its own close ends it.
            QVERIFY(!TestEnv::isLoaded(window));
            QVERIFY(WindowRegistry::get<bezi>()->isVisible());
            QCOMPARE(TestEnv::runningTimers(), QStringList());
            WindowRegistry::get<bezi>()->close();
        }
        QCOMPARE(ReadingDriver::stillLoaded({"eingabe", "legBez", "bezi", "slika"}), QString());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(TestEnv::runningTimers(), QStringList());
    }

    void theSheetClosesByItsButtonOrItsPicture()
    {
        slika *sheet = WindowRegistry::get<slika>();
        sheet->showQuintessence(7, CardPictures::load(7));
        sheet->exitButton->click();
        QVERIFY(!WindowRegistry::isLoaded<slika>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        sheet = WindowRegistry::get<slika>();
        // A new sheet starts with every box hidden.
        for (QPlainTextEdit *b :
             {sheet->richtextbox1, sheet->richtextbox2, sheet->richtextbox3, sheet->richtextbox5})
            QVERIFY(b->isHidden());
        sheet->showQuintessence(7, CardPictures::load(7));
        QTest::mouseClick(sheet->Image1, Qt::LeftButton);
        QVERIFY(!WindowRegistry::isLoaded<slika>());
    }
};

ORBELLE_TEST_MAIN(tst_Relationship)
#include "tst_relationship.moc"
