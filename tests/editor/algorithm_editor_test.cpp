// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "documents/DocumentConvert.h"
#include "editor/TextColour.h"
#include "editor/TextInternals.h"
#include "lang/Normalize.h"
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTextTable>
#include <random>

using namespace LineColour;

TEST(AlgorithmEditorTyping, StepTurnsNavyOnlyWhenComplete)
{
    EditorHarness h;
    h.type(QStringLiteral("Ш"));
    EXPECT_COLOR(h->lineColour(0), Black);
    h.type(QStringLiteral("А"));
    EXPECT_COLOR(h->lineColour(0), Black);
    h.type(QStringLiteral("Г"));
    EXPECT_EQ(h->line(0), QStringLiteral("ШАГ"));
    EXPECT_COLOR(h->lineColour(0), Navy);
    EXPECT_TRUE(h->lineIsUniform(0));
}

TEST(AlgorithmEditorTyping, LowerCaseWithSpacesIsNormalised)
{
    EditorHarness h;
    h.type(QStringLiteral("  шаг  "));
    EXPECT_COLOR(h->lineColour(0), Navy);
    EXPECT_TRUE(h->lineIsUniform(0));
}

TEST(AlgorithmEditorTyping, CountedLoopGreenOnlyWithTimes)
{
    EditorHarness h;
    h.type(QStringLiteral("ЦИКЛ. ВЫПОЛНИТЬ 3"));
    EXPECT_COLOR(h->lineColour(0), Black);
    h.type(QStringLiteral(" РАЗ"));
    EXPECT_COLOR(h->lineColour(0), Green);
}

TEST(AlgorithmEditorTyping, EnterLeavesTheKeyHandlersColour)
{
    EditorHarness h;
    h.type(QStringLiteral("УНИЧТОЖИТЬ"));
    EXPECT_COLOR(h->lineColour(0), Fuchsia);
    h.key(Qt::Key_Return);
    EXPECT_COLOR(h->lineColour(0), Teal);   // the key handler's table
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {1, 0}));

    h.type(QStringLiteral("КОНЕЦ УСЛОВИЯ"));
    EXPECT_COLOR(h->lineColour(1), Teal);
    h.key(Qt::Key_Return);
    EXPECT_COLOR(h->lineColour(1), Black);   // no row for it in the key handler
    h->recolourAll();
    EXPECT_COLOR(h->lineColour(0), Fuchsia);
    EXPECT_COLOR(h->lineColour(1), Teal);
}

TEST(AlgorithmEditorTyping, CharacterKeyWithPartOfALineSelectedActsAtSelectionEnd)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК"));
    QTextCursor c = h->textCursor();
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor);
    h->setTextCursor(c);
    h.type(QStringLiteral("x"));
    EXPECT_EQ(h->line(0), QStringLiteral("ПРЫЖxОК"));
    EXPECT_FALSE(h->textCursor().hasSelection());

    c = h->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    h->setTextCursor(c);
    h.key(Qt::Key_Backspace);   // deletes the character before the selection's end
    EXPECT_EQ(h->line(0), QStringLiteral("ПРЖxОК"));

    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    h->setTextCursor(c);
    h.key(Qt::Key_Delete);   // no character: removes the selection as usual
    EXPECT_EQ(h->line(0), QStringLiteral("ЖxОК"));
}

// Typed characters and Backspace take the editor's own short way: the caret must still be
// followed on screen and announced, and a read-only editor must still refuse them.
TEST(AlgorithmEditorTyping, TypedKeysMoveTheCaretInSightAndOnlyWhereEditable)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК"));
    h->setCaret(0, 6);
    QSignalSpy moved(h.ed.get(), &QPlainTextEdit::cursorPositionChanged);
    h.type(QString(80, QLatin1Char('x')));
    EXPECT_EQ(moved.count(), 80);
    EXPECT_GT(h->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(h->viewport()->rect().contains(h->cursorRect().center()));
    h.key(Qt::Key_Backspace);
    EXPECT_EQ(h->line(0).size(), 85);
    EXPECT_EQ(moved.count(), 81);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {0, 85}));

    h->setReadOnly(true);
    h.type(QStringLiteral("y"));
    h.key(Qt::Key_Backspace);
    EXPECT_EQ(h->line(0).size(), 85);
    EXPECT_FALSE(h->line(0).contains(QLatin1Char('y')));
}

