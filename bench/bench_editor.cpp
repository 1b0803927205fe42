// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// Editor costs on a 10,000-line and a 100,000-line program: one typed character in the
// middle (key handler, the toolkit's own insertion and the change handler), one pasteCode,
// the full refresh, opening a file into the editor.
// Targets: keystroke < 0.2 ms, pasteCode < 0.3 ms, full refresh < 8 ms (10,000 lines),
// open < 100 ms.
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "editor/AlgorithmEditor.h"
#include "editor/TextInternals.h"
#include "lang/Highlight.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

QStringList bigProgramLines(int count)
{
    static const char *const kLines[] = {"ПРОЦЕДУРА КВАДРАТ",
                                         "ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ",
                                         "ШАГ",
                                         "ПОВОРОТ 90",
                                         "КОНЕЦ ЦИКЛА",
                                         "КОНЕЦ ПРОЦЕДУРЫ",
                                         "* комментарий",
                                         "УСЛОВИЕ. ЕСЛИ ЛИНИЯ",
                                         "ТОГДА",
                                         "ЦВЕТ=КРАСНЫЙ",
                                         "ИНАЧЕ",
                                         "ПРЫЖОК",
                                         "КОНЕЦ УСЛОВИЯ",
                                         "ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ",
                                         "УНИЧТОЖИТЬ",
                                         "КОНЕЦ ЦИКЛА",
                                         "ВЫПОЛНИТЬ КВАДРАТ",
                                         "",
                                         "что-то неизвестное",
                                         "ПОВОРОТ 45"};
    QStringList lines;
    lines << QStringLiteral("НАЧАЛО АЛГОРИТМА");
    for (int i = 1; i < count - 1; ++i) lines << QString::fromUtf8(kLines[i % 20]);
    lines << QStringLiteral("КОНЕЦ АЛГОРИТМА");
    return lines;
}

QString bigProgram(int count) { return bigProgramLines(count).join(QLatin1Char('\n')); }

// The same program as a saved file holds it: every line in its checked colour.
QByteArray bigProgramFile(int count)
{
    const Lexicon &lex = Lexicon::forLanguage(Language::Rus);
    StyledText text;
    for (const QString &s : bigProgramLines(count)) {
        const QRgb c = classifyFull(normalizeLine(s), lex);
        text.append(StyledLine {s, {ColourRun {int(s.size()), c}}});
    }
    return writeRtf(text);
}

void press(QWidget *w, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QApplication::sendEvent(w, &up);
}

// Keys go to the focused editor of the active window, as in the program: an editor without
// focus skips the input method's updates that every key brings, which would flatter it.
bool takeFocus(QWidget &w)
{
    w.activateWindow();
    w.setFocus();
    QApplication::processEvents();
    return QApplication::focusWidget() == &w;
}

struct Editor {
    AlgorithmEditor ed;
    explicit Editor(int lines)
    {
        ed.resize(320, 420);
        ed.show();
        ed.setPlainText(bigProgram(lines));
        ed.recolourAll();
        QApplication::processEvents();
    }
};

// Argument 1: the repaint the key causes is counted as well.
void BM_TypeOneCharacterInTheMiddle(benchmark::State &state)
{
    Editor e(int(state.range(0)));
    const bool paint = state.range(1) != 0;
    e.ed.setCaret(e.ed.lineCount() / 2, 3);
    if (!takeFocus(e.ed)) state.SkipWithError("the editor has no focus");
    bool add = true;
    for (auto _ : state) {
        if (add)
            press(&e.ed, Qt::Key_X, QStringLiteral("x"));
        else
            press(&e.ed, Qt::Key_Backspace, QStringLiteral("\b"));
        if (paint) QApplication::processEvents();
        add = !add;
    }
    state.counters["lines"] = e.ed.lineCount();
    if (!paint) state.SetLabel("target: < 0.2 ms");
}
BENCHMARK(BM_TypeOneCharacterInTheMiddle)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

// The toolkit's own share: the same keys on a bare plain text edit with the same text.
void BM_PlainTextEditTypeOneCharacter(benchmark::State &state)
{
    QPlainTextEdit ed;
    ed.resize(320, 420);
    ed.show();
    ed.setLineWrapMode(QPlainTextEdit::NoWrap);
    ed.setPlainText(bigProgram(int(state.range(0))));
    QTextCursor c(ed.document()->findBlockByNumber(ed.document()->blockCount() / 2));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    ed.setTextCursor(c);
    if (!takeFocus(ed)) state.SkipWithError("the editor has no focus");
    bool add = true;
    for (auto _ : state) {
        if (add)
            press(&ed, Qt::Key_X, QStringLiteral("x"));
        else
            press(&ed, Qt::Key_Backspace, QStringLiteral("\b"));
        add = !add;
    }
}
BENCHMARK(BM_PlainTextEditTypeOneCharacter)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_FullRefreshUncoloured(benchmark::State &state)
{
    Editor e(int(state.range(0)));
    const QString text = bigProgram(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        e.ed.setPlainText(text);   // every line arrives black
        QApplication::processEvents();
        state.ResumeTiming();
        e.ed.recolourAll();
        QApplication::processEvents();
    }
    if (state.range(0) <= 10000) state.SetLabel("target: < 8 ms");
}
BENCHMARK(BM_FullRefreshUncoloured)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10);

struct PaintedRun {
    int from, to;
    QTextCharFormat format;
};

