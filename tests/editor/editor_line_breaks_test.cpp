// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>

namespace {

const QStringList kThreeSteps = {QStringLiteral("ШАГ"), QStringLiteral("ПРЫЖОК"), QStringLiteral("ШАГ")};

// No block of the document may hold a character that shows as a line break.
bool holdsHiddenBreak(const QTextDocument &d)
{
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        for (QChar c : b.text())
            if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == u'\v' || c == u'\f')
                return true;
    }
    return false;
}

}   // namespace

TEST(EditorLineBreaks, ShiftEnterStartsARealLineLikeEnter)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        EditorHarness h;
        h.type(QStringLiteral("ШАГ"));
        h.key(key, Qt::ShiftModifier);
        h.type(QStringLiteral("ШАГ"));
        EXPECT_EQ(h->lineCount(), 2) << key;
        EXPECT_EQ(h->line(0), QStringLiteral("ШАГ"));
        EXPECT_EQ(h->line(1), QStringLiteral("ШАГ"));
        EXPECT_EQ(h->caretLineColumn(), (LineColumn {1, 3}));
        EXPECT_FALSE(holdsHiddenBreak(*h->document()));
        // What is stored holds two paragraphs, not one line with a soft break.
        const QByteArray rtf = writeRtf(styledFromDocument(*h->document()));
        EXPECT_FALSE(rtf.contains("\\u8232")) << rtf.constData();
        EXPECT_EQ(plainLines(*readRtf(rtf)), (QStringList {"ШАГ", "ШАГ"}));
    }
}

TEST(EditorLineBreaks, PastedSeparatorsOfEveryKindGiveLines)
{
    const QString joined[] = {
        QStringLiteral("ШАГ\u2028ПРЫЖОК\u2029ШАГ"),
        QStringLiteral("ШАГ\vПРЫЖОК\fШАГ"),
        QStringLiteral("ШАГ\r\nПРЫЖОК\rШАГ"),
    };
    for (const QString &text : joined) {
        EditorHarness h;
        auto *md = new QMimeData;
        md->setText(text);
        QApplication::clipboard()->setMimeData(md);
        h->pasteClipboard();
        EXPECT_EQ(h.lines(), kThreeSteps) << text.toStdString();
        EXPECT_FALSE(holdsHiddenBreak(*h->document()));
    }
}

TEST(EditorLineBreaks, PastedRichTextWithInnerSeparatorsGivesLines)
{
    {
        EditorHarness h;
        auto *md = new QMimeData;
        // Preformatted, so that the separator is not whitespace to fold.
        md->setHtml(QStringLiteral("<p style=\"white-space:pre\">ШАГ\vПРЫЖОК\u2029ШАГ</p>"));
        QApplication::clipboard()->setMimeData(md);
        h->pasteClipboard();
        EXPECT_EQ(h.lines(), kThreeSteps);
        EXPECT_FALSE(holdsHiddenBreak(*h->document()));
    }
    {
        EditorHarness h;
        auto *md = new QMimeData;
        md->setData(QStringLiteral("text/rtf"),
                    "{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red128\\green0\\blue0;}"
                    "\\cf1 \\'d8\\'c0\\'c3\\u8232?\\'cf\\'d0\\'db\\'c6\\'ce\\'ca\\'0c\\'d8\\'c0\\'c3\\par}");
        QApplication::clipboard()->setMimeData(md);
        h->pasteClipboard();
        EXPECT_EQ(h.lines(), kThreeSteps);
        EXPECT_FALSE(holdsHiddenBreak(*h->document()));
    }
}

TEST(EditorLineBreaks, LoadedLinesNeverHoldASeparator)
{
    // Lines from elsewhere that still carry one keep their count and show it as a space.
    EditorHarness h;
    StyledText text {{QStringLiteral("ШАГ\u2028ШАГ"), {}}, {QStringLiteral("А\vБ\fВ\u2029Г"), {}}};
    setDocumentFromStyled(*h->document(), text, h->currentCharFormat());
    EXPECT_EQ(h->lineCount(), 2);
    EXPECT_EQ(h->line(0), QStringLiteral("ШАГ ШАГ"));
    EXPECT_EQ(h->line(1), QStringLiteral("А Б В Г"));
}

TEST(EditorLineBreaks, TextFromAnInputMethodWithSeparatorsGivesLines)
{
    EditorHarness h;
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("ШАГ\u2028ПРЫЖОК\u2029ШАГ"));
    QCoreApplication::sendEvent(h.ed.get(), &commit);
    EXPECT_EQ(h.lines(), kThreeSteps);
    EXPECT_FALSE(holdsHiddenBreak(*h->document()));
}
