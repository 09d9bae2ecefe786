// What the program costs at rest: its main window, long after the intro's piece has
// ended, against an empty Qt window (emptywindow, built beside this). For each, after it
// has settled, CPU time and context switches (every thread's, voluntary and not: each is
// a wakeup) are read from /proc at the start and the end of a span and printed per second,
// together with the sound server's over the same span. The program is measured once more
// 10 s after its start, while the intro's piece plays on in the main window: what music
// costs while it sounds.
//
//   idlebench [settle-s] [span-s] [program]
//                      defaults 45 (the intro's piece is 33 s), 10 and the build's orbelle
//
// The sound server is the user's running pulseaudio or pipewire; without one, a
// pulseaudio of the bench's own with a null sink is started (when installed), so the
// program has a server to hold a stream on, as on a desktop. Runs on the display in
// DISPLAY, or offscreen without one. Measure on a quiet machine: look at `uptime` first.
//
// The goal: the program and the server each below 0.5 % of a core and 10 wakeups a second,
// as with the empty window.

#include "procstat.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace {

using ProcStat::cpuTicks;
using ProcStat::readFile;
using ProcStat::statusValue;

struct ThreadCount
{
    QByteArray name;
    qint64 ticks = 0;
    qint64 voluntary = 0;
    qint64 involuntary = 0;
};

struct Snapshot
{
    qint64 ticks = 0; // the whole process
    std::map<QString, ThreadCount> threads;
    qint64 voluntary() const
    {
        qint64 n = 0;
        for (const auto &[id, t] : threads)
            n += t.voluntary;
        return n;
    }
    qint64 involuntary() const
    {
        qint64 n = 0;
        for (const auto &[id, t] : threads)
            n += t.involuntary;
        return n;
    }
};

Snapshot snapshot(qint64 pid)
{
    Snapshot s;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    s.ticks = cpuTicks(readFile(proc + QStringLiteral("/stat")));
    for (const QString &tid : QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString task = proc + QStringLiteral("/task/") + tid;
        const QByteArray status = readFile(task + QStringLiteral("/status"));
        ThreadCount t;
        t.name = readFile(task + QStringLiteral("/comm")).trimmed();
        t.ticks = cpuTicks(readFile(task + QStringLiteral("/stat")));
        t.voluntary = statusValue(status, "voluntary_ctxt_switches:");
        t.involuntary = statusValue(status, "nonvoluntary_ctxt_switches:");
        s.threads[tid] = t;
    }
    return s;
}

struct Cost
{
    double cpuPercent = 0;
    double wakeups = 0; // context switches a second, all threads
    double voluntary = 0;
    QStringList busiest; // the threads that woke most
};

Cost cost(const Snapshot &a, const Snapshot &b, double seconds)
{
    static const double tick = double(sysconf(_SC_CLK_TCK));
    Cost c;
    c.cpuPercent = 100.0 * double(b.ticks - a.ticks) / tick / seconds;
    c.voluntary = double(b.voluntary() - a.voluntary()) / seconds;
    // Threads that ended within the span are missing from b: counted from a to their end
    // would need their end; the span is taken at rest, when none come and go.
    c.wakeups = double(b.voluntary() + b.involuntary() - a.voluntary() - a.involuntary()) / seconds;
    std::vector<std::pair<double, QString>> perThread;
    for (const auto &[id, t] : b.threads) {
        const auto before = a.threads.find(id);
        const ThreadCount zero;
        const ThreadCount &s = before != a.threads.end() ? before->second : zero;
        const double w = double(t.voluntary + t.involuntary - s.voluntary - s.involuntary) / seconds;
        if (w > 0.05)
            perThread.push_back(
                {w, QStringLiteral("%1 %2/s %3%").arg(QString::fromLatin1(t.name)).arg(w, 0, 'f', 1).arg(
                        100.0 * double(t.ticks - s.ticks) / tick / seconds, 0, 'f', 1)});
    }
    std::sort(perThread.rbegin(), perThread.rend());
    for (size_t i = 0; i < perThread.size() && i < 5; ++i)
        c.busiest << perThread[i].second;
    return c;
}

// The user's sound server, by its process name.
qint64 findSoundServer(QString *name)
{
    const uid_t me = getuid();
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 n = pid.toLongLong(&number);
        if (!number)
            continue;
        const QByteArray comm = readFile(QStringLiteral("/proc/%1/comm").arg(n)).trimmed();
        if (comm != "pulseaudio" && comm != "pipewire" && comm != "pipewire-pulse")
            continue;
        if (statusValue(readFile(QStringLiteral("/proc/%1/status").arg(n)), "Uid:", -1) != qint64(me))
            continue;
        *name = QString::fromLatin1(comm);
        if (comm != "pipewire") // pipewire-pulse is the one that serves Qt and FluidSynth
            return n;
    }
    return name->isEmpty() ? 0 : -1;
}

struct Measured
{
    Cost program;
    Cost server;
    Cost playing; // while the intro's piece plays on, 10 s after the start
    Cost serverPlaying;
    bool ok = false;
};