// A key that changes its line's colour is one change of that line: the lines below are
// neither laid out again nor repainted.
TEST(AlgorithmEditorTyping, AKeyThatRecoloursItsLineRepaintsOnlyThatLine)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\nПРЫЖОК\nПОВОРОТ 90\nШАГ\nШАГ\nШАГ\nШАГ\nШАГ"));
    h->recolourAll();
    h->setCaret(1, 3);
    QApplication::processEvents();
    QRect repainted;
    QObject::connect(h.ed.get(), &QPlainTextEdit::updateRequest, [&](const QRect &r, int dy) {
        if (dy == 0) repainted |= r.intersected(h->viewport()->rect());
    });
    h.type(QStringLiteral("x"));
    EXPECT_COLOR(h->lineColour(1), Black);
    h.key(Qt::Key_Backspace);
    EXPECT_COLOR(h->lineColour(1), Navy);
    // The caret is as high as its line.
    EXPECT_LE(repainted.height(), h->cursorRect().height() + 2);
    EXPECT_TRUE(h->document()->findBlockByNumber(2).layout()->lineCount() > 0);
}

TEST(AlgorithmEditorChange, DoubleStarBecomesGrayStarAndOpensTheDialog)
{
    EditorHarness h;
    int opened = 0;
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h->openExtendedSettings = [&] {
        ++opened;
        EXPECT_EQ(h->line(0), QStringLiteral("*"));
        EXPECT_COLOR(h->lineColour(0), Gray);
    };
    h.type(QStringLiteral("**"));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(h->line(0), QStringLiteral("*"));
    EXPECT_COLOR(h->lineColour(0), Gray);
    EXPECT_GE(changed.count(), 3);
}

TEST(AlgorithmEditorChange, ExtendedSettingsDirectiveTurnsSilverThenGrayOnRefresh)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\n"));
    h->setCaret(1, 0);
    h->openExtendedSettings = [&] { h->replaceCaretLine(QStringLiteral("*$S=250")); };
    h.type(QStringLiteral("**"));
    EXPECT_EQ(h->line(1), QStringLiteral("*$S=250"));
    EXPECT_COLOR(h->lineColour(1), Silver);
    EXPECT_EQ(h->line(0), QStringLiteral("ШАГ"));
    h->recolourAll();
    EXPECT_COLOR(h->lineColour(1), Gray);
    h->setCaret(1, 7);
    h.type(QStringLiteral("0"));
    EXPECT_COLOR(h->lineColour(1), Silver);
}

TEST(AlgorithmEditorChange, ProgramReplacementRunsTheHandlerOnce)
{
    EditorHarness h;
    h.load(QStringLiteral("а\nб"));
    h->setCaret(1, 0);
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h->replaceLine(1, QStringLiteral("ПРЫЖОК"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_COLOR(h->lineColour(1), Navy);
    h->replaceLine(7, QStringLiteral("x"));   // outside the text: nothing
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(h->lineCount(), 2);
    EXPECT_EQ(h->line(2), QString());
    EXPECT_EQ(h->line(-1), QString());
}

TEST(AlgorithmEditorChange, KeyThatChangesNoTextReportsNoChange)
{
    EditorHarness h;
    h.load(QStringLiteral("УНИЧТОЖИТЬ"));
    h->recolourAll();
    h->setCaret(0, 0);
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h.key(Qt::Key_Backspace);   // at the very start: nothing to delete
    h.key(Qt::Key_Right);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_COLOR(h->lineColour(0), Teal);   // the key handler still coloured
    h.key(Qt::Key_Delete);
    EXPECT_EQ(changed.count(), 1);
}

// A refresh reads every line's text from the document in one piece: each line must get
// its own colour, whole, whatever the lengths and colours of the lines around it.
TEST(AlgorithmEditorRefresh, EveryLineTakesItsOwnColourWhole)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК\n\nУНИЧТОЖИТЬ\nчто-то\n*$S=250\nПРЫЖОК\nКОНЕЦ УСЛОВИЯ\n\nПРЫЖОК"));
    // Line 2 half Maroon, half Green; line 3 (plain text) wrongly Navy.
    QTextCursor c(h->document()->findBlockByNumber(2));
    c.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 4);
    c.setCharFormat(withColour(QTextCharFormat(), Maroon));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.setCharFormat(withColour(QTextCharFormat(), Green));
    h->paintLine(3, Navy);
    h->document()->clearUndoRedoStacks();
    h->recolourAll();
    const QList<QRgb> want {Navy, Black, Fuchsia, Black, Gray, Navy, Teal, Black, Navy};
    ASSERT_EQ(h->lineCount(), want.size());
    for (int k = 0; k < want.size(); ++k) {
        EXPECT_COLOR(h->lineColour(k), want.at(k)) << "line " << k;
        EXPECT_TRUE(h->lineIsUniform(k)) << "line " << k;
    }
    EXPECT_FALSE(h->document()->isUndoAvailable()) << "a refresh alone is no undo step";
    // With nothing to join the refresh was recorded nowhere; what is typed next still is.
    h->setCaret(1, 0);
    h.type(QStringLiteral("ШАГ"));
    EXPECT_TRUE(h->document()->isUndoAvailable());
    h.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(h->line(1), QString());
    EXPECT_COLOR(h->lineColour(2), Fuchsia);
}

