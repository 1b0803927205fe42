// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"

class QComboBox;

// Lists the procedures of the program and inserts a call.
class CallProcedureDialog final : public CommandDialog {
    Q_OBJECT
public:
    CallProcedureDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;

    // The names declared in the text, upper case, sorted, duplicates kept.
    static QStringList procedureNames(const ProgramText &text, const Lexicon &lex);

    QComboBox *procedureCombo;
};
