#pragma once

#include <QObject>
#include <QPointer>

class QMainWindow;
class QMenuBar;
class QWidget;

// The access keys (Alt+letter) of the window the user works in win over the main menu bar's.
//
// Windows shown inside the main window share its keyboard shortcuts: "&Siguiente" of a
// window inside and "&Sacar solo" of the main menu bar would both answer Alt+S, and Qt
// lets the menu bar win. While a window inside (or of its own) is active, the main menu
// bar's entries whose letter one of that window's controls carries lose their letter; they
// get it back when the window is no longer active. Alt alone and F10 open the active
// window's own menu bar (the report viewer's, the school's) instead of the main one.
class AccessKeys : public QObject
{
public:
    // Installed once for the program; follows whichever main window there is.
    static void install();
    // The window whose controls' letters count now: the window shown inside the main window
    // that holds the focus, or the active window; null when the main window itself has it.
    static QWidget *activeContext();
    // The letters (lower case) a window's own controls carry: buttons, labels with a buddy,
    // its own menu bar's entries.
    static QList<QChar> lettersOf(QWidget *window);
    // Recomputed at once (tests; the program follows the focus by itself).
    static void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AccessKeys();
    void follow();
    QPointer<QWidget> m_context;
    QPointer<QWidget> m_returnFocus;
    bool m_altAlone = false;
};
