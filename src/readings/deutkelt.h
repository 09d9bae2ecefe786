#pragma once

#include "interpretation.h"
#include "spread.h"
#include "backdrop.h"
#include "spreadview.h"
#include "windows.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The ten cards of the Celtic cross as they are laid: the cross of six on the left — the
// situation in the middle, the card that crosses it lying a quarter turn across it, the
// base below, the past to the left, the crown above, what comes to the right — and the
// staff of four on the right, from "La actitud" at the foot to the outcome at the top.
// Reversed cards lie upside down. A click on a card or on its number, or the keyboard
// (arrows, Home, End, 1 … 9 and 0 for the tenth), selects a position.
class CelticSpreadView : public SpreadView
{
    Q_OBJECT
public:
    explicit CelticSpreadView(QWidget *parent = nullptr);

    static constexpr int kPositions = 10;

    // The pictures of positions 1 … 10 as the cards lie (turned half a turn when reversed;
    // the crossing card is shown turned a quarter across the situation), and their names.
    void setCards(const std::array<QImage, kPositions> &pictures, const std::array<QString, kPositions> &names);

protected:
    QRect designRect(int k) const override;
};

// The Celtic cross reading. Its load, run hidden while the laying deals, draws the ten
// orientations and then ten cards no reading of this run has drawn, and puts them into
// the laying's slots. Beside the spread stand the selected position's heading, what the
// position means, the card's name ("(carta invertida)" when it lies reversed) and the card's
// keywords as the tarot school keeps them. "Guardar" writes the whole reading, with the
// question when one is given, into the report.
class deutKelt : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit deutKelt(QWidget *parent = nullptr);

    CelticSpreadView *Picture1 = nullptr;                 // the spread
    QLabel *headingLabel = nullptr;                       // the selected position's number and heading
    QPlainTextEdit *Box1 = nullptr;                       // what the position means
    QLabel *cardNameLabel = nullptr;                      // the card's name
    QPlainTextEdit *Box2 = nullptr;                       // the card's keywords
    QPushButton *quintessenceButton = nullptr;            // "Quintesencia": of the ten cards
    std::array<QImage, CelticSpreadView::kPositions> im1; // the pictures as laid

    const Spread &spread() const { return m_spread; }

    // "La situación" … "El desenlace".
    static QString heading(int k);
    // "3. La base"
    static QString numberedHeading(int k);
    static QString positionText(int k);
    // The card's name, followed by " (carta invertida)" when it lies reversed.
    static QString cardName(const Spread &spread, int k);
    static QString keywords(const Spread &spread, int k);

    // Shows position k beside the spread.
    void select(int k);
    void setFocusOnSpread();

    void Form_Load() override;

protected:
    // Asks the question as the cross asks it (none given, the heading has only the date)
    // and writes every position with its card's name and keywords; "Cancelar" writes nothing.
    void save() override;

private:
    Spread m_spread;
};
