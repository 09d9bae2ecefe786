#include "startup.h"

#include "anima.h"
#include "carddatabase.h"
#include "dialogs.h"
#include "info.h"
#include "modOrbelle.h"
#include "panels.h"
#include "popup.h"
#include "start.h"
#include "windows.h"

#include <QDir>

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
    modOrbelle::dbPath = p.path;
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

void registerWindows()
{
    WindowRegistry::registerFactory(QStringLiteral("Start"), [] { return WindowRegistry::get<Start>(); });
    WindowRegistry::registerFactory(QStringLiteral("anima"), [] { return WindowRegistry::get<anima>(); });
    WindowRegistry::registerFactory(QStringLiteral("meld"), [] { return WindowRegistry::get<meld>(); });
    WindowRegistry::registerFactory(QStringLiteral("einfF"), [] { return WindowRegistry::get<einfF>(); });
    WindowRegistry::registerFactory(QStringLiteral("info"), [] { return WindowRegistry::get<info>(); });
    WindowRegistry::registerFactory(QStringLiteral("frmMeni"), [] { return WindowRegistry::get<frmMeni>(); });
}

void showIntro()
{
    anima *intro = WindowRegistry::get<anima>();
    if (intro->loaded())
        intro->show();
}

} // namespace Shell
