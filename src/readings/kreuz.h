#pragma once

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class RecordCursor;
class Timer;

// The cross: four cards drawn at its load, shown in the shape of a cross, each with the
// meaning of its position held in a hidden box for the question sheet.
class kreuz : public QWidget
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

    static QString tableOf(int position);

public slots:
    void Form_Load();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_background;
};
