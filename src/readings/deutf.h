#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The question reading sheet of the cross: the four meanings under the headings of
// their positions; writes the reading, with the question, into the report.
class deutf : public QWidget
{
    Q_OBJECT
public:
    explicit deutf(QWidget *parent = nullptr);

    std::array<QLabel *, 4> Label{};  // Label1 … Label4: the headings
    std::array<QLabel *, 4> Label5{}; // the position numbers
    std::array<QPlainTextEdit *, 4> Box{};
    QPushButton *Command1 = nullptr; // "Atrás"
    QPushButton *Command2 = nullptr; // "Guardar"

    static QStringList headings();
    static QString questionPrompt();

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};
