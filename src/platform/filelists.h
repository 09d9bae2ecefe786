#pragma once

#include <QComboBox>
#include <QListView>
#include <QString>
#include <QStringList>
#include <QTreeView>

class QFileSystemModel;

// The drive, folder and file lists of the windows that let the user pick a folder: the
// music player and the deck locator. Each list shows what Qt's file system model reads;
// a change of the drive moves the folder list there, a change of the folder moves the
// file list there (connectLists), as the user expects from such a trio.
namespace FileLists {

// The drives of this machine: on Linux the root and the mounted volumes, on Windows the
// drive letters. Entries are the volumes' root paths.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // The root path of the chosen drive.
    QString drive() const;
    // Chooses the drive holding `path` (a root, a folder or a file); false, with the
    // choice unchanged, when no mounted volume holds it.
    bool setDrive(const QString &path);
    // The root of the volume holding `path`, or empty.
    static QString driveOf(const QString &path);
    void refresh();

signals:
    void driveChanged(const QString &drive);
};

// The folder tree.
class DirList : public QTreeView
{
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Opens the tree at an existing folder; false, with the path unchanged, otherwise.
    bool setPath(const QString &folder);

signals:
    void pathChanged(const QString &folder);

protected:
    void showEvent(QShowEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // Selects the current folder, opens it and scrolls it into view.
    void revealCurrent();
    void scheduleReveal();

    QFileSystemModel *m_model;
    QString m_path;
    bool m_reveal = false;
    bool m_revealQueued = false;
};

// The files of one folder that match a pattern ("*.mid", "*.jpg"; several separated by
// ";"), in the order the list shows them: by name, as the file system model sorts.
class FileList : public QListView
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &folder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);

    // The names of the files, read when the folder or pattern is set. The model behind
    // the view fills itself in a background thread; a window that opens the first file as
    // soon as it has set the folder needs the names at once, so they are read here.
    QStringList files() const { return m_files; }
    int count() const { return int(m_files.size()); }
    // The names as the view shows them now (the model may still be reading the folder).
    QStringList shown() const;
    // The name at `index`, or empty outside the list.
    QString entry(int index) const;
    // Reads the folder again.
    void refresh();

    // A click on a name, as the user gives it (also a click from tests).
    void clickEntry(int index);

signals:
    void fileClicked(const QString &name);

private:
    void apply();

    QFileSystemModel *m_model;
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_files;
};

// The usual chain: the drive moves the folder list, the folder moves the file list.
// A drive without medium leaves the folder where it was.
void connectLists(DriveList *drive, DirList *dir, FileList *files);

} // namespace FileLists
