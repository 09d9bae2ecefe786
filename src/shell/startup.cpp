#include "startup.h"

#include "anima.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "info.h"
#include "modOrbelle.h"
#include "ordnersuchen.h"
#include "panels.h"
#include "paths.h"
#include "popup.h"
#include "program.h"
#include "reportrecovery.h"
#include "settings.h"
#include "start.h"
#include "windows.h"

#include <QDir>
#include <QGuiApplication>

Q_LOGGING_CATEGORY(lcStart, "orbelle.start", QtWarningMsg)

namespace Shell {

QString databaseProblem(const QString &error)
{
    return CardDatabase::problem(error);
}

bool openCardData()
{
    const CardDatabase::Prepared p = CardDatabase::prepare();
    if (!p.fatal.isEmpty()) {
        Dialogs::message(nullptr, p.fatal, QMessageBox::Ok, QMessageBox::Critical);
        return false;
    }
    if (!p.notice.isEmpty())
        Dialogs::message(nullptr, p.notice, QMessageBox::Ok, QMessageBox::Warning);
    modOrbelle::state().dbPath = p.own;
    qCInfo(lcStart, "card database %s", qPrintable(p.path));
    QString error;
    if (!CardDatabase::openShared(p.path, &error)) {
        Dialogs::message(nullptr,
                         QStringLiteral("No se puede abrir la base de datos de las cartas:\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(p.path), Shell::databaseProblem(error)),
                         QMessageBox::Ok, QMessageBox::Critical);
        return false;
    }
    return true;
}

bool deckReadable(const QString &folder)
{
    // One picture of the intro that decodes is enough: a folder that lost a few of them
    // still starts, with empty frames in the intro (it says which in the log). Only a
    // folder of which nothing can be read at all is given up.
    for (int card : anima::kCards) {
        if (CardPictures::decodes(CardPictures::path(folder, card)))
            return true;
    }
    return false;
}

bool settleDeck()
{
    RunState &run = modOrbelle::state();
    if (deckReadable(run.imageFolder))
        return true;
    const QString own = CardPictures::ownDeck();
    const QString lost = run.imageFolder;
    if (QDir::cleanPath(lost) != QDir::cleanPath(own) && deckReadable(own)) {
        run.imageFolder = own;
        // Once a run: a restart that comes back to the same lost folder says nothing new.
        static QStringList told;
        if (!told.contains(lost)) {
            told << lost;
            Dialogs::message(nullptr,
                             QStringLiteral("No se encuentra la baraja conectada en la carpeta\n%1\n(o no se "
                                            "puede leer).\n\nOrbelle usa su propia baraja. Con «Barajas» "
                                            "puede conectar otra.")
                                 .arg(QDir::toNativeSeparators(lost)),
                             QMessageBox::Ok, QMessageBox::Warning);
        }
        return true;
    }
    Dialogs::message(nullptr,
                     QStringLiteral("No se pueden leer las imágenes de las cartas en la carpeta\n%1")
                         .arg(QDir::toNativeSeparators(own)),
                     QMessageBox::Ok, QMessageBox::Critical);
    return false;
}

void offerRecovery(QWidget *mainWindow)
{
    static bool offered = false;
    if (offered)
        return;
    offered = true;
    ReportRecovery::offerAtStart(mainWindow);
}

void registerWindows()
{
    WindowRegistry::registerWindow<Start>();
    WindowRegistry::registerWindow<anima>();
    WindowRegistry::registerWindow<meld>();
    WindowRegistry::registerWindow<einfF>();
    WindowRegistry::registerWindow<info>();
    WindowRegistry::registerWindow<frmMeni>();
    WindowRegistry::registerWindow<ordnerSuchen>();
}

} // namespace Shell

namespace modOrbelle {

void Main()
{
    // On X11 the window's class is the application's name; under Wayland the desktop entry
    // names the window. The desktop entry's StartupWMClass and file name follow these.
    qCInfo(lcStart, "desktop entry %s.desktop, window class %s",
           qPrintable(QGuiApplication::desktopFileName()), qPrintable(QGuiApplication::applicationName()));
    qCInfo(lcStart, "program folder %s", qPrintable(Paths::programFolder()));
    // 1.–5. The settings and the shared values they fill.
    readStartSettings();
    // The database the whole program reads. Without it nothing can be shown; the user is
    // told which file is missing and the program ends.
    if (!Shell::openCardData()) {
        Program::end(1);
        return;
    }
    qCInfo(lcStart, "card pictures %s", qPrintable(state().imageFolder));
    // The deck: a connected one that is gone gives way to the program's own.
    if (!Shell::settleDeck()) {
        Program::end(1);
        return;
    }
    // 6. The intro takes over from here.
    WindowRegistry::get<anima>()->show();
}

} // namespace modOrbelle
