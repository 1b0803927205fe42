// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Line separators other than CR and LF, as editors and word processors write them.
#include "documents/ProgramFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QByteArray cp1251(const QString &text) { return QStringEncoder("windows-1251").encode(text); }

const QStringList kProgram = {QStringLiteral("НАЧАЛО АЛГОРИТМА"), QStringLiteral("ШАГ"),
                              QStringLiteral("КОНЕЦ АЛГОРИТМА")};

}   // namespace

TEST(ProgramFileLineBreaks, PlainTextSeparatorsOfEveryKindEndLines)
{
    const struct {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        // Windows-1251 has vertical tab and form feed only.
        {cp1251(QStringLiteral("НАЧАЛО АЛГОРИТМА\vШАГ\fКОНЕЦ АЛГОРИТМА")), kProgram},
        {cp1251(QStringLiteral("НАЧАЛО АЛГОРИТМА\r\nШАГ\f\fКОНЕЦ АЛГОРИТМА")),
         {kProgram[0], kProgram[1], QString(), kProgram[2]}},
        // UTF-8, with and without a mark, carries the Unicode separators too.
        {QStringLiteral("НАЧАЛО АЛГОРИТМА\u2028ШАГ\u2029КОНЕЦ АЛГОРИТМА\u2029").toUtf8(), kProgram},
        {"\xEF\xBB\xBF" + QStringLiteral("НАЧАЛО АЛГОРИТМА\u2028ШАГ\vКОНЕЦ АЛГОРИТМА").toUtf8(), kProgram},
        {QByteArray("STEP\x0bJUMP"), {"STEP", "JUMP"}},
    };
    for (const auto &c : cases) {
        const StyledText text = readProgramData(c.data);
        EXPECT_EQ(plainLines(text), c.lines) << c.data.toHex().constData();
    }
}

TEST(ProgramFileLineBreaks, RtfSoftBreaksAndEscapedSeparatorsEndLinesAndKeepColours)
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1251{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128\\blue0;}"
        "\\cf1 \\'cd\\'c0\\'d7\\'c0\\'cb\\'ce \\'c0\\'cb\\'c3\\'ce\\'d0\\'c8\\'d2\\'cc\\'c0\\u8232?"
        "\\cf2 \\'d8\\'c0\\'c3\\'0c\\'d8\\'c0\\'c3\\u8233?\\'d8\\'c0\\'c3\\'0b"
        "\\cf1 \\'ca\\'ce\\'cd\\'c5\\'d6 \\'c0\\'cb\\'c3\\'ce\\'d0\\'c8\\'d2\\'cc\\'c0\\par}";
    const std::optional<StyledText> text = readRtf(rtf);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(plainLines(*text), (QStringList {kProgram[0], "ШАГ", "ШАГ", "ШАГ", kProgram[2]}));
    ASSERT_EQ(text->size(), 5);
    EXPECT_EQ(characterColours(text->at(0)), QList<QRgb>(16, 0x0000FF));
    EXPECT_EQ(characterColours(text->at(2)), QList<QRgb>(3, 0x008000));
    EXPECT_EQ(characterColours(text->at(4)), QList<QRgb>(15, 0x0000FF));
    // Written again, every line is a paragraph of its own.
    const std::optional<StyledText> back = readRtf(writeRtf(*text));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(sameContent(*back, *text));
}

TEST(ProgramFileLineBreaks, ASeparatorAtTheEndIsTheLastLineBreak)
{
    // As with CR LF, a separator that ends the text does not start an empty line.
    EXPECT_EQ(plainLines(readProgramData(QByteArray("STEP\x0c"))), QStringList {"STEP"});
    EXPECT_EQ(plainLines(*readRtf("{\\rtf1 STEP\\u8233?}")), QStringList {"STEP"});
    // A soft break in RTF is like \line: the empty remainder is a line of its own.
    EXPECT_EQ(plainLines(*readRtf("{\\rtf1 STEP\\u8232?}")), (QStringList {"STEP", ""}));
}
