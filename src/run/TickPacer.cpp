// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TickPacer.h"
#include <QElapsedTimer>
#include <memory>
#include <utility>

TickPacer::TickPacer(Hooks hooks, std::function<qint64()> nowNs)
      : m_hooks(std::move(hooks)), m_now(std::move(nowNs))
{
    if (!m_now) {
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        m_now = [clock] { return clock->nsecsElapsed(); };
    }
}

void TickPacer::hold(bool on)
{
    if (on == m_held) return;
    m_held = on;
    m_hooks.holdScreen(on);
    if (on)
        m_frameStart = m_now();
    else
        showFrame();
}

void TickPacer::showFrame()
{
    m_hooks.showHeld();
    m_frameStart = m_now();
}

void TickPacer::timeoutFlatOut(const std::function<void()> &ticks)
{
    hold(true);
    ticks();
    if (m_held && elapsedMs(m_frameStart) >= kFrameMs) showFrame();
}

void TickPacer::timeout()
{
    hold(m_hooks.interval() < kFrameMs);
    m_hooks.tick();
    if (m_hooks.interval() >= kFrameMs)
        hold(false);   // the run has slowed down: this tick is shown as it is
    else if (m_held && elapsedMs(m_frameStart) >= kFrameMs)
        showFrame();
    if (!m_hooks.running()) return;
    // Qt starts the next period from a late timeout, so late wake-ups add up (at 1 ms they
    // cost a fifth of the ticks). Counting the ticks against the clock and giving one
    // extra tick when a whole period is owed keeps the run at the speed it asks for.
    const int interval = m_hooks.interval();
    if (interval != m_scheduleInterval || !m_scheduleValid) {
        m_scheduleInterval = interval;
        m_scheduleTicks = 0;
        m_scheduleStart = m_now();
        m_scheduleValid = true;
        return;
    }
    ++m_scheduleTicks;
    if (elapsedMs(m_scheduleStart) >= (m_scheduleTicks + 1) * qint64(interval)) {
        ++m_scheduleTicks;
        m_hooks.tick();
    }
}
