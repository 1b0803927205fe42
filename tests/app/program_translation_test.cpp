// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Translation of whole programs: the same verdict, the same run and the same drawing in
// every Language, and the window's menu item.
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "run/HeadlessRun.h"
#include "documents/ProgramFile.h"
#include "lang/Highlight.h"
#include "lang/Normalize.h"
#include "lang/ProgramTranslator.h"
#include "lang/SyntaxChecker.h"
#include "world/TraceRecorder.h"
#include <QDir>
#include <QMenu>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

// The golden programs, and the example programs when the tree has them.
QStringList programFiles()
{
    QStringList files;
    for (const QString &dir : {QStringLiteral(TRAKMIL_TEST_DATA "/programs"),
                               QStringLiteral(TRAKMIL_TEST_DATA "/../../examples")}) {
        QDir d(dir);
        for (const QString &f : d.entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name))
            files << d.filePath(f);
    }
    return files;
}

QStringList readLines(const QString &path)
{
    StyledText styled;
    QString error;
    EXPECT_TRUE(loadProgramFile(path, styled, &error)) << path.toStdString() << ": " << error.toStdString();
    return plainLines(styled);
}

struct RunRecord {
    bool checkError = false;
    int checkLine = -1;
    HeadlessRun::Result result = HeadlessRun::Result::End;
    qint64 ticks = 0;
    RobotState end;
    QList<TraceRecorder::Drawn> drawing;
};

RunRecord runOf(const QStringList &lines, Language lang, qint64 maxTicks = 100000)
{
    RunRecord r;
    {
        StringListProgramText text(lines);
        const ErrorReport report =
            checkProgram(text, Lexicon::forLanguage(lang), MessageCatalogue::forLanguage(lang));
        r.checkError = report.error;
        r.checkLine = report.line;
    }
    StringListProgramText text(lines);
    TraceRecorder trace;
    HeadlessRun run(text, lang);
    run.setCanvas(&trace);
    run.setFieldSize(16, 20);
    r.result = run.checkAndRun(maxTicks);
    r.ticks = run.ticks();
    r.end = run.world().state();
    r.drawing = trace.segments();
    return r;
}

void expectSameRun(const RunRecord &a, const RunRecord &b, const std::string &what)
{
    EXPECT_EQ(a.checkError, b.checkError) << what;
    EXPECT_EQ(a.checkLine, b.checkLine) << what;
    EXPECT_EQ(a.result, b.result) << what;
    EXPECT_EQ(a.ticks, b.ticks) << what;
    EXPECT_EQ(a.end.x, b.end.x) << what;
    EXPECT_EQ(a.end.y, b.end.y) << what;
    EXPECT_EQ(a.end.heading, b.end.heading) << what;
    EXPECT_EQ(a.end.visible, b.end.visible) << what;
    EXPECT_EQ(a.end.colour, b.end.colour) << what;
    ASSERT_EQ(a.drawing.size(), b.drawing.size()) << what;
    for (qsizetype i = 0; i < a.drawing.size(); ++i) {
        EXPECT_EQ(a.drawing[i].segment, b.drawing[i].segment) << what;
        EXPECT_EQ(a.drawing[i].colour, b.drawing[i].colour) << what;
    }
}

const char *const kRussianSquare = "* квадрат\n"
                                   "ПРОЦЕДУРА сторона\n"
                                   "  цвет=красный\n"
                                   "ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ\n"
                                   "ШАГ\n"
                                   "КОНЕЦ ЦИКЛА\n"
                                   "ПОВОРОТ 90\n"
                                   "КОНЕЦ ПРОЦЕДУРЫ\n"
                                   "НАЧАЛО АЛГОРИТМА\n"
                                   "ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ\n"
                                   "ВЫПОЛНИТЬ сторона\n"
                                   "КОНЕЦ ЦИКЛА\n"
                                   "ШАК\n"
                                   "КОНЕЦ АЛГОРИТМА";

}   // namespace

TEST(ProgramTranslation, TheExampleProgramsGoThereAndBackUnchanged)
{
    const QStringList files = programFiles();
    ASSERT_GE(files.size(), 10);
    for (const QString &file : files) {
        const QStringList lines = readLines(file);
        const Language source = ProgramTranslator::detectLanguage(lines, Language::Rus);
        const QString prefix = QFileInfo(file).fileName().section(QLatin1Char('_'), 0, 0);
        if (prefix == QLatin1String("rus") || prefix == QLatin1String("rom") ||
            prefix == QLatin1String("eng")) {
            EXPECT_EQ(languageCode(source), prefix) << file.toStdString();
        }
        for (Language target : {Language::Rus, Language::Rom, Language::Eng}) {
            if (target == source) continue;
            const QStringList there = ProgramTranslator(source, target).translate(lines).lines;
            EXPECT_EQ(ProgramTranslator(target, source).translate(there).lines, lines) << file.toStdString();
            EXPECT_GE(ProgramTranslator::statementCount(there, target),
                      ProgramTranslator::statementCount(lines, source))
                << file.toStdString();
        }
    }
}

