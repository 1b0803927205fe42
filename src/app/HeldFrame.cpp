// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeldFrame.h"
#include <utility>

HeldFrame::HeldFrame(QObject *timerParent, Screen screen, std::function<qint64()> clockNs)
      : m_screen(std::move(screen)),
        m_pacer({m_screen.tick, m_screen.running, [this] { return m_timer.interval(); }, m_screen.holdField,
                 [this] { show(); }},
                std::move(clockNs))
{
    m_timer.setParent(timerParent);
    m_timer.setObjectName(QStringLiteral("runTimer"));
    m_timer.setInterval(100);
    m_timer.setTimerType(Qt::PreciseTimer);   // speed 5 asks for 1 ms ticks
}

bool HeldFrame::holdRunLine(int line)
{
    if (!m_pacer.holding()) return false;
    m_runLine = line;
    return true;
}

bool HeldFrame::holdPanels()
{
    if (!m_pacer.holding()) return false;
    m_panels = true;
    return true;
}

void HeldFrame::show()
{
    if (m_runLine >= 0) m_screen.showRunLine(std::exchange(m_runLine, -1));
    if (std::exchange(m_panels, false)) m_screen.showPanels();
    m_screen.showField();
}
