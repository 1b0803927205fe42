// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CreateProcedureDialog.h"
#include "common/Prompts.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CreateProcedureDialog::CreateProcedureDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "Procedure_create", QSize(217, 113), parent)
{
    makeBevel(QRect(8, 8, 201, 65));
    nameLabel = makeLabel(this, QPoint(24, 32));
    nameEdit = new QLineEdit(this);
    nameEdit->setGeometry(72, 29, 121, 21);
    makeOkCancel(QPoint(16, 80), cyrillicOk(), QPoint(128, 80));
    CreateProcedureDialog::prepare();
}

void CreateProcedureDialog::prepare()
{
    openWith(DialogCaptions::ProcCreateCaption, DialogCaptions::Cancel);
    setCaptionUpTo(nameLabel, DialogCaptions::ProcNameLabel, nameEdit->x());
    nameEdit->clear();
    nameEdit->setFocus();
}

void CreateProcedureDialog::confirm()
{
    QString name = nameEdit->text();
    if (!name.isEmpty() && (name.at(0) == QLatin1Char(' ') ||
                            (name.at(0) >= QLatin1Char('0') && name.at(0) <= QLatin1Char('9')))) {
        m_prompts.message(messages().msgProcNameStart);
        nameEdit->setFocus();
        return;
    }
    if (name.isEmpty()) {
        m_prompts.message(messages().msgProcNameEmpty);
        nameEdit->setFocus();
        return;
    }
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    nameEdit->setText(name);
    m_editor.setCaret(0, 0);
    const QString nl = QStringLiteral("\n");
    insertPieces(m_editor,
                 {{nl, std::nullopt},
                  statementPiece(StatementKind::ProcedureHeader, lex(), name),
                  {nl, LineColour::Navy},
                  statementPiece(StatementKind::EndProcedure, lex())},
                 2, true);
    accept();
}
