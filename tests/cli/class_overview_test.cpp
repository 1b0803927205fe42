// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClassMode.h"
#include "cli/CompareMode.h"
#include "cli/ClassReport.h"
#include "base/TextCatalogue.h"
#include "run/Grading.h"
#include "run/HandIn.h"
#include "run/TaskFile.h"
#include "common/RunTrakmil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }
QStringList lines(const QString &text) { return text.split(QLatin1Char('\n')); }

StyledText styled(const QStringList &program)
{
    StyledText s;
    for (const QString &l : program) s.append({l, {}});
    return s;
}

const char kGoal[] =
    "ALGORITHM BEGIN\nCOLOR=RED\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\nEND OF CYCLE\nALGORITHM END";
const char kStart[] = "ALGORITHM BEGIN\nALGORITHM END";

// A program that solves the task, told apart from the others by `turns` full turns first.
QStringList solving(int turns)
{
    QString p = u("ALGORITHM BEGIN\n");
    for (int i = 0; i < turns; ++i) p += u("ROTATE 90\nROTATE 90\nROTATE 90\nROTATE 90\n");
    return lines(p + u("COLOR=RED\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\nEND OF CYCLE\nALGORITHM END"));
}

// Steps that fall short of the border, in another colour: never right.
QStringList shortOf(int steps, const char *colour = "BLUE")
{
    QString p = u("ALGORITHM BEGIN\nCOLOR=%1\n").arg(u(colour));
    for (int i = 0; i < steps; ++i) p += u("STEP\n");
    return lines(p + u("ALGORITHM END"));
}

struct Class {
    QTemporaryDir dir;
    QString folder, taskFile;
    Task task;

    Class()
    {
        folder = dir.filePath(u("hand-ins"));
        QDir().mkpath(folder);
        int failed = -1;
        FieldDrawing failure;
        task.title = u("To the border");
        task.fields = *goalsFromModel(lines(u(kGoal)), Language::Eng, {QSize(6, 3)}, false, failed, failure);
        task.start = styled(lines(u(kStart)));
        taskFile = dir.filePath(u("border.tkt"));
        QString error;
        EXPECT_TRUE(saveTaskFile(taskFile, task, &error, Language::Eng)) << error.toStdString();
    }

    void handIn(const QString &pupil, const QStringList &program, int minute = 0)
    {
        HandInRecord r;
        r.pupil = pupil;
        r.taskTitle = task.title;
        r.taskId = taskIdentifier(task);
        r.handedIn = QDateTime(QDate(2026, 12, 10), QTime(10, minute), QTimeZone::utc());
        r.runs = 3;
        r.checks = 2;
        r.taskChecks = 1;
        r.minutes = 25;
        QString written, error;
        ASSERT_TRUE(writeHandIn(folder, styled(program), {}, r, &written, &error, Language::Eng))
            << error.toStdString();
    }

    // 30 hand-ins of 29 pupils and a folder named like a program.
    void fill()
    {
        for (int i = 0; i < 14; ++i) handIn(u("Solver %1").arg(i, 2, 10, QLatin1Char('0')), solving(i));
        handIn(u("Unchanged 1"), lines(u(kStart)));
        handIn(u("Unchanged 2"), lines(u(kStart)));
        handIn(u("Unchanged 3"), lines(u("* my program\n\n  algorithm   begin\nALGORITHM END")));
        handIn(u("Unchanged 4"), lines(u(kStart)));
        handIn(u("Copy A"), shortOf(2));
        handIn(u("Copy B"), lines(u("* mine!\nalgorithm begin\n  color=blue\n step\nSTEP\n\nALGORITHM END")));
        handIn(u("Drawer A"), shortOf(3));
        handIn(
            u("Drawer B"),
            lines(
                u("ALGORITHM BEGIN\nCOLOR=BLUE\nCYCLE. EXECUTE 3 TIMES\nSTEP\nEND OF CYCLE\nALGORITHM END")));
        handIn(u("Twice"), shortOf(1), 30);
        handIn(u("Twice"), solving(20), 40);
        handIn(u("<b>Eve</b> & \"co\"</td>"), shortOf(4));
        const char *colours[] = {"GREEN", "NAVY", "TEAL", "OLIVE"};
        for (int i = 0; i < 4; ++i) handIn(u("Other %1").arg(i), shortOf(1, colours[i]));
        writeProgram(dir, u("hand-ins/Loose.tkm"), solving(15));
        QDir().mkpath(dir.filePath(u("hand-ins/x.tkm")));
    }

