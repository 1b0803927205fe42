// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Program files written by other programs: the text and colours a pupil would expect.
#include "documents/ProgramFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readData(const QString &relative)
{
    QFile f(QStringLiteral(TRAKMIL_TEST_DATA "/") + relative);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative.toStdString();
    return f.readAll();
}

// The oracle files hold one line per '\n'-terminated line, in UTF-8.
QStringList expectedLines(const QString &name)
{
    QString all = QString::fromUtf8(readData("rtf/expected/" + name + ".txt"));
    if (all.endsWith('\n')) all.chop(1);
    return all.split('\n');
}

// The colour of a line whose characters all share one; -1 when they differ.
qint64 lineColour(const StyledLine &line)
{
    const QList<QRgb> colours = characterColours(line);
    if (colours.isEmpty()) return 0;
    for (QRgb c : colours)
        if (c != colours.first()) return -1;
    return colours.first();
}

struct Sample {
    const char *name;
    QList<qint64> colours;   // per line, for as many lines as listed
};

void PrintTo(const Sample &s, std::ostream *os) { *os << s.name; }

class ForeignRtf : public ::testing::TestWithParam<Sample> { };

TEST_P(ForeignRtf, ReadsTheLinesAndColoursOthersSee)
{
    const Sample &s = GetParam();
    const std::optional<StyledText> text = readRtf(readData(QStringLiteral("rtf/%1.rtf").arg(s.name)));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(plainLines(*text), expectedLines(s.name));
    for (qsizetype i = 0; i < s.colours.size() && i < text->size(); ++i)
        EXPECT_EQ(lineColour(text->at(i)), s.colours[i]) << s.name << " line " << i;
}

const qint64 kBlue = 0x0000FF, kRed = 0xFF0000, kGreen = 0x008000;

