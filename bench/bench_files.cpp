// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchMain.h"
// Opening and saving a 10,000-line coloured program: bytes <-> lines <-> editor document.
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"

#include <QGuiApplication>
#include <QTextCharFormat>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

StyledText program()
{
    static const char *const lines[] = {
        "НАЧАЛО АЛГОРИТМА",       "ПОВТОРИ 4 РАЗ", "ШАГ",           "ПОВЕРНИ НАПРАВО", "КОНЕЦ ЦИКЛА",
        "* комментарий: квадрат", "ЦВЕТ КРАСНЫЙ",  "ПОКА НЕ СТЕНА", "ПРЫЖОК",          "ВЫЗОВ УЗОР"};
    static const QRgb colours[] = {0x000080, 0x0000FF, 0x800000, 0x008000, 0x008080,
                                   0x808080, 0x800080, 0xFF00FF, 0xC0C0C0, 0x000000};
    StyledText text;
    for (int i = 0; i < 10000; ++i) {
        const QString s = QString::fromUtf8(lines[i % 10]);
        StyledLine line {s, {ColourRun {int(s.size()), colours[i % 10]}}};
        if (i % 7 == 0 && s.size() > 4)   // a line being recoloured has two colours
            line.runs = {ColourRun {4, colours[(i + 1) % 10]},
                         ColourRun {int(s.size()) - 4, colours[i % 10]}};
        text.append(line);
    }
    return text;
}

QTextCharFormat baseFormat()
{
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(12);
    return f;
}

void BM_WriteRtf(benchmark::State &state)
{
    const StyledText text = program();
    for (auto _ : state) benchmark::DoNotOptimize(writeRtf(text));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtf(benchmark::State &state)
{
    const QByteArray rtf = writeRtf(program());
    for (auto _ : state) benchmark::DoNotOptimize(readProgramData(rtf));
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_DocumentFromStyled(benchmark::State &state)
{
    const StyledText text = program();
    QTextDocument doc;
    for (auto _ : state) setDocumentFromStyled(doc, text, baseFormat());
}
BENCHMARK(BM_DocumentFromStyled)->Unit(benchmark::kMillisecond);

void BM_StyledFromDocument(benchmark::State &state)
{
    QTextDocument doc;
    setDocumentFromStyled(doc, program(), baseFormat());
    for (auto _ : state) benchmark::DoNotOptimize(styledFromDocument(doc));
}
BENCHMARK(BM_StyledFromDocument)->Unit(benchmark::kMillisecond);

// The whole Open and Save paths, without the disk.
void BM_OpenIntoDocument(benchmark::State &state)
{
    const QByteArray rtf = writeRtf(program());
    QTextDocument doc;
    for (auto _ : state) setDocumentFromStyled(doc, readProgramData(rtf), baseFormat());
}
BENCHMARK(BM_OpenIntoDocument)->Unit(benchmark::kMillisecond);

// Hostile RTF must be read in time proportional to its size, never quadratic.
void BM_ReadPathologicalRtf(benchmark::State &state)
{
    const QByteArray data =
        state.range(0) == 0
            ? QByteArray("{\\rtf1 ") + QByteArray(1000000, '{') + "deep" + QByteArray(1000000, '}')
            : QByteArray("{\\rtf1 ") + QByteArray("x\\par ").repeated(500000) + "}";
    for (auto _ : state) benchmark::DoNotOptimize(readProgramData(data));
    state.SetLabel(state.range(0) == 0 ? "million-deep nesting; target < 1 s"
                                       : "500,000 lines; target < 1 s");
}
BENCHMARK(BM_ReadPathologicalRtf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The worst shapes of a file just under the 16 MiB bound, read as the window and the command
// line read them: each is refused at the first line past a bound or, the deep groups holding
// no text, read. Target: well under 1 s each.
void BM_ReadSixteenMebibytesWithinLimits(benchmark::State &state)
{
    constexpr qsizetype size = 16 * 1024 * 1024 - 64;
    static const char *const names[] = {"CR only", "\\par only", "one line", "one RTF line", "deep groups"};
    const qsizetype shape = state.range(0);
    QByteArray data;
    switch (shape) {
    case 0:
        data = QByteArray(size, '\r');
        break;
    case 1:
        data = "{\\rtf1 " + QByteArray("\\par").repeated(size / 4) + "}";
        break;
    case 2:
        data = QByteArray(size, 'x');
        break;
    case 3:
        data = "{\\rtf1 " + QByteArray(size, 'x') + "}";
        break;
    default:
        data = "{\\rtf1 " + QByteArray(size / 2, '{') + "x" + QByteArray(size / 2, '}');
        break;
    }
    for (auto _ : state) {
        FileError over;
        benchmark::DoNotOptimize(readProgramData(data, kProgramReadLimits, &over));
    }
    state.SetBytesProcessed(state.iterations() * data.size());
    state.SetLabel(names[shape]);
}
BENCHMARK(BM_ReadSixteenMebibytesWithinLimits)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// As above, with the layout an editor would do for the whole text.
void BM_OpenIntoLaidOutDocument(benchmark::State &state)
{
    const QByteArray rtf = writeRtf(program());
    QTextDocument doc;
    doc.setTextWidth(600);
    for (auto _ : state) {
        setDocumentFromStyled(doc, readProgramData(rtf), baseFormat());
        benchmark::DoNotOptimize(doc.size());
    }
}
BENCHMARK(BM_OpenIntoLaidOutDocument)->Unit(benchmark::kMillisecond);

void BM_SaveFromDocument(benchmark::State &state)
{
    QTextDocument doc;
    setDocumentFromStyled(doc, program(), baseFormat());
    for (auto _ : state) benchmark::DoNotOptimize(writeRtf(styledFromDocument(doc)));
}
BENCHMARK(BM_SaveFromDocument)->Unit(benchmark::kMillisecond);

}   // namespace

TRAKMIL_BENCHMARK_MAIN()
