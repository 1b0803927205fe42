// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// trakmil --translate, run as the real executable.
#include "common/Printers.h"
#include "common/RunTrakmil.h"
#include "documents/ProgramFile.h"
#include "lang/Highlight.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

using Outcome = ProcessOutcome;

class TranslateCli : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString file(const QString &name, const QStringList &lines) { return writeProgram(dir, name, lines); }

    Outcome trakmil(const QStringList &args) { return runTrakmil(args); }

    // The last stdout line of --run: the result line.
    QString resultLine(const QString &path, const QString &lang)
    {
        const Outcome o = trakmil({u("--run"), path, u("--language"), lang, u("--field"), u("16x20")});
        const QStringList lines = o.out.trimmed().split(QLatin1Char('\n'));
        return lines.last() + QStringLiteral(" [exit %1]").arg(o.exitCode);
    }
};

}   // namespace

TEST_F(TranslateCli, WritesUtf8TextToStandardOutputAndNamesWhatItLeft)
{
    const QString src = file(u("квадрат.tkm"), {u("НАЧАЛО АЛГОРИТМА"), u("  цвет=синий"), u("ШАК"),
                                                u("*$S=10"), u("КОНЕЦ АЛГОРИТМА")});
    const Outcome o = trakmil({u("--translate"), src, u("--to"), u("rom")});
    EXPECT_EQ(o.exitCode, 1);   // a line left as written
    EXPECT_EQ(o.out, u("INCEPUT DE ALGORITM\n  culoare=albastru\nШАК\n*$S=10\nSFIRSIT DE ALGORITM\n"));
    EXPECT_EQ(o.err, u("trakmil: ") + src + u(":3: no rus command, left as written: ШАК\n"));
}

TEST_F(TranslateCli, OutputFileIsColouredRtfThatChecksAndRunsInTheTarget)
{
    const QString src =
        file(u("p.tkm"),
             {u("PROCEDURE SIDE"), u("STEP"), u("ROTATE 90"), u("END OF PROCEDURE"), u("ALGORITHM BEGIN"),
              u("CYCLE. EXECUTE 4 TIMES"), u("EXECUTE SIDE"), u("END OF CYCLE"), u("ALGORITHM END")});
    const QString out = dir.filePath(u("p_rus.tkm"));
    ASSERT_EQ(trakmil({u("--translate"), src, u("--to"), u("rus"), u("-o"), out}).exitCode, 0);

    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("{\\rtf"));
    StyledText styled;
    QString error;
    ASSERT_TRUE(loadProgramFile(out, styled, &error)) << error.toStdString();
    EXPECT_EQ(plainLines(styled),
              (QStringList {u("ПРОЦЕДУРА SIDE"), u("ШАГ"), u("ПОВОРОТ 90"), u("КОНЕЦ ПРОЦЕДУРЫ"),
                            u("НАЧАЛО АЛГОРИТМА"), u("ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ"), u("ВЫПОЛНИТЬ SIDE"),
                            u("КОНЕЦ ЦИКЛА"), u("КОНЕЦ АЛГОРИТМА")}));
    const Lexicon &rus = Lexicon::forLanguage(Language::Rus);
    for (const StyledLine &line : styled)
        for (QRgb c : characterColours(line))
            EXPECT_EQ(c, classifyFull(normalizeLine(line.text), rus)) << (line.text).toStdString();
    EXPECT_EQ(characterColours(styled.at(1)).value(0), LineColour::Navy);

    const Outcome check = trakmil({u("--check"), out, u("--language"), u("rus")});
    EXPECT_EQ(check.exitCode, 0) << (check.out).toStdString();
    EXPECT_EQ(resultLine(out, u("rus")), resultLine(src, u("eng")));
}

TEST_F(TranslateCli, GoldenProgramsRunToTheSameResultLineInEveryLanguage)
{
    const QDir programs(QStringLiteral(TRAKMIL_TEST_DATA "/programs"));
    int compared = 0;
    for (const QString &name : programs.entryList({u("*.tkm")}, QDir::Files, QDir::Name)) {
        const QString src = programs.filePath(name);
        const QString from = name.section(QLatin1Char('_'), 0, 0);
        const QString expected = resultLine(src, from);
        for (const QString &to : {u("rus"), u("rom"), u("eng")}) {
            if (to == from) continue;
            const QString out = dir.filePath(to + QLatin1Char('_') + name);
            // A typo is left as written, and said so.
            ASSERT_EQ(trakmil({u("--translate"), src, u("--to"), to, u("-o"), out}).exitCode,
                      name.contains(u("typo")) ? 1 : 0)
                << name.toStdString();
            EXPECT_EQ(resultLine(out, to), expected) << name.toStdString() << " in " << to.toStdString();
            ++compared;
        }
    }
    EXPECT_GE(compared, 20);
}

