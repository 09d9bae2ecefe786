// The free board and the report viewer on the screen this run was given: placed, nothing cut
// off, the cards in the deck's shape, and every entry reached and each window left by the
// keyboard alone.

#include "carddatabase.h"
#include "frmdrag.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "theme.h"
#include "twips.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
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

class tst_LookBoard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun();
        qApp->setStyleSheet(Theme::styleSheet());
    }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

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
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY(b->board->rect().contains(b->Text1->geometry()));
        QCOMPARE(mnemonicClashes(b), QStringList());
        QCOMPARE(mnemonicRouting(b), QStringList());
    }

    void theBoardIsPlayedByTheKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("state"); // as state() below tells it
        QTest::addRow("turn") << "Space Return" << "turned 2, collecting no, in report 0, asked 0";
        QTest::addRow("help") << "Alt+Q" << "turned 0, collecting no, in report 0, asked 1";
        QTest::addRow("collect") << "Space Alt+T Space" << "turned 2, collecting yes, in report 1, asked 0";
        QTest::addRow("collect and stop") << "Alt+T Space Alt+T Space"
                                          << "turned 2, collecting no, in report 1, asked 0";
        QTest::addRow("leave") << "Space Alt+S" << "closed";
    }
    void theBoardIsPlayedByTheKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, state);
        frmDrag *b = dealtBoard();
        QVERIFY(b);
        typeKeys(keys);
        const auto now = [b] {
            if (!WindowRegistry::isLoaded<frmDrag>())
                return QStringLiteral("closed");
            return QStringLiteral("turned %1, collecting %2, in report %3, asked %4")
                .arg(b->turnCount())
                .arg(modOrbelle::state().boardCollects ? "yes" : "no")
                .arg(picturesInReport())
                .arg(Dialogs::asked().count(frmDrag::helpText()));
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
        // Every entry but the exit has a key, and shows it.
        for (QAction *a : {v->mnuOtvor, v->mnuSpeich, v->mnuPrint, v->mnuPdf}) {
            QVERIFY2(!a->shortcut().isEmpty(), qPrintable(a->text()));
            QVERIFY2(a->text().contains(a->shortcut().toString(QKeySequence::NativeText)),
                     qPrintable(a->text()));
        }
        QCOMPARE(mnemonicClashes(v), QStringList());
    }

    void theViewerIsUsedByTheKeyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("entry"); // the entry the keys trigger, or "closed"
        const std::pair<const char *, const char *> rows[] = {
            {"Ctrl+O", "mnuOtvor"}, {"Alt+A", "mnuOtvor"}, {"Ctrl+S", "mnuSpeich"}, {"Alt+G", "mnuSpeich"},
            {"Ctrl+P", "mnuPrint"}, {"Alt+I", "mnuPrint"}, {"Ctrl+E", "mnuPdf"},     {"Alt+E", "mnuPdf"}};
        for (const auto &[key, entry] : rows)
            QTest::addRow("%s", key) << key << entry;
        QTest::addRow("Alt+S") << "Alt+S" << "closed";
    }
    void theViewerIsUsedByTheKeyboard()
    {
        QFETCH(QString, keys);
        QFETCH(QString, entry);
        rtfViewer *v = activeViewer();
        QVERIFY(v);
        // Empty: the entries ask for files and print nothing.
        v->Box1->clear();
        v->Box1->document()->setModified(false);
        QStringList triggered;
        QObject listening;
        for (QAction *a : {v->mnuOtvor, v->mnuSpeich, v->mnuPrint, v->mnuPdf, v->mnuClose})
            connect(a, &QAction::triggered, &listening, [&triggered, a] { triggered << a->objectName(); });
        typeKeys(keys);
        if (entry == QLatin1String("closed"))
            QVERIFY(QTest::qWaitFor([] { return !WindowRegistry::isLoaded<rtfViewer>(); }, 2000));
        else
            QCOMPARE(triggered, QStringList{entry});
    }
};

ORBELLE_TEST_MAIN(tst_LookBoard)
#include "tst_look_board.moc"
