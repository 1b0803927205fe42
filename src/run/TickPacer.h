// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QtGlobal>
#include <functional>

// Paces a run's ticks for the window's timer: a timer that wakes up late is caught up with
// one extra tick per timeout, and ticks faster than the screen's frames are shown once a
// frame, what they would have shown being held until the frame is due.
class TickPacer {
public:
    static constexpr int kFrameMs = 16;   // about 60 frames a second

    struct Hooks {
        std::function<void()> tick;   // one line of the run
        std::function<bool()> running;
        std::function<int()> interval;   // the timer's, read anew: a tick may change it
        std::function<void(bool)> holdScreen;   // the field keeps or drops its held updates
        std::function<void()> showHeld;   // what was held, shown now
    };
    // nowNs: a monotonic clock in nanoseconds; by default the system's.
    explicit TickPacer(Hooks hooks, std::function<qint64()> nowNs = {});

    // The ticks start or resume: the schedule begins anew, so a pause is never caught up.
    void restart() { m_scheduleValid = false; }
    // One timeout of the run timer.
    void timeout();
    // One timeout at the top speed with a loop of its own (running to the cursor):
    // shown frame by frame like the top speed.
    void timeoutFlatOut(const std::function<void()> &ticks);
    // A pause or a stop: the state as it is shows at once.
    void release() { hold(false); }
    bool holding() const { return m_held; }

private:
    void hold(bool on);
    void showFrame();
    qint64 elapsedMs(qint64 sinceNs) const { return (m_now() - sinceNs) / 1000000; }

    Hooks m_hooks;
    std::function<qint64()> m_now;
    bool m_held = false;
    qint64 m_frameStart = 0;
    // The timer's own schedule: when its interval was last seen to change, and the ticks since.
    bool m_scheduleValid = false;
    int m_scheduleInterval = 0;
    qint64 m_scheduleStart = 0;
    qint64 m_scheduleTicks = 0;
};
