// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Program files this program writes and reads: round trips, plain text, file failures.
#include "documents/ProgramFile.h"
#include "base/TextCatalogue.h"

#include "lang/ProgramTranslator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The colours the highlighting gives to lines.
const QRgb kHighlightColours[] = {0x000000, 0x000080, 0x0000FF, 0x800000, 0x008000,
                                  0x008080, 0x800080, 0xFF00FF, 0x808080, 0xC0C0C0};

StyledLine line(const QString &text, QRgb colour)
{
    return StyledLine {text, {ColourRun {int(text.size()), colour}}};
}

StyledLine u8(const char *text, QRgb colour = 0) { return line(QString::fromUtf8(text), colour); }

void expectRoundTrip(const StyledText &text)
{
    const QByteArray rtf = writeRtf(text);
    const std::optional<StyledText> back = readRtf(rtf);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(plainLines(*back), plainLines(text));
    EXPECT_TRUE(sameContent(*back, text));
}

QByteArray cp1251(const char *utf8)
{
    QStringEncoder enc("windows-1251");
    return enc.encode(QString::fromUtf8(utf8));
}

TEST(ProgramFileRoundTrip, EveryHighlightColourAndMixedRuns)
{
    StyledText text;
    for (QRgb c : kHighlightColours) text.append(u8("ВПЕРЕД 5", c));
    // One line cut into runs of every colour, as a partly recoloured line is.
    StyledLine mixed {QString::fromUtf8("абвгдежзий"), {}};
    for (QRgb c : kHighlightColours) mixed.runs.append(ColourRun {1, c});
    text.append(mixed);
    expectRoundTrip(text);
}

TEST(ProgramFileRoundTrip, TextThatNeedsEscaping)
{
    const StyledText text = {
        u8("НАЧАЛО АЛГОРИТМА", 0x000080),
        u8("*$S=5"),
        u8("  ведущие и хвостовые пробелы  "),
        u8("скобки {x} и \\ обратная черта\\", 0x808080),
        u8("\tтабуляция\t"),
        u8("ёЁ№«»—€ ґЄ\u00A0", 0x008000),
        u8("Greek αβγ, emoji 😀, 中文, ∑", 0x800080),
        line(QString(QChar(0xD83D)) + "lone" + QChar(0x0001) + QChar(0x7F), 0xFF00FF),
        u8("\\par {\\rtf1 not a control word}"),
        u8("цифры после управляющего слова: 12"),
    };
    expectRoundTrip(text);
}

TEST(ProgramFileRoundTrip, EmptyLinesKeepTheirPlace)
{
    const StyledText cases[] = {
        {},
        {u8("")},
        {u8(""), u8("")},
        {u8("a"), u8("")},
        {u8(""), u8("a")},
        {u8("a"), u8(""), u8(""), u8("b"), u8("")},
    };
    for (const StyledText &text : cases) expectRoundTrip(text);
}

