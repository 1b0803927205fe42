// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include "lang/Statements.h"
#include <QString>
#include <optional>

// Line shapes shared by the checker, the interpreter and the editor. N is always a
// normalised line, R the raw line as the editor holds it.
namespace Forms {

// Signed 32-bit conversion of a loop count: decimal, or hexadecimal after "$", "X" or
// "0X", optional sign after leading spaces; nothing may follow the digits.
std::optional<qint32> convertCount(const QString &text);

// The count text of a counted-loop header: from the second character after its keyword,
// leaving out the tail keyword and the character before it. Empty when the line is too short.
QString countText(const QString &n, const Lexicon &lex);

bool isCountedLoop(const QString &n, const Lexicon &lex);   // the conditional loop tested first
bool isConditionalLoop(const QString &n, const Lexicon &lex);

// Text after a keyword and the one unexamined separator character.
QString argumentAfter(const QString &n, const QString &kw);

enum class Test {
    Holds,
    Fails,
    Unrecognised
};
Test evaluateTest(const QString &testText, const Lexicon &lex, int lineSensor, int borderSensor);

// Colour forms, recognised on the raw line (keyword in the first column, any case).
// Both rules apply in turn: a set by name, then a step of +1 or -1.
struct ColourForm {
    bool set = false;
    QString name;   // normalised colour name, when set
    int step = 0;   // +1 next colour, -1 previous colour
};
ColourForm colourForm(const QString &raw, const Lexicon &lex);

}   // namespace Forms

namespace Forms {
StatementKind statementKind(const QString &raw, const Lexicon &lex);

}   // namespace Forms