namespace {
// Every character with its format, line breaks left out: theirs depend on the edits before.
QList<std::pair<QChar, QTextCharFormat>> characters(const QTextDocument &d)
{
    QList<std::pair<QChar, QTextCharFormat>> out;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            for (QChar c : it.fragment().text()) out.append({c, it.fragment().charFormat()});
    return out;
}
}   // namespace

// A refresh sets formats straight in the text's storage, walking every line's parts at once:
// on text whose parts cross line breaks and carry fonts as well as colours, each character
// must end as a cursor merging the line's colour into it would leave it, and one undo must
// take the refresh back with the edit it joined.
TEST(AlgorithmEditorRefresh, EveryCharacterKeepsItsFormatWithTheLineColourMerged)
{
    const QStringList kinds {
        QStringLiteral("ШАГ"),        QStringLiteral("ПОВОРОТ 90"), QString(),
        QStringLiteral("* заметка"),  QStringLiteral("что-то"),     QStringLiteral("ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ"),
        QStringLiteral("КОНЕЦ ЦИКЛА")};
    const QList<QRgb> palette {Navy, Green, Maroon, Black, Teal};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        EditorHarness h;
        QStringList text;
        for (int k = 0; k < 30; ++k) text << kinds.at(pick(kinds.size()));
        h.load(text.join(QLatin1Char('\n')));
        QTextDocument *d = h->document();
        const int length = d->characterCount() - 1;
        QTextDocument *beforeLastEdit = nullptr;
        for (int k = 0; k < 25; ++k) {
            if (k == 24) beforeLastEdit = d->clone(h.ed.get());
            const int from = pick(length), to = std::min(length, from + 1 + pick(40));
            QTextCursor c(d);
            c.setPosition(from);
            c.setPosition(to, QTextCursor::KeepAnchor);
            QTextCharFormat f;
            switch (pick(3)) {
            case 0:
                f.setForeground(QColor::fromRgb(palette.at(pick(palette.size()))));
                break;
            case 1:
                f.setFontWeight(pick(2) ? QFont::Bold : QFont::Normal);
                break;
            default:
                f.setFontPointSize(8 + pick(6));
                break;
            }
            c.mergeCharFormat(f);
        }
        QTextDocument *want = d->clone(h.ed.get());
        for (QTextBlock b = want->begin(); b.isValid(); b = b.next()) {
            const QRgb colour = classifyFull(normalizeLine(b.text()), h->lexicon());
            bool uniform = true;   // a line all of its colour already is left as it is
            for (auto it = b.begin(); !it.atEnd(); ++it)
                uniform = uniform && colourOf(it.fragment().charFormat()) == colour;
            if (uniform) continue;
            QTextCursor c(b);
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat f;
            f.setForeground(QColor::fromRgb(colour));
            c.mergeCharFormat(f);
        }
        h->recolourAll();
        ASSERT_EQ(characters(*d), characters(*want));
        d->undo();
        EXPECT_EQ(characters(*d), characters(*beforeLastEdit));
    }
}