TEST_F(TranslateCli, TheSourceLanguageCanBeGivenAndATextWithoutCommandsIsCopied)
{
    const QString mixed = file(u("mixed.tkm"), {u("STEP"), u("ШАГ"), u("ПРЫЖОК")});
    Outcome o = trakmil({u("--translate"), mixed, u("--to"), u("rom"), u("--from"), u("eng")});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.out, u("PAS\nШАГ\nПРЫЖОК\n"));
    o = trakmil({u("--translate"), mixed, u("--to"), u("rom")});
    EXPECT_EQ(o.out, u("STEP\nPAS\nSALT\n"));

    const QString notes = file(u("notes.tkm"), {u("* nothing but a note"), u("hello")});
    o = trakmil({u("--translate"), notes, u("--to"), u("eng")});
    EXPECT_EQ(o.exitCode, 1);   // "hello" stays as it is
    EXPECT_EQ(o.out, u("* nothing but a note\nhello\n"));
    EXPECT_TRUE(o.err.contains(u("holds no command of any language"))) << (o.err).toStdString();
}

TEST_F(TranslateCli, UsageAndFileErrorsExitWithTwoAndWriteNothing)
{
    const QString src = file(u("s.tkm"), {u("STEP")});
    EXPECT_EQ(trakmil({u("--translate"), src}).exitCode, 2);   // no --to
    EXPECT_EQ(trakmil({u("--translate"), src, u("--to"), u("fra")}).exitCode, 2);   // unknown Language
    EXPECT_EQ(trakmil({u("--translate"), src, u("--to"), u("rus"), u("--from"), u("x")}).exitCode, 2);
    EXPECT_EQ(trakmil({u("--translate"), src, src, u("--to"), u("rus")}).exitCode, 2);   // two files
    EXPECT_EQ(trakmil({u("--translate"), u("--to"), u("rus")}).exitCode, 2);   // none

    Outcome o = trakmil({u("--translate"), dir.filePath(u("absent.tkm")), u("--to"), u("rus")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.startsWith(u("trakmil: cannot read "))) << (o.err).toStdString();
    EXPECT_TRUE(o.out.isEmpty());

    const QString target = dir.filePath(u("no/such/folder/out.tkm"));
    o = trakmil({u("--translate"), src, u("--to"), u("rus"), u("-o"), target});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains(u("cannot write"))) << (o.err).toStdString();
    EXPECT_FALSE(QFile::exists(target));

    o = trakmil({u("--translate"), u("--help")});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.out.contains(u("--to"))) << (o.out).toStdString();
}

TEST_F(TranslateCli, OddButAcceptedLinesCheckAndRunAlikeAndExitZero)
{
    // Lines the checker takes with anything after the keyword, in every Language.
    for (const QString &from : {u("rus"), u("rom"), u("eng")}) {
        const Lexicon &lex = Lexicon::forLanguage(languageFromCode(from));
        const QString src =
            file(from + u(".tkm"),
                 {lex.kwBegin, lex.kwColour + u("=NOPE"), lex.kwColour + u("++"), lex.kwStep,
                  lex.kwColour + u("+1"), lex.kwStep, lex.kwCycleN + u(" 2 ") + lex.kwTimes.toLower(),
                  lex.kwStep, lex.kwEndCycle, lex.kwCycleWhile + u(" ?"), lex.kwRotate90, lex.kwEndCycle,
                  lex.kwIf + u(" ?"), lex.kwThen + u(" x"), lex.kwJump, lex.kwEndCondition, lex.kwEnd});
        const Outcome check = trakmil({u("--check"), src, u("--language"), from});
        ASSERT_EQ(check.exitCode, 0) << check.out.toStdString();
        const QString result = resultLine(src, from);
        for (const QString &to : {u("rus"), u("rom"), u("eng")}) {
            if (to == from) continue;
            const QString out = dir.filePath(from + u("_") + to + u(".tkm"));
            const Outcome t = trakmil({u("--translate"), src, u("--to"), to, u("-o"), out});
            EXPECT_EQ(t.exitCode, 0) << t.err.toStdString();
            EXPECT_TRUE(t.err.isEmpty()) << t.err.toStdString();
            EXPECT_EQ(trakmil({u("--check"), out, u("--language"), to}).exitCode, 0)
                << (from + to).toStdString();
            EXPECT_EQ(resultLine(out, to), result) << (from + u(" -> ") + to).toStdString();
        }
    }
}

