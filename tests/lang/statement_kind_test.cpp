// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"
#include "lang/StatementForms.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
using K = StatementKind;
}   // namespace

TEST(StatementKind, EveryCanonicalLineIsNamedInEveryLanguage)
{
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        const Lexicon &l = Lexicon::forLanguage(lang);
        const std::pair<QString, K> cases[] = {
            {l.kwBegin, K::Begin},
            {l.kwEnd, K::End},
            {l.kwStep, K::Step},
            {l.kwJump, K::Jump},
            {l.kwRotate45, K::Rotate},
            {l.kwRotate90, K::Rotate},
            {l.kwDestroy, K::Destroy},
            {l.kwRebuild, K::Rebuild},
            {l.kwColour + "=" + ColourTable::name(9, lang), K::Colour},
            {l.kwColour + "+", K::Colour},
            {l.kwExecute + " A", K::Call},
            {l.kwProcedure + " A", K::ProcedureHeader},
            {l.kwEndProcedure, K::EndProcedure},
            {l.kwCycleN + " 3 " + l.kwTimes, K::CountedLoop},
            {l.kwCycleWhile + " " + l.kwNotBorder, K::ConditionalLoop},
            {l.kwEndCycle, K::EndLoop},
            {l.kwIf + " " + l.kwLine, K::Condition},
            {l.kwThen, K::Then},
            {l.kwElse, K::Else},
            {l.kwEndCondition, K::EndCondition},
            {u("*$S=200"), K::SpeedDirective},
            {u("* note"), K::Comment},
        };
        for (const auto &[line, kind] : cases)
            EXPECT_EQ(int(Forms::statementKind(line, l)), int(kind))
                << line.toStdString() << " in " << int(lang);
    }
}

TEST(StatementKind, NormalisedLikeTheInterpreterButNamesNoMisspeltCommand)
{
    const Lexicon &eng = Lexicon::forLanguage(Language::Eng);
    EXPECT_EQ(Forms::statementKind(u("   step  "), eng), K::Step);
    EXPECT_EQ(Forms::statementKind(u("  *$s=1"), eng), K::SpeedDirective);
    EXPECT_EQ(Forms::statementKind(u("   * indented note"), eng), K::Comment);
    EXPECT_EQ(Forms::statementKind(u("STEP 1"), eng), K::None);
    EXPECT_EQ(Forms::statementKind(u("STEPP"), eng), K::None);
    EXPECT_EQ(Forms::statementKind(u("ROTATE  90"), eng), K::None);
    EXPECT_EQ(Forms::statementKind(u("   "), eng), K::None);
    EXPECT_EQ(Forms::statementKind(u("\tSTEP"), eng), K::None);
    // Indented, the colour command does nothing when run; its help says why.
    EXPECT_EQ(Forms::statementKind(u("  color=red"), eng), K::Colour);
    // A program in another Language's words is no statement here.
    EXPECT_EQ(Forms::statementKind(u("ШАГ"), eng), K::None);
}

TEST(StatementKind, LoopsAreToldApartWhereOneKeywordBeginsTheOther)
{
    const Lexicon &rom = Lexicon::forLanguage(Language::Rom);
    EXPECT_EQ(Forms::statementKind(u("CICLU. EXECUTA PINA CIND MARGINE"), rom), K::ConditionalLoop);
    EXPECT_EQ(Forms::statementKind(u("CICLU. EXECUTA 2 ORI"), rom), K::CountedLoop);
    // The Romanian end keywords share their first word.
    EXPECT_EQ(Forms::statementKind(u("SFIRSIT CICLU"), rom), K::EndLoop);
    EXPECT_EQ(Forms::statementKind(u("SFIRSIT DACA"), rom), K::EndCondition);
    EXPECT_EQ(Forms::statementKind(u("SFIRSIT PROCEDURA"), rom), K::EndProcedure);
    const Lexicon &rus = Lexicon::forLanguage(Language::Rus);
    EXPECT_EQ(Forms::statementKind(u("цикл. выполнять пока край"), rus), K::ConditionalLoop);
    EXPECT_EQ(Forms::statementKind(u("цикл. выполнить 4 раз"), rus), K::CountedLoop);
    EXPECT_EQ(Forms::statementKind(u("выполнить квадрат"), rus), K::Call);
}
