// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/Grading.h"
#include "run/TaskTexts.h"
#include "lang/ProgramTranslator.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

QStringList program(const char *english, Language lang)
{
    const QStringList lines = QString::fromUtf8(english).split(QLatin1Char('\n'));
    return lang == Language::Eng ? lines : ProgramTranslator(Language::Eng, lang).translate(lines).lines;
}

// Two red segments, east then south, ending at node (1, 1) facing west.
const char kModel[] = "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\n"
                      "ALGORITHM END";

Task modelTask(Language lang)
{
    Task task;
    task.title = QStringLiteral("L");
    int failedField = -1;
    FieldDrawing failure;
    const auto goals =
        goalsFromModel(program(kModel, lang), lang, {QSize(4, 4), QSize(6, 3)}, true, failedField, failure);
    if (goals) task.fields = *goals;
    task.rules.maxStatementLines = 7;
    task.rules.required = {TaskConstruct::CountedLoop};
    task.rules.forbidden = {TaskConstruct::Jump, TaskConstruct::DestroyRebuild};
    return task;
}

}   // namespace

TEST(GradingEngine, AModelBecomesAGoalOnEveryFieldOrIsRefusedWithTheField)
{
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        const Task task = modelTask(lang);
        ASSERT_EQ(task.fields.size(), 2);
        for (const TaskField &f : task.fields) {
            ASSERT_EQ(f.goal.size(), 2);
            EXPECT_EQ(f.goal[0].colour, 0xFF0000u);
            EXPECT_EQ(f.end, (TaskGoalEnd {1, 1, 4}));
            EXPECT_GT(f.modelTicks, 0);
        }
        EXPECT_EQ(task.fields[1].width, 6);
        EXPECT_EQ(task.fields[1].height, 3);

        // Three steps east fit a 4-wide field, not a 2-wide one: the second field is named.
        int failedField = -1;
        FieldDrawing failure;
        EXPECT_FALSE(goalsFromModel(program("ALGORITHM BEGIN\nSTEP\nSTEP\nSTEP\nALGORITHM END", lang), lang,
                                    {QSize(4, 4), QSize(2, 2)}, false, failedField, failure));
        EXPECT_EQ(failedField, 1);
        EXPECT_EQ(failure.result, HeadlessRun::Result::outOfFieldAttempted);
        EXPECT_FALSE(goalsFromModel(program("ALGORITHM BEGIN\nSTEP", lang), lang, {QSize(4, 4)}, false,
                                    failedField, failure));
        EXPECT_EQ(failedField, 0);
        EXPECT_EQ(failure.result, HeadlessRun::Result::CheckFailed);
    }
}

