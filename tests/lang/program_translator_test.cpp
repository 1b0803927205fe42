// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"
#include "lang/ProgramTranslator.h"
#include "lang/StatementForms.h"
#include "lang/Normalize.h"
#include "common/Printers.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

const Language kLanguages[] = {Language::Rus, Language::Rom, Language::Eng};

// Every statement form, written out by hand in the three Languages.
const char *const kForms[][3] = {
    {"НАЧАЛО АЛГОРИТМА", "INCEPUT DE ALGORITM", "ALGORITHM BEGIN"},
    {"КОНЕЦ АЛГОРИТМА", "SFIRSIT DE ALGORITM", "ALGORITHM END"},
    {"ШАГ", "PAS", "STEP"},
    {"ПРЫЖОК", "SALT", "JUMP"},
    {"ПОВОРОТ 45", "ROTIRE 45", "ROTATE 45"},
    {"ПОВОРОТ 90", "ROTIRE 90", "ROTATE 90"},
    {"УНИЧТОЖИТЬ", "ANULEAZA", "DESTROY"},
    {"ВОССТАНОВИТЬ", "RESTITUIE", "REBUILD"},
    {"ПРОЦЕДУРА КВАДРАТ", "PROCEDURA КВАДРАТ", "PROCEDURE КВАДРАТ"},
    {"ВЫПОЛНИТЬ КВАДРАТ", "EXECUTA КВАДРАТ", "EXECUTE КВАДРАТ"},
    {"КОНЕЦ ПРОЦЕДУРЫ", "SFIRSIT PROCEDURA", "END OF PROCEDURE"},
    {"ЦИКЛ. ВЫПОЛНИТЬ 12 РАЗ", "CICLU. EXECUTA 12 ORI", "CYCLE. EXECUTE 12 TIMES"},
    {"ЦИКЛ. ВЫПОЛНЯТЬ ПОКА КРАЙ", "CICLU. EXECUTA PINA CIND MARGINE", "CYCLE. EXECUTE WHILE BORDER"},
    {"ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ", "CICLU. EXECUTA PINA CIND NU E MARGINE",
     "CYCLE. EXECUTE WHILE NOT BORDER"},
    {"ЦИКЛ. ВЫПОЛНЯТЬ ПОКА ЛИНИЯ", "CICLU. EXECUTA PINA CIND LINIE", "CYCLE. EXECUTE WHILE LINE"},
    {"ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ ЛИНИЯ", "CICLU. EXECUTA PINA CIND NU E LINIE", "CYCLE. EXECUTE WHILE NOT LINE"},
    {"КОНЕЦ ЦИКЛА", "SFIRSIT CICLU", "END OF CYCLE"},
    {"УСЛОВИЕ. ЕСЛИ КРАЙ", "CONDITIA. DACA MARGINE", "CONDITION. IF BORDER"},
    {"УСЛОВИЕ. ЕСЛИ НЕ ЛИНИЯ", "CONDITIA. DACA NU E LINIE", "CONDITION. IF NOT LINE"},
    {"ТОГДА", "ATUNCI", "THEN"},
    {"ИНАЧЕ", "ALTFEL", "ELSE"},
    {"КОНЕЦ УСЛОВИЯ", "SFIRSIT DACA", "END OF CONDITION"},
    {"ЦВЕТ=КРАСНЫЙ", "CULOARE=ROSU", "COLOR=RED"},
    {"ЦВЕТ=ТЕМНО-ЗЕЛЕНЫЙ", "CULOARE=VERDE INTUNECAT", "COLOR=GREEN"},
    {"ЦВЕТ+", "CULOARE+", "COLOR+"},
    {"ЦВЕТ-", "CULOARE-", "COLOR-"},
};

QString inFirstCapital(const QString &word) { return word.left(1) + word.mid(1).toLower(); }

QString translated(const QString &line, Language from, Language to)
{
    return ProgramTranslator(from, to).translateLine(line).value_or(QStringLiteral("<left as written>"));
}

}   // namespace

