#include "reportedit.h"

#include "dialogs.h"
#include "reportpicture.h"
#include "rtfreader.h"

#include <QAccessibleWidget>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollBar>
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
    // Where, from the selection's start, a paragraph read in parts goes on in its next
    // block: the plain text has no line break there.
    std::vector<qsizetype> joins;

    QStringList formats() const override
    {
        return {QStringLiteral("text/html"), QStringLiteral("text/plain")};
    }

protected:
    QVariant retrieveData(const QString &mime, QMetaType) const override
    {
        if (mime == QLatin1String("text/plain"))
            return plainText();
        if (mime == QLatin1String("text/html"))
            return fragment.toHtml();
        return {};
    }

private:
    QString plainText() const
    {
        QString text = fragment.toPlainText();
        if (joins.empty())
            return text;
        QString out;
        out.reserve(text.size());
        qsizetype from = 0;
        for (const qsizetype at : joins) {
            if (at < from || at >= text.size())
                continue;
            out += QStringView(text).mid(from, at - from);
            from = at + 1;
        }
        out += QStringView(text).mid(from);
        return out;
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

// What a screen reader reads of the report: its text with each picture's description
// where the picture stands ("Imagen" for one without), so a report reads as its cards
// rather than as object marks. Offsets are those of that text, mapped to the document's.
class ReportAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ReportAccessible(QTextEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.multiLine = true;
        s.selectableText = true;
        s.readOnly = edit()->isReadOnly();
        s.editable = !s.readOnly;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? spoken().text : QAccessibleWidget::text(t);
    }

    void selection(int index, int *start, int *end) const override
    {
        const QTextCursor c = edit()->textCursor();
        const bool has = index == 0 && c.hasSelection();
        const Spoken s = spoken();
        *start = has ? s.toSpoken(c.selectionStart()) : 0;
        *end = has ? s.toSpoken(c.selectionEnd()) : 0;
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override
    {
        QTextCursor c = edit()->textCursor();
        c.clearSelection();
        edit()->setTextCursor(c);
    }
    void setSelection(int, int start, int end) override
    {
        const Spoken s = spoken();
        QTextCursor c = edit()->textCursor();
        c.setPosition(s.toDocument(start));
        c.setPosition(s.toDocument(end), QTextCursor::KeepAnchor);
        edit()->setTextCursor(c);
    }
    int cursorPosition() const override { return spoken().toSpoken(edit()->textCursor().position()); }
    void setCursorPosition(int position) override
    {
        QTextCursor c = edit()->textCursor();
        c.setPosition(spoken().toDocument(position));
        edit()->setTextCursor(c);
    }
    QString text(int start, int end) const override
    {
        const QString all = spoken().text;
        start = qBound(0, start, int(all.size()));
        end = end < 0 ? int(all.size()) : qBound(start, end, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(spoken().text.size()); }
    QRect characterRect(int offset) const override
    {
        QTextCursor c = edit()->textCursor();
        c.setPosition(spoken().toDocument(offset));
        QRect r = edit()->cursorRect(c);
        r.setWidth(edit()->fontMetrics().averageCharWidth());
        return QRect(edit()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint at = edit()->viewport()->mapFromGlobal(point);
        return spoken().toSpoken(edit()->cursorForPosition(at).position());
    }
    void scrollToSubstring(int start, int) override
    {
        QTextCursor c = edit()->textCursor();
        c.setPosition(spoken().toDocument(start));
        const QRect r = edit()->cursorRect(c);
        if (!edit()->viewport()->rect().contains(r))
            edit()->verticalScrollBar()->setValue(edit()->verticalScrollBar()->value() + r.top());
    }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QTextEdit *edit() const { return static_cast<QTextEdit *>(widget()); }

    struct Spoken
    {
        QString text;
        // Each picture: where it stands in the document and in the text, and how long
        // its description is.
        struct Mark
        {
            int document, spoken, length;
        };
        std::vector<Mark> marks;

        int toSpoken(int position) const
        {
            int shift = 0;
            for (const Mark &m : marks) {
                if (m.document >= position)
                    break;
                shift += m.length - 1;
            }
            return position + shift;
        }
        // An offset within a description is the picture's own.
        int toDocument(int offset) const
        {
            int shift = 0;
            for (const Mark &m : marks) {
                if (m.spoken >= offset)
                    break;
                if (offset < m.spoken + m.length)
                    return m.document;
                shift += m.length - 1;
            }
            return std::max(0, offset - shift);
        }
    };

    Spoken spoken() const
    {
        const QTextDocument *doc = edit()->document();
        QString raw = doc->toRawText();
        raw.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
        Spoken s;
        int done = 0;
        eachPicture(*doc, [&](const QTextFragment &f) {
            QString said = ReportPicture::description(f.charFormat().toImageFormat());
            if (said.isEmpty())
                said = QStringLiteral("Imagen");
            for (int k = 0; k < f.length(); ++k) {
                const int at = f.position() + k;
                s.text += QStringView(raw).mid(done, at - done);
                s.marks.push_back({at, int(s.text.size()), int(said.size())});
                s.text += said;
                done = at + 1;
            }
        });
        s.text += QStringView(raw).mid(done);
        return s;
    }
};

QAccessibleInterface *reportAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ReportEdit") && object && object->isWidgetType())
        return new ReportAccessible(static_cast<QTextEdit *>(object));
    return nullptr;
}

} // namespace

ReportEdit::ReportEdit(QWidget *parent) : QTextEdit(parent)
{
    static const bool readable = (QAccessible::installFactory(reportAccessible), true);
    Q_UNUSED(readable);
    watch(document());
}

void ReportEdit::showDocument(QTextDocument *doc)
{
    setDocument(doc);
    watch(doc);
}

void ReportEdit::watch(QTextDocument *doc)
{
    connect(doc, &QTextDocument::contentsChange, this, [this, doc](int pos, int, int added) {
        if (doc == document())
            paragraphsBegun(pos, added);
    });
}

void ReportEdit::paragraphsBegun(int pos, int added)
{
    if (m_replaying || m_keepingParts || added <= 0)
        return;
    // A block begun by this change starts after the block the change began in. Made in
    // a marked block, it took the mark with the block's format; it loses it in the same
    // step of the undo history, so that one undo takes both back.
    QTextCursor c;
    const int end = pos + added;
    for (QTextBlock b = document()->findBlock(pos).next(); b.isValid() && b.position() <= end; b = b.next()) {
        if (!RtfReader::continuesParagraph(b))
            continue;
        if (c.isNull()) {
            c = QTextCursor(document());
            c.joinPreviousEditBlock();
        }
        c.setPosition(b.position());
        c.setBlockFormat(RtfReader::beginsParagraph(b.blockFormat()));
    }
    if (!c.isNull())
        c.endEditBlock();
}

void ReportEdit::replay(bool undo)
{
    const QScopedValueRollback replaying(m_replaying, true);
    if (undo)
        QTextEdit::undo();
    else
        QTextEdit::redo();
}

void ReportEdit::keyPressEvent(QKeyEvent *e)
{
    if (!isReadOnly() && (e == QKeySequence::Undo || e == QKeySequence::Redo)) {
        replay(e == QKeySequence::Undo);
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void ReportEdit::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu *menu = createStandardContextMenu(e->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *a : menu->actions()) {
        const bool undo = a->objectName() == QLatin1String("edit-undo");
        if (undo || a->objectName() == QLatin1String("edit-redo")) {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, [this, undo] { replay(undo); });
        }
    }
    menu->popup(e->globalPos());
}

QVariant ReportEdit::loadResource(int, const QUrl &)
{
    return QByteArray(); // not null: the document looks no further
}

QMimeData *ReportEdit::createMimeDataFromSelection() const
{
    auto *mime = new ReportMime;
    const QTextCursor c = textCursor();
    mime->fragment = c.selection();
    for (QTextBlock b = document()->findBlock(c.selectionStart()).next();
         b.isValid() && b.position() <= c.selectionEnd(); b = b.next()) {
        if (RtfReader::continuesParagraph(b))
            mime->joins.push_back(b.position() - 1 - c.selectionStart());
    }
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
        // The parts of a paragraph copied go on as parts; the block the copy goes into
        // stays what it was.
        const QScopedValueRollback keeping(m_keepingParts, true);
        c.beginEditBlock();
        const int at = c.selectionStart();
        const bool continued = RtfReader::continuesParagraph(document()->findBlock(at));
        c.insertFragment(own->fragment);
        QTextCursor into(document()->findBlock(at));
        if (!continued && RtfReader::continuesParagraph(into.block()))
            into.setBlockFormat(RtfReader::beginsParagraph(into.blockFormat()));
        c.endEditBlock();
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
