#pragma once

#include <QImage>
#include <QWidget>

// A window's background picture, scaled to cover the whole area without distortion.
class Backdrop : public QWidget
{
    Q_OBJECT
public:
    explicit Backdrop(QWidget *parent = nullptr);
    // Loads the picture; a missing file leaves a plain night colour.
    void setPicture(const QString &file);
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_image;
};

// Paints a picture scaled into a widget's background, for windows whose own
// background is the picture.
void paintCovering(QPainter &p, const QRect &area, const QImage &image);
