// The relationship reading on the screen this run was given.

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

    void theRelationshipFits()
    {
        Random::seed(7);
        shownMain();
        CHECK_LOOK(ReadingDriver::layReading("relationshipButton", ReadingDriver::Opened));
        CHECK_LOOK(ReadingDriver::layReading("relationshipButton", ReadingDriver::Dealing));
        auto *reading =
            qobject_cast<bezi *>(ReadingDriver::layReading("relationshipButton", ReadingDriver::Laid));
        QVERIFY(reading);
        CHECK_LOOK(reading);
        // Each card shows as a card, not as a sliver: its place large enough to be seen, and
        // its picture framed for that place (a picture of another proportion is stretched).
        for (QLabel *card : reading->Imag) {
            const QSize place = card->size();
            const QSize shown = card->pixmap().size();
            QVERIFY2(place.height() >= smallestPixels(card) * 6 && place.width() * 2 >= place.height(),
                     qPrintable(rectText(card->geometry())));
            QVERIFY2(qAbs(shown.width() * place.height() - shown.height() * place.width()) <=
                         0.03 * shown.width() * place.height(),
                     qPrintable(QStringLiteral("%1x%2 in %3")
                                    .arg(shown.width())
                                    .arg(shown.height())
                                    .arg(rectText(card->geometry()))));
        }
        reading->saveButton->click();
        CHECK_LOOK(WindowRegistry::get<rtfViewer>());
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_relationship.moc"
