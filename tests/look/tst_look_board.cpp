// The free board and the report viewer on the screen this run was given: placed, nothing cut
// off, the cards in the deck's shape, the board played and the viewer's entries reached by
// the keyboard alone.

#include "carddatabase.h"
#include "frmdrag.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "twips.h"

#include <QAction>
#include <QSignalSpy>

using namespace LookCheck;
using ReadingDriver::reportText;
using ReadingDriver::shownMain;

namespace {

frmDrag *dealtBoard()
{
    shownMain()->boardButton->click();
    frmDrag *b = WindowRegistry::ifLoaded<frmDrag>();
    if (!b || !QTest::qWaitFor([b] { return !b->Timer1->isActive(); }, 10000))
        return nullptr;
    b->activateWindow();
    return QTest::qWaitForWindowActive(b) ? b : nullptr;
}

int picturesInReport()
{
    return WindowRegistry::isLoaded<rtfViewer>()
               ? int(reportText().count(QChar(QChar::ObjectReplacementCharacter)))
               : 0;
}

// The viewer shown in the main window, active, with the keys going to its text.
rtfViewer *activeViewer()
{
    Start *m = shownMain();
    m->activateWindow();
    if (!QTest::qWaitForWindowActive(m))
        return nullptr;
    rtfViewer *v = WindowRegistry::get<rtfViewer>();
    v->showReport();
    v->Box1->setFocus();
    return QTest::qWaitFor([v] { return v->Box1->hasFocus(); }, 2000) ? v : nullptr;
}

} // namespace

class tst_LookBoard : public LookTest
{
    Q_OBJECT

private slots:
    void theBoardFitsWithItsCardsInShape()
    {
        Random::seed(3);
        frmDrag *b = dealtBoard();
        QVERIFY(b);
        typeKeys(QStringLiteral("Space Space"));
        QCOMPARE(b->turnCount(), 2);
        CHECK_LOOK(b);
        // Backs and faces alike, as the board's scale draws them.
        const double scale = b->pixelsPerTwip() * Twips::perPixel;
        QStringList faults;
        for (QLabel *box : b->Image1)
            if (box->isVisible())
                faults << cardFaults(box, Twips::size(frmDrag::kCardWidth, frmDrag::kCardHeight), scale);
        CHECK_NONE(faults);
        QVERIFY(b->board->rect().contains(b->Text1->geometry()));
        CHECK_KEYS(b);
    }

    void theBoardIsPlayedByTheKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("state"); // as state() below tells it
        // The buttons' own keys reaching them is everyWindowTakesTheKeysItShows' business.
        QTest::addRow("turn") << "Space Return"
                              << "turned 2, collecting no, in report 0";
        QTest::addRow("collect and stop") << "Alt+T Space Alt+T Space"
                                          << "turned 2, collecting no, in report 1";
    }
    void theBoardIsPlayedByTheKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, state);
        frmDrag *b = dealtBoard();
        QVERIFY(b);
        typeKeys(keys);
        const auto now = [b] {
            return QStringLiteral("turned %1, collecting %2, in report %3")
                .arg(b->turnCount())
                .arg(modOrbelle::state().boardCollects ? "yes" : "no")
                .arg(picturesInReport());
        };
        QCOMPARE(now(), state);
    }

    void collectingSaysWhatItDoes()
    {
        Random::seed(12);
        frmDrag *b = dealtBoard();
        QVERIFY(b);
        typeKeys(QStringLiteral("Alt+T"));
        const QString on = b->statusLabel->text();
        QVERIFY(on.contains(QStringLiteral("Visualizador")));
        typeKeys(QStringLiteral("Space"));
        // The card's name on the board (the report's heading is tst_freeboard's).
        const QString name = CardDatabase::cardText(QStringLiteral("karten"), b->shuffle().at(0));
        QVERIFY2(b->statusLabel->text().contains(name), qPrintable(b->statusLabel->text()));
        CHECK_LOOK(b);
        typeKeys(QStringLiteral("Alt+T"));
        QVERIFY(b->statusLabel->text() != on && !b->statusLabel->text().contains(name));
        b->mnuEnd->trigger();

        // The report with the card, in the main window.
        rtfViewer *v = activeViewer();
        QVERIFY(v);
        CHECK_LOOK(v);
        CHECK_NONE(mnemonicClashes(v));
        // Every entry but the exit has a key, shows it, and is triggered by it (empty, the
        // entries ask for files and print nothing).
        v->Box1->clear();
        v->Box1->document()->setModified(false);
        for (QAction *a : {v->mnuOtvor, v->mnuSpeich, v->mnuPrint, v->mnuPdf}) {
            const QString key = a->shortcut().toString(QKeySequence::NativeText);
            QVERIFY2(!key.isEmpty() && a->text().contains(key), qPrintable(a->text()));
            QSignalSpy triggered(a, &QAction::triggered);
            v->Box1->setFocus();
            typeKeys(a->shortcut().toString());
            QVERIFY2(triggered.count() == 1, qPrintable(key));
        }
    }
};

ORBELLE_TEST_MAIN(tst_LookBoard)
#include "tst_look_board.moc"