// The refresh sets formats without keeping characters' ties to text objects, which a program
// never holds; a document that does hold one (a table pasted in from elsewhere) must keep it
// whole when lines of one colour are set together across its edges.
TEST(AlgorithmEditorRefresh, ATableInTheTextKeepsItsEdges)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ"));
    QTextDocument *d = h->document();
    QTextCursor c(d);
    c.movePosition(QTextCursor::End);
    QTextTable *table = c.insertTable(2, 1);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("ШАГ"));
    table->cellAt(1, 0).firstCursorPosition().insertText(QStringLiteral("ШАГ"));
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("ШАГ"));
    // Each character tied to an object, with the object.
    auto edges = [d] {
        const QList<QTextFormat> formats = d->allFormats();
        QList<std::pair<int, int>> tied;
        int at = 0;
        for (const FormatRun &r : formatRuns(*d)) {
            const int object = formats.value(r.formatIndex).objectIndex();
            for (int k = 0; k < r.length; ++k, ++at)
                if (object != -1) tied.append({at, object});
        }
        return tied;
    };
    const QList<std::pair<int, int>> before = edges();
    ASSERT_FALSE(before.isEmpty());
    h->recolourAll();
    EXPECT_EQ(edges(), before);
    EXPECT_EQ(d->rootFrame()->childFrames().size(), 1);
    QTextCursor inCell(d);
    inCell.setPosition(table->cellAt(1, 0).firstPosition());
    EXPECT_EQ(inCell.currentTable(), table);
    for (int k = 0; k < h->lineCount(); ++k) {
        if (!h->line(k).isEmpty()) {
            EXPECT_COLOR(h->lineColour(k), Navy) << "line " << k;
        }
    }
}

// Ranges set in one pass over the storage end as the toolkit's own cursor leaves them: the same
// format on every character, the changed stretch told once to the layout, which lays it out
// the same; with undo on, each range as before, so undo takes all of them back.
TEST(AlgorithmEditorRefresh, RangesSetInOnePassEndAsTheToolkitSetsThem)
{
    std::mt19937 random(20261211);
    auto below = [&random](int n) { return int(random() % unsigned(std::max(n, 1))); };
    QList<QTextCharFormat> formats;
    for (const QRgb c : {0x000080u, 0x800000u, 0x008000u, 0x808080u}) {
        QTextCharFormat f;
        f.setForeground(QColor::fromRgb(c));
        formats << f;
        f.setFontWeight(QFont::Bold);
        formats << f;
    }
    // Each character's text and format, documents' format indexes apart.
    auto characters = [](const QTextDocument &d) {
        const QList<QTextFormat> all = d.allFormats();
        const QString text = d.toRawText() + QChar::ParagraphSeparator;
        QList<std::pair<QChar, QTextFormat>> out;
        int at = 0;
        for (const FormatRun &r : formatRuns(d))
            for (int k = 0; k < r.length; ++k, ++at) out.append({text.at(at), all.value(r.formatIndex)});
        return out;
    };
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        QStringList lines;
        for (int n = 1 + below(12); n > 0; --n)
            lines << QString(below(9), QLatin1Char('a' + char(below(26))));
        QTextDocument mine, toolkits;
        for (QTextDocument *d : {&mine, &toolkits}) {
            d->setDocumentLayout(new QPlainTextDocumentLayout(d));
            d->setPlainText(lines.join(QLatin1Char('\n')));
        }
        const int length = mine.characterCount() - 1;   // the final break is never set
        // Some of it coloured already, so ranges meet fragments of their own.
        std::vector<FormatChange> before, changes;
        for (int from = below(3); from < length; from += 1 + below(6)) {
            const int n = 1 + below(std::min(5, length - from));
            before.push_back({from, n, &formats[below(formats.size())]});
            from += n;
        }
        for (int from = below(2); from < length; from += below(4)) {
            const int n = 1 + below(std::min(9, length - from));
            changes.push_back({from, n, &formats[below(formats.size())]});
            from += n;
        }
        auto viaCursor = [](QTextDocument &d, const std::vector<FormatChange> &cs) {
            QTextCursor c(&d);
            c.beginEditBlock();
            for (const FormatChange &x : cs) {
                c.setPosition(x.from);
                c.setPosition(x.from + x.length, QTextCursor::KeepAnchor);
                c.setCharFormat(*x.format);
            }
            c.endEditBlock();
        };
        viaCursor(mine, before);
        viaCursor(toolkits, before);
        mine.setUndoRedoEnabled(false);
        QSignalSpy told(&mine, &QTextDocument::contentsChange);
        QTextCursor block(&mine);
        block.beginEditBlock();
        setCharacterFormats(&mine, changes, false);
        block.endEditBlock();
        viaCursor(toolkits, changes);
        ASSERT_EQ(characters(mine), characters(toolkits));
        if (!changes.empty()) {
            ASSERT_EQ(told.count(), 1);
            EXPECT_EQ(told.at(0).at(0).toInt(), changes.front().from);
            EXPECT_EQ(told.at(0).at(2).toInt(),
                      changes.back().from + changes.back().length - changes.front().from);
        }
        EXPECT_EQ(mine.documentLayout()->documentSize(), toolkits.documentLayout()->documentSize());
        for (QTextBlock a = mine.begin(), b = toolkits.begin(); a.isValid(); a = a.next(), b = b.next())
            EXPECT_EQ(mine.documentLayout()->blockBoundingRect(a),
                      toolkits.documentLayout()->blockBoundingRect(b));

        // With undo on, the toolkit's own call sets each range: one undo takes them back.
        mine.setUndoRedoEnabled(true);
        viaCursor(mine, before);
        const auto set = characters(mine);
        block.beginEditBlock();
        setCharacterFormats(&mine, changes, false);
        block.endEditBlock();
        if (!changes.empty()) {
            mine.undo();
            EXPECT_EQ(characters(mine), set);
        }
    }
}

