// Renders the card deck from its SVG sources into <program folder>/Imagenes/1.jpg … 78.jpg.
//
//   media_svgdeck <program folder> <sources folder> [card number …]
//
// Each source (NN.svg, NN = 01 … 78) is rendered by librsvg's rsvg-convert at 700 × 1240;
// the numeral and the name are then lettered onto the bands (deckbands.cpp),
// and the card is written as JPEG. A source that is missing, does not render or renders
// at another size stops the run with a message naming the card.
#include "deckbands.h"
#include "offscreen.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

// rsvg-convert writes PNG to its standard output; nothing touches the disk in between.
QImage render(const QString &rsvg, const QString &source, QString *why)
{
    if (!QFileInfo::exists(source)) {
        *why = QStringLiteral("missing");
        return {};
    }
    QProcess p;
    p.start(rsvg, {QStringLiteral("--width=%1").arg(media::deck::kCardWidth),
                   QStringLiteral("--height=%1").arg(media::deck::kCardHeight),
                   QStringLiteral("--format=png"), source});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *why = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        if (why->isEmpty())
            *why = p.errorString();
        return {};
    }
    QImage img = QImage::fromData(p.readAllStandardOutput(), "PNG");
    if (img.isNull()) {
        *why = QStringLiteral("rsvg-convert gave no picture");
        return {};
    }
    if (img.size() != QSize(media::deck::kCardWidth, media::deck::kCardHeight)) {
        *why = QStringLiteral("rendered at %1 × %2").arg(img.width()).arg(img.height());
        return {};
    }
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    media::OffscreenApp app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        err() << "usage: media_svgdeck <program folder> <sources folder> [card number ...]\n";
        return 2;
    }
    const QString folder = QDir(args.at(1)).filePath(QStringLiteral("Imagenes"));
    const QDir sources(args.at(2));
    if (!QDir().mkpath(folder)) {
        err() << "cannot create " << folder << '\n';
        return 1;
    }
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (rsvg.isEmpty()) {
        err() << "rsvg-convert (Debian package librsvg2-bin) is needed to render the deck\n";
        return 1;
    }

    QList<int> cards;
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int n = args.at(i).toInt(&ok);
        if (!ok || n < 1 || n > media::deck::kCardCount) {
            err() << "not a card number: " << args.at(i) << '\n';
            return 2;
        }
        cards << n;
    }
    if (cards.isEmpty())
        for (int n = 1; n <= media::deck::kCardCount; ++n)
            cards << n;

    for (int n : cards) {
        const QString source = sources.filePath(QStringLiteral("%1.svg").arg(n, 2, 10, QLatin1Char('0')));
        QString why;
        QImage card = render(rsvg, source, &why);
        if (card.isNull()) {
            err() << source << ": " << why << '\n';
            return 1;
        }
        card = card.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&card);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            media::deck::paintBands(p, media::deck::cardInfo(n));
        }
        if (!media::writeJpeg(card, QDir(folder).filePath(QStringLiteral("%1.jpg").arg(n))))
            return 1;
    }
    return 0;
}
