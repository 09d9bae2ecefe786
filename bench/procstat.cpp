#include "procstat.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

namespace ProcStat {

QProcessEnvironment benchEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

QString platformOf(const QProcessEnvironment &env)
{
    return env.contains(QStringLiteral("QT_QPA_PLATFORM"))
               ? env.value(QStringLiteral("QT_QPA_PLATFORM"))
               : QStringLiteral("xcb on ") + env.value(QStringLiteral("DISPLAY"));
}

QString programPath(const char *given)
{
    return given ? QString::fromLocal8Bit(given)
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../orbelle");
}

QString emptyWindowPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/emptywindow");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 statusValue(const QByteArray &status, const QByteArray &key, qint64 missing)
{
    // "VmHWM:\t  1234 kB", "Uid:\t1000\t1000\t1000\t1000": the first field counts.
    for (const QByteArray &line : status.split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).simplified().split(' ').first().toLongLong();
    }
    return missing;
}

qint64 cpuTicks(const QByteArray &stat)
{
    // The name in parentheses may hold spaces: the fields are counted after its closing one.
    const QList<QByteArray> f = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return f.size() > 12 ? f.at(11).toLongLong() + f.at(12).toLongLong() : 0;
}

double peakMb(qint64 pid)
{
    const qint64 kb = statusValue(readFile(QStringLiteral("/proc/%1/status").arg(pid)), "VmHWM:", -1);
    return kb < 0 ? -1 : double(kb) / 1024.0;
}

} // namespace ProcStat