TEST(ProgramTranslation, TheTranslatedProgramChecksRunsAndDrawsTheSame)
{
    for (const QString &file : programFiles()) {
        const QStringList lines = readLines(file);
        const Language source = ProgramTranslator::detectLanguage(lines, Language::Rus);
        const RunRecord original = runOf(lines, source);
        for (Language target : {Language::Rus, Language::Rom, Language::Eng}) {
            if (target == source) continue;
            const QStringList there = ProgramTranslator(source, target).translate(lines).lines;
            expectSameRun(original, runOf(there, target),
                          QFileInfo(file).fileName().toStdString() + " in " +
                              languageCode(target).toStdString());
        }
    }
}

TEST_F(MainWindowTest, TranslateItemIsTheLastOfTheProgramMenuAfterASeparator)
{
    open();
    const QList<QAction *> items = window->menu(MenuId::Program)->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.last(), window->action(Command::TranslateProgram));
    EXPECT_EQ(items.last()->objectName(), QString::fromLatin1(ObjectName::TranslateProgramItem));
    EXPECT_TRUE(items.at(items.size() - 2)->isSeparator());
}

TEST_F(MainWindowTest, TranslateRewritesTheTextIntoTheInterfaceLanguageAsOneUndoStep)
{
    open({}, "[int]\nlanguage=eng\n");
    setProgram(kRussianSquare);
    const QString before = window->editor()->toPlainText();
    window->editor()->setCaret(10, 4);

    window->action(Command::TranslateProgram)->trigger();
    AlgorithmEditor *ed = window->editor();
    EXPECT_EQ(ed->toPlainText(),
              QStringLiteral("* квадрат\nPROCEDURE сторона\n  color=red\nCYCLE. EXECUTE 3 TIMES\n"
                             "STEP\nEND OF CYCLE\nROTATE 90\nEND OF PROCEDURE\nALGORITHM BEGIN\n"
                             "CYCLE. EXECUTE 4 TIMES\nEXECUTE сторона\nEND OF CYCLE\nШАК\nALGORITHM END"));
    const Lexicon &eng = Lexicon::forLanguage(Language::Eng);
    for (int k = 0; k < ed->lineCount(); ++k) {
        EXPECT_EQ(ed->lineColour(k), classifyFull(normalizeLine(ed->line(k)), eng)) << k;
        EXPECT_TRUE(ed->lineIsUniform(k)) << k;
    }
    EXPECT_EQ(ed->lineColour(4), LineColour::Navy);   // really recoloured: the step was black
    EXPECT_EQ(ed->caretLineColumn(), (LineColumn {10, 4}));
    EXPECT_EQ(panel(StatusPanel::Document), QStringLiteral("Changed"));

    // The line that could not be translated is named, as the command line names it.
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].endsWith(QStringLiteral(": 13"))) << prompts.messages[0].toStdString();

    // The translation passes the check under the interface Language.
    ed->replaceLine(12, QStringLiteral("STEP"));
    window->action(Command::Check)->trigger();
    EXPECT_TRUE(prompts.reports.isEmpty());

    ed->undoEdit();   // the fix of line 12
    ed->undoEdit();   // the whole translation
    EXPECT_EQ(ed->toPlainText(), before);
}

TEST_F(MainWindowTest, TranslateNamesALoopEndingInAnotherWordAndLeavesItAsWritten)
{
    open({}, "[int]\nlanguage=rom\n");
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 2 ШТУ\nШАГ\nКОНЕЦ ЦИКЛА\n"
               "ЦИКЛ. ВЫПОЛНИТЬ 2 TIMES\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::TranslateProgram)->trigger();
    EXPECT_EQ(window->editor()->toPlainText(),
              u("INCEPUT DE ALGORITM\nЦИКЛ. ВЫПОЛНИТЬ 2 ШТУ\nPAS\nSFIRSIT CICLU\n"
                "ЦИКЛ. ВЫПОЛНИТЬ 2 TIMES\nPAS\nSFIRSIT CICLU\nSFIRSIT DE ALGORITM"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].endsWith(u(": 2, 5"))) << prompts.messages[0].toStdString();
}

