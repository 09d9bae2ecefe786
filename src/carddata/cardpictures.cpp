#include "cardpictures.h"

#include "modOrbelle.h"
#include "paths.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
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

// Whether a JPEG file is progressive (its first frame header is SOF2, or another
// progressive one). Only the header segments are read.
bool isProgressive(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(256 * 1024);
    const auto at = [&head](qsizetype i) { return quint8(head.at(i)); };
    if (head.size() < 4 || at(0) != 0xFF || at(1) != 0xD8)
        return false;
    qsizetype i = 2;
    while (i + 4 <= head.size()) {
        if (at(i) != 0xFF)
            return false;
        const quint8 marker = at(i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE)
            return true;
        if ((marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) ||
            marker == 0xDA)
            return false;
        i += 2 + ((at(i + 2) << 8) | at(i + 3));
    }
    return false;
}

// Where the screen-size copy of a large progressive picture is kept: named by the file,
// its size and time, and the size decoded, so a changed file or screen makes a new copy.
QString screenCopy(const QString &file, const QSize &bound)
{
    const QFileInfo fi(file);
    const QByteArray key = fi.absoluteFilePath().toUtf8() + '|' + QByteArray::number(fi.size()) + '|' +
                           QByteArray::number(fi.lastModified().toMSecsSinceEpoch()) + '|' +
                           QByteArray::number(bound.width()) + 'x' + QByteArray::number(bound.height());
    return Paths::join(Paths::join(Paths::userDataFolder(), QStringLiteral("barajas")),
                       QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
                           QStringLiteral(".jpg"));
}

QImage decodeOriginal(QImageReader &reader, const QSize &upright, const QSize &bound)
{
    if (upright.isValid() && bound.isValid() &&
        (upright.width() > bound.width() || upright.height() > bound.height())) {
        QSize fit = upright.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        // The scaled size is the stored picture's, before the EXIF turn.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            fit.transpose();
        reader.setScaledSize(fit);
    }
    return reader.read();
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

bool needsScreenCopy(const QString &file, const QSize &bound)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize upright = uprightSize(reader);
    return upright.isValid() && bound.isValid() &&
           qint64(upright.width()) * upright.height() > 2 * qint64(bound.width()) * bound.height() &&
           isProgressive(file);
}

QImage decodeFitting(const QString &file, const QSize &bound)
{
    // A progressive JPEG cannot be decoded smaller than it is stored without holding all
    // of it in memory first (some 45 MB for a 3000 × 5000 scan). A large one is decoded
    // once at screen size and kept; every window then reads the copy.
    const QSize screen = largestShown();
    if (needsScreenCopy(file, screen)) {
        const QString copy = screenCopy(file, screen);
        QImageReader kept(copy);
        if (kept.canRead())
            return decodeOriginal(kept, kept.size(), bound);
        QImageReader reader(file);
        reader.setAutoTransform(true);
        const QImage img = decodeOriginal(reader, uprightSize(reader), screen);
        if (img.isNull())
            return img;
        // Without a copy (a full disk) the next window decodes the original again.
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QSaveFile out(copy);
        if (out.open(QIODevice::WriteOnly)) {
            QImageWriter writer(&out, "jpeg");
            writer.setQuality(92);
            if (writer.write(img))
                out.commit();
        }
        if (img.width() <= bound.width() && img.height() <= bound.height())
            return img;
        return img.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage img = decodeOriginal(reader, uprightSize(reader), bound);
    if (img.isNull())
        qWarning("orbelle: card picture %s: %s", qPrintable(file), qPrintable(reader.errorString()));
    return img;
}

bool prepare(const QString &folder, int card)
{
    const QString file = path(folder, card);
    if (!needsScreenCopy(file, largestShown()))
        return false;
    decodeFitting(file, largestShown());
    return true;
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

QString background(const QString &name)
{
    return Paths::join(ownDeck(), name);
}

QString programFile(const QString &name)
{
    return Paths::join(Paths::programFolder(), name);
}

QString ownDeck()
{
    return Paths::join(Paths::programFolder(), QStringLiteral("Imagenes"));
}

} // namespace CardPictures
