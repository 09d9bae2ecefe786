#pragma once

#include "interpretation.h"
#include "spread.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;

// The question reading sheet of the cross: the four meanings under the headings of
// their positions; writes the reading, with the question, into the report.
class deutf : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit deutf(QWidget *parent = nullptr);

    std::array<QLabel *, 4> headingLabels{}; // the positions' headings
    std::array<QLabel *, 4> numberLabels{};  // the positions' numbers
    std::array<QLabel *, 4> nameLabels{};   // the positions' cards, by name
    std::array<QPlainTextEdit *, 4> Box{};

    // The cross laid: its meanings go into the boxes, and "Guardar" writes it.
    void setSpread(const Spread &spread);
    const Spread &spread() const { return m_spread; }
    // The sheet made the active window inside the main window, the first meaning focused.
    void takeFocus();
    // The meaning of position k (1 … 4) as the report writes it.
    static QString meaningOf(const Spread &spread, int k);

    static QStringList headings();
    static QString questionPrompt();

protected:
    // Asks the question, then writes the reading with the meanings as the card texts hold
    // them, not as edited here; "Cancelar" writes nothing.
    void save() override;

private:
    Spread m_spread;
};
