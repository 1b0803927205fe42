// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

using namespace LineColour;

namespace {

// Every character's colour on the line, "-" where a character has none of its own.
std::string characterColours(AlgorithmEditor &ed, int line, int from = 0, int count = -1)
{
    QStringList out;
    const QTextBlock b = ed.document()->findBlockByNumber(line);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (!f.isValid()) continue;
        const QTextCharFormat cf = f.charFormat();
        const QString c = cf.hasProperty(QTextFormat::ForegroundBrush) ? hex(cf.foreground().color().rgb())
                                                                       : QStringLiteral("-");
        for (int i = 0; i < f.length(); ++i) out << c;
    }
    return out.mid(from, count).join(QLatin1Char(' ')).toStdString();
}

std::string repeated(QRgb colour, int count)
{
    return QStringList(count, hex(colour)).join(QLatin1Char(' ')).toStdString();
}

// Loads coloured lines the way Open does.
void loadStyled(AlgorithmEditor &ed, const StyledText &text)
{
    setDocumentFromStyled(*ed.document(), text, ed.currentCharFormat());
    ed.document()->clearUndoRedoStacks();
}

void select(AlgorithmEditor &ed, int fromLine, int fromColumn, int toLine, int toColumn)
{
    QTextCursor c(ed.document());
    c.setPosition(ed.document()->findBlockByNumber(fromLine).position() + fromColumn);
    c.setPosition(ed.document()->findBlockByNumber(toLine).position() + toColumn, QTextCursor::KeepAnchor);
    ed.setTextCursor(c);
}

// Lines of every kind a copy must carry: several colours, two colours on one line, an
// empty line, spaces at both ends, characters that mean something in markup, a tab.
StyledText colouredProgram()
{
    return {{QStringLiteral("НАЧАЛО АЛГОРИТМА"), {{16, Blue}}},
            {QStringLiteral("ШАГ"), {{3, Navy}}},
            {QString(), {}},
            {QStringLiteral("  ПОВОРОТ 90  "), {{4, Maroon}, {5, Teal}, {5, Maroon}}},
            {QStringLiteral("* a<b> & \"c\"\tтаб"), {{16, Gray}}},
            {QStringLiteral("ЦВЕТ=КРАСНЫЙ"), {{12, Purple}}},
            {QStringLiteral("КОНЕЦ АЛГОРИТМА"), {{15, Blue}}}};
}

}   // namespace

TEST(AlgorithmEditorClipboardRoundTrip, CopiedColouredLinesPasteBackIntoAnotherWindowAlike)
{
    EditorHarness from;
    loadStyled(*from, colouredProgram());
    ASSERT_EQ(characterColours(*from, 3, 3, 3), repeated(Maroon, 1) + " " + repeated(Teal, 2));

    select(*from, 1, 0, 6, 0);   // whole lines, ending after a line break
    from->copySelection();
    const QMimeData *md = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(md);
    EXPECT_TRUE(md->hasHtml());
    EXPECT_TRUE(md->hasFormat(QStringLiteral("text/rtf")));
    const QStringList source = from.lines();
    EXPECT_EQ(md->text(), source.mid(1, 5).join(QLatin1Char('\n')) + QLatin1Char('\n'));

    EditorHarness to;
    to.load(QStringLiteral("ПРЫЖОК\n"));
    to->setCaret(1, 0);
    to->pasteClipboard();
    ASSERT_EQ(to->lineCount(), 7);
    EXPECT_EQ(to->line(0), QStringLiteral("ПРЫЖОК"));
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(to->line(k), from->line(k));
        EXPECT_EQ(characterColours(*to, k), characterColours(*from, k));
    }
    EXPECT_EQ(to->line(6), QString());
    EXPECT_EQ(to->caretLineColumn(), (LineColumn {6, 0}));
}

