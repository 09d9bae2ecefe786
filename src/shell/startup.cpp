#include "startup.h"

#include "carddatabase.h"
#include "dialogs.h"
#include "modOrbelle.h"
#include "start.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

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

void showIntro()
{
    if (!openCardData()) {
        // Leave the event loop as soon as it starts; nothing else is shown.
        QTimer::singleShot(0, qApp, [] { QApplication::exit(1); });
        return;
    }
    WindowRegistry::get<Start>()->show();
}

} // namespace Shell
