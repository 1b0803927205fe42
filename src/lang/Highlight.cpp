// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Highlight.h"
#include "lang/LineMarks.h"
#include "lang/Statements.h"

using namespace LineColour;

namespace {

// A line's colour by the statement table; plain text stays black. A counted-loop header is
// coloured only once its tail keyword ends it. While a key is typed (the key handler sees
// the line before the key lands) the rows' typing rule applies.
QRgb statementColour(const QString &n, const Lexicon &lex, bool typing)
{
    for (const Statements::Statement &s : Statements::all()) {
        const bool hit = typing && s.typedByHead
                             ? n.startsWith(lex.*s.keyword)
                             : Statements::matches(s, n, lex) && (!s.tail || n.endsWith(lex.*s.tail));
        if (hit) return typing ? s.colourWhileTyping : s.colour;
    }
    return Black;
}

}   // namespace

ChangeRule classifyOnChange(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::ExtendedSettings)) return {ChangeRule::OpenExtendedSettings, Gray};
    if (n.startsWith(LineMark::Directive)) return {ChangeRule::Paint, Silver};
    if (n.startsWith(LineMark::Comment)) return {ChangeRule::Paint, Gray};
    return {ChangeRule::Paint, statementColour(n, lex, false)};
}

QRgb classifyOnKey(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::Comment)) return Gray;
    return statementColour(n, lex, true);
}

QRgb classifyFull(const QString &n, const Lexicon &lex)
{
    if (n.startsWith(LineMark::Comment)) return Gray;
    return statementColour(n, lex, false);
}

QRgb pasteCodeColour(const QString &commandText, const Lexicon &lex)
{
    // The commands pasted are the world's and the colour's; any other text in the colour
    // of the moves.
    const Statements::Statement *s = Statements::find(commandText, lex);
    return s && (s->act || s->kind == StatementKind::Colour) ? s->colour : Navy;
}
