#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <array>

class MediaControl;
class QAction;
class QLabel;
class QMouseEvent;
class QPlainTextEdit;
class RecordCursor;
class Timer;

// The free laying board: the whole deck shuffled, dealt face down in an overlapping row
// across the top, and then left to the user. The left button carries a card (or the
// keyword box) anywhere on the board; any other button turns a face-down card on press
// and shows the keywords of a face-up card on release. The board decides the cards
// itself: the k-th card turned is the k-th card of its shuffle, whichever back was
// pressed. With collecting on, every card looked at goes, under a heading with its name,
// picture and keywords, into the report; the line at the foot of the board tells what the
// board did with the last card and whether collecting is on.
//
// By keyboard: Tab and Shift+Tab select the next or previous card (a frame shows which),
// Space or Enter does what the right button does to it, the arrow keys move it a small
// step and Shift with them a large one, kept on the board. With no card selected, Space
// turns the frontmost back. A face-down card is named "Carta boca abajo N de 77" to
// screen readers, a face-up one by its card's name.
//
// The three entries stand side by side across the top like a menu bar, each with its
// access key, and run on to a second line where the board is too narrow for them all.
class frmDrag : public QMainWindow, public Loadable
{
    Q_OBJECT
public:
    explicit frmDrag(QWidget *parent = nullptr);
    ~frmDrag() override;

    static constexpr int kBoxes = 78;
    // The board's client area and a card, in twips.
    static constexpr int kBoardWidth = 11910;
    static constexpr int kBoardHeight = 8340;
    static constexpr int kCardWidth = 1500;
    static constexpr int kCardHeight = 2655;
    // How far the arrow keys move a card, and with Shift, in twips.
    static constexpr int kSmallStep = 120;
    static constexpr int kLargeStep = 1200;

    static QString helpText();
    // Where box i lies when dealt, in twips.
    static QPoint dealtPlace(int i);

    QWidget *board = nullptr; // the surface the items lie on
    std::array<QLabel *, kBoxes> Image1{};
    QPlainTextEdit *Text1 = nullptr;
    RecordCursor *Data1 = nullptr;
    Timer *Timer1 = nullptr;            // 30 ms: the deal
    MediaControl *MMControl1 = nullptr; // the deal sound
    QAction *mnuDeut = nullptr;
    QAction *mnuView = nullptr; // checked while collecting
    QAction *mnuEnd = nullptr;
    QWidget *entries = nullptr;      // the row the entries stand in
    QLabel *statusLabel = nullptr;   // what the board just did, at its foot
    QWidget *focusFrame = nullptr;   // around the card selected by keyboard

    // The card shown on box i as text, empty while the box lies face down.
    QString tag(int i) const { return m_tag[size_t(i)]; }
    const QVector<int> &shuffle() const { return m_shuffle; }
    int dealCount() const { return m_dealCount; }
    int turnCount() const { return m_turnCount; }
    // Where an item (a box or Text1) lies now, in twips of the board.
    QPoint placeOf(const QWidget *item) const;
    // How many board pixels a twip is at the present size.
    double pixelsPerTwip() const;

    void Form_Load() override;
    void Form_Unload() override;

public slots:
    void mnuDeut_Click();
    // Switches collecting on, or off again when it is on.
    void mnuView_Click();
    void mnuEnd_Click();
    // The keyboard's turn: the frontmost face-down card is turned and looked at.
    void turnNext();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    struct Item
    {
        QWidget *widget = nullptr;
        QRectF place; // twips
    };

    void dealTick();
    bool cardKey(int i, QKeyEvent *e);
    void moveCard(int i, QPointF byTwips);
    void frameSelected();
    void nameCard(int i);
    void turn(int i);
    void look(int i);
    void pressed(int index, QMouseEvent *e);
    void moved(QMouseEvent *e);
    void released(int index, QMouseEvent *e);
    void drop(const QPointF &boardPos);
    static void clampToBoard(QRectF &place);
    bool coveredByOtherItem(int dragged, const QPointF &boardPos) const;
    int indexOf(QObject *watched) const; // 0 … 77 for a box, kBoxes for Text1, -1 for none
    void layOut();
    void place(int index);
    void showPicture(int i);
    void writeToReport(int i, int card);
    void say(const QString &text);

    std::array<Item, kBoxes + 1> m_items{};
    std::array<QString, kBoxes> m_tag{};
    std::array<QImage, kBoxes> m_face{};
    QImage m_back;
    QPixmap m_backScaled;
    Sky m_background;
    QVector<int> m_shuffle;
    int m_dealCount = 0;
    int m_turnCount = 0;
    double m_scale = 1.0; // pixels per design pixel
    QPointF m_origin;

    // The item being carried by the left button, the mouse position inside it when the
    // carrying began, and where it lay before.
    int m_dragged = -1;
    int m_selected = -1; // the card with the keyboard focus
    QPointF m_dragOffset;
    QRectF m_dragFrom;

    friend class BoardSurface;
};
