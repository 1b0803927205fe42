// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Statements.h"
#include "world/RobotWorld.h"

#include <array>

namespace Statements {

namespace {

using K = StatementKind;
using L = Lexicon;
using namespace LineColour;
constexpr Match Whole = Match::WholeLine;
constexpr Match Head = Match::Prefix;
using A = Argument;
using W = RobotWorld;

// The commands that are whole lines come first, then those that take an argument. The
// markers of a condition are statements only as whole lines, yet the check lets them
// through with anything after them.
const Statement kStatements[] = {
    // kind, keyword, match, accepted, argument, tail, colour, while typing, by head, world, help
    {K::Begin, &L::kwBegin, Whole, Whole, A::None, nullptr, Blue, Blue, false, nullptr, "program"},
    {K::End, &L::kwEnd, Whole, Whole, A::None, nullptr, Blue, Blue, false, nullptr, "program"},
    {K::Step, &L::kwStep, Whole, Whole, A::None, nullptr, Navy, Navy, false, &W::step, "step"},
    {K::Jump, &L::kwJump, Whole, Whole, A::None, nullptr, Navy, Navy, false, &W::jump, "jump"},
    {K::Rotate, &L::kwRotate45, Whole, Whole, A::None, nullptr, Navy, Navy, false, &W::rotate45, "turns"},
    {K::Rotate, &L::kwRotate90, Whole, Whole, A::None, nullptr, Navy, Navy, false, &W::rotate90, "turns"},
    {K::Destroy, &L::kwDestroy, Whole, Whole, A::None, nullptr, Fuchsia, Teal, false, &W::destroyRobot,
     "visibility"},
    {K::Rebuild, &L::kwRebuild, Whole, Whole, A::None, nullptr, Fuchsia, Teal, false, &W::rebuildRobot,
     "visibility"},
    {K::EndProcedure, &L::kwEndProcedure, Whole, Whole, A::None, nullptr, Maroon, Maroon, false, nullptr,
     "procedures"},
    // The end of a loop closes either kind; the counted-loop page links the other one.
    {K::EndLoop, &L::kwEndCycle, Whole, Whole, A::None, nullptr, Green, Green, false, nullptr,
     "counted-loop"},
    // Typed, the end of a condition keeps the colour of plain text.
    {K::EndCondition, &L::kwEndCondition, Whole, Whole, A::None, nullptr, Teal, Black, false, nullptr,
     "condition"},
    {K::Then, &L::kwThen, Whole, Head, A::None, nullptr, Teal, Teal, true, nullptr, "condition"},
    {K::Else, &L::kwElse, Whole, Head, A::None, nullptr, Teal, Teal, true, nullptr, "condition"},
    // Before the counted loop: in two Languages its keyword begins this one.
    {K::ConditionalLoop, &L::kwCycleWhile, Head, Head, A::Test, nullptr, Green, Green, false, nullptr,
     "conditional-loop"},
    {K::CountedLoop, &L::kwCycleN, Head, Head, A::Count, &L::kwTimes, Green, Green, false, nullptr,
     "counted-loop"},
    {K::Call, &L::kwExecute, Head, Head, A::Name, nullptr, Maroon, Maroon, false, nullptr, "procedures"},
    {K::ProcedureHeader, &L::kwProcedure, Head, Head, A::Name, nullptr, Maroon, Maroon, false, nullptr,
     "procedures"},
    {K::Condition, &L::kwIf, Head, Head, A::Test, nullptr, Teal, Teal, false, nullptr, "condition"},
    {K::Colour, &L::kwColour, Head, Head, A::Colour, nullptr, Purple, Purple, false, nullptr, "colour"},
};

const Test kTests[] = {
    {SensorTest::Border, &L::kwBorder, false, 1},
    {SensorTest::NotBorder, &L::kwNotBorder, false, 0},
    {SensorTest::Line, &L::kwLine, true, 1},
    {SensorTest::NotLine, &L::kwNotLine, true, 0},
};

bool matchesBy(Match m, const QString &n, const QString &kw)
{
    return m == Match::WholeLine ? n == kw : n.startsWith(kw);
}

}   // namespace

std::span<const Statement> all() { return kStatements; }

const Statement &row(StatementKind kind, int nth)
{
    if (nth > 0) {
        for (const Statement &s : kStatements)
            if (s.kind == kind && nth-- == 0) return s;
        Q_ASSERT(false);
    }
    // The run asks several times a tick: the first row of each kind is looked up once.
    static const auto firstRows = [] {
        std::array<const Statement *, size_t(StatementKind::Comment) + 1> first {};
        for (const Statement &s : kStatements)
            if (!first[size_t(s.kind)]) first[size_t(s.kind)] = &s;
        return first;
    }();
    const Statement *s = firstRows.at(size_t(kind));
    // Every kind but the line marks has a row; asking for another is a programming error.
    Q_ASSERT(s);
    return s ? *s : kStatements[0];
}

const QString &keyword(StatementKind kind, const Lexicon &lex) { return lex.*row(kind).keyword; }

const QString &tail(StatementKind kind, const Lexicon &lex)
{
    static const QString none;
    const Slot t = row(kind).tail;
    return t ? lex.*t : none;
}

bool matches(const Statement &s, const QString &n, const Lexicon &lex)
{
    return matchesBy(s.match, n, lex.*s.keyword);
}

const Statement *find(const QString &n, const Lexicon &lex)
{
    for (const Statement &s : kStatements)
        if (matches(s, n, lex)) return &s;
    return nullptr;
}

bool accepts(const QString &n, const Lexicon &lex)
{
    for (const Statement &s : kStatements)
        if (matchesBy(s.accepted, n, lex.*s.keyword)) return true;
    return false;
}

QString commandLine(StatementKind kind, const Lexicon &lex, const QString &argument)
{
    return commandLine(row(kind), lex, argument);
}

QString commandLine(const Statement &s, const Lexicon &lex, const QString &argument)
{
    QString line = lex.*s.keyword;
    switch (s.argument) {
    case Argument::None:
        break;
    case Argument::Colour:
        line += argument;
        break;
    case Argument::Count:
        line += QLatin1Char(' ') + argument + QLatin1Char(' ') + lex.*s.tail;
        break;
    case Argument::Name:
    case Argument::Test:
        line += QLatin1Char(' ') + argument;
        break;
    }
    return line;
}

QString helpPage(StatementKind kind)
{
    switch (kind) {
    case StatementKind::None:
        return QString();
    case StatementKind::SpeedDirective:
        return QStringLiteral("speed");
    case StatementKind::Comment:
        return QStringLiteral("comments");
    default:
        return QString::fromLatin1(row(kind).helpPage);
    }
}

std::span<const Test> tests() { return kTests; }

const QString &testWord(SensorTest test, const Lexicon &lex)
{
    for (const Test &t : kTests)
        if (t.test == test) return lex.*t.word;
    Q_ASSERT(false);
    return lex.*kTests[0].word;
}

}   // namespace Statements
