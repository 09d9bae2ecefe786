#include "mediacontrol.h"

#include "mediadevice.h"
#include "mediafiles.h"
#include "paths.h"
#include "sf2file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <set>
#include <utility>

namespace {
struct Recorder
{
    bool on = false;
    QList<MediaControl::Event> events;
};
Recorder &recorder()
{
    static Recorder r;
    return r;
}
QString &soundFontPath()
{
    static QString path = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    return path;
}
QString &ownSoundFontPath()
{
    static QString path; // empty: the one in the program folder
    return path;
}

// The own pieces never sound more than 63 voices at once (bench/soundfontbench renders
// them all: each sounds the same with this limit as with FluidSynth's 256), so the engine
// that plays them keeps half as many again, not 256: every voice FluidSynth keeps ready
// costs about 10 KB whether it sounds or not.
constexpr int kOwnSoundFontVoices = 96;

// The presets of the own SoundFont, read once per version of the file (its preset list
// only, a few hundred bytes). Null when it is missing or unreadable, which is said once.
const std::set<MidiScan::Preset> *ownPresets(const QString &path)
{
    struct Cache
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool ok = false;
        std::set<MidiScan::Preset> presets;
    };
    static Cache cache;
    static QSet<QString> reported;
    const QFileInfo info(path);
    if (info.size() != cache.size || info.lastModified() != cache.modified || path != cache.path) {
        cache = Cache{path, info.size(), info.lastModified(), false, {}};
        std::string why = "not found";
        Sf2::Font font;
        if (info.isFile()) {
            std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
            cache.ok = in && Sf2::read(in, &font, &why);
        }
        for (std::size_t i = 0; cache.ok && i + 1 < font.presets.size(); ++i)
            cache.presets.insert({font.presets[i].bank, font.presets[i].preset});
        if (!cache.ok && !reported.contains(path)) {
            reported.insert(path);
            qWarning("orbelle: sound: the program's SoundFont %s cannot be used (%s); the music plays on %s",
                     qPrintable(path), why.c_str(), qPrintable(soundFontPath()));
        }
    }
    return cache.ok ? &cache.presets : nullptr;
}
} // namespace

MediaControl::MediaControl(QObject *parent) : QObject(parent) {}

MediaControl::~MediaControl() = default;

bool MediaControl::audioAvailable()
{
    return MediaDevices::audioAvailable();
}

int MediaControl::openOutputs()
{
    return MediaDevices::openOutputs();
}

void MediaControl::setSoundFont(const QString &path)
{
    soundFontPath() = path;
}

QString MediaControl::soundFont()
{
    return soundFontPath();
}

void MediaControl::setOwnSoundFont(const QString &path)
{
    ownSoundFontPath() = path;
}

QString MediaControl::ownSoundFont()
{
    const QString &path = ownSoundFontPath();
    return path.isEmpty() ? Paths::join(Paths::programFolder(), QStringLiteral("orbelle.sf2")) : path;
}

QString MediaControl::soundFontFor(const QString &midiFile)
{
    const QString own = ownSoundFont();
    std::set<MidiScan::Preset> used;
    if (!MediaFiles::midiPresets(midiFile, &used))
        return soundFontPath();
    const std::set<MidiScan::Preset> *have = ownPresets(own);
    return have && std::includes(have->begin(), have->end(), used.begin(), used.end()) ? own
                                                                                       : soundFontPath();
}

MediaControl::Mode MediaControl::mode() const
{
    if (!m_device)
        return NotOpen;
    return m_device->isPlaying() ? Playing : Stopped;
}

QString MediaControl::backend() const
{
    return m_device ? m_device->name() : QString();
}

void MediaControl::setCommand(const QString &command)
{
    const QString c = command.trimmed().toLower();
    // Wait and notification are options of one command.
    const bool notifyThis = m_notify;
    m_notify = false;
    m_wait = false;

    if (recorder().on)
        recorder().events.append({c, m_deviceType, m_fileName});

    int result = Successful;
    if (c == QLatin1String("open")) {
        open();
        if (!m_device)
            result = Failure;
    } else if (c == QLatin1String("play")) {
        if (!m_device) {
            if (!m_openFailed)
                logOnce(QStringLiteral("play without an open file"));
            reportFailedPlay();
            result = Failure;
        } else {
            m_playAsked = true;
            if (m_pendingNotify)
                emit done(Superseded);
            m_device->play();
            // A play that asked to be notified reports when the file has ended.
            m_pendingNotify = notifyThis;
            return;
        }
    } else if (c == QLatin1String("stop")) {
        m_playAsked = false;
        if (m_device)
            m_device->stop();
        if (m_pendingNotify) {
            m_pendingNotify = false;
            emit done(Aborted);
        }
    } else if (c == QLatin1String("close")) {
        m_device.reset();
        m_playAsked = false;
        if (m_pendingNotify) {
            m_pendingNotify = false;
            emit done(Aborted);
        }
    } else {
        logOnce(QStringLiteral("unknown command \"%1\"").arg(command));
        result = Failure;
    }
    if (notifyThis) {
        // Reported from the event loop, as the device would: the handler may send the
        // next command without re-entering this one.
        QTimer::singleShot(0, this, [this, result] { emit done(result); });
    }
}

