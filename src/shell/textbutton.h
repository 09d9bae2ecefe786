#pragma once

#include <QAbstractButton>

// A label used as a button: text on the window's picture, no frame. It takes the keyboard
// focus (Tab, then Space or Enter), shows where the focus is, and is announced to screen
// readers by its caption. Long captions wrap and shrink to fit the button's area.
class TextButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TextButton(const QString &caption, QWidget *parent = nullptr);

    void setColors(const QColor &text, const QColor &hover);
    // The largest size the caption may be drawn at, in pixels.
    void setMaxPixelSize(int px);
    // The pixel size the caption is drawn at now (fitted to the area).
    int fittedPixelSize() const { return m_fitted; }

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void changeEvent(QEvent *e) override;

private:
    void fit();

    QColor m_text{0xf6, 0xd8, 0x6b};
    QColor m_hover{0xff, 0xf3, 0xc4};
    int m_maxPx = 28;
    int m_fitted = 28;
    bool m_hovered = false;
};
