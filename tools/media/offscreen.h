// Start-up shared by the painting generators: they run during the build, where there is
// no display, so they always take Qt's offscreen platform.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QString>

namespace media {

class OffscreenApp : public QGuiApplication
{
public:
    OffscreenApp(int &argc, char **argv);

private:
    static int &prepare(int &argc);
};

// Baseline JPEG, quality 90, tagged sRGB. Reports a failure on stderr.
bool writeJpeg(const QImage &image, const QString &path);
// PNG, tagged sRGB. Reports a failure on stderr.
bool writePng(const QImage &image, const QString &path);

} // namespace media
