#include "mediadevice.h"
#include "mediafiles.h"
#include "paths.h"
#include "timing.h"
#include "wavesystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QTimer>

#include <dlfcn.h>
#include <mutex>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <fluidsynth.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

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
            if (m_durationMs - m_playedMs > kStepMs) {
                // A file longer than one timer can wait: on to the next step.
                m_playedMs += kStepMs;
                m_clock.start();
                waitForTheRest();
                return;
            }
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
        waitForTheRest();
    }

    void stop() override
    {
        if (!m_playing)
            return;
        m_timer.stop();
        m_playedMs = qMin(m_durationMs,
                          m_playedMs + qint64(double(m_clock.elapsed()) / qMax(Timer::timeScale(), 1e-6)));
        m_playing = false;
    }

    bool isPlaying() const override { return m_playing; }
    QString name() const override { return m_name; }

private:
    // A day of the file's time at most per timer run (a timer waits 24 days at most).
    static constexpr qint64 kStepMs = 24 * 3600 * 1000;

    void waitForTheRest() { m_timer.start(Timer::scaled(int(qMin(m_durationMs - m_playedMs, kStepMs)))); }

    QString m_name;
    MediaDevices::Kind m_kind;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_durationMs = 0;
    qint64 m_playedMs = 0;
    bool m_playing = false;
};

// ---------------------------------------------------------------------------------------
// Every output stream open to the sound system, wave players and MIDI engines together.
std::atomic<int> g_openOutputs{0};

// ---------------------------------------------------------------------------------------
// MIDI through FluidSynth. The end of the music is the player's tick reaching the file's
// last tick; FluidSynth's own "done" status comes seconds later, after the reverb tail.

// FluidSynth and the forty libraries it brings are opened on the engine's thread when
// music is first wanted, not when the program starts: the first window does not wait for
// them. Every function the program calls is looked up once; a missing library or symbol
// leaves the music silent with the reason logged, like a missing sound output.
#define ORBELLE_FLUID_FUNCTIONS(X)                                                                           \
    X(delete_fluid_audio_driver)                                                                             \
    X(delete_fluid_player)                                                                                   \
    X(delete_fluid_settings)                                                                                 \
    X(delete_fluid_synth)                                                                                    \
    X(fluid_player_add)                                                                                      \
    X(fluid_player_get_status)                                                                               \
    X(fluid_player_get_total_ticks)                                                                          \
    X(fluid_player_play)                                                                                     \
    X(fluid_player_seek)                                                                                     \
    X(fluid_player_set_tick_callback)                                                                        \
    X(fluid_player_stop)                                                                                     \
    X(fluid_set_log_function)                                                                                \
    X(fluid_settings_setint)                                                                                 \
    X(fluid_settings_setnum)                                                                                 \
    X(fluid_settings_setstr)                                                                                 \
    X(fluid_synth_all_notes_off)                                                                             \
    X(fluid_synth_sfload)                                                                                    \
    X(new_fluid_audio_driver)                                                                                \
    X(new_fluid_player)                                                                                      \
    X(new_fluid_settings)                                                                                    \
    X(new_fluid_synth)

struct FluidApi
{
    bool ok = false;
    QString why;
#define ORBELLE_FLUID_MEMBER(name) decltype(&::name) name = nullptr;
    ORBELLE_FLUID_FUNCTIONS(ORBELLE_FLUID_MEMBER)
#undef ORBELLE_FLUID_MEMBER
};

