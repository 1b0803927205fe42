// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Running a program one line at a time, and what the run shows of itself while it goes.
#include "lang/ProgramTranslator.h"
#include "run/RunController.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

class TraceView : public RunView {
public:
    QList<int> lines;   // every line a tick showed, in order
    void lockForRun(bool) override { }
    void startTicks() override { }
    void stopTicks() override { }
    void setTickInterval(int) override { }
    void runStopped() override { }
    void selectRunLine(int line) override { lines << line; }
    int caretLine() const override { return 0; }
    void reportError(const ErrorReport &) override { ADD_FAILURE() << "unexpected report"; }
    void fatalMessage(const QString &) override { ADD_FAILURE() << "unexpected fatal box"; }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { }
};

// Every statement kind once, and a procedure called from inside a loop.
const char *const kEveryKind[] = {
    "* все виды строк",
    "ПРОЦЕДУРА УГОЛ",
    "ШАГ",
    "ПОВОРОТ 90",
    "КОНЕЦ ПРОЦЕДУРЫ",
    "НАЧАЛО АЛГОРИТМА",
    "*$S=250",
    "ЦВЕТ=КРАСНЫЙ",
    "ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ",
    "ВЫПОЛНИТЬ УГОЛ",
    "ПРЫЖОК",
    "ПОВОРОТ 45",
    "КОНЕЦ ЦИКЛА",
    "ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ",
    "ШАГ",
    "КОНЕЦ ЦИКЛА",
    "УСЛОВИЕ. ЕСЛИ КРАЙ",
    "ТОГДА",
    "ЦВЕТ+",
    "ИНАЧЕ",
    "ЦВЕТ-",
    "КОНЕЦ УСЛОВИЯ",
    "УНИЧТОЖИТЬ",
    "ВОССТАНОВИТЬ",
    "КОНЕЦ АЛГОРИТМА",
};

QStringList programIn(Language lang)
{
    QStringList rus;
    for (const char *l : kEveryKind) rus << u(l);
    if (lang == Language::Rus) return rus;
    const ProgramTranslator::Result r = ProgramTranslator(Language::Rus, lang).translate(rus);
    EXPECT_TRUE(r.leftAsWritten.isEmpty());
    return r.lines;
}

struct Tick {
    int line;
    RobotState robot;
    int speed;
};

bool operator==(const RobotState &a, const RobotState &b)
{
    return a.x == b.x && a.y == b.y && a.heading == b.heading && a.colour == b.colour &&
           a.visible == b.visible && a.lineSensor == b.lineSensor && a.borderSensor == b.borderSensor;
}

// The world after each tick, by running or by stepping; the speed setting at the end.
std::vector<Tick> trace(const QStringList &lines, Language lang, bool stepping, int &speedAfter)
{
    StringListProgramText text(lines);
    RobotWorld world;
    TraceView view;
    RunController run(world, view);
    run.setSpeed(4);
    run.setProgram(&text);
    run.setLanguage(lang);
    std::vector<Tick> out;
    if (stepping)
        run.startPaused();
    else
        run.start();
    for (int i = 0; run.isActive() && i < 5000; ++i) {
        if (stepping) {
            run.step();
            if (run.isActive()) {
                EXPECT_EQ(run.state(), RunController::State::Paused);
            }
        } else {
            run.tick();
        }
        out.push_back({view.lines.isEmpty() ? -1 : view.lines.last(), world.state(), run.speed()});
    }
    EXPECT_FALSE(run.isActive());
    speedAfter = run.speed();
    return out;
}

}   // namespace

TEST(Stepping, GivesTickByTickTheSameLinesAndWorldAsARunInEveryLanguage)
{
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        const QStringList program = programIn(lang);
        int runSpeed = 0, stepSpeed = 0;
        const std::vector<Tick> ran = trace(program, lang, false, runSpeed);
        const std::vector<Tick> stepped = trace(program, lang, true, stepSpeed);
        ASSERT_GT(ran.size(), 20u) << int(lang);
        ASSERT_EQ(ran.size(), stepped.size()) << int(lang);
        for (size_t i = 0; i < ran.size(); ++i) {
            EXPECT_EQ(ran[i].line, stepped[i].line) << "tick " << i;
            EXPECT_TRUE(ran[i].robot == stepped[i].robot) << "tick " << i;
            EXPECT_EQ(ran[i].speed, stepped[i].speed) << "tick " << i;
        }
        // The directive slowed both runs down while they lasted; the stop gave the setting back.
        EXPECT_EQ(stepped[2].speed, 1);
        EXPECT_EQ(runSpeed, 4);
        EXPECT_EQ(stepSpeed, 4);
    }
}

