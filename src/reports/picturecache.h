#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

// Draws the pictures of a report on screen. Qt's own handler decodes an encoded picture
// every time it is painted, at full size; a report holds dozens of card pictures of
// several megapixels each. This one shows a picture no wider than the page, decodes it
// once at the size it is shown and keeps that until it is shown at another size, so a
// repaint never decodes. Printing and PDF export go through Qt's handler on a copy of
// the document and get the pictures at full resolution.
class PictureCache : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit PictureCache(QObject *parent = nullptr);

    // Takes over the drawing of the document's pictures (and forgets those of the
    // document drawn before).
    void install(QTextDocument *doc);

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int posInDocument,
                    const QTextFormat &format) override;

    // Decodes done so far; for tests.
    int decodes() const { return m_decodes; }

private:
    struct Shown
    {
        QSize pixels;
        QImage image; // null when the picture cannot be read
    };
    // Each picture, by its resource name, as decoded for the size it is shown at.
    QHash<QString, Shown> m_shown;
    int m_decodes = 0;
};
