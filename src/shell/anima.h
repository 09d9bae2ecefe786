#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QWidget>

#include <array>

class MediaControl;
class QLabel;
class Timer;

// The intro: a fan of eleven cards dealt one by one, then the title, with music; then the
// main window. The start-up has opened the card database and checked the deck before.
class anima : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit anima(QWidget *parent = nullptr);

    std::array<QLabel *, 11> Image1{};
    std::array<QWidget *, 11> Shape1{};
    QLabel *Image2 = nullptr;
    MediaControl *MMControl1 = nullptr;
    Timer *Timer1 = nullptr; // 200 ms: deals the next card
    Timer *Timer2 = nullptr; // 1000 ms: the title replaces the fan
    Timer *Timer3 = nullptr; // 1000 ms: ends the intro
    Timer *Timer4 = nullptr; // 300 ms: starts the music
    Timer *Timer5 = nullptr; // 500 ms: on from the load, no action

    int dealCount() const { return m_count; }
    // False when a picture of the fan could not be read.
    bool loaded() const { return m_loaded; }

    // The pictures the fan shows, in order (the number 10 is not among them).
    static constexpr std::array<int, 11> kCards{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12};

public slots:
    void skip();
    void Form_Unload() override;
    // Closing the intro skips it.
    void closedByFrame() override { skip(); }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handOver();
    void showCard(size_t k); // decoded on first showing
    void makeTitle();        // drawn on first showing

    Sky m_background;
    int m_count = 0;
    bool m_loaded = false;
    bool m_titleMade = false;
    std::array<bool, 11> m_unreadable{};
};
