// The free laying board: the deal, turns in shuffle order, keywords, report, carrying cards.

#include "frmdrag.h"
#include "legkreuz.h"
#include "mediacontrol.h"
#include "readingdriver.h"

#include <QAccessible>

#include <algorithm>
#include <cmath>

using ReadingDriver::reportText;
using namespace Qt::StringLiterals;

namespace {
bool isWholeDeck(QVector<int> cards)
{
    std::sort(cards.begin(), cards.end());
    for (int n = 1; n <= 78; ++n)
        if (cards.value(n - 1) != n)
            return false;
    return cards.size() == 78;
}

int picturesInReport()
{
    return int(reportText().count(QChar(QChar::ObjectReplacementCharacter)));
}

QString keywordsOf(int card)
{
    return TestEnv::rowText(QStringLiteral("stichwörter"), card);
}

// A mouse event as the window system delivers it: at a point of the board, to the
// widget under the button.
void send(frmDrag *b, QWidget *to, QEvent::Type type, QPoint boardPos, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent e(type, to->mapFrom(b->board, boardPos), b->board->mapToGlobal(QPointF(boardPos)), button,
                  held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &e);
}

void click(frmDrag *b, int box, Qt::MouseButton button)
{
    QWidget *w = b->Image1[size_t(box)];
    send(b, w, QEvent::MouseButtonPress, w->geometry().center(), button, button);
    send(b, w, QEvent::MouseButtonRelease, w->geometry().center(), button, Qt::NoButton);
}

// Carries an item with the left button from a point inside it to a point of the board.
void drag(frmDrag *b, QWidget *item, QPoint grip, QPoint to)
{
    const QPoint from = item->pos() + grip;
    QWidget *target = item == b->Text1 ? b->Text1->viewport() : item;
    send(b, target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const QPoint half = (from + to) / 2;
    send(b, target, QEvent::MouseMove, half, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(item->pos(), half - grip);
    send(b, target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(b, target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// A point of the board given in twips, in board pixels.
QPoint atTwips(frmDrag *b, double x, double y)
{
    const QWidget *ref = b->Image1[1];
    const QPoint place = b->placeOf(ref);
    const double k = b->pixelsPerTwip();
    return QPoint(int(std::lround(ref->x() + (x - place.x()) * k)),
                  int(std::lround(ref->y() + (y - place.y()) * k)));
}
} // namespace

class tst_FreeBoard : public QObject
{
    Q_OBJECT
    int m_ends = 0;

    frmDrag *openBoard()
    {
        ReadingDriver::shownMain()->boardButton->click();
        return WindowRegistry::ifLoaded<frmDrag>();
    }

    // Null when the board did not open or its deal did not end.
    frmDrag *openDealtBoard()
    {
        frmDrag *b = openBoard();
        return b && QTest::qWaitFor([b] { return !b->Timer1->isActive(); }, 10000) ? b : nullptr;
    }

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun([this](int) { ++m_ends; });
    }
    void init()
    {
        QVERIFY(ReadingDriver::freshRun());
        m_ends = 0;
    }

    void theDealShowsBoxesOneToSeventySevenInOrderWithASoundEach()
    {
        // The music that is wanted starts after the deal (the rule itself is tst_music's).
        modOrbelle::state().musicOn = true;
        frmDrag *b = openBoard();
        QVERIFY(b && b->isVisible() && b->isWindow());
        // The whole deck, shuffled, before the first back is dealt.
        QVERIFY(isWholeDeck(b->shuffle()));
        // Each tick shows one box more, from the first to the 77th, with its sound.
        int ticks = 0;
        bool inOrder = true;
        connect(b->Timer1, &QTimer::timeout, b, [&] {
            const int shown = qMin(++ticks, 77);
            for (int i = 0; i < frmDrag::kBoxes; ++i)
                inOrder &= b->Image1[size_t(i)]->isHidden() == (i < 1 || i > shown);
            inOrder &= MediaControl::recordedCommands().count(QStringLiteral("play zvuk.wav")) == shown;
        });
        QVERIFY(!TestEnv::musicPlayed());
        QTRY_VERIFY(!b->Timer1->isActive());
        QVERIFY(TestEnv::musicPlayed());
        QVERIFY(inOrder);
        QCOMPARE(ticks, 78);
        // The row of cards runs left to right and lies wholly on the board.
        for (int i = 1; i <= 77; ++i) {
            QVERIFY(b->board->rect().contains(b->Image1[size_t(i)]->geometry()));
            QVERIFY(b->placeOf(b->Image1[size_t(i)]).x() > b->placeOf(b->Image1[size_t(i - 1)]).x());
        }
        b->mnuEnd->trigger();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("close"));
        QTRY_VERIFY(TestEnv::runningTimers().isEmpty());
    }

    void turnsFollowTheShuffleWhicheverBoxIsPressed()
    {
        Random::seed(4);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        const QVector<int> shuffle = b->shuffle();
        QVERIFY(b->Text1->isHidden());
        // A left press never turns a card.
        click(b, 20, Qt::LeftButton);
        QVERIFY(b->tag(20).isEmpty() && b->Text1->isHidden());
        QCOMPARE(b->turnCount(), 0);

        const QList<int> order{40, 3, 77, 12, 1};
        for (int n = 0; n < order.size(); ++n) {
            const int box = order.at(n);
            const Qt::MouseButton button = n % 2 ? Qt::MiddleButton : Qt::RightButton;
            QLabel *w = b->Image1[size_t(box)];
            send(b, w, QEvent::MouseButtonPress, w->geometry().center(), button, button);
            // Turned on the press: the tag is the card's number, the picture its own.
            QCOMPARE(b->tag(box), QString::number(shuffle.at(n)));
            QCOMPARE(b->turnCount(), n + 1);
            const QImage shown = w->pixmap().toImage();
            QCOMPARE(shown, CardPictures::load(shuffle.at(n))
                                .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(shown.format()));
            // Looked at on the release: its keywords.
            send(b, w, QEvent::MouseButtonRelease, w->geometry().center(), button, Qt::NoButton);
            QVERIFY(b->Text1->isVisible());
            QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(n)));
        }
        // Pressing a face-up card again turns nothing and shows its keywords again; a left
        // click does not.
        click(b, 40, Qt::RightButton);
        QCOMPARE(b->turnCount(), 5);
        QCOMPARE(b->tag(40), QString::number(shuffle.at(0)));
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(0)));
        click(b, 3, Qt::LeftButton);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(0)));
        // The keyboard turns the frontmost back and shows its keywords.
        QTest::keyClick(b, Qt::Key_Space);
        QCOMPARE(b->turnCount(), 6);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(5)));
        // A right click on a card never opens the popup.
        QVERIFY(!WindowRegistry::get<frmMeni>()->mnuMeni->isVisible());
    }

    void theKeyboardSelectsTurnsAndMovesACard()
    {
        Random::seed(5);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        const QVector<int> shuffle = b->shuffle();
        b->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b));
        b->setFocus();
        // Tab and Shift+Tab go along the row; a frame shows the card selected.
        QTest::keyClick(b, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b->Image1[1]);
        QTest::keyClick(b->Image1[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b->Image1[2]);
        QTest::keyClick(b->Image1[2], Qt::Key_Tab, Qt::ShiftModifier);
        QLabel *card = b->Image1[1];
        QCOMPARE(QApplication::focusWidget(), card);
        QVERIFY(b->focusFrame->isVisible());
        QVERIFY(b->focusFrame->geometry().contains(card->geometry()));
        QCOMPARE(card->accessibleName(), u"Carta boca abajo 1 de 77"_s);

        // Space turns it and shows its keywords, as the right button does; then it bears
        // its card's name. Enter looks at it again without turning another.
        QTest::keyClick(card, Qt::Key_Space);
        QCOMPARE(b->tag(1), QString::number(shuffle.at(0)));
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(0)));
        QCOMPARE(card->accessibleName(), TestEnv::rowText(u"karten"_s, shuffle.at(0)));
        QTest::keyClick(card, Qt::Key_Return);
        QCOMPARE(b->turnCount(), 1);

        // The arrows move it a small step, with Shift a large one, never off the board;
        // the frame goes with it.
        const QPoint from = b->placeOf(card);
        QTest::keyClick(card, Qt::Key_Right);
        QTest::keyClick(card, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(b->placeOf(card), from + QPoint(frmDrag::kSmallStep, frmDrag::kLargeStep));
        for (int n = 0; n < 12; ++n) {
            QTest::keyClick(card, Qt::Key_Up, Qt::ShiftModifier);
            QTest::keyClick(card, Qt::Key_Right, Qt::ShiftModifier);
        }
        QCOMPARE(b->placeOf(card), QPoint(frmDrag::kBoardWidth - frmDrag::kCardWidth, 0));
        QVERIFY(b->board->rect().contains(card->geometry()));
        QVERIFY(b->focusFrame->geometry().contains(card->geometry()));
        QCOMPARE(b->turnCount(), 1);
    }

    void collectingAppendsEveryCardLookedAtFromThenOn()
    {
        Random::seed(9);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        const QVector<int> shuffle = b->shuffle();
        click(b, 10, Qt::RightButton); // before collecting: not in the report
        const QString before = reportText();
        QCOMPARE(picturesInReport(), 0);

        b->mnuView->trigger();
        QVERIFY(WindowRegistry::isLoaded<rtfViewer>());
        QCOMPARE(reportText(), before);

        click(b, 50, Qt::RightButton);
        QCOMPARE(picturesInReport(), 1);
        // Headed by its name, as the readings head theirs.
        const QString name = TestEnv::rowText(QStringLiteral("karten"), shuffle.at(1));
        QVERIFY(reportText().endsWith(QStringLiteral("\nCarta libre: ") + name + QStringLiteral("\n\n") +
                                      QChar(QChar::ObjectReplacementCharacter) + QStringLiteral("\n\n") +
                                      keywordsOf(shuffle.at(1)) + QStringLiteral("\n")));
        // A screen reader reads the picture as the card it shows.
        QAccessibleInterface *report = QAccessible::queryAccessibleInterface(WindowRegistry::get<rtfViewer>()->Box1);
        QVERIFY(report && report->textInterface());
        QVERIFY(report->textInterface()->text(0, -1).endsWith(name + u"\n\n"_s + name + u"\n\n"_s +
                                                               keywordsOf(shuffle.at(1)) + u"\n"_s));
        // The card turned before is appended when looked at again, and each look appends.
        click(b, 10, Qt::RightButton);
        click(b, 10, Qt::MiddleButton);
        QCOMPARE(picturesInReport(), 3);
        QCOMPARE(reportText().count(keywordsOf(shuffle.at(0))), 2);
        QVERIFY(reportText().indexOf(keywordsOf(shuffle.at(1))) <
                reportText().indexOf(keywordsOf(shuffle.at(0))));
        // A left click or a turn without a look appends nothing.
        click(b, 10, Qt::LeftButton);
        QWidget *w = b->Image1[30];
        send(b, w, QEvent::MouseButtonPress, w->geometry().center(), Qt::RightButton, Qt::RightButton);
        QCOMPARE(picturesInReport(), 3);

        // Collecting stays on for the next board of the run, until it is switched off.
        b->close();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        b = openDealtBoard();
        QVERIFY(b);
        QVERIFY(b->mnuView->isChecked());
        click(b, 5, Qt::RightButton);
        QCOMPARE(picturesInReport(), 4);
        QVERIFY(reportText().endsWith(keywordsOf(b->shuffle().at(0)) + QStringLiteral("\n")));
        b->mnuView->trigger();
        QVERIFY(!b->mnuView->isChecked());
        click(b, 5, Qt::RightButton);
        QCOMPARE(picturesInReport(), 4);
    }

    void droppedItemsLandWhereLetGoInsideTheBoard_data()
    {
        QTest::addColumn<bool>("keywords"); // the keyword box rather than a card
        QTest::addColumn<QPointF>("drop");  // where the mouse lets it go, in twips
        for (bool keywords : {false, true}) {
            const char *item = keywords ? "keyword box" : "card";
            QTest::addRow("%s on free ground", item) << keywords << QPointF(5000, 5000);
            QTest::addRow("%s past the left edge", item) << keywords << QPointF(150, 5000);
            QTest::addRow("%s past the bottom right corner", item) << keywords << QPointF(11900, 8330);
        }
    }
    void droppedItemsLandWhereLetGoInsideTheBoard()
    {
        QFETCH(bool, keywords);
        QFETCH(QPointF, drop);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        click(b, 7, Qt::RightButton); // turned and looked at: the keyword box shows
        QWidget *item = keywords ? static_cast<QWidget *>(b->Text1) : b->Image1[30];
        const QString text = b->Text1->toPlainText();
        const QPoint grip(20, 15);
        const QPoint to = atTwips(b, drop.x(), drop.y());
        drag(b, item, grip, to);
        // Held where it was gripped, but wholly on the board; kept in twips for any size.
        const QRect board = b->board->rect();
        const QPoint expected(qBound(0, to.x() - grip.x(), board.width() - item->width()),
                              qBound(0, to.y() - grip.y(), board.height() - item->height()));
        QVERIFY2((item->pos() - expected).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(item->x()).arg(item->y())));
        const double k = b->pixelsPerTwip();
        const QPointF twips = QPointF(b->placeOf(b->Image1[1])) + QPointF(expected - b->Image1[1]->pos()) / k;
        QVERIFY((QPointF(b->placeOf(item)) - twips).manhattanLength() <= 3 / k);
        QVERIFY(b->tag(30).isEmpty()); // carried, not turned
        QCOMPARE(b->Text1->toPlainText(), text);
        QVERIFY(b->Text1->textCursor().selectedText().isEmpty());
    }

    void aDropOnAnotherItemOrOffTheBoardDoesNotMove()
    {
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        QLabel *card = b->Image1[30];
        const QPoint grip(10, 10);
        const QPoint from = b->placeOf(card);
        const QRect before = card->geometry();
        // Onto the row of cards, onto the keyword box, off the board.
        const QRect other = b->Image1[60]->geometry();
        click(b, 2, Qt::RightButton);
        QVERIFY(b->Text1->isVisible());
        for (const QPoint to : {other.center() + QPoint(other.width() / 4, 0), b->Text1->geometry().center(),
                                QPoint(b->board->width() + 20, b->board->height() / 2)}) {
            drag(b, card, grip, to);
            QCOMPARE(b->placeOf(card), from);
            QCOMPARE(card->geometry(), before);
        }
    }

    void aBoardOpenedAgainShufflesTheWholeDeckAnewAndNeverReadsPastIt()
    {
        Random::seed(21);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        for (int box : {1, 2, 3})
            click(b, box, Qt::RightButton);
        const QVector<int> first = b->shuffle();
        b->mnuEnd->trigger();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        // A cross in between marks its four cards; the board still deals the whole deck.
        WindowRegistry::get<legkreuz>();
        QCOMPARE(modOrbelle::state().cardTaken.unmarkedCount(), 74);
        Popup::toMainMenu();

        b = openDealtBoard();
        QVERIFY(b);
        QCOMPARE(b->turnCount(), 0);
        QVERIFY(isWholeDeck(b->shuffle()));
        QVERIFY(b->shuffle() != first);
        // Every back turned: the 77 first cards of the new shuffle, in order.
        for (int box = 77; box >= 1; --box)
            click(b, box, Qt::RightButton);
        QCOMPARE(b->turnCount(), 77);
        QCOMPARE(b->tag(1), QString::number(b->shuffle().at(76)));
        QCOMPARE(b->tag(77), QString::number(b->shuffle().at(0)));
        b->turnNext();
        QCOMPARE(b->turnCount(), 77);
        // And a cross after the board still finds four cards to draw.
        b->close();
        WindowRegistry::get<legkreuz>();
        QCOMPARE(modOrbelle::state().cardTaken.unmarkedCount(), 74);
    }

    void closingByTheFrameUnloadsTheBoardAndLeavesTheMainWindowAlone()
    {
        frmDrag *b = openBoard();
        QVERIFY(b && b->Timer1->isActive());
        b->close(); // in the middle of the deal
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        QTRY_VERIFY(TestEnv::runningTimers().isEmpty());
        QVERIFY(TestEnv::mainWindowIdle());
        QCOMPARE(m_ends, 0);
    }
};

ORBELLE_TEST_MAIN(tst_FreeBoard)
#include "tst_freeboard.moc"