TEST_F(MainWindowTest, TranslateLeavesATextAlreadyInTheInterfaceLanguageAlone)
{
    open({}, "[int]\nlanguage=rom\n");
    setProgram("INCEPUT DE ALGORITM\npas\nSTEP\nSFIRSIT DE ALGORITM");
    window->action(Command::TranslateProgram)->trigger();
    EXPECT_EQ(window->editor()->toPlainText(),
              QStringLiteral("INCEPUT DE ALGORITM\npas\nSTEP\nSFIRSIT DE ALGORITM"));
    EXPECT_FALSE(window->editor()->document()->isUndoAvailable());
}

TEST_F(MainWindowTest, TranslateIsOffWhileARunOrManualModeHoldsTheText)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isActive());
    EXPECT_FALSE(enabled(ObjectName::TranslateProgramItem));
    window->action(Command::Stop)->trigger();
    EXPECT_TRUE(enabled(ObjectName::TranslateProgramItem));
    window->action(Command::ManualMode)->trigger();
    EXPECT_FALSE(enabled(ObjectName::TranslateProgramItem));
    window->action(Command::ManualMode)->trigger();
    EXPECT_TRUE(enabled(ObjectName::TranslateProgramItem));
}

TEST_F(MainWindowTest, TranslateFromTheMenuAfterSwitchingTheLanguage)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nЦВЕТ=СИНИЙ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->settings().language = QStringLiteral("rom");
    window->applyLanguage();
    EXPECT_EQ(plainCaption(window->action(Command::TranslateProgram)->text()),
              u("Tradu algoritmul in limba interfetei"));
    window->action(Command::TranslateProgram)->trigger();
    EXPECT_EQ(window->editor()->toPlainText(),
              QStringLiteral("INCEPUT DE ALGORITM\nCULOARE=ALBASTRU\nPAS\nSFIRSIT DE ALGORITM"));
    window->action(Command::Run)->trigger();
    runToStop();
    EXPECT_TRUE(prompts.reports.isEmpty());
    EXPECT_EQ(window->robotWorld().state().x, 1);
}

namespace {

// A program in `lex` that uses every line shape the checker takes with text after the
// keyword, and passes the check.
QStringList oddShapesProgram(const Lexicon &lex)
{
    return {lex.kwProcedure + QStringLiteral("  p"),
            lex.kwStep,
            lex.kwEndProcedure,
            lex.kwBegin,
            lex.kwColour + QStringLiteral("=NOPE"),
            lex.kwColour + QStringLiteral("NOI"),
            lex.kwColour + QStringLiteral("++"),
            lex.kwStep,
            lex.kwColour + QStringLiteral("+1"),
            lex.kwColour + QStringLiteral("-x"),
            lex.kwStep,
            lex.kwCycleN + QStringLiteral(" 2 ") + lex.kwTimes.toLower(),
            lex.kwStep,
            lex.kwEndCycle,
            lex.kwCycleWhile + QStringLiteral(" ?"),
            lex.kwRotate90,
            lex.kwEndCycle,
            lex.kwIf + QStringLiteral(" ?"),
            lex.kwThen + QStringLiteral(" x"),
            lex.kwJump,
            lex.kwElse + QStringLiteral(" y"),
            lex.kwStep,
            lex.kwEndCondition,
            lex.kwExecute + QStringLiteral("  p"),
            lex.kwEnd};
}

const Language kAll[] = {Language::Rus, Language::Rom, Language::Eng};

}   // namespace

TEST(ProgramTranslation, EveryAcceptedLineShapeChecksAndRunsAlikeInAllSixDirections)
{
    for (Language from : kAll) {
        const QStringList lines = oddShapesProgram(Lexicon::forLanguage(from));
        const RunRecord original = runOf(lines, from);
        ASSERT_FALSE(original.checkError) << languageCode(from).toStdString();
        ASSERT_EQ(original.result, HeadlessRun::Result::End);
        for (Language to : kAll) {
            if (to == from) continue;
            const ProgramTranslator::Result r = ProgramTranslator(from, to).translate(lines);
            const std::string what =
                languageCode(from).toStdString() + " -> " + languageCode(to).toStdString();
            EXPECT_TRUE(r.leftAsWritten.isEmpty()) << what << ": " << r.leftAsWritten.size();
            expectSameRun(original, runOf(r.lines, to), what);
        }
    }
}

