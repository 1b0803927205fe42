// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The teachers' command line, run as the real executable.
#include "AppInfo.h"
#include "common/PdfText.h"
#include "common/Printers.h"
#include "common/RunTrakmil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QStringList out;   // stdout lines
    QString err;
};

class HeadlessCli : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString file(const QString &name, const QStringList &lines)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines.join(QStringLiteral("\r\n")).toLatin1());
        return path;
    }

    Outcome trakmil(const QStringList &args)
    {
        const ProcessOutcome p = runTrakmil(args);
        return Outcome {p.exitCode, p.outLines(), p.err};
    }

    // The field size is given too, so a trakmil.ini left beside the binary by a manual
    // run cannot change the outcome.
    Outcome run(const QString &path, QStringList extra = {})
    {
        if (!extra.contains(QStringLiteral("--field")))
            extra << QStringLiteral("--field") << QStringLiteral("16x20");
        return trakmil(QStringList {"--run", path, "--language", "eng"} + extra);
    }
};

}   // namespace

TEST_F(HeadlessCli, CheckPrintsTheVerdictOfEveryFile)
{
    const QString clean = file("clean.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    const QString typo = file("typo.tkm", {"ALGORITHM BEGIN", "STEP", " stpe", "ALGORITHM END"});
    const QString empty = file("empty.tkm", {});

    Outcome o = trakmil({"--check", clean, "--language", "eng"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.out, QStringList {clean + ": There is no errors in programm code."});

    o = trakmil({"--check", "--language", "eng", clean, typo, empty});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.out,
              (QStringList {clean + ": There is no errors in programm code.",
                            typo + ":3: #04: Error in program structure", "  Error in line: 3 (\" stpe\")",
                            "  Unknown command.", empty + ": #04: Error in program structure",
                            "  Algorithm begin (end) was not found!",
                            "  Check if ALGOTITHM BEGIN and ALGORITHM END exist in code."}));
}

TEST_F(HeadlessCli, CheckUsesTheKeywordsAndTextsOfTheChosenLanguage)
{
    const QString path = dir.filePath("rus.tkm");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QStringEncoder enc("windows-1251");
    f.write(enc.encode(QString::fromUtf8("НАЧАЛО АЛГОРИТМА\r\nЦИКЛ. ВЫПОЛНИТЬ 0 РАЗ\r\n"
                                         "КОНЕЦ ЦИКЛА\r\nКОНЕЦ АЛГОРИТМА\r\n")));
    f.close();
    const Outcome o = trakmil({"--check", path, "--language", "rus"});
    EXPECT_EQ(o.exitCode, 1);
    ASSERT_EQ(o.out.size(), 7);
    EXPECT_EQ(o.out[0], path + QString::fromUtf8(":2: #04: Ошибка в структуре программы"));
    EXPECT_EQ(o.out[1], QString::fromUtf8("  Проверьте правильность написания цикла!"));
}

TEST_F(HeadlessCli, UnreadableFilesAndBadUsageExitWithTwo)
{
    const QString good = file("good.tkm", {"ALGORITHM BEGIN", "ALGORITHM END"});
    const QString missing = dir.filePath("missing.tkm");
    Outcome o = trakmil({"--check", good, missing, "--language", "eng"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains(missing)) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringList {good + ": There is no errors in programm code."});

    const QStringList usage[] = {
        {"--check"},
        {"--check", "--run", good},
        {"--run", good, good},
        {"--run", good, "--language", "fra"},
        {"--run", good, "--field", "10by5"},
        {"--run", good, "--max-ticks", "-4"},
        {"--check", good, "--field", "3x3"},
        {"--frobnicate", good},
        {"--language", "eng"},
    };
    for (const QStringList &args : usage) {
        o = trakmil(args);
        EXPECT_EQ(o.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(o.err.trimmed().isEmpty()) << args.join(' ').toStdString();
    }
    o = run(missing);
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.out.isEmpty());
}

TEST_F(HeadlessCli, HelpAndVersion)
{
    Outcome o = trakmil({"--version"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.out.join('\n').contains(QLatin1String(kAppVersion)));
    o = trakmil({"--help"});
    EXPECT_EQ(o.exitCode, 0);
    const QString help = o.out.join('\n');
    for (const char *opt : {"--check", "--run", "--language", "--field", "--export", "--max-ticks",
                            "--worksheet", "--name", "--page-size"})
        EXPECT_TRUE(help.contains(QLatin1String(opt))) << opt;
}

TEST_F(HeadlessCli, VersionComesFromTheBuild)
{
    for (const char *opt : {"--version", "-v"}) {
        const Outcome o = trakmil({opt});
        EXPECT_EQ(o.exitCode, 0) << opt;
        EXPECT_EQ(o.out, QStringList {QStringLiteral("trakmil ") + QLatin1String(kAppVersion)}) << opt;
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    }
}

TEST_F(HeadlessCli, HelpShowsTheWindowModeAndTheExitCodes)
{
    for (const char *opt : {"--help", "-h"}) {
        const Outcome o = trakmil({opt});
        EXPECT_EQ(o.exitCode, 0) << opt;
        ASSERT_GE(o.out.size(), 3) << opt;
        // The usage names the program as the user types it, whatever path started it.
        EXPECT_EQ(o.out[0], QStringLiteral("Usage: trakmil [FILE]"));
        EXPECT_TRUE(o.out[1].trimmed().startsWith(QStringLiteral("trakmil --check")))
            << o.out[1].toStdString();
        EXPECT_TRUE(o.out[2].trimmed().startsWith(QStringLiteral("trakmil --run"))) << o.out[2].toStdString();
        const QString help = o.out.join('\n');
        EXPECT_FALSE(help.contains(QStringLiteral(TRAKMIL_BINARY)));
        for (const char *text :
             {"opens the window", "--help-all", "--version", "Exit codes", "3 the tick limit"})
            EXPECT_TRUE(help.contains(QLatin1String(text))) << text;
    }
    // The toolkit's own options, which the window mode takes, are listed on request.
    const Outcome all = trakmil({"--help-all"});
    EXPECT_EQ(all.exitCode, 0);
    const QString text = all.out.join('\n');
    EXPECT_TRUE(text.contains(QStringLiteral("--check")));
    EXPECT_TRUE(text.contains(QStringLiteral("-platform"))) << text.toStdString();
}

TEST_F(HeadlessCli, RunToTheEndPrintsTheFinalState)
{
    const QString path = file("walk.tkm", {"ALGORITHM BEGIN", "STEP", "STEP", "ROTATE 90", "DESTROY", "*$S=1",
                                           "COLOR=RED", "ALGORITHM END"});
    Outcome o = run(path, {"--field", "16x20"});
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringList {"result=end ticks=9 x=2 y=0 heading=2 visible=0 line=0 border=0"});

    const QString empty = file("empty.tkm", {"ALGORITHM BEGIN", "ALGORITHM END"});
    o = run(empty);
    EXPECT_EQ(o.out, QStringList {"result=end ticks=3 x=0 y=0 heading=0 visible=1 line=0 border=0"});
}

TEST_F(HeadlessCli, RunTimeErrorsAreReportedBeforeTheResult)
{
    const QString wall = file("wall.tkm", {"ALGORITHM BEGIN", "STEP", "STEP", "STEP", "ALGORITHM END"});
    Outcome o = run(wall, {"--field", "2x5"});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.out, (QStringList {wall + ":4: #03: Trakmil error", "  Trakmil can not leave his field!",
                                   "  Please, edit programm code.",
                                   "result=out-of-field ticks=4 x=2 y=0 heading=0 visible=1 "
                                   "line=0 border=1"}));

    // Calls inside procedure bodies are left to the run, which names the call's line.
    const QString lost = file("lost.tkm", {"PROCEDURE A", "EXECUTE B", "END OF PROCEDURE", "ALGORITHM BEGIN",
                                           "EXECUTE A", "ALGORITHM END"});
    o = run(lost);
    EXPECT_EQ(o.exitCode, 1);
    ASSERT_GE(o.out.size(), 2);
    EXPECT_EQ(o.out.first(), lost + ":2: #04: Error in program structure");
    EXPECT_EQ(o.out.last(), "result=procedure-not-found ticks=4 x=0 y=0 heading=0 visible=1 line=0 border=0");

    const QString deep = file("deep.tkm", {"PROCEDURE A", "EXECUTE A", "END OF PROCEDURE", "ALGORITHM BEGIN",
                                           "EXECUTE A", "ALGORITHM END"});
    o = run(deep);
    EXPECT_EQ(o.exitCode, 1);
    ASSERT_GE(o.out.size(), 2);
    EXPECT_EQ(o.out.first(), deep + ":2: #04: Error in program structure");
    EXPECT_TRUE(o.out.last().startsWith("result=loop-error ")) << o.out.last().toStdString();
}

