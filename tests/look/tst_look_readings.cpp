// The card of the day, the cross and the Celtic cross on the screen this run was given:
// how they look, and the readings by the keyboard alone.

#include "designscale.h"
#include "deutf.h"
#include "deutkelt.h"
#include "deuttag.h"
#include "kreuz.h"
#include "legkelt.h"
#include "legkreuz.h"
#include "legtag.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "twips.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace LookCheck;
using ReadingDriver::shownMain;

namespace {

double scaleOf(const QWidget *w)
{
    const DesignScale *s = DesignScale::of(w);
    return s ? s->scale() : 1.0;
}

// The cards a laying table shows in its slots, in the deck's proportion.
QStringList slotFaults(const LayingTable *table)
{
    QStringList faults;
    for (int k = 1; k <= table->cardCount(); ++k)
        faults << cardRectFaults(QStringLiteral("%1 slot %2").arg(nameOf(table)).arg(k),
                                 table->slotCardRect(k).size());
    return faults;
}

bool focused(const QWidget *w)
{
    return w && QApplication::focusWidget() == w && w->window()->isActiveWindow();
}

// Tab through the main window's panel to one of its buttons.
bool tabTo(QWidget *button)
{
    for (int i = 0; i < 16 && !focused(button); ++i)
        typeKeys(QStringLiteral("Tab"));
    return focused(button);
}

// The main window shown and active, as after the program's start.
Start *activeMain()
{
    Start *m = shownMain();
    m->showIdle();
    QApplication::setActiveWindow(m);
    return m;
}

} // namespace

class tst_Look : public LookTest
{
    Q_OBJECT

private slots:
    void theDayCardFits()
    {
        Random::seed(5);
        shownMain()->readingButton("dayCardButton")->click();
        CHECK_LOOK(WindowRegistry::get<meld>());
        QTRY_VERIFY(WindowRegistry::isLoaded<legTag>() && WindowRegistry::get<legTag>()->isVisible());
        legTag *table = WindowRegistry::get<legTag>();
        CHECK_LOOK(table);
        QTRY_VERIFY(table->mayDraw());
        // The laying's backs lie inside it.
        for (int i = 0; i < 78; ++i)
            QVERIFY(table->rect().contains(table->backRect(i)));
        auto *reading =
            qobject_cast<deutTag *>(ReadingDriver::layReading("dayCardButton", ReadingDriver::Laid));
        QVERIFY(reading);
        CHECK_LOOK(reading);
        CHECK_NONE(cardFaults(reading->Image1, Twips::size(1515, 2655), scaleOf(reading)) +
                   slotFaults(table));
        reading->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }

    void theCrossFits()
    {
        Random::seed(6);
        Start *m = shownMain();
        CHECK_LOOK(ReadingDriver::layReading("crossButton", ReadingDriver::Opened));
        auto *table =
            qobject_cast<legkreuz *>(ReadingDriver::layReading("crossButton", ReadingDriver::Dealing));
        CHECK_LOOK(table);
        QStringList cards = slotFaults(table);
        auto *sheet = qobject_cast<deutf *>(ReadingDriver::layReading("crossButton", ReadingDriver::Laid));
        QVERIFY(sheet);
        kreuz *cross = WindowRegistry::get<kreuz>();
        CHECK_LOOK(cross);
        CHECK_LOOK(sheet);
        for (QLabel *picture : cross->pictures)
            cards << cardFaults(picture, Twips::size(1500, 2625), scaleOf(cross));
        CHECK_NONE(cards);
        // Side by side, not over each other.
        QVERIFY(!cross->parentWidget()->geometry().intersects(sheet->parentWidget()->geometry()));
        // Each of the four meanings reads without scrolling where the screen has the room.
        if (m->screen()->availableGeometry().height() >= 1000) {
            for (QPlainTextEdit *box : sheet->Box)
                QVERIFY2(box->verticalScrollBar()->maximum() == 0, qPrintable(rectText(box->geometry())));
        }
        Dialogs::queueInput(QString());
        sheet->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }

