#pragma once

#include "spread.h"
#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The question reading sheet of the cross: the four meanings under the headings of
// their positions; writes the reading, with the question, into the report.
class deutf : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit deutf(QWidget *parent = nullptr);

    std::array<QLabel *, 4> Label{};  // Label1 … Label4: the headings
    std::array<QLabel *, 4> Label5{}; // the position numbers
    std::array<QPlainTextEdit *, 4> Box{};
    QPushButton *Command1 = nullptr; // "Atrás"
    QPushButton *Command2 = nullptr; // "Guardar"

    // The cross laid: its meanings go into the boxes, and "Guardar" writes it.
    void setSpread(const Spread &spread);
    const Spread &spread() const { return m_spread; }
    // The meaning of position k (1 … 4) as the report writes it.
    static QString meaningOf(const Spread &spread, int k);

    static QStringList headings();
    static QString questionPrompt();
    // Every window of the cross reading unloaded, the main window idle.
    static void goBack();

    // Closing the sheet is "Atrás".
    void closedByFrame() override { goBack(); }

public slots:
    void Command1_Click();
    void Command2_Click();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Spread m_spread;
    Sky m_background;
};
