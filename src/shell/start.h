#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: a multiple-document frame that hosts the interpretation windows.
class Start : public QMainWindow
{
    Q_OBJECT
public:
    explicit Start(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdi; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QMdiArea *m_mdi = nullptr;
};
