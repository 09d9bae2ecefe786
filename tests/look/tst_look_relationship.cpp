// The relationship reading on the screen this run was given: its windows fit, its cards
// show as cards, and the whole reading is done from the keyboard alone.

#include "bezi.h"
#include "designscale.h"
#include "eingabe.h"
#include "legbez.h"
#include "lookcheck.h"
#include "readingdriver.h"
#include "slika.h"
#include "textbutton.h"
#include "theme.h"
#include "twips.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
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
    // Each text shows three lines at the least; more scroll.
    for (QPlainTextEdit *box : reading->Box)
        if (box->viewport()->height() < 3 * QFontMetrics(box->font()).lineSpacing())
            faults << nameOf(box) + QStringLiteral(" shows less than three lines: ") + rectText(box->geometry());
    return faults;
}

bool shownAndFocused(QWidget *w)
{
    return w && w->isVisible() && keyTarget() && (keyTarget() == w || w->isAncestorOf(keyTarget()));
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

    void theRelationshipFits_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("short names") << QStringList{QStringLiteral("Ana"), QStringLiteral("Luis")};
        QTest::newRow("long names") << QStringList{QStringLiteral("Maximiliano"),
                                                   QStringLiteral("Concepción Inmaculada")};
    }
    void theRelationshipFits()
    {
        QFETCH(QStringList, names);
        Random::seed(7);
        Start *main = shownMain();
        auto *input =
            qobject_cast<eingabe *>(ReadingDriver::layReading("relationshipButton", ReadingDriver::Opened));
        CHECK_LOOK(input);
        // Both "OK"s, the second as it shows after the first name.
        input->Text1->setText(names.first());
        input->firstNameButton->click();
        CHECK_LOOK(input);
        CHECK_LOOK(ReadingDriver::layReading("relationshipButton", ReadingDriver::Dealing, nullptr, names.mid(1)));
        auto *reading = qobject_cast<bezi *>(
            ReadingDriver::layReading("relationshipButton", ReadingDriver::Laid, nullptr, names));
        QVERIFY(reading);
        keepShot(reading);
        QStringList faults = readingFaults(reading);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        // The main window made larger and back: the reading follows, its cards framed anew.
        const QSize size = main->size();
        const QSize larger = (size * 1.15).boundedTo(main->screen()->availableGeometry().size() - QSize(8, 40));
        for (const QSize &other : {larger, size}) {
            main->resize(other);
            QTRY_COMPARE(main->size(), other);
            QCoreApplication::processEvents();
            faults = readingFaults(reading);
            QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("at %1x%2:\n").arg(other.width()).arg(other.height()) +
                                                  faults.join(QLatin1Char('\n'))));
        }

        reading->quintessenceButton->click();
        slika *sheet = WindowRegistry::get<slika>();
        CHECK_LOOK(sheet);
        faults = cardFaults(sheet->Image1, Twips::size(1545, 2655), DesignScale::of(sheet)->scale());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
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
        struct Row
        {
            const char *keys;
            int upTo; // typed again until it brings its result, at most this often
            std::function<bool()> brings;
        };
        const QList<Row> rows{
            {"Tab", 20, [&] { return keyTarget() == main->readingButton("relationshipButton"); }},
            {"Space", 1, [&] { return input() && shownAndFocused(input()->Text1); }},
            {"Return", 1, [&] { return input()->promptLabel->text() == eingabe::emptyNameMessage(); }},
            {"A n a Return", 1, [&] { return input()->promptLabel->text() == eingabe::secondPrompt(); }},
            {"L u i s Return", 1, [&] { return shownAndFocused(table()); }},
            // A back is drawn whenever the table takes one.
            {"Space", 400, [&] { return reading() && shownAndFocused(reading()->Box[0]); }},
            {"Tab Tab Tab Tab Tab Tab", 1, [&] { return keyTarget() == reading()->quintessenceButton; }},
            {"Alt+Q", 1, [&] { return sheet() && shownAndFocused(sheet()); }},
            {"Escape", 1, [&] { return !sheet() && shownAndFocused(reading()); }},
            {"Alt+G", 1, [&] { return report().contains(QStringLiteral("luis und ana")); }},
            {"Ctrl+Tab", 4, [&] { return shownAndFocused(reading()); }},
            {"Alt+Q", 1, [&] { return sheet() && shownAndFocused(sheet()); }},
            {"Alt+G", 1, [&] { return report().contains(slika::headingPrefix()); }},
            {"Ctrl+S", 1, [&] {
                 QFile saved(file);
                 const QByteArray rtf = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
                 return rtf.contains("luis und ana") && rtf.contains("Quintesencia");
             }},
        };
        for (const Row &row : rows) {
            if (qstrcmp(row.keys, "Ctrl+S") == 0)
                Dialogs::queueFileName(file);
            bool brought = false;
            for (int n = 0; n < row.upTo && !brought; ++n) {
                // The prompt panel is shown without taking the keyboard; the offscreen platform
                // makes every window it shows the active one all the same, and none when the
                // panel goes. The keyboard is given back to the laying as a desktop keeps it.
                if (QWidget *a = QApplication::activeWindow(); table() && (!a || qobject_cast<meld *>(a))) {
                    table()->activateWindow();
                    QTest::qWaitFor([&] { return table()->isActiveWindow(); }, 1000);
                }
                typeKeys(QString::fromLatin1(row.keys));
                brought = QTest::qWaitFor(row.brings, row.upTo > 1 ? 50 : 5000);
            }
            QVERIFY2(brought, qPrintable(QStringLiteral("\"%1\" did not bring its result; the keys went to %2")
                                             .arg(QString::fromLatin1(row.keys),
                                                  keyTarget() ? nameOf(keyTarget()) : QStringLiteral("nothing"))));
        }
    }
};

ORBELLE_TEST_MAIN(tst_Look)
#include "tst_look_relationship.moc"
