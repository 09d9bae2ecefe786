#include "program.h"

#include "designscale.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {
std::function<void(int)> g_endHandler;
int g_endRequests = 0;
QPointer<QMdiArea> g_area;

// What a window inside the main window was designed with, in pixels at scale 1.
const char *const kDesignSize = "orbelleInsideSize";
const char *const kDesignPos = "orbelleInsidePos";
const char *const kStretch = "orbelleInsideStretch";
const char *const kBeside = "orbelleInsideBeside";
const char *const kLargest = "orbelleInsideLargest";

QMdiSubWindow *frameOf(QWidget *w)
{
    return w ? qobject_cast<QMdiSubWindow *>(w->parentWidget()) : nullptr;
}

// Puts a frame where its window's design says, at the area's present scale, wholly
// inside the area.
void fitFrame(QMdiSubWindow *f)
{
    QWidget *w = f->widget();
    if (!w || !g_area || f->isMinimized() || f->isMaximized())
        return;
    const QSize area = g_area->viewport()->size();
    if (!area.isValid() || area.isEmpty())
        return;
    const double areaScale = Program::areaScale();
    const QVariant largest = w->property(kLargest);
    const double s = largest.isValid() ? qMin(areaScale, largest.toDouble()) : areaScale;
    const QSize border = f->size() - w->size();
    const QVariant design = w->property(kDesignSize);
    const QVariant pos = w->property(kDesignPos);
    QPoint at = f->pos();
    if (pos.isValid())
        at = QPoint(int(pos.toPoint().x() * areaScale), int(pos.toPoint().y() * areaScale));
    if (auto *neighbour = qobject_cast<QWidget *>(w->property(kBeside).value<QObject *>())) {
        if (QMdiSubWindow *nf = frameOf(neighbour))
            at.setX(nf->geometry().right() + 1 + int(2 * areaScale));
    }
    QSize size = f->size();
    if (design.isValid())
        size = QSize(int(design.toSize().width() * s), int(design.toSize().height() * s)) + border;
    if (w->property(kStretch).toBool())
        size = QSize(area.width() - at.x() - 4, area.height() - at.y() - 4);
    size = size.boundedTo(area);
    at = QPoint(qBound(0, at.x(), area.width() - size.width()),
                qBound(0, at.y(), area.height() - size.height()));
    f->setGeometry(QRect(at, size));
}

// The area tells its windows when it changes size.
class AreaWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && g_area) {
            for (QMdiSubWindow *f : g_area->subWindowList())
                fitFrame(f);
        }
        return false;
    }
};
} // namespace

namespace Program {

void end(int code)
{
    ++g_endRequests;
    if (g_endHandler) {
        g_endHandler(code);
        return;
    }
    WindowRegistry::unloadAll();
    // Also when the end comes before the event loop runs (a failed start): the exit is
    // carried out as soon as the loop starts.
    QApplication::exit(code);
    QTimer::singleShot(0, qApp, [code] { QApplication::exit(code); });
}

void setEndHandler(std::function<void(int)> handler)
{
    g_endHandler = std::move(handler);
}

int endRequests()
{
    return g_endRequests;
}

void setMdiArea(QMdiArea *area)
{
    g_area = area;
    if (area)
        area->viewport()->installEventFilter(new AreaWatch(area));
}

QSize areaDesign()
{
    return Twips::size(11880, 8310);
}

double areaScale()
{
    if (!g_area)
        return 1.0;
    const QSize area = g_area->viewport()->size();
    const QSize design = areaDesign();
    return qMin(area.width() / double(design.width()), area.height() / double(design.height()));
}

QMdiArea *mdiArea()
{
    if (!g_area)
        WindowRegistry::get(WindowId::Start); // loading the main window sets it
    return g_area;
}

double desktopScale(const QWidget *w)
{
    const QScreen *screen = w ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return 1.0;
    const QRect avail = screen->availableGeometry();
    // The main window is its area plus a menu bar of about 20 pixels at scale 1.
    const QSize design = areaDesign() + QSize(0, 20);
    return qMin(0.85 * avail.width() / design.width(), 0.85 * avail.height() / design.height());
}

void openOnScreen(QWidget *w, QSize design)
{
    const QScreen *screen = w->screen();
    double s = desktopScale(w);
    if (screen) {
        const QRect avail = screen->availableGeometry();
        // Room for the window's frame and title.
        s = qMin(s,
                 qMin(0.95 * avail.width() / design.width(), (0.95 * avail.height() - 30) / design.height()));
    }
    w->resize(QSize(int(design.width() * s), int(design.height() * s)));
    if (screen)
        w->move(screen->availableGeometry().center() - w->rect().center());
}

void adoptIntoMainWindow(QWidget *w)
{
    if (frameOf(w) || !mdiArea())
        return;
    // The window keeps the size it was designed with, scaled with the area; the frame
    // adds its border.
    const QSize wanted = w->size();
    if (!w->property(kDesignSize).isValid())
        w->setProperty(kDesignSize, wanted);
    // A window with a layout gets its fonts scaled here; one that places its controls
    // itself scales them itself (DesignScale Placed, or its own resize).
    if (w->layout())
        DesignScale::install(w, wanted, DesignScale::Layout::Managed);
    QMdiSubWindow *frame = mdiArea()->addSubWindow(w);
    frame->adjustSize();
    frame->resize(wanted + (frame->size() - w->size()));
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame->setWindowIcon(w->windowIcon());
    // Closing the frame is closing the window: its own close handling decides.
    QObject::connect(w, &QObject::destroyed, frame, &QObject::deleteLater);
    frame->hide();
}

void showInside(QWidget *w)
{
    adoptIntoMainWindow(w);
    QMdiSubWindow *f = frameOf(w);
    if (!f) {
        w->show();
        return;
    }
    w->show();
    f->show(); // the area places a frame shown for the first time
    // The whole window stays within the main window's area, at the area's scale.
    fitFrame(f);
    f->raise();
    mdiArea()->setActiveSubWindow(f);
}

void placeInside(QWidget *w, int leftTwips, int topTwips)
{
    if (QMdiSubWindow *f = frameOf(w)) {
        w->setProperty(kDesignPos, Twips::point(leftTwips, topTwips));
        fitFrame(f);
    } else {
        w->move(Twips::point(leftTwips, topTwips));
    }
}

void placeBeside(QWidget *w, QWidget *neighbour, int topTwips)
{
    w->setProperty(kBeside, QVariant::fromValue(static_cast<QObject *>(neighbour)));
    placeInside(w, 0, topTwips);
}

void limitScaleInside(QWidget *w, double largest)
{
    w->setProperty(kLargest, largest);
    if (QMdiSubWindow *f = frameOf(w))
        fitFrame(f);
}

void stretchInside(QWidget *w)
{
    w->setProperty(kStretch, true);
    if (QMdiSubWindow *f = frameOf(w))
        fitFrame(f);
}

void showFillingArea(QWidget *w)
{
    showInside(w);
    placeInside(w, 60, 60);
    stretchInside(w);
    if (QMdiArea *area = mdiArea()) {
        QWidget *main = area->window();
        main->showNormal();
        main->activateWindow();
    }
}

void setInsideWindowState(QWidget *w, bool minimized)
{
    QMdiSubWindow *f = frameOf(w);
    if (!f)
        return;
    if (minimized)
        f->showMinimized();
    else
        f->showNormal();
}

} // namespace Program
