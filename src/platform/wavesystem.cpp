// Loaded at run time by mediadevices.cpp with the first wave sound (see wavesystem.h).

#include "wavesystem.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace {

std::atomic<int> *g_openOutputs = nullptr;

// The players live on a thread of their own: a sound server that stops answering makes
// Qt's player wait (tens of seconds for a pause, more for its end), and that wait must
// never be the windows'. The thread is made with the first player and runs until the
// process ends; with no player on it, it sleeps.
QThread *audioThread()
{
    static QThread *thread = [] {
        auto *t = new QThread;
        t->setObjectName(QStringLiteral("orbelle-audio"));
        t->start();
        return t;
    }();
    return thread;
}

// The player itself, on the audio thread. Qt's player holds a stream to the sound server
// (and threads of its own) from the file's opening on: it is made for the file as it is
// opened or played, and let go a little after the sound has ended or stopped, or after an
// open that no play followed, so that nothing stays connected to the sound system while
// nothing sounds (a sound played again at once still finds it ready).
class WavePlayer : public QObject
{
    Q_OBJECT
public:
    explicit WavePlayer(std::function<void()> ended) : m_ended(std::move(ended)) {}
    ~WavePlayer() override { drop(); }

    void init()
    {
        m_idle = new QTimer(this);
        m_idle->setSingleShot(true);
        m_idle->setInterval(kIdleMs);
        connect(m_idle, &QTimer::timeout, this, [this] {
            if (!m_player || m_player->playbackState() == QMediaPlayer::PlayingState)
                return;
            m_resumeAt = m_atEnd ? 0 : m_player->position();
            drop();
        });
    }
    void open(const QString &file)
    {
        drop();
        m_file = file;
        m_resumeAt = 0;
        m_atEnd = false;
        make();
        m_idle->start(); // until a play comes
    }
    void play()
    {
        m_idle->stop();
        if (!m_player) {
            m_atEnd = false;
            make();
        } else if (m_atEnd) {
            m_atEnd = false;
            m_player->setPosition(0);
        }
        m_player->play();
    }
    void pause()
    {
        if (!m_player)
            return;
        m_player->pause();
        m_idle->start();
    }

private:
    static constexpr int kIdleMs = 1500;

    void make()
    {
        m_output = new QAudioOutput(this);
        m_player = new QMediaPlayer(this);
        if (g_openOutputs)
            ++*g_openOutputs;
        m_player->setAudioOutput(m_output);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::LoadedMedia && m_resumeAt > 0)
                m_player->setPosition(std::exchange(m_resumeAt, 0));
            if (s == QMediaPlayer::EndOfMedia && !m_atEnd) {
                m_atEnd = true;
                // Kept a moment for a sound played again at once, then let go.
                m_idle->start();
                m_ended();
            }
        });
        connect(m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &text) {
                    if (!m_reported) {
                        m_reported = true;
                        qWarning("orbelle: sound: %s: %s", qPrintable(m_player->source().toLocalFile()),
                                 qPrintable(text));
                    }
                    m_ended();
                });
        m_player->setSource(QUrl::fromLocalFile(m_file));
    }
    void drop()
    {
        if (!m_player)
            return;
        // Not from within the player's own signal: it goes once that has returned.
        m_player->disconnect(this);
        m_player->stop();
        m_player->deleteLater();
        m_output->deleteLater();
        m_player = nullptr;
        m_output = nullptr;
        if (g_openOutputs)
            --*g_openOutputs;
    }

    std::function<void()> m_ended;
    QString m_file;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
    QTimer *m_idle = nullptr;
    qint64 m_resumeAt = 0; // where a stopped sound goes on, when its player was let go
    bool m_atEnd = false;
    bool m_reported = false;
};

// Hands every call to the player on the audio thread, never waiting for it.
class Player : public WaveSystem::Player
{
public:
    explicit Player(std::function<void()> ended) : m_player(new WavePlayer(std::move(ended)))
    {
        m_player->moveToThread(audioThread());
        QMetaObject::invokeMethod(m_player, &WavePlayer::init);
    }
    ~Player() override { m_player->deleteLater(); }
    void open(const QString &file) override
    {
        QMetaObject::invokeMethod(m_player, [p = m_player, file] { p->open(file); });
    }
    void play() override { QMetaObject::invokeMethod(m_player, &WavePlayer::play); }
    void pause() override { QMetaObject::invokeMethod(m_player, &WavePlayer::pause); }

private:
    WavePlayer *m_player;
};

class Api : public WaveSystem::Api
{
public:
    bool audioAvailable() override { return !QMediaDevices::audioOutputs().isEmpty(); }
    WaveSystem::Player *makePlayer(std::function<void()> ended) override
    {
        return new Player(std::move(ended));
    }
};

} // namespace

extern "C" Q_DECL_EXPORT WaveSystem::Api *orbelle_wave_api(std::atomic<int> *openOutputs)
{
    static Api api;
    g_openOutputs = openOutputs;
    return &api;
}

#include "wavesystem.moc"
