#pragma once

#include <QMainWindow>

#include <array>

#include "backdrop.h"
#include "textbutton.h"
#include "windows.h"
class QAction;
class QMdiArea;
class QMenu;

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

    // The controls, by the names the other windows use.
    Backdrop *Picture1 = nullptr;
    TextButton *Label1 = nullptr;
    TextButton *Label2 = nullptr;
    TextButton *Label3 = nullptr;
    TextButton *Label4 = nullptr;
    TextButton *Label5 = nullptr;
    TextButton *Label6 = nullptr;
    TextButton *Label7 = nullptr;
    TextButton *Label8 = nullptr;
    TextButton *Label9 = nullptr;
    Timer *Timer1 = nullptr;
    Timer *Timer2 = nullptr;
    Timer *Timer3 = nullptr;
    Timer *Timer4 = nullptr;

    QMenu *mnuSpiel = nullptr;
    QAction *mnukreuz = nullptr;
    QAction *mnuBezi = nullptr;
    QAction *mnuKelt = nullptr;
    QAction *mnuZig = nullptr;
    QAction *mnuEnt = nullptr;
    QAction *mnuTag = nullptr;
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
    // The look while a reading runs: its caption, the panel hidden, the reading menus and
    // the music entry off.
    void enterReading(const QString &caption);
    // Buttons and entries whose window this build does not have yet stay switched off:
    // a button that hides the panel and opens nothing would leave the user stranded.
    void switchOffMissingWindows();

public slots:
    void Label1_Click(); // relationship
    void Label2_Click(); // free board
    void Label3_Click(); // cross
    void Label4_Click(); // exit
    void Label5_Click();
    void Label6_Click();
    void Label7_Click();
    void Label8_Click(); // school
    void Label9_Click(); // card of the day
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void placeOnScreen();
    void keepPlace();
    void takeOverReport();

    // A report carried over a restart, and whether it was on the screen.
    static inline bool s_carriedReport = false;
    static inline bool s_reportShown = false;
    void layoutPanel();
    void closeIntro();
    void shuffleReading(const QString &caption, Timer *timer);
    void showInfo(int record);

    QMdiArea *m_mdi = nullptr;
    std::array<TextButton *, 9> m_buttons{};
    bool m_unloaded = false;
};
