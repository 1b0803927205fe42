// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Interpreter.h"
#include "run/RunHistory.h"
#include "base/Language.h"
#include "world/RobotWorld.h"

// What a run shows to the user. The window implements all of it; the command line keeps
// the reports and ignores the rest.
class RunView {
public:
    virtual ~RunView() = default;
    virtual void lockForRun(bool running) = 0;   // controls off while a run is on, back on after
    virtual void startTicks() = 0;   // the tick timer, or nothing back to back
    virtual void stopTicks() = 0;
    virtual void setTickInterval(int ms) = 0;
    virtual void runStopped() = 0;   // after every stop, with or without a run
    virtual void selectRunLine(int line) = 0;   // the line about to be executed
    virtual int caretLine() const = 0;   // where an out-of-field report points
    virtual void reportError(const ErrorReport &report) = 0;
    // The out-of-field report of a run; startedAway: the run began with the robot off the
    // start a cleared field gives it, which is worth pointing out.
    virtual void reportLeftField(const ErrorReport &report, bool /*startedAway*/) { reportError(report); }
    virtual void fatalMessage(const QString &text) = 0;
    virtual void positionPanel(int x, int y) = 0;
    virtual void endOfRunNotice() = 0;
    // The stop of a run put back the speed it started at (a directive may have changed it):
    // the value for whoever keeps the speed setting.
    virtual void speedRestored(int) { }
};

// Starts, pauses, ticks and stops a program on a world, the same way for the window and
// the command line. The speed is its own: a directive changes it for one run, and the stop
// puts back the speed the run started at.
class RunController : public InterpreterHost {
public:
    enum class State {
        Idle,
        Running,
        Paused
    };

    RunController(RobotWorld &world, RunView &view);

    void setProgram(const ProgramText *text) { m_text = text; }
    void setLanguage(Language language) { m_language = language; }
    Language language() const { return m_language; }
    // The speed setting, 1 (slowest) to 5; a run starts at it.
    void setSpeed(int speed) { m_speed = speed; }
    int speed() const { return m_speed; }   // as it is now, a directive's during a run

    State state() const { return m_state; }
    bool isActive() const { return m_state != State::Idle; }
    bool isRunning() const { return m_state == State::Running; }

    // From the begin line, on the world as it stands. The program must have passed its check.
    void start();
    // Pauses a running program, or resumes a paused one.
    void togglePause();
    // One line; a tick while not running stops the ticks instead.
    TickOutcome tick();
    // Execute one line: from Paused exactly one tick and paused again; from Running a
    // pause. From Idle the caller starts the run first (after its check).
    TickOutcome step();
    // Starts as start() does, but paused before the first tick.
    void startPaused();
    // Everything a run-state view shows, copied out.
    RunSnapshot snapshot() const;
    qint64 ticks() const { return m_ticks; }
    // Ends the run in order; also a stop without a run, as after a manual step off the field.
    void stop();
    // The robot met the field's edge: stop, and report it at the caret's line.
    void leaveFieldAttempted();

    const Interpreter &interpreter() const { return m_interp; }

    // Whether runs keep their history (the window's do; the command line's need not).
    void setKeepHistory(bool keep) { m_keepHistory = keep; }
    const RunHistory &history() const { return m_history; }
    void clearHistory() { m_history.clear(); }
    void setHistoryLimits(qint64 chunkTicks, size_t bound) { m_history.setLimits(chunkTicks, bound); }
    // Puts the world, the field picture, the interpreter and the shown line back as they
    // were after `tick` ticks of the last run (0 <= tick <= its ticks). A tick after this
    // goes on from there and forgets the rest of the history. False without a history.
    bool showTick(qint64 tick);
    // After a run has stopped: paused again where it stands, so that it can be moved along
    // its history and go on. False without a history.
    bool reopen();
    int shownLine() const { return m_shownLine; }   // the line the last tick executed

    // InterpreterHost
    RobotWorld &world() override { return m_world; }
    int xSpeed() const override { return m_speed; }
    void setXSpeed(int speed) override { m_speed = speed; }
    void setTickInterval(int ms) override { m_view.setTickInterval(ms); }
    void showRunLine(int line) override
    {
        m_shownLine = line;
        m_view.selectRunLine(line);
    }
    void stopTimer() override { m_view.stopTicks(); }
    void stopRun() override { stop(); }
    void reportError(const ErrorReport &report) override { m_view.reportError(report); }
    void fatalMessage(const QString &text) override { m_view.fatalMessage(text); }
    void positionPanel(int x, int y) override { m_view.positionPanel(x, y); }
    void endOfRunNotice() override { m_view.endOfRunNotice(); }

private:
    void blackPen();

    RobotWorld &m_world;
    RunView &m_view;
    int m_speed = 3;
    const ProgramText *m_text = nullptr;
    Language m_language = Language::Rus;
    Interpreter m_interp;
    State m_state = State::Idle;
    int m_speedBeforeRun = 3;
    qint64 m_ticks = 0;
    int m_shownLine = -1;
    bool m_inTick = false;
    qint64 m_endedAt = -1;   // the tick within which the run stopped itself
    bool m_keepHistory = false;
    RunHistory m_history;
    bool m_startedAway = false;   // the robot was not on its start node, facing east, at the start
};
