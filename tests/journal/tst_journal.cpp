// The reading journal: readings recorded as they show, the store's search, filters and
// statistics, the file it exports and imports, its window, and the reversed-cards option.

#include "carddatabase.h"
#include "cardpicker.h"
#include "deutkelt.h"
#include "deuttag.h"
#include "diario.h"
#include "statscharts.h"
#include "journalio.h"
#include "journalstore.h"
#include "readingdriver.h"
#include "readings.h"
#include "settings.h"
#include "startup.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace {
JournalEntry reading(const QString &at, const QString &kind, const QVector<int> &cards, const QString &question = {})
{
    JournalEntry e;
    e.at = QDateTime::fromString(at, Qt::ISODate);
    e.kind = kind;
    for (int c : cards)
        e.spread.positions.append({qAbs(c), c < 0}); // a negative number lies reversed
    e.spread.question = question;
    return e;
}

JournalStore &store()
{
    return JournalStore::instance();
}

QVector<qint64> idsOf(const QVector<JournalEntry> &entries)
{
    QVector<qint64> ids;
    for (const JournalEntry &e : entries)
        ids << e.id;
    return ids;
}
} // namespace

class tst_Journal : public QObject
{
    Q_OBJECT
    qint64 a = 0, b = 0, c = 0;

    void addThree()
    {
        a = store().add(reading("2026-01-10T09:00:00", "cruz", {1, -23, 37, 51}, "¿100% seguro, \"sí\"?"));
        b = store().add(reading("2026-02-03T22:15:00", "dia", {-65}));
        c = store().add(reading("2026-02-20T08:00:00", "celta", {2, 3, 24, 25, 38, 52, 66, -67, 70, 78}));
        QVERIFY(a && b && c);
    }

private slots:
    void initTestCase() { ReadingDriver::setUpRun(); }
    void init()
    {
        TestEnv::freshStart();
        CardDatabase::closeShared();
        QVERIFY(Shell::openCardData());
    }

