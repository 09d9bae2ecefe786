// Start-up of the program against the floor, an empty Qt window (emptywindow, built
// beside this) of the size the program's first window takes on the same screen (learnt
// from the warm-up start: a window's pixels cost memory by its size). Each of N rounds starts both; the time runs from the start of the
// process to the first paint of its first window, and the peak memory (VmHWM) is read
// 5 s after the start, when the intro has dealt its cards and its music plays.
//
//   startbench [rounds] [program]
//                            default 9 rounds of the build's orbelle; one warm-up start of
//                            each is not counted
//
// Runs on the display in DISPLAY, or offscreen without one. The program runs with
// settings and user data of its own in a temporary folder (its first start, which makes
// the user's copy of the database, is the warm-up). Measure on a quiet machine: look
// at `uptime` first.

#include "procstat.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample
{
    double firstPaintMs = -1;
    double peakMb = -1;
    QString windowSize; // "WIDTHxHEIGHT", as the first paint said it
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

Sample run(const QString &program, const QProcessEnvironment &env, const QStringList &args = {})
{
    Sample s;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        std::fprintf(stderr, "startbench: %s did not start\n", qPrintable(program));
        return s;
    }
    QByteArray out;
    while (clock.elapsed() < 20000 && p.state() == QProcess::Running) {
        if (p.waitForReadyRead(50)) {
            out += p.readAllStandardOutput();
            const qsizetype at = out.indexOf("first-paint");
            if (at >= 0 && out.indexOf('\n', at) > at) {
                s.firstPaintMs = double(clock.nsecsElapsed()) / 1e6;
                const QByteArray line = out.mid(at, out.indexOf('\n', at) - at);
                s.windowSize = QString::fromLatin1(line.mid(line.indexOf(' ') + 1)).trimmed();
                break;
            }
        }
    }
    while (clock.elapsed() < 5000 && p.state() == QProcess::Running)
        QThread::msleep(20);
    s.peakMb = ProcStat::peakMb(p.processId());
    p.kill();
    p.waitForFinished(5000);
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const QString orbelle = ProcStat::programPath(argc > 2 ? argv[2] : nullptr);
    const QString empty = ProcStat::emptyWindowPath();

    QTemporaryDir home;
    QProcessEnvironment env = ProcStat::benchEnvironment(home);
    env.insert(QStringLiteral("ORBELLE_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    std::printf("platform: %s, %d rounds of 5 s each per program\n", qPrintable(ProcStat::platformOf(env)),
                rounds);

    const QStringList emptyArgs{run(orbelle, env).windowSize};
    run(empty, env, emptyArgs);
    std::printf("the program's first window: %s; the empty window takes that size\n",
                qPrintable(emptyArgs.first()));
    std::vector<double> emptyMs, emptyMb, orbelleMs, orbelleMb;
    for (int i = 0; i < rounds; ++i) {
        const Sample e = run(empty, env, emptyArgs);
        const Sample o = run(orbelle, env);
        if (e.firstPaintMs < 0 || o.firstPaintMs < 0) {
            std::fprintf(stderr, "startbench: round %d: no first paint seen\n", i + 1);
            return 1;
        }
        std::printf("round %d: empty %.0f ms %.1f MB, orbelle %.0f ms %.1f MB\n", i + 1, e.firstPaintMs,
                    e.peakMb, o.firstPaintMs, o.peakMb);
        std::fflush(stdout);
        emptyMs.push_back(e.firstPaintMs);
        emptyMb.push_back(e.peakMb);
        orbelleMs.push_back(o.firstPaintMs);
        orbelleMb.push_back(o.peakMb);
    }
    const double em = median(emptyMs), om = median(orbelleMs);
    const double eb = median(emptyMb), ob = median(orbelleMb);
    std::printf("first window (median): empty %.0f ms, orbelle %.0f ms, ratio %.2f\n", em, om, om / em);
    std::printf("peak memory after 5 s (median): empty %.1f MB, orbelle %.1f MB, ratio %.2f\n", eb, ob,
                ob / eb);
    return 0;
}