TEST(ProgramTranslator, EveryStatementFormInAllSixDirections)
{
    for (const auto &form : kForms) {
        for (Language from : kLanguages) {
            for (Language to : kLanguages) {
                const QString source = u(form[int(from)]);
                EXPECT_TRUE(ProgramTranslator::isStatement(source, from)) << (source).toStdString();
                EXPECT_EQ(translated(source, from, to), u(form[int(to)]))
                    << languageCode(from).toStdString() << " -> " << languageCode(to).toStdString();
            }
        }
    }
}

TEST(ProgramTranslator, EveryColourNameBothWaysWithEitherSeparator)
{
    for (int i = 0; i < ColourTable::Count; ++i) {
        for (Language from : kLanguages) {
            for (Language to : kLanguages) {
                const Lexicon &f = Lexicon::forLanguage(from), &t = Lexicon::forLanguage(to);
                const QString eq = f.kwColour + '=' + ColourTable::name(i, from);
                EXPECT_EQ(translated(eq, from, to), t.kwColour + '=' + ColourTable::name(i, to))
                    << (eq).toStdString();
                const QString sp = f.kwColour + ' ' + ColourTable::name(i, from);
                EXPECT_EQ(translated(sp, from, to), t.kwColour + ' ' + ColourTable::name(i, to))
                    << (sp).toStdString();
            }
        }
    }
}

TEST(ProgramTranslator, KeywordsKeepTheLetterCaseTheyWereWrittenIn)
{
    const ProgramTranslator toEng(Language::Rus, Language::Eng);
    const ProgramTranslator toRom(Language::Rus, Language::Rom);
    EXPECT_EQ(toEng.translateLine(u("шаг")), u("step"));
    EXPECT_EQ(toEng.translateLine(u("Начало алгоритма")), u("Algorithm begin"));
    EXPECT_EQ(toEng.translateLine(u("Начало Алгоритма")), u("Algorithm Begin"));
    EXPECT_EQ(toRom.translateLine(u("цикл. выполнить 3 раз")), u("ciclu. executa 3 ori"));
    // Keyword and test word each keep their own case.
    EXPECT_EQ(toEng.translateLine(u("цикл. выполнять пока НЕ КРАЙ")), u("cycle. execute while NOT BORDER"));
    EXPECT_EQ(toEng.translateLine(u("Цвет=красный")), u("Color=red"));
    // A mix that fits no pattern is carried letter by letter, by the place in the word.
    EXPECT_EQ(toEng.translateLine(u("шАг")), u("sTEp"));
    EXPECT_EQ(ProgramTranslator(Language::Rom, Language::Rus).translateLine(u("SAlT")), u("ПРЫжОК"));
}

