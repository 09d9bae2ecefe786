#pragma once

#include <QStringList>
#include <QUrl>

// Opens a web or mail address with the desktop's default handler. Tests collect the
// addresses instead.
namespace Platform {
bool openUrl(const QUrl &url);
void setCollectingUrls(bool on);
QStringList collectedUrls();
} // namespace Platform
