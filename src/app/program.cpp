#include "program.h"

#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace {
std::function<void(int)> g_endHandler;
int g_endRequests = 0;
QPointer<QMdiArea> g_area;

QMdiSubWindow *frameOf(QWidget *w)
{
    return w ? qobject_cast<QMdiSubWindow *>(w->parentWidget()) : nullptr;
}
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
}

QMdiArea *mdiArea()
{
    if (!g_area)
        WindowRegistry::get(WindowId::Start); // loading the main window sets it
    return g_area;
}

void adoptIntoMainWindow(QWidget *w)
{
    if (frameOf(w) || !mdiArea())
        return;
    // The window keeps the size it was designed with; the frame adds its border.
    const QSize wanted = w->size();
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
    // The whole window stays within the main window's area: fitted when larger, moved
    // back in when the area's placement leaves part of it outside.
    const QSize area = mdiArea()->viewport()->size();
    if (!f->isMinimized() && area.isValid() && !area.isEmpty()) {
        if (f->width() > area.width() || f->height() > area.height())
            f->resize(f->size().boundedTo(area));
        f->move(qBound(0, f->x(), area.width() - f->width()), qBound(0, f->y(), area.height() - f->height()));
    }
    f->raise();
    mdiArea()->setActiveSubWindow(f);
}

void placeInside(QWidget *w, int leftTwips, int topTwips)
{
    if (QMdiSubWindow *f = frameOf(w))
        f->move(Twips::point(leftTwips, topTwips));
    else
        w->move(Twips::point(leftTwips, topTwips));
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
