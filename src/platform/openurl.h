#pragma once

#include <QUrl>

// Opens a web or mail address with the desktop's default handler.
namespace Platform {
bool openUrl(const QUrl &url);
} // namespace Platform