    ClassMode::Options options() const
    {
        ClassMode::Options o;
        o.folder = folder;
        o.task = taskFile;
        o.date = QDate(2026, 12, 10);
        return o;
    }
};

const ClassMode::Row *rowOf(const ClassMode::Overview &ov, const QString &pupil)
{
    for (const ClassMode::Row &r : ov.rows)
        if (r.pupil == pupil) return &r;
    return nullptr;
}

// Whether a strict HTML5 parser takes the page without a single error; empty when it does,
// else what it said. Nothing when no such parser is installed.
std::optional<QString> strictHtml5Errors(const QString &path)
{
    for (const QString &python : {u("python3"), u("/usr/bin/python3")}) {
        QProcess p;
        p.start(python, {u("-c"),
                         u("import sys, html5lib\n"
                           "p = html5lib.HTMLParser(strict=True)\n"
                           "try:\n"
                           "    p.parse(open(sys.argv[1], 'rb').read())\n"
                           "except Exception as e:\n"
                           "    print(repr(e), p.errors[:3]); sys.exit(1)\n"),
                         path});
        if (!p.waitForFinished(60000)) continue;
        if (p.exitStatus() != QProcess::NormalExit) continue;
        if (p.exitCode() == 0) return QString();
        const QString said = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        if (!said.contains(u("No module named"))) return said;
    }
    return std::nullopt;
}

}   // namespace

