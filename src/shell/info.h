#pragma once

#include <QWidget>

class QPlainTextEdit;
class QTextEdit;
class QPushButton;
class RecordCursor;

// The info window: the article about tarot or about the program from the card
// database, the contact and credits page, or the music player's help. The caller
// decides which by hiding the other texts.
class info : public QWidget
{
    Q_OBJECT
public:
    explicit info(QWidget *parent = nullptr);

    RecordCursor *Data1 = nullptr;
    QTextEdit *Text1 = nullptr; // the articles, set as paragraphs under a title
    QPlainTextEdit *Text2 = nullptr;
    QPlainTextEdit *Text3 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    static QString creditsText();
    static QStringList playerHelpLines();
    // Addresses the two web buttons open; a button without one stays hidden.
    static QString contactAddress();
    static QString webAddress();

protected:
    void showEvent(QShowEvent *) override;

private:
    void keepButtonsWithoutAddressHidden();
    void setArticleLayout();
    bool m_laying = false;
};
