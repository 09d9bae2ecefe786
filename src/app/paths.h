#pragma once

#include <QString>

// Where the program finds its own files. The program folder holds the card database,
// the sounds and the backgrounds; in a build it is the executable's folder, once
// installed it is <prefix>/share/orbelle.
namespace Paths {

QString programFolder();
// Tests and the installed layout may name the folder explicitly.
void setProgramFolder(const QString &folder);

// Joins a folder and a relative name with exactly one "/" between them, so a folder
// that already ends with a separator (a drive root, "/") gives no doubled separator.
QString join(const QString &folder, const QString &name);

// The folder of the user's own copy of the card database.
QString userDataFolder();

// What the program writes for the user is the user's alone. Makes `folder` where it is
// missing and leaves it, with every level of it below the user's data or configuration
// folder, open to its owner only (0700). False when the folder cannot be made.
bool makePrivateFolder(const QString &folder);
// Takes the group's and others' rights from a file (a file made read-only stays so).
void makePrivateFile(const QString &file);

// The function `entry` of the program's module `fileName` (such as "orbelle_wave.so"):
// looked for beside the program in a build tree, at `installed` (relative to the
// program's folder) once installed, and at `built`, where the build made it, for the
// tests and benchmarks built elsewhere in the tree. Null, with the reason in `why`, when
// it cannot be loaded.
void *moduleEntry(const QString &fileName, const char *installed, const char *built, const char *entry,
                  QString *why);

} // namespace Paths
