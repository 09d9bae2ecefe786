#include "cardpictures.h"

#include "modOrbelle.h"
#include "paths.h"

#include <QFileInfo>
#include <QImageReader>

namespace CardPictures {

QString path(int card)
{
    return path(modOrbelle::state().imageFolder, card);
}

QString path(const QString &folder, int card)
{
    return Paths::join(folder, QString::number(card) + QStringLiteral(".jpg"));
}

QImage halfTurn(const QImage &image)
{
    return image.mirrored(true, true);
}

QImage load(int card, bool reversed)
{
    QImageReader reader(path(card));
    reader.setAutoTransform(true);
    QImage img = reader.read();
    if (img.isNull()) {
        qWarning("orbelle: card picture %s: %s", qPrintable(reader.fileName()),
                 qPrintable(reader.errorString()));
        return img;
    }
    return reversed ? halfTurn(img) : img;
}

QImage loadScaled(int card, const QSize &size)
{
    QImageReader reader(path(card));
    reader.setAutoTransform(true);
    reader.setScaledSize(size);
    return reader.read();
}

bool isCompleteDeck(const QString &folder)
{
    for (int n = 1; n <= 78; ++n) {
        if (!QFileInfo(path(folder, n)).isFile())
            return false;
    }
    return true;
}

QString background(const QString &name)
{
    return Paths::join(Paths::join(Paths::programFolder(), QStringLiteral("Imagenes")), name);
}

QString programFile(const QString &name)
{
    return Paths::join(Paths::programFolder(), name);
}

QString defaultMusicFolder()
{
    return Paths::join(Paths::programFolder(), QStringLiteral("Klang/Ostrel"));
}

} // namespace CardPictures