TEST(GradingEngine, EveryKindOfPupilGetsItsVerdictInEachLanguage)
{
    using R = HeadlessRun::Result;
    struct Expect {
        R result = R::End;
        int missing = 0, extra = 0, colourDiffers = 0;
        bool sameEnd = true, headingDiffers = false;
    };
    struct Pupil {
        const char *name;
        const char *text;
        Expect field;   // alike on both fields
        QList<RuleBreak> rules;
    };
    using K = RuleBreak::Kind;
    const Pupil pupils[] = {
        {"right, with a comment and a blank line",
         "* my stairs\nALGORITHM BEGIN\n\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\n"
         "ALGORITHM END",
         {},
         {}},
        {"one segment missing",
         "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 1 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\nALGORITHM END",
         {R::End, 1, 0, 0, false, true},
         {}},
        {"one segment extra",
         "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 3 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\nALGORITHM END",
         {R::End, 0, 1, 0, false, true},
         {}},
        {"the wrong colour",
         "ALGORITHM BEGIN\nCOLOR BLUE\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\nALGORITHM END",
         {R::End, 0, 0, 2, true, false},
         {}},
        {"facing elsewhere at the end",
         "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\nROTATE "
         "45\nALGORITHM END",
         {R::End, 0, 0, 0, true, true},
         {{K::TooManyLines, TaskConstruct::CountedLoop, 8, 7, 0}}},
        {"the same drawing without the loop it must use",
         "ALGORITHM BEGIN\nCOLOR RED\nSTEP\nROTATE 90\nSTEP\nROTATE 90\nALGORITHM END",
         {},
         {{K::Missing, TaskConstruct::CountedLoop, 0, 0, 0}}},
        {"a forbidden statement",
         "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF "
         "CYCLE\nDESTROY\nALGORITHM END",
         {},
         {{K::TooManyLines, TaskConstruct::CountedLoop, 8, 7, 0},
          {K::Forbidden, TaskConstruct::DestroyRebuild, 0, 0, 7}}},
        {"endless",
         "ALGORITHM BEGIN\nCYCLE. EXECUTE WHILE NOT LINE\nROTATE 90\nEND OF CYCLE\nALGORITHM END",
         {R::TickLimit},
         {{K::Missing, TaskConstruct::CountedLoop, 0, 0, 0}}},
        {"fails the check",
         "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTPE\nEND OF CYCLE\nALGORITHM END",
         {R::CheckFailed},
         {}},
        {"leaves the field",
         "ALGORITHM BEGIN\nCYCLE. EXECUTE 9 TIMES\nSTEP\nEND OF CYCLE\nALGORITHM END",
         {R::outOfFieldAttempted},
         {}},
    };
    // Why a run stopped is worded in the reader's Language whatever the program's keywords.
    QMap<std::pair<QString, Language>, QString> stopWords;
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        const Task task = modelTask(lang);
        ASSERT_EQ(task.fields.size(), 2);
        for (const Pupil &p : pupils) {
            SCOPED_TRACE(languageCode(lang).toStdString() + ": " + p.name);
            const TaskVerdict v = checkAgainstTask(task, program(p.text, lang), lang);
            ASSERT_EQ(v.fields.size(), 2);
            for (const FieldVerdict &f : v.fields) {
                EXPECT_EQ(f.drawing.result, p.field.result);
                if (p.field.result != R::End) {
                    for (Language reader : {Language::Rus, Language::Rom, Language::Eng}) {
                        const QString words = runFailureText(f.drawing, reader);
                        const auto first = stopWords.constFind({QString::fromUtf8(p.name), reader});
                        if (first == stopWords.constEnd())
                            stopWords.insert({QString::fromUtf8(p.name), reader}, words);
                        else
                            EXPECT_EQ(words, *first) << "read in " << languageCode(reader).toStdString();
                    }
                    EXPECT_FALSE(f.passed());
                    EXPECT_TRUE(f.drawing.line > 0 || p.field.result == R::TickLimit) << f.drawing.line;
                    continue;
                }
                EXPECT_EQ(f.comparison.missing.size(), p.field.missing);
                EXPECT_EQ(f.comparison.extra.size(), p.field.extra);
                EXPECT_EQ(f.comparison.colourDiffers.size(), p.field.colourDiffers);
                EXPECT_EQ(f.comparison.sameEnd(), p.field.sameEnd);
                EXPECT_EQ(f.headingDiffers, p.field.headingDiffers);
                const bool drawingRight = !p.field.missing && !p.field.extra && !p.field.colourDiffers &&
                                          p.field.sameEnd && !p.field.headingDiffers;
                EXPECT_EQ(f.passed(), drawingRight);
            }
            EXPECT_EQ(v.rules, p.rules);
            EXPECT_EQ(v.solved(), p.field.result == R::End && p.field.missing + p.field.extra == 0 &&
                                      !p.field.colourDiffers && p.field.sameEnd && !p.field.headingDiffers &&
                                      p.rules.isEmpty());
        }
    }
}

TEST(GradingEngine, WithoutAnEndPositionOnlyTheDrawingCounts)
{
    Task task = modelTask(Language::Eng);
    for (TaskField &f : task.fields) f.end.reset();
    const TaskVerdict v = checkAgainstTask(
        task,
        program(
            "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\nROTATE 45\n"
            "ALGORITHM END",
            Language::Eng),
        Language::Eng);
    for (const FieldVerdict &f : v.fields) EXPECT_TRUE(f.passed());
    EXPECT_FALSE(v.solved());   // eight lines where seven are allowed
    EXPECT_EQ(statementLineCount(program(kModel, Language::Rus), Language::Rus), 7);
}
