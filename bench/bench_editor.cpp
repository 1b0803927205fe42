#include "BenchMain.h"
// Editor costs on a 10,000-line program: one typed character (key handler, the
// toolkit's own insertion and the change handler), the full refresh, one PasteCode.
#include "editor/AlgorithmEditor.h"
#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <benchmark/benchmark.h>

namespace {

QString bigProgram()
{
    static const char *const kLines[] = {
        "ПРОЦЕДУРА КВАДРАТ", "ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ", "ШАГ", "ПОВОРОТ 90", "КОНЕЦ ЦИКЛА",
        "КОНЕЦ ПРОЦЕДУРЫ", "* комментарий", "УСЛОВИЕ. ЕСЛИ ЛИНИЯ", "ТОГДА", "ЦВЕТ=КРАСНЫЙ",
        "ИНАЧЕ", "ПРЫЖОК", "КОНЕЦ УСЛОВИЯ", "ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ", "УНИЧТОЖИТЬ",
        "КОНЕЦ ЦИКЛА", "ВЫПОЛНИТЬ КВАДРАТ", "", "что-то неизвестное", "ПОВОРОТ 45"};
    QStringList lines;
    lines << QStringLiteral("НАЧАЛО АЛГОРИТМА");
    for (int i = 1; i < 9999; ++i) lines << QString::fromUtf8(kLines[i % 20]);
    lines << QStringLiteral("КОНЕЦ АЛГОРИТМА");
    return lines.join(QLatin1Char('\n'));
}

void press(QWidget *w, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QApplication::sendEvent(w, &up);
}

struct Editor {
    AlgorithmEditor ed;
    Editor()
    {
        ed.resize(320, 420);
        ed.show();
        ed.setPlainText(bigProgram());
        ed.mmRefresh();
    }
};

void BM_TypeOneCharacterOnLine5000(benchmark::State &state)
{
    Editor e;
    e.ed.setCaret(5000, 3);
    bool add = true;
    for (auto _ : state) {
        if (add) press(&e.ed, Qt::Key_X, QStringLiteral("x"));
        else press(&e.ed, Qt::Key_Backspace, QStringLiteral("\b"));
        add = !add;
    }
    state.counters["lines"] = e.ed.lineCount();
}
BENCHMARK(BM_TypeOneCharacterOnLine5000)->Unit(benchmark::kMicrosecond);

// The toolkit's own share: the same keys on a plain text edit with the same text.
void BM_PlainTextEditTypeOneCharacter(benchmark::State &state)
{
    QTextEdit ed;
    ed.resize(320, 420);
    ed.show();
    ed.setLineWrapMode(QTextEdit::NoWrap);
    ed.setPlainText(bigProgram());
    QTextCursor c(ed.document()->findBlockByNumber(5000));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    ed.setTextCursor(c);
    bool add = true;
    for (auto _ : state) {
        if (add) press(&ed, Qt::Key_X, QStringLiteral("x"));
        else press(&ed, Qt::Key_Backspace, QStringLiteral("\b"));
        add = !add;
    }
}
BENCHMARK(BM_PlainTextEditTypeOneCharacter)->Unit(benchmark::kMicrosecond);

void BM_FullRefreshUncoloured(benchmark::State &state)
{
    Editor e;
    for (auto _ : state) {
        state.PauseTiming();
        e.ed.setPlainText(bigProgram());   // every line arrives black
        state.ResumeTiming();
        e.ed.mmRefresh();
    }
}
BENCHMARK(BM_FullRefreshUncoloured)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FullRefreshAlreadyColoured(benchmark::State &state)
{
    Editor e;
    for (auto _ : state) e.ed.mmRefresh();
}
BENCHMARK(BM_FullRefreshAlreadyColoured)->Unit(benchmark::kMillisecond);

void BM_PasteCodeOnLine5000(benchmark::State &state)
{
    Editor e;
    for (auto _ : state) {
        e.ed.setCaret(5000, 2);   // inside a line: the command goes between two lines
        e.ed.PasteCode(QStringLiteral("ШАГ"));
    }
}
BENCHMARK(BM_PasteCodeOnLine5000)->Unit(benchmark::kMicrosecond);

} // namespace

TRAKMIL_BENCHMARK_MAIN()
