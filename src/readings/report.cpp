#include "report.h"

#include "carddatabase.h"
#include "cardpictures.h"
#include "dates.h"
#include "journalstore.h"
#include "picturefile.h"
#include "readingcatalogue.h"
#include "reportpicture.h"
#include "rtfviewer.h"
#include "twips.h"
#include "windows.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>

#include <array>

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

// The most pixels a card's picture is stored with.
QSize storedBound()
{
    // Twice the size shown at the least, so a printed report stays sharp (about 200 dpi on
    // paper); more on a screen that shows it with more pixels.
    qreal ratio = 2;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        for (const QScreen *s : QGuiApplication::screens())
            ratio = qMax(ratio, s->devicePixelRatio());
    }
    return (QSizeF(cardSize()) * ratio).toSize();
}

QImage fittedInto(const QImage &picture, const QSize &bound)
{
    if (picture.width() <= bound.width() && picture.height() <= bound.height())
        return picture;
    return picture.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString nameOf(int card, bool reversed)
{
    Spread one;
    one.positions = {{card, reversed}};
    return Report::cardName(one, 1);
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

// The picture alone; false when there was none to insert.
static bool insertCardPicture(const QImage &shown, int card, bool reversed)
{
    // A picture is stored no larger than the report shows it: an upright card goes in as
    // its file's own JPEG bytes when the file is no larger than that and needs no turning;
    // any other (a screen-size or larger scan, a turned card, a picture the EXIF turns) is
    // decoded at the size shown and encoded anew, so a report of many cards stays small.
    const QSize bound = storedBound();
    if (!reversed) {
        // Read only from a regular file within the picture bounds: a FIFO or a huge scan
        // named like a card neither blocks nor floods the report.
        QFile f;
        const PictureFile::Header header = PictureFile::open(f, CardPictures::path(card));
        const bool asStored = header.fine() && header.jpeg && header.stored.height() <= bound.height() &&
                              header.stored.width() <= bound.width() &&
                              header.transformation == QImageIOHandler::TransformationNone;
        if (asStored && viewer()->insertJpegPicture(f.readAll(), cardSize()))
            return true;
    }
    QImage picture = shown;
    if (picture.isNull()) {
        picture = CardPictures::decodeFitting(CardPictures::path(card), bound);
        if (reversed && !picture.isNull())
            picture = CardPictures::halfTurn(picture);
    }
    if (picture.isNull())
        return false;
    picture = fittedInto(picture, bound);
    return viewer()->insertJpegPicture(asJpeg(picture), cardSize()) ||
           viewer()->insertPicture(fittedInto(picture, storedBound()), cardSize());
}

void insertCard(const QImage &shown, int card, bool reversed)
{
    if (insertCardPicture(shown, card, reversed)) {
        QTextCursor behind = viewer()->Box1->textCursor();
        ReportPicture::describeBefore(behind, nameOf(card, reversed));
    }
}

void insertPicture(const QImage &picture)
{
    // In its own proportions, at most six inches wide or tall: a card's place would
    // squeeze a chart into a card's shape.
    viewer()->insertPicture(picture, picture.size().scaled(Twips::size(8640, 8640), Qt::KeepAspectRatio));
}

void show(bool minimized)
{
    viewer()->showReport(minimized ? rtfViewer::Show::Minimized : rtfViewer::Show::Normal);
}

QString cardName(const Spread &spread, int k)
{
    const QString name = CardDatabase::cardText(QStringLiteral("karten"), spread.card(k));
    return spread.isReversed(k) ? name + QStringLiteral(" (carta invertida)") : name;
}

QString today()
{
    return Dates::shortDate(QDate::currentDate());
}

void writeReading(WindowId reading, const Spread &spread, const QList<PositionText> &positions,
                  const QList<int> &order)
{
    const ReadingEntry *entry = ReadingCatalogue::readingOf(reading);
    if (!entry)
        return;
    JournalRecorder::completed(Journal::kindOfMenu(entry->menu.name), spread);
    const QString heading =
        ReadingCatalogue::heading(*entry, spread.question, spread.firstName, spread.secondName, today());
    const bool headingEndsLine = entry->reportHeading.endsWith(QStringLiteral("\r\n"));
    setFontSize(14);
    insertText(heading);
    setFontSize(12);
    if (!headingEndsLine)
        insertText(QStringLiteral("\r\n"));
    QList<int> ks = order;
    if (ks.isEmpty()) {
        for (int k = 1; k <= spread.size(); ++k)
            ks << k;
    }
    for (qsizetype i = 0; i < ks.size(); ++i) {
        const int k = ks[i];
        const PositionText p = positions.value(k - 1);
        // Every block names its card. A position that names it has heading, name and text on
        // lines of their own; otherwise the name follows the heading, whose text goes on after
        // the colon, or stands on its own line before the text when there is no heading.
        QStringList lines;
        if (!p.name.isEmpty())
            lines = {p.heading, p.name, p.text};
        else if (!p.heading.isEmpty())
            lines = {p.heading + QStringLiteral(" (") + cardName(spread, k) + QStringLiteral("): ") + p.text};
        else
            lines = {cardName(spread, k), p.text};
        lines.removeAll(QString());
        const QString text = lines.join(QStringLiteral("\r\n"));
        insertText(QStringLiteral("\r\n"));
        const bool turned = spread.isReversed(k);
        insertCard(QImage(), spread.card(k), turned);
        insertText(QStringLiteral("\r\n\r\n") + text);
        // Nothing follows the last position, but the line break of a heading's own.
        if (i + 1 < ks.size() || !headingEndsLine)
            insertText(QStringLiteral("\r\n"));
    }
    show(false);
}

void writeBoardCard(const QImage &shown, int card, const QString &keywords)
{
    insertText(QStringLiteral("\r\n"));
    setFontSize(14);
    insertText(QStringLiteral("Carta libre: ") + nameOf(card, false));
    setFontSize(12);
    insertText(QStringLiteral("\r\n\r\n"));
    insertCard(shown, card, false);
    insertText(QStringLiteral("\r\n\r\n") + keywords);
    insertText(QStringLiteral("\r\n"));
}

} // namespace Report
