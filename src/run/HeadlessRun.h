// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "run/RunController.h"
#include "world/RobotWorld.h"
#include <QList>

// A run without a window, for the teachers' command line, the tests and the benchmarks:
// the window's check and run controller on a world of its own, ticks back to back.
class HeadlessRun : private RunView, private WorldListener {
public:
    enum class Result {
        End,
        CheckFailed,
        outOfFieldAttempted,
        ProcedureNotFound,
        LoopError,
        TickLimit   // the last: resultName names them in this order
    };

    HeadlessRun(ProgramText &text, Language lang);

    void setCanvas(WorldCanvas *canvas);   // e.g. the field picture
    void setFieldSize(int fieldWidth, int fieldHeight);   // kept to 2..16 x 2..20
    void setSpeed(int speed) { m_run.setSpeed(speed); }   // the speed setting

    // Resets the world, checks the text as the run command does and, when it is clean,
    // runs it to the end or until maxTicks ticks have been spent (0: no limit).
    Result checkAndRun(qint64 maxTicks);
    // The run alone, from the begin line, on the world as it stands.
    Result run(qint64 maxTicks);

    qint64 ticks() const { return m_ticks; }
    // Every report in the order it was made: the check's, or the run's.
    const QList<ErrorReport> &reports() const { return m_reports; }
    const QString &fatalText() const { return m_fatal; }
    int lastInterval() const { return m_interval; }
    const Interpreter &interpreter() const { return m_run.interpreter(); }
    RunController &controller() { return m_run; }
    const Lexicon &lexicon() const { return m_lex; }
    const MessageCatalogue &catalogue() const { return m_msg; }
    RobotWorld &world() { return m_world; }
    int xSpeed() const { return m_run.speed(); }

    static const char *resultName(Result r);

private:
    // RunView
    void lockForRun(bool) override { }
    void startTicks() override { }
    void stopTicks() override { }
    void setTickInterval(int ms) override { m_interval = ms; }
    void runStopped() override { }
    void selectRunLine(int) override { }
    // Without an editor the caret is where the run is.
    int caretLine() const override { return m_run.interpreter().currentLine(); }
    void reportError(const ErrorReport &report) override { m_reports.append(report); }
    void fatalMessage(const QString &text) override { m_fatal = text; }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { }

    // WorldListener
    void outOfFieldAttempted() override;
    void positionPanelChanged(int, int) override { }
    void lineSensorChanged(int) override { }
    void borderSensorChanged(int) override { }

    ProgramText &m_text;
    const Lexicon &m_lex;
    const MessageCatalogue &m_msg;
    RobotWorld m_world;
    RunController m_run;
    QList<ErrorReport> m_reports;
    QString m_fatal;
    qint64 m_ticks = 0;
    int m_fieldWidth = RobotWorld::MaxX, m_fieldHeight = RobotWorld::MaxY;
    int m_interval = 0;
    bool m_outOfField = false;
};