// Random programs made of every kind of line, odd ones included: whatever the translator
// translates must check and run alike, and whatever it cannot is named.
TEST(ProgramTranslation, RandomProgramsCheckAndRunAlikeInEveryDirection)
{
    quint32 seed = 20261209;
    auto next = [&](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    auto randomCase = [&](const QString &s) {
        switch (next(4)) {
        case 0:
            return s.toLower();
        case 1: {
            QString r = s.toLower();
            if (!r.isEmpty()) r[0] = r[0].toUpper();
            return r;
        }
        case 2: {
            QString r = s;
            for (QChar &c : r)
                if (next(2)) c = c.toLower();
            return r;
        }
        default:
            return s;
        }
    };
    const char *const tails[] = {"", " ", "=", "+", "-", "1", "X", " ?", "  "};
    int programs = 0, directions = 0, clean = 0, named = 0;
    for (int n = 0; n < 300; ++n) {
        const Language from = kAll[next(3)];
        const Lexicon &lex = Lexicon::forLanguage(from);
        const QString *const words[] = {&lex.kwStep,     &lex.kwJump,    &lex.kwRotate45,
                                        &lex.kwRotate90, &lex.kwDestroy, &lex.kwRebuild};
        QStringList body;
        const int length = 2 + next(10);
        int open = 0;
        for (int k = 0; k < length; ++k) {
            switch (next(12)) {
            case 0:
                body << randomCase(lex.kwColour) + (next(2) ? QStringLiteral("=") : QStringLiteral(" ")) +
                            randomCase(ColourTable::name(next(ColourTable::Count), kAll[next(3)]));
                break;
            case 1:
                body << lex.kwColour + QLatin1String(tails[next(9)]) + QLatin1String(tails[next(9)]);
                break;
            case 2:
                body << randomCase(lex.kwCycleN) + QStringLiteral(" %1 ").arg(next(4)) +
                            (next(3) ? randomCase(lex.kwTimes)
                                     : QString(lex.kwTimes.size(), QLatin1Char('z')));
                ++open;
                break;
            case 3: {
                const QString *tests[] = {&lex.kwBorder, &lex.kwNotBorder, &lex.kwLine, &lex.kwNotLine};
                body << randomCase(lex.kwCycleWhile) + QLatin1Char(' ') +
                            (next(4) ? randomCase(*tests[next(4)]) : QStringLiteral("?"));
                ++open;
                break;
            }
            case 4:
                if (open > 0) {
                    body << randomCase(lex.kwEndCycle);
                    --open;
                }
                break;
            case 5: {
                const QString *tests[] = {&lex.kwBorder, &lex.kwNotBorder, &lex.kwLine, &lex.kwNotLine};
                body << randomCase(lex.kwIf) + QLatin1Char(' ') + randomCase(*tests[next(4)]) << lex.kwThen
                     << *words[next(6)] << lex.kwElse + QLatin1String(tails[next(9)]) << *words[next(6)]
                     << lex.kwEndCondition;
                break;
            }
            case 6:
                body << QStringLiteral("* note ") + lex.kwStep;
                break;
            case 7:
                body << randomCase(lex.kwExecute) + QStringLiteral(" p");
                break;
            default:
                body << (next(3) ? QString() : QStringLiteral(" ")) + randomCase(*words[next(6)]);
            }
        }
        while (open-- > 0) body << lex.kwEndCycle;
        const QStringList lines = QStringList {lex.kwProcedure + QStringLiteral(" p"), lex.kwStep,
                                               lex.kwRotate45, lex.kwEndProcedure, randomCase(lex.kwBegin)} +
                                  body + QStringList {lex.kwEnd};
        ++programs;
        const RunRecord original = runOf(lines, from, 5000);
        for (Language to : kAll) {
            if (to == from) continue;
            ++directions;
            const ProgramTranslator::Result r = ProgramTranslator(from, to).translate(lines);
            if (!r.leftAsWritten.isEmpty()) {
                ++named;
                if (qEnvironmentVariableIsSet("TRAKMIL_SHOW_NAMED"))
                    for (int k : r.leftAsWritten)
                        std::printf("%s -> %s: %s\n", qPrintable(languageCode(from)),
                                    qPrintable(languageCode(to)), qPrintable(lines.at(k)));
                continue;
            }
            ++clean;
            expectSameRun(original, runOf(r.lines, to, 5000),
                          "program " + std::to_string(n) + " " + languageCode(from).toStdString() + " -> " +
                              languageCode(to).toStdString() + "\n" + lines.join('\n').toStdString());
            if (HasFailure()) return;
        }
    }
    std::printf("random programs: %d, translations: %d, checked alike: %d, with lines named: %d\n", programs,
                directions, clean, named);
    // What is named is a colour name of the target written in the source, which does
    // nothing there but would colour the target's run, and a loop ending in "zzz".
    EXPECT_GT(clean, directions * 2 / 3);
}