TEST_F(HeadlessCli, CheckFailureRunsNothing)
{
    const QString path = file("bad.tkm", {"STEP", "ALGORITHM BEGIN", "ALGORITHM END"});
    const Outcome o = run(path);
    EXPECT_EQ(o.exitCode, 1);
    ASSERT_EQ(o.out.size(), 4);
    EXPECT_EQ(o.out[0], path + ":1: #04: Error in program structure");
    EXPECT_EQ(o.out[3], "result=check-failed ticks=0 x=0 y=0 heading=0 visible=1 line=0 border=0");
}

TEST_F(HeadlessCli, EndlessProgramStopsAtTheTickLimit)
{
    const QString path = file("spin.tkm", {"ALGORITHM BEGIN", "CYCLE. EXECUTE WHILE NOT LINE", "ROTATE 45",
                                           "END OF CYCLE", "ALGORITHM END"});
    const Outcome o = run(path, {"--max-ticks", "101"});
    EXPECT_EQ(o.exitCode, 3);
    // begin, header, then 45-degree turn and loop end in pairs: 50 turns in 101 ticks.
    EXPECT_EQ(o.out, QStringList {"result=tick-limit ticks=101 x=0 y=0 heading=2 visible=1 "
                                  "line=0 border=0"});
}

TEST_F(HeadlessCli, FieldOptionSetsAndClampsTheFieldSize)
{
    const QString path = file("east.tkm", {"ALGORITHM BEGIN", "CYCLE. EXECUTE WHILE NOT BORDER", "STEP",
                                           "END OF CYCLE", "ROTATE 90", "CYCLE. EXECUTE WHILE NOT BORDER",
                                           "JUMP", "END OF CYCLE", "ALGORITHM END"});
    struct Case {
        const char *field;
        int x, y;
    };
    for (const Case &c : {Case {"5x3", 5, 3}, Case {"1x99", 2, 20}, Case {"40X0", 16, 2}}) {
        const Outcome o = run(path, {"--field", c.field});
        EXPECT_EQ(o.exitCode, 0) << c.field;
        ASSERT_EQ(o.out.size(), 1) << c.field;
        EXPECT_TRUE(o.out[0].startsWith(QStringLiteral("result=end ")));
        EXPECT_TRUE(o.out[0].contains(QStringLiteral(" x=%1 y=%2 ").arg(c.x).arg(c.y)))
            << c.field << ": " << o.out[0].toStdString();
    }
}

