#include "scandeck.h"

#include "cardpictures.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <array>
#include <cstdio>

void makeScannedDeck(const QString &folder, bool progressive)
{
    const std::array<QColor, 6> colours{Qt::darkRed,    Qt::darkGreen, Qt::darkBlue,
                                        Qt::darkYellow, Qt::darkCyan,  Qt::darkMagenta};
    for (size_t c = 0; c < colours.size(); ++c) {
        QImage img(3000, 5000, QImage::Format_RGB32);
        img.fill(colours[c]);
        for (int y = 0; y < img.height(); y += 7)
            for (int x = (y * 13) % 11; x < img.width(); x += 11)
                img.setPixelColor(x, y, Qt::white);
        const QString first = CardPictures::path(folder, int(c) + 1);
        QImageWriter w(first, "jpeg");
        w.setQuality(85);
        w.setProgressiveScanWrite(progressive);
        w.write(img);
        for (int n = int(c) + 7; n <= 78; n += 6)
            QFile::copy(first, CardPictures::path(folder, n));
    }
}

QByteArray longParagraph(qint64 bytes)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    out.reserve(bytes + 256);
    const QByteArray words = "La carta del d\\'eda habla de un camino nuevo que se abre ante el consultante; ";
    int n = 0;
    while (out.size() < bytes) {
        out += words;
        if (++n % 64 == 0)
            out += "{\\b coraz\\'f3n} ";
    }
    out += "\\par}";
    return out;
}

QString writeLongParagraph(const QString &folder, int megabytes)
{
    const QString file = folder + QStringLiteral("/parrafo-%1.rtf").arg(megabytes);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(longParagraph(qint64(megabytes) << 20)) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return {};
    }
    return file;
}
