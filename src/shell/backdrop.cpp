#include "backdrop.h"

#include <QImageReader>
#include <QPainter>

void paintCovering(QPainter &p, const QRect &area, const QImage &image)
{
    p.fillRect(area, QColor(10, 12, 36));
    if (image.isNull() || area.isEmpty())
        return;
    const QSizeF s = QSizeF(image.size()).scaled(QSizeF(area.size()), Qt::KeepAspectRatioByExpanding);
    const QRectF target(area.x() + (area.width() - s.width()) / 2,
                        area.y() + (area.height() - s.height()) / 2, s.width(), s.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, image);
}

Backdrop::Backdrop(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Backdrop::setPicture(const QString &file)
{
    QImageReader reader(file);
    m_image = reader.read();
    if (m_image.isNull())
        qWarning("orbelle: background %s: %s", qPrintable(file), qPrintable(reader.errorString()));
    update();
}

void Backdrop::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_image);
}