    void theCelticCrossFits()
    {
        Random::seed(8);
        shownMain();
        auto *table =
            qobject_cast<legKelt *>(ReadingDriver::layReading("celticButton", ReadingDriver::Opened));
        QVERIFY(table);
        CHECK_LOOK(table);
        QTRY_VERIFY(table->mayDraw());
        for (int i = 0; i < 78; ++i)
            QVERIFY(table->rect().contains(table->backRect(i)));
        auto *reading =
            qobject_cast<deutKelt *>(ReadingDriver::layReading("celticButton", ReadingDriver::Laid));
        QVERIFY(reading);
        CHECK_LOOK(reading);
        // The ten cards and their numbers lie within the spread, beside the texts, and the
        // numbers read at nine points or more.
        CelticSpreadView *view = reading->Picture1;
        const QRect spread(view->mapTo(reading, QPoint(0, 0)), view->size());
        for (QWidget *text :
             std::initializer_list<QWidget *>{reading->headingLabel, reading->Box1, reading->cardNameLabel,
                                              reading->Box2, reading->saveButton})
            QVERIFY2(!spread.intersects(text->geometry()), qPrintable(nameOf(text)));
        QStringList cards;
        for (int k = 1; k <= 10; ++k) {
            QVERIFY(view->rect().contains(view->cardRect(k)));
            QVERIFY(view->cardRect(k).contains(view->numberRect(k)));
            QVERIFY(view->numberRect(k).height() >= smallestPixels(view));
            QSize card = view->cardRect(k).size();
            if (k == 2)
                card.transpose();
            cards << cardRectFaults(QStringLiteral("card %1").arg(k), card);
        }
        CHECK_NONE(cards);
        // The situation's highlight lies under the card that crosses it: card 2 looks the
        // same whether the situation or another card is selected (below the situation's
        // number, which at a small scale reaches onto it).
        QRect crossing = view->cardRect(2).adjusted(2, 2, -2, -2);
        crossing.setTop(qMax(crossing.top(), view->numberRect(1).bottom() + 2));
        view->select(3);
        const QImage other = view->grab(crossing).toImage();
        view->select(1);
        QCOMPARE(view->grab(crossing).toImage(), other);
        // The reading's texts read as a whole column, not as a sliver.
        const QFontMetrics text(reading->Box2->font());
        QVERIFY2(reading->Box2->width() >= 28 * text.averageCharWidth(),
                 qPrintable(rectText(reading->Box2->geometry())));
        QVERIFY(reading->Box2->height() >= 4 * text.lineSpacing());
        Dialogs::queueInput(QString());
        reading->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }

    // The card of the day with no mouse: the main window's button (by Return; the cross's
    // takes Space), the draw, the reading, "Guardar" and back to the main window.
    void theDayCardByKeyboard()
    {
        Random::seed(9);
        Start *m = activeMain();
        QVERIFY(tabTo(m->readingButton("dayCardButton")));
        legTag *table = nullptr;
        const auto tableShown = [&] {
            table = WindowRegistry::ifLoaded<legTag>();
            return table && table->isActiveWindow() && table->mayDraw() && table->takesMouse();
        };
        WALK({{QStringLiteral("Return"), tableShown, "the laying, ready for the draw"}});
        // The back Space takes carries a mark while the table has the focus.
        const QRect back = table->backRect(table->keyboardBack()).adjusted(-4, -4, 4, 4);
        QTRY_VERIFY(table->hasFocus());
        const QImage marked = table->grab(back).toImage();
        table->clearFocus();
        QVERIFY(marked != table->grab(back).toImage());
        table->setFocus();
        keepShot(table);
        deutTag *reading = WindowRegistry::get<deutTag>();
        WALK({
            {QStringLiteral("Space"), [&] { return focused(reading->Box1); }, "the card's meaning, focused"},
            {QStringLiteral("Tab"), [&] { return focused(reading->saveButton); }, "Guardar"},
            {QStringLiteral("Space"),
             [&] { return ReadingDriver::reportText().contains(reading->cardNameLabel->text()); },
             "the card, by name, in the report"},
        });
        // The report saved and closed, the reading left by its access key.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("hoy.rtf"));
        Dialogs::queueFileName(file);
        WALK({
            {QStringLiteral("Ctrl+S"), [&] { return QFile::exists(file); }, "the report saved"},
            {QStringLiteral("Ctrl+F4"), [&] { return reading->isAncestorOf(QApplication::focusWidget()); },
             "the report closed, the reading focused"},
            {QStringLiteral("Alt+A"), [] { return TestEnv::mainWindowIdle(); }, "the main window"},
        });
    }

