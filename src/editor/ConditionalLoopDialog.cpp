// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ConditionalLoopDialog.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

ConditionalLoopDialog::ConditionalLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "CycleWhile", QSize(216, 113), parent)
{
    makeBevel(QRect(8, 8, 201, 65));
    whileLabel = makeLabel(this, QPoint(15, 36));
    testCombo = new QComboBox(this);
    testCombo->setGeometry(112, 31, 89, 21);
    makeOkCancel(QPoint(16, 80), QStringLiteral("OK"), QPoint(128, 80));
    ConditionalLoopDialog::prepare();
}

void ConditionalLoopDialog::prepare()
{
    openWith(DialogCaptions::CycleCaption, DialogCaptions::CancelLoopCondition);
    setCaptionUpTo(whileLabel, DialogCaptions::CycleWhileBefore, testCombo->x());
    refillTests(testCombo, {Statements::SensorTest::NotBorder, Statements::SensorTest::NotLine,
                            Statements::SensorTest::Border, Statements::SensorTest::Line});
}

void ConditionalLoopDialog::confirm()
{
    if (!hasChoice(testCombo)) return;
    const QString nl = QStringLiteral("\n");
    insertPieces(m_editor,
                 {{nl, std::nullopt},
                  statementPiece(StatementKind::ConditionalLoop, lex(), testCombo->currentText()),
                  {nl, LineColour::Navy},
                  statementPiece(StatementKind::EndLoop, lex())},
                 2, true);
    accept();
}
