#pragma once

#include "layingtable.h"

// The day card laying: one card from the heap; two seconds after the draw the
// interpretation takes over.
class legTag : public LayingTable
{
    Q_OBJECT
public:
    explicit legTag(QWidget *parent = nullptr);

    Timer *Timer6 = nullptr; // 30 ms: the prompt, once, after the deal
    Timer *Timer3 = nullptr; // 2000 ms: the end, after the draw

    static Design design();

protected:
    void loadReading() override;
};
