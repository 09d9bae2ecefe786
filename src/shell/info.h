#pragma once

#include <QWidget>

class QDialog;
class QPlainTextEdit;
class QTextEdit;
class QPushButton;
class RecordCursor;

// The info window: the article about tarot or about the program from the card
// database, the contact and credits page, or the music player's help.
class info : public QWidget
{
    Q_OBJECT
public:
    explicit info(QWidget *parent = nullptr);

    RecordCursor *Data1 = nullptr;
    QTextEdit *Text1 = nullptr; // the articles, set as paragraphs under a title
    QPlainTextEdit *Text2 = nullptr;
    QPlainTextEdit *Text3 = nullptr;
    QPushButton *exitButton = nullptr;
    QPushButton *mailButton = nullptr;
    QPushButton *webButton = nullptr;

    // Row 78 is the article about tarot, row 79 the one about the program.
    static constexpr int kTarotArticle = 78;
    static constexpr int kProgramArticle = 79;

    // Shows the window with one of its three pages.
    void showArticle(int record);
    void showContact();
    void showPlayerHelp();
    // The player's help in a window of its own in front of `owner` (one only; a second
    // call brings it forward). Escape or "Cerrar" close it.
    static QDialog *showPlayerHelpOver(QWidget *owner);

    static QString creditsText();
    static QStringList playerHelpLines();
    // Addresses the two web buttons open; a button without one stays hidden.
    static QString contactAddress();
    static QString webAddress();

protected:
    void showEvent(QShowEvent *) override;

private:
    void showPage(QWidget *page);
    void keepButtonsWithoutAddressHidden();
    void setArticleLayout();
    bool m_laying = false;
};
