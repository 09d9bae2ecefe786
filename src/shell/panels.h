#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class Backdrop;
class QLabel;
class Timer;

// The shuffle and instruction panel: one line of text that closes itself after a while.
class meld : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit meld(QWidget *parent = nullptr);

    // The design keeps the panel 2.5 s from its load; a message shown with a time of its
    // own closes that long after it is shown.
    static constexpr int kDesignMs = 2500;
    static constexpr int kShortMs = 2000;

    // Shows the panel with a message. kShortMs switches Timer1 off and Timer2 on, as the
    // readings do; any other time closes the panel that long from now.
    // A screen reader is told the message, unless the caller says it where it stays
    // longer than the panel (say = false).
    void showMessage(const QString &text, int closeAfterMs = kShortMs, bool say = true);
    // Shows the panel with a message and the design's timers as they are.
    void showMessageAsDesigned(const QString &text, bool say = true);
    // Shows the panel with a message that stays until the panel is unloaded.
    void showUntilUnloaded(const QString &text);

    QLabel *messageLabel = nullptr;
    Timer *Timer1 = nullptr; // 2500 ms, on
    Timer *Timer2 = nullptr; // 2000 ms, off

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    Sky m_background;
    QPointer<QWidget> m_keysWereAt; // the active window when the panel showed
};

// The cross reading's question prompt: think of a question, click, and the laying opens.
class einfF : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit einfF(QWidget *parent = nullptr);

    // Closing the prompt is giving up the reading: back to the main menu.
    void closedByFrame() override;

    QLabel *messageLabel = nullptr;
    Timer *Timer1 = nullptr; // 3000 ms, off, no handler
    Timer *Timer2 = nullptr; // 1000 ms, off

public slots:
    void acceptPrompt();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    // The prompt stands over the main window: centred left to right, its lower edge at the
    // middle.
    void showEvent(QShowEvent *e) override;
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Sky m_background;
};
