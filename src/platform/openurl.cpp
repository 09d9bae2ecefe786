#include "openurl.h"

#include <QDesktopServices>

namespace Platform {

bool openUrl(const QUrl &url)
{
    const bool ok = QDesktopServices::openUrl(url);
    if (!ok)
        qWarning("orbelle: no program here opens %s", qPrintable(url.toString()));
    return ok;
}

} // namespace Platform
