// The free laying board: the deal, turns in shuffle order, keywords, report, carrying cards.

#include "cardpictures.h"
#include "frmdrag.h"
#include "legkreuz.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "popup.h"
#include "random.h"
#include "readingdriver.h"
#include "rtfviewer.h"
#include "settings.h"
#include "start.h"
#include "testenv.h"
#include "timing.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

using ReadingDriver::reportText;

namespace {
QVector<int> sortedDeck(frmDrag *b)
{
    QVector<int> sorted = b->shuffle();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QVector<int> wholeDeck()
{
    QVector<int> all(78);
    std::iota(all.begin(), all.end(), 1);
    return all;
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
    const QPointF local = to->mapFrom(b->board, boardPos);
    const QPointF global = b->board->mapToGlobal(QPointF(boardPos));
    QMouseEvent e(type, local, global, button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &e);
}

void click(frmDrag *b, int box, Qt::MouseButton button)
{
    QWidget *w = b->Image1[size_t(box)];
    const QPoint at = w->geometry().center();
    send(b, w, QEvent::MouseButtonPress, at, button, button);
    send(b, w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
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
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->boardButton->click();
        return WindowRegistry::ifLoaded<frmDrag>();
    }

    // Null when the board did not open or its deal did not end.
    frmDrag *openDealtBoard()
    {
        frmDrag *b = openBoard();
        if (b && !QTest::qWaitFor([b] { return !b->Timer1->isActive(); }, 10000))
            return nullptr;
        return b;
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

    void theMainWindowOpensTheBoardOnItsOwn()
    {
        frmDrag *b = openBoard();
        QVERIFY(b && b->isVisible() && b->isWindow());
        // The row of cards runs left to right and lies wholly on the board.
        for (int i = 1; i <= 77; ++i) {
            QVERIFY(b->board->rect().contains(b->Image1[size_t(i)]->geometry()));
            QVERIFY(b->placeOf(b->Image1[size_t(i)]).x() > b->placeOf(b->Image1[size_t(i - 1)]).x());
        }
        QVERIFY(b->board->rect().contains(b->Text1->geometry()));
    }

    void theDealShowsBoxesOneToSeventySevenInOrderWithASoundEach()
    {
        frmDrag *b = WindowRegistry::get<frmDrag>();
        // The whole deck, shuffled, before the first back is dealt.
        QCOMPARE(sortedDeck(b), wholeDeck());
        QList<int> shownAtTick;
        QList<int> soundsAtTick;
        bool inOrder = true;
        connect(b->Timer1, &QTimer::timeout, b, [&] {
            int shown = 0;
            for (int i = 0; i < frmDrag::kBoxes; ++i) {
                const bool visible = !b->Image1[size_t(i)]->isHidden();
                shown += visible;
                inOrder &= visible == (i >= 1 && i <= b->dealCount());
            }
            shownAtTick << shown;
            soundsAtTick << int(MediaControl::recordedCommands().count(QStringLiteral("play zvuk.wav")));
        });
        b->show();
        QTRY_VERIFY(!b->Timer1->isActive());
        QVERIFY(inOrder);
        QCOMPARE(shownAtTick.size(), 78);
        for (int t = 0; t < 77; ++t) {
            QCOMPARE(shownAtTick.at(t), t + 1);
            QCOMPARE(soundsAtTick.at(t), t + 1);
        }
        QCOMPARE(shownAtTick.last(), 77);
        QVERIFY(b->Image1[0]->isHidden());
        // Every box shows the deck's back at its own size.
        const QPixmap back = b->Image1[30]->pixmap();
        QCOMPARE(back.deviceIndependentSize().toSize(), b->Image1[30]->size());
        QCOMPARE(back.toImage(), b->Image1[31]->pixmap().toImage());

        b->mnuEnd->trigger();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        QCOMPARE(MediaControl::recordedCommands().last(), QStringLiteral("close"));
        QTRY_VERIFY(TestEnv::runningTimers().isEmpty());
    }

    void musicStartsAfterTheDealOnlyWhenNotPlaying_data() { TestEnv::addMusicRuleRows(); }
    void musicStartsAfterTheDealOnlyWhenNotPlaying()
    {
        QFETCH(QString, musakt);
        QFETCH(bool, musicOn);
        QFETCH(bool, starts);
        Settings::set(QStringLiteral("musakt"), musakt);
        modOrbelle::state().musicOn = musicOn ? QVariant(true) : QVariant();
        frmDrag *b = WindowRegistry::get<frmDrag>();
        QCOMPARE(modOrbelle::state().musicActive.toString(), musakt);
        auto playerPlayed = [] {
            const QList<MediaControl::Event> events = MediaControl::recorded();
            return std::any_of(events.begin(), events.end(), [](const MediaControl::Event &e) {
                return e.command == QStringLiteral("play") &&
                       e.fileName.contains(QStringLiteral("Klang/Ostrel/"));
            });
        };
        QVERIFY(!playerPlayed());
        b->show();
        QTRY_VERIFY(!b->Timer1->isActive());
        QCOMPARE(playerPlayed(), starts);
        QCOMPARE(Settings::get(QStringLiteral("musakt")), starts ? QStringLiteral("ja") : musakt);
    }

    void turnsFollowTheShuffleWhicheverBoxIsPressed()
    {
        Random::seed(4);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        const QVector<int> shuffle = b->shuffle();
        // A left press never turns a card.
        click(b, 20, Qt::LeftButton);
        QVERIFY(b->tag(20).isEmpty());
        QCOMPARE(b->turnCount(), 0);

        const QList<int> order{40, 3, 77, 12, 1};
        const QList<Qt::MouseButton> buttons{Qt::RightButton, Qt::MiddleButton, Qt::RightButton,
                                             Qt::MiddleButton, Qt::RightButton};
        for (int n = 0; n < order.size(); ++n) {
            const int box = order.at(n);
            QLabel *w = b->Image1[size_t(box)];
            const QImage back = w->pixmap().toImage();
            send(b, w, QEvent::MouseButtonPress, w->geometry().center(), buttons.at(n), buttons.at(n));
            // Turned on the press: the tag is the card's number, the picture its own,
            // stretched smoothly to the box.
            QCOMPARE(b->tag(box), QString::number(shuffle.at(n)));
            QCOMPARE(b->turnCount(), n + 1);
            const QImage shown = w->pixmap().toImage();
            QVERIFY(shown != back);
            QCOMPARE(w->pixmap().deviceIndependentSize().toSize(), w->size());
            const QImage expected = CardPictures::load(shuffle.at(n))
                                        .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                        .convertToFormat(shown.format());
            QCOMPARE(shown, expected);
            // The pressed card comes to the front.
            QCOMPARE(b->board->children().last(), w);
            send(b, w, QEvent::MouseButtonRelease, w->geometry().center(), buttons.at(n), Qt::NoButton);
        }
        // Pressing a face-up card again turns nothing.
        click(b, 40, Qt::RightButton);
        QCOMPARE(b->turnCount(), 5);
        QCOMPARE(b->tag(40), QString::number(shuffle.at(0)));
        // The keyboard turns the frontmost back and shows its keywords.
        QTest::keyClick(b, Qt::Key_Space);
        QCOMPARE(b->turnCount(), 6);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(shuffle.at(5)));
        // A right click on a card never opens the popup; the context-menu key does.
        QMenu *popup = WindowRegistry::get<frmMeni>()->mnuMeni;
        QTest::keyClick(b, Qt::Key_Menu);
        QTRY_VERIFY(popup->isVisible());
        popup->hide();
    }

    void lookingAtACardShowsItsKeywords()
    {
        // A shuffle that starts with cards 5 and 78.
        auto n = std::make_shared<int>(0);
        modOrbelle::state().cardTaken.setSource([n] {
            const int i = (*n)++;
            const double first[] = {4.5, 77.5};
            return (i < 2 ? first[i] : (i % 78) + 0.5) / 78.0;
        });
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        QCOMPARE(b->shuffle().mid(0, 2), (QVector<int>{5, 78}));
        QVERIFY(b->Text1->isHidden());
        // The middle button turns on press and looks on release.
        click(b, 9, Qt::MiddleButton);
        QVERIFY(b->Text1->isVisible());
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(5));
        click(b, 60, Qt::RightButton);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(78));
        QVERIFY(keywordsOf(5) != keywordsOf(78));
        // Looking again at a face-up card shows its keywords again; a left click does not.
        click(b, 9, Qt::LeftButton);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(78));
        click(b, 9, Qt::RightButton);
        QCOMPARE(b->Text1->toPlainText(), keywordsOf(5));
        QCOMPARE(b->turnCount(), 2);
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
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        auto *frame = qobject_cast<QMdiSubWindow *>(viewer->parentWidget());
        QVERIFY(frame && frame->isVisible() && frame->isMinimized());
        QCOMPARE(reportText(), before);

