// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// Grading a class of 30 pupils against a model, files read from disk, as --compare does.
#include "cli/CompareMode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A procedure-drawn staircase of `stairs` steps in colour `colour`, then a spiral of
// conditional loops along the border: a few hundred ticks, like a real lesson's task.
QStringList program(int stairs, const char *colour, bool typo)
{
    QStringList l {QStringLiteral("* pupil's work"),
                   QStringLiteral("PROCEDURE STAIR"),
                   QStringLiteral("STEP"),
                   QStringLiteral("ROTATE 90"),
                   QStringLiteral("STEP"),
                   QStringLiteral("ROTATE 90"),
                   QStringLiteral("ROTATE 90"),
                   QStringLiteral("ROTATE 90"),
                   QStringLiteral("END OF PROCEDURE"),
                   QStringLiteral("ALGORITHM BEGIN"),
                   QStringLiteral("COLOR=%1").arg(QLatin1String(colour)),
                   QStringLiteral("CYCLE. EXECUTE %1 TIMES").arg(stairs),
                   QStringLiteral("EXECUTE STAIR"),
                   QStringLiteral("END OF CYCLE"),
                   QStringLiteral("COLOR+")};
    for (int side = 0; side < 2; ++side)
        l << QStringLiteral("CYCLE. EXECUTE WHILE NOT BORDER") << QStringLiteral("STEP")
          << QStringLiteral("END OF CYCLE") << QStringLiteral("ROTATE 90");
    l << QStringLiteral("CONDITION. IF BORDER") << QStringLiteral("THEN") << QStringLiteral("ROTATE 45")
      << QStringLiteral("ELSE") << QStringLiteral("JUMP") << QStringLiteral("END OF CONDITION");
    if (typo) l << QStringLiteral("STPE");
    l << QStringLiteral("ALGORITHM END");
    return l;
}

void write(const QString &path, const QStringList &lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    QStringEncoder cp1251("windows-1251");
    f.write(QByteArray(cp1251(lines.join(QStringLiteral("\r\n")))));
}

// Two thirds of the class draw the model, the others a shorter staircase, another colour
// or a typo.
CompareMode::Options classOf30(const QTemporaryDir &dir)
{
    CompareMode::Options o;
    o.model = dir.filePath(QStringLiteral("model.tkm"));
    write(o.model, program(8, "RED", false));
    for (int i = 0; i < 30; ++i) {
        const QString path = dir.filePath(QStringLiteral("pupil%1.tkm").arg(i, 2, 10, QLatin1Char('0')));
        switch (i % 6) {
        case 1:
            write(path, program(7, "RED", false));
            break;
        case 3:
            write(path, program(8, "BLUE", false));
            break;
        case 5:
            write(path, program(8, "RED", i % 12 == 5));
            break;
        default:
            write(path, program(8, "RED", false));
        }
        o.pupils << path;
    }
    return o;
}

void BM_CompareClassOf30(benchmark::State &state)
{
    QTemporaryDir dir;
    CompareMode::Options o = classOf30(dir);
    const bool pictures = state.range(0) != 0;
    if (pictures) {
        o.diffDir = dir.filePath(QStringLiteral("diff"));
        QDir().mkpath(o.diffDir);
    }
    int differing = 0;
    for (auto _ : state) {
        const CompareMode::Grading g = CompareMode::grade(o);
        if (g.exitCode != 1) state.SkipWithError("unexpected exit code");
        differing = int(g.lines.filter(QStringLiteral(": differs")).size());
        benchmark::DoNotOptimize(g);
    }
    if (differing != 13) state.SkipWithError("wrong number of differing pupils");
    state.SetLabel(pictures ? "30 pupils, diff pictures; target < 1 s" : "30 pupils; target < 1 s");
}
BENCHMARK(BM_CompareClassOf30)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A whole year's worth of one task: 300 pupils graded and written into the class report,
// pictures and programs included.
void BM_ClassReportOf300(benchmark::State &state)
{
    QTemporaryDir dir;
    CompareMode::Options o = classOf30(dir);
    const QStringList thirty = o.pupils;
    for (int copy = 1; copy < 10; ++copy) o.pupils += thirty;
    o.reportPath = dir.filePath(QStringLiteral("class.html"));
    o.interfaceLanguage = Language::Eng;
    int differing = 0;
    for (auto _ : state) {
        const CompareMode::Grading g = CompareMode::grade(o);
        if (g.exitCode != 1) state.SkipWithError("unexpected exit code");
        differing = int(g.lines.filter(QStringLiteral(": differs")).size());
        benchmark::DoNotOptimize(g);
    }
    if (differing != 130) state.SkipWithError("wrong number of differing pupils");
    state.counters["report_MB"] = double(QFileInfo(o.reportPath).size()) / 1e6;
    state.SetLabel("300 pupils with the class report; target < 5 s");
}
BENCHMARK(BM_ClassReportOf300)->Unit(benchmark::kMillisecond)->Iterations(1);

}   // namespace

TRAKMIL_BENCHMARK_MAIN();