TEST(ProgramTranslator, AMixedCaseComesBackThroughAWordAtLeastAsLong)
{
    // Every keyword and colour name in an irregular mix, there and back through each
    // Language whose word has no fewer letters.
    auto letters = [](const QString &s) {
        return std::count_if(s.begin(), s.end(), [](QChar c) { return c.isLetter(); });
    };
    auto mixed = [](QString w) {
        int i = 0;
        for (QChar &c : w)
            if (c.isLetter()) c = (i++ % 3 == 1) ? c.toLower() : c;   // UlU UlU...
        return w;
    };
    int checked = 0;
    for (Language from : kLanguages) {
        for (Language via : kLanguages) {
            if (from == via) continue;
            const Lexicon &f = Lexicon::forLanguage(from), &v = Lexicon::forLanguage(via);
            for (const auto &[word, other] : {std::pair {f.kwStep, v.kwStep},
                                              {f.kwJump, v.kwJump},
                                              {f.kwDestroy, v.kwDestroy},
                                              {f.kwRebuild, v.kwRebuild},
                                              {f.kwEndCycle, v.kwEndCycle},
                                              {f.kwBegin, v.kwBegin}}) {
                if (letters(other) < letters(word)) continue;
                const QString line = mixed(word);
                const std::optional<QString> there = ProgramTranslator(from, via).translateLine(line);
                ASSERT_TRUE(there) << line.toStdString();
                EXPECT_EQ(ProgramTranslator(via, from).translateLine(*there), line) << there->toStdString();
                ++checked;
            }
            for (int i = 0; i < ColourTable::Count; ++i) {
                const QString name = ColourTable::name(i, from);
                if (letters(ColourTable::name(i, via)) < letters(name)) continue;
                const QString line = f.kwColour + ' ' + mixed(name);
                const std::optional<QString> there = ProgramTranslator(from, via).translateLine(line);
                ASSERT_TRUE(there) << line.toStdString();
                EXPECT_EQ(ProgramTranslator(via, from).translateLine(*there), line) << there->toStdString();
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(ProgramTranslator, ACapitalisedColourNameThroughOneWordComesBackCapitalisedOnly)
{
    // The rule the README states: one word cannot carry "every word capital", so a name
    // that went through a one-word name comes back with only its first letter capital.
    const ProgramTranslator romEng(Language::Rom, Language::Eng), engRom(Language::Eng, Language::Rom);
    EXPECT_EQ(romEng.translateLine(u("Culoare=Verde Intunecat")), u("Color=Green"));
    EXPECT_EQ(engRom.translateLine(u("Color=Green")), u("Culoare=Verde intunecat"));
    EXPECT_EQ(engRom.translateLine(u("Color=green")), u("Culoare=verde intunecat"));
    // Between two phrases the pattern is kept.
    EXPECT_EQ(ProgramTranslator(Language::Rom, Language::Rus).translateLine(u("Culoare=Verde Intunecat")),
              u("Цвет=Темно-Зеленый"));
}

TEST(ProgramTranslator, NamesCountsSeparatorsAndSpacesStayAsWritten)
{
    const ProgramTranslator t(Language::Eng, Language::Rus);
    EXPECT_EQ(t.translateLine(u("   STEP  ")), u("   ШАГ  "));
    EXPECT_EQ(t.translateLine(u("PROCEDURE  square Big")), u("ПРОЦЕДУРА  square Big"));
    EXPECT_EQ(t.translateLine(u("execute square Big")), u("выполнить square Big"));
    EXPECT_EQ(t.translateLine(u("CYCLE. EXECUTE 0x1f TIMES")), u("ЦИКЛ. ВЫПОЛНИТЬ 0x1f РАЗ"));
    EXPECT_EQ(t.translateLine(u("COLOR=  red")), u("ЦВЕТ=  красный"));
    EXPECT_EQ(t.translateLine(u("COLOR_RED")), u("ЦВЕТ_КРАСНЫЙ"));
    EXPECT_EQ(t.translateLine(u("COLOR+RED")), u("ЦВЕТ+КРАСНЫЙ"));
    EXPECT_EQ(t.translateLine(u("CONDITION. IF_BORDER")), u("УСЛОВИЕ. ЕСЛИ_КРАЙ"));
    // The checker takes a marker followed by anything; the translation keeps such lines.
    EXPECT_EQ(t.translateLine(u("ELSE do this")), u("ИНАЧЕ do this"));

    // Comments, speed lines and blank lines belong to no Language.
    for (const char *neutral : {"* STEP", "   * STEP", "*$S=100", "", "    "}) {
        EXPECT_FALSE(ProgramTranslator::isStatement(u(neutral), Language::Eng)) << neutral;
        EXPECT_EQ(t.translate({u(neutral)}).lines, QStringList {u(neutral)});
        EXPECT_TRUE(t.translate({u(neutral)}).leftAsWritten.isEmpty()) << neutral;
    }
}

TEST(ProgramTranslator, CountedLoopCountLandsWhereTheTargetLooksForIt)
{
    // Odd separators and a wrong count must give the same count text, and so the same
    // check verdict and the same number of rounds, in the target.
    const char *const counts[] = {"CYCLE. EXECUTE 7 TIMES",   "CYCLE. EXECUTE  7 TIMES",
                                  "CYCLE. EXECUTE 0 TIMES",   "CYCLE. EXECUTE -2 TIMES",
                                  "CYCLE. EXECUTE x 7 TIMES", "CYCLE. EXECUTE $10 TIMES"};
    const Lexicon &eng = Lexicon::forLanguage(Language::Eng);
    for (Language to : {Language::Rus, Language::Rom}) {
        const Lexicon &lex = Lexicon::forLanguage(to);
        for (const char *line : counts) {
            const std::optional<QString> t = ProgramTranslator(Language::Eng, to).translateLine(u(line));
            ASSERT_TRUE(t) << line;
            EXPECT_TRUE(Forms::isCountedLoop(normalizeLine(*t), lex)) << (*t).toStdString();
            EXPECT_EQ(Forms::countText(normalizeLine(*t), lex), Forms::countText(normalizeLine(u(line)), eng))
                << (*t).toStdString();
            EXPECT_EQ(t->count(' '), u(line).count(' ')) << (*t).toStdString();
        }
    }
}

TEST(ProgramTranslator, LinesThatAreNoStatementStayAndAreNamed)
{
    const QStringList lines {u("ШАГ"),
                             u("ШАК"),   // misspelt
                             u("\tШАГ"),   // a tab is no space
                             u("ЦВЕТ=РОЗОВЫЙ"),   // no such colour: the checker takes it all the same
                             u("УСЛОВИЕ. ЕСЛИ ЗАБОР"),   // no such test: likewise
                             u("ЦИКЛ. ВЫПОЛНЯТЬ ПОКА  КРАЙ"),   // two separators
                             u("ЦИКЛ. ВЫПОЛНИТЬ 5 РАЗЫ"),   // last word not the keyword: no counterpart
                             u("STEP"),   // another Language
                             u("* комментарий"),
                             u("ПОВОРОТ 90"),
                             u("ЦВЕТ RED")};   // the target would take it for a colour
    const ProgramTranslator::Result r = ProgramTranslator(Language::Rus, Language::Eng).translate(lines);
    EXPECT_EQ(r.lines,
              (QStringList {u("STEP"), u("ШАК"), u("\tШАГ"), u("COLOR=РОЗОВЫЙ"), u("CONDITION. IF ЗАБОР"),
                            u("CYCLE. EXECUTE WHILE  КРАЙ"), u("ЦИКЛ. ВЫПОЛНИТЬ 5 РАЗЫ"), u("STEP"),
                            u("* комментарий"), u("ROTATE 90"), u("ЦВЕТ RED")}));
    EXPECT_EQ(r.leftAsWritten, (QList<int> {1, 2, 6, 7, 10}));
    // The statements among them, with the word that has no counterpart.
    EXPECT_EQ(r.untranslated, (QHash<int, QString> {{6, u("РАЗЫ")}, {10, QString()}}));
}

TEST(ProgramTranslator, EveryLineTheCheckerTakesIsTranslatedByItsKeyword)
{
    // Heads the checker takes with anything after them; the rest is kept as written.
    for (Language from : kLanguages) {
        const Lexicon &f = Lexicon::forLanguage(from);
        for (Language to : kLanguages) {
            const Lexicon &t = Lexicon::forLanguage(to);
            const ProgramTranslator tr(from, to);
            const std::pair<QString, QString> cases[] = {
                {f.kwColour + "=NOPE", t.kwColour + "=NOPE"},
                {f.kwColour + "NOI", t.kwColour + "NOI"},
                {f.kwColour + "++", t.kwColour + "++"},
                {f.kwColour + "+1", t.kwColour + "+1"},
                {f.kwCycleWhile + " ?", t.kwCycleWhile + " ?"},
                {f.kwIf + " ?", t.kwIf + " ?"},
                {f.kwThen + " x", t.kwThen + " x"},
                {f.kwCycleN + " 2 " + f.kwTimes.toLower(), t.kwCycleN + " 2 " + t.kwTimes.toLower()},
            };
            for (const auto &[source, expected] : cases)
                EXPECT_EQ(tr.translateLine(source), from == to ? source : expected)
                    << source.toStdString() << " " << languageCode(to).toStdString();
        }
    }
}

TEST(ProgramTranslator, ALoopEndingInAnotherWordIsLeftAsWrittenNeverSpliced)
{
    // The check reads any word as long as the times keyword in its place, and the count
    // by place; such a word has no counterpart, and the keyword is never cut out of it.
    const struct {
        const char *line, *word;
    } cases[] = {
        {"ЦИКЛ. ВЫПОЛНИТЬ 2 TIMES", "TIMES"},   // was "CYCLE. EXECUTE 2 TITIMES"
        {"ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУКИ", "ШТУКИ"},   // was "... 2 ШТTIMES"
        {"ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУ", "ШТУ"},   // a loop of 2 in Russian; was kept half Russian
        {"цикл. выполнить 2 фраз", "фраз"},   // ends in the keyword's letters
    };
    for (Language to : {Language::Rom, Language::Eng}) {
        const ProgramTranslator t(Language::Rus, to);
        for (const auto &c : cases) {
            ASSERT_TRUE(ProgramTranslator::isStatement(u(c.line), Language::Rus)) << c.line;
            EXPECT_EQ(t.translateLine(u(c.line)), std::nullopt)
                << c.line << " " << languageCode(to).toStdString();
            const ProgramTranslator::Result r = t.translate({u("ШАГ"), u(c.line)});
            EXPECT_EQ(r.lines, (QStringList {t.translateLine(u("ШАГ")).value_or(QString()), u(c.line)}));
            EXPECT_EQ(r.leftAsWritten, QList<int> {1}) << c.line;
            EXPECT_EQ(r.untranslated.value(1), u(c.word)) << c.line;
        }
        // The times keyword in any case, glued to the count or with nothing before it, is
        // translated; a count with no word after it is carried over as it stands.
        const Lexicon &lex = Lexicon::forLanguage(to);
        EXPECT_EQ(t.translateLine(u("ЦИКЛ. ВЫПОЛНИТЬ 2 Раз")),
                  lex.kwCycleN + u(" 2 ") + inFirstCapital(lex.kwTimes));
        EXPECT_EQ(t.translateLine(u("ЦИКЛ. ВЫПОЛНИТЬ 2раз")), lex.kwCycleN + u(" 2") + lex.kwTimes.toLower());
        EXPECT_EQ(t.translateLine(u("ЦИКЛ. ВЫПОЛНИТЬ РАЗ")), lex.kwCycleN + u(" ") + lex.kwTimes);
        EXPECT_EQ(t.translateLine(u("ЦИКЛ. ВЫПОЛНИТЬ")), lex.kwCycleN);
    }
    EXPECT_EQ(ProgramTranslator(Language::Eng, Language::Rom).translateLine(u("CYCLE. EXECUTE 2 ORI")),
              std::nullopt);
}

TEST(ProgramTranslator, EveryWordOfAMixedTestKeepsItsOwnCase)
{
    // A word written in capitals, small letters or with its first letter capital keeps
    // that whole, there and back; letters of one word never set the case of the next.
    for (Language via : {Language::Rus, Language::Rom}) {
        const ProgramTranslator there(Language::Eng, via), back(via, Language::Eng);
        for (const char *line :
             {"CONDITION. IF NOT line", "CONDITION. IF not LINE", "CONDITION. IF Not LINE",
              "CONDITION. IF NOT Line", "condition. IF not line", "CYCLE. EXECUTE WHILE not Border"}) {
            const std::optional<QString> t = there.translateLine(u(line));
            ASSERT_TRUE(t) << line;
            EXPECT_EQ(back.translateLine(*t), u(line)) << t->toStdString();
        }
    }
    const ProgramTranslator toRus(Language::Eng, Language::Rus);
    EXPECT_EQ(toRus.translateLine(u("CONDITION. IF NOT line")), u("УСЛОВИЕ. ЕСЛИ НЕ линия"));
    // A mix within a word goes letter by letter; through the two letters of "НЕ" it cannot
    // come back whole, but "line" stays in small letters ("Not Line" before).
    EXPECT_EQ(toRus.translateLine(u("CONDITION. IF NoT line")), u("УСЛОВИЕ. ЕСЛИ Не линия"));
    EXPECT_EQ(ProgramTranslator(Language::Rus, Language::Eng).translateLine(u("УСЛОВИЕ. ЕСЛИ Не линия")),
              u("CONDITION. IF Not line"));
    const ProgramTranslator toRom(Language::Eng, Language::Rom), fromRom(Language::Rom, Language::Eng);
    EXPECT_EQ(fromRom.translateLine(*toRom.translateLine(u("CONDITION. IF NoT line"))),
              u("CONDITION. IF NoT line"));
}

TEST(ProgramTranslator, ALineThatWouldReadAsAnotherStatementIsNotTouched)
{
    // In Russian a counted loop whose count text is "WHILE"; in English it would begin
    // with the conditional loop keyword and become a loop over an unknown test.
    const QString line = u("ЦИКЛ. ВЫПОЛНИТЬ WHILE РАЗ");
    EXPECT_TRUE(ProgramTranslator::isStatement(line, Language::Rus));
    EXPECT_FALSE(ProgramTranslator(Language::Rus, Language::Eng).translateLine(line));
    EXPECT_EQ(ProgramTranslator(Language::Rus, Language::Rom).translateLine(line),
              u("CICLU. EXECUTA WHILE ORI"));
}

TEST(ProgramTranslator, ThereAndBackGivesTheOriginalStatementLine)
{
    QStringList lines;
    for (const auto &form : kForms) {
        const QString f = u(form[int(Language::Rom)]);
        lines << f << f.toLower() << QStringLiteral("  ") + f + QStringLiteral(" ");
        QString capital = f.toLower();
        capital[0] = capital[0].toUpper();
        lines << capital;
    }
    lines << u("EXECUTA pătrat mare") << u("PROCEDURA  x") << u("CULOARE= bej")
          << u("CICLU. EXECUTA $FF ORI");
    for (Language via : {Language::Rus, Language::Eng}) {
        for (const QString &l : lines) {
            ASSERT_TRUE(ProgramTranslator::isStatement(l, Language::Rom)) << (l).toStdString();
            const std::optional<QString> there = ProgramTranslator(Language::Rom, via).translateLine(l);
            ASSERT_TRUE(there) << (l).toStdString();
            EXPECT_EQ(ProgramTranslator(via, Language::Rom).translateLine(*there), l)
                << (*there).toStdString();
        }
    }
}

TEST(ProgramTranslator, SameLanguageChangesNothing)
{
    const QStringList lines {u("шАг"), u("ЦВЕТ=красный"), u("ШАК")};
    EXPECT_EQ(ProgramTranslator(Language::Rus, Language::Rus).translate(lines).lines, lines);
}

TEST(ProgramTranslator, TheSourceLanguageIsTheOneWithMostStatements)
{
    const QStringList mostlyEnglish {u("ALGORITHM BEGIN"), u("ШАГ"), u("STEP"), u("JUMP"),
                                     u("ALGORITHM END")};
    EXPECT_EQ(ProgramTranslator::statementCount(mostlyEnglish, Language::Eng), 4);
    EXPECT_EQ(ProgramTranslator::statementCount(mostlyEnglish, Language::Rus), 1);
    EXPECT_EQ(ProgramTranslator::detectLanguage(mostlyEnglish, Language::Rus), Language::Eng);

    const QStringList romanian {u("inceput de algoritm"), u("pas"), u("* STEP"), u("sfirsit de algoritm")};
    EXPECT_EQ(ProgramTranslator::detectLanguage(romanian, Language::Eng), Language::Rom);

    // Nothing to go by, or a tie: the preferred Language.
    const QStringList none {u("* comment"), QString()};
    EXPECT_EQ(ProgramTranslator::detectLanguage(none, Language::Rom), Language::Rom);
    EXPECT_EQ(ProgramTranslator::detectLanguage({}, Language::Eng), Language::Eng);
    const QStringList tie {u("STEP"), u("ШАГ")};
    EXPECT_EQ(ProgramTranslator::detectLanguage(tie, Language::Eng), Language::Eng);
    EXPECT_EQ(ProgramTranslator::detectLanguage(tie, Language::Rom), Language::Rus);
}
