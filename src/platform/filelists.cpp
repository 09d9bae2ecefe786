#include "filelists.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>

namespace FileLists {

namespace {
QString clean(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QStringList patterns(const QString &pattern)
{
    QStringList out;
    for (const QString &p : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out << p.trimmed();
    return out.isEmpty() ? QStringList{QStringLiteral("*")} : out;
}
} // namespace

// --- drives ---------------------------------------------------------------------------

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    refresh();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            emit driveChanged(itemText(i));
    });
}

void DriveList::refresh()
{
    QStringList roots;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (v.isValid() && v.isReady())
            roots << clean(v.rootPath());
    }
#ifndef Q_OS_WIN
    roots << QStringLiteral("/");
#endif
    roots.removeDuplicates();
    // The root first, then the volumes by their place.
    std::sort(roots.begin(), roots.end(), [](const QString &a, const QString &b) {
        if ((a == QLatin1String("/")) != (b == QLatin1String("/")))
            return a == QLatin1String("/");
        return a < b;
    });
    const QString keep = drive();
    QSignalBlocker quiet(this);
    clear();
    addItems(roots);
    if (!keep.isEmpty())
        setCurrentIndex(std::max(0, findText(keep)));
}

QString DriveList::drive() const
{
    return currentText();
}

QString DriveList::driveOf(const QString &path)
{
    if (path.trimmed().isEmpty())
        return {};
    const QStorageInfo v(clean(path));
    return v.isValid() ? clean(v.rootPath()) : QString();
}

bool DriveList::setDrive(const QString &path)
{
    const QString root = driveOf(path);
    if (root.isEmpty())
        return false;
    int i = findText(root);
    if (i < 0) {
        addItem(root);
        i = count() - 1;
    }
    setCurrentIndex(i);
    return true;
}

// --- folders --------------------------------------------------------------------------

DirList::DirList(QWidget *parent) : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        hideColumn(c);
    header()->hide();
    // The model reads each folder of the path in the background and sorts what it read a
    // moment later; the current folder gets its row, and its final place, only then. So
    // until the user moves in the tree, every change of the rows brings it into view again.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &DirList::scheduleReveal);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DirList::scheduleReveal);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &DirList::scheduleReveal);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &i) {
        const QString p = m_model->filePath(i);
        if (!p.isEmpty() && clean(p) != m_path) {
            m_path = clean(p);
            emit pathChanged(m_path);
        }
    });
}

bool DirList::setPath(const QString &folder)
{
    const QString p = clean(folder);
    if (folder.trimmed().isEmpty() || !QFileInfo(p).isDir())
        return false;
    const bool changed = p != m_path;
    m_path = p;
    m_reveal = true;
    revealCurrent();
    if (changed)
        emit pathChanged(m_path);
    return true;
}

void DirList::scheduleReveal()
{
    if (!m_reveal || m_revealQueued)
        return;
    m_revealQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_revealQueued = false;
            if (m_reveal)
                revealCurrent();
        },
        Qt::QueuedConnection);
}

void DirList::showEvent(QShowEvent *e)
{
    QTreeView::showEvent(e);
    scheduleReveal();
}

void DirList::mousePressEvent(QMouseEvent *e)
{
    m_reveal = false;
    QTreeView::mousePressEvent(e);
}

void DirList::wheelEvent(QWheelEvent *e)
{
    m_reveal = false;
    QTreeView::wheelEvent(e);
}

void DirList::keyPressEvent(QKeyEvent *e)
{
    m_reveal = false;
    QTreeView::keyPressEvent(e);
}

void DirList::revealCurrent()
{
    const QModelIndex i = m_model->index(m_path);
    if (!i.isValid())
        return;
    if (currentIndex() != i) {
        QSignalBlocker quiet(selectionModel());
        setCurrentIndex(i);
    }
    expand(i);
    scrollTo(i, PositionAtCenter);
}

// --- files ----------------------------------------------------------------------------

FileList::FileList(QWidget *parent) : QListView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::Files);
    m_model->setNameFilterDisables(false);
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) {
        const QString name = m_model->fileName(i);
        if (!name.isEmpty())
            emit fileClicked(name);
    });
}

void FileList::setPath(const QString &folder)
{
    m_path = clean(folder);
    apply();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    apply();
}

void FileList::refresh()
{
    apply();
}

void FileList::apply()
{
    const QStringList filters = patterns(m_pattern);
    m_model->setNameFilters(filters);
    setRootIndex(m_model->setRootPath(m_path));
    m_files.clear();
    if (m_path.isEmpty())
        return;
    m_files = QDir(m_path).entryList(filters, QDir::Files);
    // The order the model's view shows: the model sorts by name with such a collator.
    QCollator byName;
    byName.setNumericMode(true);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(m_files.begin(), m_files.end(),
              [&](const QString &a, const QString &b) { return byName.compare(a, b) < 0; });
}

QStringList FileList::shown() const
{
    QStringList out;
    const QModelIndex root = rootIndex();
    for (int r = 0; r < m_model->rowCount(root); ++r)
        out << m_model->fileName(m_model->index(r, 0, root));
    return out;
}

QString FileList::entry(int index) const
{
    return index >= 0 && index < count() ? m_files.at(index) : QString();
}

void FileList::clickEntry(int index)
{
    const QString name = entry(index);
    if (name.isEmpty())
        return;
    setCurrentIndex(m_model->index(QDir(m_path).filePath(name)));
    emit fileClicked(name);
}

// --- the chain ------------------------------------------------------------------------

void connectLists(DriveList *drive, DirList *dir, FileList *files)
{
    QObject::connect(drive, &DriveList::driveChanged, dir, [dir](const QString &d) { dir->setPath(d); });
    QObject::connect(dir, &DirList::pathChanged, files, [files](const QString &p) { files->setPath(p); });
    // The drive list shows the drive of the folder the tree went to, without moving the
    // tree back to the drive's root.
    QObject::connect(dir, &DirList::pathChanged, drive, [drive](const QString &p) {
        QSignalBlocker quiet(drive);
        drive->setDrive(p);
    });
}

} // namespace FileLists
