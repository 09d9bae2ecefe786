// The main window, its panel and menus, and the windows opened from its menu, on the
// screen this run was given: placed, nothing cut off, keys unique and acting where shown.

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

    void theMainWindowFitsTheDesktopInItsProportion()
    {
        Start *m = shownMain();
        const QRect screen = m->screen()->availableGeometry();
        QVERIFY(screen.contains(m->frameGeometry()));
        // As large as 85 % of the screen allows, in the design's proportion.
        const double s = Program::desktopScale(m);
        QVERIFY(m->width() >= int(0.85 * screen.width()) - 2 ||
                m->height() >= int(0.85 * screen.height()) - 30);
        QCOMPARE(m->width(), int(Program::areaDesign().width() * s));
        CHECK_LOOK(m);
        // Its size and place are kept for the next start.
        m->resize(m->width() - 40, m->height() - 30);
        const QSize chosen = m->size();
        WindowRegistry::unload(m);
        QVERIFY(!Settings::get(QStringLiteral("VentanaPrincipal")).isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(shownMain()->size(), chosen);
    }

    void theInfoWindowFits()
    {
        shownMain()->mnuTar->trigger();
        QVERIFY(WindowRegistry::get<info>()->isVisible());
        CHECK_LOOK(WindowRegistry::get<info>());
    }

    void everyMnemonicIsUniqueInItsWindow()
    {
        Start *m = shownMain();
        QCOMPARE(mnemonicClashes(m), QStringList());
        // The day card's interpretation inside the main window: "Atrás" and "Guardar" too.
        Program::showInside(WindowRegistry::get<deutTag>());
        QCOMPARE(mnemonicClashes(m), QStringList());
        WindowRegistry::unload<deutTag>();
        Program::showInside(WindowRegistry::get<deutf>());
        QCOMPARE(mnemonicClashes(m), QStringList());
    }

    void theMeaningsReadAsTextNotAsFields()
    {
        deutTag *reading = WindowRegistry::get<deutTag>();
        deutf *sheet = WindowRegistry::get<deutf>();
        QTRY_VERIFY(!reading->Box1->toPlainText().isEmpty());
        for (QPlainTextEdit *box : {reading->Box1, sheet->Box[0], sheet->Box[3]}) {
            QVERIFY(box->tabChangesFocus());
            QVERIFY(!(box->textInteractionFlags() & Qt::TextSelectableByKeyboard)); // no caret
            // Typing does not change a meaning.
            const QString before = box->toPlainText();
            QTest::keyClicks(box, QStringLiteral("xyz"));
            QCOMPARE(box->toPlainText(), before);
        }
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_main.moc"
