// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TaskFile.h"
#include "common/RunTrakmil.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }
QStringList lines(const char *text) { return u(text).split(QLatin1Char('\n')); }

const char kModel[] = "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\n"
                      "ALGORITHM END";

}   // namespace

TEST(TaskCommandLine, ATeacherMakesATaskAndGradesAClassWithIt)
{
    QTemporaryDir dir;
    const QString model = writeProgram(dir, u("model.tkm"), lines(kModel));
    const QString start = writeProgram(dir, u("start.tkm"), lines("ALGORITHM BEGIN\nALGORITHM END"));
    QFile textFile(dir.filePath(u("text.txt")));
    ASSERT_TRUE(textFile.open(QIODevice::WriteOnly));
    textFile.write(u("Нарисуй ступеньку.\r\n\r\nDesenează o treaptă.\r\n").toUtf8());
    textFile.close();
    const QString task = dir.filePath(u("stairs.tkt"));

    ProcessOutcome p = runTrakmil({u("--make-task"), model, u("-o"), task, u("--title"), u("Ступенька"),
                                   u("--text-file"), textFile.fileName(), u("--fields"), u("4x4,6x3"),
                                   u("--end-position"), u("--max-lines"), u("7"), u("--require"), u("loop"),
                                   u("--forbid"), u("jump,destroy"), u("--start"), start});
    ASSERT_EQ(p.exitCode, 0) << p.err.toStdString();
    EXPECT_EQ(p.outLines(), QStringList({u("field 1 (4x4): 2 segments"), u("field 2 (6x3): 2 segments")}));
    QString error;
    const std::optional<Task> made = loadTaskFile(task, &error, Language::Eng);
    ASSERT_TRUE(made) << error.toStdString();
    EXPECT_EQ(made->title, u("Ступенька"));
    EXPECT_EQ(made->text, u("Нарисуй ступеньку.\n\nDesenează o treaptă."));
    ASSERT_EQ(made->fields.size(), 2);
    EXPECT_EQ(made->fields[1].end, (TaskGoalEnd {1, 1, 4}));
    EXPECT_EQ(made->rules.maxStatementLines, 7);
    EXPECT_EQ(made->rules.required, QList<TaskConstruct> {TaskConstruct::CountedLoop});
    EXPECT_EQ(made->rules.forbidden,
              (QList<TaskConstruct> {TaskConstruct::Jump, TaskConstruct::DestroyRebuild}));
    ASSERT_TRUE(made->start);
    EXPECT_EQ(made->start->size(), 2);
    QFile written(task);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_FALSE(written.readAll().contains("CYCLE")) << "the model program must not be in the task";

    // Grading against it: one right, one drawing right without its loop, one not ending, and a
    // Romanian pupil graded in its own keywords.
    const QString right = writeProgram(dir, u("right.tkm"), lines(kModel));
    const QString unrolled = writeProgram(
        dir, u("unrolled.tkm"),
        lines("ALGORITHM BEGIN\nCOLOR RED\nSTEP\nROTATE 90\nSTEP\nROTATE 90\nJUMP\nALGORITHM END"));
    const QString endless = writeProgram(dir, u("endless.tkm"),
                                         lines("ALGORITHM BEGIN\nCYCLE. EXECUTE 3 TIMES\nEND OF "
                                               "CYCLE\nCYCLE. EXECUTE WHILE NOT LINE\nROTATE 90\n"
                                               "END OF CYCLE\nALGORITHM END"));
    const QString romanian = writeProgram(
        dir, u("romanian.tkm"),
        lines("INCEPUT DE ALGORITM\nCULOARE ROSU\nCICLU. EXECUTA 2 ORI\nPAS\nROTIRE 90\nSFIRSIT CICLU\n"
              "SFIRSIT DE ALGORITM"));
    p = runTrakmil({u("--compare"), task, right, unrolled, endless, romanian});
    EXPECT_EQ(p.exitCode, 1) << p.err.toStdString();
    EXPECT_EQ(p.outLines(),
              QStringList({right + u(": solved"), unrolled + u(": not solved"),
                           u("  field 1 (4x4): segments-missing=0 segments-extra=0 colour-differs=0 "
                             "end-position=differs"),
                           u("  field 2 (6x3): segments-missing=0 segments-extra=0 colour-differs=0 "
                             "end-position=differs"),
                           u("  rule: 8 statement lines, at most 7 allowed"), u("  rule: loop is required"),
                           u("  rule: jump is not allowed, line=7"), endless + u(": not solved"),
                           u("  field 1 (4x4): tick-limit"), u("  field 2 (6x3): tick-limit"),
                           romanian + u(": solved")}));
    p = runTrakmil({u("--compare"), task, right, romanian});
    EXPECT_EQ(p.exitCode, 0);
}

