#pragma once

#include "interpretation.h"
#include "spread.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class RecordCursor;
class Timer;

// The draw of the card of the day, from the program's generator: the meaning set first
// (3: the card lies reversed), then the card. The day card leaves the run's marks alone.
Spread drawDayCard();

// The day card's interpretation: the drawn card, upright or turned, with one of its
// three meanings. Its load draws the card, before the laying deals a single back.
class deutTag : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit deutTag(QWidget *parent = nullptr);

    QImage im1;                // the work picture: the card as drawn, turned for set 3
    QLabel *Image1 = nullptr;  // the card as shown
    QWidget *Shape1 = nullptr; // its frame
    QLabel *cardNameLabel = nullptr; // its name, " (carta invertida)" when turned
    QPlainTextEdit *Box1 = nullptr;
    RecordCursor *Data1 = nullptr;
    Timer *Timer1 = nullptr; // 55 ms: positions the cursor once

    const Spread &spread() const { return m_spread; }
    int meaningSet() const { return m_spread.meaningSet; } // 1, 2 or 3 (3: reversed)
    int card() const { return m_spread.card(1); }

    // Tables and bound field names of the three meaning sets.
    static QString tableOf(int set);
    static QString fieldOf(int set);

    void Form_Load() override;

protected:
    void resizeEvent(QResizeEvent *e) override;
    // What the user wrote into the box goes into the report with the card.
    void save() override;

private:
    Spread m_spread;
};
