// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
#include "world/FieldPicture.h"
#include "world/RobotWorld.h"
#include "world/widgets/FieldView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// One step with drawing, walking a closed square so the robot never leaves the field.
void walkSquare(RobotWorld &world, benchmark::State &state)
{
    int n = 0;
    for (auto _ : state) {
        world.step();
        if (++n == 10) {
            n = 0;
            world.rotate90();
        }
    }
}

void BM_StepOnPicture(benchmark::State &state)
{
    FieldPicture picture;
    RobotWorld world;
    world.setCanvas(&picture);
    world.resetField();
    world.setColour(0xFF0000);
    walkSquare(world, state);
}
BENCHMARK(BM_StepOnPicture);

void BM_StepOnFieldView(benchmark::State &state)
{
    FieldView view;
    RobotWorld world;
    world.setCanvas(view.canvas());
    world.resetField();
    world.setColour(0x0000FF);
    walkSquare(world, state);
}
BENCHMARK(BM_StepOnFieldView);

void BM_StepHeadless(benchmark::State &state)
{
    RobotWorld world;
    world.resetField();
    walkSquare(world, state);
}
BENCHMARK(BM_StepHeadless);

void BM_DrawField(benchmark::State &state)
{
    FieldPicture picture;
    RobotWorld world;
    world.setCanvas(&picture);
    for (auto _ : state) world.resetField();
}
BENCHMARK(BM_DrawField);

void BM_DrawFieldOnView(benchmark::State &state)
{
    FieldView view;
    RobotWorld world;
    world.setCanvas(view.canvas());
    for (auto _ : state) world.resetField();
}
BENCHMARK(BM_DrawFieldOnView);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
