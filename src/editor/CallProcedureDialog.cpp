// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CallProcedureDialog.h"
#include "common/Prompts.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include "lang/Normalize.h"
#include <QComboBox>
#include <QPushButton>
#include <algorithm>

CallProcedureDialog::CallProcedureDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "Procedure_execute", QSize(217, 113), parent)
{
    makeBevel(QRect(8, 8, 201, 65));
    procedureCombo = new QComboBox(this);
    procedureCombo->setGeometry(24, 28, 169, 21);
    // A list that drops down five rows high and scrolls, in every style: some styles open
    // the list over the box with every entry and ignore the number of rows.
    procedureCombo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    procedureCombo->setMaxVisibleItems(5);
    makeOkCancel(QPoint(16, 80), cyrillicOk(), QPoint(126, 80));
    CallProcedureDialog::prepare();
}

QStringList CallProcedureDialog::procedureNames(const ProgramText &text, const Lexicon &lex)
{
    QStringList names;
    const QString &header = Statements::keyword(StatementKind::ProcedureHeader, lex);
    for (int k = 0, n = text.lineCount(); k < n; ++k) {
        const QString line = text.line(k);
        qsizetype b = 0;
        while (b < line.size() && line.at(b) == QLatin1Char(' ')) ++b;
        const QString s = upperCase1251(line.mid(b));   // spaces at the end stay
        // The character after the keyword is the separator and is skipped unseen.
        if (s.startsWith(header)) names << s.mid(header.size() + 1);
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    return names;
}

void CallProcedureDialog::prepare()
{
    openWith(DialogCaptions::ProcExecuteCaption, DialogCaptions::Cancel);
    procedureCombo->clear();
    procedureCombo->addItems(procedureNames(m_editor, lex()));
    // The one procedure there is needs no choosing; among several the pupil picks.
    procedureCombo->setCurrentIndex(procedureCombo->count() == 1 ? 0 : -1);
    procedureCombo->setFocus();
}

void CallProcedureDialog::confirm()
{
    if (procedureCombo->currentIndex() < 0) {
        m_prompts.message(messages().msgChooseProc);
        procedureCombo->setFocus();
        return;
    }
    const QString nl = QStringLiteral("\n");
    insertPieces(
        m_editor,
        {{nl, std::nullopt}, statementPiece(StatementKind::Call, lex(), procedureCombo->currentText())}, 0,
        true);
    setInsertionColour(m_editor, LineColour::Navy);
    accept();
}
