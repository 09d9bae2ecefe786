#pragma once

#include "midiscan.h"

#include <QByteArray>
#include <QString>

#include <set>

// How long a sound or music file plays, read from the file itself. Used by the devices
// that cannot ask a sound system: the silent device and the recording device for tests.
// And which presets a MIDI file plays, for the choice of its SoundFont.
namespace MediaFiles {

// Milliseconds, or -1 when the file is missing or not a file of that kind.
qint64 waveDurationMs(const QString &path);
qint64 midiDurationMs(const QString &path);
// The same from the file's bytes.
qint64 waveDurationMs(const QByteArray &bytes);
// The presets a MIDI file sounds with (MidiScan::presetsUsed); false when it cannot be read.
bool midiPresets(const QString &path, std::set<MidiScan::Preset> *presets);
// By the file's content, whatever its name.
qint64 durationMs(const QString &path);

} // namespace MediaFiles
