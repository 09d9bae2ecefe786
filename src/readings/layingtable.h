#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class MediaControl;
class Timer;

// The staged table of a reading: 78 face-down backs dealt with a sound, the draw by
// click (or Space/Enter) with its own sound, and the reveal of the drawn card in a slot.
// Which card is drawn is decided by the interpretation window before the deal; a click
// only reveals the next slot.
//
// Each back is drawn by two shapes (an outer rounded frame and, inset by 120 twips, a
// cross-hatched panel) under a transparent click area; the three are kept as the
// windows' controls are: Shape1(i), Shape2(i) and Label1(i).
class LayingTable : public QWidget
{
    Q_OBJECT
public:
    struct Design
    {
        QSize backSize;                     // twips
        const std::array<QPoint, 78> *heap; // left/top of each back, twips
        int dealIntervalMs;
        std::vector<QRect> slotRects;  // Imag(1) … in twips
        std::vector<QRect> frameRects; // Shape3(1) …
        int revealDelayMs;
        bool shrinkTakenLabel; // taken-away back: label shrunk to 1 × 1 instead of hidden
        QString prompt;
        bool multiCard; // draw count, mouse back on after each reveal
    };

    explicit LayingTable(const Design &design, QWidget *parent = nullptr);
    ~LayingTable() override;

    // --- the controls' state, by index ---
    bool backVisible(int i) const { return m_shapeVisible[size_t(i)]; } // Shape1(i) and Shape2(i)
    bool labelVisible(int i) const { return m_labelVisible[size_t(i)]; }
    bool labelShrunk(int i) const { return m_labelShrunk[size_t(i)]; }
    QRect backRect(int i) const; // in pixels
    bool slotVisible(int k) const { return m_slotVisible.at(size_t(k - 1)); }
    QImage slotImage(int k) const { return m_slotImage.at(size_t(k - 1)); }
    void setSlotImage(int k, const QImage &image);

    int dealCount() const { return m_dealCount; }
    bool mayDraw() const { return m_mayDraw; }
    int drawCount() const { return m_drawCount; }
    bool takesMouse() const { return m_mouseOn; }
    const Design &design() const { return m_design; }

    // The back under a point (the topmost click area there), or -1.
    int backAt(const QPoint &pos) const;

    Timer *Timer1 = nullptr;            // deal
    Timer *Timer4 = nullptr;            // reveal
    MediaControl *MMControl1 = nullptr; // draw sound
    MediaControl *MMControl2 = nullptr; // deal sound

    // The back colours of the deck, shared with every other picture of a back.
    static QColor frameColour();
    static QColor panelColour();
    static QColor hatchColour();

public slots:
    // A left click on back i.
    void clickBack(int i);
    // The keyboard's draw: the topmost back still on the table.
    void drawNext();
    void onUnload();

protected:
    // The common load, in order; windows add their own steps around it.
    void loadTable(const std::function<void()> &loadInterpretation);
    // Its steps, for windows that take them in another order.
    void loadBackground();
    void readMusicActive();
    void resetCounters();
    void openSounds();
    // Ticks and steps windows may change.
    virtual void dealTick();
    virtual void dealEnded();
    virtual void drawn(int i);
    virtual void revealed();
    void startMusicIfWanted();
    void playDrawSound();
    void showPrompt(bool closeAfterTwoSeconds);
    void takeAway(int i);
    void setMouseOn(bool on);
    void setMayDraw(bool on) { m_mayDraw = on; }
    void setDealCount(int n) { m_dealCount = n; }
    void setDrawCount(int n) { m_drawCount = n; }
    void setSlotVisible(int k, bool on);
    void showBack(int i);
    void hideBack(int i);

    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void paintBack(QPainter &p, const QRectF &r) const;
    QRectF toPixels(const QRect &twips) const;

    Design m_design;
    QImage m_background;
    std::array<bool, 78> m_shapeVisible{};
    std::array<bool, 78> m_labelVisible{};
    std::array<bool, 78> m_labelShrunk{};
    std::vector<bool> m_slotVisible;
    std::vector<QImage> m_slotImage;
    int m_dealCount = 0;
    int m_drawCount = 0;
    bool m_mayDraw = false;
    bool m_mouseOn = true;
    double m_scale = 1.0;
    QPointF m_origin;
};
