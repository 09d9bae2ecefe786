#include "reportpicture.h"

#include <QAtomicInteger>
#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QVariant ClosedDocument::loadResource(int, const QUrl &)
{
    return QByteArray(); // not null: Qt looks no further
}

namespace ReportPicture {

const QString kUnavailable = QStringLiteral("Imagen no disponible");

namespace {

// Where a placeholder keeps the file's picture group. The format carries it rather
// than a resource, so it goes wherever the picture is copied, cut and pasted.
constexpr int kForeignRtfProperty = QTextFormat::UserProperty + 0x52;
// The placeholder's printed form is drawn at most this large; it is only a frame and a
// line of text.
constexpr int kPlaceholderPixels = 1024;

QString newName()
{
    // Names only have to be unique within a document; one counter for the process
    // also keeps them apart when a fragment moves from one document to another.
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("rtfpic:%1").arg(++counter);
}

QVariant resourceOf(const QTextDocument *doc, const QTextImageFormat &format)
{
    if (!doc || format.name().isEmpty())
        return {};
    return doc->resource(QTextDocument::ImageResource, QUrl(format.name()));
}

QSizeF fitted(QSizeF requested, QSize natural)
{
    if (requested.width() > 0 && requested.height() > 0)
        return requested;
    if (!natural.isValid() || natural.isEmpty())
        return requested;
    if (requested.width() > 0)
        return QSizeF(requested.width(), requested.width() * natural.height() / natural.width());
    if (requested.height() > 0)
        return QSizeF(requested.height() * natural.width() / natural.height(), requested.height());
    return QSizeF(natural);
}

bool insert(QTextCursor &cursor, const QVariant &resource, QSize natural, QSizeF displaySize,
            const QByteArray &foreign = {})
{
    QTextDocument *doc = cursor.document();
    if (!doc)
        return false;
    const QSizeF size = fitted(displaySize, natural);
    const QString name = newName();
    doc->addResource(QTextDocument::ImageResource, QUrl(name), resource);

    // The picture sits in the line with the text format of the insertion point, so the
    // line keeps its height; the text after it goes on in that same format.
    const QTextCharFormat textFormat = withoutPicture(cursor.charFormat());
    QTextImageFormat picture;
    picture.merge(textFormat);
    picture.setObjectType(QTextFormat::ImageObject);
    picture.setName(name);
    picture.setWidth(size.width());
    picture.setHeight(size.height());
    if (!foreign.isEmpty())
        picture.setProperty(kForeignRtfProperty, foreign);
    cursor.insertImage(picture);
    cursor.setCharFormat(textFormat);
    return true;
}

} // namespace

Encoding encodingOf(const QByteArray &bytes)
{
    if (bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 && uchar(bytes[2]) == 0xFF)
        return Encoding::Jpeg;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return Encoding::Png;
    return Encoding::None;
}

bool withinBudget(QSize pixels)
{
    return pixels.isValid() && !pixels.isEmpty() && qint64(pixels.width()) * pixels.height() <= kMaxPixels;
}

bool readFile(const QString &path, QByteArray *bytes, QString *why)
{
    const auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    // Opened without waiting (a pipe would wait for a writer) and looked at before
    // anything is read: a device or a pipe never ends.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("No se pudo abrir el archivo."));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("No es un archivo de imagen."));
    }
    if (st.st_size > kMaxFileBytes) {
        ::close(fd);
        return fail(QStringLiteral("El archivo es demasiado grande."));
    }
    QByteArray out(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(fd, out.data() + done, size_t(out.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the file shrank meanwhile: what is there
        done += n;
    }
    ::close(fd);
    out.truncate(done);
    *bytes = out;
    return true;
}

QSize encodedSize(const QByteArray &bytes)
{
    const Encoding e = encodingOf(bytes);
    if (e == Encoding::None)
        return {};
    QByteArray copy = bytes; // shares the data; QBuffer wants a non-const array
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, e == Encoding::Jpeg ? "jpeg" : "png");
    const QSize size = reader.size();
    return size.isValid() && !size.isEmpty() ? size : QSize();
}

bool insertImage(QTextCursor &cursor, const QImage &image, QSizeF displaySize)
{
    if (image.isNull())
        return false;
    return insert(cursor, image, image.size(), displaySize);
}

bool insertEncoded(QTextCursor &cursor, const QByteArray &bytes, QSizeF displaySize)
{
    const QSize natural = encodedSize(bytes);
    if (!natural.isValid())
        return false;
    return insert(cursor, bytes, natural, displaySize);
}

bool insertForeign(QTextCursor &cursor, const QByteArray &rtfGroup, QSizeF displaySize)
{
    if (rtfGroup.isEmpty() || displaySize.isEmpty())
        return false;
    // The resource is what printing and PDF export draw (they go through Qt's own
    // picture handler): the placeholder itself, rendered once.
    const QSize pixels =
        displaySize.scaled(QSizeF(kPlaceholderPixels, kPlaceholderPixels), Qt::KeepAspectRatio)
            .boundedTo(displaySize * 2)
            .toSize()
            .expandedTo(QSize(1, 1));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintPlaceholder(&p, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    return insert(cursor, image, pixels, displaySize, rtfGroup);
}

QString description(const QTextImageFormat &format)
{
    return format.stringProperty(QTextFormat::ImageAltText);
}

void describeBefore(const QTextCursor &cursor, const QString &text)
{
    const int at = cursor.position();
    if (at < 1)
        return;
    QTextCursor c(cursor.document());
    c.setPosition(at - 1);
    c.setPosition(at, QTextCursor::KeepAnchor); // charFormat(): the character before `at`
    if (c.selectedText() != QString(QChar::ObjectReplacementCharacter) || !c.charFormat().isImageFormat())
        return;
    QTextImageFormat described = c.charFormat().toImageFormat();
    described.setProperty(QTextFormat::ImageAltText, text);
    c.setCharFormat(described);
}

QByteArray foreignRtf(const QTextImageFormat &format)
{
    return format.property(kForeignRtfProperty).toByteArray();
}

void paintPlaceholder(QPainter *painter, const QRectF &rect)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(QColor(128, 128, 128), 0));
    painter->setBrush(QColor(240, 240, 240));
    painter->drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    // The words fill at most the frame's width, never grow beyond 12 points, and go
    // when the frame is too small to hold them legibly.
    QFont font = painter->font();
    font.setPointSizeF(12);
    const QFontMetricsF metrics(font);
    const qreal fit = (rect.width() - 8) / std::max<qreal>(1, metrics.horizontalAdvance(kUnavailable));
    if (fit < 1)
        font.setPointSizeF(12 * fit);
    if (font.pointSizeF() >= 4 && rect.height() >= QFontMetricsF(font).height()) {
        painter->setFont(font);
        painter->setPen(QColor(96, 96, 96));
        painter->drawText(rect, Qt::AlignCenter, kUnavailable);
    }
    painter->restore();
}

