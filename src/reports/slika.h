#pragma once

#include "windows.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RecordCursor;

// The quintessence sheet: the card of a quintessence and its text, to be read and
// written into the report. The four text boxes share one place and start hidden; the
// reading that asks shows the one of its kind: the relationship richtextbox1 ("bezi3"),
// the decision game richtextbox2 ("quintent"), the Celtic cross richtextbox3 ("quintzig").
class slika : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit slika(QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QWidget *Shape1 = nullptr; // the frame the card lies in
    RecordCursor *Data1 = nullptr;
    RecordCursor *Data2 = nullptr;
    RecordCursor *Data3 = nullptr;
    RecordCursor *Data5 = nullptr;
    QPlainTextEdit *richtextbox1 = nullptr; // "bezi3"
    QPlainTextEdit *richtextbox2 = nullptr; // "quintent"
    QPlainTextEdit *richtextbox3 = nullptr; // "quintzig"
    QPlainTextEdit *richtextbox5 = nullptr; // "quintzig"
    QPushButton *exitButton = nullptr;      // "Salír"
    QPushButton *saveButton = nullptr;      // "Guardar"

    // Whose quintessence the sheet shows, and so which of its texts.
    enum class Kind { Relationship, Decision, General };

    // A quintessence q (0 … 21): shown with the given picture and the text of q in the
    // table of its kind (0 is kept in the table's last row); the other boxes are hidden.
    void showQuintessence(int q, const QImage &picture, Kind kind = Kind::Relationship);
    // The box shown now, the one "Guardar" writes; null before a quintessence is shown.
    QPlainTextEdit *shownBox() const;
    // The picture as shown and as the report gets it.
    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    static QString headingPrefix();

    void Form_Load() override;

public slots:
    void closeSheet();
    void save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void placeCard(double scale);
    QImage m_picture;
    QString m_pictureName; // what a screen reader says of the picture
    QPointer<QMdiSubWindow> m_opener;
};
