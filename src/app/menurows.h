#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenuBar;

// A menu bar whose entries wrap onto a second row under it when the window is too narrow
// for them on one, instead of hiding them behind the bar's "»". The second row is an
// ordinary menu bar the window places right under the first (hidden while not needed).
// The entries keep their order; `fit` is called as the window's width changes.
class MenuRows : public QObject
{
public:
    // The entries are those `bar` holds now.
    MenuRows(QMenuBar *bar, QMenuBar *more);
    ~MenuRows() override;
    // Spreads the entries for a window `room` pixels wide.
    void fit(int room);
    // The entries as the menu has them, over both rows.
    const QList<QAction *> &entries() const { return m_entries; }

private:
    QMenuBar *m_bar;
    QMenuBar *m_more;
    QMenuBar *m_probe;
    QList<QAction *> m_entries;
};
