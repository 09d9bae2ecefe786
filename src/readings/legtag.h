#pragma once

#include "layingtable.h"

// The day card laying: one card from the heap.
class legTag : public LayingTable
{
    Q_OBJECT
public:
    explicit legTag(QWidget *parent = nullptr);

    Timer *Timer6 = nullptr; // 30 ms: the prompt, once, after the deal
    Timer *Timer3 = nullptr; // 2000 ms: the end, after the draw

    static Design design();

public slots:
    void Form_Load();

protected:
    void dealEnded() override;
    void drawn(int i) override;
};
