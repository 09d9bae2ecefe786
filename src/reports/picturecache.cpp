#include "picturecache.h"

#include "reportpicture.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>

namespace {
// No picture is shown narrower than this for want of room.
constexpr qreal kMinWidth = 16;
} // namespace

PictureCache::PictureCache(QObject *parent) : QObject(parent) {}

void PictureCache::install(QTextDocument *doc)
{
    m_shown.clear();
    doc->documentLayout()->registerHandler(QTextFormat::ImageObject, this);
}

QSizeF PictureCache::intrinsicSize(QTextDocument *doc, int posInDocument, const QTextFormat &format)
{
    QSizeF size = ReportPicture::displaySize(doc, format.toImageFormat());
    if (size.isEmpty())
        size = QSizeF(32, 32); // room for the placeholder of a picture that cannot be read
    if (QPaintDevice *device = doc->documentLayout()->paintDevice())
        size *= device->logicalDpiY() / 96.0;

    // A file may ask for a picture many pages wide; it is shown as wide as the page and
    // in its proportions. The file keeps the size it asked for.
    const qreal pageWidth = doc->textWidth();
    if (pageWidth > 0) {
        const QTextBlockFormat block = doc->findBlock(posInDocument).blockFormat();
        const qreal room =
            std::max(kMinWidth, pageWidth - 2 * doc->documentMargin() - block.leftMargin() -
                                    block.rightMargin() - std::max<qreal>(0, block.textIndent()));
        if (size.width() > room)
            size = QSizeF(room, size.height() * room / size.width());
    }
    return size;
}

void PictureCache::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int,
                              const QTextFormat &format)
{
    const QTextImageFormat f = format.toImageFormat();
    if (!ReportPicture::foreignRtf(f).isEmpty()) {
        ReportPicture::paintPlaceholder(painter, rect);
        return;
    }
    const qreal scale = painter->device()->devicePixelRatioF() * painter->transform().m11();
    const QSize pixels = (rect.size() * std::max<qreal>(scale, 0.01)).toSize().expandedTo(QSize(1, 1));

    // Kept whatever its size: a picture too large to keep would be decoded on every
    // repaint, and scrolling past it would crawl.
    Shown &shown = m_shown[f.name()];
    if (shown.pixels != pixels) {
        QImage decoded = ReportPicture::image(doc, f, pixels);
        ++m_decodes;
        if (!decoded.isNull() && decoded.size() != pixels)
            decoded = decoded.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        shown = Shown{pixels, decoded};
    }
    // One that cannot be read, or is too large to decode, shows as the placeholder.
    if (shown.image.isNull())
        ReportPicture::paintPlaceholder(painter, rect);
    else
        painter->drawImage(rect, shown.image);
}
