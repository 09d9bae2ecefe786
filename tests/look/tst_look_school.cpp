// The school, its gallery, the music player, the deck locator and the info window on the
// screen this run was given: placed, nothing cut off, the cards in the deck's proportion,
// and every window used and left by the keyboard alone.

#include "alleimagenes.h"
#include "carddatabase.h"
#include "designscale.h"
#include "gallerylayout.h"
#include "info.h"
#include "lernen.h"
#include "lookcheck.h"
#include "mojcorvin.h"
#include "readingdriver.h"
#include "twips.h"

#include <QDialog>
#include <QMenu>

using namespace LookCheck;
using ReadingDriver::shownMain;

namespace {
// A window, by its name, as the main window opens it.
QWidget *open(const QString &name)
{
    Start *main = shownMain();
    if (name == QLatin1String("mojCorvin")) {
        main->mnuMusik->trigger();
    } else if (name == QLatin1String("ordnerSuchen")) {
        main->barajas->trigger();
    } else if (name == QLatin1String("info")) {
        main->contacTo->trigger();
    } else {
        main->schoolButton->click();
        if (lernen *school = WindowRegistry::ifLoaded<lernen>();
            school && name == QLatin1String("alleImagenes"))
            school->galleryButton->click();
    }
    return TestEnv::ifLoaded(name);
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
    auto shown = [](WindowId id) {
        return WindowRegistry::isLoaded(id) && WindowRegistry::get(id)->isVisible();
    };
    if (auto *help = qobject_cast<QDialog *>(QApplication::activeWindow()); help && help->isVisible())
        return QStringLiteral("help in front");
    if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
        return menu->title().remove(QLatin1Char('&'));
    if (shown(WindowId::lernen))
        return QStringLiteral("card %1").arg(WindowRegistry::get<lernen>()->currentCard());
    for (const char *name : {"alleImagenes", "mojCorvin", "ordnerSuchen", "info"})
        if (shown(*WindowRegistry::idOf(QString::fromLatin1(name))))
            return QString::fromLatin1(name);
    return TestEnv::mainWindowIdle() ? QStringLiteral("main menu") : QStringLiteral("nowhere");
}
} // namespace

class tst_Look : public LookTest
{
    Q_OBJECT

private slots:
    void eachWindowFits_data()
    {
        QTest::addColumn<QString>("which");
        for (const char *name : {"lernen", "alleImagenes", "mojCorvin", "ordnerSuchen", "info"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void eachWindowFits()
    {
        QFETCH(QString, which);
        QWidget *w = open(which);
        QVERIFY(w && w->isVisible() && QTest::qWaitForWindowExposed(w->window()));
        CHECK_LOOK(w);
        QVERIFY(takesKeys(w));
        CHECK_KEYS(w);
        if (auto *school = qobject_cast<lernen *>(w)) {
            // The card as designed: its frame of 2400 × 4200 twips, less the rim.
            const QSize design = Twips::size(2400, 4200) - QSize(6, 6);
            CHECK_NONE(cardFaults(school->Image1, design, DesignScale::of(school)->scale()));
            // The last card's name, the longest of the deck's, reads whole.
            school->lastButton->click();
            CHECK_LOOK(school);
        }
        if (auto *gallery = qobject_cast<alleImagenes *>(w)) {
            const double scale = gallery->width() / double(Twips::px(GalleryLayout::kWidth));
            for (QLabel *card : gallery->Image1)
                CHECK_NONE(cardFaults(card, Twips::size(GalleryLayout::kCardWidth, GalleryLayout::kCardHeight),
                                      scale));
        }
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
            QVERIFY(!info::webAddress().isEmpty() && page->Text2->toPlainText().contains(info::webAddress()));
            QVERIFY(page->webButton->isVisible());
            QCOMPARE(page->mailButton->isVisible(), !info::contactAddress().isEmpty());
        }
    }

    // The gallery's cards are too small for the names on their bands: the name of the card
    // the keys stand on is written below them.
    void theGalleryNamesTheCardTheKeysStandOn()
    {
        auto *gallery = qobject_cast<alleImagenes *>(open(QStringLiteral("alleImagenes")));
        QVERIFY(gallery && takesKeys(gallery));
        typeKeys(QStringLiteral("Right Down"));
        QTRY_COMPARE(gallery->nameLabel->text(),
                     CardDatabase::cardText(QStringLiteral("karten"), 2 + GalleryLayout::kColumns));
        CHECK_LOOK(gallery);
    }

    // Keys typed in a window just opened, and what they led to.
    void eachWindowIsUsedAndLeftByTheKeyboard_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        // Each access key reaching its control is everyWindowTakesTheKeysItShows' business:
        // here what a key does in the window it was typed in.
        const char *rows[][3] = {
            {"lernen", "Alt+U Alt+A", "card 77"},
            {"lernen", "Escape", "main menu"},
            {"alleImagenes", "Escape", "main menu"},
            {"mojCorvin", "Alt+Y Escape", "mojCorvin"},
            {"mojCorvin", "Alt+W", "Wave, Midi, CD-Player"},
            {"mojCorvin", "Escape", "main menu"},
            {"ordnerSuchen", "Escape", "main menu"},
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