// From `fromS` seconds after the clock's start, for `spanS` seconds.
void span(qint64 pid, qint64 server, const QElapsedTimer &clock, int fromS, int spanS, Cost *c, Cost *s)
{
    while (clock.elapsed() < fromS * 1000)
        QThread::msleep(100);
    const Snapshot a = snapshot(pid);
    const Snapshot sa = server > 0 ? snapshot(server) : Snapshot();
    QElapsedTimer t;
    t.start();
    QThread::sleep(spanS);
    const Snapshot b = snapshot(pid);
    const Snapshot sb = server > 0 ? snapshot(server) : Snapshot();
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    *c = cost(a, b, seconds);
    if (server > 0)
        *s = cost(sa, sb, seconds);
}

Measured measure(const QString &program, const QProcessEnvironment &env, qint64 server, int settleS,
                 int spanS, bool music)
{
    Measured m;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, {});
    if (!p.waitForStarted(10000)) {
        std::fprintf(stderr, "idlebench: %s did not start\n", qPrintable(program));
        return m;
    }
    QElapsedTimer clock;
    clock.start();
    if (music && settleS >= 10 + spanS)
        span(p.processId(), server, clock, 10, spanS, &m.playing, &m.serverPlaying);
    span(p.processId(), server, clock, settleS, spanS, &m.program, &m.server);
    m.ok = p.state() == QProcess::Running;
    p.kill();
    p.waitForFinished(5000);
    return m;
}

void print(const char *what, const Cost &c)
{
    std::printf("  %-22s %7.2f %%   %8.1f wakeups/s (%.1f voluntary)\n", what, c.cpuPercent, c.wakeups,
                c.voluntary);
    if (!c.busiest.isEmpty())
        std::printf("  %-22s   by thread: %s\n", "", qPrintable(c.busiest.join(QStringLiteral(", "))));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int settleS = argc > 1 ? std::max(1, atoi(argv[1])) : 45;
    const int spanS = argc > 2 ? std::max(1, atoi(argv[2])) : 10;
    const QString orbelle = ProcStat::programPath(argc > 3 ? argv[3] : nullptr);
    const QString empty = ProcStat::emptyWindowPath();

    QTemporaryDir home;
    QProcessEnvironment env = ProcStat::benchEnvironment(home);

    QString serverName;
    qint64 server = findSoundServer(&serverName);
    QProcess own;
    const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (server <= 0 && !pulse.isEmpty()) {
        // A server of the bench's own, found by the children through their runtime folder.
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), runtime + QStringLiteral("/pulse"));
        env.remove(QStringLiteral("PULSE_SERVER"));
        own.setProcessEnvironment(env);
        own.setStandardErrorFile(QProcess::nullDevice());
        own.start(pulse, QStringLiteral("--daemonize=no --exit-idle-time=-1 -n --load=module-native-protocol-unix")
                                 .split(QLatin1Char(' '))
                             << QStringLiteral("--load=module-null-sink sink_name=nullsink"));
        for (int i = 0; i < 100 && !QFile::exists(runtime + QStringLiteral("/pulse/native")); ++i)
            QThread::msleep(50);
        if (QFile::exists(runtime + QStringLiteral("/pulse/native"))) {
            server = own.processId();
            serverName = QStringLiteral("pulseaudio (the bench's own, null sink)");
        }
    }
    if (server > 0)
        std::printf("sound server: %s, pid %lld\n", qPrintable(serverName), server);
    else
        std::printf("sound server: none (not measured; the program plays silently)\n");
    std::printf("each measured for %d s, %d s after its start (the empty window: 5 s after)\n", spanS,
                settleS);

    const Measured e = measure(empty, env, server, 5, spanS, false);
    const Measured o = measure(orbelle, env, server, settleS, spanS, true);
    if (own.state() == QProcess::Running) {
        own.terminate();
        if (!own.waitForFinished(5000)) {
            own.kill();
            own.waitForFinished(5000);
        }
    }
    if (!e.ok || !o.ok) {
        std::fprintf(stderr, "idlebench: a program ended before it was measured\n");
        return 1;
    }
    std::printf("empty window\n");
    print("the program", e.program);
    if (server > 0)
        print("the sound server", e.server);
    if (settleS >= 10 + spanS) {
        std::printf("orbelle, 10 s after its start: main window, the intro's piece playing\n");
        print("the program", o.playing);
        if (server > 0)
            print("the sound server", o.serverPlaying);
    }
    std::printf("orbelle, main window at rest, the piece long ended\n");
    print("the program", o.program);
    if (server > 0)
        print("the sound server", o.server);
    std::printf("target: the program and the server each below 0.50 %% of a core and 10 wakeups/s\n");
    const bool met = o.program.cpuPercent < 0.5 && o.program.wakeups < 10 &&
                     (server <= 0 || (o.server.cpuPercent < 0.5 && o.server.wakeups < 10));
    return met ? 0 : 2;
}