TEST_F(TranslateCli, ALoopEndingInAnotherWordIsLeftAsWrittenAndNamed)
{
    // The check reads any word in the times keyword's place; such a word has no
    // counterpart, and cutting the keyword out of it ("2 TITIMES") would splice two words.
    const QStringList program {u("НАЧАЛО АЛГОРИТМА"), u("ЦИКЛ. ВЫПОЛНИТЬ 2 TIMES"), u("ШАГ"),
                               u("КОНЕЦ ЦИКЛА"),      u("ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУКИ"), u("ШАГ"),
                               u("КОНЕЦ ЦИКЛА"),      u("ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУ"),   u("ШАГ"),
                               u("КОНЕЦ ЦИКЛА"),      u("КОНЕЦ АЛГОРИТМА")};
    const QString src = file(u("loops.tkm"), program);
    for (const QString &to : {u("eng"), u("rom")}) {
        const Outcome o = trakmil({u("--translate"), src, u("--to"), to});
        EXPECT_EQ(o.exitCode, 1) << to.toStdString();
        const QStringList out = o.outLines();
        ASSERT_EQ(out.size(), program.size()) << o.out.toStdString();
        for (int k : {1, 4, 7}) EXPECT_EQ(out[k], program[k]) << to.toStdString();
        EXPECT_EQ(out[2], Lexicon::forLanguage(languageFromCode(to)).kwStep);
        EXPECT_EQ(o.err, u("trakmil: ") + src +
                             u(":2: the loop ends in \"TIMES\", not in \"РАЗ\", left as written: "
                               "ЦИКЛ. ВЫПОЛНИТЬ 2 TIMES\n") +
                             u("trakmil: ") + src +
                             u(":5: the loop ends in \"ШТУКИ\", not in \"РАЗ\", left as written: "
                               "ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУКИ\n") +
                             u("trakmil: ") + src +
                             u(":8: the loop ends in \"ШТУ\", not in \"РАЗ\", left as written: "
                               "ЦИКЛ. ВЫПОЛНИТЬ 2 ШТУ\n"));
    }
}

TEST_F(TranslateCli, RomanianPlainTextInWindows1250KeepsItsLetters)
{
    // As a Romanian Windows saves "ANSI" text: read as Windows-1251 the comment and the
    // procedure name would come out Cyrillic.
    const QString program = u("* Pătrat şi ţarc\r\nPROCEDURA ŞIR\r\nPAS\r\nSFIRSIT PROCEDURA\r\n"
                              "INCEPUT DE ALGORITM\r\nEXECUTA ŞIR\r\nSFIRSIT DE ALGORITM\r\n");
    const QString src = dir.filePath(u("ro.tkm"));
    QFile f(src);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringEncoder("windows-1250").encode(program));
    f.close();
    const Outcome o = trakmil({u("--translate"), src, u("--to"), u("eng")});
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(o.outLines(),
              (QStringList {u("* Pătrat şi ţarc"), u("PROCEDURE ŞIR"), u("STEP"), u("END OF PROCEDURE"),
                            u("ALGORITHM BEGIN"), u("EXECUTE ŞIR"), u("ALGORITHM END")}));
}

TEST_F(TranslateCli, ATargetKeepsWhatItIsOrIsRefused)
{
    const QString src = file(u("s.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("ALGORITHM END")});
    auto translateTo = [&](const QString &out) {
        return trakmil({u("--translate"), src, u("--to"), u("rus"), u("-o"), out});
    };
    // A loop of links is refused as the same loop is as input, and stays a loop.
    const QString a = dir.filePath(u("a.tkm")), b = dir.filePath(u("b.tkm"));
    ASSERT_TRUE(QFile::link(b, a));
    ASSERT_TRUE(QFile::link(a, b));
    Outcome o = translateTo(a);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err, u("trakmil: cannot write ") + a + u(": Too many levels of symbolic links\n"));
    EXPECT_EQ(QFileInfo(a).symLinkTarget(), b);
    EXPECT_EQ(trakmil({u("--translate"), a, u("--to"), u("rus")}).exitCode, 2);

    // A read-only file is not made writable behind the teacher's back.
    const QString locked = file(u("locked.tkm"), {u("STEP")});
    const QByteArray before = [&] {
        QFile f(locked);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    auto modeOf = [](const QString &path) {
        struct stat st { };
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        return st;
    };
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0440), 0);
    o = translateTo(locked);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err, u("trakmil: cannot write ") + locked + u(": The file is read-only\n"));
    QFile kept(locked);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
    EXPECT_EQ(modeOf(locked).st_mode & 07777, 0440u);

    // A file that is replaced keeps its mode, and its owner where the process may keep it.
    const QString shared = file(u("shared.tkm"), {u("STEP")});
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0664), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(shared).constData(), 65534, 65534), 0);
    }
    o = translateTo(shared);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(modeOf(shared).st_mode & 07777, 0664u);
    if (root) {
        EXPECT_EQ(modeOf(shared).st_uid, 65534u);
    }
    StyledText written;
    ASSERT_TRUE(loadProgramFile(shared, written, nullptr));
    EXPECT_EQ(plainLines(written).value(1), u("ШАГ"));

    // Through a link the file it points to is replaced; the link stays.
    const QString link = dir.filePath(u("link.tkm"));
    ASSERT_TRUE(QFile::link(shared, link));
    EXPECT_EQ(translateTo(link).exitCode, 0);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), shared);
}