[[gnu::noinline]] void colourRuns(QTextDocument *d, const std::vector<PaintedRun> &runs, int how)
{
    QTextCursor c(d);
    const bool keepTextObjects = holdsTextObjects(*d);   // as the refresh does
    c.beginEditBlock();
    if (how == 2) {
        std::vector<FormatChange> changes;
        changes.reserve(runs.size());
        for (const PaintedRun &r : runs) changes.push_back({r.from, r.to - r.from, &r.format});
        setCharacterFormats(d, changes, keepTextObjects);
        c.endEditBlock();
        return;
    }
    for (const PaintedRun &r : runs) {
        if (how == 1) {
            setCharacterFormat(d, r.from, r.to - r.from, r.format, keepTextObjects);
            continue;
        }
        c.setPosition(r.from);
        c.setPosition(r.to, QTextCursor::KeepAnchor);
        c.setCharFormat(r.format);
    }
    c.endEditBlock();
}

// The toolkit's own floor for the refresh above: the same colour runs, worked out beforehand,
// set on the same uncoloured text, with a cursor (argument 2: 0) as the toolkit offers, or
// through its storage's call for a range (1), or in one pass over the storage (2) as the
// refresh sets them. Nothing is read or classified.
void BM_ToolkitColoursTheSameRuns(benchmark::State &state)
{
    Editor e(int(state.range(0)));
    QTextDocument *d = e.ed.document();
    auto lineFormats = [d] {
        std::vector<QTextCharFormat> formats;
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
            formats.push_back(b.length() > 1 ? b.begin().fragment().charFormat() : QTextCharFormat());
        return formats;
    };
    const QString text = bigProgram(int(state.range(0)));
    // The runs the refresh sets: the lines whose colour changes, following lines of one
    // colour joined with the break between them.
    std::vector<PaintedRun> runs;
    {
        const std::vector<QTextCharFormat> refreshed = lineFormats();
        e.ed.setPlainText(text);
        const std::vector<QTextCharFormat> arrived = lineFormats();
        QTextBlock b = d->begin();
        for (size_t k = 0; k < refreshed.size(); ++k, b = b.next()) {
            if (b.length() <= 1 || arrived[k] == refreshed[k]) continue;
            const int from = b.position(), to = from + b.length() - 1;
            if (!runs.empty() && runs.back().to + 1 == from && runs.back().format == refreshed[k])
                runs.back().to = to;
            else
                runs.push_back({from, to, refreshed[k]});
        }
        e.ed.recolourAll();
    }
    const QByteArray refreshed = writeRtf(styledFromDocument(*d));
    for (auto _ : state) {
        state.PauseTiming();
        e.ed.setPlainText(text);
        QApplication::processEvents();
        d->setUndoRedoEnabled(false);
        state.ResumeTiming();
        colourRuns(d, runs, int(state.range(1)));
        QApplication::processEvents();
        state.PauseTiming();
        d->setUndoRedoEnabled(true);
        state.ResumeTiming();
    }
    if (writeRtf(styledFromDocument(*d)) != refreshed)
        state.SkipWithError("the runs differ from the refresh's colours");
    // A label, not a counter: the table's CSV form wants the same counters in every row.
    state.SetLabel(QStringLiteral("%1 runs, %2")
                       .arg(runs.size())
                       .arg(state.range(1) == 2   ? QStringLiteral("in one pass")
                            : state.range(1) == 1 ? QStringLiteral("a call a range")
                                                  : QStringLiteral("by cursor"))
                       .toStdString());
}
BENCHMARK(BM_ToolkitColoursTheSameRuns)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_FullRefreshAlreadyColoured(benchmark::State &state)
{
    Editor e(int(state.range(0)));
    for (auto _ : state) {
        e.ed.recolourAll();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FullRefreshAlreadyColoured)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PasteCodeInTheMiddle(benchmark::State &state)
{
    Editor e(int(state.range(0)));
    const int middle = e.ed.lineCount() / 2;
    for (auto _ : state) {
        e.ed.setCaret(middle, 2);   // inside a line: the command goes between two lines
        e.ed.pasteCode(QStringLiteral("ШАГ"));
    }
    state.SetLabel("target: < 0.3 ms");
}
BENCHMARK(BM_PasteCodeInTheMiddle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Open as the main window does it: the file read and decoded, the editor's text replaced,
// the editor painted once.
void BM_OpenFileIntoEditor(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.tkm"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return;
        f.write(bigProgramFile(int(state.range(0))));
    }
    Editor e(10);
    for (auto _ : state) {
        StyledText styled;
        QString error;
        if (!loadProgramFile(path, styled, &error)) state.SkipWithError("cannot read");
        AlgorithmEditor::NewText incoming(e.ed);
        setDocumentFromStyled(incoming.document(), styled, incoming.format());
        incoming.adopt();
        e.ed.startFreshHistory();
        e.ed.setCaret(0, 0);
        QApplication::processEvents();
    }
    state.counters["lines"] = e.ed.lineCount();
    state.SetLabel("target: < 200 ms at 100,000 lines");
}
BENCHMARK(BM_OpenFileIntoEditor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Save as the main window does it: the document's colours gathered and written out.
void BM_SaveEditorToFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.tkm"));
    Editor e(int(state.range(0)));
    for (auto _ : state) {
        QString error;
        if (!saveProgramFile(path, styledFromDocument(*e.ed.document()), &error))
            state.SkipWithError("cannot write");
    }
    state.SetLabel("target: < 100 ms at 100,000 lines");
}
BENCHMARK(BM_SaveEditorToFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
