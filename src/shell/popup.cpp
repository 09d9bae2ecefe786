#include "popup.h"

#include "program.h"
#include "readingcatalogue.h"
#include "start.h"
#include "windows.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

class RightRelease : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && Popup::isPopupKey(static_cast<QKeyEvent *>(event))) {
            auto *w = static_cast<QWidget *>(watched);
            Popup::open(w->mapToGlobal(w->rect().center()));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->button() == Qt::RightButton) {
                Popup::open(me->globalPosition().toPoint());
                return true;
            }
        }
        if (event->type() == QEvent::ChildAdded) {
            // Controls added later answer the right button too.
            auto *ce = static_cast<QChildEvent *>(event);
            if (ce->child()->isWidgetType())
                watchTree(static_cast<QWidget *>(ce->child()));
        }
        return QObject::eventFilter(watched, event);
    }

public:
    void watchTree(QWidget *w)
    {
        w->installEventFilter(this);
        for (QWidget *child : w->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
};

} // namespace

frmMeni::frmMeni(QWidget *parent) : QWidget(parent)
{
    mnuMeni = new QMenu(QStringLiteral("Meni"), this);
    mnuMeni->setObjectName(QStringLiteral("mnuMeni"));
    mnuHaupt = mnuMeni->addAction(QStringLiteral("Al menu principal"));
    mnuHaupt->setObjectName(QStringLiteral("mnuHaupt"));
    mnuEnde = mnuMeni->addAction(QStringLiteral("Salír de Orbelle "));
    mnuEnde->setObjectName(QStringLiteral("mnuEnde"));
    connect(mnuHaupt, &QAction::triggered, this, &frmMeni::mnuHaupt_Click);
    connect(mnuEnde, &QAction::triggered, this, &frmMeni::mnuEnde_Click);
}

void frmMeni::mnuHaupt_Click()
{
    Popup::toMainMenu();
}

void frmMeni::mnuEnde_Click()
{
    // The main window's exit: its unload takes the music player with it.
    WindowRegistry::get<Start>()->mnuKraj_Click();
}

namespace Popup {

std::vector<WindowId> readingWindows()
{
    // Every reading's windows, then the panels, the intro and the school, which the
    // entry leaves from as well.
    std::vector<WindowId> windows;
    for (const ReadingEntry &r : ReadingCatalogue::entries())
        windows.insert(windows.end(), r.windows.begin(), r.windows.end());
    for (WindowId id : {WindowId::meld, WindowId::anima, WindowId::alleImagenes, WindowId::lernen})
        windows.push_back(id);
    return windows;
}

void toMainMenu()
{
    for (WindowId id : readingWindows())
        WindowRegistry::unload(id);
    WindowRegistry::get<Start>()->showIdle();
}

void leaveReading(WindowId window)
{
    // The reading's own windows, and the shuffle panel and intro it may have left.
    if (const ReadingEntry *reading = ReadingCatalogue::readingOf(window)) {
        for (WindowId id : reading->windows)
            WindowRegistry::unload(id);
    }
    WindowRegistry::unload(WindowId::meld);
    WindowRegistry::unload(WindowId::anima);
    WindowRegistry::get<Start>()->showIdle();
}

bool isPopupKey(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && (e->modifiers() & Qt::ShiftModifier));
}

void open(const QPoint &globalPos)
{
    frmMeni *owner = WindowRegistry::get<frmMeni>();
    owner->mnuMeni->popup(globalPos);
}

void watch(QWidget *window)
{
    auto *filter = new RightRelease(window);
    filter->watchTree(window);
}

} // namespace Popup
