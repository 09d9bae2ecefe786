#pragma once

// What a user sees of a window, checked the same way for every window: placed on its screen
// or inside the main window, nothing cut off, elided, broken mid-word or overlapping, no text
// under 9 points, cards in the deck's proportion, menus wholly visible, access keys unique
// and acting in the window that shows them, and keys typed as a user types them.

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

class QLabel;
class QMenuBar;
class QWidget;

namespace LookCheck {

QString nameOf(const QWidget *w);
QString rectText(const QRect &r);
// The smallest text the program shows, in pixels, on this widget's screen.
double smallestPixels(const QWidget *w);

// Controls outside the window, texts cut, elided ("…") or broken inside a word, text under
// 9 points, text boxes and buttons overlapping.
QStringList faultsOf(QWidget *window);
// A window of its own wholly on its screen; one inside the main window wholly in its area.
QStringList placementOf(QWidget *window);
// Entries of a menu bar hidden behind its extension ("»") or cut.
QStringList menuFaults(QMenuBar *bar);
// A card picture shown on `label`: in the deck's proportion (±3 %) and at least
// `designSize` scaled as the label's window is scaled (`scale`, pixels per design pixel).
QStringList cardFaults(const QLabel *label, QSize designSize = {}, double scale = 0);
// The same for a card drawn at `shown` (a rectangle painted by a view).
QStringList cardRectFaults(const QString &who, const QSize &shown, QSize designSize = {}, double scale = 0);

// Access keys (Alt+letter) carried by more than one control among the active window's
// buttons, labels and menu bar and the main menu bar.
QStringList mnemonicClashes(QWidget *window);
// Each access key of `window`'s controls pressed in turn: the faults where the key reached
// another control (the main menu bar, another window) or none. Nothing is triggered: the
// key's shortcut event is caught on its way.
QStringList mnemonicRouting(QWidget *window);

// Keys as a user types them, space-separated: "Tab", "Shift+Tab", "Alt+S", "Return",
// "Escape", "Space", "Right", "F10", "Ctrl+S", or a single character. Each goes to the
// widget that has the focus then (or the active window), as real keys do.
void typeKeys(const QString &keys);
// The widget keys go to now.
QWidget *keyTarget();

// With ORBELLE_LOOK_SHOTS naming a folder, the window is kept there as a picture.
void keepShot(QWidget *w);

// One step of a walk by the keyboard: the keys typed where the keyboard is (none: only
// wait), typed again up to `tries` times, and what they bring once they have acted.
struct KeyStep
{
    QString keys;
    std::function<bool()> brings;
    QString what;
    int tries = 1;
};
// Types the steps in turn, `beforeKeys` run before each typing; false, the test failed, at
// the first step that did not bring its result.
bool walkKeys(const QList<KeyStep> &steps, const std::function<void()> &beforeKeys = {});

} // namespace LookCheck

// What every look program shares: the windows registered, the program's style, a fresh
// start before each case, and dialogs and menus left open closed after it.
class LookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
};

// A walk that failed ends the test.
#define WALK(...)                                                                                            \
    do {                                                                                                     \
        if (!LookCheck::walkKeys(__VA_ARGS__))                                                               \
            return;                                                                                          \
    } while (false)

#define CHECK_NONE(faults)                                                                                   \
    do {                                                                                                     \
        const QStringList none_ = (faults);                                                                  \
        QVERIFY2(none_.isEmpty(), qPrintable(none_.join(QLatin1Char('\n'))));                                \
    } while (false)

// The access keys of a window: none shared, each reaching the control that shows it.
#define CHECK_KEYS(w) CHECK_NONE(LookCheck::mnemonicClashes(w) + LookCheck::mnemonicRouting(w))

#define CHECK_LOOK(w)                                                                                        \
    do {                                                                                                     \
        QWidget *checked_ = (w);                                                                             \
        QVERIFY(checked_);                                                                                   \
        LookCheck::keepShot(checked_);                                                                       \
        CHECK_NONE(LookCheck::placementOf(checked_) + LookCheck::faultsOf(checked_));                        \
    } while (false)
