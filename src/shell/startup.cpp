#include "startup.h"

#include "anima.h"
#include "carddatabase.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "info.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "reportrecovery.h"
#include "settings.h"
#include "start.h"
#include "windows.h"

#include <QDir>
#include <QImageReader>

namespace Shell {

bool openCardData()
{
    const CardDatabase::Prepared p = CardDatabase::prepare();
    if (!p.fatal.isEmpty()) {
        Dialogs::message(nullptr, p.fatal, QMessageBox::Ok, QMessageBox::Critical);
        return false;
    }
    if (!p.notice.isEmpty())
        Dialogs::message(nullptr, p.notice, QMessageBox::Ok, QMessageBox::Warning);
    modOrbelle::state().dbPath = p.path;
    QString error;
    if (!CardDatabase::openShared(p.path, &error)) {
        Dialogs::message(nullptr,
                         QStringLiteral("No se puede abrir la base de datos de las cartas:\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(p.path), error),
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
        QImageReader reader(CardPictures::path(folder, card));
        const QSize size = reader.size();
        if (!size.isValid())
            continue;
        // Decoded small: JPEG scales while it decodes, so the check costs little.
        reader.setScaledSize(size / 8);
        if (!reader.read().isNull())
            return true;
    }
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
    WindowRegistry::registerWindow<Start>(WindowId::Start);
    WindowRegistry::registerWindow<anima>(WindowId::anima);
    WindowRegistry::registerWindow<meld>(WindowId::meld);
    WindowRegistry::registerWindow<einfF>(WindowId::einfF);
    WindowRegistry::registerWindow<info>(WindowId::info);
    WindowRegistry::registerWindow<frmMeni>(WindowId::frmMeni);
}

} // namespace Shell

namespace modOrbelle {

void Main()
{
    // 1.–5. The settings and the shared values they fill.
    readStartSettings();
    // The database the whole program reads. Without it nothing can be shown; the user is
    // told which file is missing and the program ends.
    if (!Shell::openCardData()) {
        Program::end(1);
        return;
    }
    // The deck: one that cannot be read is forgotten and this start ends without a word.
    if (!Shell::deckReadable(state().imageFolder)) {
        Settings::set(QStringLiteral("Imagenes"), QString());
        Program::end(0);
        return;
    }
    // 6. The intro takes over from here.
    WindowRegistry::get<anima>()->show();
}

} // namespace modOrbelle
