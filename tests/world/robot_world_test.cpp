// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/RobotWorld.h"

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

namespace {

// Records every canvas and listener call as one short line, in order.
class Recorder : public WorldCanvas, public WorldListener {
public:
    QStringList log;
    int outOfField = 0;
    int line = -1, border = -1;

    void drawEmptyField(int x, int y) override { log << QString("field %1 %2").arg(x).arg(y); }
    void setPen(QRgb c, int w) override { log << QString("pen %1 %2").arg(c, 6, 16, QChar('0')).arg(w); }
    void drawSegment(int a, int b, int c, int d) override
    {
        log << QString("seg %1,%2-%3,%4").arg(a).arg(b).arg(c).arg(d);
    }
    void showSprite(int h, bool wipe) override
    {
        log << QString("sprite %1%2").arg(h).arg(wipe ? " wipe" : "");
    }
    void showArrow(int h) override { log << QString("arrow %1").arg(h); }
    void moveSprite(int x, int y) override { log << QString("move %1,%2").arg(x).arg(y); }
    void setSpriteVisible(bool v) override { log << QString("visible %1").arg(v); }

    void outOfFieldAttempted() override
    {
        ++outOfField;
        log << "OutOfField";
    }
    void positionPanelChanged(int x, int y) override { log << QString("pos %1,%2").arg(x).arg(y); }
    void lineSensorChanged(int v) override
    {
        line = v;
        log << QString("line %1").arg(v);
    }
    void borderSensorChanged(int v) override
    {
        border = v;
        log << QString("border %1").arg(v);
    }
};

class RobotWorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.setCanvas(&rec);
        world.setListener(&rec);
        world.setFieldSizeSource([this](int &x, int &y) {
            x = fieldX;
            y = fieldY;
        });
        world.resetField();
        rec.log.clear();
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i) world.step();
    }
    void turnTo(int heading)
    {
        while (world.state().heading != heading) world.rotate45();
    }

    int fieldX = 16, fieldY = 20;
    Recorder rec;
    RobotWorld world;
};

}   // namespace

TEST_F(RobotWorldTest, ResetStateAndCallOrder)
{
    world.setColour(0xFF0000);
    steps(3);
    world.rotate90();
    world.destroyRobot();
    rec.log.clear();
    world.resetField();

    const RobotState &s = world.state();
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);
    EXPECT_EQ(s.px, 1);
    EXPECT_EQ(s.py, 1);
    EXPECT_EQ(s.heading, 0);
    EXPECT_EQ(s.colour, 0x000000u);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.lineSensor, 0);
    EXPECT_EQ(s.borderSensor, 0);
    for (int px = 1; px <= RobotWorld::MapW; ++px)
        for (int py = 1; py <= RobotWorld::MapH; ++py) ASSERT_EQ(world.traceAt(px, py), 0) << px << "," << py;
    EXPECT_EQ(rec.log, QStringList({"visible 1", "pen 000000 1", "field 16 20", "sprite 0 wipe", "arrow 0",
                                    "move 0,0", "pos 0,0", "line 0", "border 0"}));
}

TEST_F(RobotWorldTest, StepCallOrderDrawsAfterSensing)
{
    world.setColour(0x00FF00);
    world.step();
    EXPECT_EQ(rec.log,
              QStringList({"pen 00ff00 5", "sprite 0", "move 1,0", "line 0", "border 0", "seg 0,0-1,0"}));
    // Only the interpreter rewrites the position panel after a move.
    EXPECT_FALSE(rec.log.join(';').contains("pos"));
}

TEST_F(RobotWorldTest, TurningNorthAtOriginSensesBorder)
{
    world.rotate90();
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().heading, 6);
    EXPECT_EQ(world.state().borderSensor, 1);
    EXPECT_EQ(rec.border, 1);

    world.resetField();
    for (int i = 0; i < 6; ++i) world.rotate45();
    EXPECT_EQ(world.state().heading, 6);
    EXPECT_EQ(world.state().borderSensor, 1);

    rec.log.clear();
    world.rotate45();
    EXPECT_EQ(rec.log, QStringList({"sprite 7 wipe", "arrow 7", "line 0", "border 1"}));
    world.rotate45();
    EXPECT_EQ(world.state().heading, 0);   // wraps
}

