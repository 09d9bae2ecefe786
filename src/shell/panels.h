#pragma once

#include <QWidget>

class Backdrop;
class QLabel;
class Timer;

// The shuffle and instruction panel: one line of text that closes itself after a while.
class meld : public QWidget
{
    Q_OBJECT
public:
    explicit meld(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    Timer *Timer1 = nullptr; // 2500 ms, on
    Timer *Timer2 = nullptr; // 2000 ms, off

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    QImage m_background;
};

// The cross reading's question prompt: think of a question, click, and the laying opens.
class einfF : public QWidget
{
    Q_OBJECT
public:
    explicit einfF(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    Timer *Timer1 = nullptr; // 3000 ms, off, no handler
    Timer *Timer2 = nullptr; // 1000 ms, off

public slots:
    void Label1_Click();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QImage m_background;
};
