// Paints the default card deck into <program folder>/Imagenes/1.jpg … 78.jpg.
//
//   media_deck <program folder> [card number …]
//
// With card numbers only those cards are painted (handy while drawing one emblem).
#include "deck.h"
#include "offscreen.h"

#include <QDir>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char **argv)
{
    media::OffscreenApp app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: media_deck <program folder> [card number ...]\n";
        return 2;
    }
    const QString folder = QDir(args.at(1)).filePath(QStringLiteral("Imagenes"));
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << '\n';
        return 1;
    }

    QList<int> cards;
    for (qsizetype i = 2; i < args.size(); ++i)
        cards << args.at(i).toInt();
    if (cards.isEmpty())
        for (int n = 1; n <= media::deck::kCardCount; ++n)
            cards << n;

    for (int n : cards) {
        const QImage card = media::deck::paintCard(n);
        if (!media::writeJpeg(card, QDir(folder).filePath(QStringLiteral("%1.jpg").arg(n))))
            return 1;
    }
    return 0;
}
