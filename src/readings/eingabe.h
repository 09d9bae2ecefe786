#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Timer;

// The names input of the relationship reading: the two names, one after the other, in
// the same box; then the shuffling message, and after a short pause the laying opens and
// the interpretation is loaded, hidden, which decides the six cards.
class eingabe : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit eingabe(QWidget *parent = nullptr);

    QLabel *promptLabel = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *firstNameButton = nullptr; // "OK" for the first name
    QPushButton *secondNameButton = nullptr; // "OK" for the second name
    Timer *Timer1 = nullptr;         // 600 ms: the pause before the laying opens

    static QString firstPrompt();
    static QString secondPrompt();
    static QString emptyNameMessage();
    static QString shufflingMessage();

    void Form_Load() override;
    void Form_Unload() override;
    // Closing the names input gives up the reading.
    void closedByFrame() override;

public slots:
    void acceptFirstName();
    void acceptSecondName();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void changeEvent(QEvent *) override;
    void keyPressEvent(QKeyEvent *) override;

private:
    void setPrompt(const QString &text);
    void placeButtons();
    void timerTick();
    // Enter in the box is the "OK" that is there.
    void accept();

    Sky m_background;
};