TEST_F(HeadlessCli, ExportWritesTheFieldPictureAlsoAfterAnError)
{
    const QString ok = file("ok.tkm", {"ALGORITHM BEGIN", "COLOR=RED", "STEP", "ALGORITHM END"});
    const QString bad =
        file("bad.tkm", {"ALGORITHM BEGIN", "ROTATE 90", "ROTATE 90", "STEP", "ALGORITHM END"});
    for (const QString &program : {ok, bad}) {
        const QString picture = dir.filePath(QFileInfo(program).baseName() + ".bmp");
        const Outcome o = run(program, {"--export", picture});
        EXPECT_EQ(o.exitCode, program == ok ? 0 : 1);
        QFile f(picture);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << picture.toStdString();
        EXPECT_EQ(f.read(2), QByteArray("BM"));
        f.close();
        const QImage img(picture);
        EXPECT_EQ(img.size(), QSize(358, 438));
    }
    const QImage drawn(dir.filePath("ok.bmp"));
    const QImage blank(dir.filePath("bad.bmp"));
    EXPECT_NE(drawn, blank) << "the red step shows in the picture";

    const Outcome o = run(ok, {"--export", dir.filePath("no/such/folder/x.bmp")});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_FALSE(o.err.isEmpty());
}

TEST_F(HeadlessCli, RichTextProgramFilesAreReadLikeTheWindowReadsThem)
{
    const QString path = dir.filePath("rich.tkm");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Courier New;}}"
            "{\\colortbl ;\\red255\\green0\\blue0;}\n"
            "\\cf1 ALGORITHM BEGIN\\par\nSTEP\\par\n\\cf0 ALGORITHM END\\par\n}");
    f.close();
    const Outcome o = run(path);
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringList {"result=end ticks=4 x=1 y=0 heading=0 visible=1 line=0 border=0"});
}

