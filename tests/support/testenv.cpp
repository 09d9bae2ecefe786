#include "testenv.h"

#include "dialogs.h"
#include "paths.h"
#include "timing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace TestEnv {

namespace {
QTemporaryDir &root()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

QString tempRoot()
{
    return root().path();
}
QString configHome()
{
    return root().filePath(QStringLiteral("config"));
}
QString dataHome()
{
    return root().filePath(QStringLiteral("data"));
}

void prepare()
{
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void setUp()
{
    QApplication::setOrganizationName(QStringLiteral("Orbelle"));
    QApplication::setApplicationName(QStringLiteral("Orbelle"));
    Paths::setProgramFolder(QStringLiteral(ORBELLE_PROGRAM_DIR));
    Dialogs::setAnswering(true);
    Timer::setTimeScale(0.05);
}

void wipeUserFiles()
{
    QDir(configHome()).removeRecursively();
    QDir(dataHome()).removeRecursively();
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(bytes);
}

} // namespace TestEnv
