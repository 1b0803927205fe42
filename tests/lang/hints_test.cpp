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
        {Language::Eng, "STPE", "STEP"},   // two letters swapped
        {Language::Rus, "ШГА", "ШАГ"},
        {Language::Eng, "CYCLE. EXECTUE 3 TIMES", "CYCLE. EXECUTE 3 TIMES"},
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

TEST(Hints, AReportWithoutALineFindsTheBeginOrEndMeantOrTheProgramsLanguage)
{
    auto atLine = [](Language ui, int line, const QString &hint) {
        return hintText("atLine", ui).arg(line).arg(hint);
    };
    for (Language ui : kLanguages) {
        // The check finds no begin or no end and names no line: the hint names it.
        StringListProgramText begin({u("ÎNCEPUT DE ALGORITM"), u("PAS"), u("SFÎRȘIT DE ALGORITM")});
        EXPECT_EQ(Hints::forReport(begin, -1, Language::Rom, ui),
                  atLine(ui, 1, hintText("diacritics", ui).arg(u("INCEPUT DE ALGORITM"))));
        StringListProgramText end({u("INCEPUT DE ALGORITM"), u("PAS"), u("  Sfîrșit de algoritm")});
        EXPECT_EQ(Hints::forReport(end, -1, Language::Rom, ui),
                  atLine(ui, 3, hintText("diacritics", ui).arg(u("Sfirsit de algoritm"))));
        StringListProgramText swapped(
            {u("* квадрат"), u("НАЧАЛО АЛГОРИТАМ"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")});
        EXPECT_EQ(Hints::forReport(swapped, -1, Language::Rus, ui),
                  atLine(ui, 2, hintText("oneLetter", ui).arg(u("НАЧАЛО АЛГОРИТМА"))));

        // A whole program in another keyword Language points to Translate.
        StringListProgramText english({u("PROCEDURE P"), u("STEP"), u("END OF PROCEDURE"),
                                       u("ALGORITHM BEGIN"), u("EXECUTE P"), u("ROTATE 90"),
                                       u("ALGORITHM END")});
        const QString translate =
            hintText("programInOtherLanguage", ui)
                .arg(hintText("langEng", ui), uiText("menu.translateProgram", ui).value(),
                     uiText("menu.program", ui).value());
        EXPECT_EQ(Hints::forReport(english, -1, Language::Rus, ui), translate);
        EXPECT_EQ(Hints::forReport(english, -1, Language::Rom, ui),
                  hintText("programInOtherLanguage", ui)
                      .arg(hintText("langEng", ui), uiText("menu.translateProgram", ui).value(),
                           uiText("menu.program", ui).value()));
        StringListProgramText russian({u("НАЧАЛО АЛГОРИТМА"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")});
        EXPECT_TRUE(Hints::forReport(russian, -1, Language::Eng, ui).contains(hintText("langRus", ui)));
    }
    // A line the report names keeps the line's own hint.
    StringListProgramText typo({u("ALGORITHM BEGIN"), u("STPE"), u("ALGORITHM END")});
    EXPECT_EQ(Hints::forReport(typo, 1, Language::Eng, Language::Eng),
              hintText("oneLetter", Language::Eng).arg(u("STEP")));
    // Nothing to say about a begin line written twice, or about a text with no begin at all.
    StringListProgramText twice({u("НАЧАЛО АЛГОРИТМА"), u("НАЧАЛО АЛГОРИТМА"), u("КОНЕЦ АЛГОРИТМА")});
    EXPECT_TRUE(Hints::forReport(twice, -1, Language::Rus, Language::Rus).isEmpty());
    StringListProgramText none({u("ШАГ"), u("* НАЧАЛО")});
    EXPECT_TRUE(Hints::forReport(none, -1, Language::Rus, Language::Rus).isEmpty());
}

TEST(Hints, ACallOfAMissingProcedureNamesItAndTheNearestHeader)
{
    struct Case {
        Language keywords;
        QStringList lines;
        int call;
        const char *kind;
        QStringList args;
    };
    const Case cases[] = {
        // Romanian letters the check takes as different: their case, and ş (cedilla) for ș.
        {Language::Rom,
         {u("PROCEDURA PĂTRAT"), u("PAS"), u("SFIRSIT PROCEDURA"), u("INCEPUT DE ALGORITM"),
          u("EXECUTA pătrat"), u("SFIRSIT DE ALGORITM")},
         4,
         "procedureLetters",
         {u("pătrat"), u("PROCEDURA PĂTRAT"), u("1")}},
        {Language::Rom,
         {u("PROCEDURA LINIE"), u("SFIRSIT PROCEDURA"), u("procedura şir"), u("PAS"), u("SFIRSIT PROCEDURA"),
          u("INCEPUT DE ALGORITM"), u("EXECUTA șir"), u("SFIRSIT DE ALGORITM")},
         6,
         "procedureLetters",
         {u("șir"), u("procedura şir"), u("3")}},
        // A misspelt name: the nearest of the headers.
        {Language::Rus,
         {u("ПРОЦЕДУРА ЛИНИЯ"), u("КОНЕЦ ПРОЦЕДУРЫ"), u("ПРОЦЕДУРА КВАДРАТ"), u("КОНЕЦ ПРОЦЕДУРЫ"),
          u("НАЧАЛО АЛГОРИТМА"), u("  ВЫПОЛНИТЬ Кавдрат"), u("КОНЕЦ АЛГОРИТМА")},
         5,
         "procedureNearest",
         {u("Кавдрат"), u("ПРОЦЕДУРА КВАДРАТ"), u("3")}},
        // The header is there, but below the begin line.
        {Language::Rus,
         {u("НАЧАЛО АЛГОРИТМА"), u("ВЫПОЛНИТЬ П"), u("ПРОЦЕДУРА П"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")},
         1,
         "procedureAfterBegin",
         {u("П"), u("3"), u("НАЧАЛО АЛГОРИТМА")}},
        {Language::Eng,
         {u("ALGORITHM BEGIN"), u("EXECUTE SQUARE"), u("ALGORITHM END")},
         1,
         "procedureNone",
         {u("SQUARE")}},
    };
    for (const Case &c : cases) {
        StringListProgramText text(c.lines);
        for (Language ui : kLanguages) {
            QString expected = hintText(c.kind, ui);
            for (const QString &a : c.args) expected = expected.arg(a);
            EXPECT_EQ(Hints::forReport(text, c.call, c.keywords, ui), expected)
                << c.lines.join(u(" | ")).toStdString();
        }
    }
}

TEST(Hints, AnUnknownColourNameIsAWarningThatNamesTheNearestColour)
{
    struct Case {
        Language keywords;
        const char *line;
        const char *typed;
        const char *meant;   // nullptr: no colour is near
    };
    const Case cases[] = {
        {Language::Eng, "COLOR=REDD", "REDD", "RED"},
        {Language::Eng, "COLOR=BLEU", "BLEU", "BLUE"},
        {Language::Rom, "CULOARE=ROȘU", "ROȘU", "ROSU"},
        {Language::Rom, "culoare=verde întunecat", "verde întunecat", "VERDE INTUNECAT"},
        {Language::Rus, "ЦВЕТ=RED", "RED", "КРАСНЫЙ"},   // a name of another Language
        {Language::Rus, "ЦВЕТ=ФЫВА", "ФЫВА", nullptr},
    };
    const char *const ends[3][2] = {{"НАЧАЛО АЛГОРИТМА", "КОНЕЦ АЛГОРИТМА"},
                                    {"INCEPUT DE ALGORITM", "SFIRSIT DE ALGORITM"},
                                    {"ALGORITHM BEGIN", "ALGORITHM END"}};
    for (const Case &c : cases) {
        const int k = int(c.keywords);
        StringListProgramText text({u(ends[k][0]), u(c.line), u(ends[k][1])});
        for (Language ui : kLanguages) {
            const QString expected = c.meant
                                         ? hintText("unknownColour", ui).arg(2).arg(u(c.typed), u(c.meant))
                                         : hintText("unknownColourNoMatch", ui).arg(2).arg(u(c.typed));
            EXPECT_EQ(Hints::structureWarnings(text, c.keywords, ui), QStringList {expected}) << c.line;
        }
    }
    // Names the run knows, and the colour steps, are no finding.
    StringListProgramText known({u("НАЧАЛО АЛГОРИТМА"), u("ЦВЕТ=красный"), u("ЦВЕТ+"), u("ЦВЕТ-"),
                                 u("ЦВЕТ:СИНИЙ"), u("КОНЕЦ АЛГОРИТМА")});
    EXPECT_TRUE(Hints::structureWarnings(known, Language::Rus, Language::Rus).isEmpty());
}