TEST(AlgorithmEditorChange, ColouringIsNotAChange)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\nПРЫЖОК"));
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h->recolourAll();
    h->paintCaretLine(Teal);
    h->paintLine(1, Maroon);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_COLOR(h->lineColour(1), Maroon);
}

TEST(AlgorithmEditorChange, NoColouringOnTheOldWindowsFamily)
{
    EditorHarness h;
    h->setChangeHandlerColours(false);
    int opened = 0;
    h->openExtendedSettings = [&] { ++opened; };
    h.type(QStringLiteral("ШАГ"));
    EXPECT_COLOR(h->lineColour(0), Black);
    h.key(Qt::Key_Return);
    EXPECT_COLOR(h->lineColour(0), Navy);   // the key handler still colours
    h.type(QStringLiteral("**"));
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(h->line(1), QStringLiteral("**"));
}

TEST(AlgorithmEditorUndo, UndoAfterTypingUndoesTypingNeverJustAColouring)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК"));
    h->recolourAll();
    EXPECT_FALSE(h->document()->isUndoAvailable()) << "a refresh alone is no undo step";
    h->setCaret(0, 6);
    h.key(Qt::Key_Return);
    h.type(QStringLiteral("ШАГ"));
    h.key(Qt::Key_Return);
    h.type(QStringLiteral("УНИЧТОЖИТЬ"));
    h->recolourAll();
    QString before = h->toPlainText();
    int steps = 0;
    while (h->document()->isUndoAvailable() && steps < 100) {
        h.key(Qt::Key_Z, Qt::ControlModifier);
        const QString now = h->toPlainText();
        EXPECT_NE(now, before) << "undo step " << steps << " changed no text";
        before = now;
        ++steps;
    }
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ПРЫЖОК"));
    EXPECT_COLOR(h->lineColour(0), Navy);
}

TEST(AlgorithmEditorUndo, UndoRecoloursTheCaretLineWhereTheUndoLeavesIt)
{
    EditorHarness h;
    h.load(QStringLiteral("\nШАГ"));
    h->setCaret(1, 3);
    h.type(QStringLiteral("X"));   // "ШАГX": black
    EXPECT_COLOR(h->lineColour(1), Black);
    h->setCaret(0, 0);
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h->undoEdit();
    EXPECT_EQ(h->line(1), QStringLiteral("ШАГ"));
    EXPECT_EQ(h->caretLineColumn().line, 1);
    EXPECT_COLOR(h->lineColour(1), Navy);
    EXPECT_EQ(changed.count(), 1);
    h->undoEdit();   // nothing left: no change reported
    EXPECT_EQ(changed.count(), 1);
}

