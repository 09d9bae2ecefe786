// The cross reading through its windows: prompt, four draws, the cross beside its sheet,
// report. The ways back, shared by every reading, are tst_shell's.

#include "deutf.h"
#include "kreuz.h"
#include "legkreuz.h"
#include "readingdriver.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using ReadingDriver::reportText;

class tst_Cross : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

    void theWholeReadingFromCruzToTheSheet()
    {
        Random::seed(17);
        QVERIFY(ReadingDriver::layReading("crossButton", ReadingDriver::Dealing));
        QVERIFY(WindowRegistry::get<Start>()->isMinimized());
        auto *sheet = qobject_cast<deutf *>(ReadingDriver::layReading("crossButton", ReadingDriver::Laid));
        kreuz *cross = WindowRegistry::get<kreuz>();
        QVERIFY(sheet && cross->isVisible() && !WindowRegistry::get<Start>()->isMinimized());
        const Spread &spread = cross->spread();
        QCOMPARE(spread.size(), 4);
        QCOMPARE(sheet->spread(), spread);
        for (int k = 1; k <= 4; ++k) {
            QVERIFY(!spread.isReversed(k));
            QCOMPARE(cross->images[size_t(k - 1)], CardPictures::load(spread.card(k)));
            const QString meaning = TestEnv::rowText(kreuz::tableOf(k), spread.card(k));
            QVERIFY(!meaning.isEmpty());
            QCOMPARE(cross->Box[size_t(k - 1)]->toPlainText(), meaning);
            QCOMPARE(sheet->Box[size_t(k - 1)]->toPlainText(), meaning);
        }
        // The sheet beside the cross, not over it.
        QVERIFY(sheet->parentWidget()->x() > cross->parentWidget()->geometry().right());

        // "Guardar" asks the question; the cross's meanings go into the report, not what
        // the sheet's boxes were made to say.
        sheet->Box[0]->setPlainText(QStringLiteral("editado aquí"));
        const QString question = QStringLiteral("¿Cambio de trabajo? {sí} \\ no");
        Dialogs::queueInput(question);
        sheet->saveButton->click();
        QCOMPARE(Dialogs::asked().last(), deutf::questionPrompt());
        QCOMPARE(sheet->spread().question, question);
        // The viewer opens wholly inside the main window, beside the cross.
        auto *frame = qobject_cast<QMdiSubWindow *>(WindowRegistry::get<rtfViewer>()->parentWidget());
        QVERIFY(frame && frame->isVisible());
        QVERIFY(Program::mdiArea()->viewport()->rect().contains(frame->geometry()));
        const QStringList lines = ReadingDriver::reportLines();
        const int at =
            int(lines.indexOf(question + QStringLiteral(" (") + Report::today() + QLatin1Char(')')));
        QVERIFY2(at >= 0, qPrintable(reportText()));
        // Each position: its picture, heading, the card's name (on the sheet too) and meaning.
        for (int k = 1; k <= 4; ++k) {
            const QString name = TestEnv::rowText(QStringLiteral("karten"), spread.card(k));
            QCOMPARE(sheet->nameLabels[size_t(k - 1)]->text(), name);
            QCOMPARE(lines.mid(at + 1 + 4 * (k - 1), 4),
                     ReadingDriver::pictureBlock(deutf::headings().at(k - 1) + QStringLiteral(" (") + name +
                                                 QStringLiteral("): ") +
                                                 ReadingDriver::firstLine(cross->Box[size_t(k - 1)]->toPlainText())));
        }
        // Nothing follows position 4.
        QVERIFY(reportText().endsWith(cross->Box[3]->toPlainText()));
        QVERIFY(!reportText().contains(QStringLiteral("editado aquí")));

        // "Cancelar" on the question writes nothing; "OK" with none, a heading of the date only.
        const QString before = reportText();
        sheet->saveButton->click();
        QCOMPARE(reportText(), before);
        Dialogs::queueInput(QString());
        sheet->saveButton->click();
        QVERIFY(reportText().contains(QStringLiteral("\n (") + Report::today() + QLatin1Char(')')));
        QCOMPARE(reportText().count(deutf::headings().at(3)), 2);
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
        ReadingDriver::unloadAll();
        legkreuz *table = WindowRegistry::get<legkreuz>();
        QCOMPARE(marks.unmarkedCount(), 74);
        ReadingDriver::checkHiddenSpread(table, WindowRegistry::get<kreuz>()->spread());
    }
};

ORBELLE_TEST_MAIN(tst_Cross)
#include "tst_cross.moc"