TEST(ClassOverview, GradesTheLatestHandInOfEachPupilAndFlagsStartsAndCopies)
{
    Class c;
    c.fill();
    const ClassMode::Overview ov = ClassMode::build(c.options());
    ASSERT_FALSE(ov.failed) << ov.problems.join(u("\n")).toStdString();
    ASSERT_EQ(ov.rows.size(), 30);   // 29 pupils and the folder
    EXPECT_EQ(ov.solved, 16);   // 14 solvers, Twice's latest and the file without a record
    EXPECT_EQ(ov.unchanged, 4);
    EXPECT_EQ(ov.copies, 2);
    EXPECT_EQ(ov.refused, 1);
    EXPECT_EQ(ClassMode::summaryText(ov, Language::Eng),
              u("16 of 29 solved; 4 did not hand in a change to the starting program; 2 handed in the same "
                "program as a classmate; 1 files could not be read."));

    const ClassMode::Row *twice = rowOf(ov, u("Twice"));
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->time.time(), QTime(10, 40)) << "the latest hand-in wins";
    ASSERT_TRUE(twice->grade);
    EXPECT_EQ(twice->grade->verdict, CompareMode::PupilGrade::Verdict::Same);
    const ClassMode::Row *loose = rowOf(ov, u("Loose"));
    ASSERT_TRUE(loose) << "a file without a record is its file name's pupil's";
    EXPECT_FALSE(loose->record);
    EXPECT_EQ(loose->grade->verdict, CompareMode::PupilGrade::Verdict::Same);
    const ClassMode::Row *folder = rowOf(ov, u("x"));
    ASSERT_TRUE(folder);
    EXPECT_FALSE(folder->refused.isEmpty());
    EXPECT_FALSE(folder->grade);

    for (int i = 1; i <= 4; ++i) {
        const ClassMode::Row *r = rowOf(ov, u("Unchanged %1").arg(i));
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->unchangedStart) << i;
        EXPECT_TRUE(r->sameProgramAs.isEmpty()) << "the given program is no copy of a classmate";
    }
    EXPECT_EQ(rowOf(ov, u("Copy A"))->sameProgramAs, QStringList {u("Copy B")});
    EXPECT_EQ(rowOf(ov, u("Copy B"))->sameProgramAs, QStringList {u("Copy A")});
    EXPECT_TRUE(rowOf(ov, u("Copy A"))->sameDrawingAs.isEmpty());
    EXPECT_EQ(rowOf(ov, u("Drawer A"))->sameDrawingAs, QStringList {u("Drawer B")});
    EXPECT_EQ(rowOf(ov, u("Drawer B"))->sameDrawingAs, QStringList {u("Drawer A")});
    EXPECT_TRUE(rowOf(ov, u("Drawer A"))->sameProgramAs.isEmpty());
    // Solved pupils all draw the goal: that is no sign.
    EXPECT_TRUE(rowOf(ov, u("Solver 00"))->sameDrawingAs.isEmpty());
    EXPECT_TRUE(rowOf(ov, u("Other 0"))->sameDrawingAs.isEmpty());

    ClassMode::Options all = c.options();
    all.all = true;
    const ClassMode::Overview every = ClassMode::build(all);
    EXPECT_EQ(every.rows.size(), 31);
    int twiceRows = 0;
    for (const ClassMode::Row &r : every.rows) twiceRows += r.pupil == u("Twice") ? 1 : 0;
    EXPECT_EQ(twiceRows, 2);
    EXPECT_EQ(every.solved, 16);

    // Without a task or a model: who handed in what, with no verdict.
    ClassMode::Options bare = c.options();
    bare.task.clear();
    const ClassMode::Overview who = ClassMode::build(bare);
    EXPECT_EQ(who.rows.size(), 30);
    EXPECT_FALSE(who.task);
    EXPECT_FALSE(rowOf(who, u("Twice"))->grade);
    EXPECT_EQ(rowOf(who, u("Copy A"))->sameProgramAs, QStringList {u("Copy B")});
    EXPECT_EQ(ClassMode::summaryText(who, Language::Eng),
              u("Hand-ins: 29; 6 handed in the same program as a classmate; 1 files could not be read."))
        << "without the task the given program is the same program as another's";

    // Against a model the teacher left among the hand-ins: it is no pupil's.
    ClassMode::Options against = bare;
    against.model = writeProgram(c.dir, u("hand-ins/model.tkm"), lines(u(kGoal)));
    const ClassMode::Overview graded = ClassMode::build(against);
    EXPECT_EQ(graded.rows.size(), 30);
    EXPECT_FALSE(rowOf(graded, u("model")));
    EXPECT_TRUE(graded.model);
    EXPECT_EQ(rowOf(graded, u("Twice"))->grade->verdict, CompareMode::PupilGrade::Verdict::Same);
}

TEST(ClassOverview, AFlagSharedByACrowdNamesFiveAndCountsTheRest)
{
    Class c;
    // Nine hand in one program; nine draw one green step by eight programs, one of them twice.
    for (int i = 0; i < 9; ++i) c.handIn(u("Crowd %1").arg(i), shortOf(2, "RED"));
    for (int k = 0; k < 8; ++k) {
        QString p = u("ALGORITHM BEGIN\nCOLOR=GREEN\n");
        for (int t = 0; t < k; ++t) p += u("ROTATE 90\nROTATE 90\nROTATE 90\nROTATE 90\n");
        c.handIn(u("Turner %1").arg(k), lines(p + u("STEP\nALGORITHM END")));
        if (k == 0) c.handIn(u("Turner 0 twin"), lines(p + u("STEP\nALGORITHM END")));
    }
    const ClassMode::Overview ov = ClassMode::build(c.options());
    ASSERT_FALSE(ov.failed);
    EXPECT_EQ(ov.copies, 11);
    const ClassMode::Row *crowd = rowOf(ov, u("Crowd 8"));
    ASSERT_TRUE(crowd);
    EXPECT_EQ(crowd->sameProgramCount, 8);
    EXPECT_EQ(crowd->sameProgramAs,
              (QStringList {u("Crowd 0"), u("Crowd 1"), u("Crowd 2"), u("Crowd 3"), u("Crowd 4")}));
    EXPECT_EQ(rowOf(ov, u("Crowd 2"))->sameProgramAs,
              (QStringList {u("Crowd 0"), u("Crowd 1"), u("Crowd 3"), u("Crowd 4"), u("Crowd 5")}));
    // Of the same drawing, classmates with another program: not the twin of the same one.
    const ClassMode::Row *first = rowOf(ov, u("Turner 0"));
    EXPECT_EQ(first->sameProgramAs, QStringList {u("Turner 0 twin")});
    EXPECT_EQ(first->sameDrawingCount, 7);
    EXPECT_EQ(first->sameDrawingAs,
              (QStringList {u("Turner 1"), u("Turner 2"), u("Turner 3"), u("Turner 4"), u("Turner 5")}));
    const ClassMode::Row *second = rowOf(ov, u("Turner 1"));
    EXPECT_EQ(second->sameDrawingCount, 8);
    EXPECT_EQ(second->sameDrawingAs,
              (QStringList {u("Turner 0"), u("Turner 0 twin"), u("Turner 2"), u("Turner 3"), u("Turner 4")}));
    EXPECT_TRUE(second->sameProgramAs.isEmpty());

    const QString said = uiText("class.flagSameProgram", Language::Eng)
                             .value_or(QString())
                             .arg(uiText("class.andOthers", Language::Eng)
                                      .value_or(QString())
                                      .arg(u("Crowd 0, Crowd 1, Crowd 2, Crowd 3, Crowd 4"))
                                      .arg(3));
    EXPECT_TRUE(ClassMode::overviewHtml(ov, Language::Eng).contains(said));
    EXPECT_TRUE(QString::fromUtf8(ClassMode::overviewCsv(ov, Language::Eng)).contains(said));
}

