#pragma once

#include <QMenu>
#include <QPoint>
#include <QWidget>

#include "windows.h"

#include <vector>

class QAction;
class QKeyEvent;

// The popup of the reading windows: "Al menu principal" and "Salír de Orbelle ".
// Its owner window is never shown; it only holds the menu.
class frmMeni : public QWidget
{
    Q_OBJECT
public:
    explicit frmMeni(QWidget *parent = nullptr);

    QMenu *mnuMeni = nullptr;
    QAction *mnuHaupt = nullptr;
    QAction *mnuEnde = nullptr;

public slots:
    void mnuHaupt_Click();
    void mnuEnde_Click();
};

namespace Popup {
// Opens the popup at a screen position.
void open(const QPoint &globalPos);
// The keys that open it from the keyboard: the context-menu key and Shift+F10.
bool isPopupKey(const QKeyEvent *e);
// The popup opens where the right mouse button is released over the window or any of
// its controls; other buttons do nothing.
void watch(QWidget *window);
// The windows "Al menu principal" unloads, in order: every reading's, the panels, the
// intro and the school.
std::vector<WindowId> readingWindows();
// "Al menu principal": every window of a reading unloaded, the main window idle.
void toMainMenu();
// A reading's "Atrás" or frame close: the windows of the reading this window belongs to
// unloaded, with the shuffle panel and the intro, the main window idle.
void leaveReading(WindowId window);
} // namespace Popup