INSTANTIATE_TEST_SUITE_P(
    Samples, ForeignRtf,
    ::testing::Values(Sample {"wine_riched20_3lines", {kBlue, kRed, kGreen}},
                      Sample {"wine_riched20_4lines", {kBlue, kRed, kGreen, 0}},
                      Sample {"libreoffice_from_html_colored", {kBlue, kRed, kGreen, 0}},
                      Sample {"libreoffice_from_txt_cp1251", {0, 0, 0, 0}},
                      Sample {"libreoffice_roundtrip_of_richedit_style", {kBlue, kRed, kGreen}},
                      Sample {"pandoc_from_html", {0, 0, 0, 0, 0, 0}},
                      Sample {"pandoc_from_markdown_linebreak", {0, 0, 0}},
                      Sample {"abiword_from_html_colored", {kBlue, kRed, kGreen, 0, 0, 0}},
                      Sample {"enscript_python_cp1251", {0xB22222}}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(ForeignRtf, NestedColourGroupsRestoreTheOuterColour)
{
    const StyledText text = *readRtf(readData("rtf/enscript_python_cp1251.rtf"));
    ASSERT_GE(text.size(), 2);
    const StyledLine &x = text[1];   // x = "Вперёд": black, then the string's colour
    ASSERT_EQ(x.text, QString::fromUtf8("x = \"Вперёд\""));
    const QList<QRgb> colours = characterColours(x);
    EXPECT_EQ(colours.first(), 0u);
    EXPECT_EQ(colours.at(4), 0xBC8F8Fu);
    EXPECT_EQ(colours.last(), 0xBC8F8Fu);
}

// Small hand-made files, each about one rule of how bytes become characters.
TEST(ForeignRtf, CodePageAndUnicodeRules)
{
    const struct {
        const char *file;
        QStringList lines;
    } cases[] = {
        // The font's charset wins over \ansicpg, a default charset falls back to it.
        {"A_cpg1251_fcharset0", {QString::fromUtf8("A:Âïåð")}},
        {"B_cpg1252_fcharset204", {QString::fromUtf8("B:Впер")}},
        {"C_cpg1251_nofonttbl", {QString::fromUtf8("C:Впер")}},
        {"D_cpg1251_fcharset1", {QString::fromUtf8("D:Впер")}},
        // \uc is scoped by groups; negative \u values wrap to 16 bits.
        {"E_unicode_skip", {QString::fromUtf8("E:Впер|") + QChar(0xF0B7) + QString::fromUtf8("|Вx")}},
        {"F_specials", {QString::fromUtf8("keep?F:a\tb\u00A0cd\u2011e"), QString::fromUtf8("f\u2014")}},
        {"G_writer_candidate_u_plus_hex",
         {QString::fromUtf8("Вперёд 10"), QString::fromUtf8("Направо; {x} \\ путь"),
          QString::fromUtf8("Повтори 3 «—» № 5"), QString::fromUtf8("обычный цвет")}},
        {"H_writer_candidate_hex_only",
         {QString::fromUtf8("Вперёд 10"), QString::fromUtf8("Направо; {x} \\ путь"),
          QString::fromUtf8("Повтори 3 «—» № 5"), QString::fromUtf8("обычный цвет")}},
        // A fallback never swallows a group, a paragraph mark or the second half of a pair.
        {"I_skip_edges",
         {QString::fromUtf8("I1:ВXY"), QString::fromUtf8("I2:Г"), QString::fromUtf8("I3:ДZ"),
          QString::fromUtf8("I4:😊")}},
    };
    for (const auto &c : cases) {
        const std::optional<StyledText> text = readRtf(readData(QStringLiteral("rtf/%1.rtf").arg(c.file)));
        ASSERT_TRUE(text.has_value()) << c.file;
        EXPECT_EQ(plainLines(*text), c.lines) << c.file;
    }
}

TEST(ForeignRtf, InlineEdgeCases)
{
    const struct {
        const char *rtf;
        QStringList lines;
    } cases[] = {
        {"{\\rtf1 a\\par b}", {"a", "b"}},
        {"{\\rtf1 a\\par}", {"a"}},
        {"{\\rtf1 a\\line}", {"a", ""}},
        {"{\\rtf1 a\\par\\par}", {"a", ""}},
        {"{\\rtf1}", {}},
        // A stray destination word at the top level does not hide the text after it.
        {"{\\rtf1 \\info a\\par}", {"a"}},
        {"{\\rtf1 {\\info hidden}{\\*\\x hidden}{\\field{\\*\\fldinst X}{\\fldrslt shown}}\\par}", {"shown"}},
        // Unclosed groups, a cut escape and a lone backslash at the end.
        {"{\\rtf1 {{{a\\par b", {"a", "b"}},
        {"{\\rtf1 a\\'c", {"a"}},
        {"{\\rtf1 a\\", {"a"}},
        {"{\\rtf1 a\\'zz b}", {"azz b"}},
        // \bin data is never text, whatever bytes it holds.
        {"{\\rtf1 a\\bin3 }{\\b\\par}", {"ab"}},
        {"{\\rtf1 a\\bin99999999999999999999 xyz}", {"a"}},
        {"{\\rtf1 a\\u99999999999999 b\\par}", {"a\uFFFD"}},
        {"{\\rtf1\\uc99999999999 a\\u1042 bcd}e\\par}", {"aВ"}},
        {"{\\rtf1 \\cf99999999999999999 a\\cf-5 b\\par}", {"ab"}},
        {"\xEF\xBB\xBF  {\\rtf1 bom\\par}", {"bom"}},
        {"{\\rtf1 a}trailing\\par", {"a"}},
        {"{\\rtf1 \\\r\nx\\\ny}", {"", "x", "y"}},
    };
    for (const auto &c : cases) {
        const std::optional<StyledText> text = readRtf(QByteArray(c.rtf));
        ASSERT_TRUE(text.has_value()) << c.rtf;
        EXPECT_EQ(plainLines(*text), c.lines) << c.rtf;
    }
}

TEST(ForeignRtf, ColourTableEdges)
{
    // A table without the leading auto entry; an index past the end is black.
    const StyledText text = *readRtf("{\\rtf1{\\colortbl\\red255\\green0\\blue0;\\red0\\green0\\blue300;}"
                                     "\\cf0 a\\cf1 b\\cf7 c{\\cf1 d}e\\plain f\\par}");
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(characterColours(text[0]), (QList<QRgb> {0xFF0000, 0x0000FF, 0, 0x0000FF, 0, 0xFF0000}));
}

TEST(ForeignRtf, NotRtfIsRefused)
{
    EXPECT_FALSE(readRtf("plain text").has_value());
    EXPECT_FALSE(readRtf("").has_value());
    EXPECT_FALSE(readRtf("{\\rt").has_value());
}

}   // namespace
