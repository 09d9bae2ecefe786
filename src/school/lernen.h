#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QSqlDatabase>
#include <QWidget>

class QAction;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class RecordCursor;

// The tarot school: one card at a time with its picture, name and keyword text. The
// keyword text may be rewritten and stored; this is the only window that writes the card
// database, through a connection of its own to the user's copy.
class lernen : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit lernen(QWidget *parent = nullptr);
    ~lernen() override;

    static QString unsavedQuestion();
    static QString editingHelp();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;        // the card's name, bound to Data2
    QPlainTextEdit *Text1 = nullptr; // the keywords, bound to Data1
    QLabel *Label3 = nullptr;        // the card's number
    QLabel *Picture1 = nullptr;      // the copy of the picture that goes into the report
    RecordCursor *Data1 = nullptr;   // "Blättern": stichwörter
    RecordCursor *Data2 = nullptr;   // karten
    QPushButton *Command1 = nullptr; // "Salír"
    QPushButton *Command2 = nullptr; // "Sigiente"
    QPushButton *Command3 = nullptr; // "Atrás"
    QPushButton *Command4 = nullptr; // "Todas las Cartas"
    QPushButton *Command5 = nullptr; // "Añadir al Visualizador"
    QPushButton *Command6 = nullptr; // "Guardar"
    QPushButton *Command7 = nullptr; // "Primera"
    QPushButton *Command8 = nullptr; // "Ultima"
    QMenuBar *menuBar = nullptr;
    QAction *eint = nullptr;    // "Textos"
    QAction *mnuAlle = nullptr; // "Todas las Cartas"

    // The card whose picture is shown, 1 to 78.
    int currentCard() const { return m_card; }
    // Whether the texts can be stored at all (the user's copy is open for writing).
    bool writable() const { return m_writable; }

    void Form_Load() override;
    void Form_Unload() override;
    void closedByFrame() override { Command1_Click(); }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void eint_Click();
    void mnuAlle_Click();

protected:
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openConnection();
    void goTo(int card);
    void showPicture();
    // An unsaved edit is offered for saving before the card changes or the window goes.
    // False when the user wanted it stored and it could not be: then nothing may move.
    bool settleEdit();
    // Stores the box's text into the card's row; tells the user when the database refuses.
    bool store();
    void tellStoreFailed(bool leaving);

    QSqlDatabase m_db;
    bool m_ownConnection = false;
    bool m_writable = false;
    int m_card = 1;
    QImage m_picture;
    Sky m_background;
    QString m_lastError;
    bool m_unloading = false;
};
