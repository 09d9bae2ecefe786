#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class MediaDevice;

// The windows' media control: set the options, the device type and the file name, then
// send a command ("open", "play", "stop", "close", in any letter case). Nothing here ever
// blocks for the length of a sound and nothing reaches the user as a dialog: a device that
// cannot play simply stays silent and says why once in the log.
//
// Device types: "waveaudio" (Qt Multimedia, when the machine has an audio output),
// "sequencer" (MIDI through FluidSynth), "CDAudio" (no audio CD drive here: fails
// silently). Where no sound can be made, a silent device stands in that still reports
// the end of a file after the file's own duration, so track sequences go on.
class MediaControl : public QObject
{
    Q_OBJECT
public:
    // The states of a media control device.
    enum Mode { NotOpen = 524, Stopped = 525, Playing = 526, Open = 530 };
    Q_ENUM(Mode)
    // What the done signal reports for a command that asked to be notified.
    enum NotifyCode { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };
    Q_ENUM(NotifyCode)

    explicit MediaControl(QObject *parent = nullptr);
    ~MediaControl() override;

    // Notification and wait apply to the next command only.
    void setNotify(bool on) { m_notify = on; }
    bool notify() const { return m_notify; }
    void setWait(bool on) { m_wait = on; }
    bool wait() const { return m_wait; }
    void setShareable(bool on) { m_shareable = on; }
    void setDeviceType(const QString &type) { m_deviceType = type; }
    void setFileName(const QString &file) { m_fileName = file; }

    void setCommand(const QString &command);

    Mode mode() const;
    bool isPlaying() const { return mode() == Playing; }
    // Which device plays: "waveaudio", "sequencer", "silent", "recording" or empty.
    QString backend() const;

    // --- for tests: every command of every control goes to a recorder instead ---
    struct Event
    {
        QString command; // lower case
        QString deviceType;
        QString fileName;
    };
    static void startRecording();
    static void stopRecording();
    static bool recording();
    static QList<Event> recorded();
    static QStringList recordedCommands(); // "play zvuk.wav" (command and file's name)
    static void clearRecorded();
    // Whether a sound system is there to play through (false: the silent device plays).
    static bool audioAvailable();
    // How many output streams the program holds open to the sound system: one for each
    // sound or piece playing, none at rest (a little after the last one ended or stopped).
    static int openOutputs();
    // MIDI music plays on the program's own SoundFont (orbelle.sf2 in the program folder,
    // the few presets its own music uses) when that holds every preset the file uses, and
    // on the General MIDI SoundFont otherwise, or when the own one is missing or broken.
    static void setSoundFont(const QString &path); // the General MIDI one
    static QString soundFont();
    static void setOwnSoundFont(const QString &path); // empty: the program folder's
    static QString ownSoundFont();
    // By the file's content; a file that cannot be read goes to the General MIDI one.
    static QString soundFontFor(const QString &midiFile);

signals:
    // The file played to its end (not after stop or close).
    void playbackFinished();
    // A "play" found nothing it could play: the open had failed, or the device gave up on
    // the file. Reported from the event loop, once per such "play"; the reason is in the
    // log already.
    void playbackFailed();
    // Completion of a command sent while notify was on.
    void done(int notifyCode);

private:
    void open();
    void finished();
    void deviceFailed(const QString &why);
    void reportFailedPlay();
    void logOnce(const QString &what);

    bool m_notify = false;
    bool m_wait = false;
    bool m_shareable = false;
    QString m_deviceType;
    QString m_fileName;
    std::unique_ptr<MediaDevice> m_device;
    bool m_pendingNotify = false;
    bool m_openFailed = false; // the last open found nothing to play, and said why
    bool m_playAsked = false;  // a "play" since the last open, stop or close
    QStringList m_logged;
};
