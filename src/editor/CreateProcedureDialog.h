// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"

class QLineEdit;

// Asks for a name and writes an empty procedure at the top.
class CreateProcedureDialog final : public CommandDialog {
    Q_OBJECT
public:
    CreateProcedureDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;

    QLabel *nameLabel;
    QLineEdit *nameEdit;
};
