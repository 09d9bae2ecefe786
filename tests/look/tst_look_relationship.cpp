// The relationship reading on the screen this run was given: its windows fit, its cards
// show as cards, and the whole reading is done from the keyboard alone.

#include "bezi.h"
#include "designscale.h"
#include "eingabe.h"
#include "legbez.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "slika.h"
#include "twips.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>

using namespace LookCheck;
using ReadingDriver::shownMain;

namespace {
// The cards, the headings and the texts of the interpretation as a user sees them.
QStringList readingFaults(bezi *reading)
{
    QStringList faults = placementOf(reading) + faultsOf(reading);
    // The window's scale: its size against the design's 12000 × 9000 twips.
    const double scale =
        qMin(reading->width() / double(Twips::px(12000)), reading->height() / double(Twips::px(9000)));
    for (QLabel *card : reading->Imag)
        faults << cardFaults(card, Twips::size(1545, 2655), scale);
    // The headings paint their own lines: none cut short.
    for (HeadingLabel *h : reading->headingLabels)
        if (h->shownLines().join(QLatin1Char(' ')).contains(QChar(0x2026)))
            faults << nameOf(h) + QStringLiteral(" elided: ") + h->shownLines().join(QLatin1Char(' '));
    // Each text shows three lines at the least; more scroll.
    for (QPlainTextEdit *box : reading->Box)
        if (box->viewport()->height() < 3 * QFontMetrics(box->font()).lineSpacing())
            faults << nameOf(box) + QStringLiteral(" shows less than three lines: ") +
                          rectText(box->geometry());
    return faults;
}

bool shownAndFocused(QWidget *w)
{
    return w && w->isVisible() && keyTarget() && (keyTarget() == w || w->isAncestorOf(keyTarget()));
}
} // namespace

class tst_Look : public LookTest
{
    Q_OBJECT

private slots:
    // With long names, which the headings and the report carry.
    void theRelationshipFits()
    {
        const QStringList names{QStringLiteral("Maximiliano"), QStringLiteral("Concepción Inmaculada")};
        Random::seed(7);
        Start *main = shownMain();
        auto *input =
            qobject_cast<eingabe *>(ReadingDriver::layReading("relationshipButton", ReadingDriver::Opened));
        CHECK_LOOK(input);
        // Both "OK"s, the second as it shows after the first name.
        input->Text1->setText(names.first());
        input->firstNameButton->click();
        CHECK_LOOK(input);
        CHECK_LOOK(
            ReadingDriver::layReading("relationshipButton", ReadingDriver::Dealing, nullptr, names.mid(1)));
        auto *reading = qobject_cast<bezi *>(
            ReadingDriver::layReading("relationshipButton", ReadingDriver::Laid, nullptr, names));
        QVERIFY(reading);
        keepShot(reading);
        CHECK_NONE(readingFaults(reading));

        // The main window made larger and back: the reading follows, its cards framed anew.
        const QSize size = main->size();
        const QSize larger =
            (size * 1.15).boundedTo(main->screen()->availableGeometry().size() - QSize(8, 40));
        for (const QSize &other : {larger, size}) {
            main->resize(other);
            QTRY_COMPARE(main->size(), other);
            QCoreApplication::processEvents();
            CHECK_NONE(readingFaults(reading));
        }

        reading->quintessenceButton->click();
        slika *sheet = WindowRegistry::get<slika>();
        CHECK_LOOK(sheet);
        CHECK_NONE(cardFaults(sheet->Image1, Twips::size(1545, 2655), DesignScale::of(sheet)->scale()));
    }

    // From the main window's button to a saved report, with no mouse: each row is typed
    // where the keyboard is, and what it should bring is waited for.
    void theWholeReadingByKeyboard()
    {
        Random::seed(3);
        Start *main = shownMain();
        main->showIdle();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("relacion.rtf"));
        const auto input = [] { return WindowRegistry::ifLoaded<eingabe>(); };
        const auto table = [] { return WindowRegistry::ifLoaded<legBez>(); };
        const auto reading = [] { return WindowRegistry::ifLoaded<bezi>(); };
        const auto sheet = [] { return WindowRegistry::ifLoaded<slika>(); };
        const auto report = [] { return ReadingDriver::reportText(); };
        // Typed where the keyboard is; a back is drawn whenever the table takes one.
        WALK({{"Tab", [&] { return keyTarget() == main->readingButton("relationshipButton"); }, "the button",
               20},
              {"Space", [&] { return input() && shownAndFocused(input()->Text1); }, "the names"},
              {"Return", [&] { return input()->promptLabel->text() == eingabe::emptyNameMessage(); },
               "no name"},
              {"A n a Return", [&] { return input()->promptLabel->text() == eingabe::secondPrompt(); },
               "the second"},
              {"L u i s Return", [&] { return shownAndFocused(table()); }, "the laying"},
              {"Space", [&] { return reading() && shownAndFocused(reading()->Box[0]); }, "the reading", 400},
              {"Tab Tab Tab Tab Tab Tab", [&] { return keyTarget() == reading()->quintessenceButton; },
               "its button"},
              {"Alt+Q", [&] { return sheet() && shownAndFocused(sheet()); }, "the quintessence"},
              {"Escape", [&] { return !sheet() && shownAndFocused(reading()); }, "the reading again"},
              {"Alt+G", [&] { return report().contains(QStringLiteral("luis und ana")); }, "the report"},
              {"Ctrl+Tab", [&] { return shownAndFocused(reading()); }, "the reading", 4},
              {"Alt+Q", [&] { return sheet() && shownAndFocused(sheet()); }, "the quintessence"},
              {"Alt+G", [&] { return report().contains(slika::headingPrefix()); }, "its report"}},
             [&] {
                 // The prompt panel is shown without taking the keyboard; the offscreen platform
                 // makes every window it shows the active one all the same, and none when the
                 // panel goes. The keyboard is given back to the laying as a desktop keeps it.
                 if (QWidget *a = QApplication::activeWindow(); table() && (!a || qobject_cast<meld *>(a))) {
                     table()->activateWindow();
                     QTest::qWaitFor([&] { return table()->isActiveWindow(); }, 1000);
                 }
             });
        Dialogs::queueFileName(file);
        WALK({{"Ctrl+S",
               [&] {
                   QFile saved(file);
                   const QByteArray rtf = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
                   return rtf.contains("luis und ana") && rtf.contains("Quintesencia");
               },
               "the file"}});
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_relationship.moc"
