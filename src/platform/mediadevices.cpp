#include "mediadevice.h"
#include "mediafiles.h"
#include "timing.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QMutex>
#include <QTimer>
#include <QUrl>

#include <fluidsynth.h>

#include <atomic>
#include <memory>

namespace {

// ---------------------------------------------------------------------------------------
// Plays nothing, but keeps time: the end of a file is reported after the file's own
// duration (at the program's time scale), so a sequence of tracks still advances.
class SilentDevice : public MediaDevice
{
public:
    SilentDevice(QObject *parent, const QString &name, MediaDevices::Kind kind)
        : MediaDevice(parent),
          m_name(name),
          m_kind(kind)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may end a file 5 % early
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_playedMs = m_durationMs;
            m_playing = false;
            emit finished();
        });
    }

    bool open(const QString &file, QString *why) override
    {
        const bool recording = m_name == QStringLiteral("recording");
        if (!QFileInfo(file).isFile() && !recording) {
            *why = QStringLiteral("file not found");
            return false;
        }
        // A silent stand-in refuses what the real device would refuse.
        m_durationMs = m_kind == MediaDevices::Kind::Wave   ? MediaFiles::waveDurationMs(file)
                       : m_kind == MediaDevices::Kind::Midi ? MediaFiles::midiDurationMs(file)
                                                            : MediaFiles::durationMs(file);
        if (m_durationMs < 0) {
            if (!recording) {
                *why = m_kind == MediaDevices::Kind::Wave ? QStringLiteral("not a wave file")
                                                          : QStringLiteral("not a MIDI file");
                return false;
            }
            m_durationMs = 0;
        }
        m_playedMs = 0;
        return true;
    }

    void play() override
    {
        if (m_playing)
            return;
        if (m_playedMs >= m_durationMs)
            m_playedMs = 0;
        m_playing = true;
        m_clock.start();
        m_timer.start(Timer::scaled(m_durationMs - m_playedMs));
    }

    void stop() override
    {
        if (!m_playing)
            return;
        m_timer.stop();
        m_playedMs = qMin(m_durationMs, m_playedMs + int(m_clock.elapsed() / qMax(Timer::timeScale(), 1e-6)));
        m_playing = false;
    }

    bool isPlaying() const override { return m_playing; }
    QString name() const override { return m_name; }

private:
    QString m_name;
    MediaDevices::Kind m_kind;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_durationMs = 0;
    int m_playedMs = 0;
    bool m_playing = false;
};

// ---------------------------------------------------------------------------------------
// Wave files through Qt Multimedia. Only made when the machine has an audio output:
// without one, Qt's players never report the end of a sound.
class WaveDevice : public MediaDevice
{
public:
    explicit WaveDevice(QObject *parent) : MediaDevice(parent)
    {
        m_player.setAudioOutput(&m_output);
        connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::EndOfMedia && !m_atEnd) {
                m_atEnd = true;
                emit finished();
            }
        });
        connect(&m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &text) {
                    if (!m_reported) {
                        m_reported = true;
                        qWarning("orbelle: sound: %s: %s", qPrintable(m_player.source().toLocalFile()),
                                 qPrintable(text));
                    }
                });
    }

    bool open(const QString &file, QString *why) override
    {
        if (!QFileInfo(file).isFile()) {
            *why = QStringLiteral("file not found");
            return false;
        }
        if (MediaFiles::waveDurationMs(file) < 0) {
            *why = QStringLiteral("not a wave file");
            return false;
        }
        m_atEnd = false;
        m_player.setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
        return true;
    }

    void play() override
    {
        if (m_player.playbackState() == QMediaPlayer::PlayingState)
            return;
        if (m_atEnd) {
            m_atEnd = false;
            m_player.setPosition(0);
        }
        m_player.play();
    }

    void stop() override { m_player.pause(); }
    bool isPlaying() const override { return m_player.playbackState() == QMediaPlayer::PlayingState; }
    QString name() const override { return QStringLiteral("waveaudio"); }

private:
    QMediaPlayer m_player;
    QAudioOutput m_output;
    bool m_atEnd = false;
    bool m_reported = false;
};

