#include "offscreen.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTextStream>

#include <unistd.h>

namespace media {

int &OffscreenApp::prepare(int &argc)
{
    // Must be set before the application object exists; an explicit "offscreen" from the
    // build is respected, anything else (an inherited "xcb") is overridden.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A build machine often has no session runtime folder; Qt would warn about it on
    // every generator run. A private one in the temporary folder keeps the build quiet.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir =
            QDir::tempPath() + QStringLiteral("/orbelle-build-runtime-") + QString::number(getuid());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
    }
    return argc;
}

OffscreenApp::OffscreenApp(int &argc, char **argv) : QGuiApplication(prepare(argc), argv) {}

namespace {

bool write(QImage image, const QString &path, const char *format, int quality)
{
    image.setColorSpace(QColorSpace::SRgb);
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        QTextStream(stderr) << "cannot write " << path << ": " << writer.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace

bool writeJpeg(const QImage &image, const QString &path)
{
    return write(image.convertToFormat(QImage::Format_RGB32), path, "jpeg", 90);
}

bool writePng(const QImage &image, const QString &path)
{
    return write(image, path, "png", -1);
}

} // namespace media