TEST(ProgramFileRoundTrip, RunsThatDoNotAddUpAreMadeSound)
{
    const StyledText text = {
        StyledLine {"abcdef", {ColourRun {2, 0x0000FF}}},   // rest black
        StyledLine {"ab", {ColourRun {5, 0x0000FF}, ColourRun {3, 0xFF0000}}},
        StyledLine {"ab", {ColourRun {-4, 0x0000FF}, ColourRun {0, 0xFF0000}, ColourRun {2, 0x008000}}},
        StyledLine {"", {ColourRun {3, 0x0000FF}}},
    };
    const StyledText back = *readRtf(writeRtf(text));
    ASSERT_EQ(back.size(), 4);
    EXPECT_EQ(characterColours(back[0]), (QList<QRgb> {0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(characterColours(back[1]), (QList<QRgb> {0xFF, 0xFF}));
    EXPECT_EQ(characterColours(back[2]), (QList<QRgb> {0x8000, 0x8000}));
    EXPECT_EQ(back[3].text, "");
}

TEST(ProgramFileRoundTrip, WrittenFileIsSevenBitCyrillicRtf)
{
    const QByteArray rtf = writeRtf({u8("ШАГ αβ", 0x0000FF), u8("Pătrat ș ţ Î ѝ")});
    for (char c : rtf) EXPECT_LT(uchar(c), 0x80);
    // Beyond the code page, \uN with one escaped byte a reader without Unicode shows: the
    // letter without its accent, or "?".
    for (const char *part :
         {"\\ansicpg1251", "\\fcharset204 Times New Roman", "\\fs24", "\\uc1", "\\'d8\\'c0\\'c3",
          "\\u945\\'3f", "P\\u259\\'61trat", "\\u537\\'73 \\u355\\'74", "\\u206\\'49", "\\u1117\\'e8"})
        EXPECT_TRUE(rtf.contains(part)) << part << "\n" << rtf.constData();
    EXPECT_FALSE(rtf.contains('?')) << rtf.constData();
}

// unrtf (Debian's) is an RTF reader nobody here wrote: what it reads out of our files must
// be every letter we wrote. Its HTML keeps every character; only runs of spaces fold.
TEST(ProgramFileOtherReaders, UnrtfReadsEveryLetterOfAWrittenFile)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh installs it)";
    const StyledText text = {
        u8("PROCEDURA Pătrat", 0x000080),
        u8("  EXECUTA pătrat mic", 0x0000FF),
        u8("* Început: ăâîșț ĂÂÎȘȚ, şţ ŞŢ", 0x808080),
        u8("ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ ёЁ № «»"),
        u8("{x} \\ y αβγ ∑ Ω ﬁ 😀", 0x800080),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("p.tkm");
    QString error;
    ASSERT_TRUE(saveProgramFile(path, text, &error)) << error.toStdString();
    QProcess p;
    p.start(unrtf, {QStringLiteral("--html"), path});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    QTextDocument html;
    html.setHtml(QString::fromUtf8(p.readAllStandardOutput()));
    QStringList read = html.toPlainText().split(QLatin1Char('\n'));
    while (!read.isEmpty() && read.last().trimmed().isEmpty()) read.removeLast();
    QStringList written;
    for (const StyledLine &l : text) written << l.text.simplified();
    for (QString &l : read) l = l.simplified();
    EXPECT_EQ(read, written);
}

TEST(ProgramFileRoundTrip, TenThousandLinesAndALongLine)
{
    StyledText text;
    for (int i = 0; i < 10000; ++i)
        text.append(line(QString::fromUtf8("ПОВТОРИ %1 РАЗ").arg(i), kHighlightColours[i % 10]));
    StyledLine longLine {QString(100000, QChar(0x0416)), {}};
    for (int i = 0; i < 1000; ++i) longLine.runs.append(ColourRun {100, kHighlightColours[i % 10]});
    text.append(longLine);
    expectRoundTrip(text);
}

TEST(ProgramFilePlainText, LineEndsAndEncodings)
{
    const QStringList program = {QString::fromUtf8("НАЧАЛО АЛГОРИТМА"), QString::fromUtf8("ШАГ"),
                                 QString::fromUtf8("КОНЕЦ АЛГОРИТМА")};
    const struct {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        {cp1251("НАЧАЛО АЛГОРИТМА\r\nШАГ\r\nКОНЕЦ АЛГОРИТМА\r\n"), program},
        {cp1251("НАЧАЛО АЛГОРИТМА\r\nШАГ\r\nКОНЕЦ АЛГОРИТМА"), program},
        {cp1251("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА\n"), program},
        {cp1251("НАЧАЛО АЛГОРИТМА\rШАГ\rКОНЕЦ АЛГОРИТМА\r"), program},
        {"\xEF\xBB\xBF" + QString::fromUtf8("НАЧАЛО АЛГОРИТМА\r\nШАГ\nКОНЕЦ АЛГОРИТМА").toUtf8(), program},
        {cp1251("a\r\n\r\nb\r\n\r\n"), {"a", "", "b", ""}},
        {"", {}},
        {"\r\n", {""}},
        {cp1251("ёЁ№"), {QString::fromUtf8("ёЁ№")}},
        {QByteArray("\xFF\xFEh\0i\0\n\0", 8), {"hi"}},
    };
    for (const auto &c : cases) {
        const StyledText text = readProgramData(c.data);
        EXPECT_EQ(plainLines(text), c.lines) << c.data.toHex().constData();
        for (const StyledLine &l : text)
            for (QRgb colour : characterColours(l)) EXPECT_EQ(colour, 0u);
    }
}

TEST(ProgramFilePlainText, RomanianKeywordsTellWindows1250AndOnlyThem)
{
    // What a Romanian Windows saves as "ANSI": the comments must not turn to Cyrillic.
    const QString romanian = QString::fromUtf8("* Pătrat: latura înaltă, şi ţara\r\nINCEPUT DE ALGORITM\r\n"
                                               "EXECUTA ŞIR\r\nPAS\r\nSFIRSIT DE ALGORITM\r\n");
    const QByteArray cp1250 = QStringEncoder("windows-1250").encode(romanian);
    const QStringList romanianLines = romanian.trimmed().split(QStringLiteral("\r\n"));
    const PlainTextCodePage probe = &ProgramTranslator::plainTextCodePage;
    EXPECT_EQ(plainLines(readProgramData(cp1250, probe)), romanianLines);

    // Russian programs, and English ones with Russian comments, stay Windows-1251; so does a
    // text with no statement, and one where Russian statements are as many.
    const struct {
        const char *utf8;
    } in1251[] = {
        {"* квадрат ёЁ\r\nНАЧАЛО АЛГОРИТМА\r\nШАГ\r\nКОНЕЦ АЛГОРИТМА"},
        {"* квадрат\r\nALGORITHM BEGIN\r\nSTEP\r\nALGORITHM END"},
        {"заметки о программе\r\nбез команд"},
        {"* смесь\r\nPAS\r\nШАГ"},
    };
    for (const auto &c : in1251) {
        const QString text = QString::fromUtf8(c.utf8);
        EXPECT_EQ(plainLines(readProgramData(cp1251(c.utf8), probe)), text.split(QStringLiteral("\r\n")))
            << c.utf8;
    }
    // Without the probe, and in RTF, nothing changes.
    EXPECT_NE(plainLines(readProgramData(cp1250)), romanianLines);
    EXPECT_EQ(plainLines(readProgramData(writeRtf(readProgramData(cp1250, probe)), probe)), romanianLines);
}

TEST(ProgramFilePlainText, SavedAgainAsRtfInTheColoursGiven)
{
    StyledText text = readProgramData(cp1251("НАЧАЛО АЛГОРИТМА\r\nШАГ\r\nКОНЕЦ АЛГОРИТМА\r\n"));
    ASSERT_EQ(text.size(), 3);
    text[0] = line(text[0].text, 0x000080);
    text[1] = line(text[1].text, 0x0000FF);
    text[2] = line(text[2].text, 0x000080);
    const QByteArray rtf = writeRtf(text);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(sameContent(readProgramData(rtf), text));
}

class ProgramFileOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const StyledText program = {u8("НАЧАЛО АЛГОРИТМА", 0x000080), u8("ШАГ 😀", 0x0000FF),
                                u8("КОНЕЦ АЛГОРИТМА", 0x000080)};
};

TEST_F(ProgramFileOnDisk, SaveThenLoad)
{
    const QString path = dir.filePath("квадрат.tkm");
    QString error;
    ASSERT_TRUE(saveProgramFile(path, program, &error)) << error.toStdString();
    StyledText back;
    ASSERT_TRUE(loadProgramFile(path, back, &error)) << error.toStdString();
    EXPECT_TRUE(sameContent(back, program));
    // Saving again replaces the whole file.
    ASSERT_TRUE(saveProgramFile(path, {u8("ШАГ")}, &error));
    ASSERT_TRUE(loadProgramFile(path, back, &error));
    EXPECT_EQ(plainLines(back), QStringList {QString::fromUtf8("ШАГ")});
}

TEST_F(ProgramFileOnDisk, LoadFailuresGiveTheReasonAndKeepTheText)
{
    StyledText out = {u8("прежний текст")};
    for (const QString &path : {dir.filePath("missing.tkm"), dir.path()}) {
        QString error;
        EXPECT_FALSE(loadProgramFile(path, out, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_EQ(plainLines(out), QStringList {QString::fromUtf8("прежний текст")});
    }
}

TEST_F(ProgramFileOnDisk, PipeIsRefusedWithoutWaiting)
{
    const QString fifo = dir.filePath("pipe.tkm");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    StyledText out;
    QString error;
    EXPECT_FALSE(loadProgramFile(fifo, out, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ProgramFileOnDisk, FailedSaveOverAFolderLeavesItIntact)
{
    const QString target = dir.filePath("program.tkm");
    ASSERT_TRUE(QDir(dir.path()).mkdir("program.tkm"));
    QFile inside(target + "/keep.txt");
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("keep");
    inside.close();

    QString error;
    EXPECT_FALSE(saveProgramFile(target, program, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(QFile::exists(target + "/keep.txt"));
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(ProgramFileOnDisk, FailedSaveInReadOnlyFolderKeepsThePreviousFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    const QString sub = dir.filePath("ro");
    ASSERT_TRUE(QDir(dir.path()).mkdir("ro"));
    const QString target = sub + "/program.tkm";
    QString error;
    ASSERT_TRUE(saveProgramFile(target, program, &error));
    const QByteArray before = [&] {
        QFile f(target);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ASSERT_TRUE(QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(saveProgramFile(target, {u8("другой")}, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(ProgramFileOnDisk, SaveIntoMissingFolderFails)
{
    QString error;
    EXPECT_FALSE(saveProgramFile(dir.filePath("no/such/folder/p.tkm"), program, &error));
    EXPECT_FALSE(error.isEmpty());
}

// Hostile or broken files: each must be read quickly and without exhausting memory.
// How fast they are read is measured by bench_files, not here.
TEST(ProgramFileRobustness, PathologicalInputsAreReadAndSurviveARoundTrip)
{
    const QByteArray manyLines = QByteArray("{\\rtf1 ") + QByteArray("x\\par ").repeated(500000) + "}";
    const struct {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"deep nesting",
         QByteArray("{\\rtf1 ") + QByteArray(1000000, '{') + "deep" + QByteArray(1000000, '}')},
        {"deep nesting, unclosed", QByteArray("{\\rtf1 ") + QByteArray(5000000, '{')},
        {"closing only", QByteArray("{\\rtf1 a") + QByteArray(1000000, '}')},
        {"huge bin", "{\\rtf1 a\\bin2147483647 b}"},
        {"negative bin", "{\\rtf1 a\\bin-5 b\\par}"},
        {"giant numbers",
         QByteArray("{\\rtf1 \\cf") + QByteArray(100000, '9') + " a\\u-" + QByteArray(100000, '9') + " b}"},
        {"long control word", QByteArray("{\\rtf1 \\") + QByteArray(1000000, 'a') + " b}"},
        {"many fonts", QByteArray("{\\rtf1{\\fonttbl") +
                           QByteArray("\\f1\\f2\\f3\\f4\\f5\\f6\\f7\\f8\\f9").repeated(100000) + "}a}"},
        {"many colours", QByteArray("{\\rtf1{\\colortbl") + QByteArray(1000000, ';') + "}\\cf999999 a}"},
        {"many code pages",
         QByteArray("{\\rtf1 ") +
             QByteArray("\\ansicpg1\\'c0\\ansicpg932\\'82\\ansicpg2\\'c1").repeated(100000) + "}"},
        {"many lines", manyLines},
        {"unicode skips", QByteArray("{\\rtf1\\uc1000000 ") + QByteArray("\\u1042 ").repeated(200000) + "}"},
    };
    for (const auto &c : cases) {
        const StyledText text = readProgramData(c.data);
        // Whatever came out must survive our own writer and reader.
        if (c.data.size() < 1000000) {
            EXPECT_TRUE(sameContent(*readRtf(writeRtf(text)), text)) << c.what;
        }
    }
}

TEST(ProgramFileRobustness, FiftyMegabyteFileIsReadWhole)
{
    const StyledLine l = u8("ПОВТОРИ 10 РАЗ; шаг вперед и поворот направо", 0x0000FF);
    const QByteArray one = writeRtf({l});
    const qsizetype bodyStart = one.indexOf("\\fs24 ") + 6;
    const QByteArray body = one.mid(bodyStart, one.lastIndexOf('}') - bodyStart);
    const qsizetype count = 50 * 1024 * 1024 / body.size();
    const QByteArray rtf = one.left(bodyStart) + body.repeated(count) + "}";
    const StyledText back = readProgramData(rtf);
    ASSERT_EQ(back.size(), count);
    EXPECT_TRUE(sameContent({back.first()}, {l}));
    EXPECT_TRUE(sameContent({back.last()}, {l}));
}

// Inputs the fuzzer once tripped over, kept so they stay fixed.
TEST(ProgramFileRobustness, FuzzRegressionInputs)
{
    QDir dir(QStringLiteral(TRAKMIL_TEST_DATA "/fuzz"));
    const QStringList files = dir.entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const StyledText text = readProgramData(f.readAll());
        const std::optional<StyledText> back = readRtf(writeRtf(text));
        ASSERT_TRUE(back.has_value()) << name.toStdString();
        EXPECT_TRUE(sameContent(*back, text)) << name.toStdString();
    }
}

}   // namespace

// Exactly at a limit is taken; one past it is refused naming the bound, and the first line
// past it, whether the text is plain with any line break, RTF, UTF-16 or one long line.
TEST(ProgramFileLimits, OnePastTheLineOrLengthLimitIsRefusedNamingTheLimit)
{
    QTemporaryDir dir;
    auto load = [&dir](const QByteArray &bytes, QString *error) {
        const QString p = dir.filePath(QStringLiteral("limit.tkm"));
        QFile f(p);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        f.close();
        StyledText out {StyledLine {QStringLiteral("kept"), {}}};
        const bool ok = loadProgramFile(p, ReadLimits {3, 5}, out, error);
        if (!ok) {
            EXPECT_EQ(out.size(), 1);   // a refused file leaves the text alone
        }
        return ok;
    };
    auto rtf = [](const char *body) { return QByteArray("{\\rtf1 ") + body + "}"; };
    auto utf16 = [](const char *text) {
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char *>(QString::fromLatin1(text).utf16()),
                          qsizetype(std::strlen(text)) * 2);
    };
    QString error;
    for (const QByteArray &fits :
         {QByteArray("a\nb\nc\n"), QByteArray("a\r\nb\r\nc"), QByteArray("12345"), QByteArray("\r\n\r\n\r\n"),
          rtf("a\\par b\\par 12345\\par"), rtf("\\par\\line"), utf16("12345\r\n\r\n")}) {
        EXPECT_TRUE(load(fits, &error)) << fits.constData() << ": " << error.toStdString();
    }
    const QString tooMany = QStringLiteral("File too large: more than 3 lines");
    auto tooLong = [](int line) {
        return QStringLiteral("File too large: line %1 is longer than 5 characters").arg(line);
    };
    const std::pair<QByteArray, QString> refused[] = {
        {"a\nb\nc\nd", tooMany},
        {"\r\r\r\r", tooMany},
        {"\n\n\n\n", tooMany},
        {"\f\v\r\n\xE2\x80\xA8\xC3\xA9", tooMany},   // FF, VT, CR LF, U+2028 in UTF-8
        {rtf("a\\par b\\par c\\par d\\par"), tooMany},
        {rtf("a\\par b\\par c\\par d"), tooMany},
        {rtf("\\par\\par\\line"), tooMany},   // the line after a soft break counts
        {utf16("\r\r\r\r"), tooMany},
        {"123456", tooLong(1)},
        {"12345\r\n123456\r\n1234567", tooLong(2)},
        {rtf("a\\par 12\\cf1 34\\u1078?56"), tooLong(2)},
        {rtf("a\\par\\par 123456\\par 1234567"), tooLong(3)},
        {utf16("a\n123456"), tooLong(2)},
    };
    for (const auto &[bytes, reason] : refused) {
        error.clear();
        EXPECT_FALSE(load(bytes, &error)) << bytes.constData();
        EXPECT_EQ(error, reason) << bytes.constData();
    }
}
