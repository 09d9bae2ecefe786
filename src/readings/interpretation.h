#pragma once

#include "backdrop.h"
#include "spread.h"
#include "windows.h"

#include <QWidget>

class QPushButton;

// What every interpretation window of a reading shares: the night sky behind it, "Guardar"
// and "Atrás" (made by the windows that have them, placed by each as designed), the way
// back to the main menu by "Atrás" or the frame's close, and an unload that stops its
// timers. The reading it belongs to is the catalogue's entry that lists the window.
class InterpretationWindow : public QWidget, public Loadable
{
    Q_OBJECT
public:
    QPushButton *saveButton = nullptr; // "Guardar"
    QPushButton *backButton = nullptr; // "Atrás"

    // "Atrás": every window of the reading unloaded, the main window idle.
    void leave();
    void closedByFrame() override { leave(); }
    void Form_Unload() override;
    // The reading as laid; the journal records it as the window first shows.
    virtual const Spread &spread() const;

protected:
    InterpretationWindow(WindowId self, const QString &title, QWidget *parent);
    // Makes "Guardar" and "Atrás"; "Guardar" runs save().
    void makeButtons();
    // What "Guardar" writes into the report.
    virtual void save() {}
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;

private:
    WindowId m_self;
    Sky m_background;
};
