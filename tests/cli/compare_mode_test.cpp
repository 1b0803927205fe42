// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Grading a class against a model: verdicts, reports, exit codes and difference pictures.
#include "cli/CompareMode.h"
#include "common/Printers.h"
#include "common/RunTrakmil.h"
#include "world/FieldPicture.h"
#include "world/TraceRecorder.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

// Three red steps east, a turn and one more red step south; the robot ends at (3, 1).
const char *const kModel[] = {
    "ALGORITHM BEGIN", "COLOR=RED", "CYCLE. EXECUTE 3 TIMES", "STEP", "END OF CYCLE",
    "ROTATE 90",       "STEP",      "ALGORITHM END"};

class Grading : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString file(const QString &name, const QStringList &lines) { return writeProgram(dir, name, lines); }
    QString model()
    {
        QStringList l;
        for (const char *s : kModel) l << u(s);
        return file(QStringLiteral("model.tkm"), l);
    }
    CompareMode::Options options(const QStringList &pupils)
    {
        CompareMode::Options o;
        o.model = model();
        o.pupils = pupils;
        o.maxTicks = 10000;
        return o;
    }
};

}   // namespace

TEST_F(Grading, SameDrawingInAnotherLanguageAndAnotherWayIsTheSame)
{
    // Unrolled, drawn partly backwards, in Russian, with a comment and a jump there and back.
    const QString same =
        file(u("same.tkm"), {u("* мой рисунок"), u("НАЧАЛО АЛГОРИТМА"), u("ЦВЕТ=КРАСНЫЙ"), u("ПРЫЖОК"),
                             u("ПРЫЖОК"), u("ШАГ"), u("ПОВОРОТ 90"), u("ПОВОРОТ 90"), u("ШАГ"), u("ШАГ"),
                             u("шаг"), u("ПОВОРОТ 90"), u("ПОВОРОТ 90"), u("ПРЫЖОК"), u("ПРЫЖОК"),
                             u("ПРЫЖОК"), u("ПОВОРОТ 90"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")});
    const CompareMode::Grading g = CompareMode::grade(options({same}));
    EXPECT_EQ(g.lines, QStringList {same + u(": same")});
    EXPECT_TRUE(g.problems.isEmpty());
    EXPECT_EQ(g.exitCode, 0);
}

TEST_F(Grading, EachDifferenceIsCountedAndTheEndJudgedApart)
{
    const QString colour =
        file(u("colour.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"), u("STEP"),
                               u("ROTATE 90"), u("COLOR=BLUE"), u("STEP"), u("ALGORITHM END")});
    const QString shortOne = file(u("short.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"),
                                                   u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const QString jumped =
        file(u("jumped.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"), u("STEP"),
                               u("ROTATE 90"), u("STEP"), u("JUMP"), u("ALGORITHM END")});
    // Black where the model is red: the model's colour is set explicitly, the pupil forgot.
    const QString black = file(u("black.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("STEP"), u("STEP"),
                                                u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const CompareMode::Grading g = CompareMode::grade(options({colour, shortOne, jumped, black}));
    EXPECT_EQ(
        g.lines,
        (QStringList {
            colour + u(": differs segments-missing=0 segments-extra=0 colour-differs=1 end-position=same"),
            shortOne +
                u(": differs segments-missing=2 segments-extra=1 colour-differs=0 end-position=differs"),
            jumped + u(": differs segments-missing=0 segments-extra=0 colour-differs=0 end-position=differs"),
            black + u(": differs segments-missing=0 segments-extra=0 colour-differs=4 end-position=same")}));
    EXPECT_EQ(g.exitCode, 1);
}

TEST_F(Grading, CheckAndRunErrorsArePrintedAsTheCheckPrintsThem)
{
    const QString typo =
        file(u("typo.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("STPE"), u("ALGORITHM END")});
    const QString out = file(
        u("out.tkm"), {u("ALGORITHM BEGIN"), u("ROTATE 90"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const QString endless = file(u("endless.tkm"), {u("ALGORITHM BEGIN"), u("CYCLE. EXECUTE WHILE NOT LINE"),
                                                    u("ROTATE 90"), u("END OF CYCLE"), u("ALGORITHM END")});
    const CompareMode::Grading g = CompareMode::grade(options({typo, out, endless}));
    // A pupil's error is a difference like any other, with its reason and line.
    EXPECT_EQ(
        g.lines,
        (QStringList {typo + u(": differs check-failed line=3"),
                      typo + u(":3: #04: Error in program structure"), u("  Error in line: 3 (\"STPE\")"),
                      u("  Unknown command."), out + u(": differs out-of-field line=4"),
                      out + u(":4: #03: Trakmil error"), u("  Trakmil can not leave his field!"),
                      u("  Please, edit programm code."), endless + u(": differs tick-limit"),
                      endless + u(": the run did not end within 10000 ticks")}));
    EXPECT_EQ(g.exitCode, 1);
    EXPECT_TRUE(g.problems.isEmpty());
    ASSERT_EQ(g.pupils.size(), 3);
    for (const CompareMode::PupilGrade &p : g.pupils)
        EXPECT_EQ(p.verdict, CompareMode::PupilGrade::Verdict::Differs);

    // An unknown procedure and a call chain too deep are the pupil's too.
    const QString noProc =
        file(u("noproc.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("EXECUTE X"), u("ALGORITHM END")});
    const QString deep = file(u("deep.tkm"), {u("PROCEDURE R"), u("EXECUTE R"), u("END OF PROCEDURE"),
                                              u("ALGORITHM BEGIN"), u("EXECUTE R"), u("ALGORITHM END")});
    const CompareMode::Grading h = CompareMode::grade(options({noProc, deep}));
    EXPECT_EQ(h.exitCode, 1);
    EXPECT_TRUE(h.problems.isEmpty());
    ASSERT_GE(h.lines.size(), 2);
    EXPECT_TRUE(h.lines.join('\n').contains(noProc + u(": differs check-failed line=3")))
        << h.lines.join('\n').toStdString();
    EXPECT_TRUE(h.lines.join('\n').contains(deep + u(": differs loop-error line=2")))
        << h.lines.join('\n').toStdString();
}

TEST_F(Grading, AProcedureMissingAtRunTimeIsBlamedOnTheCallEverywhere)
{
    // The check leaves calls inside procedure bodies to the run; the grade, its report and
    // --run all name the line of the call that found nothing.
    const QString lost = file(u("lost.tkm"), {u("PROCEDURE A"), u("EXECUTE B"), u("END OF PROCEDURE"),
                                              u("ALGORITHM BEGIN"), u("EXECUTE A"), u("ALGORITHM END")});
    CompareMode::Options o = options({lost});
    o.reportPath = dir.filePath(u("class.html"));
    const CompareMode::Grading g = CompareMode::grade(o);
    ASSERT_GE(g.lines.size(), 2);
    EXPECT_EQ(g.lines[0], lost + u(": differs procedure-not-found line=2"));
    EXPECT_EQ(g.lines[1], lost + u(":2: #04: Error in program structure"));
    ASSERT_EQ(g.pupils.size(), 1);
    EXPECT_EQ(g.pupils[0].line, 2);
    QFile report(o.reportPath);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(report.readAll());
    EXPECT_TRUE(html.contains(u("Run stopped in line 2"))) << html.toStdString();
    EXPECT_TRUE(html.contains(u("lost.tkm:2: #04"))) << html.toStdString();

    const ProcessOutcome run = runTrakmil({u("--run"), lost, u("--language"), u("eng")});
    EXPECT_EQ(run.outLines().value(0), lost + u(":2: #04: Error in program structure"));
}

TEST_F(Grading, WithoutAGivenLimitAnEndlessPupilGetsTenTimesTheModelsTicks)
{
    const QString endless = file(u("endless.tkm"), {u("ALGORITHM BEGIN"), u("CYCLE. EXECUTE WHILE NOT LINE"),
                                                    u("ROTATE 90"), u("END OF CYCLE"), u("ALGORITHM END")});
    CompareMode::Options o = options({endless});
    o.maxTicks.reset();
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.exitCode, 1);
    ASSERT_EQ(g.pupils.size(), 1);
    EXPECT_EQ(g.pupils[0].failure, CompareMode::PupilGrade::Failure::TickLimit);
    // The model takes a handful of ticks; its pupils get ten times that and 100,000 more.
    EXPECT_GT(g.pupils[0].ticks, 100'000);
    EXPECT_LT(g.pupils[0].ticks, 100'200);
    EXPECT_EQ(CompareMode::pupilTickLimit(7), 100'070);
    // A limit that is given holds for every run.
    o.maxTicks = 500;
    EXPECT_EQ(CompareMode::grade(o).pupils.value(0).ticks, 500);
}

TEST_F(Grading, UnreadablePupilIsNamedAndTheOthersStillGraded)
{
    const QString good = file(u("good.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"),
                                              u("STEP"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const QString missing = dir.filePath(u("absent.tkm"));
    const CompareMode::Grading g = CompareMode::grade(options({missing, good}));
    EXPECT_EQ(g.lines, QStringList {good + u(": same")});
    ASSERT_EQ(g.problems.size(), 1);
    EXPECT_TRUE(g.problems[0].startsWith(u("trakmil: cannot read ") + missing))
        << (g.problems[0]).toStdString();
    EXPECT_EQ(g.exitCode, 2);
}

TEST_F(Grading, AModelThatDoesNotRunToItsEndGradesNobody)
{
    const QString pupil = file(u("pupil.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("ALGORITHM END")});
    CompareMode::Options o = options({pupil});
    o.model = file(u("bad_model.tkm"),
                   {u("ALGORITHM BEGIN"), u("ROTATE 90"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.lines.value(0), o.model + u(":4: #03: Trakmil error"));
    EXPECT_FALSE(g.lines.join(u("\n")).contains(pupil));
    ASSERT_EQ(g.problems.size(), 1);
    EXPECT_EQ(g.exitCode, 2);
}

TEST_F(Grading, TheGivenLanguageAppliesToEveryFile)
{
    const QString russian = file(u("ru.tkm"), {u("НАЧАЛО АЛГОРИТМА"), u("ЦВЕТ=КРАСНЫЙ"), u("ШАГ"), u("ШАГ"),
                                               u("ШАГ"), u("ПОВОРОТ 90"), u("ШАГ"), u("КОНЕЦ АЛГОРИТМА")});
    CompareMode::Options o = options({russian});
    o.language = Language::Eng;
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.lines.value(0), russian + u(": differs check-failed"));   // no begin in English
    EXPECT_EQ(g.lines.value(1), russian + u(": #04: Error in program structure"));
    EXPECT_EQ(g.exitCode, 1);
}

TEST_F(Grading, DiffPicturesOnlyForPupilsThatDifferOneNameEach)
{
    QDir(dir.path()).mkpath(u("a"));
    QDir(dir.path()).mkpath(u("b"));
    const QStringList shortLines {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("ALGORITHM END")};
    const QString first = file(u("a/anna.tkm"), shortLines);
    const QString second = file(u("b/anna.tkm"), shortLines);
    const QString same = file(u("same.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"),
                                              u("STEP"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    CompareMode::Options o = options({first, same, second});
    o.diffDir = dir.filePath(u("diff"));
    QDir().mkpath(o.diffDir);
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.exitCode, 1);
    EXPECT_EQ(QDir(o.diffDir).entryList(QDir::Files, QDir::Name),
              (QStringList {u("anna-2.png"), u("anna.png")}));

    const QImage img(QDir(o.diffDir).filePath(u("anna.png")));
    ASSERT_FALSE(img.isNull());
    // The missing red segment is drawn in red dashes.
    const QPoint a = FieldPicture::nodePixel(2, 0), b = FieldPicture::nodePixel(3, 0);
    int red = 0;
    for (int x = a.x(); x <= b.x(); ++x) red += (img.pixel(x, a.y()) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
    EXPECT_GT(red, 5);
    EXPECT_LT(red, b.x() - a.x());
}

TEST_F(Grading, AFolderThatCannotBeWrittenIsAFileError)
{
    const QString other = file(u("other.tkm"), {u("ALGORITHM BEGIN"), u("STEP"), u("ALGORITHM END")});
    CompareMode::Options o = options({other});
    o.diffDir = file(u("not_a_folder"), {u("x")});   // a file where the folder should be
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.lines.size(), 1);
    ASSERT_EQ(g.problems.size(), 1);
    EXPECT_TRUE(g.problems[0].startsWith(u("trakmil: cannot write "))) << (g.problems[0]).toStdString();
    EXPECT_EQ(g.exitCode, 2);
}

// Through the real executable: the option handling and what reaches the terminal.
TEST_F(Grading, CommandLineVerdictsAndExitCodes)
{
    auto trakmil = [](const QStringList &args, QString *out = nullptr, QString *err = nullptr) {
        const ProcessOutcome p = runTrakmil(args);
        if (out) *out = p.out;
        if (err) *err = p.err;
        return p.exitCode;
    };
    const QString m = model();
    const QString same = file(u("same.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"),
                                              u("STEP"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const QString shortOne =
        file(u("short.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("ALGORITHM END")});
    QString out, err;
    EXPECT_EQ(trakmil({u("--compare"), m, same, u("--field"), u("16x20")}, &out), 0);
    EXPECT_EQ(out, same + u(": same\n"));

    EXPECT_EQ(trakmil({u("--compare"), m, same, shortOne, u("--field"), u("16x20"), u("--diff"),
                       dir.filePath(u("pics"))},
                      &out),
              1);
    EXPECT_EQ(out,
              same + u(": same\n") + shortOne +
                  u(": differs segments-missing=3 segments-extra=0 colour-differs=0 end-position=differs\n"));
    EXPECT_TRUE(QFile::exists(dir.filePath(u("pics/short.png"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(u("pics/same.png"))));

    // A field too small for the model: the model's own run fails.
    EXPECT_EQ(trakmil({u("--compare"), m, same, u("--field"), u("2x2")}, &out, &err), 2);
    EXPECT_TRUE(out.startsWith(m + u(":"))) << (out).toStdString();

    EXPECT_EQ(trakmil({u("--compare"), m}, &out, &err), 2);   // no pupil
    EXPECT_TRUE(err.contains(u("at least one PUPIL"))) << (err).toStdString();
    EXPECT_EQ(trakmil({u("--compare"), m, same, u("--field"), u("big")}, &out, &err), 2);
    EXPECT_EQ(trakmil({u("--compare"), m, same, u("--language"), u("fra")}, &out, &err), 2);
    EXPECT_EQ(trakmil({u("--compare"), m, same, u("--max-ticks"), u("-1")}, &out, &err), 2);
    EXPECT_EQ(trakmil({u("--compare"), u("--help")}, &out), 0);
    EXPECT_TRUE(out.contains(u("--diff"))) << (out).toStdString();
}

TEST_F(Grading, TheClassReportIsOneWellFormedPageWithEveryPupilAndPicture)
{
    const QString same = file(u("same.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("STEP"),
                                              u("STEP"), u("ROTATE 90"), u("STEP"), u("ALGORITHM END")});
    const QString shortOne =
        file(u("short <b>&.tkm"), {u("ALGORITHM BEGIN"), u("COLOR=RED"), u("STEP"), u("ALGORITHM END")});
    const QString typo = file(u("typo.tkm"), {u("ALGORITHM BEGIN"), u("STPE"), u("ALGORITHM END")});
    const QString romanian =
        file(u("ro.tkm"), {u("INCEPUT DE ALGORITM"), u("CULOARE=ROSU"), u("PAS"), u("PAS"), u("PAS"),
                           u("ROTIRE 90"), u("PAS"), u("SFIRSIT DE ALGORITM")});
    const QString missing = dir.filePath(u("absent.tkm"));
    CompareMode::Options o = options({same, shortOne, missing, typo, romanian});
    o.reportPath = dir.filePath(u("class.html"));
    o.interfaceLanguage = Language::Rom;
    const CompareMode::Grading g = CompareMode::grade(o);
    EXPECT_EQ(g.exitCode, 2);   // the unreadable file

    QFile f(o.reportPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_FALSE(html.contains(u("<script"))) << "no script";
    EXPECT_FALSE(html.contains(u("http:")) || html.contains(u("https:"))) << "nothing to fetch";

    QXmlStreamReader xml(html);
    QStringList rows, verdicts, pictures, summary, programs, printed;
    QString rowClass;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes at = xml.attributes();
        if (xml.name() == u("html")) {
            EXPECT_EQ(at.value(u("lang")).toString(), u("ro"));
        }
        if (xml.name() == u("tr") && at.hasAttribute(u("data-file"))) {
            rows << at.value(u("data-file")).toString();
            verdicts << at.value(u("class")).toString();
        }
        if (xml.name() == u("img")) pictures << at.value(u("src")).toString();
        if (xml.name() == u("style")) {
            const QString css = xml.readElementText();
            const qsizetype from = css.indexOf(u("url(")) + 4;
            pictures << css.mid(from, css.indexOf(QLatin1Char(')'), from) - from);
        }
        if (xml.name() == u("p") && at.value(u("class")) == u("summary")) summary << xml.readElementText();
        if (xml.name() == u("pre"))
            (at.value(u("class")) == u("print") ? printed : programs)
                << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
    // Sorted by verdict: what differs first, then what could not be read, then the same.
    EXPECT_EQ(rows, (QStringList {shortOne, typo, missing, same, romanian}));
    EXPECT_EQ(verdicts, (QStringList {u("differs"), u("differs"), u("unreadable"), u("same"), u("same")}));
    EXPECT_EQ(summary, QStringList {u("Elevi: 5. Coincid: 2, difera: 2, necitite: 1.")});
    // The model once (also standing for the pupils who drew the same), the two other
    // pupils' drawings, two difference pictures.
    EXPECT_EQ(pictures.size(), 5);
    EXPECT_EQ(html.count(u("<div class=\"model\"")), 4 + 2);
    for (const QString &p : pictures) {
        ASSERT_TRUE(p.startsWith(u("data:image/png;base64,"))) << p.left(40).toStdString();
        QImage img;
        EXPECT_TRUE(img.loadFromData(QByteArray::fromBase64(p.mid(22).toLatin1()), "PNG"));
        EXPECT_GE(img.width(), FieldPicture::Width);
    }
    // The model's program and each readable pupil's, as written.
    ASSERT_EQ(programs.size(), 5);
    EXPECT_TRUE(programs[0].startsWith(u("ALGORITHM BEGIN\nCOLOR=RED\n")));
    EXPECT_TRUE(programs[2].contains(u("STPE")));
    EXPECT_EQ(printed, programs) << "a copy of each to print unfolded";
    EXPECT_TRUE(html.contains(u("<span style=\"color:#")));
}
