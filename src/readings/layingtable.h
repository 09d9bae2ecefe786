#pragma once

#include "backdrop.h"
#include "windows.h"

#include <QAccessible>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class MediaControl;
class Timer;

// The staged table of every reading: 78 face-down backs dealt with a sound, the prompt
// that asks for the next card, the draw by click (or Space/Enter) with its own sound, the
// reveal of the drawn card in its slot, and the ending — the rest of the backs gathered,
// or a pause — after which the table announces that the cards are laid. Which card is
// drawn is decided by the reading before the deal; a click only reveals the next slot.
//
// A reading describes its table with a Design and reacts to laid(); it does not change
// the table's steps.
class LayingTable : public QWidget, public Loadable
{
    Q_OBJECT
public:
    // A back: its click area, its outer rounded frame and the cross-hatched panel inside
    // the frame (relative to the frame's top left), all in twips.
    struct BackShape
    {
        QSize label;
        QSize frame;
        QRect panel;
    };

    struct Design
    {
        BackShape back;
        const std::array<QPoint, 78> *heap = nullptr; // left/top of each back, twips
        int dealIntervalMs = 30;
        std::vector<QRect> slotRects;  // the slots Imag(1) …, twips
        std::vector<QRect> frameRects; // their frames Shape3(1) …
        int revealDelayMs = 700;
        // A taken-away back keeps its label shrunk to 1 × 1 instead of hiding it.
        bool shrinkTakenLabel = false;

        // The prompt before draw k (1 …); an empty text shows no prompt for that draw.
        std::function<QString(int k)> prompt;
        // The first prompt comes this long after the deal (0: with the deal's end).
        int firstPromptDelayMs = 0;
        // The draws are taken from the first prompt on rather than from the deal's end.
        bool drawsOpenWithPrompt = false;
        // The prompt panel closes this long after the prompt (0: as the panel is designed).
        int promptCloseMs = 0;
        // The prompts after the first come this long after each reveal (0: none).
        int nextPromptDelayMs = 0;
        // The reveal closes the draw sound (the tables with more than one card).
        bool revealClosesSound = true;

        // The ending: with gatherIntervalMs, the backs still there are gathered one a
        // tick from index gatherFrom − 1 down to 0, starting with the last draw, and the
        // cards are laid endPauseMs after the gathering; without it, the cards are laid
        // endPauseMs after the last draw.
        int gatherFrom = 77;
        int gatherIntervalMs = 0;
        int endPauseMs = 0;

        // Every draw asked for by its own prompt: the first half a second after the deal
        // (the draws are open from the deal's end), each next one 300 ms after a reveal;
        // the panel closes as it is designed, and each reveal closes the draw sound.
        void askEachDraw(std::function<QString(int k)> promptOf)
        {
            prompt = std::move(promptOf);
            firstPromptDelayMs = 500;
            drawsOpenWithPrompt = false;
            promptCloseMs = 0;
            nextPromptDelayMs = 300;
            revealClosesSound = true;
        }
    };

    explicit LayingTable(const Design &design, QWidget *parent = nullptr);
    ~LayingTable() override;

    int cardCount() const { return int(m_design.slotRects.size()); }

    // --- the controls' state, by index ---
    bool backVisible(int i) const { return m_shapeVisible[size_t(i)]; } // Shape1(i) and Shape2(i)
    bool labelVisible(int i) const { return m_labelVisible[size_t(i)]; }
    bool labelShrunk(int i) const { return m_labelShrunk[size_t(i)]; }
    QRect backRect(int i) const; // the click area, in pixels
    bool slotVisible(int k) const { return m_slotVisible.at(size_t(k - 1)); }
    QImage slotImage(int k) const { return m_slotImage.at(size_t(k - 1)); }
    // Where slot k's card is drawn, in pixels: its picture fitted into the slot in the
    // picture's own proportion, centred.
    QRect slotCardRect(int k) const;
    // The k-th card: its picture, face down until its reveal, and what a screen reader says
    // of it once it is revealed: its place and name.
    void setSlot(int k, const QImage &image, const QString &name);
    QString slotName(int k) const { return m_slotName.value(k - 1); }

    int dealCount() const { return m_dealCount; }
    bool mayDraw() const { return m_mayDraw; }
    int drawCount() const { return m_drawCount; }
    int gatherCount() const { return m_gather; }
    bool takesMouse() const { return m_mouseOn; }
    const Design &design() const { return m_design; }

    // The back under a point (the topmost click area there), or -1.
    int backAt(const QPoint &pos) const;
    // The back the keyboard draws next (the topmost still on the table), or -1; while the
    // table has the focus and takes a draw, it carries the focus mark.
    int keyboardBack() const;
    bool showsFocusMark() const;

    Timer *Timer1 = nullptr;      // deal
    Timer *Timer4 = nullptr;      // reveal
    Timer *promptTimer = nullptr; // the first prompt, after the deal
    Timer *nextPromptTimer = nullptr;
    Timer *gatherTimer = nullptr;
    Timer *endTimer = nullptr;          // the pause before the cards are laid
    MediaControl *MMControl1 = nullptr; // draw sound
    MediaControl *MMControl2 = nullptr; // deal sound

    // The load: background, the music state, the reading's cards (drawn by the caller
    // into the slots), counters, sounds; then the deal starts.
    void Form_Load() override;
    void Form_Unload() override;
    // Closing the table gives up the reading.
    void closedByFrame() override;

public slots:
    // A left click on back i.
    void clickBack(int i);
    // The keyboard's draw: the topmost back still on the table.
    void drawNext();

signals:
    // Every card is drawn and revealed and the table has ended: the reading goes on.
    void laid();

protected:
    // The reading's own part of the load: its interpretation draws the cards and fills
    // the slots. Runs after the background and the music state, before the deal.
    virtual void loadReading() {}

    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void updateFocusMark();
    void paintFocusMark(QPainter &p, int i) const;
    void dealTick();
    void dealEnded();
    void showPrompt(int k);
    void drawn(int i);
    void revealed();
    void gatherTick();
    void takeAway(int i);
    void setMouseOn(bool on);
    void setSlotVisible(int k, bool on);
    void showBack(int i);
    void hideBack(int i);
    void tellReader(QAccessible::Event what, int child) const;
    void paintBack(QPainter &p, int i) const;
    QRectF toPixels(const QRect &twips) const;
    QRect backArea(int i) const; // frame and click area together, for repaints
    const QImage &slotPicture(size_t k, const QSize &devicePixels) const;

    Design m_design;
    Sky m_background;
    std::array<bool, 78> m_shapeVisible{};
    std::array<bool, 78> m_labelVisible{};
    std::array<bool, 78> m_labelShrunk{};
    std::vector<bool> m_slotVisible;
    std::vector<QImage> m_slotImage;
    QStringList m_slotName;
    // Each slot's picture scaled smoothly to the size it is shown at, made once per size.
    mutable std::vector<QImage> m_slotScaled;
    int m_dealCount = 0;
    int m_drawCount = 0;
    int m_gather = 77;
    bool m_mayDraw = false;
    bool m_mouseOn = true;
    double m_scale = 1.0;
    QPointF m_origin;
};