TEST(Stepping, PausesARunningProgramAndDoesNothingWhenIdle)
{
    StringListProgramText text({u("НАЧАЛО АЛГОРИТМА"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")});
    RobotWorld world;
    TraceView view;
    RunController run(world, view);
    run.setProgram(&text);
    EXPECT_EQ(run.step(), TickOutcome::Ended);
    EXPECT_FALSE(run.isActive());
    run.start();
    run.tick();
    run.step();
    EXPECT_EQ(run.state(), RunController::State::Paused);
    EXPECT_EQ(run.ticks(), 1);   // the pause itself executes nothing
    run.step();
    EXPECT_EQ(run.ticks(), 2);
    EXPECT_EQ(world.state().x, 1);
    run.step();   // the end line
    EXPECT_TRUE(run.isActive());
    run.step();   // and the tick that finds it behind
    EXPECT_FALSE(run.isActive());
}

TEST(RunSnapshot, ShowsNestedLoopPassesInnermostFirst)
{
    StringListProgramText text({u("НАЧАЛО АЛГОРИТМА"), u("ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ"), u("ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ"),
                                u("ПОВОРОТ 90"), u("КОНЕЦ ЦИКЛА"), u("ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ"),
                                u("ШАГ"), u("КОНЕЦ ЦИКЛА"), u("ПОВОРОТ 45"), u("КОНЕЦ ЦИКЛА"),
                                u("КОНЕЦ АЛГОРИТМА")});
    RobotWorld world;
    TraceView view;
    RunController run(world, view);
    run.setProgram(&text);
    run.start();
    EXPECT_TRUE(run.snapshot().loops.empty());
    // Into the inner loop's second pass: begin, outer, inner, turn, end (back), turn.
    for (int i = 0; i < 6; ++i) run.tick();
    RunSnapshot s = run.snapshot();
    ASSERT_EQ(s.loops.size(), 2u);
    EXPECT_EQ(s.loops[0].headerLine, 2);
    EXPECT_TRUE(s.loops[0].counted);
    EXPECT_EQ(s.loops[0].pass, 2);
    EXPECT_EQ(s.loops[0].count, 2);
    EXPECT_EQ(s.loops[1].headerLine, 1);
    EXPECT_EQ(s.loops[1].pass, 1);
    EXPECT_EQ(s.loops[1].count, 3);
    EXPECT_EQ(s.shownLine, 3);
    EXPECT_EQ(s.nextLine, 4);
    EXPECT_EQ(s.ticks, 6);
    // The inner loop closes; the conditional one opens with its test read from the sensors.
    run.tick();   // end of the inner loop, last pass
    run.tick();   // the conditional loop's header
    s = run.snapshot();
    ASSERT_EQ(s.loops.size(), 2u);
    EXPECT_FALSE(s.loops[0].counted);
    EXPECT_EQ(s.loops[0].headerLine, 5);
    EXPECT_EQ(s.loops[0].test, u("НЕ КРАЙ"));
    EXPECT_EQ(s.loops[0].holdsNow, Forms::Test::Fails);   // two turns: facing west at the left edge
    EXPECT_EQ(s.loops[1].headerLine, 1);
    run.stop();
    s = run.snapshot();
    EXPECT_FALSE(s.active);
    EXPECT_TRUE(s.loops.empty());
}

TEST(RunSnapshot, ShowsEveryOpenCallOfARecursionWithTheLineThatMadeIt)
{
    // A procedure that calls itself until the robot meets the border.
    StringListProgramText text({u("ПРОЦЕДУРА ВПЕРЕД"), u("УСЛОВИЕ. ЕСЛИ НЕ КРАЙ"), u("ТОГДА"), u("ШАГ"),
                                u("ВЫПОЛНИТЬ ВПЕРЕД"), u("КОНЕЦ УСЛОВИЯ"), u("КОНЕЦ ПРОЦЕДУРЫ"),
                                u("НАЧАЛО АЛГОРИТМА"), u("ВЫПОЛНИТЬ ВПЕРЕД"), u("КОНЕЦ АЛГОРИТМА")});
    RobotWorld world;
    TraceView view;
    RunController run(world, view);
    run.setProgram(&text);
    run.start();
    size_t deepest = 0;
    RunSnapshot atDeepest;
    for (int i = 0; run.isActive() && i < 1000; ++i) {
        run.tick();
        const RunSnapshot s = run.snapshot();
        if (s.calls.size() > deepest) {
            deepest = s.calls.size();
            atDeepest = s;
        }
    }
    EXPECT_FALSE(run.isActive());
    // One call from the algorithm, then one from inside for every step to the border.
    ASSERT_EQ(deepest, size_t(RobotWorld::MaxX + 1));
    EXPECT_EQ(atDeepest.calls.back().callerLine, 8);
    EXPECT_EQ(atDeepest.calls.back().name, u("ВПЕРЕД"));
    for (size_t i = 0; i + 1 < atDeepest.calls.size(); ++i) EXPECT_EQ(atDeepest.calls[i].callerLine, 4);
}