const FluidApi &fluid()
{
    static const FluidApi api = [] {
        FluidApi a;
        void *lib = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!lib) {
            a.why = QString::fromLocal8Bit(dlerror());
            return a;
        }
        a.ok = true;
#define ORBELLE_FLUID_BIND(name)                                                                             \
    a.name = reinterpret_cast<decltype(&::name)>(dlsym(lib, #name));                                         \
    if (!a.name && a.ok) {                                                                                   \
        a.ok = false;                                                                                        \
        a.why = QStringLiteral("libfluidsynth.so.3 lacks " #name);                                           \
    }
        ORBELLE_FLUID_FUNCTIONS(ORBELLE_FLUID_BIND)
#undef ORBELLE_FLUID_BIND
        return a;
    }();
    return api;
}

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

// On the engine's thread, once FluidSynth is loaded.
void quietFluid()
{
    static std::once_flag done;
    std::call_once(done, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid().fluid_set_log_function(level, fluidLog, nullptr);
    });
}

// FluidSynth's objects of one sequencer. Loading the SoundFont (tens of milliseconds)
// and connecting to the sound server (which may not answer at all) happen on a thread
// of their own, and so does the tear-down, which waits for the audio thread: nothing on
// the user-interface thread ever waits for the sound system.
//
// The output (FluidSynth's audio driver: a stream to the sound server and a thread that
// renders into it all the time, silence included) is open only while music plays; the
// loaded SoundFont stays, so the next piece starts at once.
struct FluidEngine
{
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
    fluid_audio_driver_t *driver = nullptr; // guarded by outputLock once started
    fluid_player_t *player = nullptr;
    std::atomic<bool> ended{false};
    std::atomic<int> device{0}; // the SequencerDevice it serves, by number
    std::atomic<bool> wantOutput{true};
    std::atomic<bool> broken{false}; // the output could not be opened again
    std::mutex outputLock;
    bool ok = false;
    QString why;

    ~FluidEngine()
    {
        // The audio thread goes first, so no tick callback runs while the rest is freed.
        closeDriver();
        if (player) {
            fluid().fluid_player_stop(player);
            fluid().delete_fluid_player(player);
        }
        if (synth)
            fluid().delete_fluid_synth(synth);
        if (settings)
            fluid().delete_fluid_settings(settings);
    }

    void start(const QString &soundFont, int voices)
    {
        if (!fluid().ok) {
            why = QStringLiteral("FluidSynth cannot be loaded (%1)").arg(fluid().why);
            return;
        }
        quietFluid();
        settings = fluid().new_fluid_settings();
        if (voices > 0)
            fluid().fluid_settings_setint(settings, "synth.polyphony", voices);
        fluid().fluid_settings_setnum(settings, "synth.gain", 0.6);
        // Rendered and handed to the sound server 1024 frames at a time (23 ms), three such
        // periods queued: FluidSynth's default of 64 wakes the audio thread and the server
        // some 700 times a second and costs several times the CPU, for a latency music has
        // no use for.
        fluid().fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
        fluid().fluid_settings_setint(settings, "audio.periods", kPeriods);
        fluid().fluid_settings_setint(settings, "synth.reverb.active", 1);
        // Only the samples of the instruments a file uses are read into memory (a General
        // MIDI SoundFont holds megabytes of them).
        fluid().fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        synth = fluid().new_fluid_synth(settings);
        if (!synth ||
            fluid().fluid_synth_sfload(synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED) {
            why = QStringLiteral("SoundFont %1 could not be loaded").arg(soundFont);
            return;
        }
#ifdef __GLIBC__
        // Reading the SoundFont leaves megabytes of scratch memory free in this thread's
        // malloc arena; they go back to the system instead of staying with the program.
        malloc_trim(0);
#endif
        std::lock_guard lock(outputLock);
        ok = openDriver(&why);
    }

    // With outputLock held, or before the engine is shared.
    bool openDriver(QString *why)
    {
        if (driver)
            return true;
        for (const char *name : {"pulseaudio", "alsa"}) {
            // Without a sound card ALSA only fills the terminal with complaints.
            if (qstrcmp(name, "alsa") == 0 &&
                QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcm*")}, QDir::System).isEmpty())
                continue;
            fluid().fluid_settings_setstr(settings, "audio.driver", name);
            driver = fluid().new_fluid_audio_driver(settings, synth);
            if (driver) {
                ++g_openOutputs;
                return true;
            }
        }
        const QString detail = takeFluidMessage();
        *why = QStringLiteral("no audio output") +
               (detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')'));
        return false;
    }

    void closeDriver()
    {
        if (!driver)
            return;
        fluid().delete_fluid_audio_driver(driver);
        driver = nullptr;
        --g_openOutputs;
    }

    static constexpr int kPeriodFrames = 1024;
    static constexpr int kPeriods = 3;
};

class SequencerDevice;
// The live sequencers by number, touched on the user-interface thread only: what the
// audio and start threads report is delivered there, to the device if it still exists.
QHash<int, SequencerDevice *> &liveSequencers()
{
    static QHash<int, SequencerDevice *> live;
    return live;
}

void onUiThread(std::function<void()> f)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(f), Qt::QueuedConnection);
}

