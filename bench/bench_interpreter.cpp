// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// Interpreter speed without a window: ticks per second, back to back.
#include "run/HeadlessRun.h"
#include "world/FieldPicture.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// An inward square spiral over a 16 x 16 block of the field, drawn `times` times; after
// each spiral the robot jumps back to (0, 0) facing east.
QStringList spiralProgram(int times, int *stepsPerSpiral)
{
    QStringList body;
    int x = 0, y = 0, heading = 0, steps = 0;
    static const int dx[4] = {1, 0, -1, 0}, dy[4] = {0, 1, 0, -1};
    auto leg = [&](int len, const char *cmd) {
        body << QStringLiteral("CYCLE. EXECUTE %1 TIMES").arg(len) << cmd << "END OF CYCLE";
        x += dx[heading / 2] * len;
        y += dy[heading / 2] * len;
    };
    auto turn90 = [&] {
        body << "ROTATE 90";
        heading = (heading + 2) % 8;
    };
    leg(16, "STEP");
    steps += 16;
    for (int len = 16; len >= 1; --len) {
        for (int twice = 0; twice < 2; ++twice) {
            turn90();
            leg(len, "STEP");
            steps += len;
        }
    }
    // Home: face west, jump x; face north, jump y; face east.
    while (heading != 4) turn90();
    if (x > 0) leg(x, "JUMP");
    turn90();
    if (y > 0) leg(y, "JUMP");
    turn90();
    *stepsPerSpiral = steps;

    QStringList lines {"ALGORITHM BEGIN", QStringLiteral("CYCLE. EXECUTE %1 TIMES").arg(times)};
    lines << body << "END OF CYCLE"
          << "ALGORITHM END";
    return lines;
}

QStringList nestedTurnsAndJumps()
{
    return {"ALGORITHM BEGIN",
            "CYCLE. EXECUTE 1000 TIMES",
            "  CYCLE. EXECUTE 100 TIMES",
            "    JUMP",
            "    ROTATE 90",
            "    ROTATE 90",
            "    JUMP",
            "    ROTATE 45",
            "    ROTATE 45",
            "    ROTATE 90",
            "  END OF CYCLE",
            "END OF CYCLE",
            "ALGORITHM END"};
}

QStringList callsIntoTheLastOf200()
{
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << QStringLiteral("PROCEDURE P%1").arg(i) << "ROTATE 45"
              << "END OF PROCEDURE";
    lines << "ALGORITHM BEGIN"
          << "CYCLE. EXECUTE 10000 TIMES"
          << "EXECUTE P200"
          << "END OF CYCLE"
          << "ALGORITHM END";
    return lines;
}

// n procedures, each called once from the algorithm, the last declared called first.
QStringList callsOfEveryProcedure(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("PROCEDURE P%1").arg(i) << "ROTATE 45"
              << "END OF PROCEDURE";
    lines << "ALGORITHM BEGIN";
    for (int i = n; i >= 1; --i) lines << QStringLiteral("EXECUTE P%1").arg(i);
    lines << "ALGORITHM END";
    return lines;
}

void runBenchmark(benchmark::State &state, const QStringList &lines, bool picture)
{
    StringListProgramText text(lines);
    FieldPicture canvas;
    HeadlessRun run(text, Language::Eng);
    if (picture) run.setCanvas(&canvas);
    qint64 ticks = 0;
    for (auto _ : state) {
        run.world().resetField();
        const HeadlessRun::Result r = run.run(0);
        if (r != HeadlessRun::Result::End) {
            state.SkipWithError("the program did not run to its end");
            break;
        }
        ticks += run.ticks();
    }
    state.SetItemsProcessed(ticks);
    state.counters["ticks_per_run"] = double(run.ticks());
}

void BM_Spiral100kSteps(benchmark::State &state)
{
    int perSpiral = 0;
    spiralProgram(1, &perSpiral);
    const int times = (100000 + perSpiral - 1) / perSpiral;
    runBenchmark(state, spiralProgram(times, &perSpiral), state.range(0) != 0);
}
BENCHMARK(BM_Spiral100kSteps)->Arg(1)->Arg(0)->ArgName("picture")->Unit(benchmark::kMillisecond);

void BM_NestedLoopsOfTurnsAndJumps(benchmark::State &state)
{
    runBenchmark(state, nestedTurnsAndJumps(), false);
}
BENCHMARK(BM_NestedLoopsOfTurnsAndJumps)->Unit(benchmark::kMillisecond);

void BM_CallsIntoTheLastOf200Procedures(benchmark::State &state)
{
    runBenchmark(state, callsIntoTheLastOf200(), false);
}
BENCHMARK(BM_CallsIntoTheLastOf200Procedures)->Unit(benchmark::kMillisecond);

// What --run does with a program of many procedures: check it, then run it, on a fresh
// text each time. Linear in the number of procedures when a call costs the same wherever
// its header stands.
void BM_CheckAndRunCallsOfNProcedures(benchmark::State &state)
{
    const QStringList lines = callsOfEveryProcedure(int(state.range(0)));
    for (auto _ : state) {
        StringListProgramText text(lines);
        HeadlessRun run(text, Language::Eng);
        if (run.checkAndRun(0) != HeadlessRun::Result::End) {
            state.SkipWithError("the program did not run to its end");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckAndRunCallsOfNProcedures)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
