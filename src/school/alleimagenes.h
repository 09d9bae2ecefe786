#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class RecordCursor;

// All 78 cards at once, six rows of thirteen. Pressing a card shows its keywords in a box
// beside it; the right button opens the popup that leads back to the main window, and so
// do "Cerrar" under the cards and Escape.
class alleImagenes : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit alleImagenes(QWidget *parent = nullptr);

    std::array<QLabel *, 78> Image1{}; // index i shows card i + 1
    QPlainTextEdit *Text1 = nullptr;   // keywords of the card last pressed
    RecordCursor *Data1 = nullptr;     // stichwörter, on the shared connection
    QPushButton *closeButton = nullptr; // "Cerrar": back to the main menu
    // The name of the card under the mouse, or else of the card with the focus: the cards
    // are too small here for the names on their bands to be read.
    QLabel *nameLabel = nullptr;

    // Opens the gallery centred on the screen, at the desktop's scale.
    void showGallery();
    // A press of any button on card index i.
    void cardPressed(int index);

    // Where the keyword box stands, in design twips.
    QRect boxDesign() const { return m_box; }
    // A design rectangle (twips) as placed in the window at its present size.
    QRect placed(const QRect &twips) const;
    // The size the card pictures were decoded at, in device pixels.
    QSize pictureSize() const { return m_pictureSize; }

    void Form_Load() override;
    // Closing the gallery is going back to the main menu, as its popup does.
    void closedByFrame() override;

protected:
    void resizeEvent(QResizeEvent *) override;
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The card with the keyboard focus, or -1.
    int focusedCard() const;
    // A key on card index i: arrows, Home and End move the focus, Enter and Space press.
    bool cardKey(int index, const QKeyEvent *key);
    void layoutControls();
    int buttonStrip() const;
    void loadPictures(const QSize &size);
    void showName(int index);

    QRect m_box;
    QSize m_pictureSize;
    Sky m_background;
    double m_scale = 1.0;
    QPointF m_origin;
};
