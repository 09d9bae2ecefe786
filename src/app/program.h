#pragma once

#include <functional>

#include <QSize>

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
// The area's design size in pixels at scale 1 (11880 × 8310 twips): the windows shown
// inside the main window keep their place and size relative to it.
QSize areaDesign();
// How much larger than designed the area is now.
double areaScale();

// The scale of the desktop: the largest at which the main window, in its design
// proportion, fills no more than 85 % of the screen's available area.
double desktopScale(const QWidget *w);
// Opens a window of its own (laying tables, panels, the intro) at its design size times
// the desktop scale, never larger than the screen allows, centred on the screen.
void openOnScreen(QWidget *w, QSize design);

// Puts a window inside the main window (once), shows it there, or places it by its
// left/top in twips. Windows shown inside the main window use these instead of
// show()/move(), so their frame follows.
void adoptIntoMainWindow(QWidget *w);
void showInside(QWidget *w);
void placeInside(QWidget *w, int leftTwips, int topTwips);
// Lets a window inside the main window take the room from its place to the area's right
// and bottom edges.
void stretchInside(QWidget *w);
// Shows a window inside the main window over the whole area, the main window shown as a
// window again and active, so that the keyboard goes on in it.
void showFillingArea(QWidget *w);
// Places a window inside the main window just right of another one, at a top in twips.
void placeBeside(QWidget *w, QWidget *neighbour, int topTwips);
// A window inside the main window grows with the area up to this scale only.
void limitScaleInside(QWidget *w, double largest);
void setInsideWindowState(QWidget *w, bool minimized);

} // namespace Program
