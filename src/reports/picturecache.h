#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

// Draws the pictures of a report on screen. Qt's own handler decodes an encoded picture
// every time it is painted, at full size; a report holds dozens of card pictures of
// several megapixels each. This one decodes each picture once at the size it is shown
// and keeps a bounded number of those in memory. Printing and PDF export go through
// Qt's handler on a copy of the document and get the pictures at full resolution.
class PictureCache : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit PictureCache(QObject *parent = nullptr);

    // Takes over the drawing of the document's pictures.
    void install(QTextDocument *doc);

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int posInDocument,
                    const QTextFormat &format) override;

    // Decodes done so far; for tests.
    int decodes() const { return m_decodes; }

private:
    QCache<QString, QImage> m_images;
    int m_decodes = 0;
};
