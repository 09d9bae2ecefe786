#include "report.h"

#include "cardpictures.h"
#include "rtfviewer.h"
#include "twips.h"
#include "windows.h"

#include <QBuffer>
#include <QFile>

namespace {
rtfViewer *viewer()
{
    return WindowRegistry::get<rtfViewer>();
}

// A card in the report has the size it has in the reading windows.
QSize cardSize()
{
    return Twips::size(1515, 2655);
}

QByteArray asJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}
} // namespace

namespace Report {

void setFontSize(int points)
{
    viewer()->setInsertionFontSize(points);
}

void insertText(const QString &text)
{
    viewer()->insertText(text);
}

void insertCard(const QImage &shown, int card, bool reversed)
{
    // An upright card goes in as its file's own JPEG bytes; a turned one is encoded as
    // JPEG too, so a report of many cards stays small.
    if (!reversed) {
        QFile f(CardPictures::path(card));
        if (f.open(QIODevice::ReadOnly) && viewer()->insertJpegPicture(f.readAll(), cardSize()))
            return;
    }
    if (shown.isNull())
        return;
    if (!viewer()->insertJpegPicture(asJpeg(shown), cardSize()))
        viewer()->insertPicture(shown, cardSize());
}

void insertPicture(const QImage &picture)
{
    viewer()->insertPicture(picture, cardSize());
}

void show(bool minimized)
{
    viewer()->showReport(minimized ? rtfViewer::Show::Minimized : rtfViewer::Show::Normal);
}

} // namespace Report
