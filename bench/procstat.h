#pragma once

// What the start-up and idle benches share: the environment they run a program in and
// what they read of it from /proc.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

class QTemporaryDir;

namespace ProcStat {

// The system's environment with settings and user data of their own in `home`, offscreen
// when there is no display.
QProcessEnvironment benchEnvironment(const QTemporaryDir &home);
// "platform: offscreen" or "xcb on :0", as the environment has it.
QString platformOf(const QProcessEnvironment &env);
// The build's program and empty window, beside the bench; `given` (a command-line argument,
// may be null) replaces the program.
QString programPath(const char *given);
QString emptyWindowPath();

// A file whole, empty when it cannot be read.
QByteArray readFile(const QString &path);
// The first number after `key` in a /proc status text ("VmHWM:", "Uid:"), `missing` without it.
qint64 statusValue(const QByteArray &status, const QByteArray &key, qint64 missing = 0);
// Clock ticks of user and system time, from a stat line.
qint64 cpuTicks(const QByteArray &stat);
// The process's peak resident memory (VmHWM) in MB; -1 when it cannot be read.
double peakMb(qint64 pid);

} // namespace ProcStat
