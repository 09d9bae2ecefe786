#pragma once

#include "layingtable.h"

// The relationship laying: the two persons draw in turn, three cards each, the first
// person first; each draw reveals the next of six slots. After the sixth the rest of the
// backs are gathered and the interpretation, loaded by the names input, is shown.
class legBez : public LayingTable
{
    Q_OBJECT
public:
    explicit legBez(QWidget *parent = nullptr);

    Timer *Timer6 = nullptr; // 500 ms: the first prompt, after the deal
    Timer *Timer5 = nullptr; // 300 ms: the next prompt, after each reveal
    Timer *Timer8 = nullptr; // 30 ms: gathers the backs after the sixth draw

    // The prompt of draw k: the first person draws cards 1, 3 and 5, the second 2, 4, 6.
    static QString promptFor(int k, const QString &firstName, const QString &secondName);
    static Design design();
};
