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

    // The prompt before draw k: "Saque la carta 3 de 10: la base".
    static QString promptFor(int k);
    static Design design();
    // The table of a laying whose draws are each asked for by `promptOf`: a row of `cards`
    // small slots centred across its top, above the heap. The decision game lays on it too.
    static Design rowTable(int cards, std::function<QString(int k)> promptOf);

protected:
    void loadReading() override;
};
