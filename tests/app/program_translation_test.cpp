// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Translation of whole programs: the same verdict, the same run and the same drawing in
// every Language, and the window's menu item.
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "app/HeadlessRun.h"
#include "documents/ProgramFile.h"
#include "editor/Highlight.h"
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

RunRecord runOf(const QStringList &lines, Language lang)
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
    r.result = run.checkAndRun(100000);
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
    EXPECT_EQ(a.end.color, b.end.color) << what;
    ASSERT_EQ(a.drawing.size(), b.drawing.size()) << what;
    for (qsizetype i = 0; i < a.drawing.size(); ++i) {
        EXPECT_EQ(a.drawing[i].segment, b.drawing[i].segment) << what;
        EXPECT_EQ(a.drawing[i].color, b.drawing[i].color) << what;
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
        EXPECT_EQ(ed->lineColor(k), ClassifyFull(NormalizeLine(ed->line(k)), eng)) << k;
        EXPECT_TRUE(ed->lineIsUniform(k)) << k;
    }
    EXPECT_EQ(ed->lineColor(4), LineColor::Navy);   // really recoloured: the step was black
    EXPECT_EQ(ed->caretLineColumn(), (LineColumn {10, 4}));
    EXPECT_EQ(panel(0), QStringLiteral("Changed"));

    // The translation passes the check under the interface Language.
    ed->replaceLine(12, QStringLiteral("STEP"));
    window->action(Command::Check)->trigger();
    EXPECT_TRUE(prompts.reports.isEmpty());

    ed->undoEdit();   // the fix of line 12
    ed->undoEdit();   // the whole translation
    EXPECT_EQ(ed->toPlainText(), before);
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
    ASSERT_TRUE(window->runActive());
    EXPECT_FALSE(enabled(ObjectName::TranslateProgramItem));
    window->stopRun();
    EXPECT_TRUE(enabled(ObjectName::TranslateProgramItem));
    window->toggleManualMode();
    EXPECT_FALSE(enabled(ObjectName::TranslateProgramItem));
    window->toggleManualMode();
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