QByteArray encodedBytes(const QTextDocument *doc, const QTextImageFormat &format, Encoding *encoding)
{
    const QVariant r = resourceOf(doc, format);
    if (r.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = r.toByteArray();
        *encoding = encodingOf(bytes);
        if (*encoding != Encoding::None)
            return bytes;
    }
    *encoding = Encoding::None;
    return {};
}

QSize pixelSize(const QTextDocument *doc, const QTextImageFormat &format)
{
    const QVariant r = resourceOf(doc, format);
    switch (r.userType()) {
    case QMetaType::QImage:
        return r.value<QImage>().size();
    case QMetaType::QPixmap:
        return r.value<QPixmap>().size();
    case QMetaType::QByteArray: {
        QByteArray bytes = r.toByteArray();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return QImageReader(&buffer).size(); // the header only
    }
    default:
        return {};
    }
}

QImage image(const QTextDocument *doc, const QTextImageFormat &format, QSize maxSize)
{
    const QVariant r = resourceOf(doc, format);
    QImage img;
    switch (r.userType()) {
    case QMetaType::QImage:
        img = r.value<QImage>();
        break;
    case QMetaType::QPixmap:
        img = r.value<QPixmap>().toImage();
        break;
    case QMetaType::QByteArray: {
        QByteArray bytes = r.toByteArray();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QSize natural = reader.size();
        if (!withinBudget(natural))
            return {};
        if (maxSize.isValid() && (natural.width() > maxSize.width() || natural.height() > maxSize.height()))
            reader.setScaledSize(natural.scaled(maxSize, Qt::KeepAspectRatio));
        return reader.read();
    }
    default:
        return {};
    }
    if (maxSize.isValid() && !img.isNull() &&
        (img.width() > maxSize.width() || img.height() > maxSize.height()))
        img = img.scaled(maxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return img;
}

QSizeF displaySize(const QTextDocument *doc, const QTextImageFormat &format)
{
    const QSizeF requested(format.hasProperty(QTextFormat::ImageWidth) ? format.width() : 0,
                           format.hasProperty(QTextFormat::ImageHeight) ? format.height() : 0);
    if (requested.width() > 0 && requested.height() > 0)
        return requested;
    return fitted(requested, pixelSize(doc, format));
}

QTextCharFormat withoutPicture(QTextCharFormat format)
{
    for (int p : {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
                  int(QTextFormat::ImageHeight), int(QTextFormat::ImageQuality), int(QTextFormat::ImageTitle),
                  int(QTextFormat::ImageAltText), kForeignRtfProperty})
        format.clearProperty(p);
    return format;
}

int fitToWidth(QTextDocument *doc, qreal width)
{
    struct Fit
    {
        int position;
        int length;
        QTextImageFormat format;
    };
    // Collected first: changing a format joins and splits the fragments being walked.
    std::vector<Fit> fits;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        const qreal room = std::max<qreal>(16, width - bf.leftMargin() - bf.rightMargin() -
                                                   std::max<qreal>(0, bf.textIndent()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat f = fragment.charFormat().toImageFormat();
            const QSizeF shown = displaySize(doc, f);
            if (shown.width() <= room)
                continue;
            f.setWidth(room);
            f.setHeight(shown.height() * room / shown.width());
            fits.push_back({fragment.position(), fragment.length(), f});
        }
    }
    QTextCursor c(doc);
    for (const Fit &fit : fits) {
        c.setPosition(fit.position);
        c.setPosition(fit.position + fit.length, QTextCursor::KeepAnchor);
        c.setCharFormat(fit.format);
    }
    return int(fits.size());
}

void decodeForPrinting(QTextDocument *doc, qreal dotsPerPixel)
{
    // The largest size each picture is printed at.
    QHash<QString, std::pair<QTextImageFormat, QSizeF>> printed;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat() || !foreignRtf(f.toImageFormat()).isEmpty())
                continue; // a placeholder's resource is its printed form already
            const QTextImageFormat image = f.toImageFormat();
            const QSizeF size = displaySize(doc, image) * dotsPerPixel;
            auto &entry = printed[image.name()];
            entry.first = image;
            entry.second = entry.second.expandedTo(size);
        }
    }
    for (auto it = printed.cbegin(); it != printed.cend(); ++it) {
        const QVariant r = resourceOf(doc, it.value().first);
        if (r.userType() == QMetaType::QImage)
            continue;
        const QSize size = it.value().second.toSize().expandedTo(QSize(1, 1));
        QImage img = image(doc, it.value().first, size);
        if (img.isNull()) {
            img = QImage(size.boundedTo(QSize(kPlaceholderPixels, kPlaceholderPixels)),
                         QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            paintPlaceholder(&p, QRectF(QPointF(0, 0), QSizeF(img.size())));
        }
        doc->addResource(QTextDocument::ImageResource, QUrl(it.key()), img);
    }
}

void copyResources(const QTextDocument *from, QTextDocument *to)
{
    for (QTextBlock b = to->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl url(f.toImageFormat().name());
            const QVariant r = from->resource(QTextDocument::ImageResource, url);
            if (r.isValid())
                to->addResource(QTextDocument::ImageResource, url, r);
        }
    }
}

} // namespace ReportPicture
