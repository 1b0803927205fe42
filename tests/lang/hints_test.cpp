// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Hints.h"
#include "base/TextCatalogue.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
const Language kLanguages[] = {Language::Rus, Language::Rom, Language::Eng};
QString hintText(const char *key, Language lang) { return uiText(QByteArray("hint.") + key, lang).value(); }
}   // namespace

TEST(Hints, LookAlikeLettersAreNamedWithTheirPositionsInEveryLanguage)
{
    struct Case {
        Language keywords;
        const char *line;
        const char *kind;
        const char *letter;
        int position;
        const char *fixed;
    };
    const Case cases[] = {
        {Language::Rus, "ШAГ", "latinLetters", "A", 2, "ШАГ"},   // a Latin A
        {Language::Rus, "ПOВOРОТ 90", "latinLetters", "O", 2, "ПОВОРОТ 90"},
        {Language::Rus, "TOГДА", "latinLetters", "T", 1, "ТОГДА"},
        {Language::Eng, "STЕP", "cyrillicLetters", "Е", 3, "STEP"},   // a Cyrillic Е
        {Language::Rom, "PАS", "cyrillicLetters", "А", 2, "PAS"},
    };
    for (const Case &c : cases) {
        const Language ui = c.keywords;
        const QString hint = Hints::forLine(u(c.line), c.keywords, ui);
        const QString letter = hintText("letterAt", ui).arg(u(c.letter)).arg(c.position);
        EXPECT_TRUE(hint.startsWith(hintText(c.kind, ui).section(QLatin1Char(':'), 0, 0))) << c.line;
        EXPECT_TRUE(hint.contains(letter)) << hint.toStdString();
        EXPECT_TRUE(hint.contains(u(c.fixed))) << hint.toStdString();
    }
    // Every odd letter is named, not only the first.
    const QString two = Hints::forLine(u("ПOВOРОТ 90"), Language::Rus, Language::Eng);
    EXPECT_TRUE(two.contains(u("\"O\" (position 2), \"O\" (position 4)"))) << two.toStdString();
}

TEST(Hints, AnotherKeywordLanguagePointsToTheTranslateCommand)
{
    struct Case {
        Language keywords;
        const char *line;
        Language written;
    };
    const Case cases[] = {{Language::Rus, "STEP", Language::Eng},
                          {Language::Rus, "ROTIRE 90", Language::Rom},
                          {Language::Rom, "ШАГ", Language::Rus},
                          {Language::Eng, "CICLU. EXECUTA 3 ORI", Language::Rom}};
    const char *const names[] = {"langRus", "langRom", "langEng"};
    for (const Case &c : cases)
        for (Language ui : kLanguages) {
            const QString expected =
                hintText("otherLanguage", ui)
                    .arg(hintText(names[int(c.written)], ui), uiText("menu.translateProgram", ui).value(),
                         uiText("menu.program", ui).value());
            EXPECT_EQ(Hints::forLine(u(c.line), c.keywords, ui), expected) << c.line;
        }
}

