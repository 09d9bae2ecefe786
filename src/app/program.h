#pragma once

#include <functional>

class QMdiArea;
class QWidget;

// Ending the program, and the main window's multiple-document area that hosts the
// windows placed inside it.
namespace Program {

// Unloads every window and leaves the event loop. Tests replace what happens so that
// "the program ends" can be observed without ending the test.
void end(int code = 0);
void setEndHandler(std::function<void(int)> handler);
int endRequests(); // how often end() was called (for tests)

// The area of the main window; set by the main window when it loads.
void setMdiArea(QMdiArea *area);
QMdiArea *mdiArea();

// Puts a window inside the main window (once), shows it there, or places it by its
// left/top in twips. Windows shown inside the main window use these instead of
// show()/move(), so their frame follows.
void adoptIntoMainWindow(QWidget *w);
void showInside(QWidget *w);
void placeInside(QWidget *w, int leftTwips, int topTwips);
void setInsideWindowState(QWidget *w, bool minimized);

} // namespace Program