TEST_F(RobotWorldTest, SixteenStepsEastThenOutOfField)
{
    steps(16);
    EXPECT_EQ(world.state().x, 16);
    EXPECT_EQ(world.state().px, 33);
    EXPECT_EQ(world.state().borderSensor, 1);
    EXPECT_EQ(rec.outOfField, 0);

    rec.log.clear();
    world.step();
    EXPECT_EQ(rec.outOfField, 1);
    EXPECT_EQ(world.state().x, 16);
    EXPECT_EQ(world.state().y, 0);
    // Sprite refreshed before the bounds test; nothing moved, drawn or sensed afterwards.
    EXPECT_EQ(rec.log, QStringList({"pen 000000 5", "sprite 0", "OutOfField"}));
    EXPECT_EQ(world.traceAt(34, 1), 0);

    rec.log.clear();
    world.jump();
    EXPECT_EQ(rec.log, QStringList({"sprite 0", "OutOfField"}));
}

TEST_F(RobotWorldTest, BorderSensorMatchesFailingMoveOnEveryEdge)
{
    // Walk the robot to each corner and edge midpoint, try every heading, and check the
    // sensor against what a jump actually does.
    const int nodes[][2] = {{0, 0}, {16, 0}, {0, 20}, {16, 20}, {8, 0}, {0, 10}, {16, 10}, {8, 20}, {8, 10}};
    for (auto [nx, ny] : nodes) {
        for (int h = 0; h < 8; ++h) {
            world.resetField();
            world.rotate90();   // south
            for (int i = 0; i < ny; ++i) world.jump();
            world.rotate90();
            world.rotate90();
            world.rotate90();   // east
            for (int i = 0; i < nx; ++i) world.jump();
            turnTo(h);
            const int sensed = world.state().borderSensor;
            const int before = rec.outOfField;
            world.jump();
            EXPECT_EQ(sensed, rec.outOfField - before) << nx << "," << ny << " heading " << h;
            EXPECT_EQ(world.state().lineSensor, 0);
        }
    }
}

TEST_F(RobotWorldTest, DiagonalStepMarksCentreAndSensesCrossingDiagonal)
{
    world.rotate45();   // south-east
    world.step();
    EXPECT_EQ(world.traceAt(1, 1), 1);
    EXPECT_EQ(world.traceAt(2, 2), 1);
    EXPECT_EQ(world.traceAt(3, 3), 1);
    EXPECT_EQ(world.traceAt(2, 1), 0);
    EXPECT_EQ(world.traceAt(1, 2), 0);

    // Back to (1, 0) facing south-west: no node ahead is marked, only the cell centre.
    world.resetField();
    world.rotate45();
    world.step();   // (1, 1)
    turnTo(6);
    world.jump();   // (1, 0)
    turnTo(3);   // south-west
    EXPECT_EQ(world.state().x, 1);
    EXPECT_EQ(world.state().y, 0);
    EXPECT_EQ(world.traceAt(1, 3), 0);   // node ahead (0, 1)
    EXPECT_EQ(world.state().lineSensor, 1);
}

TEST_F(RobotWorldTest, LineSensorCases)
{
    // Two steps east and a half turn: node (1, 0) ahead is marked.
    steps(2);
    EXPECT_EQ(world.state().lineSensor, 0);
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().lineSensor, 1);

    // A jump marks nothing.
    world.resetField();
    world.jump();
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().lineSensor, 0);
    for (int px = 1; px <= 5; ++px) EXPECT_EQ(world.traceAt(px, 1), 0);

    // White steps are ordinary steps for the trace map.
    world.resetField();
    world.setColour(0xFFFFFF);
    steps(2);
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().lineSensor, 1);
    EXPECT_EQ(world.traceAt(4, 1), 1);
}