TEST(Hints, RomanianDiacriticsAndOneLetterOff)
{
    for (Language ui : kLanguages) {
        EXPECT_EQ(Hints::forLine(u("ANULEAZĂ"), Language::Rom, ui),
                  hintText("diacritics", ui).arg(u("ANULEAZA")));
        EXPECT_EQ(Hints::forLine(u("SFÎRȘIT CICLU"), Language::Rom, ui),
                  hintText("diacritics", ui).arg(u("SFIRSIT CICLU")));
    }
    struct Case {
        Language keywords;
        const char *line;
        const char *meant;
    };
    const Case cases[] = {
        {Language::Rus, "ШАК", "ШАГ"},   // one letter changed
        {Language::Rus, "ПОВАРОТ 90", "ПОВОРОТ 90"},
        {Language::Rus, "ПРЫЖК", "ПРЫЖОК"},   // one letter missing
        {Language::Eng, "STEEP", "STEP"},   // one letter too many
        {Language::Eng, "CYCLE. EXECUT 3 TIMES",
         "CYCLE. EXECUTE 3 TIMES"},   // a keyword that begins the line
        {Language::Rom, "PAZ", "PAS"},
        {Language::Rom, "CULOAR=ROSU", "CULOARE=ROSU"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Hints::forLine(u(c.line), c.keywords, c.keywords),
                  hintText("oneLetter", c.keywords).arg(u(c.meant)))
            << c.line;
}

TEST(Hints, NoneOnACorrectLineOrOnAnUnrelatedOne)
{
    for (Language lang : kLanguages) {
        for (const char *line :
             {"ШАГ", "STEP", "PAS", "* комментарий", "", "ПРИВЕТ МИР", "12345", "ЦВЕТ=КРАСНЫЙ"}) {
            const QString n = QString::fromUtf8(line);
            if (lang == Language::Rus && n == u("STEP")) continue;   // that one has its hint
            if (lang == Language::Rus && n == u("PAS")) continue;
            if (lang != Language::Rus && (n == u("ШАГ") || n == u("ЦВЕТ=КРАСНЫЙ"))) continue;
            if (lang == Language::Rom && n == u("STEP")) continue;
            if (lang == Language::Eng && n == u("PAS")) continue;
            EXPECT_TRUE(Hints::forLine(n, lang, lang).isEmpty()) << line << " " << int(lang);
        }
    }
    EXPECT_TRUE(Hints::forLine(u("ШАГ"), Language::Rus, Language::Eng).isEmpty());
    EXPECT_TRUE(Hints::forLine(u("ALGORITHM BEGIN"), Language::Eng, Language::Rus).isEmpty());
}

TEST(Hints, StructureWarningsNameEachLoopAndConditionTheRunWouldMisread)
{
    StringListProgramText broken({u("ПРОЦЕДУРА П"), u("ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ"), u("ШАГ"),
                                  u("КОНЕЦ ПРОЦЕДУРЫ"), u("НАЧАЛО АЛГОРИТМА"), u("КОНЕЦ ЦИКЛА"),
                                  u("УСЛОВИЕ. ЕСЛИ КРАЙ"), u("ШАГ"), u("КОНЕЦ УСЛОВИЯ"), u("КОНЕЦ УСЛОВИЯ"),
                                  u("ВЫПОЛНИТЬ П"), u("КОНЕЦ АЛГОРИТМА")});
    for (Language ui : kLanguages) {
        const QStringList w = Hints::structureWarnings(broken, Language::Rus, ui);
        ASSERT_EQ(w.size(), 4) << w.join(u(" | ")).toStdString();
        EXPECT_EQ(w[0], hintText("loopWithoutEnd", ui).arg(2).arg(u("КОНЕЦ ЦИКЛА")));
        EXPECT_EQ(w[1], hintText("endWithoutLoop", ui).arg(6).arg(u("КОНЕЦ ЦИКЛА")));
        EXPECT_EQ(w[2], hintText("conditionWithoutThen", ui).arg(7).arg(u("ТОГДА")));
        EXPECT_EQ(w[3], hintText("endWithoutCondition", ui).arg(10).arg(u("КОНЕЦ УСЛОВИЯ")));
    }
    StringListProgramText sound({u("НАЧАЛО АЛГОРИТМА"), u("ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ"), u("УСЛОВИЕ. ЕСЛИ КРАЙ"),
                                 u("ТОГДА"), u("ПОВОРОТ 90"), u("ИНАЧЕ"), u("ШАГ"), u("КОНЕЦ УСЛОВИЯ"),
                                 u("КОНЕЦ ЦИКЛА"), u("КОНЕЦ АЛГОРИТМА")});
    EXPECT_TRUE(Hints::structureWarnings(sound, Language::Rus, Language::Eng).isEmpty());
}
