#pragma once

#include <QObject>
#include <QString>

// One way of making sound. A device plays one file; it reports the end of that file
// through `finished`, on the user-interface thread, once per play to the end.
class MediaDevice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaDevice() override = default;

    // False, with a reason, when the file cannot be played by this device.
    virtual bool open(const QString &file, QString *why) = 0;
    // From the start when the file has been played to its end, else from where it stood.
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    virtual QString name() const = 0;

signals:
    void finished();
    // The file turned out not to play after all, found after `open` had taken it.
    void failed(const QString &why);
};

namespace MediaDevices {
enum class Kind { Wave, Midi, Any };
// Whether the machine has an audio output for wave sounds (loads Qt Multimedia).
bool audioAvailable();
MediaDevice *makeWave(QObject *parent);
// `voices`: the most notes the synthesiser sounds at once; 0 for FluidSynth's default.
MediaDevice *makeSequencer(QObject *parent, const QString &soundFont, int voices, QString *why);
MediaDevice *makeSilent(QObject *parent, const QString &name, Kind kind);
// The output streams open to the sound system right now, of every device (and of the
// MIDI engine kept for the next piece). None while nothing sounds.
int openOutputs();
} // namespace MediaDevices
