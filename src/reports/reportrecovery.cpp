#include "reportrecovery.h"

#include "dialogs.h"
#include "paths.h"
#include "reportpicture.h"
#include "rtfreader.h"
#include "rtfviewer.h"
#include "rtfwriter.h"
#include "windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPointer>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

const QString kOffer =
    QStringLiteral("Se encontraron tiradas que no se guardaron la última vez. ¿Recuperarlas?");
const QString kDamaged = QStringLiteral("Estas tiradas de la última vez no se pudieron leer ni "
                                        "recuperar. Se guardaron aparte, en la carpeta «%1»:\n%2");
// The files keep the name earlier runs gave them, so that what they left is still found.
const QString kPrefix = QStringLiteral("lecturas-");
const QString kSuffix = QStringLiteral(".rtf");
constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

QString lockOf(const QString &file)
{
    return file + QStringLiteral(".lock");
}

// A lock that only a dead program's lock gives way to, however old a live one's is.
std::unique_ptr<QLockFile> tryLock(const QString &file)
{
    auto lock = std::make_unique<QLockFile>(lockOf(file));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

// The files of programs no longer running, each with its lock now taken by this run.
struct Left
{
    QString file;
    std::unique_ptr<QLockFile> lock;
};

// This run's file and, while the file exists, its lock; the write under way.
struct Own
{
    QString file;
    std::unique_ptr<QLockFile> lock;
    std::thread writer;
    quint64 writes = 0; // the number of the latest write started in the background
    std::atomic<bool> stop{false};
    // Recovered from earlier runs: they go once this run's file holds their readings.
    std::vector<Left> recovered;
    ~Own()
    {
        if (writer.joinable())
            writer.join();
    }
};
Own &own()
{
    static Own o;
    return o;
}

// A name no other program uses: the process id keeps running programs apart, and a
// number after it steps past what a dead program of the same id left behind.
QString pickName()
{
    const QString dir = ReportRecovery::folder();
    const QString pid = QString::number(QCoreApplication::applicationPid());
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? kPrefix + pid + kSuffix
                                    : kPrefix + pid + QLatin1Char('-') + QString::number(n) + kSuffix;
        const QString path = Paths::join(dir, name);
        if (!QFileInfo::exists(path) && !QFileInfo::exists(lockOf(path)))
            return path;
    }
}

// Whether this run still holds the lock of its file (tests wipe the data folder, and a
// user may delete it by hand).
bool holdsLock()
{
    const Own &o = own();
    return o.lock && o.lock->isLocked() && QFileInfo::exists(lockOf(o.file));
}

std::vector<Left> leftBehind()
{
    std::vector<Left> out;
    const QDir dir(ReportRecovery::folder());
    const QFileInfoList files =
        dir.entryInfoList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &fi : files) {
        const QString path = fi.absoluteFilePath();
        if (path == QFileInfo(own().file).absoluteFilePath())
            continue;
        if (auto lock = tryLock(path))
            out.push_back({path, std::move(lock)});
    }
    return out;
}

std::unique_ptr<QTextDocument> readReport(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return nullptr;
    auto doc = std::make_unique<QTextDocument>();
    if (!RtfReader::read(&in, doc.get()).ok())
        return nullptr;
    return doc;
}

// A file that could not be read, renamed so that it is kept but never offered again.
QString setAside(const QString &file)
{
    for (int n = 1;; ++n) {
        const QString to = n == 1 ? file + QStringLiteral(".damaged")
                                  : file + QLatin1Char('.') + QString::number(n) + QStringLiteral(".damaged");
        if (QFileInfo::exists(to))
            continue;
        if (!QFile::rename(file, to))
            return file; // it stays where it is, and is offered again next time
        QFile::setPermissions(to, kOwnerOnly);
        return to;
    }
}

void dropRecovered()
{
    for (Left &l : own().recovered) {
        QFile::remove(l.file);
        l.lock->unlock();
    }
    own().recovered.clear();
}

void waitForWriter()
{
    Own &o = own();
    if (o.writer.joinable())
        o.writer.join();
}

// This run's file, locked, in its folder; empty (and `why`) when that cannot be had.
QString prepare(QString *why)
{
    Own &o = own();
    const QString path = ReportRecovery::file();
    const QString dir = ReportRecovery::folder();
    QDir().mkpath(dir);
    QFile::setPermissions(dir, kOwnerOnly | QFile::ExeOwner);
    if (!holdsLock()) {
        // Gone first: unlocking removes the lock file by its name, which the new lock
        // is about to take.
        o.lock.reset();
        o.lock = tryLock(path);
        if (!o.lock) {
            // Another program took this name meanwhile (it cannot have, by the pid,
            // unless the folder is shared between machines): move to a free one.
            o.file = pickName();
            o.lock = tryLock(o.file);
            if (!o.lock) {
                *why = QStringLiteral("no lock in %1").arg(dir);
                return {};
            }
        }
        QFile::setPermissions(lockOf(o.file), kOwnerOnly);
    }
    return o.file;
}

ReportRecovery::Written writeFile(const QString &path, const RtfWriter::Snapshot &snapshot,
                                  const std::atomic<bool> *stop, QString *why)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        *why = out.errorString();
        return ReportRecovery::Written::Failed;
    }
    out.setPermissions(kOwnerOnly);
    const RtfResult r = RtfWriter::write(snapshot, &out, stop);
    if (!r.ok()) {
        out.cancelWriting();
        *why = r.detail;
        return r.error == RtfResult::Error::Cancelled ? ReportRecovery::Written::Stopped
                                                      : ReportRecovery::Written::Failed;
    }
    if (!out.commit()) {
        *why = out.errorString();
        return ReportRecovery::Written::Failed;
    }
    return ReportRecovery::Written::Yes;
}

