// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CompareMode.h"
#include "run/Grading.h"
#include "run/TaskFile.h"
#include "common/RunTrakmil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QXmlStreamReader>
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

namespace {

// A table cell of the class report: its class, its text (a line per <br/>) and its pictures.
struct Cell {
    QString cls, text;
    QStringList pictures;
};

// The report's rows by file, in their order, and the goal pictures its style embeds.
struct ReportPage {
    QStringList files;
    QMap<QString, QString> rowClass;
    QMap<QString, QList<Cell>> cells;
    QStringList goals;
    QString heading;
};

ReportPage readReport(const QString &html)
{
    ReportPage page;
    QXmlStreamReader xml(html);
    QString row;
    Cell *cell = nullptr;
    bool inHeading = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters() && cell) cell->text += xml.text();
        if (xml.isCharacters() && inHeading) page.heading += xml.text();
        if (xml.isEndElement() && xml.name() == u("td")) cell = nullptr;
        if (xml.isEndElement() && xml.name() == u("h1")) inHeading = false;
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes at = xml.attributes();
        if (xml.name() == u("h1")) inHeading = true;
        if (xml.name() == u("style")) {
            const QString css = xml.readElementText();
            for (qsizetype from = css.indexOf(u("url(")); from >= 0; from = css.indexOf(u("url("), from + 4))
                page.goals << css.mid(from + 4, css.indexOf(QLatin1Char(')'), from) - from - 4);
        }
        if (xml.name() == u("tr") && at.hasAttribute(u("data-file"))) {
            row = at.value(u("data-file")).toString();
            page.files << row;
            page.rowClass[row] = at.value(u("class")).toString();
        }
        if (xml.name() == u("td")) {
            page.cells[row].append(Cell {at.value(u("class")).toString(), {}, {}});
            cell = &page.cells[row].last();
        }
        if (xml.name() == u("br") && cell) cell->text += QLatin1Char('\n');
        if (xml.name() == u("img") && cell) cell->pictures << at.value(u("src")).toString();
        if (xml.name() == u("details")) xml.skipCurrentElement();   // the program text
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
    return page;
}

QImage embedded(const QString &dataUri)
{
    QImage img;
    if (dataUri.startsWith(u("data:image/png;base64,")))
        img.loadFromData(QByteArray::fromBase64(dataUri.mid(22).toLatin1()), "PNG");
    return img;
}

// To the border and no further: four segments on a field 4 wide, six on one 6 wide.
const char kToTheBorder[] =
    "ALGORITHM BEGIN\nCOLOR=RED\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\nEND OF CYCLE\n"
    "ALGORITHM END";

}   // namespace

