#pragma once

#include "interpretation.h"
#include "spread.h"

#include <QImage>
#include <QWidget>

#include <array>

class QFocusEvent;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class RecordCursor;
class Timer;

// The cross: four cards drawn at its load (none that a reading of this run has drawn),
// shown in the shape of a cross, each with the meaning of its position held in a hidden
// box and its name in its picture's tooltip. The question sheet gets the spread and names
// the cards.
class kreuz : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit kreuz(QWidget *parent = nullptr);

    // Position k (1 to 4) is index k − 1: im1, Im2, im3, Im4 and their frames.
    std::array<QLabel *, 4> pictures{};
    std::array<QImage, 4> images;
    std::array<QWidget *, 4> Shape4{};
    std::array<RecordCursor *, 4> Data{};
    std::array<QPlainTextEdit *, 4> Box{};
    Timer *Timer1 = nullptr; // 55 ms: positions the four cursors once

    QLabel *im1() const { return pictures[0]; }
    QLabel *Im2() const { return pictures[1]; }
    QLabel *im3() const { return pictures[2]; }
    QLabel *Im4() const { return pictures[3]; }

    const Spread &spread() const { return m_spread; }

    static QString tableOf(int position);

    void Form_Load() override;

protected:
    // The cross holds no control of its own: it takes the focus itself, shows it by a
    // rim, and Tab, Shift+Tab, Enter, Space and Escape hand it on to the question sheet;
    // Ctrl+Tab and Ctrl+F6 to the next window inside the main window.
    void keyPressEvent(QKeyEvent *e) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void toSheet();

    Spread m_spread;
};
