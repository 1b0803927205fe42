// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include "lang/StatementForms.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
}   // namespace

TEST(CountConversion, DecimalHexSignAndOverflow)
{
    struct Case {
        const char *text;
        std::optional<qint32> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"$10", 16},
        {"0X10", 16},
        {"x1f", 31},
        {"0xff", 255},
        {"  7", 7},
        {"+5", 5},
        {"-3", -3},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"-$10", -16},
        {"1A", std::nullopt},
        {"12 ", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0X", std::nullopt},
        {"-", std::nullopt},
        {"0", 0},
        {"007", 7},
    };
    for (const Case &c : cases) EXPECT_EQ(Forms::convertCount(u(c.text)), c.value) << c.text;
}

TEST(StatementForms, ConditionalLoopIsNeverCountedEvenWhenItsKeywordIsAPrefix)
{
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        const Lexicon &lex = Lexicon::forLanguage(lang);
        const QString n = lex.kwCycleWhile + ' ' + lex.kwBorder;
        EXPECT_TRUE(Forms::isConditionalLoop(n, lex));
        EXPECT_FALSE(Forms::isCountedLoop(n, lex));
        EXPECT_TRUE(Forms::isCountedLoop(lex.kwCycleN + " 5 " + lex.kwTimes, lex));
    }
    const Lexicon &eng = Lexicon::forLanguage(Language::Eng);
    EXPECT_TRUE(u("CYCLE. EXECUTE WHILE BORDER").startsWith(eng.kwCycleN));
}

TEST(StatementForms, CountTextSitsBetweenTheKeywords)
{
    const Lexicon &lex = Lexicon::forLanguage(Language::Rus);
    EXPECT_EQ(Forms::countText(u("ЦИКЛ. ВЫПОЛНИТЬ 12 РАЗ"), lex), u("12"));
    // Only the length of the last word counts.
    EXPECT_EQ(Forms::countText(u("ЦИКЛ. ВЫПОЛНИТЬ 5 ХХХ"), lex), u("5"));
    EXPECT_EQ(Forms::countText(u("ЦИКЛ. ВЫПОЛНИТЬ 5 ХХХХ"), lex), u("5 "));
    EXPECT_EQ(Forms::countText(u("ЦИКЛ. ВЫПОЛНИТЬ"), lex), u(""));
}

TEST(StatementForms, ColourFormsLiveOnTheRawLine)
{
    const Lexicon &lex = Lexicon::forLanguage(Language::Rus);
    auto f = Forms::colourForm(u("цвет=синий"), lex);
    EXPECT_TRUE(f.set);
    EXPECT_EQ(ColourTable::findByName(f.name, Language::Rus), 12);
    EXPECT_FALSE(Forms::colourForm(u(" цвет=синий"), lex).set);
    EXPECT_EQ(Forms::colourForm(u("Цвет+"), lex).step, 1);
    EXPECT_EQ(Forms::colourForm(u("ЦВЕТ-"), lex).step, -1);
    EXPECT_EQ(ColourTable::findByName(Forms::colourForm(u("ЦВЕТ ЗЕЛЕНЫЙ"), lex).name, Language::Rus), 10);
    EXPECT_EQ(ColourTable::findByName(u("ЗЕЛЁНЫЙ"), Language::Rus), -1);
}

TEST(ColourTableTest, StepsWrapAndUnknownValuesStay)
{
    EXPECT_EQ(ColourTable::previous(0x000000), 0xFFFFFFu);
    EXPECT_EQ(ColourTable::next(0xFFFFFF), 0x000000u);
    EXPECT_EQ(ColourTable::next(0x800000), 0x008000u);
    EXPECT_EQ(ColourTable::next(0x123456), 0x123456u);
    EXPECT_EQ(ColourTable::name(15, Language::Rus), u("ПРОЗРАЧНЫЙ"));
    EXPECT_EQ(ColourTable::name(14, Language::Rom), u("LBASTRU-DESCHIS"));
}

TEST(LexiconTest, UnknownLanguageFallsBackToRussian)
{
    EXPECT_EQ(Lexicon::forLanguage(Language::Unknown).kwBegin, u("НАЧАЛО АЛГОРИТМА"));
    EXPECT_EQ(languageFromCode("RUS"), Language::Unknown);
    EXPECT_EQ(Lexicon::forLanguage(Language::Rom).kwEndProcedure, u("SFIRSIT PROCEDURA"));
    // Every keyword is already in its normalised form.
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        const Lexicon &l = Lexicon::forLanguage(lang);
        for (const QString &kw : {l.kwBegin, l.kwCycleWhile, l.kwEndCondition, l.kwNotLine})
            EXPECT_EQ(normalizeLine(kw), kw);
    }
}
