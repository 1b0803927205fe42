// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
#include "app/MainWindow.h"
#include <QAction>
#include "common/Prompts.h"
#include "run/HeadlessRun.h"
#include "editor/AlgorithmEditor.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Dialogs never show in a benchmark.
class SilentPrompts : public Prompts {
public:
    void messageWindow(const QString &, const QStringList &) override { }
    void message(const QString &) override { }
    bool question(const QString &) override { return true; }
    Choice chooseOne(const QString &, const QStringList &) override { return {}; }
    QString openFile(const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    void setOpenFolders(const QString &, const QStringList &) override { }
    std::optional<QString> textInput(const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
};

// A shown main window with its settings in a temporary folder.
struct Shown {
    QTemporaryDir dir;
    SilentPrompts prompts;
    std::unique_ptr<MainWindow> window;
    explicit Shown(bool recovery = false)
    {
        MainWindow::Options o;
        o.settingsPath = dir.filePath(QStringLiteral("trakmil.ini"));
        o.prompts = &prompts;
        if (recovery) o.recoveryFolder = dir.filePath(QStringLiteral("recovery"));
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

// A 5,000-tick run at speed 5 in the real window, timed by the clock; optionally with the
// run-state window open beside it, whose own slow refresh must not cost the run its speed.
void runAtFullSpeed(benchmark::State &state, bool withRunState)
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
    if (withRunState) {
        w.action(Command::RunState)->trigger();
        QCoreApplication::processEvents();
    }
    double perSecond = 0;
    for (auto _ : state) {
        w.settings().speed = 5;
        QElapsedTimer clock;
        clock.start();
        w.action(Command::Run)->trigger();
        while (w.runController().isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        perSecond = ticks / (clock.nsecsElapsed() / 1e9);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
    state.counters["ticks"] = double(ticks);
    state.counters["ticks_per_s"] = perSecond;
    state.SetLabel("target: >= 990 ticks/s (limit 1000)");
}

void BM_WindowRunAtFullSpeed(benchmark::State &state) { runAtFullSpeed(state, false); }
BENCHMARK(BM_WindowRunAtFullSpeed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_WindowRunAtFullSpeedWithRunState(benchmark::State &state) { runAtFullSpeed(state, true); }
BENCHMARK(BM_WindowRunAtFullSpeedWithRunState)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The cost of one tick of the real window, without the timer; with argument 1 also the
// repaint it causes.
void BM_WindowTickCost(benchmark::State &state)
{
    Shown shown;
    MainWindow &w = *shown.window;
    w.editor()->setPlainText(QString::fromUtf8("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 99999 РАЗ\nПОВОРОТ 90\n"
                                               "ПОВОРОТ 45\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА"));
    w.action(Command::Run)->trigger();
    const bool paint = state.range(0) != 0;
    for (auto _ : state) {
        w.runController().tick();
        if (paint) QCoreApplication::processEvents();
    }
    w.action(Command::Stop)->trigger();
}
BENCHMARK(BM_WindowTickCost)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A keystroke in the window that keeps a recovery copy, and, apart, the copy's writing,
// which its timer does between keystrokes.
QString programOf(int lines)
{
    QStringList l;
    for (int i = 0; i < lines; ++i) l << QString::fromUtf8(i % 2 ? "ШАГ" : "ПОВОРОТ 90");
    return l.join(QLatin1Char('\n'));
}

void BM_WindowKeystrokeWithRecovery(benchmark::State &state)
{
    Shown shown(state.range(1) != 0);
    AlgorithmEditor *ed = shown.window->editor();
    ed->setPlainText(programOf(int(state.range(0))));
    ed->setCaret(int(state.range(0)) / 2, 0);
    ed->setFocus();
    // A character and its Backspace, so the line stays short; the time is per key.
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (auto _ : state) {
        QCoreApplication::sendEvent(ed, &x);
        QCoreApplication::sendEvent(ed, &back);
    }
    state.SetItemsProcessed(2 * state.iterations());
    state.SetLabel(state.range(1) ? "recovery on; target: < 0.2 ms a key" : "recovery off");
}
BENCHMARK(BM_WindowKeystrokeWithRecovery)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);

void BM_RecoveryCopyWrite(benchmark::State &state)
{
    Shown shown(true);
    MainWindow &w = *shown.window;
    w.editor()->setPlainText(programOf(int(state.range(0))));
    // The copy is what the recovery timer's timeout writes.
    auto *timer = w.findChild<QTimer *>(QStringLiteral("recoveryTimer"), Qt::FindDirectChildrenOnly);
    for (auto _ : state) QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}
BENCHMARK(BM_RecoveryCopyWrite)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
