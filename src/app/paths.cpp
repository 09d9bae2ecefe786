#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <dlfcn.h>

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

bool makePrivateFolder(const QString &folder)
{
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    // The levels that are the program's own: those below the user's data or configuration
    // folder (~/.local/share/Orbelle/Orbelle: both "Orbelle"), or the folder alone.
    QString root;
    for (const auto location : {QStandardPaths::GenericDataLocation, QStandardPaths::GenericConfigLocation}) {
        const QString r = QDir::cleanPath(QStandardPaths::writableLocation(location));
        if (!r.isEmpty() && target.startsWith(r + QLatin1Char('/')))
            root = r;
    }
    QStringList levels{target};
    if (!root.isEmpty()) {
        for (QString up = QFileInfo(target).path(); up.size() > root.size(); up = QFileInfo(up).path())
            levels.prepend(up);
    }
    if (!QDir().mkpath(QFileInfo(levels.first()).path()))
        return false;
    for (const QString &level : levels) {
        if (QFileInfo(level).isDir())
            QFile::setPermissions(level, ownerOnly); // one an older build made open to all
        else if (!QDir().mkdir(level, ownerOnly))
            return false;
    }
    return true;
}

void makePrivateFile(const QString &file)
{
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    const QFile::Permissions now = QFile::permissions(file);
    if (now & ~own)
        QFile::setPermissions(file, now & own);
}

void *moduleEntry(const QString &fileName, const char *installed, const char *built, const char *entry,
                  QString *why)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList places{exeDir + QLatin1Char('/') + fileName,
                             QDir::cleanPath(exeDir + QLatin1Char('/') + QString::fromUtf8(installed)),
                             QString::fromUtf8(built)};
    *why = fileName + QStringLiteral(" not found");
    for (const QString &path : places) {
        if (!QFileInfo::exists(path))
            continue;
        void *lib = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (void *function = lib ? dlsym(lib, entry) : nullptr)
            return function;
        *why = QString::fromLocal8Bit(dlerror());
    }
    return nullptr;
}

} // namespace Paths