TEST(TaskCommandLine, AModelThatFailsOnAFieldOrABadRequestWritesNoTask)
{
    QTemporaryDir dir;
    const QString model = writeProgram(dir, u("model.tkm"), lines(kModel));
    const QString task = dir.filePath(u("t.tkt"));
    struct Case {
        QStringList args;
        int exitCode;
        const char *errPart;
    };
    const Case cases[] = {
        {{u("--make-task"), model, u("-o"), task, u("--title"), u("T"), u("--fields"), u("4x4,2x2,2x3")},
         0,
         ""},
        {{u("--make-task"),
          writeProgram(dir, u("far.tkm"), lines("ALGORITHM BEGIN\nSTEP\nSTEP\nSTEP\nALGORITHM END")), u("-o"),
          task, u("--title"), u("T"), u("--fields"), u("4x4,2x2")},
         1,
         "on field 2 (2x2): out-of-field"},
        {{u("--make-task"), writeProgram(dir, u("typo.tkm"), lines("ALGORITHM BEGIN\nSTPE\nALGORITHM END")),
          u("-o"), task, u("--title"), u("T")},
         1,
         "on field 1"},
        {{u("--make-task"), model, u("-o"), task}, 2, "--title"},
        {{u("--make-task"), model, u("--title"), u("T")}, 2, "-o TASK"},
        {{u("--make-task"), model, u("-o"), task, u("--title"), u("T"), u("--require"), u("goto")},
         2,
         "goto"},
        {{u("--make-task"), model, u("-o"), task, u("--title"), u("T"), u("--require"), u("jump"),
          u("--forbid"), u("jump")},
         2,
         "both required and forbidden"},
        {{u("--make-task"), model, u("-o"), task, u("--title"), u("T"), u("--fields"),
          u("4x4,4x4,4x4,4x4,4x4")},
         2,
         "1 to 4"},
        {{u("--make-task"), dir.filePath(u("missing.tkm")), u("-o"), task, u("--title"), u("T")},
         2,
         "cannot read"},
        {{u("--make-task"), model, u("-o"), dir.filePath(u("no/such/folder/t.tkt")), u("--title"), u("T")},
         2,
         "cannot write"},
    };
    bool first = true;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const QByteArray before = [&] {
            QFile f(task);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const ProcessOutcome p = runTrakmil(c.args);
        EXPECT_EQ(p.exitCode, c.exitCode) << p.err.toStdString();
        EXPECT_TRUE(p.err.contains(u(c.errPart))) << p.err.toStdString();
        QFile f(task);
        ASSERT_EQ(f.open(QIODevice::ReadOnly), true);
        if (first)
            EXPECT_FALSE(f.readAll().isEmpty());
        else
            EXPECT_EQ(f.readAll(), before) << "a refused request must leave the task file as it was";
        first = false;
    }

    // A task file that is no task is refused by --compare with the reader's reason.
    QFile bad(dir.filePath(u("bad.tkt")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\":\"trakmil-task\",\"version\":9}");
    bad.close();
    const ProcessOutcome p = runTrakmil({u("--compare"), bad.fileName(), model});
    EXPECT_EQ(p.exitCode, 2);
    EXPECT_TRUE(p.err.contains(u("version 9"))) << p.err.toStdString();
}
