#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RecordCursor;
class Timer;

// The draw of the card of the day: the meaning set (3: the card lies reversed) and the
// card, from the program's generator.
struct DayDraw
{
    int set;
    int card;
};
DayDraw drawDayCard();

// The day card's interpretation: the drawn card, upright or turned, with one of its
// three meanings. Its load draws the card, before the laying deals a single back.
class deutTag : public QWidget
{
    Q_OBJECT
public:
    explicit deutTag(QWidget *parent = nullptr);

    QImage im1;                // the work picture: the card as drawn, turned for set 3
    QLabel *Image1 = nullptr;  // the card as shown
    QWidget *Shape1 = nullptr; // its frame
    QPlainTextEdit *Box1 = nullptr;
    RecordCursor *Data1 = nullptr;
    Timer *Timer1 = nullptr;         // 55 ms: positions the cursor once
    QPushButton *Command1 = nullptr; // "Guardar"
    QPushButton *Command2 = nullptr; // "Atrás"

    int meaningSet() const { return m_set; } // 1, 2 or 3 (3: reversed)
    int card() const;

    // Tables and bound field names of the three meaning sets.
    static QString tableOf(int set);
    static QString fieldOf(int set);

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_background;
    int m_set = 1;
};
