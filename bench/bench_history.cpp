// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// A run's history: its cost per tick, its memory, and a jump to any tick of a long run.
#include "run/HeadlessRun.h"
#include "world/FieldPicture.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// About `ticks` ticks of drawing a row of the field there and back in two colours, turning
// round at every node on the way out: a segment every few ticks.
QStringList drawingProgram(qint64 ticks)
{
    const qint64 perPass = 169;   // the outer loop's ticks, as counted
    return {"ALGORITHM BEGIN",
            QStringLiteral("CYCLE. EXECUTE %1 TIMES").arg(std::max<qint64>(1, ticks / perPass)),
            "  COLOR=RED",
            "  CYCLE. EXECUTE WHILE NOT BORDER",
            "    STEP",
            "    ROTATE 45",
            "    ROTATE 45",
            "    ROTATE 90",
            "    ROTATE 90",
            "    ROTATE 45",
            "    ROTATE 45",
            "  END OF CYCLE",
            "  ROTATE 90",
            "  ROTATE 90",
            "  COLOR=BLUE",
            "  CYCLE. EXECUTE WHILE NOT BORDER",
            "    STEP",
            "  END OF CYCLE",
            "  ROTATE 90",
            "  ROTATE 90",
            "END OF CYCLE",
            "ALGORITHM END"};
}

// The same run with and without its history: the difference is the history's cost.
void BM_RunOfAMillionTicks(benchmark::State &state)
{
    StringListProgramText text(drawingProgram(1000000));
    FieldPicture canvas;
    HeadlessRun run(text, Language::Eng);
    run.setCanvas(&canvas);
    run.controller().setKeepHistory(state.range(0) != 0);
    qint64 ticks = 0;
    for (auto _ : state) {
        run.world().resetField();
        run.run(0);
        ticks += run.ticks();
    }
    state.SetItemsProcessed(ticks);
    const RunHistory &h = run.controller().history();
    state.counters["ticks_per_run"] = double(run.ticks());
    state.counters["bytes_per_tick"] = h.ticks() ? double(h.bytes()) / double(h.ticks()) : 0;
}
BENCHMARK(BM_RunOfAMillionTicks)->Arg(1)->Arg(0)->ArgName("history")->Unit(benchmark::kMillisecond);

// Moving a finished run's field to a random tick: the world, the interpreter and the
// picture as they were.
void jumpBenchmark(benchmark::State &state, qint64 length)
{
    StringListProgramText text(drawingProgram(length));
    FieldPicture canvas;
    HeadlessRun run(text, Language::Eng);
    run.setCanvas(&canvas);
    run.controller().setKeepHistory(true);
    run.world().resetField();
    run.run(0);
    const RunHistory &h = run.controller().history();
    QRandomGenerator random(20261210);
    for (auto _ : state) {
        const qint64 k = qint64(random.bounded(quint32(h.ticks() + 1)));
        if (!run.controller().showTick(k)) {
            state.SkipWithError("no history");
            break;
        }
    }
    state.counters["ticks"] = double(h.ticks());
    state.counters["history_MiB"] = double(h.bytes()) / double(1 << 20);
    state.counters["bytes_per_tick"] = double(h.bytes()) / double(std::max<qint64>(1, h.ticks()));
}

void BM_JumpToARandomTickOfAMillion(benchmark::State &state) { jumpBenchmark(state, 1000000); }
BENCHMARK(BM_JumpToARandomTickOfAMillion)->Unit(benchmark::kMillisecond);

// Ten million ticks: the memory stays under the bound, the jump re-executes more.
void BM_JumpToARandomTickOfTenMillion(benchmark::State &state) { jumpBenchmark(state, 10000000); }
BENCHMARK(BM_JumpToARandomTickOfTenMillion)->Unit(benchmark::kMillisecond)->Iterations(20);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
