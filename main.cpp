#include "allwindows.h"
#include "firstpaint.h"
#include "modOrbelle.h"
#include "startup.h"
#include "theme.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Qt's FFmpeg media backend crashes without an audio device; GStreamer does not.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");

    QApplication app(argc, argv);
    FirstPaint::installIfAsked();
    QApplication::setOrganizationName(QStringLiteral("Orbelle"));
    QApplication::setApplicationName(QStringLiteral("Orbelle"));
    // The desktop entry and icon of the installed program carry this name; the desktop
    // matches the running windows to them by it.
    QApplication::setDesktopFileName(QStringLiteral(ORBELLE_APP_ID));

    // Arial, as the windows were designed with (Liberation Sans has its metrics).
    QFont font(QStringLiteral("Arial"), 9);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    // The standard dialogs speak Spanish, whatever the desktop's language.
    QTranslator qtSpanish;
    if (qtSpanish.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));

    // The program's own look for every standard control.
    app.setStyleSheet(Theme::styleSheet());

    registerAllWindows();
    modOrbelle::Main();
    return QApplication::exec();
}
