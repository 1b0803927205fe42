// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CommandInsertion.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Highlight.h"
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void pasteCommand(AlgorithmEditor &editor, const QString &command)
{
    const QTextBlock b = editor.caretBlock();
    const int column = editor.textCursor().selectionEnd() - b.position();
    bool backOverBreak = false;
    editor.changeAtCaret([&](QTextCursor &c) {
        if (b.length() <= 1) {
            c.insertText(command);
        } else if (column == 0) {
            c.insertText(command + QLatin1Char('\n'));
        } else {
            const QTextBlock next = b.next();
            c.setPosition(next.isValid() ? next.position() : b.position() + b.length() - 1);
            const QTextBlock nb = c.block();
            if (nb.length() - 1 <= c.position() - nb.position()) {
                c.insertText(QLatin1Char('\n') + command);
            } else {
                c.insertText(command + QLatin1Char('\n'),
                             withColour(c.charFormat(), pasteCodeColour(command, editor.lexicon())));
                backOverBreak = true;   // after the change handler has seen the caret there
            }
        }
    });
    if (backOverBreak) {
        QTextCursor back = editor.textCursor();
        back.movePosition(QTextCursor::PreviousCharacter);
        editor.setTextCursor(back);
    }
    editor.refreshLinePanels(false);
    editor.setFocus();
}

void insertPieces(AlgorithmEditor &editor, const QList<InsertPiece> &pieces, int linesUp, bool refreshPanels)
{
    editor.changeAtCaret([&](QTextCursor &c) {
        for (const InsertPiece &p : pieces) {
            if (p.colour)
                c.insertText(p.text, withColour(c.charFormat(), *p.colour));
            else
                c.insertText(p.text);
        }
    });
    if (linesUp > 0) {
        QTextBlock t = editor.textCursor().block();
        for (int i = 0; i < linesUp && t.previous().isValid(); ++i) t = t.previous();
        QTextCursor body(editor.document());
        body.setPosition(t.position());
        editor.setTextCursor(body);
    }
    if (refreshPanels) editor.refreshLinePanels(false);
}

void setInsertionColour(AlgorithmEditor &editor, QRgb colour)
{
    QTextCursor c = editor.textCursor();
    if (c.hasSelection()) return;
    c.setCharFormat(withColour(c.charFormat(), colour));
    editor.setTextCursor(c);
}

InsertPiece statementPiece(StatementKind kind, const Lexicon &lex, const QString &argument)
{
    return {Statements::commandLine(kind, lex, argument) + QLatin1Char('\n'), Statements::row(kind).colour};
}

void insertBeginEnd(AlgorithmEditor &editor)
{
    const Lexicon &lex = editor.lexicon();
    const QString nl = QStringLiteral("\n");
    insertPieces(editor,
                 {{nl, std::nullopt},
                  statementPiece(StatementKind::Begin, lex),
                  {nl, LineColour::Navy},
                  statementPiece(StatementKind::End, lex)},
                 2, true);
}
