#pragma once

#include <QImage>
#include <QWidget>

// A window's background picture, scaled to cover the whole area without distortion.
class Backdrop : public QWidget
{
    Q_OBJECT
public:
    explicit Backdrop(QWidget *parent = nullptr);
    // A background of the program folder; a missing file leaves a plain night colour.
    void setBackground(const QString &name);
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_image;
};

// Paints a picture scaled into a widget's background, for windows whose own
// background is the picture. The scaled picture is kept for the next paint of the same
// size, so a window that repaints on every tick does not rescale the sky each time.
void paintCovering(QPainter &p, const QRect &area, const QImage &image);

// A background of the program folder ("nebo2.jpg", "nebo3.jpg"), decoded once a run and
// shared by every window that shows it; a null image when the file cannot be read.
QImage backgroundPicture(const QString &name);