TEST_F(HeadlessCli, AFieldOutsideItsRangeIsNamedOnStderrAndTheResultLineStays)
{
    const QString prog = file("p.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    Outcome o = trakmil({"--run", prog, "--language", "eng", "--field", "40x1"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.out.last(), QStringLiteral("result=end ticks=4 x=1 y=0 heading=0 visible=1 line=0 border=0"));
    EXPECT_EQ(o.err.count(QLatin1Char('\n')), 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QLatin1String("using 16x2"))) << o.err.toStdString();
    o = trakmil({"--run", prog, "--language", "eng", "--field", "10x10"});
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
}

TEST_F(HeadlessCli, ExportWritesTheFormatItsSuffixNamesAndRefusesOthers)
{
    const QString prog = file("p.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    const QString png = dir.filePath(QStringLiteral("field.png"));
    Outcome o = run(prog, {"--export", png});
    EXPECT_EQ(o.exitCode, 0);
    QFile f(png);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(png).size(), QSize(358, 438));

    const QString odd = dir.filePath(QStringLiteral("field.xyz"));
    o = run(prog, {"--export", odd});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(odd));

    // A device is never replaced by a picture, even for root.
    o = run(prog, {"--export", "/dev/null"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists());
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
}

TEST_F(HeadlessCli, AnUnreadableFileIsNamedOnce)
{
    const Outcome o = trakmil({"--check", "/dev/zero", "--language", "eng"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err.count(QLatin1String("/dev/zero")), 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QLatin1String("Not a regular file")));
}

TEST_F(HeadlessCli, WithoutALanguageEachFileIsReadInItsOwn)
{
    const QString eng = file("eng.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    const QString rom = file("rom.tkm", {"INCEPUT DE ALGORITM", "PAS", "PAS", "SFIRSIT DE ALGORITM"});
    const QString path = dir.filePath("rus.tkm");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QStringEncoder enc("windows-1251");
    f.write(enc.encode(QString::fromUtf8("НАЧАЛО АЛГОРИТМА\r\nШАГ\r\nШАГ\r\nШАГ\r\nКОНЕЦ АЛГОРИТМА")));
    f.close();

    Outcome o = trakmil({"--check", eng, rom, path});
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    ASSERT_EQ(o.out.size(), 3);
    // Whatever the settings say, two of the three are named with the Language they are read in.
    int named = 0;
    for (const auto &[file, code] : {std::pair {eng, "eng"}, {rom, "rom"}, {path, "rus"}})
        named += o.err.contains(file + " is read in " + code + " keywords") ? 1 : 0;
    EXPECT_GE(named, 2) << o.err.toStdString();

    for (const auto &[file, x] : {std::pair {eng, 1}, {rom, 2}, {path, 3}}) {
        o = trakmil({"--run", file, "--field", "16x20"});
        EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
        EXPECT_TRUE(o.out.value(0).startsWith("result=end ") &&
                    o.out.value(0).contains(QStringLiteral(" x=%1 y=0 ").arg(x)))
            << o.out.value(0).toStdString();
    }
    // A given Language is used as it is, and names nothing.
    o = trakmil({"--check", rom, "--language", "eng"});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
}

TEST_F(HeadlessCli, ExportWritesOnlyFormatsThatKeepEveryPixel)
{
    // Every colour on the field, so a format that drops or merges colours is caught.
    QStringList lines {"ALGORITHM BEGIN"};
    for (const char *c : {"BLACK", "MAROON", "GREEN", "OLIVE", "NAVY", "PURPLE", "TEAL", "GRAY", "SILVER",
                          "RED", "LIME", "YELLOW", "BLUE", "FUCHSIA", "AQUA"})
        lines << QStringLiteral("COLOR=%1").arg(c) << "STEP";
    lines << "ALGORITHM END";
    const QString prog = file("colours.tkm", lines);
    const QString reference = dir.filePath("reference.png");
    ASSERT_EQ(run(prog, {"--field", "16x20", "--export", reference}).exitCode, 0);
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), QSize(358, 438));
    for (const char *suffix : {"bmp", "png", "ppm", "xpm"}) {
        const QString path = dir.filePath(QStringLiteral("field.%1").arg(suffix));
        const Outcome o = run(prog, {"--export", path});
        ASSERT_EQ(o.exitCode, 0) << suffix << ": " << o.err.toStdString();
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), expected) << suffix;
    }
    for (const char *suffix : {"ico", "cur", "xbm", "pbm", "pgm", "jpg", "jpeg", "gif", "xyz"}) {
        const QString path = dir.filePath(QStringLiteral("field.%1").arg(suffix));
        const Outcome o = run(prog, {"--export", path});
        EXPECT_EQ(o.exitCode, 2) << suffix;
        EXPECT_FALSE(QFileInfo::exists(path)) << suffix;
        EXPECT_TRUE(o.err.contains(".bmp, .png, .ppm, .xpm")) << o.err.toStdString();
        EXPECT_FALSE(o.err.contains("use .bmp or .png")) << o.err.toStdString();
    }
}

