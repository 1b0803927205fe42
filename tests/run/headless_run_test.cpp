// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/HeadlessRun.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {

struct Fixture {
    explicit Fixture(const QStringList &lines) : text(lines), run(text, Language::Eng) { }
    StringListProgramText text;
    HeadlessRun run;
};

}   // namespace

TEST(HeadlessRun, StopRestoresTheSpeedSettingAndTheBlackTrace)
{
    Fixture f({"ALGORITHM BEGIN", "COLOR=RED", "*$S=5", "STEP", "ALGORITHM END"});
    f.run.setSpeed(4);
    EXPECT_EQ(f.run.checkAndRun(0), HeadlessRun::Result::End);
    EXPECT_EQ(f.run.lastInterval(), 1000) << "the directive slowed the ticks after it";
    EXPECT_EQ(f.run.xSpeed(), 4);
    EXPECT_EQ(f.run.world().state().colour, 0x000000u);
    EXPECT_EQ(f.run.world().traceAt(2, 1), 1);
    EXPECT_EQ(f.run.ticks(), 6);
    EXPECT_EQ(f.run.interpreter().currentLine(), 5);
}

TEST(HeadlessRun, OutOfFieldReportSelectsTheLineBeingExecuted)
{
    Fixture f({"ALGORITHM BEGIN", "CYCLE. EXECUTE 9 TIMES", "JUMP", "END OF CYCLE", "ALGORITHM END"});
    f.run.setFieldSize(4, 4);
    f.run.setSpeed(2);
    EXPECT_EQ(f.run.checkAndRun(0), HeadlessRun::Result::outOfFieldAttempted);
    ASSERT_EQ(f.run.reports().size(), 1);
    EXPECT_EQ(f.run.reports()[0].line, 2);
    EXPECT_EQ(f.run.reports()[0].heading, f.run.catalogue().msgHead03);
    EXPECT_EQ(f.run.reports()[0].texts,
              (QStringList {f.run.catalogue().msgOutOfField, f.run.catalogue().msgEditCode}));
    EXPECT_EQ(f.run.world().state().x, 4);
    EXPECT_EQ(f.run.interpreter().loopDepth(), 0) << "the stop empties the stacks";
    EXPECT_EQ(f.run.xSpeed(), 2);
}

TEST(HeadlessRun, FieldSizeIsKeptToItsRange)
{
    Fixture f({"ALGORITHM BEGIN", "CYCLE. EXECUTE WHILE NOT BORDER", "JUMP", "END OF CYCLE", "ROTATE 90",
               "CYCLE. EXECUTE WHILE NOT BORDER", "JUMP", "END OF CYCLE", "ALGORITHM END"});
    f.run.setFieldSize(0, 500);
    EXPECT_EQ(f.run.checkAndRun(0), HeadlessRun::Result::End);
    EXPECT_EQ(f.run.world().state().x, 2);
    EXPECT_EQ(f.run.world().state().y, 20);
}

TEST(HeadlessRun, TickLimitStopsAnEndlessRunInOrder)
{
    Fixture f({"ALGORITHM BEGIN", "CYCLE. EXECUTE WHILE NOT LINE", "*$S=1", "END OF CYCLE", "ALGORITHM END"});
    f.run.setSpeed(5);
    EXPECT_EQ(f.run.checkAndRun(1000), HeadlessRun::Result::TickLimit);
    EXPECT_EQ(f.run.ticks(), 1000);
    EXPECT_EQ(f.run.xSpeed(), 5);
    EXPECT_EQ(f.run.interpreter().loopDepth(), 0);
}

TEST(HeadlessRun, CheckFailureLeavesTheWorldReset)
{
    Fixture f({"ALGORITHM BEGIN", "STPE", "ALGORITHM END"});
    f.run.world().rotate90();
    EXPECT_EQ(f.run.checkAndRun(0), HeadlessRun::Result::CheckFailed);
    EXPECT_EQ(f.run.ticks(), 0);
    EXPECT_EQ(f.run.world().state().heading, 0);
    ASSERT_EQ(f.run.reports().size(), 1);
    EXPECT_EQ(f.run.reports()[0].line, 1);
}
