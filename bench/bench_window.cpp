// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "app/HeadlessRun.h"
#include "editor/AlgorithmEditor.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Dialogs never show in a benchmark.
class SilentPrompts : public Prompts {
public:
    void messageWindow(const QString &, const QStringList &) override { }
    void message(const QString &) override { }
    bool question(const QString &) override { return true; }
    QString openFile(const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    void setOpenFolders(const QString &, const QStringList &) override { }
};

// A shown main window with its settings in a temporary folder.
struct Shown {
    QTemporaryDir dir;
    SilentPrompts prompts;
    std::unique_ptr<MainWindow> window;
    Shown()
    {
        MainWindow::Options o;
        o.settingsPath = dir.filePath(QStringLiteral("trakmil.ini"));
        o.prompts = &prompts;
        window = std::make_unique<MainWindow>(o);
        window->show();
        QCoreApplication::processEvents();
    }
};

long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void BM_StartUpToShownWindow(benchmark::State &state)
{
    for (auto _ : state) {
        Shown shown;
        benchmark::DoNotOptimize(shown.window->isVisible());
        state.PauseTiming();
        shown.window.reset();
        state.ResumeTiming();
    }
    state.counters["rss_MiB"] = double(residentKiB()) / 1024.0;
    state.SetLabel("targets: < 400 ms, resident < 80 MB");
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The real window at speed 5 on a program of about 5,000 ticks: how close the run
// comes to the one tick per millisecond that the speed asks for.
void BM_WindowRunAtFullSpeed(benchmark::State &state)
{
    Shown shown;
    MainWindow &w = *shown.window;
    const QString program = QString::fromUtf8("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 1666 РАЗ\nПОВОРОТ 90\n"
                                              "ПОВОРОТ 45\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    w.editor()->setPlainText(program);
    // The same program without a window tells how many ticks a run takes.
    StringListProgramText lines(program.split(QLatin1Char('\n')));
    HeadlessRun counter(lines, Language::Rus);
    counter.checkAndRun(0);
    const qint64 ticks = counter.ticks();
    double perSecond = 0;
    for (auto _ : state) {
        w.settings().speed = 5;
        QElapsedTimer clock;
        clock.start();
        w.runCommand();
        while (w.runActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        perSecond = ticks / (clock.nsecsElapsed() / 1e9);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["ticks"] = double(ticks);
    state.counters["ticks_per_s"] = perSecond;
    state.SetLabel("target: >= 990 ticks/s (limit 1000)");
}
BENCHMARK(BM_WindowRunAtFullSpeed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The cost of one tick of the real window, without the timer; with argument 1 also the
// repaint it causes.
void BM_WindowTickCost(benchmark::State &state)
{
    Shown shown;
    MainWindow &w = *shown.window;
    w.editor()->setPlainText(QString::fromUtf8("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 99999 РАЗ\nПОВОРОТ 90\n"
                                               "ПОВОРОТ 45\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА"));
    w.runCommand();
    const bool paint = state.range(0) != 0;
    for (auto _ : state) {
        w.runTick();
        if (paint) QCoreApplication::processEvents();
    }
    w.stopRun();
}
BENCHMARK(BM_WindowTickCost)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