TEST(TaskCommandLine, TheClassReportAndDiffPicturesShowEachFieldAndRule)
{
    QTemporaryDir dir;
    int failed = -1;
    FieldDrawing failure;
    Task task;
    task.title = u("Stairs <1> & co");
    task.text = u("Draw a line.\n\nTo the border.");
    task.rules.forbidden = {TaskConstruct::Jump};
    const auto goals = goalsFromModel(lines(kToTheBorder), Language::Eng, {QSize(4, 4), QSize(6, 3)}, false,
                                      failed, failure);
    ASSERT_TRUE(goals);
    task.fields = *goals;
    ASSERT_EQ(task.fields[0].goal.size(), 4);
    ASSERT_EQ(task.fields[1].goal.size(), 6);
    QString error;
    const QString taskFile = dir.filePath(u("line.tkt"));
    ASSERT_TRUE(saveTaskFile(taskFile, task, &error, Language::Eng)) << error.toStdString();

    const QString right = writeProgram(dir, u("right.tkm"), lines(kToTheBorder));
    // Four steps: right on the narrow field, two short on the wide one.
    const QString shortOne = writeProgram(
        dir, u("short.tkm"), lines("ALGORITHM BEGIN\nCOLOR=RED\nSTEP\nSTEP\nSTEP\nSTEP\nALGORITHM END"));
    // Draws the goal, then turns back and jumps, which the task forbids.
    const QString jumper =
        writeProgram(dir, u("jumper.tkm"),
                     lines("ALGORITHM BEGIN\nCOLOR=RED\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\n"
                           "END OF CYCLE\nROTATE 90\nROTATE 90\nJUMP\nALGORITHM END"));

    struct Words {
        Language lang;
        const char *title, *summary, *solved, *notSolved, *right, *wrong, *missing, *kept, *forbidden;
    };
    const Words languages[] = {
        {Language::Eng, "Class report: Stairs <1> & co", "Pupils: 3. Solved: 1, not solved: 2, not read: 0.",
         "solved", "not solved", "right", "not yet", "Segments that are missing: 2 (dashed)", "all kept",
         "The task does not allow the command JUMP (line 8)."},
        {Language::Rus, "Проверка класса: Stairs <1> & co",
         "Учеников: 3. Решили: 1, не решили: 2, не прочитаны: 0.", "решено", "не решено", "верно",
         "пока не так", "Не хватает отрезков: 2 (пунктир)", "все выполнены",
         "Задание не разрешает: команда JUMP (строка 8)."},
    };
    for (const Words &w : languages) {
        SCOPED_TRACE(languageCode(w.lang).toStdString());
        CompareMode::Options o;
        o.model = taskFile;
        o.pupils = {right, shortOne, jumper};
        o.reportPath = dir.filePath(u("class.html"));
        o.interfaceLanguage = w.lang;
        const CompareMode::Grading g = CompareMode::grade(o);
        EXPECT_EQ(g.exitCode, 1);
        QFile f(o.reportPath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        EXPECT_FALSE(html.contains(u("<script"))) << "no script";
        const ReportPage page = readReport(html);
        EXPECT_EQ(page.heading, u(w.title));
        EXPECT_TRUE(html.contains(u(w.summary)));
        EXPECT_EQ(page.files, (QStringList {shortOne, jumper, right}));   // what needs the teacher first

        // File, verdict, field 1, field 2, rules.
        auto row = [&](const QString &file) {
            QStringList r;
            for (const Cell &c : page.cells.value(file)) r << c.cls + u(": ") + c.text;
            return r;
        };
        const QString field1 = u("field right: ") + u(w.right), kept = u("rules kept: ") + u(w.kept);
        EXPECT_EQ(row(right).mid(1), (QStringList {u("verdict: ") + u(w.solved), field1,
                                                   u("field right: ") + u(w.right), kept}));
        EXPECT_EQ(row(shortOne).mid(1),
                  (QStringList {u("verdict: ") + u(w.notSolved), field1,
                                u("field wrong: ") + u(w.wrong) + u("\n") + u(w.missing), kept}));
        EXPECT_EQ(row(jumper).mid(1),
                  (QStringList {u("verdict: ") + u(w.notSolved), field1, u("field right: ") + u(w.right),
                                u("rules broken: ") + u(w.forbidden)}));

        // Each field's goal once, the short pupil's drawing and differences on the field it failed.
        ASSERT_EQ(page.goals.size(), 2);
        const QImage goal1 = embedded(page.goals[0]), goal2 = embedded(page.goals[1]);
        ASSERT_FALSE(goal1.isNull());
        EXPECT_NE(goal1, goal2);
        const QStringList failedPictures = page.cells.value(shortOne).value(3).pictures;
        ASSERT_EQ(failedPictures.size(), 2);
        const QImage drawn = embedded(failedPictures[0]), diff = embedded(failedPictures[1]);
        EXPECT_FALSE(drawn.isNull());
        EXPECT_GT(diff.height(), drawn.height()) << "the difference picture has its legend";
        EXPECT_NE(drawn, goal2);
        for (const QString &file : {right, jumper})
            for (const Cell &c : page.cells.value(file))
                EXPECT_TRUE(c.pictures.isEmpty()) << c.cls.toStdString();
    }

    // Through the executable: the verdict lines stay as they were, a difference picture per
    // failing field, the exit codes of the model's form.
    const QString diffDir = dir.filePath(u("diff"));
    ProcessOutcome p = runTrakmil({u("--compare"), taskFile, right, shortOne, jumper, u("--diff"), diffDir,
                                   u("--report"), dir.filePath(u("cli.html"))});
    EXPECT_EQ(p.exitCode, 1) << p.err.toStdString();
    EXPECT_EQ(p.outLines(),
              (QStringList {right + u(": solved"), shortOne + u(": not solved"),
                            u("  field 2 (6x3): segments-missing=2 segments-extra=0 colour-differs=0 "
                              "end-position=same"),
                            jumper + u(": not solved"), u("  rule: jump is not allowed, line=8")}));
    EXPECT_EQ(QDir(diffDir).entryList(QDir::Files), QStringList {u("short.field2.png")});
    EXPECT_FALSE(QImage(QDir(diffDir).filePath(u("short.field2.png"))).isNull());
    EXPECT_TRUE(QFile::exists(dir.filePath(u("cli.html"))));
    p = runTrakmil({u("--compare"), taskFile, right, u("--report"), dir.filePath(u("cli.html"))});
    EXPECT_EQ(p.exitCode, 0) << p.err.toStdString();
    p = runTrakmil({u("--compare"), taskFile, right, dir.filePath(u("absent.tkm")), u("--report"),
                    dir.filePath(u("cli.html"))});
    EXPECT_EQ(p.exitCode, 2);
    EXPECT_TRUE(p.err.contains(u("cannot read"))) << p.err.toStdString();
    QFile written(dir.filePath(u("cli.html")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const ReportPage page = readReport(QString::fromUtf8(written.readAll()));
    EXPECT_EQ(page.rowClass.value(dir.filePath(u("absent.tkm"))), u("unreadable"));
}
