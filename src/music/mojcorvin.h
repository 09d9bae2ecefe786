#pragma once

#include "windows.h"

#include <QString>
#include <QWidget>

class MediaControl;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
namespace FileLists {
class DriveList;
class DirList;
class FileList;
} // namespace FileLists

// The music player: plays every file of one folder, one after another, as background
// music while the user does readings. Other windows start it with "play" on its media
// control (Music::startIfWanted); its window switches the music on and off and chooses
// the kind of player and the folder, which take effect at the next start ("OK" stores them
// and leaves the music playing). Closing the window ("Cerrar", Escape, the frame) only
// hides it: the music goes on. A file that cannot play is passed over for the
// next one (the media control says why in the log).
class mojCorvin : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit mojCorvin(QWidget *parent = nullptr);

    // What a player kind ("wavdat": "", "wave" or "cd") means to the player.
    struct Kind
    {
        QString deviceType;
        QString pattern;
        QString loadLabel; // after load and "OK"
        QString menuLabel; // after the kind's menu entry
    };
    static Kind kindOf(const QString &waveKind);

    FileLists::DriveList *driveList = nullptr;
    FileLists::DirList *folderList = nullptr;
    FileLists::FileList *trackList = nullptr;
    QLabel *kindLabel = nullptr;
    QLabel *hintLabel = nullptr;
    QPushButton *saveButton = nullptr;  // "OK": stores the choices for the next start
    QPushButton *closeButton = nullptr; // "Cerrar": hides the window, the music goes on
    MediaControl *player = nullptr;
    QMenuBar *menuBar = nullptr;
    QMenu *mnuMus = nullptr;
    QAction *mnuAus = nullptr;
    QAction *mnuAn = nullptr;
    QMenu *mnuWavMid = nullptr;
    QAction *mnuWav = nullptr;
    QAction *mnuMidi = nullptr;
    QAction *mnuCD = nullptr;
    QAction *mnuHilfe = nullptr;

    // The device type the next "Sí" opens with.
    QString deviceType() const { return m_deviceType; }
    // Index in trackList of the file the sequence opened last.
    int trackPosition() const { return m_track; }

    void Form_Load() override;
    void Form_Unload() override;
    // The one window that hides instead of unloading: the music must go on.
    void closedByFrame() override;

    void playClicked(const QString &name);
    void mnuAn_Click();
    void mnuAus_Click();
    void saveChoices();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void playNext();
    void skipUnplayable();
    void chooseKind(const QString &waveKind);
    void setKind(const Kind &kind, bool fromMenu);
    void openTrack(int position);
    void setOpenOptions();
    QString musicFolder() const;

    QString m_deviceType = QStringLiteral("sequencer");
    int m_track = 0;
    bool m_placed = false;
};