TEST(AlgorithmEditorUndo, RedoTakesBackWhatUndoTookAndOnlyThat)
{
    EditorHarness h;
    h.type(QStringLiteral("ШАГ"));
    const QString typed = h->toPlainText();
    const QRgb colour = h->lineColour(0);
    h->redoEdit();   // nothing undone yet
    EXPECT_EQ(h->toPlainText(), typed);
    h->undoEdit();
    const QString afterUndo = h->toPlainText();
    ASSERT_NE(afterUndo, typed);
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h.key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(h->toPlainText(), typed);
    EXPECT_COLOR(h->lineColour(0), colour);
    EXPECT_EQ(changed.count(), 1);
    h.key(Qt::Key_Z, Qt::ControlModifier);
    h.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);   // the platform's own redo key
    EXPECT_EQ(h->toPlainText(), typed);
    h->setReadOnly(true);   // a run holds the text
    h->undoEdit();
    h.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(h->toPlainText(), afterUndo) << "the command undoes; the keys do not while read-only";
    h.key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(h->toPlainText(), afterUndo);
}

TEST(AlgorithmEditorClipboard, PasteOfThreeLinesColoursOnlyTheCaretLine)
{
    EditorHarness h;
    auto *md = new QMimeData;
    md->setText(QStringLiteral("ШАГ\r\nУНИЧТОЖИТЬ\r\nНАЧАЛО АЛГОРИТМА"));
    QApplication::clipboard()->setMimeData(md);
    h->pasteClipboard();
    EXPECT_EQ(h->lineCount(), 3);
    EXPECT_COLOR(h->lineColour(0), Black);
    EXPECT_COLOR(h->lineColour(1), Black);
    EXPECT_COLOR(h->lineColour(2), Blue);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 16}));
    h->setCaret(1, 3);
    h->recolourAll();
    EXPECT_COLOR(h->lineColour(0), Navy);
    EXPECT_COLOR(h->lineColour(1), Fuchsia);
    EXPECT_COLOR(h->lineColour(2), Blue);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {1, 3}));
    EXPECT_FALSE(h->textCursor().hasSelection());
}

TEST(AlgorithmEditorClipboard, CopyAndPasteCarryColoursAndNothingElse)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\nЦВЕТ=КРАСНЫЙ\n"));
    h->recolourAll();
    h->selectEverything();
    h->copySelection();
    h->setCaret(2, 0);
    h->pasteClipboard();
    ASSERT_EQ(h->lineCount(), 5);
    EXPECT_EQ(h->line(2), QStringLiteral("ШАГ"));
    EXPECT_COLOR(h->lineColour(2), Navy);
    EXPECT_COLOR(h->lineColour(3), Purple);

    // Foreign rich text: its colour comes along, a table and an image do not.
    auto *md = new QMimeData;
    md->setHtml(QStringLiteral("<p><span style='color:#ff0000;font-size:40px'><b>ПРЫЖОК</b></span>"
                               "<img src='x.png'></p><table><tr><td>А</td><td>Б</td></tr></table>"));
    QApplication::clipboard()->setMimeData(md);
    h->selectEverything();
    h->pasteClipboard();
    const QStringList lines = h.lines();
    EXPECT_EQ(lines.value(0), QStringLiteral("ПРЫЖОК"));
    for (QTextBlock b = h->document()->begin(); b.isValid(); b = b.next()) {
        EXPECT_FALSE(b.text().contains(QChar::ObjectReplacementCharacter));
        EXPECT_FALSE(b.text().contains(QChar::LineSeparator));
    }
    EXPECT_EQ(h->document()->rootFrame()->childFrames().size(), 0);
    const QTextCharFormat f = h->document()->begin().begin().fragment().charFormat();
    EXPECT_FALSE(f.hasProperty(QTextFormat::FontWeight));
    EXPECT_FALSE(f.hasProperty(QTextFormat::FontPixelSize));
}

TEST(AlgorithmEditorClipboard, PasteIntoReadOnlyEditorChangesNothing)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ"));
    auto *md = new QMimeData;
    md->setText(QStringLiteral("ПРЫЖОК"));
    QApplication::clipboard()->setMimeData(md);
    h->setReadOnly(true);
    h->pasteClipboard();
    h->cutSelection();
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ШАГ"));
}