// A .svg name gets the drawing as vector lines, also after a run that failed, and a target
// that cannot be written fails as it does for a bitmap.
TEST_F(HeadlessCli, ExportWritesAnSvgDrawingAndFailsLikeTheBitmaps)
{
    const QString prog = file("p.tkm", {"ALGORITHM BEGIN", "COLOR=RED", "STEP", "ROTATE 90", "STEP", "STEP",
                                        "ROTATE 90", "ROTATE 90", "STEP", "ALGORITHM END"});
    const QString svg = dir.filePath(QStringLiteral("field.svg"));
    Outcome o = run(prog, {"--export", svg});
    EXPECT_EQ(o.exitCode, 0) << o.err.toStdString();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QStringList strokes;
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.attributes().value("viewBox"), QLatin1String("0 0 358 438"));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("line"))
            strokes << xml.attributes().value("stroke").toString();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(strokes, QStringList(3, QStringLiteral("#ff0000"))) << "the step back is the same segment";

    const QString bad = file(
        "bad.tkm", {"ALGORITHM BEGIN", "STEP", "ROTATE 90", "ROTATE 90", "STEP", "STEP", "ALGORITHM END"});
    o = run(bad, {"--export", svg});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_TRUE(QFileInfo(svg).size() > 0);

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x"));
    const Outcome asBitmap = run(prog, {"--export", missing + ".bmp"});
    o = run(prog, {"--export", missing + ".svg"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err, QString(asBitmap.err).replace(".bmp", ".svg"));
    EXPECT_FALSE(o.err.isEmpty());
    EXPECT_TRUE(trakmil({"--help"}).out.join('\n').contains(".svg"));
}