// ---------------------------------------------------------------------------------------
// MIDI through FluidSynth. The end of the music is the player's tick reaching the file's
// last tick; FluidSynth's own "done" status comes seconds later, after the reverb tail.

QMutex g_fluidMessageLock;
QString g_fluidMessage;

void fluidLog(int level, const char *message, void *)
{
    // FluidSynth's own messages would land on the terminal; keep the last error as the
    // reason a device could not start, and drop the rest.
    if (level <= FLUID_ERR) {
        QMutexLocker lock(&g_fluidMessageLock);
        g_fluidMessage = QString::fromLocal8Bit(message);
    }
}

QString takeFluidMessage()
{
    QMutexLocker lock(&g_fluidMessageLock);
    return std::exchange(g_fluidMessage, QString());
}

void quietFluid()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, fluidLog, nullptr);
}

// One synthesizer with its SoundFont and audio output, shared by the sequencer devices.
// Loading the SoundFont and opening the output take a good second; the music player
// opens a new device for every piece, so the synthesizer outlives its devices by a few
// seconds and the next piece starts without a gap. When no device has used it for that
// long it is freed, so an idle program keeps no audio thread.
class Synthesizer
{
public:
    static std::shared_ptr<Synthesizer> acquire(const QString &soundFont, QString *why)
    {
        std::shared_ptr<Synthesizer> &kept = current();
        if (kept && kept->m_soundFont == soundFont)
            return kept;
        auto made = std::shared_ptr<Synthesizer>(new Synthesizer(soundFont));
        if (!made->start(why))
            return nullptr;
        kept = made;
        return kept;
    }

    // A device let go of the synthesizer: free it once nobody has taken it again for a while.
    static void released()
    {
        if (!QCoreApplication::instance())
            return;
        QTimer::singleShot(kIdleMs, QCoreApplication::instance(), [] {
            std::shared_ptr<Synthesizer> &kept = current();
            if (kept && kept.use_count() == 1)
                kept.reset();
        });
    }

    ~Synthesizer()
    {
        // The audio thread goes first, so nothing renders while the rest is freed.
        if (m_driver)
            delete_fluid_audio_driver(m_driver);
        if (m_synth)
            delete_fluid_synth(m_synth);
        if (m_settings)
            delete_fluid_settings(m_settings);
    }

    fluid_synth_t *synth() const { return m_synth; }

private:
    static constexpr int kIdleMs = 10000;

    explicit Synthesizer(const QString &soundFont) : m_soundFont(soundFont) {}

    static std::shared_ptr<Synthesizer> &current()
    {
        static std::shared_ptr<Synthesizer> kept;
        static const bool once = [] {
            // Freed with the application, while the libraries it uses are still there.
            qAddPostRoutine([] { current().reset(); });
            return true;
        }();
        Q_UNUSED(once);
        return kept;
    }

    bool start(QString *why)
    {
        quietFluid();
        takeFluidMessage();
        if (!QFileInfo(m_soundFont).isFile()) {
            *why = QStringLiteral("SoundFont %1 not found").arg(m_soundFont);
            return false;
        }
        m_settings = new_fluid_settings();
        fluid_settings_setnum(m_settings, "synth.gain", 0.6);
        fluid_settings_setint(m_settings, "synth.reverb.active", 1);
        m_synth = new_fluid_synth(m_settings);
        if (!m_synth ||
            fluid_synth_sfload(m_synth, QFile::encodeName(m_soundFont).constData(), 1) == FLUID_FAILED) {
            *why = QStringLiteral("SoundFont %1 could not be loaded").arg(m_soundFont);
            return false;
        }
        for (const char *driver : {"pulseaudio", "alsa"}) {
            // Without a sound card ALSA only fills the terminal with complaints.
            if (qstrcmp(driver, "alsa") == 0 &&
                QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcm*")}, QDir::System).isEmpty())
                continue;
            fluid_settings_setstr(m_settings, "audio.driver", driver);
            m_driver = new_fluid_audio_driver(m_settings, m_synth);
            if (m_driver)
                return true;
        }
        const QString detail = takeFluidMessage();
        *why = QStringLiteral("no audio output") +
               (detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')'));
        return false;
    }

