#include "backdrop.h"

#include "cardpictures.h"
#include "theme.h"

#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>

void paintCovering(QPainter &p, const QRect &area, const QImage &image)
{
    if (image.isNull() || area.isEmpty()) {
        p.fillRect(area, Theme::night());
        return;
    }
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QSize device = (QSizeF(area.size()) * dpr).toSize();
    const QString key = QStringLiteral("orbelle-cover-%1-%2x%3")
                            .arg(image.cacheKey())
                            .arg(device.width())
                            .arg(device.height());
    QPixmap scaled;
    if (!QPixmapCache::find(key, &scaled)) {
        // Scaled to cover the area without distortion, centred, cut to the area.
        const QSize s = image.size().scaled(device, Qt::KeepAspectRatioByExpanding);
        const QPoint offset((s.width() - device.width()) / 2, (s.height() - device.height()) / 2);
        scaled = QPixmap::fromImage(
            image.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).copy(QRect(offset, device)));
        scaled.setDevicePixelRatio(dpr);
        QPixmapCache::insert(key, scaled);
    }
    p.drawPixmap(area.topLeft(), scaled);
}

QImage backgroundPicture(const QString &name)
{
    static QHash<QString, QImage> pictures;
    auto it = pictures.find(name);
    if (it == pictures.end()) {
        QImageReader reader(CardPictures::background(name));
        const QImage image = reader.read();
        if (image.isNull())
            qWarning("orbelle: background %s: %s", qPrintable(reader.fileName()),
                     qPrintable(reader.errorString()));
        it = pictures.insert(name, image);
    }
    return *it;
}

Backdrop::Backdrop(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Backdrop::setBackground(const QString &name)
{
    m_image = backgroundPicture(name);
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
