#pragma once

#include "layingtable.h"

// The Celtic cross laying: ten cards from the heap, each asked for by its position; the
// drawn cards appear in a row of ten slots. After the tenth the rest of the backs are
// gathered and the interpretation opens inside the main window.
class legKelt : public LayingTable
{
    Q_OBJECT
public:
    explicit legKelt(QWidget *parent = nullptr);

    Timer *Timer6 = nullptr; // 500 ms: the first prompt, after the deal
    Timer *Timer5 = nullptr; // 300 ms: the next prompt, after each reveal
    Timer *Timer8 = nullptr; // 30 ms: gathers the backs after the tenth draw
    Timer *Timer3 = nullptr; // 500 ms: opens the interpretation

    // The prompt before draw k: "Saque la carta 3 de 10: la base".
    static QString promptFor(int k);
    static Design design();

protected:
    void loadReading() override;
};
