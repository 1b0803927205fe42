// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/RunController.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {

// Records what the controller asks of whoever shows the run.
class RecordingView : public RunView {
public:
    QStringList events;
    QList<ErrorReport> reports;
    int caret = 0;
    int interval = 0;
    int restoredSpeed = -1;

    void lockForRun(bool running) override { events << (running ? "lock" : "unlock"); }
    void startTicks() override { events << "startTicks"; }
    void stopTicks() override { events << "stopTicks"; }
    void setTickInterval(int ms) override { interval = ms; }
    void runStopped() override { events << "stopped"; }
    void selectRunLine(int) override { }
    int caretLine() const override { return caret; }
    void reportError(const ErrorReport &r) override
    {
        events << "report";
        reports << r;
    }
    void fatalMessage(const QString &) override { events << "fatal"; }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { events << "notice"; }
    void speedRestored(int speed) override { restoredSpeed = speed; }
};

struct ControlledRun {
    explicit ControlledRun(const QStringList &lines, Language lang = Language::Eng)
          : text(lines), run(world, view)
    {
        run.setSpeed(4);
        run.setProgram(&text);
        run.setLanguage(lang);
    }

    // Ticks while running; a runaway fails instead of hanging.
    void toTheEnd(int limit = 10000)
    {
        for (int i = 0; run.isRunning(); ++i) {
            if (i == limit) {
                ADD_FAILURE() << "no end within " << limit << " ticks";
                return;
            }
            if (run.tick() != TickOutcome::Continue) break;
        }
    }

    StringListProgramText text;
    RobotWorld world;
    RecordingView view;
    RunController run;
};

}   // namespace

TEST(RunController, StartsAtTheBeginLineLockedAndStopsRestoringTheSpeedSetting)
{
    ControlledRun r(
        {"PROCEDURE P", "STEP", "END OF PROCEDURE", "ALGORITHM BEGIN", "*$S=5", "STEP", "ALGORITHM END"});
    r.run.start();
    EXPECT_EQ(r.run.state(), RunController::State::Running);
    EXPECT_EQ(r.run.interpreter().currentLine(), 3);
    EXPECT_EQ(r.view.events, (QStringList {"lock", "startTicks"}));
    r.toTheEnd();
    EXPECT_EQ(r.run.state(), RunController::State::Idle);
    EXPECT_EQ(r.run.speed(), 4) << "the directive's speed lasts only for the run";
    EXPECT_EQ(r.view.restoredSpeed, 4) << "whoever keeps the setting hears of it";
    EXPECT_EQ(r.view.interval, 1000);
    EXPECT_TRUE(r.view.events.contains("unlock"));
    EXPECT_TRUE(r.view.events.contains("notice"));
    EXPECT_EQ(r.world.state().x, 1);
}

TEST(RunController, PauseHoldsTheLineAndATickWhilePausedOnlyStopsTheTicks)
{
    ControlledRun r({"ALGORITHM BEGIN", "STEP", "STEP", "ALGORITHM END"});
    r.run.start();
    r.run.tick();
    const int line = r.run.interpreter().currentLine();
    r.run.togglePause();
    EXPECT_EQ(r.run.state(), RunController::State::Paused);
    EXPECT_TRUE(r.run.isActive());
    r.view.events.clear();
    r.run.tick();
    EXPECT_EQ(r.run.interpreter().currentLine(), line);
    EXPECT_EQ(r.view.events, QStringList {"stopTicks"});
    r.run.togglePause();
    EXPECT_EQ(r.view.events.last(), "startTicks");
    r.toTheEnd();
    EXPECT_EQ(r.world.state().x, 2);
}

TEST(RunController, StopWithoutARunKeepsTheSpeedAndTheLocks)
{
    ControlledRun r({"ALGORITHM BEGIN", "ALGORITHM END"});
    r.run.setSpeed(2);
    r.run.stop();
    EXPECT_EQ(r.run.speed(), 2);
    EXPECT_EQ(r.view.restoredSpeed, -1);
    EXPECT_FALSE(r.view.events.contains("unlock"));
    EXPECT_TRUE(r.view.events.contains("stopped"));
    EXPECT_EQ(r.world.state().colour, 0x000000u);
}

TEST(RunController, LeavingTheFieldStopsAndReportsAtTheCaretLineInTheRunsLanguage)
{
    ControlledRun r({"INCEPUT DE ALGORITM", "ROTIRE 90", "ROTIRE 90", "PAS", "SFIRSIT DE ALGORITM"},
                    Language::Rom);
    struct Listener : WorldListener {
        RunController *run = nullptr;
        RecordingView *view = nullptr;
        void outOfFieldAttempted() override
        {
            view->caret = run->interpreter().currentLine();
            run->leaveFieldAttempted();
        }
        void positionPanelChanged(int, int) override { }
        void lineSensorChanged(int) override { }
        void borderSensorChanged(int) override { }
    } listener;
    listener.run = &r.run;
    listener.view = &r.view;
    r.world.setListener(&listener);
    r.run.start();
    r.toTheEnd();
    EXPECT_FALSE(r.run.isActive());
    ASSERT_EQ(r.view.reports.size(), 1);
    EXPECT_EQ(r.view.reports[0].line, 3);
    EXPECT_EQ(r.view.reports[0].heading, MessageCatalogue::forLanguage(Language::Rom).msgHead03);
    EXPECT_EQ(r.view.events.indexOf("unlock") < r.view.events.indexOf("report"), true)
        << "the stop comes first, so the report's selection is not undone";
}

TEST(RunController, ColourNamesAreThoseOfTheRunsLanguage)
{
    ControlledRun rom({"INCEPUT DE ALGORITM", "CULOARE ROSU", "PAS", "SFIRSIT DE ALGORITM"}, Language::Rom);
    rom.run.start();
    rom.run.tick();
    rom.run.tick();
    EXPECT_EQ(rom.world.state().colour, 0xFF0000u);
}