// After each write, on the interface thread.
void written(ReportRecovery::Written result, const QString &why)
{
    // Logged once for each run of failures; the viewer tells the user.
    static bool logged = false;
    if (result == ReportRecovery::Written::Failed) {
        if (!logged)
            qWarning("Orbelle: the readings could not be kept for recovery: %s", qPrintable(why));
        logged = true;
    } else if (result == ReportRecovery::Written::Yes) {
        logged = false;
        dropRecovered();
    }
}

// Several documents one after the other, a paragraph apart.
void append(QTextDocument *to, const QTextDocument &from)
{
    QTextCursor end(to);
    end.movePosition(QTextCursor::End);
    end.insertBlock(RtfReader::beginsParagraph(end.blockFormat()));
    end.insertFragment(QTextDocumentFragment(&from));
    ReportPicture::copyResources(&from, to);
}

} // namespace

namespace ReportRecovery {

QString folder()
{
    return Paths::join(Paths::userDataFolder(), QStringLiteral("recuperacion"));
}

QString file()
{
    Own &o = own();
    // The data folder is fixed for a run, except in tests that move it.
    if (o.file.isEmpty() || QFileInfo(o.file).absolutePath() != QFileInfo(folder()).absoluteFilePath()) {
        o.lock.reset();
        o.file = pickName();
    }
    return o.file;
}

bool pending()
{
    return !leftBehind().empty();
}

bool offerAtStart(QWidget *parent)
{
    std::vector<Left> left = leftBehind();
    if (left.empty())
        return false;
    bool recover = Dialogs::message(parent, kOffer, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::Question) == QMessageBox::Yes;
    if (!recover) {
        for (Left &l : left) {
            QFile::remove(l.file);
            l.lock->unlock();
        }
        return false;
    }
    std::unique_ptr<QTextDocument> all;
    QStringList damaged;
    for (Left &l : left) {
        std::unique_ptr<QTextDocument> doc = readReport(l.file);
        if (!doc) {
            damaged << QFileInfo(setAside(l.file)).fileName();
            l.lock->unlock();
            continue;
        }
        if (all)
            append(all.get(), *doc);
        else
            all = std::move(doc);
        own().recovered.push_back(std::move(l));
    }
    const bool recovered = all != nullptr;
    if (recovered) {
        rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
        // The viewer keeps them in this run's file at once; only then do the old files
        // go (see written()).
        viewer->restoreUnsaved(all.release());
        viewer->showReport();
    }
    if (!damaged.isEmpty())
        Dialogs::message(parent,
                         kDamaged.arg(QDir::toNativeSeparators(folder()), damaged.join(QLatin1Char('\n'))),
                         QMessageBox::Ok, QMessageBox::Warning);
    return recovered;
}

bool stash()
{
    if (rtfViewer *viewer = WindowRegistry::ifLoaded<rtfViewer>())
        return viewer->writeRecovery();
    return QFileInfo::exists(file());
}

bool restore()
{
    const QString path = file();
    if (!QFileInfo::exists(path))
        return false;
    std::unique_ptr<QTextDocument> doc = readReport(path);
    if (!doc)
        return false;
    WindowRegistry::get<rtfViewer>()->restoreUnsaved(doc.release());
    return true;
}

void discard()
{
    Own &o = own();
    o.stop = true;
    waitForWriter();
    o.stop = false;
    dropRecovered();
    if (o.file.isEmpty())
        return;
    QFile::remove(o.file);
    o.lock.reset(); // unlocking removes the lock file
}

bool write(const QTextDocument &doc)
{
    waitForWriter();
    QString why;
    Written result = Written::Failed;
    const QString path = prepare(&why);
    if (!path.isEmpty())
        result = writeFile(path, *RtfWriter::snapshot(doc), nullptr, &why);
    written(result, why);
    return result == Written::Yes;
}

void writeInBackground(const QTextDocument &doc, QObject *context, std::function<void(Written)> done)
{
    waitForWriter(); // only when the caller did not wait for `done`
    Own &o = own();
    const quint64 number = ++o.writes;
    QPointer<QObject> receiver(context);
    // Back on this thread: the writer is joined (it has ended, or is about to), its
    // result recorded, and the caller told.
    auto finish = [number, receiver, done](Written result, const QString &why) {
        Own &o = own();
        if (o.writes == number)
            waitForWriter();
        written(result, why);
        if (receiver && done)
            done(result);
    };
    QString why;
    const QString path = prepare(&why);
    if (path.isEmpty()) {
        QMetaObject::invokeMethod(
            qApp, [finish, why] { finish(Written::Failed, why); }, Qt::QueuedConnection);
        return;
    }
    o.writer = std::thread([snapshot = RtfWriter::snapshot(doc), path, finish] {
        QString why;
        const Written result = writeFile(path, *snapshot, &own().stop, &why);
        QMetaObject::invokeMethod(
            qApp, [finish, result, why] { finish(result, why); }, Qt::QueuedConnection);
    });
}

bool writing()
{
    return own().writer.joinable();
}

} // namespace ReportRecovery
