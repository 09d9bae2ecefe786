// The main window, its panel and menus, and the windows opened from its menu, on the
// screen this run was given: placed, nothing cut off, keys unique and acting where shown.

#include "anima.h"
#include "designscale.h"
#include "deutf.h"
#include "deuttag.h"
#include "info.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "settings.h"
#include "textbutton.h"
#include "twips.h"

#include <QAccessible>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

using namespace LookCheck;
using ReadingDriver::shownMain;

class tst_Look : public LookTest
{
    Q_OBJECT

private slots:
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

    // The intro once its fan is dealt: the eleven cards in the deck's proportion, at their
    // designed size for the window's scale.
    void theIntroFits()
    {
        anima *intro = WindowRegistry::get<anima>();
        intro->show();
        QTRY_VERIFY(intro->Image1.back()->isVisible());
        CHECK_LOOK(intro);
        for (QLabel *card : intro->Image1)
            CHECK_NONE(cardFaults(card, Twips::size(1455, 2600), DesignScale::of(intro)->scale()));
        intro->skip();
    }

    // The reading journal, on its list and on its statistics.
    void theJournalFits()
    {
        Start *m = shownMain();
        QAction *open = m->findChild<QAction *>(QStringLiteral("mnuDiario"));
        QVERIFY(open);
        open->trigger();
        auto *journal = qobject_cast<QTabWidget *>(
            WindowRegistry::get(WindowId::diario)->findChild<QTabWidget *>());
        QVERIFY(journal);
        for (int page = 0; page < journal->count(); ++page) {
            journal->setCurrentIndex(page);
            QCoreApplication::processEvents(); // the charts are made and shown as their page shows
            CHECK_LOOK(WindowRegistry::get(WindowId::diario));
        }
    }

    void theInfoWindowFits()
    {
        shownMain()->mnuTar->trigger();
        QVERIFY(WindowRegistry::get<info>()->isVisible());
        CHECK_LOOK(WindowRegistry::get<info>());
    }

    // Every window as the user meets it: something in it takes the keyboard, and each of
    // its access keys reaches the control that shows it, not the main menu bar behind it.
    void everyWindowTakesTheKeysItShows_data()
    {
        QTest::addColumn<QString>("window");
        // The intro, the shuffle panel and the popup are passing panels without keys.
        const QStringList passing{QStringLiteral("Start"), QStringLiteral("anima"), QStringLiteral("meld"),
                                  QStringLiteral("frmMeni")};
        for (const auto &name : kWindowNames)
            if (!passing.contains(QString::fromLatin1(name)))
                QTest::newRow(std::string(name).c_str()) << QString::fromLatin1(name);
    }
    void everyWindowTakesTheKeysItShows()
    {
        QFETCH(QString, window);
        Start *m = shownMain();
        QApplication::setActiveWindow(m);
        QWidget *w = WindowRegistry::get(*WindowRegistry::idOf(window));
        QVERIFY(w);
        if (qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
            Program::showInside(w);
        } else {
            w->show();
            QApplication::setActiveWindow(w);
        }
        QWidget *first = nullptr;
        for (QWidget *c : w->findChildren<QWidget *>())
            if (!first && c->isVisibleTo(w) && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus))
                first = c;
        QVERIFY2(first || (w->focusPolicy() & Qt::TabFocus), "nothing in the window takes the keyboard");
        (first ? first : w)->setFocus(Qt::TabFocusReason);
        CHECK_KEYS(w);
    }

    // The main window by the keyboard: Tab walks the panel from the top down, "Salír" last;
    // the menus wrap instead of hiding entries (checked by CHECK_LOOK on every screen).
    void thePanelIsWalkedFromTheTopDown()
    {
        Start *m = shownMain();
        QApplication::setActiveWindow(m);
        m->showIdle();
        QTRY_VERIFY(qobject_cast<TextButton *>(QApplication::focusWidget()));
        QList<TextButton *> walked;
        for (int i = 0; i < 12; ++i) {
            if (auto *b = qobject_cast<TextButton *>(QApplication::focusWidget()); b && !walked.contains(b))
                walked << b;
            typeKeys(QStringLiteral("Tab"));
        }
        QList<TextButton *> enabled;
        for (TextButton *b : m->panelButtons())
            if (b->isEnabled())
                enabled << b;
        QCOMPARE(walked, enabled);
        QCOMPARE(walked.last(), m->exitButton);
        for (int i = 1; i < walked.size() - 1; ++i)
            QVERIFY2(walked[i]->y() >= walked[i - 1]->y() - 2, qPrintable(walked[i]->objectName()));
        // A screen reader finds them too, below the document area they lie on.
        QStringList heard;
        std::function<void(QAccessibleInterface *)> read = [&](QAccessibleInterface *a) {
            if (a->role() == QAccessible::Button)
                heard << a->text(QAccessible::Name);
            for (int i = 0; i < a->childCount(); ++i)
                read(a->child(i));
        };
        read(QAccessible::queryAccessibleInterface(m->mdiArea()));
        for (TextButton *b : enabled)
            QVERIFY2(heard.contains(b->text()), qPrintable(b->text()));
    }

    // Alt alone and F10 in a window with its own menu bar open that one, not the main one.
    void altReachesTheActiveWindowsOwnMenu()
    {
        Start *m = shownMain();
        QApplication::setActiveWindow(m);
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        viewer->showReport();
        for (const QString &key : {QStringLiteral("Alt"), QStringLiteral("F10")}) {
            viewer->Box1->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), viewer->Box1);
            if (key == QLatin1String("Alt"))
                QTest::keyClick(viewer->Box1, Qt::Key_Alt);
            else
                typeKeys(key);
            QVERIFY2(viewer->menuBar->activeAction(), qPrintable(key));
            QVERIFY(!m->menuBar()->activeAction());
            typeKeys(QStringLiteral("Escape Escape"));
        }
    }

    // A viewer minimized inside the main window does not cover the panel's buttons.
    void aMinimizedViewerLeavesThePanelWhole()
    {
        Start *m = shownMain();
        m->showIdle();
        WindowRegistry::get<rtfViewer>()->showReport(rtfViewer::Show::Minimized);
        auto *frame = qobject_cast<QMdiSubWindow *>(WindowRegistry::get<rtfViewer>()->parentWidget());
        QVERIFY(frame && frame->isMinimized());
        QTest::qWait(50);
        for (TextButton *b : m->panelButtons()) {
            const QRect button(b->mapTo(m->mdiArea()->viewport(), QPoint(0, 0)), b->size());
            QVERIFY2(!button.intersects(frame->geometry()),
                     qPrintable(b->objectName() + QLatin1Char(' ') + rectText(button) +
                                QStringLiteral(" under ") + rectText(frame->geometry())));
        }
        CHECK_LOOK(m);
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
