#include "menurows.h"

#include <QMenuBar>

MenuRows::MenuRows(QMenuBar *bar, QMenuBar *more)
    : QObject(bar), m_bar(bar), m_more(more), m_probe(new QMenuBar), m_entries(bar->actions())
{
    // The probe is no window's child, so a screen reader never meets it.
    m_probe->hide();
    m_more->hide();
}

MenuRows::~MenuRows()
{
    delete m_probe;
}

void MenuRows::fit(int room)
{
    // Each entry's width as a menu bar draws it, measured on a hidden bar of the same font:
    // the first row takes what fits, the second the rest.
    m_probe->setFont(m_bar->font());
    const int empty = m_probe->sizeHint().width();
    QList<QAction *> first, second;
    int used = empty;
    for (QAction *a : m_entries) {
        if (!a->isVisible()) {
            (second.isEmpty() ? first : second) << a;
            continue;
        }
        m_probe->addAction(a);
        const int w = m_probe->sizeHint().width() - empty;
        m_probe->removeAction(a);
        if (second.isEmpty() && used + w <= room) {
            first << a;
            used += w;
        } else {
            second << a;
        }
    }
    if (m_bar->actions() != first) {
        for (QAction *a : m_entries) {
            m_bar->removeAction(a);
            m_more->removeAction(a);
        }
        m_bar->addActions(first);
        m_more->addActions(second);
    }
    m_more->setVisible(!second.isEmpty());
}
