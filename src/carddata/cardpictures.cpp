#include "cardpictures.h"

#include "modOrbelle.h"
#include "paths.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>

namespace CardPictures {

namespace {
// Below this the program's own deck (700 × 1240) would be made smaller than it is.
constexpr int kLeastShownHeight = 1240;

// The reader's size in the picture's upright orientation.
QSize uprightSize(const QImageReader &reader)
{
    const QSize raw = reader.size();
    return reader.transformation() & QImageIOHandler::TransformationRotate90 ? raw.transposed() : raw;
}

QString listed(const QList<int> &cards)
{
    QStringList names;
    for (int n : cards)
        names << QString::number(n);
    if (names.size() == 1)
        return names.first();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}
} // namespace

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

QSize largestShown()
{
    int height = kLeastShownHeight;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        for (const QScreen *s : QGuiApplication::screens())
            height = qMax(height, int(s->geometry().height() * s->devicePixelRatio()));
    }
    // A card is never wider than its height on any window.
    return {height, height};
}

QImage decodeFitting(const QString &file, const QSize &bound)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize upright = uprightSize(reader);
    if (upright.isValid() && bound.isValid() &&
        (upright.width() > bound.width() || upright.height() > bound.height())) {
        QSize fit = upright.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        // The scaled size is the stored picture's, before the EXIF turn.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            fit.transpose();
        reader.setScaledSize(fit);
    }
    QImage img = reader.read();
    if (img.isNull())
        qWarning("orbelle: card picture %s: %s", qPrintable(file), qPrintable(reader.errorString()));
    return img;
}

QImage load(int card, bool reversed)
{
    const QImage img = decodeFitting(path(card), largestShown());
    return reversed && !img.isNull() ? halfTurn(img) : img;
}

QImage framed(const QImage &picture, const QSizeF &place)
{
    if (picture.isNull() || place.isEmpty())
        return picture;
    const double want = place.width() / place.height();
    const double have = picture.width() / double(picture.height());
    // Differences a viewer cannot see are left alone.
    if (qAbs(have / want - 1.0) < 0.03)
        return picture;
    QSize canvas = have > want ? QSize(picture.width(), qRound(picture.width() / want))
                               : QSize(qRound(picture.height() * want), picture.height());
    canvas = canvas.expandedTo(picture.size());
    QImage out(canvas, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage(QPoint((canvas.width() - picture.width()) / 2, (canvas.height() - picture.height()) / 2),
                picture);
    return out;
}

QImage loadScaled(int card, const QSize &size)
{
    const QImage img = decodeFitting(path(card), size);
    if (img.isNull() || img.size() == size)
        return img;
    // A picture smaller than the place is brought up to it; one of another proportion is
    // centred on a clear ground.
    const QImage fitted = img.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (fitted.size() == size)
        return fitted;
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage(QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted);
    return out;
}

DeckCheck checkDeck(const QString &folder)
{
    DeckCheck check;
    for (int n = 1; n <= 78; ++n) {
        const QString file = path(folder, n);
        if (!QFileInfo(file).isFile()) {
            check.missing << n;
            continue;
        }
        // The header only: decoding 78 large scans would keep the user waiting, and a
        // picture that fails later still leaves its place empty rather than ending anything.
        QImageReader reader(file);
        if (!reader.canRead() || !reader.size().isValid())
            check.unreadable << n;
    }
    return check;
}

QString deckProblem(const DeckCheck &check)
{
    QStringList lines;
    if (check.missing.size() == 78) {
        lines << QStringLiteral(
            "En esta carpeta no hay cartas: Orbelle necesita las imágenes 1.jpg a 78.jpg.");
    } else if (check.missing.size() == 1) {
        lines << QStringLiteral("Falta la carta %1 en esta carpeta.").arg(check.missing.first());
    } else if (!check.missing.isEmpty()) {
        lines << QStringLiteral("Faltan las cartas %1 en esta carpeta.").arg(listed(check.missing));
    }
    if (check.unreadable.size() == 1)
        lines
            << QStringLiteral("La carta %1 de esta carpeta no se puede leer.").arg(check.unreadable.first());
    else if (!check.unreadable.isEmpty())
        lines << QStringLiteral("Las cartas %1 de esta carpeta no se pueden leer.")
                     .arg(listed(check.unreadable));
    return lines.join(QLatin1Char('\n'));
}

bool isCompleteDeck(const QString &folder)
{
    return checkDeck(folder).complete();
}

QString background(const QString &name)
{
    return Paths::join(ownDeck(), name);
}

QString programFile(const QString &name)
{
    return Paths::join(Paths::programFolder(), name);
}

QString defaultMusicFolder()
{
    return Paths::join(Paths::programFolder(), QStringLiteral("Klang/Ostrel"));
}

QString ownDeck()
{
    return Paths::join(Paths::programFolder(), QStringLiteral("Imagenes"));
}

} // namespace CardPictures
