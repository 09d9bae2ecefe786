#include "picturecache.h"

#include "reportpicture.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextImageFormat>

namespace {
constexpr int kCacheKiB = 96 * 1024;
}

PictureCache::PictureCache(QObject *parent) : QObject(parent), m_images(kCacheKiB) {}

void PictureCache::install(QTextDocument *doc)
{
    doc->documentLayout()->registerHandler(QTextFormat::ImageObject, this);
}

QSizeF PictureCache::intrinsicSize(QTextDocument *doc, int, const QTextFormat &format)
{
    QSizeF size = ReportPicture::displaySize(doc, format.toImageFormat());
    if (size.isEmpty())
        size = QSizeF(32, 32); // room for the placeholder of a picture that cannot be read
    if (QPaintDevice *device = doc->documentLayout()->paintDevice())
        size *= device->logicalDpiY() / 96.0;
    return size;
}

void PictureCache::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int,
                              const QTextFormat &format)
{
    const QTextImageFormat f = format.toImageFormat();
    const qreal scale = painter->device()->devicePixelRatioF() * painter->transform().m11();
    const QSize pixels = (rect.size() * std::max<qreal>(scale, 0.01)).toSize().expandedTo(QSize(1, 1));
    const QString key = f.name() + QLatin1Char('@') + QString::number(pixels.width()) + QLatin1Char('x') +
                        QString::number(pixels.height());
    QImage *image = m_images.object(key);
    if (!image) {
        QImage decoded = ReportPicture::image(doc, f, pixels);
        ++m_decodes;
        if (!decoded.isNull() && decoded.size() != pixels)
            decoded = decoded.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image = new QImage(decoded);
        const int cost = std::max(1, int(image->sizeInBytes() / 1024));
        if (!m_images.insert(key, image, cost))
            image = nullptr; // larger than the whole cache: drawn once, not kept
        if (!image) {
            painter->drawImage(rect, decoded);
            return;
        }
    }
    if (image->isNull()) {
        painter->save();
        painter->setPen(Qt::gray);
        painter->setBrush(QColor(240, 240, 240));
        painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
        return;
    }
    painter->drawImage(rect, *image);
}
