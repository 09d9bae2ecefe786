#pragma once

#include <QMainWindow>

#include <map>
#include <optional>
#include <vector>

#include "backdrop.h"
#include "readingcatalogue.h"
#include "textbutton.h"
#include "windows.h"
class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class MenuRows;

class Timer;

// The main window: a multiple-document frame that hosts the interpretation windows and
// offers the readings as text buttons on the night sky and as menu entries. A button and
// the menu entry that does the same share one QAction, so both are switched together.
class Start : public QMainWindow, public Loadable
{
    Q_OBJECT
public:
    explicit Start(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdi; }

    // The controls, by the names the other windows use. The readings' buttons and menu
    // entries are made from the reading catalogue (readingButton, readingAction).
    Backdrop *Picture1 = nullptr;
    TextButton *boardButton = nullptr;  // "Sacar solo las cartas"
    TextButton *schoolButton = nullptr; // "Estudiar tarot"
    TextButton *exitButton = nullptr;   // "Salír"
    // The second of the shuffle panel before a shuffled reading's first window opens.
    Timer *shuffleTimer = nullptr;

    QMenu *mnuSpiel = nullptr;
    QAction *mnuLern = nullptr;
    QAction *mnuTar = nullptr;
    QAction *mnuProg = nullptr;
    QAction *solo = nullptr;
    QAction *barajas = nullptr;
    QAction *mnuMusik = nullptr;
    QAction *mnuView = nullptr;
    QMenu *mnuInfo = nullptr;
    QAction *contacTo = nullptr;
    QAction *mnuVers = nullptr;
    QAction *mnuKraj = nullptr;

    // A reading's panel button and menu entry, by the names its catalogue entry gives them
    // (nullptr for names no reading bears).
    TextButton *readingButton(const QString &name) const;
    QAction *readingAction(const QString &name) const;
    // Every button of the panel, in keyboard order.
    QList<TextButton *> panelButtons() const;

    // The application title and version, as the version message shows them.
    static QString versionText();

    // Whether the program may end now: the report viewer is asked first, so that no
    // reading is lost unsaved.
    static bool mayEnd();

    // Back to the idle look: panel shown, menus enabled, caption "Orbelle", normal state.
    void showIdle();
    // The school has gone: the panel, the caption and the music entry come back, the
    // window state stays as it is (the school minimizes the window as it opens the gallery).
    void leaveSchool();
    // Starts a reading as its catalogue entry says: the main window's reading look, then
    // its first window, at once or after the shuffle panel.
    void openReading(const ReadingEntry &reading);
    // Entries whose window this build does not have stay switched off: a button that hides
    // the panel and opens nothing would leave the user stranded.
    void switchOffMissingWindows();

public slots:
    void school_Click();
    void solo_Click();
    void barajas_Click();
    void mnuMusik_Click();
    void mnuView_Click();
    void contacTo_Click();
    void mnuProg_Click();
    void mnuTar_Click();
    void mnuVers_Click();
    void mnuKraj_Click();
    void Form_Unload() override;
    // Closing the main window is its exit, asked like the exit entries.
    void closedByFrame() override;

    // The menu bar's entries that did not fit on its row, on a second row under it (null
    // until a narrow window needs it).
    QMenuBar *moreMenus() const { return m_moreMenus; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenus();
    void placeOnScreen();
    void keepPlace();
    void takeOverReport();

    // A report carried over a restart, and whether it was on the screen.
    static inline bool s_carriedReport = false;
    static inline bool s_reportShown = false;
    void layoutPanel();
    void fitMenus();
    void closeIntro();
    TextButton *addButton(const QString &name, const QString &text, const QRect &twips, QAction *action);

    QMdiArea *m_mdi = nullptr;
    // The menu bar's entries, over one or two rows.
    QMenuBar *m_moreMenus = nullptr;
    MenuRows *m_menuRows = nullptr;
    // The panel's buttons with their places in twips.
    std::vector<std::pair<TextButton *, QRect>> m_buttons;
    std::map<QString, QAction *> m_readingActions;
    // The shuffled reading whose first window the shuffle timer opens.
    std::optional<WindowId> m_shuffled;
    bool m_unloaded = false;
};