TEST(AlgorithmEditorClipboardRoundTrip, PartOfALineAndAcrossLinesCarriesOnlyTheSelection)
{
    EditorHarness h;
    loadStyled(*h, {{QStringLiteral("ПОВОРОТ 90"), {{8, Navy}, {2, Maroon}}},
                    {QStringLiteral("УНИЧТОЖИТЬ"), {{3, Teal}, {7, Fuchsia}}},
                    {QString(), {}}});   // where the caret ends, and the handler colours
    select(*h, 0, 8, 1, 3);
    h->cutSelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("90\nУНИ"));
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ПОВОРОТ ЧТОЖИТЬ\n"));

    // Back where it came from, with the handler's colouring left out: the colours
    // return with the characters.
    h->setChangeHandlerColours(false);
    h->setCaret(0, 8);
    h->pasteClipboard();
    EXPECT_EQ(h->line(0), QStringLiteral("ПОВОРОТ 90"));
    EXPECT_EQ(h->line(1), QStringLiteral("УНИЧТОЖИТЬ"));
    EXPECT_EQ(characterColours(*h, 0, 8), repeated(Maroon, 2));
    EXPECT_EQ(characterColours(*h, 1, 0, 3), repeated(Teal, 3));

    h->setCaret(1, 2);   // nothing selected: the clipboard keeps what it had
    h->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("90\nУНИ"));
}

TEST(AlgorithmEditorClipboardRoundTrip, CharactersWithoutAColourTakeTheColourAtTheCaret)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\nпросто текст"));
    h->paintLine(0, Navy);
    ASSERT_EQ(characterColours(*h, 1, 0, 1), "-");
    select(*h, 1, 0, 1, 6);
    h->copySelection();
    h->setChangeHandlerColours(false);
    h->setCaret(0, 1);
    h->pasteClipboard();
    EXPECT_EQ(h->line(0), QStringLiteral("ШпростоАГ"));
    EXPECT_EQ(characterColours(*h, 0), repeated(Navy, 9));
}

// A program file opened in a word processor and copied from there comes as RTF alone.
TEST(AlgorithmEditorClipboardRoundTrip, RichTextInTheProgramFileFormatKeepsItsColours)
{
    const StyledText text {{QStringLiteral("ШАГ"), {{3, Navy}}},
                           {QStringLiteral("ЦВЕТ=КРАСНЫЙ"), {{5, Purple}, {7, Teal}}},
                           {QStringLiteral("\\{x}"), {}}};
    auto *md = new QMimeData;
    md->setData(QStringLiteral("text/rtf"), writeRtf(text));
    md->setText(QStringLiteral("not this"));
    QApplication::clipboard()->setMimeData(md);
    EditorHarness h;
    h->pasteClipboard();
    ASSERT_EQ(h->lineCount(), 3);
    EXPECT_EQ(h->line(1), QStringLiteral("ЦВЕТ=КРАСНЫЙ"));
    EXPECT_EQ(h->line(2), QStringLiteral("\\{x}"));
    EXPECT_EQ(characterColours(*h, 0), repeated(Navy, 3));
    EXPECT_EQ(characterColours(*h, 1), repeated(Purple, 5) + " " + repeated(Teal, 7));

    // Broken RTF falls back to the plain text offered beside it.
    md = new QMimeData;
    md->setData(QStringLiteral("text/rtf"), QByteArray("not rtf at all"));
    md->setText(QStringLiteral("ПРЫЖОК"));
    QApplication::clipboard()->setMimeData(md);
    h->selectEverything();
    h->pasteClipboard();
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ПРЫЖОК"));
}

// The window's handler moves the caret after every change; a cursor made while the
// document is being emptied from inside would never be told of later edits.
TEST(AlgorithmEditorClear, EmptiesAsOneChangeThatTheHandlerSeesWhole)
{
    for (bool viaPlainText : {false, true}) {
        SCOPED_TRACE(viaPlainText);
        EditorHarness h;
        h.load(QStringLiteral("ШАГ\nПРЫЖОК\nПОВОРОТ 90"));
        h->recolourAll();
        h->setCaret(2, 4);
        int changes = 0;
        std::optional<QTextCursor> kept;
        const auto conn = QObject::connect(h.ed.get(), &AlgorithmEditor::documentChanged, [&] {
            ++changes;
            EXPECT_EQ(h->toPlainText(), QString());
            h->setCaret(0, 0);
            kept = QTextCursor(h->document());
        });
        if (viaPlainText)
            h->setPlainText(QString());
        else
            h->clear();
        QObject::disconnect(conn);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(h->lineCount(), 1);
        EXPECT_FALSE(h->document()->isUndoAvailable());
        ASSERT_TRUE(kept);
        kept->insertText(QStringLiteral("ШАГ"));
        QTextCursor(h->document()).insertText(QStringLiteral("\n"));
        EXPECT_EQ(kept->position(), 4);

        h.load(QString());
        h.type(QStringLiteral("ШАГ"));
        EXPECT_EQ(h->line(0), QStringLiteral("ШАГ"));
        EXPECT_COLOR(h->lineColour(0), Navy);
    }
}
