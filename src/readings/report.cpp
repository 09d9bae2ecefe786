#include "report.h"

#include "cardpictures.h"
#include "dates.h"
#include "rtfviewer.h"
#include "twips.h"
#include "windows.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QImageReader>
#include <QLocale>

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
    // An upright card goes in as its file's own JPEG bytes when the file is a picture of
    // screen size that needs no turning; a turned one, a large scan or a picture the EXIF
    // turns is encoded anew from the picture as shown, so a report of many cards stays small.
    if (!reversed) {
        QFile f(CardPictures::path(card));
        const QImageReader reader(CardPictures::path(card));
        const QSize largest = CardPictures::largestShown();
        const bool asStored = reader.size().isValid() && reader.size().height() <= largest.height() &&
                              reader.size().width() <= largest.width() &&
                              reader.transformation() == QImageIOHandler::TransformationNone;
        if (asStored && f.open(QIODevice::ReadOnly) && viewer()->insertJpegPicture(f.readAll(), cardSize()))
            return;
    }
    const QImage picture = shown.isNull() ? CardPictures::load(card, reversed) : shown;
    if (picture.isNull())
        return;
    if (!viewer()->insertJpegPicture(asJpeg(picture), cardSize()))
        viewer()->insertPicture(picture, cardSize());
}

void insertPosition(const Spread &spread, int k, const QString &text)
{
    insertText(QStringLiteral("\r\n"));
    const bool turned = spread.isReversed(k);
    insertCard(turned ? CardPictures::load(spread.card(k), true) : QImage(), spread.card(k), turned);
    insertText(QStringLiteral("\r\n\r\n") + text);
}

void insertPicture(const QImage &picture)
{
    viewer()->insertPicture(picture, cardSize());
}

void show(bool minimized)
{
    viewer()->showReport(minimized ? rtfViewer::Show::Minimized : rtfViewer::Show::Normal);
}

QString today()
{
    return Dates::shortDate(QDate::currentDate());
}

void writeDayCard(const Spread &spread, const QImage &shown, const QString &text)
{
    setFontSize(14);
    insertText(QStringLiteral("\r\nLa carta para ") + today());
    setFontSize(12);
    insertText(QStringLiteral("\r\n\r\n"));
    insertCard(shown, spread.card(1), spread.isReversed(1));
    insertText(QStringLiteral("\r\n\r\n") + text);
    insertText(QStringLiteral("\r\n"));
    show(false);
}

void writeCross(const Spread &spread, const QStringList &headings, const QStringList &meanings)
{
    setFontSize(14);
    insertText(QStringLiteral("\r\n") + spread.question + QStringLiteral(" (") + today() +
               QStringLiteral(")\r\n"));
    setFontSize(12);
    for (int k = 1; k <= spread.size(); ++k) {
        insertPosition(spread, k, headings.value(k - 1) + QStringLiteral(": ") + meanings.value(k - 1));
        // Nothing follows the last position.
        if (k < spread.size())
            insertText(QStringLiteral("\r\n"));
    }
    show(false);
}

void writeCeltic(const Spread &spread, const QStringList &headings, const QStringList &names,
                 const QStringList &texts)
{
    setFontSize(14);
    const QString question = spread.question.trimmed();
    insertText(QStringLiteral("\r\nCruz celta") +
               (question.isEmpty() ? QString() : QStringLiteral(": ") + question) + QStringLiteral(" (") +
               today() + QStringLiteral(")\r\n"));
    setFontSize(12);
    for (int k = 1; k <= spread.size(); ++k) {
        insertPosition(spread, k,
                       headings.value(k - 1) + QStringLiteral("\r\n") + names.value(k - 1) +
                           QStringLiteral("\r\n") + texts.value(k - 1));
        if (k < spread.size())
            insertText(QStringLiteral("\r\n"));
    }
    show(false);
}

void writeRelationship(const Spread &spread, const QStringList &headings, const QStringList &texts)
{
    setFontSize(14);
    insertText(QStringLiteral("\r\n") + spread.secondName + QStringLiteral(" und ") + spread.firstName +
               QLatin1Char(' ') + today() + QStringLiteral("\r\n"));
    setFontSize(12);
    static constexpr std::array<int, 6> order{1, 3, 2, 4, 5, 6};
    for (size_t i = 0; i < order.size(); ++i) {
        const int k = order[i];
        insertPosition(spread, k, headings.value(k - 1) + QStringLiteral(": ") + texts.value(k - 1));
        if (i + 1 < order.size())
            insertText(QStringLiteral("\r\n"));
    }
    show(false);
}

void writeBoardCard(const QImage &shown, int card, const QString &keywords)
{
    insertText(QStringLiteral("\r\n\r\n"));
    insertCard(shown, card, false);
    insertText(QStringLiteral("\r\n\r\n") + keywords);
    insertText(QStringLiteral("\r\n"));
}

} // namespace Report