    // Once per reading, as its interpretation shows, with every card as it lies; what the
    // reading asks at "Guardar" completes the entry.
    void everyReadingIsRecordedAsItShows()
    {
        Random::seed(11);
        auto *day = qobject_cast<deutTag *>(ReadingDriver::layReading("dayCardButton", ReadingDriver::Laid));
        QVERIFY(day);
        QCOMPARE(store().list({}, true).size(), 1);
        QCOMPARE(store().list({}, true).first().kind, QStringLiteral("dia"));
        QCOMPARE(store().list({}, true).first().spread, day->spread());
        day->backButton->click();
        auto *celtic = qobject_cast<deutKelt *>(ReadingDriver::layReading("celticButton", ReadingDriver::Laid));
        QVERIFY(celtic);
        Dialogs::queueInput(QStringLiteral("¿Y el viaje?"));
        celtic->saveButton->click();
        const QVector<JournalEntry> all = store().list({}, true);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.first().kind, QStringLiteral("celta"));
        QCOMPARE(all.first().spread, celtic->spread());
        QCOMPARE(all.first().spread.question, QStringLiteral("¿Y el viaje?"));
    }

    // A journal that cannot store says so once, after the reading has shown, and the
    // reading goes on.
    void aJournalThatCannotStoreSaysSoOnce()
    {
        QVERIFY(QFile::setPermissions(CardDatabase::ownPath(), QFile::ReadOwner));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(ReadingDriver::layReading("dayCardButton", ReadingDriver::Laid));
            QTRY_COMPARE(Dialogs::asked().size(), 1);
            WindowRegistry::get<deutTag>()->backButton->click();
        }
        QVERIFY(Dialogs::asked().first().contains(QStringLiteral("protegido contra escritura")));
        QCOMPARE(store().count(), 0);
    }

    // The windows of one reading that show the same cards make one entry; the same cards
    // in a reading of their own make another.
    void oneReadingOneEntry()
    {
        const Spread cards = Spread::of({4, 9, 60, 77});
        auto *first = new QObject, *second = new QObject;
        const qint64 id = JournalRecorder::laid(first, QStringLiteral("cruz"), cards);
        QVERIFY(id);
        QCOMPARE(JournalRecorder::laid(second, QStringLiteral("cruz"), cards), id);
        delete first;
        delete second;
        QVERIFY(JournalRecorder::laid(nullptr, QStringLiteral("cruz"), cards) > id);
        QCOMPARE(store().count(), 2);
    }

    void searchFiltersAndStatistics()
    {
        addThree();
        QCOMPARE(idsOf(store().list()), (QVector<qint64>{c, b, a})); // newest first
        const auto found = [](const QString &text, const QString &kind = {}, int card = 0, QDate from = {},
                              QDate to = {}) {
            JournalFilter f;
            f.text = text, f.kind = kind, f.card = card, f.from = from, f.to = to;
            return idsOf(store().list(f));
        };
        QCOMPARE(found(QStringLiteral("100%")), QVector<qint64>{a});
        QCOMPARE(found(QStringLiteral("_")), QVector<qint64>{}); // a letter, not any letter
        QCOMPARE(found({}, QStringLiteral("dia")), QVector<qint64>{b});
        QCOMPARE(found({}, {}, 23), QVector<qint64>{a});
        QCOMPARE(found({}, {}, 0, QDate(2026, 2, 1), QDate(2026, 2, 3)), QVector<qint64>{b});
        QCOMPARE(store().days(), (QSet<QDate>{QDate(2026, 1, 10), QDate(2026, 2, 3), QDate(2026, 2, 20)}));

        JournalStats s = store().stats();
        QCOMPARE(s.readings, 3);
        QCOMPARE(s.cards, 15);
        QCOMPARE(s.major, 3);
        QCOMPARE(s.suits, (std::array<int, 4>{3, 2, 2, 5}));
        QCOMPARE(s.reversed, 3);
        QCOMPARE(s.perMonth, (QVector<QPair<QDate, int>>{{QDate(2026, 1, 1), 1}, {QDate(2026, 2, 1), 2}}));
        QCOMPARE(s.againstChance(23), 78.0 / 15);
        QCOMPARE(store().stats(QDate(2026, 2, 1)).readings, 2);

        // Deleted with its cards, and put back as it was.
        const JournalEntry gone = store().entry(a);
        QVERIFY(store().remove(a));
        QCOMPARE(store().stats().perCard[23], 0);
        QVERIFY(store().restore(gone));
        QCOMPARE(store().entry(a), gone);
    }

    void exportedJournalsComeBack()
    {
        addThree();
        QVERIFY(store().setNotes(b, QStringLiteral("línea uno\nlínea dos")));
        const QVector<JournalEntry> all = store().list({}, true);
        const JournalIO::Imported back = JournalIO::fromJson(JournalIO::toJson(all));
        QCOMPARE(back.error, QString());
        QCOMPARE(back.entries.size(), 3);
        for (int i = 0; i < 3; ++i) {
            JournalEntry e = back.entries[i];
            e.id = all[i].id;
            QCOMPARE(e, all[i]);
        }
        QCOMPARE(JournalIO::addNew(back.entries), 0); // already there
        QVERIFY(store().remove(b));
        QCOMPARE(JournalIO::addNew(back.entries), 1);
        // A newer version or a card out of the deck: nothing is taken.
        QByteArray json = JournalIO::toJson(all);
        for (const auto &[from, to] : {std::pair{"\"version\": 1", "\"version\": 2"}, {"\"card\": 78", "\"card\": 79"}}) {
            const JournalIO::Imported refused = JournalIO::fromJson(QByteArray(json).replace(from, to));
            QVERIFY(!refused.error.isEmpty() && refused.entries.isEmpty());
        }
        // CSV: one line per card, texts quoted where they hold commas, quotes or lines.
        const QStringList csv = QString::fromUtf8(JournalIO::toCsv(all)).split(QStringLiteral("\r\n"));
        QCOMPARE(csv.size(), 1 + 15 + 1);
        QVERIFY(csv.last().isEmpty());
        QVERIFY(csv.contains(QStringLiteral("2026-01-10T09:00:00,cruz,0,\"¿100% seguro, \"\"sí\"\"?\",,,,,0,2,23,1")));
        // ... and read back whole, also with a spreadsheet's LF line ends; a card out of order refuses all.
        QByteArray lf = JournalIO::toCsv(all);
        lf.replace("\r\n", "\n");
        const JournalIO::Imported fromCsv = JournalIO::fromCsv(lf);
        QCOMPARE(fromCsv.error, QString());
        QCOMPARE(fromCsv.entries.size(), 3);
        for (int i = 0; i < 3; ++i) {
            JournalEntry e = fromCsv.entries[i];
            e.id = all[i].id;
            QCOMPARE(e, all[i]);
        }
        QVERIFY(JournalIO::fromCsv(QByteArray(lf).replace(",0,2,23,1", ",0,3,23,1")).entries.isEmpty());
    }

    // From the main menu, by the keyboard: the list, the calendar, the search, a title
    // and notes stored as typed, a deletion asked and undone.
    void theJournalWindow()
    {
        addThree();
        ReadingDriver::shownMain()->findChild<QAction *>(QStringLiteral("mnuDiario"))->trigger();
        diario *w = WindowRegistry::ifLoaded<diario>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->entryList->count(), 3);
        QCOMPARE(w->currentId(), c);
        QCOMPARE(w->calendar->dateTextFormat(QDate(2026, 2, 3)).fontWeight(), int(QFont::Bold));
        QVERIFY(!w->calendar->dateTextFormat().contains(QDate(2026, 2, 4)));
        QTest::keyClicks(w->searchEdit, QStringLiteral("seguro"));
        QCOMPARE(w->entryList->count(), 1);
        w->searchEdit->clear();
        w->selectEntry(b);
        QTest::keyClicks(w->titleEdit, QStringLiteral("Mi torre"));
        QTest::keyClicks(w->notesEdit, QStringLiteral("Nota"));
        QCOMPARE(store().entry(b).title, QStringLiteral("Mi torre"));
        QCOMPARE(store().entry(b).notes, QStringLiteral("Nota"));
        QVERIFY(w->cardsView->toPlainText().contains(TestEnv::rowText(QStringLiteral("karten"), 65)));

        Dialogs::queueButton(QMessageBox::No);
        QTest::keyClick(w->entryList, Qt::Key_Delete);
        QCOMPARE(store().count(), 3);
        Dialogs::queueButton(QMessageBox::Yes);
        QTest::keyClick(w->entryList, Qt::Key_Delete);
        QCOMPARE(store().count(), 2);
        QVERIFY(w->undoButton->isEnabled());
        w->undoButton->click();
        QCOMPARE(store().entry(b).title, QStringLiteral("Mi torre"));
        QCOMPARE(w->currentId(), b);
        w->toViewerButton->click();
        QVERIFY(ReadingDriver::reportText().contains(QStringLiteral("Mi torre")));

        // The statistics of a period between two days, given in either order.
        w->tabs->setCurrentIndex(1);
        w->periodBox->setCurrentIndex(4);
        w->fromEdit->setDate(QDate(2026, 12, 31));
        w->toEdit->setDate(QDate(2026, 2, 1));
        QCOMPARE(w->charts->summaryLabel->text(), StatsCharts::summary(store().stats(QDate(2026, 2, 1))));
        QVERIFY(w->charts->summaryLabel->text().startsWith(QStringLiteral("2 ")));
        // The charts go to the viewer in their own proportions, not a card's.
        w->chartsToViewerButton->click();
        const QTextDocument *report = WindowRegistry::get<rtfViewer>()->Box1->document();
        QTextImageFormat chart;
        for (QTextBlock b = report->lastBlock(); b.isValid() && chart.name().isEmpty(); b = b.previous())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    chart = it.fragment().charFormat().toImageFormat();
        QVERIFY(!chart.name().isEmpty() && chart.height() > 0);
        QCOMPARE(qRound(10 * chart.width() / chart.height()), 14);
    }

    // With one's own deck the cards are entered, found by any part of their name, each
    // once; the reading goes on with them and the journal marks it.
    void cardsOfOnesOwnDeck()
    {
        CardPicker picker(2, true);
        picker.cardBoxes[0]->setEditText(QStringLiteral("la torre"));
        picker.cardBoxes[1]->setEditText(QStringLiteral("La Torre"));
        QString problem;
        QVERIFY(!picker.chosen(&problem) && problem.contains(QStringLiteral("dos veces")));
        picker.cardBoxes[1]->setEditText(QStringLiteral("El Sol"));
        picker.reversedBoxes[1]->setChecked(true);
        QCOMPARE(picker.chosen()->cards(), (QVector<int>{16, 19}));
        QVERIFY(picker.chosen()->isReversed(2));

        QVERIFY(Settings::set(QStringLiteral("baraja-propia"), QStringLiteral("si")));
        Spread mine = Spread::of({16});
        mine.positions[0].reversed = true;
        CardPicker::queueAnswer(mine);
        auto *day = qobject_cast<deutTag *>(ReadingDriver::layReading("dayCardButton", ReadingDriver::Laid));
        QVERIFY(day);
        QCOMPARE(day->card(), 16);
        QCOMPARE(day->meaningSet(), 3);
        QVERIFY(store().list().first().byHand);
    }

    // Off, every card lies upright and the day card never takes its reversed meaning;
    // the cards drawn are the same either way.
    void reversedCardsCanBeSwitchedOff()
    {
        Spread drawn[2];
        for (bool on : {true, false}) {
            QVERIFY(Settings::set(QStringLiteral("invertidas"), on ? QStringLiteral("si") : QStringLiteral("no")));
            modOrbelle::state().cardTaken = CardMarks();
            Random::seed(7);
            drawn[on] = Readings::drawWithOrientations(10);
        }
        QCOMPARE(drawn[0].cards(), drawn[1].cards());
        QVERIFY(drawn[1].positions != drawn[0].positions);
        for (const Spread::Position &p : drawn[0].positions)
            QVERIFY(!p.reversed);
        for (int seed = 0; seed < 30; ++seed) {
            Random::seed(seed);
            QVERIFY(drawDayCard().meaningSet != 3);
        }
    }
};

ORBELLE_TEST_MAIN(tst_Journal)
#include "tst_journal.moc"
