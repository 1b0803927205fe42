// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CountedLoopDialog.h"
#include "common/ClampingSpinBox.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

CountedLoopDialog::CountedLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "CycleN", QSize(217, 113), parent)
{
    makeBevel(QRect(8, 8, 201, 65));
    executeLabel = makeLabel(this, QPoint(24, 32));
    auto *spin = new ClampingSpinBox(this);
    spin->setGeometry(96, 29, 57, 22);
    spin->setRange(1, 9999);
    spin->setMaxTextLength(4);
    spin->setValue(1);
    countSpin = spin;
    timesLabel = makeLabel(this, QPoint(160, 32));
    makeOkCancel(QPoint(16, 80), QStringLiteral("OK"), QPoint(128, 80));
    CountedLoopDialog::prepare();
}

void CountedLoopDialog::prepare()
{
    openWith(DialogCaptions::CycleCaption, DialogCaptions::Cancel);
    setCaptionUpTo(executeLabel, DialogCaptions::CycleNBefore, countSpin->x());
    setCaptionUpTo(timesLabel, DialogCaptions::CycleNAfter, width());
    countSpin->setFocus();
    countSpin->selectAll();
}

void CountedLoopDialog::confirm()
{
    countSpin->interpretText();   // a count still being typed counts, brought into range
    const QString nl = QStringLiteral("\n");
    insertPieces(m_editor,
                 {{nl, std::nullopt},
                  statementPiece(StatementKind::CountedLoop, lex(), QString::number(countSpin->value())),
                  {nl, LineColour::Navy},
                  statementPiece(StatementKind::EndLoop, lex())},
                 2, false);
    accept();
}
