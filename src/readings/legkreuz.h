#pragma once

#include "layingtable.h"

// The cross laying: four cards from the heap, then the rest of the backs are gathered
// and the cross opens beside its question sheet.
class legkreuz : public LayingTable
{
    Q_OBJECT
public:
    explicit legkreuz(QWidget *parent = nullptr);

    Timer *Timer5 = nullptr; // 50 ms: gathers the backs after the fourth draw
    Timer *Timer3 = nullptr; // 500 ms: opens the interpretation windows

    static Design design();

protected:
    void loadReading() override;
};
