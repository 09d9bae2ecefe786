#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// A background picture of the program folder ("nebo2.jpg", "nebo3.jpg") as a window shows
// it: scaled to cover the window without distortion, centred and cut. Only the cover of
// the size on screen is kept (shared through the pixmap cache by windows of one size); the
// picture itself is read again, straight to the new size, when a window changes size.
class Sky
{
public:
    Sky() = default;
    explicit Sky(const QString &name) : m_name(name) {}

    bool isNull() const { return m_name.isEmpty(); }
    const QString &name() const { return m_name; }
    // The cover of `device` pixels; a null pixmap when the file cannot be read (said once a
    // run on stderr).
    QPixmap cover(const QSize &device) const;
    // Lets the cover go, from the pixmap cache too (a window that is hidden for good).
    void release();

private:
    QString cacheKey(const QSize &device) const;

    QString m_name;
    mutable QPixmap m_cover;
};

// A window's background picture, scaled to cover the whole area without distortion.
class Backdrop : public QWidget
{
    Q_OBJECT
public:
    explicit Backdrop(QWidget *parent = nullptr);
    // A background of the program folder; a missing file leaves a plain night colour.
    void setBackground(const QString &name);
    const Sky &sky() const { return m_sky; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Sky m_sky;
};

// Paints a background into `area`: the sky's cover, or the night colour where there is none.
void paintCovering(QPainter &p, const QRect &area, const Sky &sky);
