#include "ordnersuchen.h"

#include "anima.h"
#include "cardpictures.h"
#include "designscale.h"
#include "dialogs.h"
#include "filelists.h"
#include "modOrbelle.h"
#include "panels.h"
#include "program.h"
#include "settings.h"
#include "start.h"
#include "theme.h"
#include "timing.h"
#include "twips.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kFolderKey = QStringLiteral("Imagenes");
const QString kDriveKey = QStringLiteral("gdjeLaufwerk");
constexpr QSize kDesign(7800, 6600);

// A folder the lists may show: it exists and its contents can be read.
bool enterable(const QString &folder)
{
    const QFileInfo f(folder);
    return !folder.trimmed().isEmpty() && f.isDir() && f.isExecutable() && QDir(folder).isReadable();
}

// The folder itself, or the nearest one above it that can be entered.
QString nearestEnterable(QString folder)
{
    folder = QDir::cleanPath(folder);
    while (!enterable(folder)) {
        const QString up = QFileInfo(folder).absolutePath();
        if (up == folder)
            return QDir::rootPath();
        folder = up;
    }
    return folder;
}

void cannot(QWidget *parent)
{
    Dialogs::message(parent, QStringLiteral("¡No posible!"), QMessageBox::Ok, QMessageBox::Critical);
}
} // namespace

void FileLists::applyLook(QWidget *list)
{
    QPalette pal = list->palette();
    const QColor paper = Theme::paper().toRgb();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, QColor(paper.red(), paper.green(), paper.blue()));
        pal.setColor(group, QPalette::AlternateBase, Theme::panelText());
        pal.setColor(group, QPalette::Text, Theme::ink());
        pal.setColor(group, QPalette::Highlight, Theme::backFrame());
        pal.setColor(group, QPalette::HighlightedText, Theme::panelText());
        pal.setColor(group, QPalette::Button, QColor(0x2a, 0x3d, 0x7a));
        pal.setColor(group, QPalette::ButtonText, Theme::panelText());
        pal.setColor(group, QPalette::WindowText, Theme::ink());
    }
    list->setPalette(pal);
}

