#include "timing.h"

#include <algorithm>
#include <cmath>

namespace {
double g_scale = 1.0;
}

Timer::Timer(QObject *parent, int intervalMs, bool enabled) : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
    setIntervalMs(intervalMs);
    if (enabled)
        start();
}

void Timer::setIntervalMs(int ms)
{
    setInterval(scaled(ms));
}

void Timer::setEnabled(bool on)
{
    if (on)
        start();
    else
        stop();
}

void Timer::setTimeScale(double scale)
{
    g_scale = scale > 0 ? scale : 1.0;
}

double Timer::timeScale()
{
    return g_scale;
}

int Timer::scaled(int ms)
{
    if (ms <= 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(ms * g_scale)));
}