void MediaControl::open()
{
    m_device.reset();
    m_pendingNotify = false;
    m_playAsked = false;
    m_openFailed = true; // until a device has taken the file
    const QString type = m_deviceType.trimmed().toLower();
    QString why;
    MediaDevice *device = nullptr;

    if (recorder().on) {
        device = MediaDevices::makeSilent(nullptr, QStringLiteral("recording"), MediaDevices::Kind::Any);
    } else if (type == QLatin1String("waveaudio")) {
        device = audioAvailable()
                     ? MediaDevices::makeWave(nullptr)
                     : MediaDevices::makeSilent(nullptr, QStringLiteral("silent"), MediaDevices::Kind::Wave);
    } else if (type == QLatin1String("sequencer")) {
        const QString font = soundFontFor(m_fileName);
        const int voices = font == soundFontPath() ? 0 : kOwnSoundFontVoices;
        device = MediaDevices::makeSequencer(nullptr, font, voices, &why);
        if (!device) {
            logOnce(QStringLiteral("MIDI music stays silent: %1").arg(why));
            device = MediaDevices::makeSilent(nullptr, QStringLiteral("silent"), MediaDevices::Kind::Midi);
        }
    } else if (type == QLatin1String("cdaudio")) {
        logOnce(QStringLiteral("no audio CD drive"));
        return;
    } else {
        logOnce(QStringLiteral("unknown device type \"%1\"").arg(m_deviceType));
        return;
    }

    m_device.reset(device);
    if (!m_device->open(m_fileName, &why)) {
        logOnce(QStringLiteral("%1: %2").arg(m_fileName, why));
        m_device.reset();
        return;
    }
    m_openFailed = false;
    connect(m_device.get(), &MediaDevice::finished, this, &MediaControl::finished);
    connect(m_device.get(), &MediaDevice::failed, this, &MediaControl::deviceFailed);
}

void MediaControl::deviceFailed(const QString &why)
{
    // A failing output may say so more than once before it is gone, and a device
    // already let go may still be on its way out: only the current one counts.
    if (!m_device || sender() != m_device.get())
        return;
    logOnce(QStringLiteral("%1: %2").arg(m_fileName, why));
    // The device is the sender: it goes once its signal has returned.
    disconnect(m_device.get(), nullptr, this, nullptr);
    m_device.release()->deleteLater();
    m_openFailed = true;
    if (std::exchange(m_pendingNotify, false))
        emit done(Failure);
    if (std::exchange(m_playAsked, false))
        reportFailedPlay();
}

void MediaControl::reportFailedPlay()
{
    // From the event loop: the handler may open and play the next file without
    // re-entering this command.
    QTimer::singleShot(0, this, [this] { emit playbackFailed(); });
}

void MediaControl::finished()
{
    emit playbackFinished();
    if (m_pendingNotify) {
        m_pendingNotify = false;
        emit done(Successful);
    }
}

void MediaControl::logOnce(const QString &what)
{
    if (m_logged.contains(what))
        return;
    m_logged << what;
    qWarning("orbelle: sound: %s", qPrintable(what));
}

void MediaControl::startRecording()
{
    recorder().on = true;
    recorder().events.clear();
}

void MediaControl::stopRecording()
{
    recorder().on = false;
}

bool MediaControl::recording()
{
    return recorder().on;
}

QList<MediaControl::Event> MediaControl::recorded()
{
    return recorder().events;
}

QStringList MediaControl::recordedCommands()
{
    QStringList out;
    for (const Event &e : recorder().events) {
        const QString file = QFileInfo(e.fileName).fileName();
        out << (e.command == QLatin1String("open") || e.command == QLatin1String("play")
                    ? e.command + QLatin1Char(' ') + file
                    : e.command);
    }
    return out;
}

void MediaControl::clearRecorded()
{
    recorder().events.clear();
}
