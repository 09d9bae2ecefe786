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
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <memory>
#include <vector>

namespace {

const QString kOffer =
    QStringLiteral("Se encontraron lecturas que no se guardaron la última vez. ¿Recuperarlas?");
const QString kPrefix = QStringLiteral("lecturas-");
const QString kSuffix = QStringLiteral(".rtf");

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

// This run's file and, while the file exists, its lock.
struct Own
{
    QString file;
    std::unique_ptr<QLockFile> lock;
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

// The files of programs no longer running, each with its lock now taken by this run.
struct Left
{
    QString file;
    std::unique_ptr<QLockFile> lock;
};
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

// Several documents one after the other, a paragraph apart.
void append(QTextDocument *to, const QTextDocument &from)
{
    QTextCursor end(to);
    end.movePosition(QTextCursor::End);
    end.insertBlock();
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
    if (recover) {
        std::unique_ptr<QTextDocument> all;
        for (const Left &l : left) {
            std::unique_ptr<QTextDocument> doc = readReport(l.file);
            if (!doc)
                continue;
            if (all)
                append(all.get(), *doc);
            else
                all = std::move(doc);
        }
        if (!all)
            recover = false;
        else {
            rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
            // The viewer keeps them in this run's file at once; only then do the old
            // files go.
            viewer->restoreUnsaved(all.release());
            viewer->showReport();
        }
    }
    for (Left &l : left) {
        QFile::remove(l.file);
        l.lock->unlock();
    }
    return recover;
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
    if (o.file.isEmpty())
        return;
    QFile::remove(o.file);
    o.lock.reset(); // unlocking removes the lock file
}

bool write(const QTextDocument &doc)
{
    // Written every few seconds while the user works: a failure is logged once, never
    // put in front of the user, and the next write tries again.
    static bool told = false;
    const auto failed = [](const QString &why) {
        if (!told)
            qWarning("Orbelle: the readings could not be kept for recovery: %s", qPrintable(why));
        told = true;
        return false;
    };
    Own &o = own();
    const QString path = file();
    if (!holdsLock()) {
        // Gone first: unlocking removes the lock file by its name, which the new lock
        // is about to take.
        o.lock.reset();
        QDir().mkpath(folder());
        o.lock = tryLock(path);
        if (!o.lock) {
            // Another program took this name meanwhile (it cannot have, by the pid,
            // unless the folder is shared between machines): move to a free one.
            o.file = pickName();
            o.lock = tryLock(o.file);
            if (!o.lock)
                return failed(QStringLiteral("no lock in %1").arg(folder()));
        }
    }
    QSaveFile out(o.file);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    const RtfResult r = RtfWriter::write(doc, &out);
    if (!r.ok()) {
        out.cancelWriting();
        return failed(r.detail);
    }
    if (!out.commit())
        return failed(out.errorString());
    return true;
}

} // namespace ReportRecovery
