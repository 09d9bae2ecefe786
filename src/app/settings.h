#pragma once

#include <QString>

// The per-user options store: one INI section "Opciones" under the application
// "Orbelle". Keys are matched without regard to letter case, every value is text and a
// key that was never written reads as the empty string. Nothing else in the program
// touches QSettings.
class Settings
{
public:
    static QString get(const QString &key);
    // False when the store could not be written (a read-only file or folder, a full disk);
    // the value is then known to this run only.
    static bool set(const QString &key, const QString &value);

    // Where the store lives; tests point XDG_CONFIG_HOME elsewhere before the first use.
    static QString fileName();
    // Drops what was read so the next access reads the file anew.
    static void reopen();
};