// To the device numbered `id`, if it is still there.
void reportOutputFailed(int id, const QString &why);

// ---------------------------------------------------------------------------------------
// Wave files through Qt Multimedia, in a module of its own loaded with the first wave
// sound (wavesystem.h). Only made when the machine has an audio output: without one, Qt's
// players never report the end of a sound.

// The module, loaded once; null, said once, when it cannot be.
WaveSystem::Api *waveSystem()
{
    static WaveSystem::Api *api = []() -> WaveSystem::Api * {
        QString why;
        auto entry = reinterpret_cast<WaveSystem::Entry>(Paths::moduleEntry(
            QStringLiteral("orbelle_wave.so"), ORBELLE_WAVE_INSTALLED, ORBELLE_WAVE_BUILT, WaveSystem::kEntry, &why));
        if (entry)
            return entry(&g_openOutputs);
        qWarning("orbelle: sound: wave sounds stay silent: %s", qPrintable(why));
        return nullptr;
    }();
    return api;
}

class WaveDevice;
// The live wave devices by number, touched on the user-interface thread only.
QHash<int, WaveDevice *> &liveWaves()
{
    static QHash<int, WaveDevice *> live;
    return live;
}

// The device as the windows see it: it keeps the state and hands every command to the
// player on the audio thread, never waiting for it.
class WaveDevice : public MediaDevice
{
public:
    WaveDevice(QObject *parent, WaveSystem::Api *api) : MediaDevice(parent)
    {
        static int next = 0;
        m_id = ++next;
        liveWaves().insert(m_id, this);
        m_player.reset(api->makePlayer([id = m_id] {
            onUiThread([id] {
                if (WaveDevice *d = liveWaves().value(id))
                    d->ended();
            });
        }));
    }
    ~WaveDevice() override { liveWaves().remove(m_id); }

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
        m_playing = false;
        m_player->open(QFileInfo(file).absoluteFilePath());
        return true;
    }

    void play() override
    {
        if (m_playing)
            return;
        m_playing = true;
        m_player->play();
    }

    void stop() override
    {
        m_playing = false;
        m_player->pause();
    }

    bool isPlaying() const override { return m_playing; }
    QString name() const override { return QStringLiteral("waveaudio"); }

private:
    void ended()
    {
        if (!m_playing)
            return;
        m_playing = false;
        emit finished();
    }

    int m_id = 0;
    std::unique_ptr<WaveSystem::Player> m_player;
    bool m_playing = false;
};

// Lets the engine go on a thread of its own: its last owner may be a start still
// waiting for the sound server.
void release(std::shared_ptr<FluidEngine> &engine)
{
    if (engine)
        std::thread([e = std::move(engine)]() mutable { e.reset(); }).detach();
    engine.reset();
}

// Opens or closes a started engine's output, as its `wantOutput` says by the time the
// lock is free, on a thread of its own (opening may wait for the sound server, closing
// waits for the audio thread). An output that cannot be opened again is reported to the
// device the engine serves.
void settleOutput(const std::shared_ptr<FluidEngine> &engine, bool on)
{
    engine->wantOutput = on;
    std::thread([e = engine] {
        std::lock_guard lock(e->outputLock);
        if (!e->wantOutput) {
            e->closeDriver();
            return;
        }
        QString why;
        if (e->openDriver(&why))
            return;
        e->broken = true;
        onUiThread([id = e->device.load(), why] { reportOutputFailed(id, why); });
    }).detach();
}

// The engine of the piece that ended, kept a few seconds for the next one: the music
// player opens a new device for every piece, and a started engine plays the next piece
// at once instead of loading the SoundFont and connecting to the sound server again.
// Not taken within that time it is let go, so an idle program keeps no audio thread.
struct SpareEngine
{
    std::shared_ptr<FluidEngine> engine;
    QString soundFont;
    int voices = 0;
    int generation = 0;
};

SpareEngine &spareEngine()
{
    static SpareEngine spare;
    static const bool once = [] {
        qAddPostRoutine([] { release(spareEngine().engine); });
        return true;
    }();
    Q_UNUSED(once);
    return spare;
}

constexpr int kSpareKeptMs = 10000;

