#include "cardpictures.h"

#include "modOrbelle.h"
#include "paths.h"
#include "picturefile.h"

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

// Where the screen-size copy of a large picture is kept: named by the file,
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

// Decodes an opened, inspected picture, upright, fitted into `bound` (JPEG scales while
// it decodes).
QImage decodeOriginal(QFile &file, const PictureFile::Header &h, const QSize &bound)
{
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize upright = h.upright();
    if (upright.isValid() && bound.isValid() &&
        (upright.width() > bound.width() || upright.height() > bound.height())) {
        QSize fit = upright.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        // The scaled size is the stored picture's, before the EXIF turn.
        if (h.transformation & QImageIOHandler::TransformationRotate90)
            fit.transpose();
        reader.setScaledSize(fit);
    }
    const QImage img = reader.read();
    if (img.isNull())
        qWarning("orbelle: card picture %s: %s", qPrintable(file.fileName()),
                 qPrintable(reader.errorString()));
    return img;
}

// Opens a picture file for decoding; says in the log why one cannot be shown.
bool openPicture(QFile &file, const QString &path, PictureFile::Header &h)
{
    h = PictureFile::open(file, path);
    if (!h.fine() && QFileInfo::exists(path))
        qWarning("orbelle: card picture %s is not shown: %s", qPrintable(path),
                 qPrintable(PictureFile::describe(h)));
    return h.fine();
}

// Any JPEG of more than twice the pixels a screen shows, progressive or baseline.
bool needsCopy(const PictureFile::Header &h, const QSize &bound)
{
    const QSize upright = h.upright();
    return h.jpeg && upright.isValid() && bound.isValid() &&
           qint64(upright.width()) * upright.height() > 2 * qint64(bound.width()) * bound.height();
}

void keepCopy(const QImage &img, const QString &copy)
{
    // Without a copy (a full disk) the next window decodes the original again.
    if (!Paths::makePrivateFolder(QFileInfo(copy).absolutePath()))
        return;
    QSaveFile out(copy);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(92);
    if (writer.write(img))
        out.commit();
}

// The largest ground a card's picture is ever put on: a card's largest place, or a whole
// screen, in device pixels.
QSize largestGround()
{
    QSize most = largestShown();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        for (const QScreen *s : QGuiApplication::screens())
            most = most.expandedTo(s->geometry().size() * s->devicePixelRatio());
    }
    return most;
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
    QFile f;
    return needsCopy(PictureFile::open(f, file), bound);
}

QImage decodeFitting(const QString &file, const QSize &asked)
{
    QFile f;
    PictureFile::Header h;
    if (!openPicture(f, file, h))
        return QImage();
    // A large scan (3000 × 5000, say) is decoded once at screen size and kept; every
    // window then reads the copy. A progressive JPEG cannot be decoded smaller than it is
    // stored without holding all of it in memory first (some 45 MB for such a scan), and a
    // baseline one, though it scales while it decodes, still reads every block of it each
    // time (some 50 ms a card).
    const QSize screen = largestShown();
    // No place shows a card larger than that, whatever it asks for.
    const QSize bound = asked.boundedTo(screen);
    if (!needsCopy(h, screen))
        return decodeOriginal(f, h, bound);
    const QString copy = screenCopy(file, screen);
    QFile kept;
    const PictureFile::Header k = PictureFile::open(kept, copy);
    if (k.fine())
        return decodeOriginal(kept, k, bound);
    const QImage img = decodeOriginal(f, h, screen);
    if (img.isNull())
        return img;
    keepCopy(img, copy);
    if (img.width() <= bound.width() && img.height() <= bound.height())
        return img;
    return img.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool canShow(const QString &file)
{
    QFile f;
    return PictureFile::open(f, file).fine();
}

bool decodes(const QString &file)
{
    QFile f;
    PictureFile::Header h;
    if (!openPicture(f, file, h))
        return false;
    // Decoded at an eighth: JPEG scales while it decodes, so the check costs little.
    QImageReader reader(&f);
    reader.setScaledSize((h.stored / 8).expandedTo(QSize(1, 1)));
    return !reader.read().isNull();
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
    // A canvas is never larger than a card is ever shown: a place of a strange proportion
    // (a label not laid out yet, 4000 × 1200) must not cost tens of megabytes. The picture
    // shrinks with it.
    QSize shown = picture.size();
    const QSize most = largestGround();
    if (canvas.width() > most.width() || canvas.height() > most.height()) {
        const QSize fit = canvas.scaled(most, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        const double f = qMin(fit.width() / double(canvas.width()), fit.height() / double(canvas.height()));
        shown = QSize(qMax(1, qRound(picture.width() * f)), qMax(1, qRound(picture.height() * f)))
                    .boundedTo(fit);
        canvas = fit;
    }
    QImage out(canvas, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(QPoint((canvas.width() - shown.width()) / 2, (canvas.height() - shown.height()) / 2),
                      shown),
                picture);
    return out;
}

QImage loadScaled(int card, const QSize &asked)
{
    // No larger than any place shows a card.
    const QSize most = largestGround();
    const QSize size = asked.width() > most.width() || asked.height() > most.height()
                           ? asked.scaled(most, Qt::KeepAspectRatio).expandedTo(QSize(1, 1))
                           : asked;
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
        if (!QFileInfo::exists(file)) {
            check.missing << n;
            continue;
        }
        // The header only: decoding 78 large scans would keep the user waiting, and a
        // picture that fails later still leaves its place empty rather than ending anything.
        QFile f;
        switch (PictureFile::open(f, file).verdict) {
        case PictureFile::Verdict::Fine:
            break;
        case PictureFile::Verdict::TooManyPixels:
        case PictureFile::Verdict::TooMuchMemory:
            check.tooLarge << n;
            break;
        default:
            check.unreadable << n;
        }
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
    if (check.tooLarge.size() == 1)
        lines << QStringLiteral("La carta %1 de esta carpeta es demasiado grande para mostrarla.")
                     .arg(check.tooLarge.first());
    else if (!check.tooLarge.isEmpty())
        lines << QStringLiteral("Las cartas %1 de esta carpeta son demasiado grandes para mostrarlas.")
                     .arg(listed(check.tooLarge));
    if (!check.tooLarge.isEmpty())
        lines << QStringLiteral("Orbelle muestra imágenes de hasta %1 megapíxeles; una JPEG progresiva "
                                "tiene que ser más pequeña.")
                     .arg(PictureFile::kMaxPixels / 1'000'000);
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
