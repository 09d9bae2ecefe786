#pragma once

#include <QString>

// How long a sound or music file plays, read from the file itself. Used by the devices
// that cannot ask a sound system: the silent device and the recording device for tests.
namespace MediaFiles {

// Milliseconds, or -1 when the file is missing or not a file of that kind.
int waveDurationMs(const QString &path);
int midiDurationMs(const QString &path);
// By the file's content, whatever its name.
int durationMs(const QString &path);

} // namespace MediaFiles
