#include "accesskeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>

namespace {

constexpr const char *kFullText = "orbelleAccessText";

AccessKeys *s_keys = nullptr;

QChar letterOf(const QString &text)
{
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
         at = text.indexOf(QLatin1Char('&'), at + 2)) {
        if (text.at(at + 1) != QLatin1Char('&'))
            return text.at(at + 1).toLower();
    }
    return {};
}

QString withoutLetter(const QString &text)
{
    QString t = text;
    for (qsizetype at = t.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < t.size(); at = t.indexOf(QLatin1Char('&'), at + 1)) {
        if (t.at(at + 1) == QLatin1Char('&')) {
            ++at;
            continue;
        }
        t.remove(at, 1);
        break;
    }
    return t;
}

// The menu bar a main window carries itself (not the one of a window shown inside it).
QMenuBar *ownMenuBar(QWidget *window)
{
    if (!window)
        return nullptr;
    for (QMenuBar *bar : window->findChildren<QMenuBar *>()) {
        bool inside = false;
        for (QWidget *p = bar->parentWidget(); p && p != window; p = p->parentWidget())
            inside = inside || qobject_cast<QMdiSubWindow *>(p);
        if (!inside && bar->isVisibleTo(window))
            return bar;
    }
    return nullptr;
}

QMainWindow *mainWindowOf(QWidget *w)
{
    return w ? qobject_cast<QMainWindow *>(w->window()) : nullptr;
}

bool insideSubWindow(const QWidget *c, const QWidget *window)
{
    for (const QWidget *p = c->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QMdiSubWindow *>(p))
            return true;
    return false;
}

void openFirstMenu(QMenuBar *bar)
{
    for (QAction *a : bar->actions()) {
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
            bar->setFocus(Qt::MenuBarFocusReason);
            bar->setActiveAction(a);
            return;
        }
    }
}

} // namespace

AccessKeys::AccessKeys() : QObject(qApp)
{
    qApp->installEventFilter(this);
    // Followed once the focus has settled: a window that goes while one of its controls has
    // the focus moves the focus in the middle of its children's deletion.
    connect(qApp, &QApplication::focusChanged, this, [this] { follow(); }, Qt::QueuedConnection);
}

void AccessKeys::install()
{
    if (!s_keys)
        s_keys = new AccessKeys;
}

void AccessKeys::update()
{
    if (s_keys)
        s_keys->follow();
}

QWidget *AccessKeys::activeContext()
{
    QWidget *focus = QApplication::focusWidget();
    QWidget *top = focus ? focus->window() : QApplication::activeWindow();
    if (!top)
        return nullptr;
    if (!qobject_cast<QMainWindow *>(top) || !top->findChild<QMdiArea *>())
        return top;
    // Inside the main window: the window shown inside that holds the focus.
    for (QWidget *w = focus; w && w != top; w = w->parentWidget())
        if (auto *frame = qobject_cast<QMdiSubWindow *>(w))
            return frame->widget();
    return nullptr;
}

QList<QChar> AccessKeys::lettersOf(QWidget *window)
{
    QList<QChar> letters;
    if (!window)
        return letters;
    const auto take = [&](const QString &text) {
        if (const QChar c = letterOf(text); !c.isNull())
            letters << c;
    };
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->isVisibleTo(window) && !insideSubWindow(b, window))
            take(b->text());
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->buddy() && l->isVisibleTo(window) && !insideSubWindow(l, window))
            take(l->text());
    for (QMenuBar *bar : window->findChildren<QMenuBar *>())
        if (bar->isVisibleTo(window) && !insideSubWindow(bar, window))
            for (QAction *a : bar->actions())
                if (a->isVisible())
                    take(a->text());
    return letters;
}

void AccessKeys::follow()
{
    QWidget *context = activeContext();
    QMainWindow *main = mainWindowOf(context ? context : QApplication::activeWindow());
    m_context = context;
    if (!main || !main->findChild<QMdiArea *>())
        return;
    // Letters of a window shown inside count against the main window's own menu bars.
    const QList<QChar> taken = context && context->window() == main ? lettersOf(context) : QList<QChar>();
    for (QMenuBar *bar : main->findChildren<QMenuBar *>()) {
        if (insideSubWindow(bar, main))
            continue;
        for (QAction *a : bar->actions()) {
            QVariant full = a->property(kFullText);
            const QString text = full.isValid() ? full.toString() : a->text();
            const bool yield = taken.contains(letterOf(text));
            if (yield && !full.isValid()) {
                a->setProperty(kFullText, text);
                a->setText(withoutLetter(text));
            } else if (!yield && full.isValid()) {
                a->setProperty(kFullText, QVariant());
                a->setText(text);
            }
        }
    }
}

bool AccessKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (!watched->isWidgetType() || QApplication::activePopupWidget())
        return false;
    // A key event passes through the widgets on its way up; look at it once, where it starts.
    if (watched != QApplication::focusWidget() &&
        !(QApplication::focusWidget() == nullptr && watched == QApplication::activeWindow()))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyPress)
        m_altAlone = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    QWidget *context = activeContext();
    QMenuBar *own = context && context->window() != context ? ownMenuBar(context) : nullptr;
    if (!own)
        return false;
    const bool isAlt = key->key() == Qt::Key_Alt;
    // Escape in the window's own menu bar gives the keys back to where they were.
    if (type == QEvent::KeyPress && watched == own && key->key() == Qt::Key_Escape) {
        own->setActiveAction(nullptr);
        if (m_returnFocus)
            m_returnFocus->setFocus(Qt::MenuBarFocusReason);
        event->accept();
        return true;
    }
    // The main menu bar must not take the Alt that belongs to the window's own menu bar:
    // it learns of a lone Alt from its shortcut override.
    // (A key event goes on up to the parents unless it is accepted.)
    if (type == QEvent::ShortcutOverride && isAlt) {
        event->accept();
        return true;
    }
    const bool altAlone = type == QEvent::KeyRelease && isAlt && m_altAlone;
    const bool f10 = type == QEvent::KeyPress && key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier;
    if (altAlone || f10) {
        m_altAlone = false;
        if (watched != own)
            m_returnFocus = QApplication::focusWidget();
        openFirstMenu(own);
        event->accept();
        return true;
    }
    if (type == QEvent::KeyRelease && isAlt) {
        event->accept();
        return true;
    }
    return false;
}