ordnerSuchen::ordnerSuchen(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Conectar con otras barajas"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Theme::backFrame());
    pal.setColor(QPalette::WindowText, Theme::panelText());
    setPalette(pal);

    hintLabel = new QLabel(
        QStringLiteral(
            "Orbelle funciona con la baraja más conocida del mundo: Solvane-Tarot. Usted puede pero "
            "conectar el Programa con una otra baraja, que se encuentra en una carpeta. Usted puede "
            "tambien escanear los imagenes de la baraja que tiene, numerizar de 1 al 78, meter en una "
            "carpeta y conectar con el programa. En nuestra pagina de internet puede encuentrar links, "
            "donde se descargan barajas adicionales."),
        this);
    hintLabel->setWordWrap(true);
    hintLabel->setFont(Theme::captionFont(10));
    hintLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Theme::caption().name()));
    Drive1 = new FileLists::DriveList(this);
    Dir1 = new FileLists::DirList(this);
    File1 = new FileLists::FileList(this);
    File1->setPattern(QStringLiteral("*.jpg"));
    connectButton = new QPushButton(QStringLiteral("&Esta carpeta conectar"), this);
    connectButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("&Cancelar"), this);
    for (QWidget *list : std::initializer_list<QWidget *>{Drive1, Dir1, File1})
        FileLists::applyLook(list);
    Timer1 = new Timer(this, 200);

    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1->setObjectName(QStringLiteral("File1"));
    connectButton->setObjectName(QStringLiteral("connectButton"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Drive1->setAccessibleName(QStringLiteral("Unidad"));
    Dir1->setAccessibleName(QStringLiteral("Carpeta"));
    File1->setAccessibleName(QStringLiteral("Imágenes de la carpeta"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(hintLabel, 0, 0, 1, 2);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(Dir1, 2, 0);
    grid->addWidget(File1, 1, 1, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(connectButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, connectButton);
    setTabOrder(connectButton, cancelButton);
    resize(Twips::size(kDesign.width(), kDesign.height()));

    connect(Drive1, &FileLists::DriveList::driveChanged, this, &ordnerSuchen::Drive1_Change);
    connect(Dir1, &FileLists::DirList::pathChanged, this, &ordnerSuchen::Dir1_Change);
    connect(connectButton, &QPushButton::clicked, this, &ordnerSuchen::connectFolder);
    connect(cancelButton, &QPushButton::clicked, this, &ordnerSuchen::cancel);
    connect(Timer1, &QTimer::timeout, this, &ordnerSuchen::restart);
    DesignScale::install(this, size(), DesignScale::Layout::Managed);
}

void ordnerSuchen::Form_Load()
{
    // 1.–3. The connected folder, or the program's own deck.
    m_folder = Settings::get(kFolderKey);
    QString folder = m_folder;
    QString drive = Settings::get(kDriveKey);
    // A connected folder that is gone (a stick taken out) opens the lists on the
    // program's own deck, as a first start does.
    if (folder.isEmpty() || !enterable(folder)) {
        folder = CardPictures::ownDeck();
        drive.clear();
    }
    enter(folder);
    {
        QSignalBlocker quiet(Drive1);
        if (drive.isEmpty() || FileLists::DriveList::driveOf(drive).isEmpty())
            drive = folder;
        Drive1->setDrive(drive);
    }
    // 4.
    File1->setPath(Dir1->path());
}

bool ordnerSuchen::enter(const QString &folder)
{
    if (!enterable(folder))
        return false;
    m_entered = QDir::cleanPath(folder);
    Dir1->setPath(folder);
    return true;
}

void ordnerSuchen::Drive1_Change(const QString &drive)
{
    if (!enter(drive)) {
        cannot(this);
        // The lists keep their folder, and the drive list its drive.
        QSignalBlocker quiet(Drive1);
        Drive1->setDrive(m_entered);
    }
}

void ordnerSuchen::Dir1_Change(const QString &folder)
{
    if (!enterable(folder)) {
        cannot(this);
        // Back where the lists were, or above it when that has gone as well.
        const QString back = nearestEnterable(m_entered);
        if (back != QDir::cleanPath(folder))
            Dir1_Change(back);
        QSignalBlocker quiet(Dir1);
        Dir1->setPath(back);
        return;
    }
    m_entered = QDir::cleanPath(folder);
    File1->setPath(folder);
    QSignalBlocker quiet(Drive1);
    Drive1->setDrive(folder);
}

void ordnerSuchen::connectFolder()
{
    const QString folder = Dir1->path();
    // Only a whole deck is connected: a folder that lacks a card would leave a reading
    // without its picture.
    const CardPictures::DeckCheck check = CardPictures::checkDeck(folder);
    if (!check.complete()) {
        Dialogs::message(this, CardPictures::deckProblem(check), QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    // 1.
    const QString oldFolder = Settings::get(kFolderKey);
    const QString oldDrive = Settings::get(kDriveKey);
    const bool saved = Settings::set(kFolderKey, folder) && Settings::set(kDriveKey, Drive1->drive());
    if (!saved) {
        // Nothing is connected: a restart would come back with the old deck anyway.
        Settings::set(kFolderKey, oldFolder);
        Settings::set(kDriveKey, oldDrive);
        Dialogs::message(this,
                         QStringLiteral("No se puede guardar la configuración en\n%1\n\nLa baraja no se ha "
                                        "conectado.")
                             .arg(QDir::toNativeSeparators(Settings::fileName())),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_connected = folder;
    m_prepared = 1;
    // 2.
    modOrbelle::state().keepRunning = true;
    // 3.–4. Pending events run before the restart's tick; the main window goes (it keeps
    // the report's unsaved readings for the next one), and the intro with it.
    WindowRegistry::unload(WindowId::Start);
    WindowRegistry::unload(WindowId::anima);
    // A reading still open would go on with the old deck's pictures and the connection the
    // start-up opens anew: whatever else is open goes too.
    for (const QString &name : WindowRegistry::loaded()) {
        const std::optional<WindowId> id = WindowRegistry::idOf(name);
        if (id && *id != WindowId::ordnerSuchen && *id != WindowId::meld)
            WindowRegistry::unload(*id);
    }
    // 5.
    hide();
    Timer1->setEnabled(true);
    // 6.
    WindowRegistry::get<meld>()->showUntilUnloaded(QStringLiteral("¡El programa tiene que reinicíar!"));
}

void ordnerSuchen::restart()
{
    // Large progressive scans are brought to screen size before the start-up, a few each
    // tick while the panel is up, so no window has to decode them whole. Other decks have
    // nothing to prepare and the start-up follows at once.
    QElapsedTimer busy;
    busy.start();
    while (m_prepared <= 78 && busy.elapsed() < 150)
        CardPictures::prepare(m_connected, m_prepared++);
    if (m_prepared <= 78)
        return;
    // 1. The start-up again: the settings give the new deck, the intro the new main window.
    modOrbelle::Main();
    // 2.
    Timer1->setEnabled(false);
    WindowRegistry::unload(WindowId::meld);
    WindowRegistry::unload(this);
}

void ordnerSuchen::Form_Unload()
{
    Timer1->setEnabled(false);
}

void ordnerSuchen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The fonts follow the size as it changes: laid out for them now, not at the next turn
    // of the event loop, so the window never shows a caption cut by the old size.
    layout()->activate();
}

void ordnerSuchen::showEvent(QShowEvent *e)
{
    if (!m_placed) {
        m_placed = true;
        Program::openOnScreen(this, Twips::size(kDesign.width(), kDesign.height()));
    }
    QWidget::showEvent(e);
}

void ordnerSuchen::cancel()
{
    if (!Timer1->isActive())
        WindowRegistry::unload(this);
}

void ordnerSuchen::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QWidget::keyPressEvent(e);
}
