#include "testenv.h"

#include "carddatabase.h"
#include "dialogs.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "paths.h"
#include "settings.h"
#include "start.h"
#include "timing.h"
#include "windows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

namespace TestEnv {

namespace {
QTemporaryDir &root()
{
    static QTemporaryDir dir;
    return dir;
}

QString configHome()
{
    return root().filePath(QStringLiteral("config"));
}
} // namespace

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

void freshStart()
{
    WindowRegistry::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    modOrbelle::resetSharedState();
    wipeUserFiles();
    Settings::reopen();
    Dialogs::clear();
    MediaControl::startRecording();
    Timer::setTimeScale(0.05);
    modOrbelle::readStartSettings();
}

namespace {
QString queryRow(const QSqlDatabase &db, const QString &table, int row, const QString &missing)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT \"%1\" FROM \"%1\" WHERE rowid = ?").arg(table));
    q.addBindValue(row);
    return q.exec() && q.next() ? q.value(0).toString() : missing;
}
} // namespace

QString rowText(const QString &table, int row)
{
    return queryRow(CardDatabase::shared(), table, row, QStringLiteral("<no row %1 in %2>").arg(row).arg(table));
}

QString pristineText(const QString &table, int row)
{
    QString text;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pristineCheck"));
        db.setDatabaseName(CardDatabase::pristinePath());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open())
            text = queryRow(db, table, row, QString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pristineCheck"));
    return text;
}

QWidget *window(const QString &name)
{
    const auto id = WindowRegistry::idOf(name);
    return id ? WindowRegistry::get(*id) : nullptr;
}

QWidget *ifLoaded(const QString &name)
{
    const auto id = WindowRegistry::idOf(name);
    return id ? WindowRegistry::ifLoaded(*id) : nullptr;
}

bool isLoaded(const QString &name)
{
    return ifLoaded(name) != nullptr;
}

QStringList runningTimers()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList running;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        for (Timer *t : w->findChildren<Timer *>()) {
            if (t->isActive())
                running << w->objectName() + QLatin1Char('/') + t->objectName();
        }
    }
    return running;
}

bool mainWindowIdle()
{
    Start *m = WindowRegistry::ifLoaded<Start>();
    return m && m->Picture1->isVisible() && m->mnuSpiel->isEnabled() && m->solo->isEnabled() &&
           m->mnuMusik->isEnabled() && m->windowTitle() == QStringLiteral("Orbelle") && !m->isMinimized();
}

bool musicPlayed()
{
    const QList<MediaControl::Event> events = MediaControl::recorded();
    return std::any_of(events.begin(), events.end(), [](const MediaControl::Event &e) {
        return e.command == QStringLiteral("play") && e.fileName.contains(QStringLiteral("Klang/Ostrel/"));
    });
}

} // namespace TestEnv
