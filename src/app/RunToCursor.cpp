// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunToCursor.h"
#include "run/RunController.h"
#include <QElapsedTimer>
#include <QTimer>

void RunToCursor::aim(int line, bool leaveFirst)
{
    m_line = line;
    m_leaveFirst = leaveFirst;
    m_timer.setInterval(0);
}

void RunToCursor::end()
{
    if (m_line < 0) return;
    m_line = -1;
    m_timer.setInterval(m_speedInterval);
}

// Setting the same interval again would restart the timer and lose the period.
void RunToCursor::setSpeedInterval(int ms)
{
    m_speedInterval = ms;
    if (m_line < 0 && m_timer.interval() != ms) m_timer.setInterval(ms);
}

bool RunToCursor::ticks(RunController &run, bool lineAfterEnd)
{
    QElapsedTimer slice;
    slice.start();
    do {
        if (!m_leaveFirst && !lineAfterEnd && run.interpreter().currentLine() == m_line) {
            const int aimed = m_line;
            end();
            run.togglePause();
            run.showRunLine(aimed);
            return true;
        }
        m_leaveFirst = false;
        run.tick();
    } while (run.isRunning() && m_line >= 0 && slice.elapsed() < 25);
    return false;
}
