#include "openurl.h"

#include <QDesktopServices>

namespace {
bool g_collect = false;
QStringList g_urls;
} // namespace

namespace Platform {

bool openUrl(const QUrl &url)
{
    if (g_collect) {
        g_urls << url.toString();
        return true;
    }
    const bool ok = QDesktopServices::openUrl(url);
    if (!ok)
        qWarning("orbelle: no program here opens %s", qPrintable(url.toString()));
    return ok;
}

void setCollectingUrls(bool on)
{
    g_collect = on;
    g_urls.clear();
}

QStringList collectedUrls()
{
    return g_urls;
}

} // namespace Platform
