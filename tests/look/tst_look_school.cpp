// The school, its gallery, the music player, the deck locator and the info window on the
// screen this run was given: placed, nothing cut off, the cards in the deck's proportion,
// and every window used and left by the keyboard alone.

#include "alleimagenes.h"
#include "designscale.h"
#include "gallerylayout.h"
#include "info.h"
#include "lernen.h"
#include "lookcheck.h"
#include "mojcorvin.h"
#include "ordnersuchen.h"
#include "readingdriver.h"
#include "recordcursor.h"
#include "theme.h"
#include "twips.h"

#include <QDialog>
#include <QMenu>
#include <QMenuBar>

using namespace LookCheck;
using ReadingDriver::shownMain;

namespace {
// The windows as the main window opens them.
QWidget *open(const QString &which)
{
    Start *main = shownMain();
    if (which == QLatin1String("school") || which == QLatin1String("gallery")) {
        main->schoolButton->click();
        lernen *school = WindowRegistry::ifLoaded<lernen>();
        if (!school || which == QLatin1String("school"))
            return school;
        school->galleryButton->click();
        return WindowRegistry::ifLoaded<alleImagenes>();
    }
    if (which == QLatin1String("player"))
        main->mnuMusik->trigger();
    else if (which == QLatin1String("locator"))
        main->barajas->trigger();
    else
        main->contacTo->trigger();
    const WindowId id = which == QLatin1String("player")    ? WindowId::mojCorvin
                        : which == QLatin1String("locator") ? WindowId::ordnerSuchen
                                                            : WindowId::info;
    return WindowRegistry::isLoaded(id) ? WindowRegistry::get(id) : nullptr;
}

// Whether the keys go to the window now: it is active and one of its controls has the focus.
// No window opens without a focused control.
bool takesKeys(QWidget *w)
{
    if (w->isWindow() && !QTest::qWaitForWindowActive(w))
        return false;
    return QTest::qWaitFor([w] { return keyTarget() && w->isAncestorOf(keyTarget()); });
}

// Where the keys led, in the words of the keyboard table: the window in front and its state.
QString outcome()
{
    auto shown = [](WindowId id) { return WindowRegistry::isLoaded(id) && WindowRegistry::get(id)->isVisible(); };
    if (auto *help = qobject_cast<QDialog *>(QApplication::activeWindow()); help && help->isVisible())
        return QStringLiteral("help in front");
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
        return menu->title().remove(QLatin1Char('&'));
    if (shown(WindowId::alleImagenes))
        return QStringLiteral("keywords of %1").arg(WindowRegistry::get<alleImagenes>()->Data1->absolutePosition() + 1);
    if (shown(WindowId::lernen))
        return QStringLiteral("card %1%2")
            .arg(WindowRegistry::get<lernen>()->currentCard())
            .arg(ReadingDriver::reportText().contains(QChar::ObjectReplacementCharacter) ? " in the report" : "");
    for (const char *name : {"mojCorvin", "ordnerSuchen", "info"})
        if (shown(*WindowRegistry::idOf(QString::fromLatin1(name))))
            return QString::fromLatin1(name);
    return TestEnv::mainWindowIdle() ? QStringLiteral("main menu") : QStringLiteral("nowhere");
}
} // namespace

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
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog *>(w) || qobject_cast<QMenu *>(w))
                w->close();
    }

    void theSchoolFits()
    {
        auto *school = qobject_cast<lernen *>(open(QStringLiteral("school")));
        QVERIFY(school && school->isVisible());
        CHECK_LOOK(school);
        QVERIFY(takesKeys(school));
        // The card as designed: its frame of 2400 × 4200 twips, less the rim.
        const QSize design = Twips::size(2400, 4200) - QSize(6, 6);
        QCOMPARE(cardFaults(school->Image1, design, DesignScale::of(school)->scale()), QStringList());
        QCOMPARE(mnemonicClashes(school).join(QLatin1Char('\n')), QString());
        QCOMPARE(mnemonicRouting(school).join(QLatin1Char('\n')), QString());
        // The last card's name, the longest of the deck's, reads whole.
        school->lastButton->click();
        CHECK_LOOK(school);
    }

    void theGalleryFits()
    {
        auto *gallery = qobject_cast<alleImagenes *>(open(QStringLiteral("gallery")));
        QVERIFY(gallery);
        QVERIFY(QTest::qWaitForWindowExposed(gallery));
        CHECK_LOOK(gallery);
        QVERIFY(takesKeys(gallery));
        const QSize design = Twips::size(GalleryLayout::kWidth, GalleryLayout::kHeight);
        const double scale = gallery->width() / double(design.width());
        for (QLabel *card : gallery->Image1)
            QCOMPARE(cardFaults(card, Twips::size(GalleryLayout::kCardWidth, GalleryLayout::kCardHeight), scale),
                     QStringList());
        QCOMPARE(mnemonicClashes(gallery).join(QLatin1Char('\n')), QString());
        QCOMPARE(mnemonicRouting(gallery).join(QLatin1Char('\n')), QString());
    }

    void theOtherWindowsFit_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("music player") << QStringLiteral("player");
        QTest::newRow("deck locator") << QStringLiteral("locator");
        QTest::newRow("info, contact") << QStringLiteral("info");
    }
    void theOtherWindowsFit()
    {
        QFETCH(QString, which);
        QWidget *w = open(which);
        QVERIFY(w && w->isVisible());
        CHECK_LOOK(w);
        QVERIFY(takesKeys(w));
        QCOMPARE(mnemonicClashes(w).join(QLatin1Char('\n')), QString());
        QCOMPARE(mnemonicRouting(w).join(QLatin1Char('\n')), QString());
        if (auto *player = qobject_cast<mojCorvin *>(w)) {
            // Its help opens in front of it.
            player->mnuHilfe->trigger();
            QTRY_VERIFY(qobject_cast<QDialog *>(QApplication::activeWindow()));
            auto *help = qobject_cast<QDialog *>(QApplication::activeWindow());
            QVERIFY(help->isVisible() && help->parentWidget() == player);
            CHECK_LOOK(help);
        }
        if (auto *page = qobject_cast<info *>(w)) {
            // The contact page gives the program's web page, as a line and as a button.
            QVERIFY(!info::webAddress().isEmpty());
            QVERIFY(page->Text2->toPlainText().contains(info::webAddress()));
            QVERIFY(page->webButton->isVisible());
            QCOMPARE(page->mailButton->isVisible(), !info::contactAddress().isEmpty());
        }
    }

    // Keys typed in a window just opened, and what they led to.
    void eachWindowIsUsedAndLeftByTheKeyboard_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        const char *rows[][3] = {
            {"school", "Alt+S", "card 2"},
            {"school", "Alt+U Alt+A", "card 77"},
            {"school", "Alt+U Alt+P", "card 1"},
            {"school", "Alt+V", "card 1 in the report"},
            {"school", "Alt+O", "keywords of 1"},
            {"school", "Alt+C", "keywords of 1"},
            {"school", "Alt+L", "main menu"},
            {"school", "Escape", "main menu"},
            {"gallery", "Right Down Return", "keywords of 15"},
            {"gallery", "Escape", "main menu"},
            {"gallery", "Alt+C", "main menu"},
            {"player", "Alt+M", "Musica Si - No"},
            {"player", "Alt+W", "Wave, Midi, CD-Player"},
            {"player", "Alt+Y", "help in front"},
            {"player", "Alt+Y Escape", "mojCorvin"},
            {"player", "Alt+C", "main menu"},
            {"player", "Escape", "main menu"},
            {"locator", "Alt+C", "main menu"},
            {"locator", "Escape", "main menu"},
            {"info", "Escape", "main menu"},
        };
        for (const auto &row : rows)
            QTest::addRow("%s: %s", row[0], row[1])
                << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]) << QString::fromLatin1(row[2]);
    }
    void eachWindowIsUsedAndLeftByTheKeyboard()
    {
        QFETCH(QString, which);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QWidget *w = open(which);
        QVERIFY(w);
        QVERIFY(takesKeys(w));
        typeKeys(keys);
        // A button's access key clicks it as the eye can follow: a moment later.
        QTRY_COMPARE(outcome(), expected);
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_school.moc"
