// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// The class overview of 300 hand-ins against a task, read from a folder, with the page and
// the table written, as --class does; and a school's year of 10,000, graded by --class and
// by --compare with the report, in wall time and peak memory.
#include "cli/ClassMode.h"
#include "base/SafeFile.h"
#include "run/Grading.h"
#include "run/HandIn.h"
#include "run/TaskFile.h"

#include <QFileInfo>

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

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

// The process's peak resident memory so far, in MB.
double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A procedure name of letters only, different for every pupil.
QString nameOf(int i)
{
    QString name = QStringLiteral("STAIR");
    for (int n = i + 1; n > 0; n /= 26) name += QLatin1Char(char('A' + n % 26));
    return name;
}

// A staircase as every pupil writes it in their own words (a procedure named their own way),
// so that no two programs are alike and no copy is flagged.
QString ownProgram(int i, int stairs, const char *colour)
{
    return program(stairs, colour, i).replace(QStringLiteral("STAIR"), nameOf(i));
}

// 10,000 pupils of one task: two thirds solve it, the others draw one of a few dozen wrong
// staircases or hand in nothing; a tenth carry no hand-in record.
bool writeYear(const QTemporaryDir &dir, ClassMode::Options &o, QStringList &files)
{
    Task task;
    task.title = QStringLiteral("Stairs");
    int failed = -1;
    FieldDrawing failure;
    const auto goals = goalsFromModel(lines(program(8, "RED", 0)), Language::Eng,
                                      {QSize(16, 20), QSize(12, 12)}, false, failed, failure);
    if (!goals) return false;
    task.fields = *goals;
    o.folder = dir.filePath(QStringLiteral("year"));
    o.task = dir.filePath(QStringLiteral("stairs.tkt"));
    QString error;
    if (!QDir().mkpath(o.folder) || !saveTaskFile(o.task, task, &error, Language::Eng)) return false;
    const char *colours[] = {"BLUE", "GREEN", "BLACK", "NAVY"};
    for (int i = 0; i < 10000; ++i) {
        QString p;
        if (i % 3 == 2)
            p = i % 60 == 2 ? QStringLiteral("ALGORITHM BEGIN\nALGORITHM END")
                            : ownProgram(i, 1 + i % 8, colours[(i / 3) % 4]);
        else
            p = ownProgram(i, 8, "RED");
        if (i % 10 == 9) {
            FileError fe;
            const QString path = QDir(o.folder).filePath(QStringLiteral("loose%1.tkm").arg(i));
            if (!writeFileSafely(path, p.toUtf8(), &fe)) return false;
            files << path;
            continue;
        }
        HandInRecord r;
        r.pupil = QStringLiteral("Pupil %1").arg(i);
        r.taskTitle = task.title;
        r.taskId = taskIdentifier(task);
        r.handedIn = QDateTime(QDate(2026, 12, 10), QTime(10, i % 60), QTimeZone::utc());
        QString written;
        if (!writeHandIn(o.folder, styled(lines(p)), {}, r, &written, &error, Language::Eng)) return false;
        files << written;
    }
    o.reportPath = dir.filePath(QStringLiteral("year.html"));
    o.csvPath = dir.filePath(QStringLiteral("year.csv"));
    o.interfaceLanguage = Language::Eng;
    return true;
}

// --class FOLDER --task TASK --report FILE --csv FILE on a school's year.
void BM_ClassOverviewOf10000(benchmark::State &state)
{
    QTemporaryDir dir;
    ClassMode::Options o;
    QStringList files;
    if (!writeYear(dir, o, files)) {
        state.SkipWithError("cannot write the year");
        return;
    }
    int solved = 0;
    for (auto _ : state) {
        const ClassMode::Overview ov = ClassMode::build(o);
        FileError failure;
        if (!ClassMode::writeOverviewPage(o.reportPath, ov, o.interfaceLanguage, &failure) ||
            !ClassMode::writeOverviewCsv(o.csvPath, ov, o.interfaceLanguage, &failure))
            state.SkipWithError("cannot write the page");
        solved = ov.solved;
    }
    if (solved < 6000) state.SkipWithError("too few solving pupils");
    state.counters["page_MB"] = double(QFileInfo(o.reportPath).size()) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    state.SetLabel("10,000 hand-ins, page and table; target < 10 s wall, memory bounded");
}
BENCHMARK(BM_ClassOverviewOf10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// --compare TASK PUPIL... --report FILE on the same year.
void BM_CompareReportOf10000(benchmark::State &state)
{
    QTemporaryDir dir;
    ClassMode::Options year;
    QStringList files;
    if (!writeYear(dir, year, files)) {
        state.SkipWithError("cannot write the year");
        return;
    }
    CompareMode::Options o;
    o.model = year.task;
    o.pupils = files;
    o.reportPath = year.reportPath;
    o.interfaceLanguage = Language::Eng;
    qsizetype solved = 0;
    for (auto _ : state) {
        const CompareMode::Grading g = CompareMode::grade(o);
        if (g.exitCode != 1) state.SkipWithError("unexpected exit code");
        solved = g.lines.filter(QStringLiteral(": solved")).size();
    }
    if (solved < 6000) state.SkipWithError("too few solving pupils");
    state.counters["report_MB"] = double(QFileInfo(o.reportPath).size()) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    state.SetLabel("10,000 pupils with the class report; target < 10 s wall, memory bounded");
}
BENCHMARK(BM_CompareReportOf10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}   // namespace

TRAKMIL_BENCHMARK_MAIN();
