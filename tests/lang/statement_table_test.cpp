// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Highlight.h"
#include "lang/Normalize.h"
#include "lang/ProgramTranslator.h"
#include "lang/StatementForms.h"
#include "lang/Statements.h"
#include "lang/SyntaxChecker.h"
#include "run/HeadlessRun.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

// Every row of the statement table, in every Language, is a statement the whole system
// knows: a row that one of the readers misses fails here.

namespace {

using K = StatementKind;
const Language kLanguages[] = {Language::Rus, Language::Rom, Language::Eng};

// The editor's colour of each kind, as the pupils' files have always saved it.
std::optional<QRgb> expectedColour(StatementKind kind)
{
    using namespace LineColour;
    switch (kind) {
    case K::Begin:
    case K::End:
        return Blue;
    case K::Step:
    case K::Jump:
    case K::Rotate:
        return Navy;
    case K::Colour:
        return Purple;
    case K::Destroy:
    case K::Rebuild:
        return Fuchsia;
    case K::Call:
    case K::ProcedureHeader:
    case K::EndProcedure:
        return Maroon;
    case K::CountedLoop:
    case K::ConditionalLoop:
    case K::EndLoop:
        return Green;
    case K::Condition:
    case K::Then:
    case K::Else:
    case K::EndCondition:
        return Teal;
    case K::None:
    case K::SpeedDirective:
    case K::Comment:
        break;
    }
    return std::nullopt;
}

// The kinds that act on the robot and nothing else.
bool movesTheRobot(StatementKind kind)
{
    return kind == K::Step || kind == K::Jump || kind == K::Rotate || kind == K::Destroy ||
           kind == K::Rebuild;
}

// The row's line as a pupil would write it, with an argument where it takes one.
QString canonicalLine(const Statements::Statement &s, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    switch (s.argument) {
    case Statements::Argument::None:
        return Statements::commandLine(s, lex);
    case Statements::Argument::Name:
        return Statements::commandLine(s, lex, QStringLiteral("P"));
    case Statements::Argument::Count:
        return Statements::commandLine(s, lex, QStringLiteral("2"));
    case Statements::Argument::Test:
        return Statements::commandLine(s, lex, Statements::testWord(Statements::SensorTest::NotLine, lex));
    case Statements::Argument::Colour:
        return Statements::commandLine(s, lex, QLatin1Char('=') + ColourTable::name(1, lang));
    }
    return QString();
}

// A clean frame: a procedure P before the algorithm; the line goes inside the algorithm
// unless the frame has it already.
QStringList programWith(const Statements::Statement &s, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    QStringList lines = {Statements::commandLine(K::ProcedureHeader, lex, QStringLiteral("P")),
                         Statements::commandLine(K::EndProcedure, lex),
                         Statements::commandLine(K::Begin, lex), Statements::commandLine(K::End, lex)};
    const QString line = canonicalLine(s, lang);
    if (!lines.contains(line)) lines.insert(3, line);
    return lines;
}

std::string where(const Statements::Statement &s, Language lang)
{
    return canonicalLine(s, lang).toStdString() + " in " + std::to_string(int(lang));
}

}   // namespace

