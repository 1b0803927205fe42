// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moving a program between the editor's document and its lines with colours.
#include "documents/DocumentConvert.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <random>

namespace {

QTextCharFormat baseFormat()
{
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(12);
    return f;
}

StyledLine line(const char *utf8, QList<ColourRun> runs = {})
{
    return StyledLine {QString::fromUtf8(utf8), runs};
}

TEST(DocumentConvert, LinesAndColoursSurviveTheDocument)
{
    const StyledText text = {
        line("НАЧАЛО АЛГОРИТМА", {{16, 0x000080}}),
        line(""),
        line("ШАГ 😀", {{3, 0x0000FF}, {1, 0x000000}, {2, 0xFF00FF}}),
        line("без цвета"),
        line(""),
    };
    QTextDocument doc;
    setDocumentFromStyled(doc, text, baseFormat());
    EXPECT_EQ(doc.blockCount(), 5);
    const StyledText back = styledFromDocument(doc);
    EXPECT_EQ(plainLines(back), plainLines(text));
    EXPECT_TRUE(sameContent(back, text));
    EXPECT_EQ(doc.begin().begin().fragment().charFormat().fontFamilies(), baseFormat().fontFamilies());
}

TEST(DocumentConvert, TextWithoutBrushIsBlackAndEmptyDocumentIsOneLine)
{
    QTextDocument doc;
    EXPECT_EQ(plainLines(styledFromDocument(doc)), QStringList {""});
    doc.setPlainText(QStringLiteral("abc\n\ndef"));
    const StyledText text = styledFromDocument(doc);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(characterColours(text[0]), (QList<QRgb> {0, 0, 0}));
    EXPECT_EQ(text[1].text, "");
}

TEST(DocumentConvert, ReplacingIsOneUndoStep)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old\ntext"));
    setDocumentFromStyled(doc, {line("new", {{3, 0x0000FF}}), line("lines"), line("here")}, baseFormat());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new\nlines\nhere"));
    doc.undo();
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("old\ntext"));
    EXPECT_FALSE(doc.isUndoAvailable());
    doc.redo();
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new\nlines\nhere"));
}

TEST(DocumentConvert, LineBreaksInsideALineDoNotSplitIt)
{
    QTextDocument doc;
    const StyledText text = {
        StyledLine {QStringLiteral("a\nb\rc") + QChar(QChar::ParagraphSeparator) + "d", {}}, line("next")};
    setDocumentFromStyled(doc, text, baseFormat());
    EXPECT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(plainLines(styledFromDocument(doc)), (QStringList {"a b c d", "next"}));
}

TEST(DocumentConvert, EmptyTextLeavesAnEmptyDocument)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("something"));
    setDocumentFromStyled(doc, {}, baseFormat());
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_EQ(doc.blockCount(), 1);
}

// The text goes in a slice at a time and is coloured afterwards: every character must
// still get its own run's colour, whatever the lines' lengths, the runs' lengths (none,
// zero, past the end) and where the slices end. The line breaks keep the base format,
// which is what an empty line gives to the text typed into it.
TEST(DocumentConvert, RandomColouredProgramsArriveCharacterByCharacter)
{
    std::mt19937 random(37);
    const QString pieces[] = {QStringLiteral("ШАГ"), QStringLiteral(" "),    QStringLiteral("x"),
                              QStringLiteral("😀"),   QStringLiteral("a\nb"), QString()};
    const QRgb colours[] = {0x000000, 0x0000FF, 0xFF00FF, 0x008000, 0xFFFFFF};
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    for (int round = 0; round < 40; ++round) {
        StyledText text;
        const int lines = 1 + pick(60);
        for (int k = 0; k < lines; ++k) {
            StyledLine l;
            for (int n = pick(5); n > 0; --n) l.text += pieces[pick(6)];
            for (int n = pick(4); n > 0; --n) l.runs.append(ColourRun {pick(6), colours[pick(5)]});
            text.append(l);
        }
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("what was there"));
        {
            DocumentFill fill(doc, text, baseFormat());
            const int slice = 1 + pick(lines);
            while (!fill.fill(slice)) { }
        }
        ASSERT_EQ(doc.blockCount(), lines) << round;
        const StyledText back = styledFromDocument(doc);
        for (int k = 0; k < lines; ++k) {
            QString expected = text[k].text;
            expected.replace(QLatin1Char('\n'), QLatin1Char(' '));
            ASSERT_EQ(back[k].text, expected) << round << " line " << k;
            ASSERT_EQ(characterColours(back[k]), characterColours(text[k])) << round << " line " << k;
            const QTextBlock b = doc.findBlockByNumber(k);
            EXPECT_FALSE(b.charFormat().hasProperty(QTextFormat::ForegroundBrush)) << round << " line " << k;
            for (auto it = b.begin(); !it.atEnd(); ++it)
                ASSERT_EQ(it.fragment().charFormat().fontPointSize(), 12) << round << " line " << k;
        }
    }
}

}   // namespace
