// Writes the application icon as a desktop icon theme expects it:
//   <folder>/hicolor/<n>x<n>/apps/<name>.png   for n = 16, 32, 48, 64, 128, 256
//   <folder>/hicolor/scalable/apps/<name>.svg
//
//   media_icons <folder> <icon name>
#include "icon.h"
#include "offscreen.h"

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTextStream>

#include <array>

using namespace media;

namespace {

constexpr std::array kSizes{16, 32, 48, 64, 128, 256};

// The SVG as QSvgGenerator writes it, in the icon's own units, so the scalable icon and
// the bitmaps come from one drawing.
QByteArray iconSvg()
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kIconUnits, kIconUnits));
    svg.setViewBox(QRect(0, 0, kIconUnits, kIconUnits));
    svg.setTitle(QStringLiteral("Orbelle"));
    QPainter p(&svg);
    paintIcon(p);
    p.end();
    // QSvgGenerator gives the size in millimetres; icon themes expect the plain pixel size.
    const QByteArray bytes = buffer.data();
    static const QRegularExpression dimensions(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\""));
    const QString text = QString::fromUtf8(bytes).replace(
        dimensions, QStringLiteral("<svg width=\"%1\" height=\"%1\"").arg(kIconUnits));
    return text.toUtf8();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        QTextStream(stderr) << "cannot write " << path << ": " << f.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    OffscreenApp app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || args.at(2).isEmpty()) {
        QTextStream(stderr) << "usage: media_icons <folder> <icon name>\n";
        return 2;
    }
    const QDir root(args.at(1));
    const QString name = args.at(2);
    auto folder = [&root](const QString &sub) {
        const QString dir = root.filePath(QStringLiteral("hicolor/") + sub + QStringLiteral("/apps"));
        if (!QDir().mkpath(dir))
            QTextStream(stderr) << "cannot create " << dir << '\n';
        return QDir(dir);
    };
    bool ok = true;
    for (int n : kSizes) {
        const QDir dir = folder(QStringLiteral("%1x%1").arg(n));
        ok = ok && writePng(renderIcon(n), dir.filePath(name + QStringLiteral(".png")));
    }
    ok = ok &&
         writeFile(folder(QStringLiteral("scalable")).filePath(name + QStringLiteral(".svg")), iconSvg());
    return ok ? 0 : 1;
}
