// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// The class overview of 300 hand-ins against a task, read from a folder, with the page and
// the table written, as --class does.
#include "cli/ClassMode.h"
#include "run/Grading.h"
#include "run/HandIn.h"
#include "run/TaskFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

namespace {

QStringList lines(const QString &text) { return text.split(QLatin1Char('\n')); }

StyledText styled(const QStringList &program)
{
    StyledText s;
    for (const QString &l : program) s.append({l, {}});
    return s;
}

// A staircase of `stairs` steps in `colour` on two fields: a few hundred ticks each.
QString program(int stairs, const char *colour, int comment)
{
    return QStringLiteral(
               "* pupil %1\nPROCEDURE STAIR\nSTEP\nROTATE 90\nSTEP\nROTATE 90\nROTATE 90\nROTATE 90\n"
               "END OF PROCEDURE\nALGORITHM BEGIN\nCOLOR=%2\nCYCLE. EXECUTE %3 TIMES\nEXECUTE STAIR\n"
               "END OF CYCLE\nALGORITHM END")
        .arg(comment)
        .arg(QLatin1String(colour))
        .arg(stairs);
}

// 300 pupils: two thirds solve it, the others draw a shorter staircase or another colour,
// some hand in the starting program.
bool writeClass(const QTemporaryDir &dir, ClassMode::Options &o)
{
    Task task;
    task.title = QStringLiteral("Stairs");
    int failed = -1;
    FieldDrawing failure;
    const auto goals = goalsFromModel(lines(program(8, "RED", 0)), Language::Eng,
                                      {QSize(16, 20), QSize(12, 12)}, false, failed, failure);
    if (!goals) return false;
    task.fields = *goals;
    task.start = styled(lines(QStringLiteral("ALGORITHM BEGIN\nALGORITHM END")));
    o.folder = dir.filePath(QStringLiteral("class"));
    o.task = dir.filePath(QStringLiteral("stairs.tkt"));
    QString error;
    if (!QDir().mkpath(o.folder) || !saveTaskFile(o.task, task, &error, Language::Eng)) return false;
    for (int i = 0; i < 300; ++i) {
        HandInRecord r;
        r.pupil = QStringLiteral("Pupil %1").arg(i);
        r.taskTitle = task.title;
        r.taskId = taskIdentifier(task);
        r.handedIn = QDateTime(QDate(2026, 12, 10), QTime(10, i % 60), QTimeZone::utc());
        QString p;
        switch (i % 6) {
        case 1:
            p = program(7, "RED", i);
            break;
        case 3:
            p = i % 12 == 3 ? QStringLiteral("ALGORITHM BEGIN\nALGORITHM END") : program(8, "BLUE", i);
            break;
        default:
            p = program(8, "RED", i);
        }
        QString written;
        if (!writeHandIn(o.folder, styled(lines(p)), {}, r, &written, &error, Language::Eng)) return false;
    }
    o.reportPath = dir.filePath(QStringLiteral("class.html"));
    o.interfaceLanguage = Language::Eng;
    return true;
}

void BM_ClassOverviewOf300(benchmark::State &state)
{
    QTemporaryDir dir;
    ClassMode::Options o;
    if (!writeClass(dir, o)) {
        state.SkipWithError("cannot write the class");
        return;
    }
    int solved = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const ClassMode::Overview ov = ClassMode::build(o);
        const QByteArray page = ClassMode::overviewHtml(ov, o.interfaceLanguage).toUtf8();
        const QByteArray csv = ClassMode::overviewCsv(ov, o.interfaceLanguage);
        solved = ov.solved;
        bytes = page.size() + csv.size();
        benchmark::DoNotOptimize(page);
    }
    if (solved != 200) state.SkipWithError("wrong number of solving pupils");
    state.counters["page_MB"] = double(bytes) / 1e6;
    state.SetLabel("300 hand-ins against a task of two fields; target < 2 s CPU");
}
BENCHMARK(BM_ClassOverviewOf300)->Unit(benchmark::kMillisecond)->Iterations(1);

}   // namespace

TRAKMIL_BENCHMARK_MAIN();
