// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/TextColour.h"
#include "lang/Statements.h"
#include <QList>

class AlgorithmEditor;

// Where an inserted command or block of lines goes relative to the caret, and where the
// caret goes after it. Each insertion is one change and one undo step of the editor.

// A command on a line of its own: an empty caret line takes it; at a line's start it goes
// above; elsewhere it goes below, or between two lines in its own colour.
void pasteCommand(AlgorithmEditor &editor, const QString &command);
// The pieces at the caret (replacing the selection), then the caret at the start of the
// line `linesUp` lines above the line after the block.
void insertPieces(AlgorithmEditor &editor, const QList<InsertPiece> &pieces, int linesUp, bool refreshPanels);
// The colour that the next character typed at the caret gets; nothing with a selection.
void setInsertionColour(AlgorithmEditor &editor, QRgb colour);
// A statement's line as the editor inserts it, ended, in the statement's colour.
InsertPiece statementPiece(StatementKind kind, const Lexicon &lex, const QString &argument = QString());
// An empty BEGIN/END pair with the caret on its inside line.
void insertBeginEnd(AlgorithmEditor &editor);
