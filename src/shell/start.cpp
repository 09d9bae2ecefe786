#include "start.h"

#include "modOrbelle.h"
#include "twips.h"
#include "windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>

Start::Start(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    m_mdi = new QMdiArea(this);
    m_mdi->setBackground(QColor(8, 10, 32));
    setCentralWidget(m_mdi);
    resize(Twips::size(12000, 9000));
}

void Start::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Closing the main window ends the program unless a restart was asked for.
    if (!modOrbelle::keepRunning) {
        WindowRegistry::unloadAll();
        QApplication::quit();
    }
}