// Every mode reads with the window's bounds and stops at the first line past one:
// bare line breaks between begin and end, RTF paragraphs, or one line too long are refused
// with the bound named, and the file is reported as unreadable.
TEST_F(HeadlessCli, AFileOverALimitIsRefusedNamingTheLimitInEveryMode)
{
    auto write = [this](const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QString model = file("model.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    const QString lines = write("lines.tkm", "ALGORITHM BEGIN" + QByteArray(100'001, '\r') + "ALGORITHM END");
    const QString pars = write("pars.tkm", "{\\rtf1 ALGORITHM BEGIN" +
                                               QByteArray("\\par ").repeated(100'001) + "ALGORITHM END}");
    const QString longLine = write("long.tkm", "ALGORITHM BEGIN\r\n* " + QByteArray(9'998, 'x') + "\r\n* " +
                                                   QByteArray(9'999, 'x') + "\r\nALGORITHM END");
    const QString tooMany = QStringLiteral("File too large: more than 100,000 lines");
    const QString tooLong = QStringLiteral("File too large: line 3 is longer than 10,000 characters");
    for (const auto &[path, reason] : {std::pair {lines, tooMany}, {pars, tooMany}, {longLine, tooLong}}) {
        const QString said = QStringLiteral("trakmil: cannot read %1: %2").arg(path, reason);
        const QStringList modes[] = {{"--check", path, "--language", "eng"},
                                     {"--run", path, "--language", "eng"},
                                     {"--translate", path, "--to", "rus"},
                                     {"--compare", model, path}};
        for (const QStringList &args : modes) {
            const Outcome o = trakmil(args);
            EXPECT_EQ(o.exitCode, 2) << args.join(' ').toStdString();
            EXPECT_TRUE(o.err.contains(said)) << args.join(' ').toStdString() << "\n" << o.err.toStdString();
        }
    }
}

TEST_F(HeadlessCli, ASettingsFileLeftUnreadIsNamedOnStderr)
{
    // A copy of the program with a settings file of its own beside it.
    const QString bin = dir.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString program = bin + "/trakmil";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRAKMIL_BINARY), program));
    const QString ini = bin + "/trakmil.ini";
    const QString clean = file("clean.tkm", {"ALGORITHM BEGIN", "STEP", "ALGORITHM END"});
    auto settingsThenCheck = [&](const QByteArray &settings) {
        QFile f(ini);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(settings);
        f.close();
        return runTrakmilAt(program, {"--check", clean, "--language", "eng"});
    };
    ProcessOutcome o = settingsThenCheck(QByteArray("[int]\nx_speed=2\n\x00\x00", 18));
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.err, "trakmil: the settings file " + ini +
                         " was not read (Not a text file); default settings are used.\n");
    // A comment in Windows-1251 is no reason to leave the file unread.
    o = settingsThenCheck("; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\r\n[int]\r\nlanguage=rom\r\n");
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
}

TEST_F(HeadlessCli, WorksheetIsWrittenAfterTheRunWhateverItsOutcome)
{
    SKIP_WITHOUT_PDF_TOOLS();
    const QString ok = file("ok.tkm", {"ALGORITHM BEGIN", "COLOR=RED", "STEP", "ALGORITHM END"});
    const QString typo = file("typo.tkm", {"ALGORITHM BEGIN", " stpe", "ALGORITHM END"});
    for (const QString &program : {ok, typo}) {
        const QString sheet = dir.filePath(QFileInfo(program).baseName() + ".pdf");
        const Outcome o = run(program, {"--worksheet", sheet, "--name", "Ion Bălan-Țurcanu"});
        EXPECT_EQ(o.exitCode, program == ok ? 0 : 1) << o.err.toStdString();
        const QStringList pages = pdfPages(sheet);
        ASSERT_EQ(pages.size(), 1) << sheet.toStdString();
        EXPECT_TRUE(pages.first().contains(QStringLiteral("Ion Bălan-Țurcanu")));
        EXPECT_TRUE(pages.first().contains(QFileInfo(program).fileName()));
        EXPECT_TRUE(pages.first().contains(QRegularExpression(QStringLiteral("^\\s*2\\s+(COLOR=RED|stpe)$"),
                                                              QRegularExpression::MultilineOption)))
            << pages.first().toStdString();
    }
    const QString info = [&] {
        const QString letter = dir.filePath("letter.pdf");
        EXPECT_EQ(run(ok, {"--worksheet", letter, "--page-size", "LETTER"}).exitCode, 0);
        return runPdfTool(QStringLiteral("pdfinfo"), {letter});
    }();
    EXPECT_TRUE(info.contains(QStringLiteral("(letter)"))) << info.toStdString();
    EXPECT_TRUE(
        runPdfTool(QStringLiteral("pdfinfo"), {dir.filePath("ok.pdf")}).contains(QStringLiteral("(A4)")));

    // Nothing to write to, or options that make no sense: usage errors, and no file.
    const QString kept = dir.filePath("kept.pdf");
    const QList<QStringList> wrong = {{"--worksheet", dir.filePath("no/such/folder/x.pdf")},
                                      {"--worksheet", dir.path()},
                                      {"--worksheet", kept, "--page-size", "b5"},
                                      {"--name", "Ion"},
                                      {"--page-size", "a4"},
                                      {"--worksheet", ""}};
    for (const QStringList &args : wrong) {
        const Outcome o = run(ok, args);
        EXPECT_EQ(o.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(o.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_EQ(trakmil({"--check", ok, "--worksheet", kept}).exitCode, 2);
}
