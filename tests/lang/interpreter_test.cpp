// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Interpreter.h"
#include "world/RobotWorld.h"
#include "common/Printers.h"
#include <QPoint>
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

// Stands in for the main window: records what a tick asks of it, never waits.
class FakeHost : public InterpreterHost, public WorldListener {
public:
    explicit FakeHost(Interpreter &interp) : m_interp(interp) { w.setListener(this); }

    RobotWorld w;
    int speed = 3;
    int interval = 0;
    bool running = true;
    QList<int> selected;   // Selection, one per tick
    QStringList events;   // stopTimer / stop / report / fatal / notice, in order
    QList<ErrorReport> reports;
    QString fatal;
    QList<QRgb> colourAfterTick;
    QList<QPoint> panels;   // status panel 4, one per tick that reaches it

    RobotWorld &world() override { return w; }
    int xSpeed() const override { return speed; }
    void setXSpeed(int s) override { speed = s; }
    void setTickInterval(int ms) override { interval = ms; }
    void showRunLine(int line) override { selected << line; }
    void stopTimer() override { events << QStringLiteral("stopTimer"); }
    void stopRun() override
    {
        events << QStringLiteral("stop");
        running = false;
        m_interp.clearStacks();
    }
    void reportError(const ErrorReport &r) override
    {
        events << QStringLiteral("report");
        reports << r;
    }
    void fatalMessage(const QString &text) override
    {
        events << QStringLiteral("fatal");
        fatal = text;
    }
    void positionPanel(int x, int y) override { panels << QPoint(x, y); }
    void endOfRunNotice() override { events << QStringLiteral("notice"); }

    void outOfFieldAttempted() override
    {
        events << QStringLiteral("outOfField");
        stopRun();
    }
    void positionPanelChanged(int, int) override { }
    void lineSensorChanged(int) override { }
    void borderSensorChanged(int) override { }

private:
    Interpreter &m_interp;
};

struct Session {
    explicit Session(const QStringList &lines, Language lang = Language::Eng)
          : text(lines), language(lang), lex(Lexicon::forLanguage(lang)),
            msg(MessageCatalogue::forLanguage(lang)), host(interp)
    {
        interp.startAt(Interpreter::findBeginLine(text, lex));
    }

    TickOutcome tick()
    {
        const TickOutcome o = interp.tick(text, language, host);
        host.colourAfterTick << host.w.state().colour;
        ++ticks;
        return o;
    }

    // Ticks until the run stops; a runaway test fails instead of hanging.
    TickOutcome run(int limit = 100000)
    {
        TickOutcome o = TickOutcome::Continue;
        while (host.running && o == TickOutcome::Continue) {
            if (ticks >= limit) {
                ADD_FAILURE() << "run did not stop within " << limit << " ticks";
                break;
            }
            o = tick();
        }
        return o;
    }

    int timesSelected(int line) const { return int(host.selected.count(line)); }

    StringListProgramText text;
    Language language;
    const Lexicon &lex;
    const MessageCatalogue &msg;
    Interpreter interp;
    FakeHost host;
    int ticks = 0;
};

}   // namespace