TEST(StatementTable, EveryKindHasRowsAndEveryRowIsKnownToEveryReaderInEveryLanguage)
{
    for (int k = int(K::Begin); k < int(K::SpeedDirective); ++k) {
        const auto kind = StatementKind(k);
        int rows = 0;
        for (const Statements::Statement &s : Statements::all()) rows += s.kind == kind;
        EXPECT_GE(rows, 1) << "no row for kind " << k;
        EXPECT_FALSE(Statements::helpPage(kind).isEmpty()) << k;
    }

    for (const Statements::Statement &s : Statements::all()) {
        ASSERT_TRUE(expectedColour(s.kind)) << "no colour stated for kind " << int(s.kind);
        for (Language lang : kLanguages) {
            const Lexicon &lex = Lexicon::forLanguage(lang);
            const QString line = canonicalLine(s, lang);
            const QString n = normalizeLine(line);

            StringListProgramText program(programWith(s, lang));
            EXPECT_FALSE(checkProgram(program, lex, MessageCatalogue::forLanguage(lang)).error)
                << where(s, lang);
            EXPECT_EQ(int(Forms::statementKind(line, lex)), int(s.kind)) << where(s, lang);
            EXPECT_TRUE(ProgramTranslator::isStatement(line, lang)) << where(s, lang);

            EXPECT_EQ(classifyFull(n, lex), *expectedColour(s.kind)) << where(s, lang);
            EXPECT_EQ(classifyOnChange(n, lex).colour, *expectedColour(s.kind)) << where(s, lang);

            for (Language other : kLanguages) {
                if (other == lang) continue;
                const std::optional<QString> there = ProgramTranslator(lang, other).translateLine(line);
                ASSERT_TRUE(there) << where(s, lang) << " to " << int(other);
                EXPECT_EQ(int(Forms::statementKind(*there, Lexicon::forLanguage(other))), int(s.kind))
                    << where(s, lang);
                EXPECT_EQ(ProgramTranslator(other, lang).translateLine(*there), line) << where(s, lang);
            }
        }
    }
}

TEST(StatementTable, WorldStatementsActOnTheRobotWhenRunAndOthersLeaveItWhereItIs)
{
    for (const Statements::Statement &s : Statements::all()) {
        EXPECT_EQ(s.act != nullptr, movesTheRobot(s.kind)) << int(s.kind);
        if (!s.act) continue;
        for (Language lang : kLanguages) {
            const Lexicon &lex = Lexicon::forLanguage(lang);
            // After a destroy, so that the rebuild has something to do as well.
            StringListProgramText program({Statements::commandLine(K::Begin, lex),
                                           Statements::commandLine(K::Destroy, lex), canonicalLine(s, lang),
                                           Statements::commandLine(K::End, lex)});
            HeadlessRun run(program, lang);
            ASSERT_EQ(run.checkAndRun(100), HeadlessRun::Result::End) << where(s, lang);

            RobotWorld expected;
            expected.destroyRobot();
            const RobotState before = expected.state();
            (expected.*s.act)();
            const RobotState &got = run.world().state();
            EXPECT_EQ(got.x, expected.state().x) << where(s, lang);
            EXPECT_EQ(got.y, expected.state().y) << where(s, lang);
            EXPECT_EQ(got.heading, expected.state().heading) << where(s, lang);
            EXPECT_EQ(got.visible, expected.state().visible) << where(s, lang);
            const bool changed = got.x != before.x || got.y != before.y || got.heading != before.heading ||
                                 got.visible != before.visible;
            EXPECT_TRUE(changed || s.kind == K::Destroy) << where(s, lang);
        }
    }
}

// The readers try the rows in different orders; that gives one answer only while no
// keyword begins another, apart from the two loops the table orders.
TEST(StatementTable, NoKeywordBeginsAnotherButTheConditionalLoopsCountedOne)
{
    for (Language lang : kLanguages) {
        const Lexicon &lex = Lexicon::forLanguage(lang);
        for (const Statements::Statement &a : Statements::all()) {
            for (const Statements::Statement &b : Statements::all()) {
                if (&a == &b) continue;
                const bool loops = a.kind == K::CountedLoop && b.kind == K::ConditionalLoop;
                if (loops) continue;
                EXPECT_FALSE((lex.*b.keyword).startsWith(lex.*a.keyword))
                    << (lex.*b.keyword).toStdString() << " begins with " << (lex.*a.keyword).toStdString();
            }
        }
    }
    const auto rows = Statements::all();
    const auto at = [&](K kind) { return &Statements::row(kind) - rows.data(); };
    EXPECT_LT(at(K::ConditionalLoop), at(K::CountedLoop));
}
