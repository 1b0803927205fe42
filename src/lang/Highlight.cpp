// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Highlight.h"
#include "lang/LineMarks.h"

using namespace LineColour;

namespace {

// The rows from the kwIf row down. The parameters carry the three places where the
// key handler's table differs from the other two.
QRgb commonRows(const QString &n, const Lexicon &lex, QRgb destroyColour, bool endConditionRow,
                bool elseThenByPrefix)
{
    if (n.startsWith(lex.kwIf)) return Teal;
    if (n.startsWith(lex.kwCycleWhile)) return Green;
    if (n.startsWith(lex.kwExecute)) return Maroon;
    if (n.startsWith(lex.kwProcedure)) return Maroon;
    if (n.startsWith(lex.kwColour)) return Purple;
    if (n == lex.kwDestroy || n == lex.kwRebuild) return destroyColour;
    if (n == lex.kwEndProcedure) return Maroon;
    if (!elseThenByPrefix && (n == lex.kwElse || n == lex.kwThen)) return Teal;
    if (n.startsWith(lex.kwCycleN) && n.endsWith(lex.kwTimes)) return Green;
    if (n == lex.kwEndCycle) return Green;
    if (endConditionRow && n == lex.kwEndCondition) return Teal;
    if (n == lex.kwBegin || n == lex.kwEnd) return Blue;
    if (n == lex.kwStep || n == lex.kwJump || n == lex.kwRotate45 || n == lex.kwRotate90) return Navy;
    return Black;
}

}   // namespace

ChangeRule classifyOnChange(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::ExtendedSettings)) return {ChangeRule::OpenExtendedSettings, Gray};
    if (n.startsWith(LineMark::Directive)) return {ChangeRule::Paint, Silver};
    if (n.startsWith(LineMark::Comment)) return {ChangeRule::Paint, Gray};
    return {ChangeRule::Paint, commonRows(n, lex, Fuchsia, true, false)};
}

QRgb classifyOnKey(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::Comment)) return Gray;
    if (n.startsWith(lex.kwElse) || n.startsWith(lex.kwThen)) return Teal;
    return commonRows(n, lex, Teal, false, true);
}

QRgb classifyFull(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::Comment)) return Gray;
    return commonRows(n, lex, Fuchsia, true, false);
}

QRgb pasteCodeColour(const QString &commandText, const Lexicon &lex)
{
    if (commandText == lex.kwDestroy || commandText == lex.kwRebuild) return Fuchsia;
    if (commandText.startsWith(lex.kwColour)) return Purple;
    return Navy;
}
