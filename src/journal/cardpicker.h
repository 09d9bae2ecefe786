#pragma once

#include "spread.h"

#include <QDialog>
#include <QVector>

#include <optional>

class QCheckBox;
class QComboBox;

// The cards of a reading laid with one's own deck, entered by hand: for each position the
// card, found by typing any part of its name, and whether it lies reversed. The reading
// then goes on with them as if they had been drawn.
class CardPicker : public QDialog
{
    Q_OBJECT
public:
    CardPicker(int positions, bool reversible, QWidget *parent = nullptr);

    QVector<QComboBox *> cardBoxes;
    QVector<QCheckBox *> reversedBoxes;

    // The cards chosen, or why they cannot be taken (a card twice, a name of no card).
    std::optional<Spread> chosen(QString *problem = nullptr) const;
    void accept() override;

    // Whether the readings ask for the cards (the option "baraja-propia").
    static bool wanted();
    // Asks for the cards of `positions` positions; nothing when the user cancels. Tests
    // answer in advance (queueAnswer), as they do the program's other dialogs.
    static std::optional<Spread> ask(int positions, bool reversible);
    static void queueAnswer(const std::optional<Spread> &answer);
    // Whether these cards are the ones entered by hand last.
    static bool enteredByHand(const Spread &spread);
};
