#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

// A spread that is walked position by position (the Celtic cross, the decision game): its
// cards painted where the spread's design (in twips) puts them, scaled to the widget and
// centred, each with its number in a pill. One position is selected: by a click on its card
// or number, by the arrows and Home/End along the spread's walk, or by its number's key
// (0 for the tenth). The selected card has a bright outline, and a dashed one outside it
// while the spread has the keyboard. A screen reader meets the spread as a canvas named by
// where it stands ("Cruz celta, 3. La base: El Mundo"), its cards as children named by place
// and card, each pressable, and the spread's own actions "Posición siguiente", "Posición
// anterior" and "Posición 1" ….
class SpreadView : public QWidget
{
    Q_OBJECT
public:
    int positions() const { return int(m_walk.size()); }
    int selected() const { return m_selected; }
    void select(int k);

    // The picture of position k as it is drawn, and what it is called: its place and card.
    QImage shownPicture(int k) const;
    QString positionName(int k) const;
    // As painted now, in pixels: the card of position k and its number.
    QRect cardRect(int k) const;
    QRect numberRect(int k) const;
    // The position under a point: the numbers first, then the cards from the top down; 0
    // where there is none.
    int positionAt(const QPoint &pos) const;

    QSize sizeHint() const override;

signals:
    void positionSelected(int k);

protected:
    // `title`: the spread's name for a screen reader; `designTwips`: its size; `walk`: the
    // order the arrows take, its first the position selected at the start; `paintOrder`: the
    // cards from the bottom up.
    SpreadView(const QString &title, const QSize &designTwips, std::vector<int> walk, std::vector<int> paintOrder,
               QWidget *parent);

    // Where the design puts the card of position k, in twips.
    virtual QRect designRect(int k) const = 0;
    // What the spread paints below its cards, and over them and their numbers.
    virtual void paintUnder(QPainter &) {}
    virtual void paintOver(QPainter &) {}
    // The pictures of positions 1 … as they are drawn, and their names.
    void setPictures(std::vector<QImage> pictures, std::vector<QString> names);
    QRectF toPixels(const QRect &twips) const;
    // The caption font at `points` of the design, grown with the spread, never below the
    // smallest readable size.
    QFont captionFont(int points) const;
    double scale() const { return m_scale; }

    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    const QImage &scaledPicture(int k, const QSize &devicePixels) const;

    QString m_title;
    QSize m_design;
    std::vector<int> m_walk;
    std::vector<int> m_paintOrder;
    std::vector<QImage> m_pictures;
    std::vector<QString> m_names;
    mutable std::vector<QImage> m_scaled;
    int m_selected;
    double m_scale = 1.0;
    QPointF m_origin;
};