// Stops and frees the engine's player; the engine itself plays on.
void dropPlayer(FluidEngine &e)
{
    if (!e.player)
        return;
    fluid().fluid_player_set_tick_callback(e.player, nullptr, nullptr);
    fluid().fluid_player_stop(e.player);
    fluid().fluid_synth_all_notes_off(e.synth, -1);
    fluid().delete_fluid_player(e.player);
    e.player = nullptr;
}

void keepSpare(std::shared_ptr<FluidEngine> &engine, const QString &soundFont, int voices)
{
    SpareEngine &spare = spareEngine();
    release(spare.engine);
    dropPlayer(*engine);
    engine->device = 0;
    settleOutput(engine, false);
    spare.engine = std::move(engine);
    spare.soundFont = soundFont;
    spare.voices = voices;
    const int generation = ++spare.generation;
    if (QCoreApplication *app = QCoreApplication::instance()) {
        QTimer::singleShot(kSpareKeptMs, app, [generation] {
            if (spareEngine().generation == generation)
                release(spareEngine().engine);
        });
    }
}

std::shared_ptr<FluidEngine> takeSpare(const QString &soundFont, int voices)
{
    SpareEngine &spare = spareEngine();
    if (!spare.engine || spare.soundFont != soundFont || spare.voices != voices)
        return nullptr;
    ++spare.generation;
    return std::exchange(spare.engine, nullptr);
}

class SequencerDevice : public MediaDevice
{
public:
    SequencerDevice(QObject *parent, const QString &soundFont, int voices) : MediaDevice(parent)
    {
        static int next = 0;
        m_id = ++next;
        liveSequencers().insert(m_id, this);
        m_soundFont = soundFont;
        m_voices = voices;
        if ((m_engine = takeSpare(soundFont, voices))) {
            m_engine->device = m_id;
            m_engine->ended = false;
            QMetaObject::invokeMethod(
                this, [this] { started(); }, Qt::QueuedConnection);
        } else {
            m_engine = std::make_shared<FluidEngine>();
            m_engine->device = m_id;
            std::thread([engine = m_engine, soundFont, voices, id = m_id] {
                engine->start(soundFont, voices);
                onUiThread([id] {
                    if (SequencerDevice *d = liveSequencers().value(id))
                        d->started();
                });
            }).detach();
        }

        // Should the last tick ever be missed, FluidSynth's own end status (a few
        // seconds later) still ends the file.
        m_watch.setInterval(250);
        connect(&m_watch, &QTimer::timeout, this, [this] {
            if (player() && fluid().fluid_player_get_status(player()) == FLUID_PLAYER_DONE &&
                !m_engine->ended.exchange(true))
                reachedEnd();
        });
        // Not playing for a little while (long enough for the last notes and the reverb to
        // fade): the output closes.
        m_quiet.setSingleShot(true);
        m_quiet.setInterval(kQuietMs);
        connect(&m_quiet, &QTimer::timeout, this, [this] {
            if (m_ready && m_engine->ok && !isPlaying())
                settleOutput(m_engine, false);
        });
    }

    ~SequencerDevice() override
    {
        liveSequencers().remove(m_id);
        if (m_ready && m_engine && m_engine->ok && !m_engine->broken)
            keepSpare(m_engine, m_soundFont, m_voices);
        else
            release(m_engine);
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
        m_file = file;
        m_wantPlay = false;
        if (m_silent)
            return m_silent->open(file, why);
        if (m_ready)
            return load(why);
        return true; // loaded once the engine has started
    }

    void play() override
    {
        if (m_silent)
            return m_silent->play();
        if (!m_ready) {
            m_wantPlay = true;
            return;
        }
        if (!player() || isPlaying())
            return;
        if (m_engine->ended) {
            m_engine->ended = false;
            fluid().fluid_player_seek(player(), 0);
        }
        m_quiet.stop();
        // The player moves on as the output renders: it starts with the output.
        fluid().fluid_player_play(player());
        settleOutput(m_engine, true);
        m_watch.start();
    }

    void stop() override
    {
        m_wantPlay = false;
        if (m_silent)
            return m_silent->stop();
        if (!player())
            return;
        m_watch.stop();
        fluid().fluid_player_stop(player());
        fluid().fluid_synth_all_notes_off(m_engine->synth, -1);
        m_quiet.start();
    }

