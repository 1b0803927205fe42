// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/RunController.h"

RunController::RunController(RobotWorld &world, RunView &view, int &speedSetting)
      : m_world(world), m_view(view), m_speed(speedSetting)
{
}

void RunController::blackPen()
{
    if (WorldCanvas *canvas = m_world.canvas()) canvas->setPen(0x000000, 1);
}

void RunController::start()
{
    m_speedBeforeRun = m_speed;
    m_view.lockForRun(true);
    m_state = State::Running;
    m_interp.clearStacks();
    blackPen();
    const int begin = m_text ? Interpreter::findBeginLine(*m_text, Lexicon::forLanguage(m_language)) : -1;
    // Without a begin line the first tick finds the program's end.
    m_interp.currentLine = begin >= 0 ? begin : (m_text ? m_text->lineCount() : 0);
    m_view.startTicks();
}

void RunController::togglePause()
{
    if (m_state == State::Running) {
        m_state = State::Paused;
        m_view.stopTicks();
    } else if (m_state == State::Paused) {
        m_state = State::Running;
        m_view.startTicks();
    }
}

TickOutcome RunController::tick()
{
    if (m_state != State::Running || !m_text) {
        m_view.stopTicks();
        return TickOutcome::Ended;
    }
    return m_interp.tick(*m_text, m_language, *this);
}

void RunController::stop()
{
    // A stop without a run (a manual step off the field) leaves the speed setting and the
    // locks of manual mode alone.
    if (m_state != State::Idle) {
        m_speed = m_speedBeforeRun;
        m_state = State::Idle;
        m_view.lockForRun(false);
    }
    m_interp.clearStacks();
    m_view.runStopped();
    blackPen();
    m_world.setColor(0x000000);
    m_view.stopTicks();
}

void RunController::leaveFieldAttempted()
{
    const int line = m_view.caretLine();
    stop();
    const MessageCatalogue &m = MessageCatalogue::forLanguage(m_language);
    ErrorReport r;
    r.error = true;
    r.line = line;
    r.heading = m.msgHead03;
    r.texts = QStringList {m.msgOutOfField, m.msgEditCode};
    m_view.reportError(r);
}
