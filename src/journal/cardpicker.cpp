#include "cardpicker.h"

#include "carddatabase.h"
#include "dialogs.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QQueue<std::optional<Spread>> &answers()
{
    static QQueue<std::optional<Spread>> queue;
    return queue;
}

QVector<int> &lastEntered()
{
    static QVector<int> cards;
    return cards;
}
} // namespace

CardPicker::CardPicker(int positions, bool reversible, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Cartas de tu propia baraja"));
    QStringList names;
    for (int card = 1; card <= 78; ++card)
        names << CardDatabase::cardText(QStringLiteral("karten"), card);
    auto *grid = new QGridLayout;
    for (int k = 1; k <= positions; ++k) {
        auto *box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cardBox%1").arg(k));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(names);
        box->setCurrentIndex(-1);
        box->lineEdit()->setPlaceholderText(QStringLiteral("escribe parte del nombre"));
        // Any part of the name finds the card: "torre", "copas".
        box->completer()->setFilterMode(Qt::MatchContains);
        box->completer()->setCompletionMode(QCompleter::PopupCompletion);
        auto *label = new QLabel(QStringLiteral("Posición &%1:").arg(k), this);
        if (k > 9)
            label->setText(QStringLiteral("Posición %1:").arg(k));
        label->setBuddy(box);
        auto *turned = new QCheckBox(QStringLiteral("invertida"), this);
        turned->setObjectName(QStringLiteral("reversedBox%1").arg(k));
        turned->setAccessibleName(QStringLiteral("Posición %1 invertida").arg(k));
        turned->setVisible(reversible);
        grid->addWidget(label, k, 0);
        grid->addWidget(box, k, 1);
        grid->addWidget(turned, k, 2);
        cardBoxes << box;
        reversedBoxes << turned;
    }
    auto *hint = new QLabel(QStringLiteral("Elige, para cada posición, la carta que has sacado de tu baraja."), this);
    hint->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CardPicker::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CardPicker::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

std::optional<Spread> CardPicker::chosen(QString *problem) const
{
    Spread s;
    for (qsizetype k = 0; k < cardBoxes.size(); ++k) {
        const QComboBox *box = cardBoxes[k];
        // What is typed counts, not only what was picked from the list.
        const int index = box->findText(box->currentText().trimmed(), Qt::MatchFixedString);
        QString why;
        if (index < 0)
            why = QStringLiteral("En la posición %1 no hay ninguna carta elegida.").arg(k + 1);
        else if (s.cards().contains(index + 1))
            why = QStringLiteral("La carta %1 está dos veces.").arg(box->itemText(index));
        if (!why.isEmpty()) {
            if (problem)
                *problem = why;
            return std::nullopt;
        }
        s.positions.append({index + 1, !reversedBoxes[k]->isHidden() && reversedBoxes[k]->isChecked()});
    }
    return s;
}

void CardPicker::accept()
{
    QString problem;
    if (!chosen(&problem)) {
        Dialogs::message(this, problem, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    QDialog::accept();
}

bool CardPicker::wanted()
{
    return Settings::get(QStringLiteral("baraja-propia")) == QLatin1String("si");
}

std::optional<Spread> CardPicker::ask(int positions, bool reversible)
{
    std::optional<Spread> result;
    if (Dialogs::answering()) {
        if (!answers().isEmpty())
            result = answers().dequeue();
    } else {
        CardPicker picker(positions, reversible);
        if (picker.exec() == QDialog::Accepted)
            result = picker.chosen();
    }
    lastEntered() = result ? result->cards() : QVector<int>();
    return result;
}

void CardPicker::queueAnswer(const std::optional<Spread> &answer)
{
    answers().enqueue(answer);
}

bool CardPicker::enteredByHand(const Spread &spread)
{
    return !lastEntered().isEmpty() && lastEntered() == spread.cards();
}