TEST(AlgorithmEditorLines, SelectLineSelectsExactlyTheLineText)
{
    EditorHarness h;
    h.load(QStringLiteral("НАЧАЛО АЛГОРИТМА\nШАГ\n\nКОНЕЦ АЛГОРИТМА"));
    h->selectLine(1);
    EXPECT_EQ(h->textCursor().selectedText(), QStringLiteral("ШАГ"));
    EXPECT_EQ(h->textCursor().position(), h->document()->findBlockByNumber(1).position());
    h->selectLine(2);
    EXPECT_EQ(h->textCursor().selectedText(), QString());
    EXPECT_EQ(h->caretLineColumn().line, 2);
    h->selectLine(3);
    EXPECT_EQ(h->textCursor().selectedText(), QStringLiteral("КОНЕЦ АЛГОРИТМА"));
    h->selectLine(99);   // past the end: caret at the end, nothing selected
    EXPECT_FALSE(h->textCursor().hasSelection());
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {3, 15}));

    h->setCaret(1, 2);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {1, 2}));
    h->setCaret(1, 50);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {1, 3}));
    h->setCaret(-4, 0);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {0, 0}));
}

TEST(AlgorithmEditorLines, PanelCounts)
{
    struct Case {
        const char *text;
        bool emptyCountsOne;
        const char *endOfRunLabel;
    } cases[] = {
        {"", true, "Всего строк: 1"},     {"", false, "Всего строк: 0"},
        {"ШАГ", false, "Всего строк: 1"}, {"ШАГ\n", false, "Всего строк: 1"},
        {"\n", false, "Всего строк: 1"},  {"ШАГ\n\nШАГ\n\n", true, "Всего строк: 4"},
    };
    for (const Case &c : cases) {
        EditorHarness h;
        h.load(QString::fromUtf8(c.text));
        h->refreshLinePanels(c.emptyCountsOne);
        EXPECT_EQ(h.endOfRunLabel, QString::fromUtf8(c.endOfRunLabel)) << c.text;
    }

    EditorHarness h(Language::Eng);
    h.load(QStringLiteral("STEP\n"));
    h->setCaret(1, 0);
    h->refreshLinePanels(true);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Lines total: 1"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Current line: 2"));
    h->setLanguage(Language::Rom);
    h->refreshLinePanels(true);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Total linii: 1"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Linia curenta: 2"));
    h->setLanguage(Language::Unknown);   // keeps the labels it has
    h->refreshLinePanels(true);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Total linii: 1"));
}

TEST(AlgorithmEditorLines, KeyShowsTheCountBeforeTheKeyAndClickShowsTheLineAtOnce)
{
    EditorHarness h;
    h.load(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
    h->setCaret(7, 1);
    h.key(Qt::Key_Return);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Всего строк: 8"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 8"));
    h->refreshLinePanels(true);   // the timer's tick
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Всего строк: 8"));   // the new last line is empty
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 9"));

    const QRect r = h->cursorRect(QTextCursor(h->document()->findBlockByNumber(6)));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, r.center() + QPoint(2, 0));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 7"));
}

TEST(AlgorithmEditorLines, ClearAsksAndKeepsTheTextOnNo)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ\nПРЫЖОК"));
    h.prompts.answers.enqueue(false);
    h->clearAlgorithm();
    EXPECT_EQ(h.prompts.questions, QStringList {QStringLiteral("Действительно очистить алгоритм?")});
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ШАГ\nПРЫЖОК"));
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Всего строк: 2"));

    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h.prompts.answers.enqueue(true);
    h->clearAlgorithm();
    EXPECT_EQ(h->toPlainText(), QString());
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Всего строк: 1"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 1"));
    EXPECT_EQ(changed.count(), 1);
}

TEST(AlgorithmEditorLines, ContextMenuIsLeftToTheWindow)
{
    EditorHarness h;
    QSignalSpy asked(h.ed.get(), &AlgorithmEditor::contextMenuRequested);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), h->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(h->viewport(), &e);
    EXPECT_EQ(asked.count(), 1);
}