        click(b, 50, Qt::RightButton);
        QCOMPARE(picturesInReport(), 1);
        QVERIFY(reportText().endsWith(QStringLiteral("\n\n") + QChar(QChar::ObjectReplacementCharacter) +
                                      QStringLiteral("\n\n") + keywordsOf(shuffle.at(1)) +
                                      QStringLiteral("\n")));
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

        // Collecting stays on for the next board of the run.
        b->close();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        b = openDealtBoard();
        QVERIFY(b);
        click(b, 5, Qt::RightButton);
        QCOMPARE(picturesInReport(), 4);
        QVERIFY(reportText().endsWith(keywordsOf(b->shuffle().at(0)) + QStringLiteral("\n")));
    }

    void droppedItemsLandInsideTheBoard_data()
    {
        // Where the mouse lets the card go (twips) and where its top left must land.
        QTest::addColumn<QPointF>("drop");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("free surface") << QPointF(5000, 5000) << QPoint(5000 - 300, 5000 - 600);
        QTest::newRow("past the left edge") << QPointF(150, 5000) << QPoint(0, 5000 - 600);
        QTest::newRow("past the top edge") << QPointF(5000, 150) << QPoint(5000 - 300, 0);
        QTest::newRow("past the right edge")
            << QPointF(11890, 5000) << QPoint(frmDrag::kBoardWidth - frmDrag::kCardWidth, 5000 - 600);
        QTest::newRow("past the bottom edge")
            << QPointF(5000, 8320) << QPoint(5000 - 300, frmDrag::kBoardHeight - frmDrag::kCardHeight);
    }
    void droppedItemsLandInsideTheBoard()
    {
        QFETCH(QPointF, drop);
        QFETCH(QPoint, expected);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        QLabel *card = b->Image1[30];
        const double k = b->pixelsPerTwip();
        // Held 300 × 600 twips inside the card.
        const QPoint grip(int(std::lround(300 * k)), int(std::lround(600 * k)));
        drag(b, card, grip, atTwips(b, drop.x(), drop.y()));
        const QPoint landed = b->placeOf(card);
        // Within a pixel's worth of twips.
        const double slack = 1.5 / k;
        QVERIFY2(qAbs(landed.x() - expected.x()) <= slack && qAbs(landed.y() - expected.y()) <= slack,
                 qPrintable(QStringLiteral("%1,%2").arg(landed.x()).arg(landed.y())));
        QVERIFY(b->board->rect().contains(card->geometry()));
        QCOMPARE(b->board->children().last(), card);
        QVERIFY(b->tag(30).isEmpty()); // carried, not turned
    }

    void aDropOnAnotherItemOrOffTheBoardDoesNotMove()
    {
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        QLabel *card = b->Image1[30];
        const QPoint grip(10, 10);
        // Onto the row of cards.
        const QPoint from = b->placeOf(card);
        const QRect before = card->geometry();
        const QRect other = b->Image1[60]->geometry();
        drag(b, card, grip, other.center() + QPoint(other.width() / 4, 0));
        QCOMPARE(b->placeOf(card), from);
        QCOMPARE(card->geometry(), before);
        // Onto the keyword box.
        click(b, 2, Qt::RightButton);
        QVERIFY(b->Text1->isVisible());
        drag(b, card, grip, b->Text1->geometry().center());
        QCOMPARE(b->placeOf(card), from);
        // Off the board.
        drag(b, card, grip, QPoint(b->board->width() + 20, b->board->height() / 2));
        QCOMPARE(b->placeOf(card), from);
        QCOMPARE(card->geometry(), before);
        // A card dropped beside it on free ground does move.
        drag(b, card, grip, atTwips(b, 3000, 5000));
        QVERIFY(b->placeOf(card) != from);
    }

    void theKeywordBoxIsCarriedLikeACard()
    {
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        click(b, 7, Qt::RightButton);
        QPlainTextEdit *box = b->Text1;
        const QString text = box->toPlainText();
        const QPoint grip(20, 15);
        drag(b, box, grip, atTwips(b, 2000, 6000));
        const double k = b->pixelsPerTwip();
        const QPoint landed = b->placeOf(box);
        QVERIFY(qAbs(landed.x() - (2000 - 20 / k)) <= 1.5 / k);
        QVERIFY(qAbs(landed.y() - (6000 - 15 / k)) <= 1.5 / k);
        // Pulled past the bottom right corner it stays fully on the board.
        drag(b, box, grip, atTwips(b, 11900, 8330));
        QCOMPARE(b->placeOf(box), QPoint(frmDrag::kBoardWidth - 2895, frmDrag::kBoardHeight - 1575));
        QCOMPARE(box->toPlainText(), text);
        QVERIFY(box->textCursor().selectedText().isEmpty());
    }

    void aBoardOpenedAgainShufflesAnewAndNeverReadsPastIt()
    {
        Random::seed(21);
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        for (int box : {1, 2, 3})
            click(b, box, Qt::RightButton);
        QCOMPARE(b->turnCount(), 3);
        const QVector<int> first = b->shuffle();
        b->mnuEnd->trigger();
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());

        b = openDealtBoard();
        QVERIFY(b);
        QCOMPARE(b->turnCount(), 0);
        QCOMPARE(b->dealCount(), 78);
        QVERIFY(b->shuffle() != first);
        // Every back turned: the 77 first cards of the new shuffle, in order.
        for (int box = 77; box >= 1; --box)
            click(b, box, Qt::RightButton);
        QCOMPARE(b->turnCount(), 77);
        QCOMPARE(b->tag(1), QString::number(b->shuffle().at(76)));
        QCOMPARE(b->tag(77), QString::number(b->shuffle().at(0)));
        b->turnNext();
        QCOMPARE(b->turnCount(), 77);
    }

    void theBoardAfterACrossStillDealsTheWholeDeck()
    {
        Random::seed(3);
        // A cross in the same run marks its four cards.
        WindowRegistry::get<legkreuz>();
        QCOMPARE(modOrbelle::state().cardTaken.unmarkedCount(), 74);
        Popup::toMainMenu();
        frmDrag *b = openDealtBoard();
        QVERIFY(b);
        QCOMPARE(sortedDeck(b), wholeDeck());
        // And a cross after the board still finds four cards to draw.
        b->close();
        WindowRegistry::get<legkreuz>();
        QCOMPARE(modOrbelle::state().cardTaken.unmarkedCount(), 74);
    }

    void closingByTheFrameUnloadsTheBoardAndLeavesTheMainWindowAlone()
    {
        Start *main = WindowRegistry::get<Start>();
        frmDrag *b = openBoard();
        QVERIFY(b);
        QVERIFY(b->Timer1->isActive());
        b->close(); // in the middle of the deal
        QVERIFY(!WindowRegistry::isLoaded<frmDrag>());
        QTRY_VERIFY(TestEnv::runningTimers().isEmpty());
        QVERIFY(TestEnv::mainWindowIdle());
        QVERIFY(main->solo->isEnabled());
        QCOMPARE(m_ends, 0);
    }
};

ORBELLE_TEST_MAIN(tst_FreeBoard)
#include "tst_freeboard.moc"
