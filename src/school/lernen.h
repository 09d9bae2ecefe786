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
// keyword text may be rewritten and stored as the user's own, laid over the shipped one in
// the user's database (through a connection of its own), and restored to the original.
class lernen : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit lernen(QWidget *parent = nullptr);
    ~lernen() override;

    static QString unsavedQuestion();
    static QString editingHelp();
    // Asked when another program changed the card's text since the school read it.
    static QString conflictQuestion(int card);
    enum ConflictChoice { StoreMine, KeepTheirs, KeepEditing };

    QLabel *Image1 = nullptr;
    QLabel *nameLabel = nullptr;           // the card's name, bound to Data2
    QPlainTextEdit *Text1 = nullptr;       // the keywords, bound to Data1
    QLabel *numberLabel = nullptr;         // the card's number
    QLabel *Picture1 = nullptr;            // the copy of the picture that goes into the report
    RecordCursor *Data1 = nullptr;         // "Blättern": stichwörter
    RecordCursor *Data2 = nullptr;         // karten
    QPushButton *exitButton = nullptr;     // "Salír"
    QPushButton *nextButton = nullptr;     // "Sigiente"
    QPushButton *previousButton = nullptr; // "Atrás"
    QPushButton *galleryButton = nullptr;  // "Todas las Cartas"
    QPushButton *toViewerButton = nullptr; // "Añadir al Visualizador"
    QPushButton *saveButton = nullptr;     // "Guardar"
    QPushButton *firstButton = nullptr;    // "Primera"
    QPushButton *lastButton = nullptr;     // "Ultima"
    QLabel *ownTextLabel = nullptr;        // "Texto propio": the card shows the user's text
    QPushButton *restoreButton = nullptr;  // "Restaurar el texto original", with an own text
    QMenuBar *menuBar = nullptr;
    QAction *eint = nullptr;    // "Textos"
    QAction *mnuAlle = nullptr; // "Todas las Cartas"

    // The card whose picture is shown, 1 to 78.
    int currentCard() const { return m_card; }
    // Whether the texts can be stored at all (the user's copy is open for writing).
    bool writable() const { return m_writable; }

    void Form_Load() override;
    void Form_Unload() override;
    void closedByFrame() override { exitButton_Click(); }

public slots:
    void exitButton_Click();
    void nextButton_Click();
    void previousButton_Click();
    void galleryButton_Click();
    void toViewerButton_Click();
    void saveButton_Click();
    void firstButton_Click();
    void lastButton_Click();
    void eint_Click();
    void mnuAlle_Click();
    void restoreButton_Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openConnection();
    void goTo(int card);
    void showPicture();
    void placeCard();
    // An unsaved edit is offered for saving before the card changes or the window goes.
    // False when the user wanted it stored and it could not be, or chose "Cancelar" (offered
    // where the user may stay): then nothing may move.
    bool settleEdit(bool mayStay = true);
    // Stores the box's text into the card's row; tells the user when the database refuses.
    bool store();
    // The row changed under the school (another copy of the program wrote it): the user
    // decides whose text stays.
    bool settleConflict();
    // Stores the box's text as the card's own; false with m_lastError when refused.
    bool writeOwnText();
    void showOwnMark();
    void tellStoreFailed(bool leaving);

    QSqlDatabase m_db;
    bool m_ownConnection = false;
    bool m_writable = false;
    int m_card = 1;
    QImage m_picture;
    QWidget *m_cardPlace = nullptr;
    Sky m_background;
    QString m_readOnlyReason; // why nothing can be stored, when so
    QString m_lastError;
    int m_lastCode = 0;
    bool m_unloading = false;
};
