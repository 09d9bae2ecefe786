#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &overrideFolder()
{
    static QString folder;
    return folder;
}

// The executable lives beside its data in a build tree, and in bin/ beside share/ once
// installed. The database is the marker of a program folder.
QString locateProgramFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString marker = QStringLiteral("orbelle.sqlite");
    if (QFileInfo::exists(Paths::join(exeDir, marker)))
        return exeDir;
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/orbelle"));
    if (QFileInfo::exists(Paths::join(installed, marker)))
        return installed;
    return exeDir;
}

} // namespace

namespace Paths {

QString programFolder()
{
    if (overrideFolder().isEmpty())
        overrideFolder() = locateProgramFolder();
    return overrideFolder();
}

void setProgramFolder(const QString &folder)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    overrideFolder() = f;
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    QString rel = name;
    while (rel.startsWith(QLatin1Char('/')) || rel.startsWith(QLatin1Char('\\')))
        rel.remove(0, 1);
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + rel;
    return folder + QLatin1Char('/') + rel;
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace Paths
