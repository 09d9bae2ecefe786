// The card of the day, the cross and the Celtic cross on the screen this run was given.

#include "bezi.h"
#include "deutf.h"
#include "deutkelt.h"
#include "deuttag.h"
#include "info.h"
#include "kreuz.h"
#include "legkelt.h"
#include "legtag.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "settings.h"
#include "textbutton.h"
#include "theme.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

using namespace LookCheck;
using ReadingDriver::shownMain;

class tst_Look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ReadingDriver::setUpRun();
        qApp->setStyleSheet(Theme::styleSheet());
    }
    void init() { QVERIFY(ReadingDriver::freshRun()); }

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
        reading->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }

    void theCrossFits()
    {
        Random::seed(6);
        Start *m = shownMain();
        CHECK_LOOK(ReadingDriver::layReading("crossButton", ReadingDriver::Opened));
        CHECK_LOOK(ReadingDriver::layReading("crossButton", ReadingDriver::Dealing));
        auto *sheet = qobject_cast<deutf *>(ReadingDriver::layReading("crossButton", ReadingDriver::Laid));
        QVERIFY(sheet);
        kreuz *cross = WindowRegistry::get<kreuz>();
        CHECK_LOOK(cross);
        CHECK_LOOK(sheet);
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
        for (int k = 1; k <= 10; ++k) {
            QVERIFY(view->rect().contains(view->cardRect(k)));
            QVERIFY(view->cardRect(k).contains(view->numberRect(k)));
            QVERIFY(view->numberRect(k).height() >= smallestPixels(view));
            QVERIFY(view->cardRect(k).width() >= 40);
        }
        // The reading's texts read as a whole column, not as a sliver.
        const QFontMetrics text(reading->Box2->font());
        QVERIFY2(reading->Box2->width() >= 28 * text.averageCharWidth(),
                 qPrintable(rectText(reading->Box2->geometry())));
        QVERIFY(reading->Box2->height() >= 4 * text.lineSpacing());
        Dialogs::queueInput(QString());
        reading->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_readings.moc"
