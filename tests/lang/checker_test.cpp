// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/SyntaxChecker.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {

struct Outcome {
    ErrorReport report;
    QStringList lines;
};

Outcome check(const char *text, Language lang = Language::Rus)
{
    StringListProgramText t(QString::fromUtf8(text).split('\n'));
    Outcome o {checkProgram(t, Lexicon::forLanguage(lang), MessageCatalogue::forLanguage(lang)), {}};
    o.lines = t.lines();
    return o;
}

const MessageCatalogue &ru = MessageCatalogue::forLanguage(Language::Rus);

struct Case {
    const char *name;
    const char *text;
    int line;   // selected line, -1 none, -2 clean
    QString MessageCatalogue::*first;
};

}   // namespace

TEST(SyntaxCheck, ReportsTheFirstErrorWithItsLine)
{
    using M = MessageCatalogue;
    const Case cases[] = {
        {"empty editor", "", -1, &M::msgNoBeginEnd},
        {"two begins, no end: missing wins", "НАЧАЛО АЛГОРИТМА\nНАЧАЛО АЛГОРИТМА", -1, &M::msgNoBeginEnd},
        {"two begins one end", "НАЧАЛО АЛГОРИТМА\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", -1,
         &M::msgBeginEndTwice},
        {"lower case begin with spaces", "  начало алгоритма \nКОНЕЦ АЛГОРИТМА", -2, nullptr},
        {"stray end of procedure on line 0", "КОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", 0,
         &M::msgEndProcWithoutProc},
        {"header meets begin", "ПРОЦЕДУРА А\nШАГ\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", 0, &M::msgNoEndProc},
        {"header meets header",
         "ПРОЦЕДУРА А\nПРОЦЕДУРА Б\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", 0, &M::msgNoEndProc},
        {"step before begin", "ШАГ\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", 0, &M::msgBeforeBegin},
        {"indented comment before begin", "   * ok\nНАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", -2, nullptr},
        {"indented comment after end", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА\n * no", 2, &M::msgAfterEnd},
        {"first-column comment after end", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА\n* yes", -2, nullptr},
        {"spaces after end", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА\n   ", -2, nullptr},
        {"tab after end", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА\n\t", 2, &M::msgAfterEnd},
        {"end of procedure inside", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ ПРОЦЕДУРЫ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgEndProcInAlgorithm},
        {"call declared only after begin", "НАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ А\nПРОЦЕДУРА А\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgProcNotFound},
        {"procedure after the end", "НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА\nПРОЦЕДУРА А\nКОНЕЦ ПРОЦЕДУРЫ", 2,
         &M::msgAfterEnd},
        {"call differs in case only",
         "ПРОЦЕДУРА Квадрат\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nвыполнить квадрат\nКОНЕЦ АЛГОРИТМА", -2,
         nullptr},
        {"two spaces in call need two in header",
         "ПРОЦЕДУРА А\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ  А\nКОНЕЦ АЛГОРИТМА", 3,
         &M::msgProcNotFound},
        {"two spaces both", "ПРОЦЕДУРА  А\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ  А\nКОНЕЦ АЛГОРИТМА",
         -2, nullptr},
        {"two correct counted loops",
         "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ\nКОНЕЦ ЦИКЛА\nЦИКЛ. ВЫПОЛНИТЬ $A РАЗ\nКОНЕЦ ЦИКЛА\nКОНЕЦ "
         "АЛГОРИТМА",
         -2, nullptr},
        {"count zero", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 0 РАЗ\nКОНЕЦ АЛГОРИТМА", 1, &M::msgCycleFormat},
        {"negative count", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ -2 РАЗ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgCycleFormat},
        {"count not a number", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ N РАЗ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgCycleFormat},
        {"missing space around count", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 5РАЗ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgCycleFormat},
        {"doubled space", "НАЧАЛО АЛГОРИТМА\nЦИКЛ.  ВЫПОЛНИТЬ 5 РАЗ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgUnknownCommand},
        {"doubled space before count", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ  5 РАЗ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgCycleFormat},
        {"last word of the same length",
         "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 5 ЖЖЖ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА", -2, nullptr},
        {"last word longer", "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 5 РАЗЫ\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgCycleFormat},
        {"misspelt step", "НАЧАЛО АЛГОРИТМА\nШАГ\n  шАк \nКОНЕЦ АЛГОРИТМА", 2, nullptr},
        {"step followed by digit", "НАЧАЛО АЛГОРИТМА\nШАГ 2\nКОНЕЦ АЛГОРИТМА", 1, &M::msgUnknownCommand},
        {"rotate with two spaces", "НАЧАЛО АЛГОРИТМА\nПОВОРОТ  45\nКОНЕЦ АЛГОРИТМА", 1,
         &M::msgUnknownCommand},
    };
    for (const Case &c : cases) {
        const Outcome o = check(c.text);
        if (c.line == -2) {
            EXPECT_FALSE(o.report.error) << c.name;
            continue;
        }
        ASSERT_TRUE(o.report.error) << c.name;
        EXPECT_EQ(o.report.line, c.line) << c.name;
        EXPECT_EQ(o.report.heading, ru.msgHead04) << c.name;
        // The unknown-command report puts its own line first.
        if (c.first) {
            EXPECT_TRUE(o.report.texts.contains(ru.*(c.first))) << c.name;
        }
    }
}

TEST(SyntaxCheck, UnknownCommandShowsNumberAndRawLine)
{
    const Outcome o = check("НАЧАЛО АЛГОРИТМА\nШАГ\n  шАк \nКОНЕЦ АЛГОРИТМА");
    ASSERT_EQ(o.report.texts.size(), 2);
    EXPECT_EQ(o.report.texts[0], QString::fromUtf8("Ошибка в строке: 3 (\"  шАк \")"));
    EXPECT_EQ(o.report.texts[1], ru.msgUnknownCommand);
}

TEST(SyntaxCheck, EmptiesSpaceLinesOnlyUpToTheReportedLine)
{
    const Outcome o = check("НАЧАЛО АЛГОРИТМА\n   \nОШИБКА\n  \nКОНЕЦ АЛГОРИТМА");
    ASSERT_TRUE(o.report.error);
    EXPECT_EQ(o.lines[1], QString());
    EXPECT_EQ(o.lines[3], QStringLiteral("  "));
    // Checks 1 to 6 failing leave every line as it was.
    const Outcome early = check("   \nШАГ");
    EXPECT_EQ(early.lines[0], QStringLiteral("   "));
}

TEST(SyntaxCheck, ConditionalLoopOfRomAndEngSkipsTheCountCheck)
{
    EXPECT_FALSE(check("ALGORITHM BEGIN\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\nEND OF CYCLE\nALGORITHM END",
                       Language::Eng)
                     .report.error);
    EXPECT_FALSE(
        check("INCEPUT DE ALGORITM\nCICLU. EXECUTA PINA CIND MARGINE\nSFIRSIT CICLU\nSFIRSIT DE ALGORITM",
              Language::Rom)
            .report.error);
    // The Russian program is not recognised in English.
    EXPECT_TRUE(check("НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА", Language::Eng).report.error);
}

TEST(SyntaxCheck, SurvivesHostileInput)
{
    QStringList lines;
    lines << QString(100000, QChar(0x0416)) << QString(3, QChar(0)) << QStringLiteral("НАЧАЛО АЛГОРИТМА");
    StringListProgramText t(lines);
    const ErrorReport r = checkProgram(t, Lexicon::forLanguage(Language::Rus), ru);
    EXPECT_TRUE(r.error);
    StringListProgramText none;
    EXPECT_TRUE(checkProgram(none, Lexicon::forLanguage(Language::Rus), ru).error);
}
