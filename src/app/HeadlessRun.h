#pragma once
#include "lang/Interpreter.h"
#include "world/RobotWorld.h"
#include <QList>

// Run control without a window, for the teachers' command line, the tests and the
// benchmarks: the same check, interpreter and world as the window, ticks back to back,
// and the window's stop semantics (speed setting restored, trace colour black).
class HeadlessRun : public InterpreterHost, public WorldListener {
public:
    enum class Result { End, CheckFailed, OutOfField, ProcedureNotFound, LoopError, TickLimit };

    HeadlessRun(ProgramText &text, Language lang);

    void setCanvas(WorldCanvas *canvas);                    // e.g. the field picture
    void setFieldSize(int poleX, int poleY);                // kept to 2..16 x 2..20
    void setSpeed(int speed) { m_xSpeed = speed; }          // the x_speed setting

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
    Interpreter &interpreter() { return m_interp; }
    const Lexicon &lexicon() const { return m_lex; }
    const MessageCatalogue &catalogue() const { return m_msg; }

    static const char *resultName(Result r);

    // InterpreterHost
    RobotWorld &world() override { return m_world; }
    int xSpeed() const override { return m_xSpeed; }
    void setXSpeed(int speed) override { m_xSpeed = speed; }
    void setTickInterval(int ms) override { m_interval = ms; }
    void Selection(int) override {}
    void stopTimer() override { m_running = false; }
    void ProgramStop() override;
    void reportError(const ErrorReport &report) override { m_reports.append(report); }
    void fatalMessage(const QString &text) override { m_fatal = text; }
    void positionPanel(int, int) override {}
    void endOfRunNotice() override {}

    // WorldListener
    void OutOfField() override;
    void positionPanelChanged(int, int) override {}
    void lineSensorChanged(int) override {}
    void borderSensorChanged(int) override {}

private:
    ProgramText &m_text;
    const Lexicon &m_lex;
    const MessageCatalogue &m_msg;
    RobotWorld m_world;
    Interpreter m_interp;
    WorldCanvas *m_canvas = nullptr;
    QList<ErrorReport> m_reports;
    QString m_fatal;
    qint64 m_ticks = 0;
    int m_poleX = RobotWorld::MaxX, m_poleY = RobotWorld::MaxY;
    int m_xSpeed = 3;
    int m_savedSpeed = 3;
    int m_interval = 0;
    bool m_running = false;
    bool m_outOfField = false;
};
