#pragma once

#include <QTimer>

// A window timer: interval as designed, in milliseconds, scaled by one process-wide
// factor. The program runs at 1; tests make it small so whole readings take a fraction
// of a second while the timers keep their relative order.
class Timer : public QTimer
{
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr, int intervalMs = 0, bool enabled = false);

    void setIntervalMs(int ms);

    // Switching a timer on restarts its interval, as the windows expect.
    void setEnabled(bool on);
    bool isEnabled() const { return isActive(); }

    static void setTimeScale(double scale);
    static double timeScale();
    static int scaled(int ms);
};
