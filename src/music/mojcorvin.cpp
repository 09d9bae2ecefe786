#include "mojcorvin.h"

#include "dialogs.h"
#include "filelists.h"
#include "info.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "ordnersuchen.h"
#include "paths.h"
#include "program.h"
#include "settings.h"
#include "theme.h"
#include "twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>

namespace {
const QString kMusakt = QStringLiteral("musakt");

void save(const QString &key, const QString &value)
{
    Settings::set(key, value);
}

RunState &run()
{
    return modOrbelle::state();
}
} // namespace

mojCorvin::Kind mojCorvin::kindOf(const QString &waveKind)
{
    if (waveKind == QLatin1String("cd"))
        return {QStringLiteral("CDAudio"), QStringLiteral("*.cda"), QStringLiteral("CD-Player activo!"),
                QStringLiteral("CD-Player activo!")};
    if (waveKind == QLatin1String("wave"))
        return {QStringLiteral("waveaudio"), QStringLiteral("*.wav"), QStringLiteral("Wave-Player activo!"),
                QStringLiteral("Wave-Player activo!")};
    return {QStringLiteral("sequencer"), QStringLiteral("*.mid"), QStringLiteral("MIDI-Player activo!"),
            QStringLiteral("Midi-Player activo!")};
}

mojCorvin::mojCorvin(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tarot Player"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::backFrame());
    pal.setColor(QPalette::WindowText, Theme::panelText());
    setPalette(pal);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuMus = menuBar->addMenu(QStringLiteral("&Musica Si - No"));
    mnuAus = mnuMus->addAction(QStringLiteral("&No"));
    mnuAn = mnuMus->addAction(QStringLiteral("&Sí"));
    mnuWavMid = menuBar->addMenu(QStringLiteral("&Wave, Midi, CD-Player"));
    mnuWav = mnuWavMid->addAction(QStringLiteral("&Wave"));
    mnuMidi = mnuWavMid->addAction(QStringLiteral("&Midi "));
    mnuCD = mnuWavMid->addAction(QStringLiteral("&CD-ROM-Player "));
    // A menu title without entries: choosing it is the command.
    mnuHilfe = menuBar->addAction(QStringLiteral("A&yuda"));

    driveList = new FileLists::DriveList(this);
    folderList = new FileLists::DirList(this);
    trackList = new FileLists::FileList(this);
    trackList->setPattern(QStringLiteral("*.mid"));
    kindLabel = new QLabel(QStringLiteral("Midi-Player activo!"), this);
    hintLabel = new QLabel(QStringLiteral("Busca tu carpeta de musica"), this);
    for (QLabel *l : {kindLabel, hintLabel}) {
        l->setFont(Theme::captionFont(10));
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
    }
    saveButton = new QPushButton(QStringLiteral("&OK"), this);
    saveButton->setToolTip(QStringLiteral("Guardar la carpeta y el tipo de player para el próximo inicio"));
    closeButton = new QPushButton(QStringLiteral("&Cerrar"), this);
    closeButton->setToolTip(QStringLiteral("Cerrar la ventana; la música sigue"));
    for (QWidget *list : std::initializer_list<QWidget *>{driveList, folderList, trackList})
        FileLists::applyLook(list);
    player = new MediaControl(this);
    player->setObjectName(QStringLiteral("player"));
    driveList->setObjectName(QStringLiteral("driveList"));
    folderList->setObjectName(QStringLiteral("folderList"));
    trackList->setObjectName(QStringLiteral("trackList"));
    kindLabel->setObjectName(QStringLiteral("kindLabel"));
    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    driveList->setAccessibleName(QStringLiteral("Unidad"));
    folderList->setAccessibleName(QStringLiteral("Carpeta"));
    trackList->setAccessibleName(QStringLiteral("Archivos de música"));

    auto *grid = new QGridLayout(this);
    grid->setMenuBar(menuBar);
    grid->addWidget(hintLabel, 0, 0, 1, 2);
    grid->addWidget(driveList, 1, 0);
    grid->addWidget(folderList, 2, 0);
    grid->addWidget(trackList, 1, 1, 2, 1);
    grid->addWidget(kindLabel, 3, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    grid->addLayout(buttons, 3, 1);
    grid->setRowStretch(2, 1);
    resize(Twips::size(7200, 5400));

    FileLists::connectLists(driveList, folderList, trackList);
    connect(trackList, &FileLists::FileList::fileClicked, this, &mojCorvin::playClicked);
    connect(mnuAn, &QAction::triggered, this, &mojCorvin::mnuAn_Click);
    connect(mnuAus, &QAction::triggered, this, &mojCorvin::mnuAus_Click);
    connect(mnuWav, &QAction::triggered, this, [this] { chooseKind(QStringLiteral("wave")); });
    connect(mnuMidi, &QAction::triggered, this, [this] { chooseKind(QString()); });
    connect(mnuCD, &QAction::triggered, this, [this] { chooseKind(QStringLiteral("cd")); });
    // In front of the player, which stands outside the main window.
    connect(mnuHilfe, &QAction::triggered, this, [this] { info::showPlayerHelpOver(this); });
    connect(saveButton, &QPushButton::clicked, this, &mojCorvin::saveChoices);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    // The device reports the end of a file on this thread; the next one follows from here.
    connect(player, &MediaControl::playbackFinished, this, &mojCorvin::playNext);
    connect(player, &MediaControl::playbackFailed, this, &mojCorvin::skipUnplayable);
}

void mojCorvin::showEvent(QShowEvent *e)
{
    if (!m_placed) {
        m_placed = true;
        Program::openOnScreen(this, Twips::size(7200, 5400));
    }
    QWidget::showEvent(e);
}

QString mojCorvin::musicFolder() const
{
    return run().musicFolder.toString();
}

void mojCorvin::setOpenOptions()
{
    player->setNotify(false);
    player->setWait(true);
    player->setShareable(false);
}

void mojCorvin::openTrack(int position)
{
    player->setFileName(Paths::join(musicFolder(), trackList->entry(position)));
    player->setCommand(QStringLiteral("open"));
}

void mojCorvin::setKind(const Kind &kind, bool fromMenu)
{
    m_deviceType = kind.deviceType;
    trackList->setPattern(kind.pattern);
    kindLabel->setText(fromMenu ? kind.menuLabel : kind.loadLabel);
}

void mojCorvin::Form_Load()
{
    const bool on = modOrbelle::isTrue(run().musicOn);
    setWindowTitle(on ? QStringLiteral("Tarot-Player: Musíca en el fondo activada")
                      : QStringLiteral("Tarot-Player: Musíca en el fondo no activada"));
    run().musicFolder = Settings::get(QStringLiteral("musPfad"));
    driveList->setDrive(Settings::get(QStringLiteral("DrivePfad")));
    if (musicFolder().isEmpty())
        run().musicFolder = Paths::join(Paths::programFolder(), QStringLiteral("Klang/Ostrel"));
    setKind(kindOf(run().waveKind), false);
    m_track = 0;
    // The lists show the music folder whether or not the music is on, so the user sees
    // what would play before switching it on.
    folderList->setPath(musicFolder());
    trackList->setPath(folderList->path().isEmpty() ? musicFolder() : folderList->path());
    if (on) {
        setOpenOptions();
        player->setDeviceType(m_deviceType);
        openTrack(m_track);
    }
}

void mojCorvin::playNext()
{
    player->setCommand(QStringLiteral("Close"));
    if (m_track < trackList->count() - 1 && modOrbelle::isTrue(run().musicOn)) {
        ++m_track;
        openTrack(m_track);
        player->setCommand(QStringLiteral("play"));
        save(kMusakt, QStringLiteral("ja"));
    } else {
        player->setCommand(QStringLiteral("Close"));
    }
}

void mojCorvin::skipUnplayable()
{
    // As at the end of a file: the next one, and after the last nothing, so a folder
    // where nothing plays is gone through once.
    if (!player->isPlaying())
        playNext();
}

void mojCorvin::playClicked(const QString &name)
{
    player->setCommand(QStringLiteral("close"));
    player->setFileName(Paths::join(trackList->path(), name));
    player->setCommand(QStringLiteral("open"));
    player->setCommand(QStringLiteral("play"));
    save(kMusakt, QStringLiteral("ja"));
}

void mojCorvin::mnuAn_Click()
{
    setWindowTitle(QStringLiteral("Tarot-Player: Musica en el fondo activa"));
    save(QStringLiteral("musikja"), QStringLiteral("ja"));
    trackList->setPath(folderList->path().isEmpty() ? musicFolder() : folderList->path());
    run().musicOn = true;
    setOpenOptions();
    // The kind chosen in the menus, not only the one the program started with.
    player->setDeviceType(m_deviceType);
    // After "No" the position stands past the list: the music starts again from the top.
    if (m_track < 0 || m_track >= trackList->count())
        m_track = 0;
    openTrack(m_track);
    player->setCommand(QStringLiteral("play"));
    save(kMusakt, QStringLiteral("ja"));
}

void mojCorvin::mnuAus_Click()
{
    save(QStringLiteral("musikja"), QString());
    m_track = trackList->count() + 1;
    run().musicOn = false;
    setWindowTitle(QStringLiteral("Tarot-Player: Musica en el fondo no es activa"));
    player->setCommand(QStringLiteral("stop"));
    player->setCommand(QStringLiteral("close"));
    save(kMusakt, QString());
}

void mojCorvin::chooseKind(const QString &waveKind)
{
    player->setCommand(QStringLiteral("stop"));
    player->setCommand(QStringLiteral("close"));
    save(kMusakt, QString());
    save(QStringLiteral("wavdat"), waveKind);
    setKind(kindOf(waveKind), true);
}

void mojCorvin::saveChoices()
{
    run().musicSetting = Settings::get(QStringLiteral("musikja"));
    if (!run().musicSetting.toString().isEmpty())
        run().musicOn = true;
    save(QStringLiteral("musPfad"), trackList->path());
    save(QStringLiteral("DrivePfad"), driveList->drive());
    save(QStringLiteral("musPfad"), trackList->path());
    save(QStringLiteral("drivePfad"), driveList->drive());
    // Storing the choices leaves the music as it is: "No" is what stops it.
    run().waveKind = Settings::get(QStringLiteral("wavdat"));
    setKind(kindOf(run().waveKind), false);
    hide();
    Dialogs::message(this,
                     QStringLiteral("Las nuevas opciones son activas despues de reiniciar el programa!"),
                     QMessageBox::Ok, QMessageBox::Warning);
}

void mojCorvin::Form_Unload()
{
    // The program is ending: the music ends with it.
    player->setCommand(QStringLiteral("stop"));
    player->setCommand(QStringLiteral("close"));
}

void mojCorvin::closedByFrame()
{
    hide();
}

void mojCorvin::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        hide(); // as its close: the music goes on
        return;
    }
    QWidget::keyPressEvent(e);
}
