#pragma once

#include <QAbstractButton>

#include "theme.h"

class QAction;

// A label used as a button: text on the window's picture, no frame. It takes the keyboard
// focus (Tab, then Space or Enter), shows where the focus is, and is announced to screen
// readers by its caption. Long captions wrap and shrink to fit the button's area.
class TextButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TextButton(const QString &caption, QWidget *parent = nullptr);

    // The command the button gives: a click triggers it, and the button is enabled
    // exactly when it is. The caption stays the button's own.
    void setAction(QAction *action);
    QAction *action() const { return m_action; }

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

    QAction *m_action = nullptr;
    QColor m_text = Theme::caption();
    QColor m_hover = Theme::captionHover();
    int m_maxPx = 28;
    int m_fitted = 28;
    bool m_hovered = false;
};