TEST(Interpreter, EmptyAlgorithmTakesThreeTicksAndStopsOnTheLineAfterTheEnd)
{
    Session s({"ALGORITHM BEGIN", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.ticks, 3);
    EXPECT_EQ(s.host.selected, (QList<int> {0, 1, 2}));
    EXPECT_EQ(s.host.events, (QStringList {"stop", "notice"}));
}

TEST(Interpreter, NestedCountedLoopsRunTheInnerBodyOncePerOuterAndInnerPass)
{
    Session s({"ALGORITHM BEGIN", "CYCLE. EXECUTE 2 TIMES",
               "  ROTATE 45",   // 2: outer body
               "  CYCLE. EXECUTE 3 TIMES",
               "    ROTATE 90",   // 4: inner body
               "  END OF CYCLE", "END OF CYCLE", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.timesSelected(2), 2);
    EXPECT_EQ(s.timesSelected(4), 6);
    EXPECT_EQ(s.timesSelected(1), 1) << "the header is not executed again";
    EXPECT_EQ(s.timesSelected(3), 2);
    EXPECT_EQ(s.host.w.state().heading, (2 * 1 + 6 * 2) % 8);
}

TEST(Interpreter, CountIsReadInHexAndRunsExactlyThatManyPasses)
{
    Session s({"ALGORITHM BEGIN", "CYCLE. EXECUTE $A TIMES", "ROTATE 45", "END OF CYCLE", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.timesSelected(2), 10);
}

TEST(Interpreter, FailingConditionalLoopRunsNoPassEvenWithLoopsInside)
{
    // At the start the robot faces east from (0, 0): BORDER fails.
    Session s({"ALGORITHM BEGIN",
               "CYCLE. EXECUTE WHILE BORDER",   // 1
               "  CYCLE. EXECUTE 2 TIMES", "    CYCLE. EXECUTE WHILE NOT BORDER", "      STEP",
               "    END OF CYCLE", "  END OF CYCLE",
               "END OF CYCLE",   // 7
               "ROTATE 90",   // 8
               "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.selected, (QList<int> {0, 1, 7, 8, 9, 10}));
    EXPECT_EQ(s.host.w.state().x, 0);
    EXPECT_EQ(s.host.w.state().heading, 2);
    EXPECT_EQ(s.interp.loopDepth(), 0);
}

TEST(Interpreter, ConditionalLoopRepeatsWhileItsTestHolds)
{
    Session s(
        {"ALGORITHM BEGIN", "CYCLE. EXECUTE WHILE NOT BORDER", "STEP", "END OF CYCLE", "ALGORITHM END"});
    s.host.w.setFieldSizeSource([](int &x, int &y) {
        x = 5;
        y = 4;
    });
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.w.state().x, 5);
    EXPECT_EQ(s.timesSelected(2), 5);
}

TEST(Interpreter, ConditionJumpsToTheBranchAndStepsOverTheEndOfCondition)
{
    struct Case {
        const char *name;
        QStringList lines;
        QList<int> selected;
    };
    const Case cases[] = {
        {"holds with else: then-branch only, else skipped",
         {"ALGORITHM BEGIN", "CONDITION. IF NOT BORDER", "THEN", "ROTATE 45", "ELSE", "ROTATE 90",
          "END OF CONDITION", "JUMP", "ALGORITHM END"},
         {0, 1, 3, 4, 7, 8, 9}},
        {"fails with else: else-branch, its last line steps over the end",
         {"ALGORITHM BEGIN", "CONDITION. IF BORDER", "THEN", "ROTATE 45", "ELSE", "ROTATE 90",
          "END OF CONDITION", "JUMP", "ALGORITHM END"},
         {0, 1, 5, 7, 8, 9}},
        {"fails without else: continues after the end of condition",
         {"ALGORITHM BEGIN", "CONDITION. IF BORDER", "THEN", "ROTATE 45", "END OF CONDITION", "JUMP",
          "ALGORITHM END"},
         {0, 1, 5, 6, 7}},
        {"holds without else: the then-branch steps over the end",
         {"ALGORITHM BEGIN", "CONDITION. IF NOT LINE", "THEN", "ROTATE 45", "END OF CONDITION", "JUMP",
          "ALGORITHM END"},
         {0, 1, 3, 5, 6, 7}},
        {"unrecognised test: falls through line by line",
         {"ALGORITHM BEGIN", "CONDITION. IF SOMETHING", "THEN", "ROTATE 45", "END OF CONDITION",
          "ALGORITHM END"},
         {0, 1, 2, 3, 5, 6}},
    };
    for (const Case &c : cases) {
        Session s(c.lines);
        EXPECT_EQ(s.run(), TickOutcome::Ended) << c.name;
        EXPECT_EQ(s.host.selected, c.selected) << c.name;
    }
}

TEST(Interpreter, ColourAsTheLastLineOfAnElseBranchTakesEffect)
{
    Session s({"ALGORITHM BEGIN", "CONDITION. IF BORDER", "THEN", "COLOR=RED", "ELSE", "color=blue",
               "END OF CONDITION", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    const int tickOfElseColour = int(s.host.selected.indexOf(5));
    ASSERT_GE(tickOfElseColour, 0);
    EXPECT_EQ(s.host.colourAfterTick.at(tickOfElseColour), ColourTable::value(12));
    EXPECT_FALSE(s.host.selected.contains(6)) << "the end of condition takes no tick";
}

TEST(Interpreter, ColourFormsSetByNameThenStepOnTheRawLine)
{
    struct Case {
        const char *line;
        QRgb before, after;
    };
    const Case cases[] = {
        {"ЦВЕТ=красный", 0x000000, 0xFF0000},   {"цвет ГОЛУБОЙ", 0x000000, 0x00FFFF},
        {" ЦВЕТ=КРАСНЫЙ", 0x000000, 0x000000},   // not in the first column
        {"ЦВЕТ=ОРАНЖЕВЫЙ", 0x808080, 0x808080},   // unknown name keeps the colour
        {"ЦВЕТ+", 0xFFFFFF, 0x000000},          {"цвет-", 0x000000, 0xFFFFFF},
        {"ЦВЕТ-", 0x00FF00, 0xFF0000},          {"ЦВЕТ=RED", 0x000000, 0x000000},   // another Language's name
    };
    for (const Case &c : cases) {
        Session s({u("НАЧАЛО АЛГОРИТМА"), u(c.line), u("КОНЕЦ АЛГОРИТМА")}, Language::Rus);
        s.host.w.setColour(c.before);
        s.tick();
        s.tick();
        EXPECT_EQ(s.host.w.state().colour, c.after) << c.line;
    }
}

TEST(Interpreter, CountedLoopAsTheLastStatementOfAnElseBranchRepeatsAndLeavesTheCondition)
{
    Session s({"ALGORITHM BEGIN", "CONDITION. IF BORDER", "THEN", "ROTATE 45", "ELSE",
               "CYCLE. EXECUTE 3 TIMES", "ROTATE 90", "END OF CYCLE", "END OF CONDITION", "ROTATE 45",
               "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.selected, (QList<int> {0, 1, 5, 6, 7, 6, 7, 6, 7, 9, 10, 11}));
    EXPECT_EQ(s.host.w.state().heading, 7);
}

TEST(Interpreter, CallReturnsToTheLineAfterTheCallAlsoFromABranch)
{
    Session s({"PROCEDURE TURN",   // 0
               "ROTATE 90",   // 1
               "END OF PROCEDURE",   // 2
               "ALGORITHM BEGIN",   // 3
               "EXECUTE TURN",   // 4
               "CONDITION. IF NOT BORDER",   // 5
               "THEN",
               "execute turn",   // 7: last line of the branch
               "END OF CONDITION",
               "ROTATE 45",   // 9
               "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.selected, (QList<int> {3, 4, 0, 1, 2, 5, 7, 0, 1, 2, 9, 10, 11}));
    EXPECT_EQ(s.host.w.state().heading, 5);
}

TEST(Interpreter, CallEntersTheProcedureWhoseNameIsExactlyTheCalledName)
{
    for (bool abFirst : {true, false}) {
        QStringList ab = {"PROCEDURE AB", "ROTATE 45", "END OF PROCEDURE"};
        QStringList abc = {"PROCEDURE ABC", "ROTATE 90", "END OF PROCEDURE"};
        QStringList lines = abFirst ? ab + abc : abc + ab;
        lines << "ALGORITHM BEGIN"
              << "EXECUTE AB"
              << "ALGORITHM END";
        Session s(lines);
        EXPECT_EQ(s.run(), TickOutcome::Ended);
        EXPECT_EQ(s.host.w.state().heading, 1) << "AB declared first: " << abFirst;
    }
}

TEST(Interpreter, UnknownProcedureAtRunTimeIsReportedOnTheCallsLineThenStops)
{
    Session s({"PROCEDURE ABC", "END OF PROCEDURE", "ALGORITHM BEGIN", "EXECUTE AB", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::ProcedureNotFound);
    EXPECT_EQ(s.host.events, (QStringList {"stopTimer", "report", "stop"}));
    ASSERT_EQ(s.host.reports.size(), 1);
    EXPECT_EQ(s.host.reports[0].line, 3);
    EXPECT_EQ(s.host.reports[0].heading, s.msg.msgHead04);
    EXPECT_EQ(s.host.reports[0].texts, QStringList {s.msg.msgProcNotFound});
    EXPECT_EQ(s.interp.callDepth(), 0);
}

TEST(Interpreter, SpeedDirectiveSetsTheSlowestIntervalFromTheNextTick)
{
    Session s({"ALGORITHM BEGIN", "*$s=300", "ROTATE 45", "ALGORITHM END"});
    s.host.speed = 4;
    s.tick();
    EXPECT_EQ(s.host.interval, 70);
    s.tick();   // the directive
    EXPECT_EQ(s.host.speed, 1);
    EXPECT_EQ(s.host.interval, 70);
    s.tick();
    EXPECT_EQ(s.host.interval, 1000);
}

TEST(Interpreter, IntervalFollowsTheSpeedSetting)
{
    const std::pair<int, int> cases[] = {{1, 1000}, {2, 400}, {3, 150}, {4, 70},
                                         {5, 1},    {0, 33},  {6, 33},  {-1, 33}};
    for (auto [speed, ms] : cases) {
        Session s({"ALGORITHM BEGIN", "ALGORITHM END"});
        s.host.interval = 33;
        s.host.speed = speed;
        s.tick();
        EXPECT_EQ(s.host.interval, ms) << speed;
    }
}

TEST(Interpreter, RunawayRecursionStopsInOrderWithAReportOnTheCall)
{
    Session s({"PROCEDURE DEEP", "ROTATE 45", "EXECUTE DEEP", "END OF PROCEDURE", "ALGORITHM BEGIN",
               "EXECUTE DEEP", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::NestingTooDeep);
    ASSERT_EQ(s.host.reports.size(), 1);
    EXPECT_EQ(s.host.reports[0].line, 2);
    EXPECT_EQ(s.host.reports[0].heading, s.msg.msgHead04);
    EXPECT_EQ(s.host.reports[0].texts, QStringList {s.msg.msgNestingTooDeep});
    EXPECT_EQ(s.host.events, (QStringList {"stopTimer", "stop", "report"}));
    EXPECT_EQ(s.timesSelected(1), Interpreter::StackSize);
}

TEST(Interpreter, TooManyOpenLoopsStopInOrder)
{
    QStringList lines {"ALGORITHM BEGIN"};
    for (int i = 0; i < Interpreter::StackSize + 1; ++i) lines << "CYCLE. EXECUTE 2 TIMES";
    lines << "ALGORITHM END";
    Session s(lines);
    EXPECT_EQ(s.run(), TickOutcome::NestingTooDeep);
    ASSERT_EQ(s.host.reports.size(), 1);
    EXPECT_EQ(s.host.reports[0].line, Interpreter::StackSize + 1);
}

TEST(Interpreter, FailingConditionalLoopWithoutItsEndStopsWithAReportOnTheHeader)
{
    Session s({"ALGORITHM BEGIN", "ROTATE 90", "CYCLE. EXECUTE WHILE BORDER", "STEP",
               "CYCLE. EXECUTE 2 TIMES", "END OF CYCLE", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::LoopWithoutEnd);
    ASSERT_EQ(s.host.reports.size(), 1);
    EXPECT_EQ(s.host.reports[0].line, 2);
    EXPECT_EQ(s.host.reports[0].texts, QStringList {s.msg.msgLoopWithoutEnd});
    EXPECT_EQ(s.host.events, (QStringList {"stopTimer", "stop", "report"}));
}

TEST(Interpreter, UnbalancedEndsDoNothing)
{
    Session s({"ALGORITHM BEGIN", "END OF CYCLE", "END OF PROCEDURE", "ROTATE 45", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.selected, (QList<int> {0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(s.host.w.state().heading, 1);
}

TEST(Interpreter, CountBelowOneAtALoopEndStopsThenShowsTheFatalBox)
{
    // Only reachable without the check.
    Session s({"ALGORITHM BEGIN", "CYCLE. EXECUTE 0 TIMES", "ROTATE 45", "END OF CYCLE", "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::LoopError);
    EXPECT_EQ(s.host.events, (QStringList {"stop", "fatal"}));
    EXPECT_EQ(s.host.fatal, fatalLoopErrorText());
}

TEST(Interpreter, OutOfFieldStopsTheRunFromInsideTheStep)
{
    Session s({"ALGORITHM BEGIN", "CYCLE. EXECUTE 20 TIMES", "STEP", "END OF CYCLE", "ALGORITHM END"});
    s.host.w.setFieldSizeSource([](int &x, int &y) {
        x = 3;
        y = 3;
    });
    s.run();
    EXPECT_EQ(s.host.events, (QStringList {"outOfField", "stop"}));
    EXPECT_EQ(s.host.w.state().x, 3);
    EXPECT_EQ(s.timesSelected(2), 4);
}

TEST(Interpreter, ProgramLongerThanSixteenBitLineNumbersRunsToItsEnd)
{
    QStringList lines {"PROCEDURE TURN", "ROTATE 45", "END OF PROCEDURE", "ALGORITHM BEGIN"};
    while (lines.size() < 69990) lines << "ROTATE 90";
    const int loopHeader = int(lines.size());
    lines << "CYCLE. EXECUTE 3 TIMES"
          << "EXECUTE TURN"
          << "END OF CYCLE"
          << "ROTATE 90";
    while (lines.size() < 70000) lines << "";
    lines << "ALGORITHM END";
    Session s(lines);
    EXPECT_EQ(s.run(1000000), TickOutcome::Ended);
    EXPECT_EQ(s.timesSelected(loopHeader + 1), 3);
    EXPECT_EQ(s.timesSelected(1), 3);
    EXPECT_EQ(s.host.selected.last(), 70001);
    const int turns90 = 69990 - 4 + 1;
    EXPECT_EQ(s.host.w.state().heading, (turns90 * 2 + 3) % 8);
}

TEST(Interpreter, PositionPanelFollowsEveryTickThatRunsToItsEnd)
{
    // The condition header jumps and so ends its tick early: no panel write for it.
    Session s({"ALGORITHM BEGIN", "STEP", "CONDITION. IF NOT BORDER", "THEN", "STEP", "END OF CONDITION",
               "ALGORITHM END"});
    EXPECT_EQ(s.run(), TickOutcome::Ended);
    EXPECT_EQ(s.host.selected, (QList<int> {0, 1, 2, 4, 6, 7}));
    EXPECT_EQ(s.host.panels, (QList<QPoint> {{0, 0}, {1, 0}, {2, 0}, {2, 0}, {2, 0}}));
}
