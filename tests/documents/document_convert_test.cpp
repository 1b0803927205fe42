// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moving a program between the editor's document and its lines with colours.
#include "documents/DocumentConvert.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

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

// Lines of one colour in a row go in together: each still becomes its own line with its
// colours, whatever the slices, and the caret in an empty line after them types in the base
// format, as after any other line.
TEST(DocumentConvert, LinesOfOneColourInARowStayLinesOfTheirOwn)
{
    const QString marks = QStringLiteral("a\nb") + QChar(0xFDD0) + QStringLiteral("c");
    const StyledText text = {
        line("ШАГ", {{3, 0x0000FF}}),
        line("ПРЫЖОК", {{2, 0x0000FF}, {10, 0x0000FF}}),   // a run past the end
        StyledLine {marks, {{5, 0x0000FF}}},
        line(""),
        line("abc", {{1, 0x00FF00}}),   // the rest black: two colours
        line("без цвета"),
        line("x", {{1, 0x000000}}),
        line("ШАГ", {{3, 0x0000FF}}),
        line(""),
    };
    for (qsizetype slice : {1, 2, 3, 100}) {
        QTextDocument doc;
        {
            DocumentFill fill(doc, text, baseFormat());
            while (!fill.fill(slice)) { }
        }
        ASSERT_EQ(doc.blockCount(), text.size()) << slice;
        const StyledText back = styledFromDocument(doc);
        EXPECT_EQ(back[2].text, QStringLiteral("a b c"));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i != 2) {
                EXPECT_EQ(back[i].text, text[i].text) << slice << " line " << i;
            }
            EXPECT_EQ(characterColours(back[i]), characterColours(text[i])) << slice << " line " << i;
        }
        for (int empty : {3, 8}) {
            const QTextCharFormat typed = QTextCursor(doc.findBlockByNumber(empty)).charFormat();
            EXPECT_FALSE(typed.hasProperty(QTextFormat::ForegroundBrush)) << slice << " line " << empty;
            EXPECT_EQ(typed.fontFamilies(), baseFormat().fontFamilies());
        }
    }
}

TEST(DocumentConvert, EmptyTextLeavesAnEmptyDocument)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("something"));
    setDocumentFromStyled(doc, {}, baseFormat());
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_EQ(doc.blockCount(), 1);
}

}   // namespace
