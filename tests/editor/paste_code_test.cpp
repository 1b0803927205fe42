// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"

using namespace LineColour;

namespace {
struct PasteCase {
    const char *name;
    const char *text;
    int line, column;
    const char *command;
    const char *expected;   // lines joined by '|'
    LineColumn caret;
    int commandLine;
    QRgb commandColour;
};
}   // namespace

TEST(PasteCode, PlacementRules)
{
    const PasteCase cases[] = {
        {"empty line is filled", "ПРЫЖОК||ШАГ", 1, 0, "ШАГ", "ПРЫЖОК|ШАГ|ШАГ", {1, 3}, 1, Navy},
        {"empty editor", "", 0, 0, "УНИЧТОЖИТЬ", "УНИЧТОЖИТЬ", {0, 10}, 0, Fuchsia},
        {"column 0 goes above", "ПРЫЖОК", 0, 0, "ШАГ", "ШАГ|ПРЫЖОК", {1, 0}, 0, Navy},
        {"middle of a line, next line non-empty",
         "ПРЫЖОК|ПОВОРОТ 90",
         0,
         3,
         "ШАГ",
         "ПРЫЖОК|ШАГ|ПОВОРОТ 90",
         {1, 3},
         1,
         Navy},
        {"end of the last line", "ПРЫЖОК", 0, 6, "ШАГ", "ПРЫЖОК|ШАГ", {1, 3}, 1, Navy},
        {"followed by an empty line", "ПРЫЖОК||ПРЫЖОК", 0, 6, "ШАГ", "ПРЫЖОК||ШАГ|ПРЫЖОК", {2, 3}, 2, Navy},
        {"colour command between lines",
         "ПРЫЖОК|ШАГ",
         0,
         2,
         "ЦВЕТ=КРАСНЫЙ",
         "ПРЫЖОК|ЦВЕТ=КРАСНЫЙ|ШАГ",
         {1, 12},
         1,
         Purple},
        {"rebuild between lines",
         "ПРЫЖОК|ШАГ",
         0,
         6,
         "ВОССТАНОВИТЬ",
         "ПРЫЖОК|ВОССТАНОВИТЬ|ШАГ",
         {1, 12},
         1,
         Fuchsia},
    };
    for (const PasteCase &pc : cases) {
        SCOPED_TRACE(pc.name);
        EditorHarness h;
        h.load(QString::fromUtf8(pc.text).replace(QLatin1Char('|'), QLatin1Char('\n')));
        h->recolourAll();
        h->setCaret(pc.line, pc.column);
        h->pasteCode(QString::fromUtf8(pc.command));
        EXPECT_EQ(h.lines().join(QLatin1Char('|')), QString::fromUtf8(pc.expected));
        EXPECT_EQ(h->caretLineColumn(), pc.caret);
        EXPECT_FALSE(h->textCursor().hasSelection());
        EXPECT_COLOR(h->lineColour(pc.commandLine), pc.commandColour);
        EXPECT_EQ(h->commandToInsert, QString::fromUtf8(pc.command));
    }
}

TEST(PasteCode, ReplacesASelectionOnAnEmptyCaretLineAndRefreshesPanels)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК\n"));
    QTextCursor c = h->textCursor();
    c.setPosition(2);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    h->setTextCursor(c);
    QSignalSpy changed(h.ed.get(), &AlgorithmEditor::documentChanged);
    h->pasteCode(QStringLiteral("ШАГ"));
    EXPECT_EQ(h->toPlainText(), QStringLiteral("ПРШАГ"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Всего строк: 1"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 1"));
}

TEST(PasteCode, WorksOnAReadOnlyEditorAndIsOneUndoStep)
{
    EditorHarness h;
    h.load(QStringLiteral("ПРЫЖОК\nШАГ"));
    h->setCaret(0, 6);
    h->setReadOnly(true);   // manual mode writes into a locked editor
    h->pasteCode(QStringLiteral("ПОВОРОТ 45"));
    EXPECT_EQ(h.lines(), (QStringList {"ПРЫЖОК", "ПОВОРОТ 45", "ШАГ"}));
    h->setReadOnly(false);
    h->undoEdit();
    EXPECT_EQ(h.lines(), (QStringList {"ПРЫЖОК", "ШАГ"}));
}

TEST(BeginEnd, OnEmptyEditorGivesFiveLinesWithCaretOnTheBody)
{
    EditorHarness h(Language::Eng);
    h->insertBeginEnd();
    EXPECT_EQ(h.lines(), (QStringList {"", "ALGORITHM BEGIN", "", "ALGORITHM END", ""}));
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 0}));
    EXPECT_COLOR(h->lineColour(1), Blue);
    EXPECT_COLOR(h->lineColour(3), Blue);
    EXPECT_EQ(h.endOfRunLabel, QStringLiteral("Lines total: 4"));
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Current line: 3"));
    h.type(QStringLiteral("STEP"));
    EXPECT_COLOR(h->lineColour(2), Navy);

    h->insertBeginEnd();   // a second pair is not refused here
    EXPECT_EQ(h->toPlainText().count(QStringLiteral("ALGORITHM BEGIN")), 2);
}

TEST(BeginEnd, InsideALineSplitsItAndRecoloursTheRest)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГПРЫЖОК"));
    h->setCaret(0, 3);
    h->insertBeginEnd();
    EXPECT_EQ(h.lines(), (QStringList {"ШАГ", "НАЧАЛО АЛГОРИТМА", "", "КОНЕЦ АЛГОРИТМА", "ПРЫЖОК"}));
    EXPECT_COLOR(h->lineColour(4), Navy);   // the handler saw the caret on the rest of the line
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 0}));
}