    QString m_soundFont;
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_audio_driver_t *m_driver = nullptr;
};

class SequencerDevice : public MediaDevice
{
public:
    explicit SequencerDevice(QObject *parent) : MediaDevice(parent)
    {
        // Should the last tick ever be missed, FluidSynth's own end status (a few
        // seconds later) still ends the file.
        m_watch.setInterval(250);
        connect(&m_watch, &QTimer::timeout, this, [this] {
            if (m_player && fluid_player_get_status(m_player) == FLUID_PLAYER_DONE) {
                m_watch.stop();
                if (!m_ended.exchange(true))
                    emit finished();
            }
        });
    }

    ~SequencerDevice() override
    {
        dropPlayer();
        if (m_engine) {
            m_engine.reset();
            Synthesizer::released();
        }
    }

    bool start(const QString &soundFont, QString *why)
    {
        m_engine = Synthesizer::acquire(soundFont, why);
        if (!m_engine)
            return false;
        m_synth = m_engine->synth();
        return true;
    }

    bool open(const QString &file, QString *why) override
    {
        if (!QFileInfo(file).isFile()) {
            *why = QStringLiteral("file not found");
            return false;
        }
        if (MediaFiles::midiDurationMs(file) < 0) {
            *why = QStringLiteral("not a MIDI file");
            return false;
        }
        dropPlayer();
        m_player = new_fluid_player(m_synth);
        if (!m_player || fluid_player_add(m_player, QFile::encodeName(file).constData()) != FLUID_OK) {
            *why = QStringLiteral("FluidSynth refused the file");
            return false;
        }
        fluid_player_set_tick_callback(m_player, &SequencerDevice::onTick, this);
        m_ended = false;
        return true;
    }

    void play() override
    {
        if (!m_player || isPlaying())
            return;
        if (m_ended) {
            m_ended = false;
            fluid_player_seek(m_player, 0);
        }
        fluid_player_play(m_player);
        m_watch.start();
    }

    void stop() override
    {
        if (!m_player)
            return;
        m_watch.stop();
        fluid_player_stop(m_player);
        fluid_synth_all_notes_off(m_synth, -1);
    }

    bool isPlaying() const override
    {
        return m_player && !m_ended && fluid_player_get_status(m_player) == FLUID_PLAYER_PLAYING;
    }
    QString name() const override { return QStringLiteral("sequencer"); }

private:
    // The synthesizer plays on: the player's notes are ended, and its tick reports stop
    // before it is freed.
    void dropPlayer()
    {
        if (!m_player)
            return;
        m_watch.stop();
        fluid_player_set_tick_callback(m_player, nullptr, nullptr);
        fluid_player_stop(m_player);
        fluid_synth_all_notes_off(m_synth, -1);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }

    static int onTick(void *data, int tick)
    {
        auto *self = static_cast<SequencerDevice *>(data);
        const int total = fluid_player_get_total_ticks(self->m_player);
        if (total > 0 && tick >= total && !self->m_ended.exchange(true)) {
            // Runs on the audio thread; the end is handled on the user-interface thread.
            QMetaObject::invokeMethod(
                self, [self] { emit self->finished(); }, Qt::QueuedConnection);
        }
        return FLUID_OK;
    }

    std::shared_ptr<Synthesizer> m_engine;
    fluid_synth_t *m_synth = nullptr;
    fluid_player_t *m_player = nullptr;
    std::atomic<bool> m_ended{false};
    QTimer m_watch;
};

} // namespace

namespace MediaDevices {

MediaDevice *makeWave(QObject *parent)
{
    return new WaveDevice(parent);
}

MediaDevice *makeSequencer(QObject *parent, const QString &soundFont, QString *why)
{
    auto *d = new SequencerDevice(parent);
    if (!d->start(soundFont, why)) {
        delete d;
        return nullptr;
    }
    return d;
}

MediaDevice *makeSilent(QObject *parent, const QString &name, Kind kind)
{
    return new SilentDevice(parent, name, kind);
}

} // namespace MediaDevices