TEST(ClassOverview, ThePageAndTheTableNameEveryPupilSafely)
{
    Class c;
    c.fill();
    const QString html = c.dir.filePath(u("class.html"));
    const QString csv = c.dir.filePath(u("class.csv"));
    const ProcessOutcome p = runTrakmil({u("--class"), c.folder, u("--task"), c.taskFile, u("--report"), html,
                                         u("--csv"), csv, u("--language"), u("eng")});
    ASSERT_EQ(p.exitCode, 0) << p.err.toStdString();
    EXPECT_TRUE(p.out.startsWith(u("16 of 29 solved;"))) << p.out.toStdString();

    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    EXPECT_FALSE(text.contains(u("<b>Eve</b>")));
    EXPECT_TRUE(text.contains(u("&lt;b&gt;Eve&lt;/b&gt; &amp; &quot;co&quot;&lt;/td&gt;")));
    for (int i = 0; i < 14; ++i) EXPECT_TRUE(text.contains(u(">Solver %1<").arg(i, 2, 10, QLatin1Char('0'))));
    for (const char *name : {"Unchanged 3", "Copy B", "Drawer A", "Twice", "Loose", "Other 2"})
        EXPECT_TRUE(text.contains(u(">%1<").arg(u(name)))) << name;
    EXPECT_TRUE(text.contains(u("same program as Copy B")));
    EXPECT_TRUE(text.contains(u("same drawing, other program: Drawer B")));
    EXPECT_TRUE(text.contains(u("@media print")));
    // Self-contained: nothing to fetch, nothing to run.
    EXPECT_FALSE(text.contains(QRegularExpression(u("<script|src=\"http|url\\(http"))));
    if (const std::optional<QString> errors = strictHtml5Errors(html)) {
        EXPECT_TRUE(errors->isEmpty()) << errors->toStdString();
    }

    QFile table(csv);
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const QByteArray bytes = table.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(bytes.mid(3)).split(u("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 31);
    EXPECT_EQ(rows[0], u("\"Pupil\",\"File\",\"Verdict\",\"Field 1 (6 × 3)\",\"Rules\",\"Runs\",\"Checks\","
                         "\"Check task\",\"Minutes\",\"Handed in\",\"Notes\""));
    EXPECT_EQ(rows.filter(u("\"<b>Eve</b> & \"\"co\"\"</td>\",")).size(), 1);
    const QString copy = rows.filter(u("\"Copy A\"")).value(0);
    EXPECT_TRUE(copy.startsWith(u("\"Copy A\",\"Copy A - To the border - "))) << copy.toStdString();
    EXPECT_TRUE(copy.contains(u(",\"not solved\",\"not yet\",\"all kept\",\"3\",\"2\",\"1\",\"25\",")));
    EXPECT_TRUE(copy.endsWith(u(",\"same program as Copy B\"")));
    EXPECT_TRUE(
        rows.filter(u("\"Loose\",\"Loose.tkm\",\"solved\",\"right\",\"all kept\",\"\",\"\",\"\",\"\","))
            .size() == 1);
    EXPECT_EQ(rows.filter(u("\"x\",\"x.tkm\",\"not read\"")).size(), 1);
}

TEST(ClassOverview, ATableCellNeverRunsAsAFormulaAndBadRequestsAreRefused)
{
    Class c;
    for (const char *name : {"=HYPERLINK(\"http://x\")", "+1", "-2", "@SUM(A1)"})
        c.handIn(u(name), shortOf(1));
    // Refused with the reason in its row: a file far larger than any program.
    QFile big(c.dir.filePath(u("hand-ins/Big.tkm")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(16 * 1024 * 1024, 'A'));
    big.close();
    ClassMode::Options o = c.options();
    const ClassMode::Overview ov = ClassMode::build(o);
    ASSERT_EQ(ov.rows.size(), 5);
    EXPECT_FALSE(rowOf(ov, u("Big"))->refused.isEmpty());
    const QByteArray csv = ClassMode::overviewCsv(ov, Language::Eng);
    for (const char *cell : {"\"'=HYPERLINK(\"\"http://x\"\")\"", "\"'+1\"", "\"'-2\"", "\"'@SUM(A1)\""})
        EXPECT_TRUE(csv.contains(cell)) << cell;

    EXPECT_EQ(runTrakmil({u("--class"), c.folder, u("--task"), c.taskFile, u("--model"), c.taskFile,
                          u("--report"), c.dir.filePath(u("a.html"))})
                  .exitCode,
              2);
    EXPECT_EQ(runTrakmil({u("--class"), c.folder}).exitCode, 2) << "nothing to write";
    const ProcessOutcome help = runTrakmil({u("--class"), u("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u("Usage: trakmil --class FOLDER"))) << help.out.toStdString();
    const ProcessOutcome missing =
        runTrakmil({u("--class"), c.dir.filePath(u("none")), u("--report"), c.dir.filePath(u("a.html"))});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(u("is not a folder")));
    EXPECT_FALSE(QFile::exists(c.dir.filePath(u("a.html"))));
}

TEST(ClassOverview, TheCompareReportParsesTellsSameNamesApartAndPicturesEveryDifference)
{
    QTemporaryDir dir;
    const QString model =
        writeProgram(dir, u("model.tkm"),
                     lines(u("НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ\nШАГ\n"
                             "КОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА")));
    QDir().mkpath(dir.filePath(u("a")));
    QDir().mkpath(dir.filePath(u("b")));
    QDir().mkpath(dir.filePath(u("c/folder.tkm")));
    // Garbage with control characters, and a program that stops on a check error: both differ.
    QFile garbage(dir.filePath(u("a/same.tkm")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(u("НАЧАЛО АЛГОРИТМА\r\n\x01\x02ШАГ\x07\x1b[0m\r\n\x0b\x0c\r\nКОНЕЦ АЛГОРИТМА").toUtf8());
    garbage.close();
    const QString stops = writeProgram(dir, u("b/same.tkm"),
                                       lines(u("НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nШГА\nКОНЕЦ АЛГОРИТМА")));
    const QString html = dir.filePath(u("report.html"));
    const QString diff = dir.filePath(u("diff"));
    const ProcessOutcome p = runTrakmil({u("--compare"), model, garbage.fileName(), stops,
                                         dir.filePath(u("c/folder.tkm")), u("--field"), u("6x3"),
                                         u("--report"), html, u("--diff"), diff, u("--language"), u("rus")});
    EXPECT_EQ(p.exitCode, 2) << p.err.toStdString();   // the folder cannot be read

    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    for (const QChar ch : text)
        EXPECT_FALSE(ch.unicode() < 0x20 && ch != QLatin1Char('\n'))
            << "control character " << int(ch.unicode());
    EXPECT_TRUE(text.contains(u("a/same.tkm")));
    EXPECT_TRUE(text.contains(u("b/same.tkm")));
    EXPECT_TRUE(text.contains(u("<div class=\"model\" role=\"img\" aria-label=\"Образец\"")));
    StyledText none;
    QString why;
    ASSERT_FALSE(loadProgramFile(dir.filePath(u("c/folder.tkm")), none, &why, Language::Rus));
    EXPECT_TRUE(text.contains(why.toHtmlEscaped())) << "the reason in the report's Language";
    if (const std::optional<QString> errors = strictHtml5Errors(html)) {
        EXPECT_TRUE(errors->isEmpty()) << errors->toStdString();
    }
    // Each differing row shows a difference picture, and --diff holds each.
    EXPECT_EQ(text.count(u("<td class=\"diff\"><img")), 2);
    EXPECT_EQ(QDir(diff).entryList(QDir::Files).size(), 2);
    // On paper every program, the model's too, is printed unfolded.
    EXPECT_EQ(text.count(u("<pre class=\"print\">")), 3) << "the model and the two programs read";
}

namespace {

// Every file under a folder, by its path from there, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) files.insert(root.relativeFilePath(f.fileName()), f.readAll());
    }
    return files;
}

// What one grading of the class prints, returns and writes, on `threads` threads.
QStringList gradedOn(const char *threads, Class &c, const QString &model, const QString &out)
{
    qputenv("TRAKMIL_THREADS", threads);
    QDir(out).removeRecursively();
    QDir().mkpath(out + u("/model-diff"));
    QDir().mkpath(out + u("/task-diff"));
    QStringList said;
    QStringList pupils;
    for (const QString &name : QDir(c.folder).entryList({u("*.tkm")}, QDir::Files, QDir::Name))
        pupils << QDir(c.folder).filePath(name);
    pupils << c.dir.filePath(u("absent.tkm")) << c.dir.filePath(u("one/twin.tkm"))
           << c.dir.filePath(u("two/twin.tkm"));
    for (const QString &against : {model, c.taskFile}) {
        CompareMode::Options o;
        o.model = against;
        o.pupils = pupils;
        o.fieldWidth = 6;
        o.fieldHeight = 3;
        o.maxTicks = 2000;
        o.interfaceLanguage = Language::Rus;
        const QString kind = against == model ? u("model") : u("task");
        o.reportPath = out + u("/%1.html").arg(kind);
        o.diffDir = out + u("/%1-diff").arg(kind);
        const CompareMode::Grading g = CompareMode::grade(o);
        said << g.lines << g.notes << g.problems << QString::number(g.exitCode);
    }
    ClassMode::Options o = c.options();
    o.interfaceLanguage = Language::Rom;
    const ClassMode::Overview ov = ClassMode::build(o);
    said << ov.problems << ClassMode::summaryText(ov, o.interfaceLanguage)
         << ClassMode::overviewHtml(ov, o.interfaceLanguage)
         << QString::fromLatin1(ClassMode::overviewCsv(ov, o.interfaceLanguage).toBase64());
    for (const auto &[name, bytes] : filesUnder(out).asKeyValueRange())
        said << name << QString::fromLatin1(bytes.toBase64());
    return said;
}

}   // namespace

TEST(ClassOverview, CheckAndRunErrorsAreWordedInThePagesLanguageNotTheProgramsKeywords)
{
    Class c;
    // A check error and a run off the field, in Russian keywords and in English ones.
    c.handIn(u("Ivan"), lines(u("НАЧАЛО АЛГОРИТМА\nШАГ\nШАК\nКОНЕЦ АЛГОРИТМА")));
    c.handIn(u("Olga"), lines(u("НАЧАЛО АЛГОРИТМА\nШАГ\nШАГ\nШАГ\nШАГ\nШАГ\nШАГ\nШАГ\nКОНЕЦ АЛГОРИТМА")));
    c.handIn(u("John"), lines(u("ALGORITHM BEGIN\nSTEP\nSTPE\nALGORITHM END")));
    c.handIn(u("Mary"), lines(u("ALGORITHM BEGIN\nSTEP\nSTEP\nSTEP\nSTEP\nSTEP\nSTEP\nSTEP\nALGORITHM END")));
    const auto said = [](const char *key, Language lang) {
        return uiText(QByteArray("message.") + key, lang).value_or(QString()).toHtmlEscaped();
    };
    ClassMode::Options byModel = c.options();
    byModel.task.clear();
    byModel.model = writeProgram(c.dir, u("model.tkm"), lines(u(kGoal)));
    byModel.fieldWidth = 6;
    byModel.fieldHeight = 3;
    for (const ClassMode::Options &o : {c.options(), byModel}) {
        for (const Language page : {Language::Eng, Language::Rus}) {
            ClassMode::Options in = o;
            in.interfaceLanguage = page;
            const ClassMode::Overview ov = ClassMode::build(in);
            ASSERT_FALSE(ov.failed) << ov.problems.join(u("\n")).toStdString();
            const QString html = ClassMode::overviewHtml(ov, page);
            const Language other = page == Language::Eng ? Language::Rus : Language::Eng;
            const std::string where = o.task.isEmpty() ? "against a model" : "against a task";
            for (const char *key : {"heading.structureError", "unknownCommand", "heading.robotError",
                                    "outOfField", "editCode"}) {
                EXPECT_EQ(html.count(said(key, page)), 2) << key << " " << where;
                EXPECT_FALSE(html.contains(said(key, other))) << key << " " << where;
            }
            // The pupil's own text is quoted as written.
            EXPECT_TRUE(html.contains(said("errorInLine", page) + u(" 3 (&quot;ШАК&quot;)"))) << where;
            EXPECT_TRUE(html.contains(said("errorInLine", page) + u(" 3 (&quot;STPE&quot;)"))) << where;
        }
    }
}

namespace {

// The sizes the style gives `what` (e.g. "S div.goal") on screen, enlarged (within Z) and in
// print: each as {width, height, then the further numbers of the rule}.
QList<QList<double>> sizesOf(const QString &css, const QString &what)
{
    QList<QList<double>> found;
    const qsizetype print = css.indexOf(u("@media print{"));
    for (const QString &sel :
         {what, what.section(QLatin1Char(' '), 0, 0) + u(" Z ") + what.section(QLatin1Char(' '), 1)}) {
        for (qsizetype from : {qsizetype(0), print}) {
            const qsizetype at = css.indexOf(sel + QLatin1Char('{'), from);
            if (at < 0 || (from == 0 && at > print)) continue;
            const QString rule = css.mid(at, css.indexOf(QLatin1Char('}'), at) - at);
            QList<double> numbers;
            const QRegularExpression px(u("(-?[0-9.]+)px"));
            for (auto m = px.globalMatch(rule); m.hasNext();) numbers << m.next().captured(1).toDouble();
            found << numbers;
        }
    }
    return found;
}

}   // namespace

TEST(ClassOverview, OneThreadOrFourPrintAndWriteTheSameBytes)
{
    Class c;
    c.fill();
    // More pupils than one batch of four threads holds, some of them alike.
    for (int i = 0; i < 30; ++i)
        c.handIn(u("Late %1").arg(i, 2, 10, QLatin1Char('0')), i % 3 == 0 ? shortOf(i % 5) : solving(i % 4));
    // Two files of one name: their pictures are told apart by the order they were given in.
    QDir().mkpath(c.dir.filePath(u("one")));
    QDir().mkpath(c.dir.filePath(u("two")));
    writeProgram(c.dir, u("one/twin.tkm"), shortOf(2, "RED"));
    writeProgram(c.dir, u("two/twin.tkm"), shortOf(3, "RED"));
    const QString model = writeProgram(c.dir, u("model.tkm"), lines(u(kGoal)));
    const QStringList one = gradedOn("1", c, model, c.dir.filePath(u("out")));
    const QStringList four = gradedOn("4", c, model, c.dir.filePath(u("out")));
    qunsetenv("TRAKMIL_THREADS");
    ASSERT_EQ(one.size(), four.size());
    for (qsizetype i = 0; i < one.size(); ++i) EXPECT_EQ(one[i], four[i]) << "item " << i;
    // The grading did happen: verdicts of every kind, pictures in both folders.
    EXPECT_TRUE(one.contains(u("model-diff/twin.png")) && one.contains(u("model-diff/twin-2.png")));
    EXPECT_TRUE(one.contains(u("task-diff/twin.field1.png")) &&
                one.contains(u("task-diff/twin-2.field1.png")));
    EXPECT_GT(one.filter(u("task-diff/")).size(), 10);
    EXPECT_TRUE(one.contains(u("2")));
}

TEST(ClassOverview, PicturesFillTheirBoxAtAWholeFactorAndFitThePrintedPage)
{
    const double printWidth = ReportParts::printPictureWidth(2);
    EXPECT_LT(ReportParts::printPictureWidth(3), printWidth);
    EXPECT_GE(ReportParts::printPictureWidth(40), 80) << "never smaller than a reader can see";
    for (const QSize field : {QSize(2, 2), QSize(3, 3), QSize(5, 5), QSize(6, 3), QSize(8, 6), QSize(10, 8),
                              QSize(16, 6), QSize(16, 20)}) {
        const QString css = ReportParts::pictureStyle({u("S"), u("div.goal"), u("img.pupil"), u("img.diff")},
                                                      field, u("Z"), int(printWidth));
        const std::string name = QStringLiteral("%1x%2").arg(field.width()).arg(field.height()).toStdString();
        // {width, height, background width, background height}, on screen, in print, enlarged,
        // enlarged in print.
        const QList<QList<double>> goal = sizesOf(css, u("S div.goal"));
        ASSERT_EQ(goal.size(), 4) << name;
        const double w = goal[0][0], h = goal[0][1], scale = goal[0][2] / 358;
        EXPECT_LE(w, 179.01) << name;
        EXPECT_LE(h, 219.01) << name;
        if (scale >= 1) {
            EXPECT_EQ(scale, std::floor(scale)) << name << ": crisp pixels take a whole factor";
            EXPECT_TRUE(w / scale * (scale + 1) > 179 || h / scale * (scale + 1) > 219)
                << name << ": the largest whole factor that fits";
        } else {
            EXPECT_TRUE(w > 178.9 || h > 218.9) << name << ": shrunk to fill the box";
        }
        EXPECT_EQ(
            css.section(u("S div.goal{"), 1, 1).section(QLatin1Char('}'), 0, 0).contains(u("pixelated")),
            scale >= 2)
            << name;
        EXPECT_DOUBLE_EQ(goal[2][0], 2 * w) << name;
        EXPECT_LE(goal[1][0], printWidth + 0.01) << name;
        EXPECT_LE(goal[1][0], w + 0.01) << name;
        EXPECT_NEAR(goal[1][0] / goal[1][1], w / h, 0.01) << name;
        if (field == QSize(16, 20)) {
            EXPECT_EQ(w, 179) << "the largest field shows as it always did";
            EXPECT_EQ(h, 219);
        }
        // {width, height, clipped right, clipped below, ...}: each image shows what the goal shows,
        // the difference picture's legend too for the largest field.
        for (const char *image : {"S img.pupil", "S img.diff"}) {
            const QList<QList<double>> sizes = sizesOf(css, u(image));
            ASSERT_EQ(sizes.size(), 4) << name << image;
            for (int i = 0; i < 4; ++i) {
                EXPECT_NEAR(sizes[i][0] - sizes[i][2], goal[i][0], 0.01) << name << image << i;
                if (QByteArray(image).endsWith("pupil") || field != QSize(16, 20))
                    EXPECT_NEAR(sizes[i][1] - sizes[i][3], goal[i][1], 0.01) << name << image << i;
                else
                    EXPECT_EQ(sizes[i][3], 0) << image;
            }
        }
    }
}

TEST(ClassOverview, APicturesDataIsTheBase64ABrowserDecodes)
{
    // Every tail of one, two or three bytes, every byte value, and a picture-sized run.
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += char(b);
    QList<QByteArray> cases {QByteArray(), all, QByteArray(100000, '\xff')};
    for (int n = 1; n <= 7; ++n) cases << all.left(n) << all.right(n);
    for (const QByteArray &bytes : cases)
        EXPECT_EQ(ReportParts::dataUri(bytes),
                  u("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64()))
            << bytes.size() << " bytes";
}
