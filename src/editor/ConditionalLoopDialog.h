// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"

class QComboBox;

// Inserts a conditional loop over one of the four sensor tests.
class ConditionalLoopDialog final : public CommandDialog {
    Q_OBJECT
public:
    ConditionalLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;

    QLabel *whileLabel;
    QComboBox *testCombo;
};
