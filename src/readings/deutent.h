#pragma once

#include "interpretation.h"
#include "spreadview.h"
#include "spread.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

// The seven cards of the decision game as they are laid: a V lying on its side, its point
// on the left. Card 7, at the point, is the background; the upper arm, 3, 1, 5 outwards,
// is the path of doing it, the lower arm, 4, 2, 6, the path of not doing it; 5 and 6 are
// where each leads. Reversed cards lie upside down. A click on a card or its number, or
// the keyboard (arrows, Home, End, 1 … 7), selects a position.
class DecisionSpreadView : public SpreadView
{
    Q_OBJECT
public:
    explicit DecisionSpreadView(QWidget *parent = nullptr);

    static constexpr int kPositions = 7;
    // The order in which arrows and Home/End walk the V: the point, then each arm outwards.
    static constexpr std::array<int, kPositions> kWalk{7, 3, 1, 5, 4, 2, 6};

    // The pictures of positions 1 … 7 as the cards lie, and what each is called for a
    // screen reader: its heading and the card's name.
    void setCards(const std::array<QImage, kPositions> &pictures, const std::array<QString, kPositions> &names);

    // Where each arm's name stands, in pixels: true for "Si lo hago".
    QRect armLabelRect(bool doing) const;

protected:
    QRect designRect(int k) const override;
    // The two paths under the cards, the arms' names over them.
    void paintUnder(QPainter &p) override;
    void paintOver(QPainter &p) override;
};

// The decision game. Its load, run hidden once the decision is given, draws the seven
// orientations and then seven cards no reading of this run has drawn, and puts them into
// the laying's slots. Beside the V stand the decision, the selected position's heading and
// meaning, the card's name ("(invertida)" when it lies reversed) and its keywords as the
// school keeps them; on request the two outcomes side by side. "Quintesencia" shows the
// quintessence of the seven cards; "Guardar" writes the reading, the point first and then
// each path.
class deutEnt : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit deutEnt(QWidget *parent = nullptr);

    DecisionSpreadView *Picture1 = nullptr;
    QLabel *decisionLabel = nullptr;   // the decision asked about
    QStackedWidget *details = nullptr; // one position, or the two outcomes
    QLabel *headingLabel = nullptr;
    QPlainTextEdit *Box1 = nullptr; // what the position means
    QLabel *cardNameLabel = nullptr;
    QPlainTextEdit *Box2 = nullptr; // the card's keywords
    // The two outcomes side by side: 5 (doing it) first, then 6.
    std::array<QLabel *, 2> outcomeHeadings{};
    std::array<QLabel *, 2> outcomeNames{};
    std::array<QPlainTextEdit *, 2> outcomeBoxes{};
    QPushButton *compareButton = nullptr;      // "Comparar desenlaces"
    QPushButton *quintessenceButton = nullptr; // "Quintesencia"
    std::array<QImage, DecisionSpreadView::kPositions> im1;

    const Spread &spread() const { return m_spread; }
    void setDecision(const QString &decision);

    // "Si lo hago", "Si no lo hago", or empty for the point.
    static QString arm(int k);
    // "El trasfondo", "El primer paso", "El camino", "Adónde lleva".
    static QString step(int k);
    // "Si lo hago: el primer paso", "El trasfondo".
    static QString heading(int k);
    // "3. Si lo hago: el primer paso"
    static QString numberedHeading(int k);
    static QString positionText(int k);
    static QString keywords(const Spread &spread, int k);

    void select(int k);
    // Shows the two outcomes side by side, or the selected position again.
    void compareOutcomes(bool on);
    void showQuintessence();
    void setFocusOnSpread();

    void Form_Load() override;

protected:
    // The heading with the decision, then the seven positions, the point first and then
    // each path from its first step to where it leads.
    void save() override;

private:
    Spread m_spread;
};