// A new text filled in slices, on the screen or set aside half-way, and then adopted ends
// exactly as the same text put into the shown document, and keeps every colour it was built
// with: adopting it repaints no line. The change is reported once.
TEST(AlgorithmEditorAdopt, AnAdoptedTextEndsAsTheSameTextReplacedInPlace)
{
    for (const char *last : {"ШАГ", "ЦВЕТ=ЗЕЛЕНЫЙ", "что-то", ""}) {
        StyledText text;
        for (int i = 0; i < 2'500; ++i)
            text.append(StyledLine {i % 3 ? QStringLiteral("ПОВОРОТ 90") : QStringLiteral("ШАГ\nШАГ"),
                                    {ColourRun {2, 0x00FF00}, ColourRun {3, 0x123456}}});
        text.append(StyledLine {QString::fromUtf8(last), {ColourRun {2, 0x654321}}});
        EditorHarness inPlace, adopted;
        setDocumentFromStyled(*inPlace->document(), text, inPlace->currentCharFormat());
        QSignalSpy changes(adopted.ed.get(), &AlgorithmEditor::documentChanged);
        AlgorithmEditor::NewText doc(*adopted);
        {
            DocumentFill fill(doc.document(), text, doc.format());
            // Once with the old text back on the screen half-way, as a long open shows progress.
            for (int slice = 0; !fill.fill(700); ++slice)
                if (slice == 1 && *last == 0) doc.stepAside();
        }
        QTextDocument *shown = &doc.document();
        const StyledText a = styledFromDocument(doc.document());
        doc.adopt();
        EXPECT_EQ(adopted->document(), shown);
        EXPECT_EQ(changes.count(), 1);
        EXPECT_EQ(plainLines(styledFromDocument(*inPlace->document())), plainLines(a));
        const StyledText b = styledFromDocument(*adopted->document());
        ASSERT_EQ(a.size(), b.size()) << last;
        for (qsizetype i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i].text, b[i].text) << i;
            ASSERT_EQ(characterColours(a[i]), characterColours(b[i])) << last << " line " << i;
        }
        EXPECT_EQ(adopted->document()->defaultFont(), inPlace->document()->defaultFont());
        // The adopted text is edited and undone like any other.
        adopted->setCaret(0, 0);
        adopted->pasteCode(QStringLiteral("ПРЫЖОК"));
        EXPECT_EQ(adopted->line(0), QStringLiteral("ПРЫЖОК"));
        adopted->undoEdit();
        EXPECT_EQ(adopted->line(0), QStringLiteral("ШАГ ШАГ"));
    }
}

// A new text given up, whether still on the screen or already set aside, leaves the old one
// as it was: the text, the caret and selection, the scrolling and the undo history; and it
// goes on taking edits as before.
TEST(AlgorithmEditorAdopt, ANewTextGivenUpLeavesTheOldTextAsItWas)
{
    for (bool aside : {false, true}) {
        EditorHarness h;
        h->resize(300, 200);
        QStringList lines;
        for (int i = 0; i < 300; ++i) lines << QStringLiteral("ПОВОРОТ %1").arg(i);
        h->setPlainText(lines.join(QLatin1Char('\n')));
        h->setCaret(150, 3);
        h->pasteCode(QStringLiteral("ШАГ"));   // one step to undo
        QTextCursor sel = h->textCursor();
        sel.setPosition(h->document()->findBlockByNumber(140).position() + 2);
        sel.setPosition(h->document()->findBlockByNumber(151).position() + 4, QTextCursor::KeepAnchor);
        h->setTextCursor(sel);
        h->verticalScrollBar()->setValue(120);
        QTextDocument *old = h->document();
        const QString before = h->toPlainText();
        const int scrolled = h->verticalScrollBar()->value();
        QSignalSpy changes(h.ed.get(), &AlgorithmEditor::documentChanged);
        {
            AlgorithmEditor::NewText doc(*h);
            EXPECT_EQ(h->document(), &doc.document());
            const StyledText step {StyledLine {QStringLiteral("ШАГ"), {}}};
            DocumentFill fill(doc.document(), step, doc.format());
            if (aside) doc.stepAside();
            fill.fill(1);
            EXPECT_EQ(h->document() == old, aside);
        }
        EXPECT_EQ(h->document(), old) << aside;
        EXPECT_EQ(h->toPlainText(), before);
        EXPECT_EQ(h->textCursor().anchor(), sel.anchor());
        EXPECT_EQ(h->textCursor().position(), sel.position());
        EXPECT_EQ(h->verticalScrollBar()->value(), scrolled);
        EXPECT_EQ(changes.count(), 0);
        EXPECT_TRUE(old->isUndoAvailable());
        h->setCaret(0, 0);
        h->pasteCode(QStringLiteral("ШАГ"));
        EXPECT_EQ(h->line(0), QStringLiteral("ШАГ"));
        EXPECT_EQ(changes.count(), 1);
        h->undoEdit();
        h->undoEdit();
        EXPECT_EQ(h->toPlainText(), lines.join(QLatin1Char('\n'))) << aside;
    }
}
