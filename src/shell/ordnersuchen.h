#pragma once

#include "windows.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class Timer;
namespace FileLists {
class DriveList;
class DirList;
class FileList;
} // namespace FileLists

namespace FileLists {
// Drive, folder and file lists in the program's colours: ink on paper, the chosen entry in
// navy, as the text boxes and menus show them (the music player's lists too).
void applyLook(QWidget *list);
} // namespace FileLists

// The image folder locator: connects the program to another deck, a folder holding the
// 78 card pictures 1.jpg to 78.jpg. The user finds the folder with the drive and folder
// lists, sees its pictures, and confirms; a folder that does not hold a readable picture
// for every card is refused with the cards it lacks. A connected folder is stored in the
// settings and the program starts again, in the same process, so every window shows the
// new deck.
class ordnerSuchen : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit ordnerSuchen(QWidget *parent = nullptr);

    FileLists::DriveList *Drive1 = nullptr;
    FileLists::DirList *Dir1 = nullptr;
    FileLists::FileList *File1 = nullptr;
    QPushButton *connectButton = nullptr;
    QPushButton *cancelButton = nullptr; // "Cancelar": leaves as Escape does
    QLabel *hintLabel = nullptr;
    Timer *Timer1 = nullptr; // 200 ms, off: the restart

    // The folder the settings named when the window loaded.
    QString storedFolder() const { return m_folder; }

    void Form_Load() override;
    void Form_Unload() override;

    // The user's choices, as the lists give them (also from tests).
    void Drive1_Change(const QString &drive);
    void Dir1_Change(const QString &folder);
    void connectFolder();
    // Leaves the window without connecting anything (not while the restart is under way).
    void cancel();

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void restart();
    // Moves the lists to a folder the user may enter; false (and nothing moved) otherwise.
    bool enter(const QString &folder);

    QString m_folder;
    QString m_entered;
    // The folder being connected, and the next of its cards to prepare before the restart.
    QString m_connected;
    int m_prepared = 79;
    bool m_placed = false;
};
