// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/RunController.h"
#include "world/FieldVectors.h"
#include "world/FieldPicture.h"

namespace {

// The history's record of the tick under way, once.
void finishTickRecord(bool &inTick, RobotWorld &world, RunHistory &history)
{
    if (!inTick) return;
    inTick = false;
    world.setDrawObserver(nullptr);
    history.afterTick(world.state());
}

}   // namespace

RunController::RunController(RobotWorld &world, RunView &view) : m_world(world), m_view(view) { }

void RunController::blackPen()
{
    if (WorldCanvas *canvas = m_world.canvas()) canvas->setPen(0x000000, 1);
}

void RunController::start()
{
    m_speedBeforeRun = m_speed;
    const RobotState &robot = m_world.state();
    m_startedAway = robot.x != 0 || robot.y != 0 || robot.heading != 0;
    m_view.lockForRun(true);
    m_state = State::Running;
    m_ticks = 0;
    m_shownLine = -1;
    m_endedAt = -1;
    blackPen();
    const int begin = m_text ? Interpreter::findBeginLine(*m_text, Lexicon::forLanguage(m_language)) : -1;
    // Without a begin line the first tick finds the program's end.
    m_interp.startAt(begin >= 0 ? begin : (m_text ? m_text->lineCount() : 0));
    m_history.clear();
    if (m_keepHistory && m_text) {
        const FieldPicture *picture = fieldPictureOf(m_world.canvas());
        m_history.begin(*m_text, m_language, m_world, m_interp, m_speed, m_speedBeforeRun, picture);
    }
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
    if (m_history.isEmpty()) {
        ++m_ticks;
        return m_interp.tick(*m_text, m_language, *this);
    }
    // A reopened run at the tick that ended it has nothing left to do.
    if (m_ticks == m_endedAt) {
        stop();
        return TickOutcome::Ended;
    }
    // After a step back the run goes on from there: the old future is gone.
    if (m_history.ticks() > m_ticks) {
        m_history.truncate(m_ticks);
        m_endedAt = -1;
    }
    ++m_ticks;
    m_history.beforeTick(m_world, m_interp, m_speed, m_shownLine);
    m_world.setDrawObserver(&m_history);
    m_inTick = true;
    const TickOutcome outcome = m_interp.tick(*m_text, m_language, *this);
    finishTickRecord(m_inTick, m_world, m_history);
    return outcome;
}

bool RunController::showTick(qint64 tick)
{
    if (m_history.isEmpty() || tick < 0 || tick > m_history.ticks()) return false;
    const RunHistory::Moment moment = m_history.momentAfter(tick);
    m_world.takeStateFrom(moment.world);
    if (WorldCanvas *canvas = m_world.canvas()) {
        if (FieldPicture *picture = fieldPictureOf(canvas)) m_history.showOn(moment, *picture);
        const RobotState &robot = m_world.state();
        canvas->showSprite(robot.heading, true);
        canvas->showArrow(robot.heading);
        canvas->moveSprite(robot.x, robot.y);
        canvas->setSpriteVisible(robot.visible);
    }
    m_interp = moment.interpreter;
    m_speed = moment.speed;
    m_ticks = tick;
    m_shownLine = moment.shownLine;
    return true;
}

bool RunController::reopen()
{
    if (m_state != State::Idle || m_history.isEmpty() || !m_text) return false;
    m_speedBeforeRun = m_speed;
    m_state = State::Paused;
    m_view.lockForRun(true);
    return true;
}

void RunController::startPaused()
{
    start();
    m_state = State::Paused;
    m_view.stopTicks();
}

TickOutcome RunController::step()
{
    if (m_state == State::Running) {
        togglePause();
        return TickOutcome::Continue;
    }
    if (m_state != State::Paused || !m_text) return TickOutcome::Ended;
    // The tick runs as a running one would, so a stop inside it ends the run as usual.
    m_state = State::Running;
    const TickOutcome outcome = tick();
    if (m_state == State::Running) {
        m_state = State::Paused;
        m_view.stopTicks();
    }
    return outcome;
}

RunSnapshot RunController::snapshot() const
{
    RunSnapshot s;
    s.active = isActive();
    s.paused = m_state == State::Paused;
    s.robot = m_world.state();
    s.ticks = m_ticks;
    s.speed = m_speed;
    if (s.active) {
        s.shownLine = m_shownLine;
        if (m_text) m_interp.fillSnapshot(s, *m_text, Lexicon::forLanguage(m_language), s.robot);
    }
    return s;
}

void RunController::stop()
{
    // A stop without a run (a manual step off the field) leaves the speed and the locks of
    // manual mode alone.
    if (m_state != State::Idle) {
        // A stop within a tick: the tick is in the history before the views hear of the stop.
        if (m_inTick) m_endedAt = m_ticks;
        finishTickRecord(m_inTick, m_world, m_history);
        m_speed = m_speedBeforeRun;
        m_view.speedRestored(m_speed);
        m_state = State::Idle;
        m_view.lockForRun(false);
    }
    m_interp.clearStacks();
    m_view.runStopped();
    blackPen();
    m_world.setColour(0x000000);
    m_view.stopTicks();
}

void RunController::leaveFieldAttempted()
{
    const int line = m_view.caretLine();
    // A manual step off the field is no run.
    const bool startedAway = isActive() && m_startedAway;
    stop();
    const MessageCatalogue &m = MessageCatalogue::forLanguage(m_language);
    ErrorReport r;
    r.error = true;
    r.line = line;
    r.heading = m.msgHead03;
    r.texts = QStringList {m.msgOutOfField, m.msgEditCode};
    m_view.reportLeftField(r, startedAway);
}
