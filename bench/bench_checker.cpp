// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/SyntaxChecker.h"
#include <benchmark/benchmark.h>

namespace {

// A 10,000-line program with procedures, calls, loops and conditions.
QStringList bigProgram()
{
    QStringList l;
    for (int p = 0; p < 50; ++p) {
        l << QStringLiteral("ПРОЦЕДУРА П%1").arg(p) << QStringLiteral("ШАГ") << QStringLiteral("ПОВОРОТ 90")
          << QStringLiteral("КОНЕЦ ПРОЦЕДУРЫ");
    }
    l << QStringLiteral("НАЧАЛО АЛГОРИТМА");
    while (l.size() < 9990) {
        const int i = l.size();
        l << QStringLiteral("ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ") << QStringLiteral("  шаг")
          << QStringLiteral("ВЫПОЛНИТЬ П%1").arg(i % 50) << QStringLiteral("УСЛОВИЕ. ЕСЛИ КРАЙ")
          << QStringLiteral("ТОГДА") << QStringLiteral("ЦВЕТ=КРАСНЫЙ") << QStringLiteral("КОНЕЦ УСЛОВИЯ")
          << QStringLiteral("КОНЕЦ ЦИКЛА") << QStringLiteral("* комментарий") << QString();
    }
    l << QStringLiteral("КОНЕЦ АЛГОРИТМА");
    return l;
}

void BM_SintaxCheck10k(benchmark::State &state)
{
    const QStringList lines = bigProgram();
    const Lexicon &lex = Lexicon::forLanguage(Language::Rus);
    const MessageCatalogue &msg = MessageCatalogue::forLanguage(Language::Rus);
    for (auto _ : state) {
        StringListProgramText text(lines);   // fresh text: no cached normal forms
        const ErrorReport r = checkProgram(text, lex, msg);
        if (r.error) state.SkipWithError("unexpected report");
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel("target < 20 ms");
}
BENCHMARK(BM_SintaxCheck10k)->Unit(benchmark::kMillisecond);

// n procedures, each called once: linear when a call costs the same wherever its header stands.
void BM_SintaxCheckCallsOfNProcedures(benchmark::State &state)
{
    const int n = int(state.range(0));
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("PROCEDURE P%1").arg(i) << QStringLiteral("STEP")
              << QStringLiteral("END OF PROCEDURE");
    lines << QStringLiteral("ALGORITHM BEGIN");
    for (int i = n; i >= 1; --i) lines << QStringLiteral("EXECUTE P%1").arg(i);
    lines << QStringLiteral("ALGORITHM END");
    const Lexicon &lex = Lexicon::forLanguage(Language::Eng);
    const MessageCatalogue &msg = MessageCatalogue::forLanguage(Language::Eng);
    for (auto _ : state) {
        StringListProgramText text(lines);
        const ErrorReport r = checkProgram(text, lex, msg);
        if (r.error) state.SkipWithError("unexpected report");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SintaxCheckCallsOfNProcedures)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
