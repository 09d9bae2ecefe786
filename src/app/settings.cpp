#include "settings.h"

#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>

#include <memory>

namespace {

constexpr auto kOrganisation = "Orbelle";
constexpr auto kApplication = "Orbelle";
constexpr auto kSection = "Opciones";
// The store holds a handful of short keys; a file far beyond that is not ours to parse
// (QSettings would take seconds and gigabytes over it).
constexpr qint64 kMaxFileSize = 1 << 20;

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                                       kApplication);
}

// A settings file is damaged when QSettings cannot parse it, or when it holds bytes no
// text editor or QSettings would ever write: NULs (what a crash mid-write usually leaves)
// or text that is not UTF-8. Qt's INI reader would silently take half of such a file.
bool damaged(QSettings &s)
{
    if (s.status() == QSettings::FormatError)
        return true;
    QFile f(s.fileName());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (bytes.contains('\0'))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8(bytes);
    return utf8.hasError();
}

// Where QSettings keeps the INI file, known before it is opened (opening parses it).
QString storePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("%1/%2.ini").arg(QLatin1String(kOrganisation), QLatin1String(kApplication)));
}

void moveAside(const QString &path)
{
    QFile::remove(path + QStringLiteral(".damaged"));
    if (!QFile::rename(path, path + QStringLiteral(".damaged")))
        QFile::remove(path);
    qWarning("orbelle: settings file %s could not be read; starting with empty settings", qPrintable(path));
}

// A store that cannot be parsed reads as empty. QSettings would also refuse to write
// over it, so every later change would be lost silently; the damaged file is moved
// aside (kept for whoever wants to look at it) and a fresh store is started.
std::unique_ptr<QSettings> &instance()
{
    static std::unique_ptr<QSettings> s;
    return s;
}

QSettings &store()
{
    std::unique_ptr<QSettings> &s = instance();
    if (s)
        return *s;
    // The size is looked at before QSettings reads a byte.
    const QString path = storePath();
    // The options are the user's alone: the folder is made before QSettings would make it
    // open to all.
    Paths::makePrivateFolder(QFileInfo(path).path());
    if (QFileInfo(path).size() > kMaxFileSize)
        moveAside(path);
    s = open();
    if (damaged(*s)) {
        s.reset();
        moveAside(path);
        s = open();
    }
    return *s;
}

} // namespace

QString Settings::get(const QString &key)
{
    QSettings &s = store();
    s.beginGroup(kSection);
    QString result;
    const QStringList keys = s.childKeys();
    for (const QString &k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            result = s.value(k).toString();
            break;
        }
    }
    s.endGroup();
    return result;
}

bool Settings::set(const QString &key, const QString &value)
{
    QSettings &s = store();
    s.beginGroup(kSection);
    // One key per name whatever its spelling: a later write under another letter case
    // replaces the earlier entry instead of leaving two that disagree.
    const QStringList keys = s.childKeys();
    for (const QString &k : keys) {
        if (k != key && k.compare(key, Qt::CaseInsensitive) == 0)
            s.remove(k);
    }
    s.setValue(key, value);
    s.endGroup();
    s.sync();
    // QSettings writes a new file each time, with the process's default rights.
    Paths::makePrivateFile(s.fileName());
    return s.status() == QSettings::NoError;
}

QString Settings::fileName()
{
    return store().fileName();
}

void Settings::reopen()
{
    instance().reset();
}
