#include "mojcorvin.h"

#include "dialogs.h"
#include "filelists.h"
#include "info.h"
#include "mediacontrol.h"
#include "modOrbelle.h"
#include "paths.h"
#include "program.h"
#include "settings.h"
#include "theme.h"
#include "twips.h"

#include <QGridLayout>
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
    mnuMus = menuBar->addMenu(QStringLiteral("Musica Si - No"));
    mnuAus = mnuMus->addAction(QStringLiteral("No"));
    mnuAn = mnuMus->addAction(QStringLiteral("Sí"));
    mnuWavMid = menuBar->addMenu(QStringLiteral("Wave, Midi, CD-Player"));
    mnuWav = mnuWavMid->addAction(QStringLiteral("Wave"));
    mnuMidi = mnuWavMid->addAction(QStringLiteral("Midi "));
    mnuCD = mnuWavMid->addAction(QStringLiteral("CD-ROM-Player "));
    // A menu title without entries: choosing it is the command.
    mnuHilfe = menuBar->addAction(QStringLiteral("Ayuda"));

    Drive1 = new FileLists::DriveList(this);
    Dir1 = new FileLists::DirList(this);
    File1 = new FileLists::FileList(this);
    File1->setPattern(QStringLiteral("*.mid"));
    Label1 = new QLabel(QStringLiteral("Midi-Player activo!"), this);
    Label2 = new QLabel(QStringLiteral("Busca tu carpeta de musica"), this);
    for (QLabel *l : {Label1, Label2}) {
        l->setFont(Theme::captionFont(10));
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
    }
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    MMControl1 = new MediaControl(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1->setObjectName(QStringLiteral("File1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Drive1->setAccessibleName(QStringLiteral("Unidad"));
    Dir1->setAccessibleName(QStringLiteral("Carpeta"));
    File1->setAccessibleName(QStringLiteral("Archivos de música"));

    auto *grid = new QGridLayout(this);
    grid->setMenuBar(menuBar);
    grid->addWidget(Label2, 0, 0, 1, 2);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Dir1, 2, 0);
    grid->addWidget(File1, 1, 1, 2, 1);
    grid->addWidget(Label1, 3, 0);
    grid->addWidget(Command1, 3, 1, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    resize(Twips::size(7200, 5400));

    FileLists::connectLists(Drive1, Dir1, File1);
    connect(File1, &FileLists::FileList::fileClicked, this, &mojCorvin::File1_Click);
    connect(mnuAn, &QAction::triggered, this, &mojCorvin::mnuAn_Click);
    connect(mnuAus, &QAction::triggered, this, &mojCorvin::mnuAus_Click);
    connect(mnuWav, &QAction::triggered, this, [this] { chooseKind(QStringLiteral("wave")); });
    connect(mnuMidi, &QAction::triggered, this, [this] { chooseKind(QString()); });
    connect(mnuCD, &QAction::triggered, this, [this] { chooseKind(QStringLiteral("cd")); });
    connect(mnuHilfe, &QAction::triggered, this, [] { WindowRegistry::get<info>()->showPlayerHelp(); });
    connect(Command1, &QPushButton::clicked, this, &mojCorvin::Command1_Click);
    // The device reports the end of a file on this thread; the next one follows from here.
    connect(MMControl1, &MediaControl::playbackFinished, this, &mojCorvin::MMControl1_Finished);
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
    MMControl1->setNotify(false);
    MMControl1->setWait(true);
    MMControl1->setShareable(false);
}

void mojCorvin::openTrack(int position)
{
    MMControl1->setFileName(Paths::join(musicFolder(), File1->entry(position)));
    MMControl1->setCommand(QStringLiteral("open"));
}

void mojCorvin::setKind(const Kind &kind, bool fromMenu)
{
    m_deviceType = kind.deviceType;
    File1->setPattern(kind.pattern);
    Label1->setText(fromMenu ? kind.menuLabel : kind.loadLabel);
}

void mojCorvin::Form_Load()
{
    const bool on = modOrbelle::isTrue(run().musicOn);
    setWindowTitle(on ? QStringLiteral("Tarot-Player: Musíca en el fondo activada")
                      : QStringLiteral("Tarot-Player: Musíca en el fondo no activada"));
    run().musicFolder = Settings::get(QStringLiteral("musPfad"));
    Drive1->setDrive(Settings::get(QStringLiteral("DrivePfad")));
    if (musicFolder().isEmpty())
        run().musicFolder = Paths::join(Paths::programFolder(), QStringLiteral("Klang/Ostrel"));
    setKind(kindOf(run().waveKind), false);
    m_track = 0;
    // The lists show the music folder whether or not the music is on, so the user sees
    // what would play before switching it on.
    Dir1->setPath(musicFolder());
    File1->setPath(Dir1->path().isEmpty() ? musicFolder() : Dir1->path());
    if (on) {
        setOpenOptions();
        MMControl1->setDeviceType(m_deviceType);
        openTrack(m_track);
    }
}

void mojCorvin::MMControl1_Finished()
{
    MMControl1->setCommand(QStringLiteral("Close"));
    if (m_track < File1->count() - 1 && modOrbelle::isTrue(run().musicOn)) {
        ++m_track;
        openTrack(m_track);
        MMControl1->setCommand(QStringLiteral("play"));
        save(kMusakt, QStringLiteral("ja"));
    } else {
        MMControl1->setCommand(QStringLiteral("Close"));
    }
}

void mojCorvin::File1_Click(const QString &name)
{
    MMControl1->setCommand(QStringLiteral("close"));
    MMControl1->setFileName(Paths::join(File1->path(), name));
    MMControl1->setCommand(QStringLiteral("open"));
    MMControl1->setCommand(QStringLiteral("play"));
    save(kMusakt, QStringLiteral("ja"));
}

void mojCorvin::mnuAn_Click()
{
    setWindowTitle(QStringLiteral("Tarot-Player: Musica en el fondo activa"));
    save(QStringLiteral("musikja"), QStringLiteral("ja"));
    File1->setPath(Dir1->path().isEmpty() ? musicFolder() : Dir1->path());
    run().musicOn = true;
    setOpenOptions();
    // The kind chosen in the menus, not only the one the program started with.
    MMControl1->setDeviceType(m_deviceType);
    // After "No" the position stands past the list: the music starts again from the top.
    if (m_track < 0 || m_track >= File1->count())
        m_track = 0;
    openTrack(m_track);
    MMControl1->setCommand(QStringLiteral("play"));
    save(kMusakt, QStringLiteral("ja"));
}

void mojCorvin::mnuAus_Click()
{
    save(QStringLiteral("musikja"), QString());
    m_track = File1->count() + 1;
    run().musicOn = false;
    setWindowTitle(QStringLiteral("Tarot-Player: Musica en el fondo no es activa"));
    MMControl1->setCommand(QStringLiteral("stop"));
    MMControl1->setCommand(QStringLiteral("close"));
    save(kMusakt, QString());
}

void mojCorvin::chooseKind(const QString &waveKind)
{
    MMControl1->setCommand(QStringLiteral("stop"));
    MMControl1->setCommand(QStringLiteral("close"));
    save(kMusakt, QString());
    save(QStringLiteral("wavdat"), waveKind);
    setKind(kindOf(waveKind), true);
}

void mojCorvin::Command1_Click()
{
    run().musicSetting = Settings::get(QStringLiteral("musikja"));
    if (!run().musicSetting.toString().isEmpty())
        run().musicOn = true;
    save(QStringLiteral("musPfad"), File1->path());
    save(QStringLiteral("DrivePfad"), Drive1->drive());
    save(QStringLiteral("musPfad"), File1->path());
    save(QStringLiteral("drivePfad"), Drive1->drive());
    save(kMusakt, QString());
    MMControl1->setCommand(QStringLiteral("stop"));
    MMControl1->setCommand(QStringLiteral("close"));
    save(kMusakt, QString());
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
    MMControl1->setCommand(QStringLiteral("stop"));
    MMControl1->setCommand(QStringLiteral("close"));
}

void mojCorvin::closedByFrame()
{
    hide();
}