    // The cross with no mouse: the main window's button, the prompt, four draws, the sheet,
    // the report opened and closed, the cross passing the keys on, and back.
    void theCrossByKeyboard()
    {
        Random::seed(10);
        Start *m = activeMain();
        QVERIFY(tabTo(m->readingButton("crossButton")));
        legkreuz *table = nullptr;
        const auto drawTaken = [&] { return table && table->mayDraw() && table->takesMouse(); };
        const auto drawn = [&](int k) { return [&, k] { return table->drawCount() == k && drawTaken(); }; };
        deutf *sheet = nullptr;
        const auto sheetFocused = [&] {
            sheet = WindowRegistry::ifLoaded<deutf>();
            return sheet && sheet->isVisible() && focused(sheet->Box[0]);
        };
        WALK({
            {QStringLiteral("Space"), [] { return WindowRegistry::get<einfF>()->isActiveWindow(); },
             "the prompt"},
            {QStringLiteral("Return"),
             [&] {
                 table = WindowRegistry::ifLoaded<legkreuz>();
                 return table && table->isActiveWindow() && drawTaken();
             },
             "the laying, ready for the draws"},
            {QStringLiteral("Space"), drawn(1), "the first card"},
            {QStringLiteral("Space"), drawn(2), "the second card"},
            {QStringLiteral("Space"), drawn(3), "the third card"},
            {QStringLiteral("Space"), sheetFocused, "the sheet, its first meaning focused"},
            {QStringLiteral("Tab Tab Tab Tab"), [&] { return focused(sheet->saveButton); }, "Guardar"},
        });
        const QString question = QStringLiteral("¿Y mañana?");
        Dialogs::queueInput(question);
        rtfViewer *viewer = nullptr;
        WALK({{QStringLiteral("Space"),
               [&] {
                   viewer = WindowRegistry::ifLoaded<rtfViewer>();
                   return viewer && viewer->isVisible() && ReadingDriver::reportText().contains(question);
               },
               "the report"}});
        // To the report, saved with the question in it, and closed.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("cruz.rtf"));
        Dialogs::queueFileName(file);
        WALK({
            {QString(), [&] { return viewer->isAncestorOf(QApplication::focusWidget()); },
             "the report, focused"},
            {QStringLiteral("Ctrl+S"), [&] { return QFile::exists(file); }, "the report saved"},
            {QStringLiteral("Ctrl+F4"), [&] { return !WindowRegistry::isLoaded<rtfViewer>(); },
             "the report closed"},
        });
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("ma\\u241\\'f1ana"));
        // The cross, made active, passes the keys on to its sheet.
        kreuz *cross = WindowRegistry::get<kreuz>();
        for (const QString &keys :
             {QStringLiteral("Tab"), QStringLiteral("Ctrl+F6"), QStringLiteral("Escape"),
              QStringLiteral("Return"), QStringLiteral("Shift+Tab")}) {
            Program::mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(cross->parentWidget()));
            WALK({{QString(), [&] { return focused(cross); }, "the cross, focused"},
                  {keys, sheetFocused, "the sheet"}});
        }
        // Its popup opens from the keyboard.
        Program::mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(cross->parentWidget()));
        QMenu *popup = WindowRegistry::get<frmMeni>()->mnuMeni;
        WALK({{QStringLiteral("Shift+F10"), [&] { return popup->isVisible(); }, "the popup"}});
        popup->hide();
        sheet->takeFocus();
        WALK({{QStringLiteral("Alt+A"), [] { return TestEnv::mainWindowIdle(); }, "the main window"}});
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_readings.moc"
