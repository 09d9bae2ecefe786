#pragma once

#include "layingtable.h"

// The decision game's laying: the table shows, the decision is asked for, and only then
// are the seven cards drawn and the backs dealt; each draw is asked for by its position.
// "Cancelar" on the decision puts the table away, nothing drawn, and the main window is
// idle again; shown again, the table asks again.
class legEnt : public LayingTable
{
    Q_OBJECT
public:
    explicit legEnt(QWidget *parent = nullptr);

    // "¿Qué decisión estás pensando tomar?"
    static QString decisionPrompt();
    // The prompt before draw k: "Saque la carta 3 de 7: el primer paso si lo hago".
    static QString promptFor(int k);
    static Design design();

    // The table's load, with its deal held until the decision is given.
    void Form_Load() override;

protected:
    void loadReading() override;
    void showEvent(QShowEvent *e) override;

private:
    void askDecision();

    bool m_decided = false;
    bool m_asking = false;
};
