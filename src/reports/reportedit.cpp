#include "reportedit.h"

#include "dialogs.h"
#include "reportpicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>

#include <utility>
#include <vector>

namespace {

// %1: "del portapapeles" or the file's name in quotes.
const QString kTooLarge =
    QStringLiteral("La imagen %1 es demasiado grande (más de %2 megapíxeles) y no se pegó.");
const QString kFromClipboard = QStringLiteral("del portapapeles");
const QString kUnreadable = QStringLiteral("No se pudo pegar la imagen «%1».\n%2");

// What the viewer copies: the fragment itself with its pictures, for a paste within the
// program, and its text and HTML for other programs.
class ReportMime : public QMimeData
{
public:
    QTextDocumentFragment fragment;
    std::vector<std::pair<QUrl, QVariant>> resources;

    QStringList formats() const override
    {
        return {QStringLiteral("text/html"), QStringLiteral("text/plain")};
    }

protected:
    QVariant retrieveData(const QString &mime, QMetaType) const override
    {
        if (mime == QLatin1String("text/plain"))
            return fragment.toPlainText();
        if (mime == QLatin1String("text/html"))
            return fragment.toHtml();
        return {};
    }
};

template <typename Visit>
void eachPicture(const QTextDocument &doc, Visit visit)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                visit(it.fragment());
        }
    }
}

// HTML read into a document of its own that fetches nothing, without its pictures and
// links.
std::unique_ptr<QTextDocument> fromHtml(const QString &html)
{
    auto doc = std::make_unique<ClosedDocument>();
    doc->setHtml(html);
    std::vector<std::pair<int, int>> pictures;
    eachPicture(*doc,
                [&pictures](const QTextFragment &f) { pictures.emplace_back(f.position(), f.length()); });
    QTextCursor c(doc.get());
    for (auto it = pictures.rbegin(); it != pictures.rend(); ++it) {
        c.setPosition(it->first);
        c.setPosition(it->first + it->second, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    c.select(QTextCursor::Document);
    QTextCharFormat noLink;
    noLink.setAnchor(false);
    noLink.setAnchorHref(QString());
    c.mergeCharFormat(noLink);
    return doc;
}

} // namespace

ReportEdit::ReportEdit(QWidget *parent) : QTextEdit(parent) {}

QVariant ReportEdit::loadResource(int, const QUrl &)
{
    return QByteArray(); // not null: the document looks no further
}

QMimeData *ReportEdit::createMimeDataFromSelection() const
{
    auto *mime = new ReportMime;
    mime->fragment = textCursor().selection();
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(mime->fragment);
    eachPicture(copy, [this, mime](const QTextFragment &f) {
        const QUrl name(f.charFormat().toImageFormat().name());
        const QVariant r = document()->resource(QTextDocument::ImageResource, name);
        if (r.isValid())
            mime->resources.emplace_back(name, r);
    });
    return mime;
}

bool ReportEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasHtml() || source->hasImage() || source->hasUrls();
}

void ReportEdit::insertFromMimeData(const QMimeData *source)
{
    QTextCursor c = textCursor();
    if (const auto *own = dynamic_cast<const ReportMime *>(source)) {
        for (const auto &[name, resource] : own->resources)
            document()->addResource(QTextDocument::ImageResource, name, resource);
        c.insertFragment(own->fragment);
    } else {
        std::unique_ptr<QTextDocument> html;
        if (source->hasHtml())
            html = fromHtml(source->html());
        if (html && !html->toPlainText().trimmed().isEmpty())
            c.insertFragment(QTextDocumentFragment(html.get()));
        else if (insertPictureData(source) || (source->hasUrls() && insertPictureFiles(source->urls())))
            return;
        else if (source->hasText())
            c.insertText(source->text());
        else
            return;
    }
    setTextCursor(c);
    ensureCursorVisible();
}

bool ReportEdit::insertPictureData(const QMimeData *source)
{
    // The encoded bytes when there are any: their size is known before they are decoded.
    const QStringList formats = source->formats();
    QStringList pictures;
    for (const char *preferred : {"image/png", "image/jpeg"}) {
        if (formats.contains(QLatin1String(preferred)))
            pictures << QLatin1String(preferred);
    }
    for (const QString &f : formats) {
        if (f.startsWith(QLatin1String("image/")) && !pictures.contains(f))
            pictures << f;
    }
    for (const QString &f : pictures) {
        const QByteArray bytes = source->data(f);
        if (!bytes.isEmpty())
            return insertPicture(bytes, kFromClipboard);
    }
    if (!source->hasImage())
        return false;
    // A picture of this program, decoded already.
    const QImage image = qvariant_cast<QImage>(source->imageData());
    if (!ReportPicture::withinBudget(image.size())) {
        refuse(kTooLarge.arg(kFromClipboard).arg(ReportPicture::kMaxPixels / 1000000));
        return true;
    }
    QTextCursor c = textCursor();
    if (ReportPicture::insertImage(c, image))
        setTextCursor(c);
    return true;
}

bool ReportEdit::insertPictureFiles(const QList<QUrl> &urls)
{
    QList<QString> files;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            return false;
        files << url.toLocalFile();
    }
    for (const QString &file : files) {
        QByteArray bytes;
        QString why;
        if (!ReportPicture::readFile(file, &bytes, &why)) {
            refuse(kUnreadable.arg(QFileInfo(file).fileName(), why));
            continue;
        }
        if (!insertPicture(bytes, QStringLiteral("«%1»").arg(QFileInfo(file).fileName())))
            refuse(kUnreadable.arg(QFileInfo(file).fileName(), QStringLiteral("No es una imagen.")));
    }
    return true;
}

// Bytes of a picture in any format Qt reads: JPEG and PNG are kept as they are, others
// decoded once. False when they are no picture.
bool ReportEdit::insertPicture(const QByteArray &bytes, const QString &name)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid())
        return false;
    if (!ReportPicture::withinBudget(size)) {
        refuse(kTooLarge.arg(name).arg(ReportPicture::kMaxPixels / 1000000));
        return true;
    }
    QTextCursor c = textCursor();
    if (ReportPicture::insertEncoded(c, bytes) || ReportPicture::insertImage(c, reader.read())) {
        setTextCursor(c);
        return true;
    }
    return false;
}

void ReportEdit::refuse(const QString &why)
{
    Dialogs::message(this, why, QMessageBox::Ok, QMessageBox::Warning);
}
