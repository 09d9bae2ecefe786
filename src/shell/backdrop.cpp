#include "backdrop.h"

#include "cardpictures.h"
#include "theme.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSet>

QString Sky::cacheKey(const QSize &device) const
{
    return QStringLiteral("orbelle-sky-%1-%2x%3").arg(m_name).arg(device.width()).arg(device.height());
}

QPixmap Sky::cover(const QSize &device) const
{
    if (m_name.isEmpty() || device.isEmpty())
        return QPixmap();
    if (!m_cover.isNull() && m_cover.size() == device)
        return m_cover;
    const QString key = cacheKey(device);
    if (!QPixmapCache::find(key, &m_cover)) {
        const QString file = CardPictures::background(m_name);
        QImage img = CardPictures::decodeCovering(file, device);
        if (img.isNull()) {
            static QSet<QString> told;
            if (!told.contains(file)) {
                told.insert(file);
                qWarning("orbelle: background %s cannot be read", qPrintable(file));
            }
            m_cover = QPixmap();
            return m_cover;
        }
        // Kept in the picture's own three bytes a pixel, not widened to the screen's four.
        m_cover = QPixmap::fromImage(std::move(img), Qt::NoFormatConversion);
        QPixmapCache::insert(key, m_cover);
    }
    return m_cover;
}

void Sky::release()
{
    if (m_cover.isNull())
        return;
    // Another window of this size keeps its own copy; only the cache lets go of it.
    QPixmapCache::remove(cacheKey(m_cover.size()));
    m_cover = QPixmap();
}

void paintCovering(QPainter &p, const QRect &area, const Sky &sky)
{
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    QPixmap cover = sky.cover((QSizeF(area.size()) * dpr).toSize());
    if (cover.isNull()) {
        p.fillRect(area, Theme::night());
        return;
    }
    cover.setDevicePixelRatio(dpr);
    p.drawPixmap(area.topLeft(), cover);
}

Backdrop::Backdrop(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Backdrop::setBackground(const QString &name)
{
    m_sky = Sky(name);
    update();
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_sky);
}