    bool isPlaying() const override
    {
        if (m_silent)
            return m_silent->isPlaying();
        if (!m_ready)
            return m_wantPlay; // it will, as soon as it can
        return player() && !m_engine->ended &&
               fluid().fluid_player_get_status(player()) == FLUID_PLAYER_PLAYING;
    }
    QString name() const override { return m_silent ? m_silent->name() : QStringLiteral("sequencer"); }

private:
    fluid_player_t *player() const { return m_ready ? m_engine->player : nullptr; }

    // The engine has started, or failed to: what was asked meanwhile is done now.
    void started()
    {
        m_ready = true;
        QString why;
        if (!m_engine->ok) {
            why = m_engine->why;
            release(m_engine);
            m_engine = std::make_shared<FluidEngine>();
            m_silent.reset(
                MediaDevices::makeSilent(nullptr, QStringLiteral("silent"), MediaDevices::Kind::Midi));
            connect(m_silent.get(), &MediaDevice::finished, this, &MediaDevice::finished);
            qWarning("orbelle: sound: MIDI music stays silent: %s", qPrintable(why));
        }
        if (m_file.isEmpty())
            return;
        if (m_silent ? !m_silent->open(m_file, &why) : !load(&why)) {
            // The control says why and drops this device: nothing here may follow the
            // signal.
            emit failed(why);
            return;
        }
        if (std::exchange(m_wantPlay, false))
            play();
        else if (!m_silent)
            m_quiet.start(); // opened, not played yet
    }

    // The piece has been played to its end.
    void reachedEnd()
    {
        m_watch.stop();
        m_quiet.start();
        emit finished(); // the last thing: the receiver may close this device
    }

    bool load(QString *why)
    {
        FluidEngine &e = *m_engine;
        dropPlayer(e);
        e.player = fluid().new_fluid_player(e.synth);
        if (!e.player ||
            fluid().fluid_player_add(e.player, QFile::encodeName(m_file).constData()) != FLUID_OK) {
            *why = QStringLiteral("FluidSynth refused the file");
            return false;
        }
        fluid().fluid_player_set_tick_callback(e.player, &SequencerDevice::onTick, &e);
        e.ended = false;
        return true;
    }

    static int onTick(void *data, int tick)
    {
        auto *e = static_cast<FluidEngine *>(data);
        const int total = fluid().fluid_player_get_total_ticks(e->player);
        if (total > 0 && tick >= total && !e->ended.exchange(true)) {
            // Runs on the audio thread; the end is handled on the user-interface thread.
            onUiThread([id = e->device.load()] {
                if (SequencerDevice *d = liveSequencers().value(id))
                    d->reachedEnd();
            });
        }
        return FLUID_OK;
    }

    int m_id = 0;
    QString m_soundFont;
    int m_voices = 0;
    std::shared_ptr<FluidEngine> m_engine;
    std::unique_ptr<MediaDevice> m_silent; // when FluidSynth could not start
    bool m_ready = false;
    bool m_wantPlay = false;
    QString m_file;
    QTimer m_watch;
    QTimer m_quiet;

    static constexpr int kQuietMs = 1500;
    friend void reportOutputFailed(int id, const QString &why);
};

void reportOutputFailed(int id, const QString &why)
{
    if (SequencerDevice *d = liveSequencers().value(id); d && !d->m_silent)
        emit d->failed(why);
}

} // namespace

int MediaDevices::openOutputs()
{
    return g_openOutputs;
}

namespace MediaDevices {

bool audioAvailable()
{
    WaveSystem::Api *api = waveSystem();
    return api && api->audioAvailable();
}

MediaDevice *makeWave(QObject *parent)
{
    if (WaveSystem::Api *api = waveSystem())
        return new WaveDevice(parent, api);
    return new SilentDevice(parent, QStringLiteral("silent"), MediaDevices::Kind::Wave);
}

MediaDevice *makeSequencer(QObject *parent, const QString &soundFont, int voices, QString *why)
{
    if (!QFileInfo(soundFont).isFile()) {
        *why = QStringLiteral("SoundFont %1 not found").arg(soundFont);
        return nullptr;
    }
    return new SequencerDevice(parent, soundFont, voices);
}

MediaDevice *makeSilent(QObject *parent, const QString &name, Kind kind)
{
    return new SilentDevice(parent, name, kind);
}

} // namespace MediaDevices
