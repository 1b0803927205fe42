// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"

class QSpinBox;

// Inserts a counted loop; the count is kept between openings.
class CountedLoopDialog final : public CommandDialog {
    Q_OBJECT
public:
    CountedLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;

    QLabel *executeLabel, *timesLabel;
    QSpinBox *countSpin;
};