TEST_F(RobotWorldTest, FacingOutwardReadsNoLine)
{
    // Trace all along the top edge, then face north from a marked node.
    steps(16);
    turnTo(6);
    EXPECT_EQ(world.state().lineSensor, 0);
    turnTo(7);
    EXPECT_EQ(world.state().lineSensor, 0);
    turnTo(0);
    EXPECT_EQ(world.state().lineSensor, 0);
    turnTo(4);
    EXPECT_EQ(world.state().lineSensor, 1);
}

TEST_F(RobotWorldTest, HiddenRobotStillMovesDrawsAndSenses)
{
    world.destroyRobot();
    EXPECT_FALSE(world.state().visible);
    EXPECT_EQ(rec.log.last(), "visible 0");
    steps(2);
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().x, 2);
    EXPECT_EQ(world.state().lineSensor, 1);
    EXPECT_TRUE(rec.log.contains("seg 1,0-2,0"));
    EXPECT_FALSE(world.state().visible);

    rec.log.clear();
    world.rebuildRobot();
    EXPECT_TRUE(world.state().visible);
    EXPECT_EQ(rec.log, QStringList({"visible 1"}));   // sensors untouched
}

TEST_F(RobotWorldTest, SmallFieldBoundsAndLiveSizeChanges)
{
    fieldX = 10;
    fieldY = 5;
    world.resetField();
    EXPECT_EQ(rec.log.filter("field").last(), "field 10 5");
    steps(10);
    EXPECT_EQ(world.state().borderSensor, 1);
    world.step();
    EXPECT_EQ(rec.outOfField, 1);
    world.rotate90();
    for (int i = 0; i < 5; ++i) world.jump();
    EXPECT_EQ(world.state().y, 5);
    EXPECT_EQ(world.state().borderSensor, 1);
    world.jump();
    EXPECT_EQ(rec.outOfField, 2);
    EXPECT_EQ(world.state().y, 5);

    // Shrinking under the robot: the border sensor still predicts the failing move.
    fieldY = 3;
    world.rotate90();
    world.rotate90();
    world.rotate90();
    world.rotate90();
    EXPECT_EQ(world.state().borderSensor, 1);
}

TEST_F(RobotWorldTest, OutlandishFieldSizesAreClamped)
{
    const int sizes[][4] = {{0, 0, 2, 2}, {-5, 1000, 2, 20}, {17, 21, 16, 20}, {1 << 30, -(1 << 30), 16, 2}};
    for (auto [sx, sy, ex, ey] : sizes) {
        fieldX = sx;
        fieldY = sy;
        EXPECT_EQ(world.fieldWidth(), ex);
        EXPECT_EQ(world.fieldHeight(), ey);
        world.resetField();
        EXPECT_EQ(rec.log.filter("field").last(), QString("field %1 %2").arg(ex).arg(ey));
        for (int i = 0; i < 40; ++i) world.step();
        world.rotate90();
        for (int i = 0; i < 40; ++i) world.step();
        EXPECT_EQ(world.state().x, ex);
        EXPECT_EQ(world.state().y, ey);
    }
    EXPECT_EQ(world.traceAt(0, 0), 0);
    EXPECT_EQ(world.traceAt(34, 42), 0);
    EXPECT_EQ(world.traceAt(-1, 5), 0);
}

TEST_F(RobotWorldTest, WorksWithoutCanvasOrListener)
{
    RobotWorld bare;
    bare.resetField();
    for (int i = 0; i < 20; ++i) bare.step();
    bare.rotate45();
    bare.destroyRobot();
    EXPECT_EQ(bare.state().x, 16);
    EXPECT_EQ(bare.state().heading, 1);
    EXPECT_EQ(bare.state().borderSensor, 1);
}
